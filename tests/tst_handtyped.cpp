// Part files typed by hand, as operators type them: every line opens as the block the router reads it
// as, the checker reports what is wrong with them and nothing else, a file saved unchanged keeps its
// bytes, an edit composes its line afresh and undo brings the typed line back, and reading a line
// takes time in proportion to its length.
#include "core/checker/checker.h"
#include "core/language/linesyntax.h"
#include "core/panel/programmodel.h"
#include "core/partfile/linereader.h"
#include "core/partfile/partfile.h"
#include "core/partfile/partfilereader.h"
#include "gui/document/partdocument.h"
#include "onwindows.h"
#include "randompicks.h"
#include "testfiles.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <ctime>
#include <limits>

using namespace linesyntax;

namespace {

int sixPerChar(const QString& s) {
    return 6 * static_cast<int>(s.size());
}

QString dataPath(const QString& name) {
    return QStringLiteral(STACKER_TEST_DATA "/handtyped/") + name;
}

QString kindName(Kind k) {
    return QString::fromLatin1(kinds::info(k).name);
}

QByteArray crlfJoined(const QList<QByteArray>& lines) {
    QByteArray out;
    for (const QByteArray& l : lines)
        out += l + "\r\n";
    return out;
}

// A block the dialogs compose, and the same line as an operator might type it.
struct Typed {
    LoadedLine block;
    QString line;
};

class Gen : public RandomPicks {
public:
    using RandomPicks::RandomPicks;

    // The command word in any letter case.
    QString anyCase(const QString& word) {
        QString out;
        for (QChar c : word)
            out += coin() ? c.toLower() : c.toUpper();
        return out;
    }
    QString comma() { return pick({",", " ,", ", ", ",\t", " , ", "\t,  "}); }
    QString blanks() { return pick({"", " ", "\t", "  \t "}); }

    Typed next() {
        const QString comment = below(3) == 0 ? QString() : pick({"'check", "'a, b", "'x = 1", "'it's deep"});
        // What stands before the comment, and whether the kind keeps an inline comment at all.
        QString held, typed;
        Kind kind = Kind::Move;
        switch (below(11)) {
        case 0:
        case 1: {
            AxisFields f;
            for (QString& a : f.axis)
                a = below(3) == 0 ? QString() : pick({"1", "-0.5", "&x", "2*&y"});
            if (std::all_of(f.axis.begin(), f.axis.end(), [](const QString& a) { return a.isEmpty(); }))
                f.axis[std::size_t(below(5))] = QStringLiteral("3");
            const bool jog = coin();
            kind = jog ? Kind::Jog : Kind::Move;
            held = composeAxes(jog ? u'J' : u'M', f);
            typed = anyCase(held.left(2)) + blanks() + spaced(held.mid(2), ", ");
            break;
        }
        case 2: {
            SpeedFields f;
            for (QString& s : f.speed)
                s = coin() ? QString() : pick({"1", "0.5", "4"});
            kind = Kind::Speed;
            held = composeSpeed(f);
            typed = anyCase(QStringLiteral("VS")) + spaced(held.mid(2), ", ");
            break;
        }
        case 3:
            kind = Kind::FileCall;
            held = composeFileCall({pick({"C:\\cvparts\\a.cvp", "sub\\b.cvp", "part.cvp"}),
                                    pick({"0", "1", "2"}) == QLatin1String("0") ? OffsetMode::None
                                    : coin()                                    ? OffsetMode::Offset2d
                                                                                : OffsetMode::Offset3d});
            typed = anyCase(QStringLiteral("FP")) + spaced(held.mid(2), ", ");
            break;
        case 4: {
            kind = Kind::IfThen;
            const QString test = pick({"&count > 3", "a = b", "&x<>&y"});
            const QString then = pick({"GOTO done:", "END", "PAUSE"});
            held = composeIf({test, then});
            typed = anyCase(QStringLiteral("IF")) + pick({" ", "  ", "\t"}) + test + pick({" ", "\t "}) +
                    anyCase(QStringLiteral("THEN")) + pick({" ", "  "}) + then;
            break;
        }
        case 5: {
            kind = Kind::Label;
            const QString name = pick({"L3", "Cut One", "again"});
            held = composeLabel({name});
            typed = name + pick({":", " :", "\t:"});
            break;
        }
        case 6: {
            kind = Kind::GoTo;
            const QString name = pick({"done", "Cut One"});
            held = composeGoTo({name});
            typed = anyCase(QStringLiteral("GOTO")) + pick({" ", "\t"}) + name + pick({"", ":", " :"});
            break;
        }
        case 7: {
            kind = Kind::Variable;
            const QString name = pick({"depth", "x"});
            const QString value = pick({"0.5", "&x + 1"});
            held = composeVar({name, value});
            typed = pick({"&", "&&", "&&&"}) + name + pick({"=", " =", "= ", " = ", "\t=\t"}) + value;
            break;
        }
        case 8: {
            kind = Kind::Input;
            const QString prompt = pick({"Bit size?", "Depth, in inches", "What's next"});
            const QString name = pick({"bit", "d"});
            held = composeInput({prompt, name});
            typed = anyCase(QStringLiteral("INPUT")) + pick({" ", "\t"}) + u'"' + prompt + u'"' + blanks() +
                    pick({"&", "&&"}) + name;
            break;
        }
        case 9: {
            kind = Kind::Pause;
            const QString time = pick({"", "3", "0.5"});
            held = composePause({time});
            typed = anyCase(QStringLiteral("PAUSE")) + (time.isEmpty() ? QString() : pick({" ", ",", " , "}) + time);
            break;
        }
        default:
            kind = Kind::End;
            held = QStringLiteral("END");
            typed = anyCase(held);
            break;
        }
        const bool keepsComment = kinds::info(kind).hasComment;
        Typed t;
        t.block = LoadedLine{kind, held, keepsComment ? comment : QString()};
        t.line = blanks() + typed;
        if (keepsComment && !comment.isEmpty())
            t.line += pick({"", " ", "\t", "      "}) + comment;
        else
            t.line += blanks();
        return t;
    }

private:
    // text (from the comma after the command word) with each ", " replaced by a comma as typed;
    // the commas without a blank ("FP, name,,,,, 0") stay.
    QString spaced(const QString& text, const QString& sep) {
        QString out;
        const QStringList parts = text.split(sep);
        for (qsizetype i = 0; i < parts.size(); ++i)
            out += (i > 0 ? comma() : QString()) + parts[i];
        return out;
    }
};

} // namespace

