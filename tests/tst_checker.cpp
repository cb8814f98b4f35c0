// The program checker: each rule firing, each rule quiet on the nearest correct program, and the
// findings pointing at the very line the part file will hold.
#include "core/checker/checker.h"
#include "core/dryrun/dryrun.h"
#include "core/panel/programmodel.h"
#include "core/partfile/calledfile.h"
#include "core/partfile/partfile.h"
#include "onwindows.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

// kind code, held text; "%DIR%" in a held text stands for the part file's folder.
QStringList L(Kind k, const QString& held) {
    return {QString::number(code(k)), held};
}

} // namespace

class tst_checker : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void findings_data() {
        QTest::addColumn<QList<QStringList>>("program");
        QTest::addColumn<QStringList>("expected"); // rule@line, in line order; lines count from 4

        const QStringList none;
        QTest::newRow("no findings at all")
            << QList<QStringList>{L(Kind::Variable, "&&n = 1"),
                                  L(Kind::Input, "INPUT \"Size?\" &&size"),
                                  L(Kind::Label, "loop:"),
                                  L(Kind::IfThen, "IF &&n > &&size THEN GOTO done:"),
                                  L(Kind::GoTo, "GOTO loop:"),
                                  L(Kind::Label, "done:"),
                                  L(Kind::FileCall, "FP, sub/part.cvp,,,,, 0"),
                                  L(Kind::End, "END"),
                                  L(Kind::Comment, "'notes after the end are never run")}
            << none;
        QTest::newRow("empty program") << QList<QStringList>{} << none;

        // A jump to a label no line defines.
        QTest::newRow("GOTO misspelt") << QList<QStringList>{L(Kind::Label, "again:"), L(Kind::GoTo, "GOTO agian:"),
                                                             L(Kind::End, "END")}
                                       << QStringList{"unused-label@4", "unknown-label@5"};
        QTest::newRow("IF..THEN GOTO to nowhere")
            << QList<QStringList>{L(Kind::Variable, "&&n = 0"), L(Kind::IfThen, "IF &&n > 3 THEN GOTO nowhere:"),
                                  L(Kind::End, "END")}
            << QStringList{"unknown-label@5"};
        QTest::newRow("GOSUB to nowhere")
            << QList<QStringList>{L(Kind::GoSub, "GOSUB sub1:"), L(Kind::End, "END")} << QStringList{"unknown-label@4"};
        // The router reads "loop" as no label at all, whatever block holds it.
        QTest::newRow("label without its colon")
            << QList<QStringList>{L(Kind::Label, "loop"), L(Kind::GoTo, "GOTO loop:"), L(Kind::End, "END")}
            << QStringList{"unknown-command@4", "unknown-label@5"};
        QTest::newRow("jump without its colon")
            << QList<QStringList>{L(Kind::Label, "loop:"), L(Kind::GoTo, "GOTO loop"), L(Kind::End, "END")} << none;
        QTest::newRow("target in other letter case")
            << QList<QStringList>{L(Kind::Label, "Loop:"), L(Kind::IfThen, "IF 1 THEN GOTO LOOP:"),
                                  L(Kind::GoSub, "GOSUB loop:"), L(Kind::End, "END")}
            << none;
        QTest::newRow("label as a free command")
            << QList<QStringList>{L(Kind::Blank, "here:"), L(Kind::Blank, "GOTO here:"), L(Kind::End, "END")} << none;

        // A label defined twice, whatever its case.
        QTest::newRow("label twice") << QList<QStringList>{L(Kind::Label, "a:"), L(Kind::Label, "A:"),
                                                           L(Kind::GoTo, "GOTO a:"), L(Kind::End, "END")}
                                     << QStringList{"duplicate-label@5"};

