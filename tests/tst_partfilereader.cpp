// Reading a part file back into blocks: programs saved and opened again come back line for line and
// save to the same bytes, Headsmith's header and closing block included; foreign files read by the
// rules for line ends, bytes and lines of no known form; refusals leave the panel as it was.
#include "core/headsmith/headertext.h"
#include "core/headsmith/rewrite.h"
#include "core/language/linesyntax.h"
#include "core/panel/panelpointer.h"
#include "core/panel/programmodel.h"
#include "core/partfile/partfile.h"
#include "core/partfile/partfilereader.h"
#include "gui/document/partdocument.h"
#include "randompicks.h"
#include "scriptedplatform.h"
#include "testfiles.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace linesyntax;

namespace {

int sixPerChar(const QString& s) {
    return 6 * static_cast<int>(s.size());
}

// A program with the lines kept from the file it was read from.
struct Panel {
    ProgramModel m{sixPerChar};
    PanelPointer ptr{m};
    KeptLines kept;
};

// What opening a file does to a program: its lines onto the panel, the rest kept.
bool apply(const partfilereader::ReadResult& r, Panel& p) {
    if (!r.ok || !p.m.load(r.lines)) return false;
    p.kept = r.kept;
    return true;
}

FileResult write(const QString& path, const Panel& p) {
    return partfile::write(path, p.m, p.kept);
}

// What a line of the panel shows and is written from, top to bottom.
QStringList shown(const ProgramModel& m) {
    QStringList out;
    for (int n = 1; n <= m.lineCount(); ++n) {
        const LineRow& r = m.row(n);
        const PanelBlock& b = m.block(r.kind, r.blockIndex);
        out << QStringLiteral("%1|%2|%3|%4|%5")
                   .arg(kinds::info(r.kind).name, b.text.caption, m.inlineComment(r.kind, r.blockIndex))
                   .arg(b.text.color, 6, 16, QLatin1Char('0'))
                   .arg(b.shape.fill, 6, 16, QLatin1Char('0'));
    }
    return out;
}

// Random texts for the dialogs' boxes: no runs of three blanks, so no held text holds the joint
// between held text and comment.
class Gen : public RandomPicks {
public:
    using RandomPicks::RandomPicks;
    QString word() { return pick({"a", "12", "0.5", "x1", "-3", "depth", "Q"}); }
    linesyntax::OffsetMode pickMode() {
        using linesyntax::OffsetMode;
        const OffsetMode modes[] = {OffsetMode::None, OffsetMode::Offset2d, OffsetMode::Offset3d};
        return modes[below(3)];
    }
    QString number() { return pick({"1", "2.5", "-0.125", "10", "0"}); }
    QString comment() {
        if (below(3) == 0) return {};
        QString c = QStringLiteral("'");
        const int parts = 1 + below(4);
        for (int i = 0; i < parts; ++i)
            c += pick({"check", " & ", "&&x", "\"quoted\"", ", ", "'", "   ", "depth, 2", "50%"});
        return c;
    }
    QString axis() { return below(3) == 0 ? QString() : number(); }
};

// Adds one random block (or a GOSUB set) through the same texts the dialogs compose.
void addRandom(ProgramModel& m, Gen& g, int& goSubs) {
    switch (g.below(15)) {
    case 0:
    case 1: {
        AxisFields f;
        for (QString& a : f.axis)
            a = g.axis();
        if (std::all_of(f.axis.begin(), f.axis.end(), [](const QString& a) { return a.isEmpty(); }))
            f.axis[static_cast<std::size_t>(g.below(5))] = g.number();
        const bool jog = g.coin();
        m.add(jog ? Kind::Jog : Kind::Move, composeAxes(jog ? u'J' : u'M', f), g.comment());
        break;
    }
    case 2: {
        SpeedFields f;
        for (QString& s : f.speed)
            s = g.axis();
        m.add(Kind::Speed, composeSpeed(f), g.comment());
        break;
    }
    case 3:
        m.add(Kind::FileCall,
              composeFileCall({g.pick({"C:\\cvparts\\a.cvp", "sign, part.cvp", "sub\\b.cvp"}), g.pickMode()}),
              g.comment());
        break;
    case 4:
        m.add(Kind::IfThen,
              composeIf({g.pick({"&count > 3", "?", "a = b", "&x&y"}), g.pick({"GOTO done:", "?", "END"})}),
              g.comment());
        break;
    case 5:
        m.add(Kind::Label, composeLabel({QStringLiteral("L%1").arg(g.below(50))}), g.comment());
        break;
    case 6:
        m.add(Kind::GoTo, composeGoTo({g.pick({"done", "L3:", "a, b"})}), g.comment());
        break;
    case 7:
        m.add(Kind::Variable,
              composeVar({g.pick({"depth", "&depth", "a&b", QString(VarNamePrompt)}),
                          g.pick({"0.5", "&x + 1", QString(VarValuePrompt)})}),
              g.comment());
        break;
    case 8:
        m.add(Kind::Input,
              composeInput({g.pick({"Bit size?", QString(InputPromptPrompt), "Depth, in inches"}),
                            g.pick({"bit", "&d", QString(InputVarPrompt), "x&y"})}),
              g.comment());
        break;
    case 9:
        m.add(Kind::Pause, composePause({g.pick({"", "3", QString(PausePrompt), "0.5, then go"})}), {});
        break;
    case 10:
        m.add(Kind::Comment, composeComment({g.pick({"done", "'already", "a, b & c", "\"q\""})}), {});
        break;
    case 11:
        m.add(Kind::End, {}, {});
        break;
    case 12:
        // Free commands in no other kind's written form.
        m.add(Kind::Blank, g.pick({"G0 X1", "SO, 1, 1", "C2 'tool change", "MOVE 2", "JH   ", "RETURNS 'no", "M"}), {});
        break;
    default: {
        const QString name = QStringLiteral("sub%1").arg(++goSubs);
        const GoSubTexts t = composeGoSub({name});
        m.addGoSub(t.line, t.label);
        break;
    }
    }
}

void dragRandom(Panel& p, Gen& g) {
    const int n = p.m.lineCount();
    if (n == 0) return;
    const LineRow& r = p.m.row(1 + g.below(n));
    if (r.kind == Kind::Return) return;
    const float y = p.m.block(r.kind, r.blockIndex).shape.top + 8;
    const float to = static_cast<float>(g.below(24 * (n + 2)));
    p.ptr.mouseDown(LeftButton, 23, y);
    p.ptr.mouseMove(LeftButton, 23, to);
    p.ptr.mouseMove(LeftButton, 23, to);
    p.ptr.mouseUp(LeftButton, 23, to);
}

QList<QByteArray> encoded(const headertext::Block& block) {
    QList<QByteArray> out;
    for (const headertext::BlockLine& l : block)
        out << (l.copyFile ? QByteArray("' a line of the closing file, END") : l.text.toLatin1());
    return out;
}

QByteArray crlf(const QList<QByteArray>& lines) {
    QByteArray out;
    for (const QByteArray& l : lines)
        out += l + "\r\n";
    return out;
}

} // namespace