class tst_handtyped : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Each file as an operator typed it: the kinds its lines open as, what the checker finds
    // (rule@line, lines counted in the file as it stands), and that saving it unchanged writes every
    // line back as it stood (CR LF ends, the opening lines added where they were missing).
    void files_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("kinds");
        QTest::addColumn<QStringList>("findings");
        const QStringList none;
        QTest::newRow("lower case") << "lowercase.cvp" << QStringList{"Move", "Move", "Jog", "Move", "END"} << none;
        QTest::newRow("blanks and tabs around commas")
            << "spacing_tabs.cvp" << QStringList{"Move", "Move", "Speed", "Jog"} << none;
        QTest::newRow("no trailing blanks")
            << "no_trailing_blanks.cvp" << QStringList{"Variable", "Move", "Jog", "IF..THEN"} << none;
        QTest::newRow("inline comments after any space")
            << "inline_comments.cvp" << QStringList{"Move", "Jog", "INPUT", "Variable", "PAUSE"} << none;
        QTest::newRow("label with a blank")
            << "labels_with_blanks.cvp" << QStringList{"Variable", "Label", "Variable", "Move", "IF..THEN", "END"}
            << none;
        QTest::newRow("goto without a colon")
            << "goto_again.cvp" << QStringList{"Variable", "Label", "Variable", "Jog", "IF..THEN", "IF..THEN", "END"}
            << none;
        QTest::newRow("GOSUB with a colon and a comment")
            << "gosub_colon.cvp" << QStringList{"Blank", "GOSUB", "END", "Label", "Move", "RETURN"} << none;
        QTest::newRow("GOSUB in lower case, RETURN with a comment")
            << "gosub_lowercase.cvp" << QStringList{"GOSUB", "END", "Label", "Move", "RETURN"} << none;
        QTest::newRow("GOSUB without RETURN, no final line end")
            << "gosub_no_return.cvp" << QStringList{"Blank", "END", "Label", "Move"} << none;
        QTest::newRow("called files with backslashes, any case")
            << "fp_backslashes.cvp" << QStringList{"File call", "File call", "File call"}
            << QStringList{"missing-file@3"};
        QTest::newRow("Windows paths") << "fp_windows_paths.cvp" << QStringList{"File call", "File call", "File call"}
                                       << (onWindows()
                                               ? QStringList{"missing-file@1", "missing-file@2", "missing-file@3"}
                                               : QStringList{"windows-path@1", "windows-path@2", "windows-path@3"});
        QTest::newRow("a folder called, an odd offset mode")
            << "fp_folder.cvp" << QStringList{"File call", "Blank"} << QStringList{"not-a-file@1"};
        QTest::newRow("decimal commas") << "decimal_commas.cvp" << QStringList{"Jog", "Move", "Speed"}
                                        << QStringList{"extra-values@1", "extra-values@2", "extra-values@3"};
        QTest::newRow("axis fields of blanks") << "blank_fields.cvp" << QStringList{"Blank", "Jog", "Move", "Move"}
                                               << QStringList{"blank-axis@1", "blank-axis@2", "extra-values@4"};
        QTest::newRow("empty and blank lines")
            << "blank_lines.cvp" << QStringList{"Move", "Blank", "Blank", "Blank", "Move"}
            << QStringList{"blank-line@3", "blank-line@4"};
        QTest::newRow("command words in mixed case")
            << "mixed_case_words.cvp" << QStringList{"PAUSE", "PAUSE", "PAUSE", "Blank", "END"} << none;
        QTest::newRow("variables in every spelling")
            << "variables.cvp"
            << QStringList{"Variable", "Variable", "Variable", "Label", "Variable", "Move", "IF..THEN", "END"} << none;
        QTest::newRow("INPUT prompts") << "input_prompts.cvp" << QStringList{"INPUT", "INPUT", "INPUT", "IF..THEN"}
                                       << none;
        QTest::newRow("commands no dialog makes")
            << "unknown_commands.cvp" << QStringList{"Blank", "Blank", "Blank", "Blank", "Blank"}
            << QStringList{"unknown-command@1", "unknown-command@2", "unknown-command@3", "unknown-command@4",
                           "unknown-command@5"};
        QTest::newRow("IF forms") << "if_forms.cvp" << QStringList{"Variable", "IF..THEN", "IF..THEN", "Blank", "Blank"}
                                  << none;
        QTest::newRow("END with a comment")
            << "end_with_comment.cvp" << QStringList{"Move", "END", "Comment", "Move"} << QStringList{"unreachable@4"};
        QTest::newRow("the writer's own layout")
            << "dialog_layout.cvp" << QStringList{"Variable", "IF..THEN", "GOTO", "Label", "END"} << none;
    }
    void files() {
        QFETCH(QString, file);
        QFETCH(QStringList, kinds);
        QFETCH(QStringList, findings);
        const QString path = dataPath(file);
        const QByteArray content = readAll(path);
        const partfilereader::ReadResult r = partfilereader::readFile(path);
        QVERIFY2(r.ok, qPrintable(r.error));
        ProgramModel m(sixPerChar);
        QVERIFY(m.load(r.lines));
        QVERIFY2(m.checkInvariants().isEmpty(), qPrintable(m.checkInvariants()));

        QStringList got;
        for (const ProgramLine& l : m.lines())
            got << kindName(l.kind);
        QCOMPARE(got, kinds);

        // As the command line counts them: the lines of the file as it stands.
        const int firstLine = int(r.kept.headLines() + r.kept.opening().size()) + 1;
        QStringList found;
        for (const checker::Finding& f : checker::check(m, dataPath(QString()), {}, firstLine)) {
            found << f.rule + u'@' + QString::number(f.line);
            // A finding quotes its line as the file holds it.
            QCOMPARE(f.text.toLatin1(), textfile::splitLines(content, textfile::LoneCr::EndsLine).value(f.line - 1));
        }
        QCOMPARE(found, findings);

        QTemporaryDir dir;
        const QString saved = dir.filePath(QStringLiteral("saved.cvp"));
        QVERIFY(partfile::write(saved, m, r.kept).ok);
        const QList<QByteArray> lines = textfile::splitLines(content, textfile::LoneCr::EndsLine);
        const QByteArray opening = r.kept.opening().isEmpty()
                                       ? crlfJoined({partfile::CreatedLine.toLatin1(), partfile::NoticeLine.toLatin1(),
                                                     partfile::ThirdLine.toLatin1()})
                                       : QByteArray();
        QCOMPARE(readAll(saved), opening + crlfJoined(lines));
        if (!r.kept.opening().isEmpty() && content.endsWith("\r\n")) QCOMPARE(readAll(saved), content);
    }

    // Single lines: the block each opens as (kind|held text|inline comment), and whether the line's
    // own bytes are kept for saving because the writer would lay it out otherwise.
    void typedLines_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("block");
        QTest::addColumn<bool>("kept");
        QTest::newRow("lower case, no blanks") << "mx,2"
                                               << "Move|MX, 2|" << true;
        QTest::newRow("writer's layout") << "MX, 2   "
                                         << "Move|MX, 2|" << false;
        QTest::newRow("blank before a comma") << "M2 ,1, 2"
                                              << "Move|M2, 1, 2|" << true;
        QTest::newRow("tabs, comment") << "MX,\t2\t'c"
                                       << "Move|MX, 2|'c" << true;
        QTest::newRow("no comma") << "JY 2"
                                  << "Jog|JY, , 2|" << true;
        QTest::newRow("decimal commas") << "J2, 1,5, 2,5"
                                        << "Jog|J2, 1, 5|" << true;
        QTest::newRow("padding value") << "MY, 3, 2"
                                       << "Move|MY, , 2|" << true;
        QTest::newRow("move of nothing") << "MX,"
                                         << "Blank|MX,|" << false;
        QTest::newRow("speeds, fewer") << "vs,1,2"
                                       << "Speed|VS, 1, 2, , , , , , |" << true;
        QTest::newRow("label with a blank") << "Cut One:"
                                            << "Label|Cut One:|" << true;
        QTest::newRow("label, blank before colon") << "LOOP :\t'top"
                                                   << "Label|LOOP:|'top" << true;
        QTest::newRow("goto without colon") << "goto again"
                                            << "GOTO|GOTO again:|" << true;
        QTest::newRow("GOSUB is no label") << "GOSUB pass:   'call the pass"
                                           << "Blank|GOSUB pass:   'call the pass|" << false;
        QTest::newRow("GOSUB typed") << "gosub pass"
                                     << "GOSUB|GOSUB pass:|" << true;
        QTest::newRow("IF, single ampersands") << "if &n>1 then GOTO again 'c"
                                               << "IF..THEN|IF &&n>1 THEN GOTO again|'c" << true;
        QTest::newRow("IF without THEN") << "IF a > 1"
                                         << "Blank|IF a > 1|" << false;
        QTest::newRow("IF ending in THEN") << "IF a > 1 THEN"
                                           << "IF..THEN|IF a > 1 THEN |" << true;
        QTest::newRow("file call without mode") << "fp, C:\\x.cvp"
                                                << "File call|FP, C:\\x.cvp,,,,, 0|" << true;
        QTest::newRow("file call, odd mode") << "FP, a.cvp,,,,, 7"
                                             << "Blank|FP, a.cvp,,,,, 7|" << false;
        QTest::newRow("quote in the prompt") << "INPUT \"What's up?\" &x 'c"
                                             << "INPUT|INPUT \"What's up?\" &&x|'c" << true;
        QTest::newRow("INPUT as written") << "INPUT \"Bit?\" &bit   "
                                          << "INPUT|INPUT \"Bit?\" &&bit|" << false;
        QTest::newRow("variable") << "&d=1"
                                  << "Variable|&&d = 1|" << true;
        QTest::newRow("pause without comma") << "pause 2"
                                             << "PAUSE|PAUSE, 2|" << true;
        QTest::newRow("pause with a comment") << "PAUSE 2 'wait"
                                              << "Blank|PAUSE 2 'wait|" << false;
        QTest::newRow("END in lower case") << "end"
                                           << "END|END|" << true;
        QTest::newRow("the keyword decides") << "End of part:"
                                             << "END|END|" << true;
        QTest::newRow("comment after blanks") << "   'note"
                                              << "Comment|'note|" << true;
        QTest::newRow("only blanks") << "  \t"
                                     << "Blank|  \t|" << false;
        QTest::newRow("no command word") << "G0 X1"
                                         << "Blank|G0 X1|" << false;
    }
    void typedLines() {
        QFETCH(QString, line);
        QFETCH(QString, block);
        QFETCH(bool, kept);
        const QByteArray bytes = line.toLatin1();
        const LoadedLine l = linereader::read(line, bytes);
        QCOMPARE(QStringList({kindName(l.kind), l.held, l.comment}).join(u'|'), block);
        QCOMPARE(!l.written.isEmpty(), kept);
        if (kept) QCOMPARE(l.written, bytes);
        QCOMPARE(linereader::lineOf(l), line);
    }

    // Lines the dialogs compose, typed in any case with any blanks and tabs around commas and fields,
    // with or without trailing blanks, with their comment after any space: each opens as the kind
    // and texts the dialog composed, and saves as it was typed.
    void typedVariantsReadAsComposed() {
        for (quint32 seed = 1; seed <= 3000; ++seed) {
            Gen g(seed);
            const Typed t = g.next();
            const LoadedLine l = linereader::read(t.line, t.line.toUtf8());
            const QString why = QStringLiteral("seed %1: \"%2\" read as %3|%4|%5, typed from %6")
                                    .arg(seed)
                                    .arg(t.line, kindName(l.kind), l.held, l.comment, t.block.held);
            QVERIFY2(l.kind == t.block.kind, qPrintable(why));
            QVERIFY2(linereader::lineOf(l) == t.line, qPrintable(why));
            // A typed line may happen to be in the writer's layout of other texts ("&&&x = 1      'c" is
            // the value "1   " and comment "'c"): that reading stands, and composes to the very line.
            if (!l.written.isEmpty())
                QVERIFY2(l.held == t.block.held && l.comment == t.block.comment, qPrintable(why));
            else
                QVERIFY2(partfile::composeLine(l.kind, l.held, l.comment) == t.line, qPrintable(why));
        }
    }

    // An edit that changes nothing keeps the typed line; a changed one composes the line in the
    // writer's layout; undo brings the typed line back and redo the composed one.
    void editsAndUndo() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("typed.cvp"));
        putBytes(path, "mx,2 'edge\r\ngoto again\r\nagain:\r\nmz , -1\r\n");
        PartDocument doc(sixPerChar);
        QVERIFY(doc.open(path).ok);
        const QString saved = dir.filePath(QStringLiteral("saved.cvp"));
        const auto savedBytes = [&] {
            [&] { QVERIFY(partfile::write(saved, doc.model(), doc.kept()).ok); }();
            return readAll(saved).mid(readAll(saved).indexOf("'\r\n") + 3);
        };
        const QByteArray typed = "mx,2 'edge\r\ngoto again\r\nagain:\r\nmz , -1\r\n";
        QCOMPARE(savedBytes(), typed);
        const int steps = doc.undoStack()->count();

        const PanelHit move{Kind::Move, 1};
        QVERIFY(!doc.editLine(move, QStringLiteral("MX, 2"), QStringLiteral("'edge")));
        QCOMPARE(doc.undoStack()->count(), steps);
        QCOMPARE(savedBytes(), typed);

        QVERIFY(doc.editLine(move, QStringLiteral("MX, 3"), QStringLiteral("'edge")));
        const QByteArray edited = "MX, 3   'edge\r\ngoto again\r\nagain:\r\nmz , -1\r\n";
        QCOMPARE(savedBytes(), edited);
        doc.undoStack()->undo();
        QCOMPARE(savedBytes(), typed);
        doc.undoStack()->redo();
        QCOMPARE(savedBytes(), edited);
        // A comment changed alone also ends the line as typed.
        QVERIFY(doc.editLine({Kind::GoTo, 1}, QStringLiteral("GOTO again:"), QStringLiteral("'loop")));
        QCOMPARE(savedBytes(), "MX, 3   'edge\r\nGOTO again:   'loop\r\nagain:\r\nmz , -1\r\n");
        // Deleting a line moves the blocks below it up, each with its line as typed.
        doc.model().select(Kind::Move, 1);
        QVERIFY(doc.removeSelectedLine());
        QCOMPARE(savedBytes(), "GOTO again:   'loop\r\nagain:\r\nmz , -1\r\n");
        doc.undoStack()->undo();
        QCOMPARE(savedBytes(), "MX, 3   'edge\r\nGOTO again:   'loop\r\nagain:\r\nmz , -1\r\n");
    }

    // Reading a line (and checking it) takes time in proportion to its length, whatever it holds:
    // eight reads of a line of 32,000 characters (about the longest a part file holds) take about
    // as long as one of eight times that, where work that grows with the square of the length would
    // take eight times as long. The longest line, 32,767 characters, is read once of each kind.
    void linearTime_data() {
        QTest::addColumn<QString>("head");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("tail");
        QTest::addColumn<QString>("kind");
        QTest::newRow("IF with many THENs") << "IF  a THEN"
                                            << "  b THEN"
                                            << "   "
                                            << "IF..THEN";
        QTest::newRow("INPUT with quotes and joints") << "INPUT \" \" &&"
                                                      << "   ' \" &&"
                                                      << "   "
                                                      << "INPUT";
        QTest::newRow("INPUT, many prompts") << "INPUT "
                                             << "\"a\" &&b   '"
                                             << ""
                                             << "INPUT";
        QTest::newRow("nested IFs") << ""
                                    << "IF &a > 1 THEN "
                                    << "END"
                                    << "IF..THEN";
        QTest::newRow("move of many values") << "MX, "
                                             << "1, "
                                             << "2"
                                             << "Move";
        QTest::newRow("speeds") << "VS"
                                << ", 1"
                                << ""
                                << "Speed";
        QTest::newRow("file call of many commas") << "FP, "
                                                  << "a,"
                                                  << ",,,, 0"
                                                  << "File call";
        QTest::newRow("many comment joints") << "MX, 2"
                                             << "   'x"
                                             << ""
                                             << "Move";
        QTest::newRow("comment") << "'"
                                 << "x   '"
                                 << ""
                                 << "Comment";
        QTest::newRow("label of many words") << ""
                                             << "a b "
                                             << ":"
                                             << "Label";
        QTest::newRow("goto") << "GOTO "
                              << "x "
                              << ""
                              << "GOTO";
        QTest::newRow("variable") << "&a = "
                                  << "&b + "
                                  << "1"
                                  << "Variable";
        QTest::newRow("pause") << "PAUSE, "
                               << "1+"
                               << "1"
                               << "PAUSE";
        QTest::newRow("free command") << "G1 "
                                      << "X1 "
                                      << ""
                                      << "Blank";
        QTest::newRow("free command, many comment joints") << "G1"
                                                           << "   'x"
                                                           << ""
                                                           << "Blank";
        QTest::newRow("blanks") << ""
                                << " \t"
                                << ""
                                << "Blank";
    }
    void linearTime() {
        QFETCH(QString, head);
        QFETCH(QString, unit);
        QFETCH(QString, tail);
        QFETCH(QString, kind);
        const auto lineOf = [&](int length) {
            QString line = head;
            while (line.size() + unit.size() + tail.size() <= length)
                line += unit;
            return line + tail;
        };
        const auto work = [](const QString& line) {
            const LoadedLine l = linereader::read(line, line.toUtf8());
            const QList<checker::Finding> f =
                checker::check({checker::Line{l.kind, l.held, l.comment, 1, linereader::lineOf(l)}}, QString());
            return std::pair{l, f.size()};
        };
        const QString longest = lineOf(32767);
        QCOMPARE(kindName(work(longest).first.kind), kind);
        QCOMPARE(linereader::lineOf(work(longest).first), longest);

        // Under the sanitizers every large allocation is fresh, poisoned memory, so the times would
        // measure their allocator, not the reader; the plain build measures it.
        if (STACKER_SANITIZED) QSKIP("timing is not meaningful under the sanitizers");
        // Windows's heap maps every block over 508 KiB afresh (a long line's copies are such blocks, the
        // short lines' are not), and its clock() is wall time: the ratio would measure those.
        if (onWindows()) QSKIP("timing is not comparable on Windows's heap and clock");
        const QString shortLine = lineOf(32000);
        const QString longLine = lineOf(256000);
        QVERIFY(longLine.size() > 7 * shortLine.size());
        {
            // A large block taken and given back first: the C library then keeps blocks of a long
            // line's size in its heap instead of mapping fresh pages for each, whose faults would
            // count too.
            const QByteArray block(1 << 24, 'x');
            Q_UNUSED(block);
        }
        // Processor time, the least of several runs: other processes on the machine neither count
        // nor slow a run down much.
        const auto fastest = [&](const QString& line, int times) {
            std::clock_t best = std::numeric_limits<std::clock_t>::max();
            for (int run = 0; run < 3; ++run) {
                const std::clock_t start = std::clock();
                qsizetype sink = 0;
                for (int i = 0; i < times; ++i)
                    sink += work(line).second;
                best = std::min(best, std::clock() - start + (sink < 0 ? 1 : 0));
            }
            return std::max<std::clock_t>(best, 1);
        };
        const double ratio = double(fastest(longLine, 2)) / double(fastest(shortLine, 16));
        QVERIFY2(ratio < 3.0, qPrintable(QStringLiteral("a line of %1 characters took %2 times as long as eight of %3")
                                             .arg(longLine.size())
                                             .arg(ratio)
                                             .arg(shortLine.size())));
    }
};

#include "testmain.h"
QTEST_GUILESS_MAIN(tst_handtyped)
#include "tst_handtyped.moc"