        // Called files, relative names taken from the part file's folder.
        QTest::newRow("called file gone")
            << QList<QStringList>{L(Kind::FileCall, "FP, gone.cvp,,,,, 0")} << QStringList{"missing-file@4"};
        QTest::newRow("absolute called file gone")
            << QList<QStringList>{L(Kind::FileCall, "FP, %DIR%/sub/gone.cvp,,,,, 1")} << QStringList{"missing-file@4"};
        QTest::newRow("relative name is from the folder, not the subfolder")
            << QList<QStringList>{L(Kind::FileCall, "FP, part.cvp,,,,, 0")} << QStringList{"missing-file@4"};
        QTest::newRow("a folder is no file")
            << QList<QStringList>{L(Kind::FileCall, "FP, sub,,,,, 0")} << QStringList{"not-a-file@4"};
        QTest::newRow("absolute called file there")
            << QList<QStringList>{L(Kind::FileCall, "FP, %DIR%/sub/part.cvp,,,,, 2")} << none;

        // Lines left at their dialog's prompts.
        QTest::newRow("label prompt") << QList<QStringList>{L(Kind::Label, "Type label name here:"),
                                                            L(Kind::End, "END")}
                                      << QStringList{"untouched-prompt@4", "unused-label@4"};
        QTest::newRow("GOTO without a name")
            << QList<QStringList>{L(Kind::GoTo, ""), L(Kind::End, "END")} << QStringList{"untouched-prompt@4"};
        QTest::newRow("GOSUB prompt") << QList<QStringList>{L(Kind::GoSub, "GOSUB Type GOSUB label here:"),
                                                            L(Kind::Label, "Type GOSUB label here:"),
                                                            L(Kind::End, "END")}
                                      << QStringList{"untouched-prompt@4"};
        QTest::newRow("IF, Variable, INPUT prompts")
            << QList<QStringList>{L(Kind::IfThen, "IF  THEN "), L(Kind::Variable, " = "), L(Kind::Input, "INPUT \"\" ")}
            << QStringList{"untouched-prompt@4", "untouched-prompt@5", "untouched-prompt@6"};
        QTest::newRow("a stop without a variable, an empty line")
            << QList<QStringList>{L(Kind::Input, "INPUT \"Ready?\" "), L(Kind::Blank, "")} << none;
        QTest::newRow("commands this program does not know")
            << QList<QStringList>{L(Kind::Blank, "G0 X1 Y2"), L(Kind::Blank, "%"), L(Kind::Blank, "(a comment)"),
                                  L(Kind::Blank, "N10 G90"), L(Kind::Blank, "IF 1 = 1 THEN SO, 1, 1")}
            << QStringList{"unknown-command@4", "unknown-command@5", "unknown-command@6", "unknown-command@7",
                           "unknown-command@8"};
        QTest::newRow("values that cannot be evaluated")
            << QList<QStringList>{L(Kind::Move, "MX, 1e3"), L(Kind::Variable, "&&a = 2 +"),
                                  L(Kind::IfThen, "IF 1/0 > &&a THEN PAUSE")}
            << QStringList{"bad-value@4", "bad-value@5", "bad-value@6"};
        QTest::newRow("prompts filled in")
            << QList<QStringList>{L(Kind::Variable, "&&x = 0"), L(Kind::Input, "INPUT \"\" &&y"),
                                  L(Kind::IfThen, "IF &&x = &&y THEN PAUSE")}
            << none;

        // Variables used before a line sets them, in line order.
        QTest::newRow("IF tests a variable set below it")
            << QList<QStringList>{L(Kind::IfThen, "IF &&n > 3 THEN GOTO done:"), L(Kind::Variable, "&&n = 1"),
                                  L(Kind::Label, "done:"), L(Kind::End, "END")}
            << QStringList{"variable-before-set@4"};
        QTest::newRow("INPUT sets it before the IF")
            << QList<QStringList>{L(Kind::Input, "INPUT \"n?\" &&n"), L(Kind::IfThen, "IF &&n > 3 THEN GOTO done:"),
                                  L(Kind::Label, "done:"), L(Kind::End, "END")}
            << none;
        QTest::newRow("variable in other letter case")
            << QList<QStringList>{L(Kind::Variable, "&&Count = 1"), L(Kind::IfThen, "IF &&count > 1 THEN PAUSE")}
            << none;
        QTest::newRow("GOTO a variable never set")
            << QList<QStringList>{L(Kind::GoTo, "GOTO &target:"), L(Kind::Label, "a:"), L(Kind::End, "END")}
            << QStringList{"variable-before-set@4"};
        QTest::newRow("GOTO a variable set before, any label reachable")
            << QList<QStringList>{L(Kind::Variable, "&&t = a"), L(Kind::GoTo, "GOTO &t:"), L(Kind::End, "END"),
                                  L(Kind::Label, "a:"), L(Kind::Move, "MX, 1")}
            << none;
        QTest::newRow("file call by a variable never set")
            << QList<QStringList>{L(Kind::FileCall, "FP, %DIR%/&part.cvp,,,,, 0")}
            << QStringList{"variable-before-set@4"};