class tst_partfilereader : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
    }

    // open(save(program)) shows the same lines, and saving it again gives the same bytes; also when
    // Headsmith gave the file a header, a closing block and lines after it.
    void roundTrip_data() {
        QTest::addColumn<bool>("headsmith");
        QTest::newRow("as saved") << false;
        QTest::newRow("rewritten by Headsmith") << true;
    }
    void roundTrip() {
        QFETCH(bool, headsmith);
        const QString path = m_dir.filePath(QStringLiteral("round.cvp"));
        for (quint32 seed = 1; seed <= 200; ++seed) {
            Gen g(seed);
            Panel before;
            int goSubs = 0;
            const int adds = g.below(30);
            for (int i = 0; i < adds; ++i) {
                addRandom(before.m, g, goSubs);
                if (g.below(3) == 0) dragRandom(before, g);
            }
            QVERIFY2(before.m.checkInvariants().isEmpty(), qPrintable(before.m.checkInvariants()));
            QVERIFY(write(path, before).ok);
            QByteArray saved = readAll(path);
            if (headsmith) {
                HeaderFields f;
                f.description = QStringLiteral("seed %1").arg(seed);
                f.addClosing = true;
                f.closingAsFP = g.coin();
                const QList<QByteArray> after =
                    g.coin() ? QList<QByteArray>{"' after the closing", "MX, 9   "} : QList<QByteArray>{};
                saved = crlf(encoded(headertext::writeheaderinfo(f))) + saved +
                        crlf(encoded(headertext::closingBlock(f))) + crlf(after);
                putBytes(path, saved);
            }

            Panel after;
            after.m.add(Kind::Move, QStringLiteral("MX, 1"), {}); // replaced by the opened file
            const partfilereader::ReadResult r = partfilereader::readFile(path);
            QVERIFY2(r.ok, qPrintable(r.error));
            QVERIFY(apply(r, after));
            QVERIFY2(after.m.checkInvariants().isEmpty(), qPrintable(after.m.checkInvariants()));
            QCOMPARE(shown(after.m), shown(before.m));
            QCOMPARE(after.m.nextTop(), after.m.lineCount() > 0 ? 8 + 24 * after.m.lineCount() : 8);

            const QString again = m_dir.filePath(QStringLiteral("again.cvp"));
            QVERIFY(write(again, after).ok);
            if (readAll(again) != saved) QFAIL(qPrintable(QStringLiteral("seed %1 saved differently").arg(seed)));
        }
    }

    // Files from elsewhere: line ends, bytes, lines of no known form, refusals.
    void foreignFiles_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("kinds"); // kind name|held text|comment per line; refused: {"refused", why}
        QTest::addColumn<QByteArray>("written");
        const QByteArray opening = crlf({partfile::CreatedLine.toLatin1(), partfile::NoticeLine.toLatin1(), "'"});

        QTest::newRow("LF only") << QByteArray("MX, 2   \nJX, 3   'slow\n")
                                 << QStringList{"Move|MX, 2|", "Jog|JX, 3|'slow"}
                                 << opening + "MX, 2   \r\nJX, 3   'slow\r\n";
        QTest::newRow("CR only, no final line end")
            << QByteArray("PAUSE\r'done\rEND") << QStringList{"PAUSE|PAUSE|", "Comment|'done|", "END|END|"}
            << opening + "PAUSE\r\n'done\r\nEND\r\n";
        QTest::newRow("mixed line ends, empty lines")
            << QByteArray("\r\n\rG0\n\n") << QStringList{"Blank||", "Blank||", "Blank|G0|", "Blank||"}
            << opening + "\r\n\r\nG0\r\n\r\n";
        QTest::newRow("Latin-1 bytes kept") << QByteArray("' Caf\xe9\r\nMX, 2   '\xb0"
                                                          "C\r\nG1 \xff\r\n")
                                            << QStringList{}
                                            << opening + "' Caf\xe9\r\nMX, 2   '\xb0"
                                                         "C\r\nG1 \xff\r\n";
        QTest::newRow("no known form")
            << QByteArray("MX,\r\nIF &x > 3   \r\nFP, a.cvp,,,,, 7   \r\nPAUSE 2   'wait\r\nRETURN\r\n")
            << QStringList{"Blank|MX,|", "Blank|IF &x > 3   |", "Blank|FP, a.cvp,,,,, 7   |", "Blank|PAUSE 2   |'wait",
                           "Blank|RETURN|"}
            << opening + "MX,\r\nIF &x > 3   \r\nFP, a.cvp,,,,, 7   \r\nPAUSE 2   'wait\r\nRETURN\r\n";
        QTest::newRow("ampersands as the panel holds them")
            << QByteArray("INPUT \"Bit size?\" &bit   'a & b\r\nIF &&n > 1 THEN END   \r\n&&d = 1   \r\n")
            << QStringList{"INPUT|INPUT \"Bit size?\" &&bit|'a & b", "IF..THEN|IF &&n > 1 THEN END|",
                           "Variable|&&d = 1|"}
            << opening + "INPUT \"Bit size?\" &bit   'a & b\r\nIF &&n > 1 THEN END   \r\n&&d = 1   \r\n";
        QTest::newRow("GOSUB set, and a GOSUB without RETURN")
            << QByteArray("GOSUB s:\r\nGOSUB t:\r\ns:   \r\nRETURN\r\nt:   \r\n")
            << QStringList{"Blank|GOSUB s:|", "GOSUB|GOSUB t:|", "Label|s:|", "RETURN|RETURN|", "Label|t:|"}
            << opening + "GOSUB s:\r\nGOSUB t:\r\ns:   \r\nRETURN\r\nt:   \r\n";
        QTest::newRow("opening lines with another notice kept")
            << QByteArray("' Created using the Corvane Part File Stacker\r\n' an older notice\r\n'\r\nEND\r\n")
            << QStringList{"END|END|"}
            << QByteArray("' Created using the Corvane Part File Stacker\r\n' an older notice\r\n'\r\nEND\r\n");
        QTest::newRow("header without end line is program")
            << QByteArray("'' Header file created by Corvane Headsmith\r\nEND\r\n")
            << QStringList{"Comment|'' Header file created by Corvane Headsmith|", "END|END|"}
            << opening + "'' Header file created by Corvane Headsmith\r\nEND\r\n";
        QTest::newRow("control character kept in a header")
            << QByteArray("' Header file created by Corvane Headsmith\r\n'\x1a\r\n' End of header file\r\nEND")
            << QStringList{"END|END|"}
            << "' Header file created by Corvane Headsmith\r\n'\x1a\r\n' End of header file\r\n" + opening + "END\r\n";
        QTest::newRow("empty file") << QByteArray() << QStringList{} << opening;
        QByteArray lines101;
        for (int i = 0; i < 101; ++i)
            lines101 += "MX, " + QByteArray::number(i) + "   \r\n";
        QTest::newRow("101 lines") << lines101 << QStringList{"refused", "101 program lines"} << QByteArray();
        QTest::newRow("100 lines after a header")
            << "'' Header file created by Corvane Headsmith\r\n' End of header file\r\n" +
                   lines101.mid(lines101.indexOf('\n') + 1)
            << QStringList{} << QByteArray();
        QTest::newRow("NUL bytes") << QByteArray("MX, 2   \r\n\0\r\n", 12) << QStringList{"refused", "NUL"}
                                   << QByteArray();
        QTest::newRow("control character in a program line: a free command, shown by its sign")
            << QByteArray("END\r\nG0\x1b[2J\r\n\x0c\r\n")
            << QStringList{"END|END|", "Blank|G0\u241b[2J|", "Blank|\u240c|"}
            << opening + "END\r\nG0\x1b[2J\r\n\x0c\r\n";
    }
    void foreignFiles() {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, kinds);
        QFETCH(QByteArray, written);
        const QString path = m_dir.filePath(QStringLiteral("foreign.cvp"));
        putBytes(path, content);

        Panel p;
        p.m.add(Kind::Comment, QStringLiteral("'kept"), {});
        const QStringList before = shown(p.m);
        const partfilereader::ReadResult r = partfilereader::readFile(path);
        if (kinds.value(0) == QLatin1String("refused")) {
            QVERIFY(!r.ok);
            QVERIFY2(r.error.contains(kinds.at(1)), qPrintable(r.error));
            QVERIFY(r.error.contains(QDir::toNativeSeparators(path)));
            QVERIFY(!apply(r, p));
            QCOMPARE(shown(p.m), before);
            return;
        }
        QVERIFY2(r.ok, qPrintable(r.error));
        QVERIFY(apply(r, p));
        QVERIFY2(p.m.checkInvariants().isEmpty(), qPrintable(p.m.checkInvariants()));
        if (!kinds.isEmpty() || content.isEmpty()) {
            QStringList got;
            for (const QString& s : shown(p.m)) {
                const QStringList f = s.split(u'|');
                // A free command shows its line split at the first "'"; compare it whole.
                got << (f[0] == QLatin1String("Blank") ? QStringLiteral("Blank|%1|").arg(f[1] + f[2])
                                                       : QStringList(f.mid(0, 3)).join(u'|'));
            }
            QStringList want = kinds;
            for (QString& w : want)
                if (w.startsWith(QLatin1String("Blank|")))
                    w = QStringLiteral("Blank|%1|").arg(w.split(u'|').mid(1).join(QString()));
            QCOMPARE(got, want);
        }
        const QString again = m_dir.filePath(QStringLiteral("foreign-again.cvp"));
        QVERIFY(write(again, p).ok);
        if (!written.isEmpty()) QCOMPARE(readAll(again), written);
        // Written once in the program's own form, a file reads back to the same and saves the same.
        Panel q;
        QVERIFY(apply(partfilereader::readFile(again), q));
        QCOMPARE(shown(q.m), shown(p.m));
        QVERIFY(write(path, q).ok);
        QCOMPARE(readAll(path), readAll(again));
    }

    // What Headsmith writes into a saved file is what the next save keeps: its header and closing
    // block, and lines it moved from after an old closing block into the program.
    void headsmithRewriteIsKept() {
        const QString path = m_dir.filePath(QStringLiteral("headed.cvp"));
        PartDocument doc(sixPerChar);
        doc.setFilePath(path);
        doc.model().add(Kind::Move, QStringLiteral("MX, 1"), QStringLiteral("'a"));
        doc.model().add(Kind::Comment, QStringLiteral("'c"), {});
        QVERIFY(doc.save().ok);
        ScriptedPlatform platform;
        HeaderFields f;
        f.description = QStringLiteral("door sign");
        f.addClosing = true;
        f.closingPath = QStringLiteral("C:\\cvparts\\park.cvp");
        QCOMPARE(headsmith::rewritePartFile(path, f, platform).outcome, headsmith::RewriteResult::Outcome::Written);
        doc.takeRewritten();
        QCOMPARE(doc.model().lineCount(), 2);
        const QByteArray headed = readAll(path);
        const QString again = m_dir.filePath(QStringLiteral("headed-again.cvp"));
        QVERIFY(partfile::write(again, doc.model(), doc.kept()).ok);
        QCOMPARE(readAll(again), headed);

        // A line after the closing block, then both blocks replaced: the line now belongs to the program.
        putBytes(path, headed + "' mine\r\n");
        QVERIFY(doc.open(path).ok);
        platform.yesNo << true << true;
        QCOMPARE(headsmith::rewritePartFile(path, f, platform).outcome, headsmith::RewriteResult::Outcome::Written);
        doc.takeRewritten();
        QCOMPARE(doc.model().lineCount(), 3);
        QVERIFY(partfile::write(again, doc.model(), doc.kept()).ok);
        QCOMPARE(readAll(again), readAll(path));
    }
};

#include "testmain.h"
QTEST_GUILESS_MAIN(tst_partfilereader)
#include "tst_partfilereader.moc"