        // Lines after an END that no jump reaches.
        QTest::newRow("after END, no label")
            << QList<QStringList>{L(Kind::End, "END"), L(Kind::Move, "MX, 1"), L(Kind::Comment, "'ignored"),
                                  L(Kind::Label, "x:"), L(Kind::Move, "MX, 2")}
            << QStringList{"unreachable@5", "unreachable@7", "unused-label@7", "unreachable@8"};
        QTest::newRow("after END, a subroutine")
            << QList<QStringList>{L(Kind::GoSub, "GOSUB sub:"), L(Kind::End, "END"), L(Kind::Label, "sub:"),
                                  L(Kind::Move, "MX, 1"), L(Kind::Return, "RETURN")}
            << none;

        QTest::newRow("jumps but no END")
            << QList<QStringList>{L(Kind::Label, "loop:"), L(Kind::Move, "MX, 1"), L(Kind::GoTo, "GOTO loop:")}
            << QStringList{"jumps-without-end@6"};
        QTest::newRow("label nothing jumps to")
            << QList<QStringList>{L(Kind::Label, "spare:"), L(Kind::End, "END")} << QStringList{"unused-label@4"};
    }

    void findings() {
        QFETCH(QList<QStringList>, program);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        QFile part(dir.filePath(QStringLiteral("sub/part.cvp")));
        QVERIFY(part.open(QIODevice::WriteOnly));
        part.close();

        QList<checker::Line> lines;
        for (const QStringList& l : program)
            lines << checker::Line{kindFromCode(l[0].toInt()),
                                   QString(l[1]).replace(QStringLiteral("%DIR%"), dir.path()), QString(),
                                   static_cast<int>(lines.size()) + 1};
        QStringList got;
        for (const checker::Finding& f : checker::check(lines, dir.path())) {
            got << f.rule + u'@' + QString::number(f.line);
            QVERIFY(!f.message.isEmpty());
            const bool error = f.rule == QLatin1String("unknown-label") || f.rule == QLatin1String("duplicate-label") ||
                               f.rule == QLatin1String("missing-file") || f.rule == QLatin1String("not-a-file");
            QCOMPARE(f.severity, error                                        ? checker::Severity::Error
                                 : f.rule == QLatin1String("unknown-command") ? checker::Severity::Note
                                                                              : checker::Severity::Warning);
        }
        QCOMPARE(got, expected);
    }

    // Called files by the router's rule, the same for the checker and the dry run's loader: a backslash
    // separates folders, letter case does not matter, a folder, a FIFO or a link to nothing is no
    // part file (and the FIFO is never opened), a Windows path is only named.
    void calledFiles_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("rule"); // the one finding, empty for none
        QTest::newRow("as it is") << "sub/Part.cvp"
                                  << "";
        QTest::newRow("backslash") << "sub\\Part.cvp"
                                   << "";
        QTest::newRow("other letter case") << "SUB\\part.CVP"
                                           << "";
        QTest::newRow("blanks around") << "  sub\\Part.cvp "
                                       << "";
        QTest::newRow("parent folder") << "sub\\folder\\..\\part.cvp"
                                       << "";
        QTest::newRow("missing") << "sub\\none.cvp"
                                 << "missing-file";
        QTest::newRow("missing folder") << "nowhere\\Part.cvp"
                                        << "missing-file";
        QTest::newRow("a folder") << "sub\\folder"
                                  << "not-a-file";
        QTest::newRow("a folder, other case") << "Sub\\FOLDER"
                                              << "not-a-file";
#ifdef Q_OS_UNIX
        QTest::newRow("link to nothing") << "sub/dangling"
                                         << "missing-file";
        QTest::newRow("a FIFO") << "sub\\pipe"
                                << "not-a-file";
        QTest::newRow("a FIFO, other case") << "sub/PIPE"
                                            << "not-a-file";
#endif
        // Where Windows runs these are paths like any other, to files that are not there.
        const QString windowsPath = onWindows() ? QStringLiteral("missing-file") : QStringLiteral("windows-path");
        QTest::newRow("drive letter") << "C:\\cvparts\\sign\\pocket.cvp" << windowsPath;
        QTest::newRow("network share") << "\\\\server\\parts\\a.cvp" << windowsPath;
        QTest::newRow("from a drive's root") << "\\parts\\a.cvp" << windowsPath;
    }
    void calledFiles() {
        QFETCH(QString, name);
        QFETCH(QString, rule);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("sub/folder")));
        QFile part(dir.filePath(QStringLiteral("sub/Part.cvp")));
        QVERIFY(part.open(QIODevice::WriteOnly));
        part.write("MX, 1\r\n");
        part.close();
#ifdef Q_OS_UNIX
        QVERIFY(
            QFile::link(dir.filePath(QStringLiteral("sub/gone.cvp")), dir.filePath(QStringLiteral("sub/dangling"))));
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("sub/pipe"))).constData(), 0600), 0);
#endif
        const QString line = QStringLiteral("FP, %1,,,,, 0").arg(name);
        QStringList got;
        for (const checker::Finding& f : checker::check({checker::Line{Kind::FileCall, line, {}, 1}}, dir.path())) {
            got << f.rule;
            QCOMPARE(f.severity,
                     rule == QLatin1String("windows-path") ? checker::Severity::Warning : checker::Severity::Error);
            // A Windows path is shown as written.
            if (rule == QLatin1String("windows-path")) QVERIFY(f.message.contains(name));
        }
        QCOMPARE(got, rule.isEmpty() ? QStringList() : QStringList{rule});

        const calledfile::Target target = calledfile::resolve(name, dir.path());
        QCOMPARE(target.kind == calledfile::Target::Kind::WindowsPath, rule == QLatin1String("windows-path"));
        if (target.kind != calledfile::Target::Kind::Path) return;
        // The dry run loads exactly the files the checker finds, and the same file.
        const dryrun::Loaded loaded = dryrun::fileLoader()(target.path);
        QCOMPARE(loaded.ok, rule.isEmpty());
        // Windows finds a name in any letter case as written; elsewhere it is found as stored.
        const QString expected = QDir::cleanPath(dir.filePath(QStringLiteral("sub/Part.cvp")));
        if (loaded.ok)
            QCOMPARE(calledfile::find(target.path)
                         .path.compare(expected, onWindows() ? Qt::CaseInsensitive : Qt::CaseSensitive),
                     0);
    }

    // On a real panel, a finding names the table row of its block and the file line Save writes for it.
    void pointsAtWrittenLine() {
        ProgramModel panel([](const QString& s) { return 6 * static_cast<int>(s.size()); });
        QVERIFY(panel.add(Kind::Move, QStringLiteral("MX, 1"), QStringLiteral("'start")));
        QVERIFY(panel.add(Kind::GoTo, QStringLiteral("GOTO agian:"), QStringLiteral("'retry")));
        QVERIFY(panel.add(Kind::End, {}, {}));
        // Swapped as a drop leaves them: the GOTO now stands first.
        QCOMPARE(panel.moveLine(2, -1), 1);
        const QList<checker::Finding> found = checker::check(panel, QString());
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0].row, 1);
        QCOMPARE(found[0].line, 4);
        QCOMPARE(found[0].text, partfile::programLines(panel).at(3));
        QCOMPARE(found[0].text, QStringLiteral("GOTO agian:   'retry"));
        QCOMPARE(checker::count(found, checker::Severity::Error), 1);
    }
};

#include "testmain.h"
QTEST_GUILESS_MAIN(tst_checker)
#include "tst_checker.moc"
