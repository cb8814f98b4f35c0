// The command line and the modes that run without a window: what is parsed, what is printed, and the
// exit status, on part files written as an operator would.
#include "gui/batchmodes.h"
#include "gui/commandline.h"
#include "testfiles.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

Run run(const QStringList& arguments) {
    Run r;
    const CommandLine command = parseCommandLine(QStringList{QStringLiteral("cvstacker")} + arguments);
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    switch (command.mode) {
    case CommandLine::Mode::Check:
        r.status = runCheck(command, out, err);
        break;
    case CommandLine::Mode::DryRun:
        r.status = runDryRun(command, out, err);
        break;
    case CommandLine::Mode::JobSheet:
        r.status = runJobSheet(command, err);
        break;
    case CommandLine::Mode::Error:
        r.status = 2;
        r.err = command.message;
        break;
    default:
        r.status = 0;
        r.out = command.message;
        break;
    }
    return r;
}

const QByteArray Opening = "' Created using the Corvane Part File Stacker\r\n' notice\r\n'\r\n";

} // namespace

class tst_commandline : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void parsing_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("file");
        QTest::newRow("a file") << QStringList{"job.cvp"} << int(CommandLine::Mode::Window) << "job.cvp";
        QTest::newRow("a file named like a Qt option")
            << QStringList{"--", "-reverse"} << int(CommandLine::Mode::Window) << "-reverse";
        QTest::newRow("help") << QStringList{"--help"} << int(CommandLine::Mode::Help) << "";
        QTest::newRow("version") << QStringList{"--version"} << int(CommandLine::Mode::Version) << "";
        QTest::newRow("check") << QStringList{"--check", "a.cvp"} << int(CommandLine::Mode::Check) << "a.cvp";
        QTest::newRow("dry run, options after the file")
            << QStringList{"--dry-run", "a.cvp", "--json", "--answer", "w=2"} << int(CommandLine::Mode::DryRun)
            << "a.cvp";
        QTest::newRow("job sheet with answers") << QStringList{"--job-sheet", "out.pdf", "a.cvp", "--answer", "w=2"}
                                                << int(CommandLine::Mode::JobSheet) << "a.cvp";
        QTest::newRow("job sheet and dry run")
            << QStringList{"--job-sheet", "out.pdf", "--dry-run", "a.cvp"} << int(CommandLine::Mode::Error) << "";
        QTest::newRow("job sheet with json")
            << QStringList{"--job-sheet", "out.pdf", "--json", "a.cvp"} << int(CommandLine::Mode::Error) << "";
        QTest::newRow("answer alone") << QStringList{"--answer", "w=2", "a.cvp"} << int(CommandLine::Mode::Error) << "";
        QTest::newRow("two files") << QStringList{"a.cvp", "b.cvp"} << int(CommandLine::Mode::Error) << "";
        QTest::newRow("check without a file") << QStringList{"--check"} << int(CommandLine::Mode::Error) << "";
        QTest::newRow("json without a dry run")
            << QStringList{"--json", "a.cvp"} << int(CommandLine::Mode::Error) << "";
        QTest::newRow("unknown option") << QStringList{"--frobnicate"} << int(CommandLine::Mode::Error) << "";
        QTest::newRow("cell without a dry run")
            << QStringList{"--cell", "0.1", "a.cvp"} << int(CommandLine::Mode::Error) << "";
        QTest::newRow("a cell that is no size")
            << QStringList{"--dry-run", "a.cvp", "--cell", "-1"} << int(CommandLine::Mode::Error) << "";
    }
    void parsing() {
        QFETCH(QStringList, arguments);
        QFETCH(int, mode);
        QFETCH(QString, file);
        const CommandLine c = parseCommandLine(QStringList{QStringLiteral("cvstacker")} + arguments);
        QCOMPARE(int(c.mode), mode);
        if (mode != int(CommandLine::Mode::Error)) QCOMPARE(c.file, file);
        if (mode == int(CommandLine::Mode::Error)) QVERIFY(!c.message.isEmpty());
    }

    // One finding a line, lines counted in the file as it stands; 1 for an error, 0 otherwise, 2
    // when the file cannot be read.
    void check_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("status");
        QTest::newRow("clean") << Opening + "MX, 1   \r\nEND\r\n" << QStringList{} << 0;
        QTest::newRow("missing label, after the opening lines")
            << Opening + "MX, 1   \r\nGOTO nowhere:   \r\nEND\r\n"
            << QStringList{"f.cvp:5: error: No Label line defines \"nowhere\", so the router cannot jump there."} << 1;
        QTest::newRow("no opening lines: counted from the first")
            << QByteArray("GOTO nowhere:   \r\nEND\r\n")
            << QStringList{"f.cvp:1: error: No Label line defines \"nowhere\", so the router cannot jump there."} << 1;
        QTest::newRow("a warning only") << Opening + "top:   \r\nEND\r\n"
                                        << QStringList{"f.cvp:4: warning: Nothing jumps to the label \"top\"."} << 0;
        const QString ends = "f.cvp: note: Lines of this file end in %1 alone (the first is line %2 of the file); Save "
                             "ends every line with CR LF, so the file will change.";
        QTest::newRow("lines ending in LF, said once")
            << QByteArray("MX, 1   \r\nMX, 2   \nMX, 3   \n") << QStringList{ends.arg("LF").arg(2)} << 0;
        QTest::newRow("a line ending in CR") << Opening + "MX, 1   \rEND" << QStringList{ends.arg("CR").arg(4)} << 0;
        QTest::newRow("a command this program does not know")
            << Opening + "G0 X1 Y2\r\n"
            << QStringList{"f.cvp:4: note: This program does not know this command, so neither the checker nor the dry "
                           "run follows it."}
            << 0;
        QTest::newRow("101 lines, every one checked")
            << Opening + QByteArray("MX, 1   \r\n").repeated(100) + "GOTO nowhere:   \r\n"
            << QStringList{"f.cvp:104: error: No Label line defines \"nowhere\", so the router cannot jump there.",
                           "f.cvp:104: warning: The program jumps but has no END line, so it runs on into the lines "
                           "it jumps to.",
                           "f.cvp:104: note: The program has 101 lines, and every one is checked; the panel takes at "
                           "most 100, so the window cannot open this file."}
            << 1;
        QTest::newRow("the dry run's own findings")
            << Opening + "sub:   \r\nGOSUB sub:   \r\nEND\r\n"
            << QStringList{"f.cvp:5: error: This GOSUB would wait for more than 1000 RETURNs at once, a subroutine "
                           "that calls itself without end; the run stops here."}
            << 1;
    }
    void check() {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, lines);
        QFETCH(int, status);
        QDir::setCurrent(m_dir.path());
        putBytes(path(QStringLiteral("f.cvp")), content);
        const Run r = run({QStringLiteral("--check"), QStringLiteral("f.cvp")});
        QCOMPARE(r.status, status);
        QCOMPARE(r.out.split(u'\n', Qt::SkipEmptyParts), lines);
        QCOMPARE(r.err, QString());
    }

    void unreadableFileIsStatusTwo_data() {
        QTest::addColumn<QString>("mode");
        QTest::newRow("check") << "--check";
        QTest::newRow("dry run") << "--dry-run";
    }
    void unreadableFileIsStatusTwo() {
        QFETCH(QString, mode);
        const Run r = run({mode, path(QStringLiteral("missing.cvp"))});
        QCOMPARE(r.status, 2);
        QVERIFY(r.err.contains(QStringLiteral("missing.cvp")));
        QCOMPARE(r.out, QString());
    }

    // The JSON object has exactly its keys, and its numbers are the run's (worked out by hand: a
    // plunge of 0.5 at 0.5/s, a cut of 3 at 1/s, an INPUT answered on the command line, a PAUSE).
    void dryRunJson() {
        putBytes(path(QStringLiteral("j.cvp")),
                 Opening + "INPUT \"Length?\" &len   \r\nMZ, , , -0.5   \r\nMX, &&len   \r\nPAUSE\r\nfoo bar\r\n");
        const Run r = run({QStringLiteral("--dry-run"), path(QStringLiteral("j.cvp")), QStringLiteral("--json"),
                           QStringLiteral("--answer"), QStringLiteral("&len=3")});
        QCOMPARE(r.status, 0);
        const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QStringList keys = o.keys();
        keys.sort();
        QCOMPARE(keys, (QStringList{"carve", "extent", "not_simulated", "segments", "stops", "time_s", "warnings"}));
        QCOMPARE(o.value(QStringLiteral("time_s")).toDouble(), 4.0);
        QCOMPARE(o.value(QStringLiteral("segments")).toInt(), 2);
        QCOMPARE(o.value(QStringLiteral("stops")).toInt(), 2); // the INPUT and the PAUSE
        QCOMPARE(o.value(QStringLiteral("extent")).toObject().value(QStringLiteral("x")).toArray(), (QJsonArray{0, 3}));
        QCOMPARE(o.value(QStringLiteral("extent")).toObject().value(QStringLiteral("z")).toArray(),
                 (QJsonArray{-0.5, 0}));
        const QJsonArray notSimulated = o.value(QStringLiteral("not_simulated")).toArray();
        QCOMPARE(notSimulated.size(), 1);
        QCOMPARE(notSimulated[0].toObject().value(QStringLiteral("line")).toInt(), 8);
        QCOMPARE(notSimulated[0].toObject().value(QStringLiteral("file")).toString(), path(QStringLiteral("j.cvp")));
    }

    void dryRunPicture_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("starts");
        QTest::newRow("png") << "path.png" << QByteArray("\x89PNG");
        QTest::newRow("svg") << "path.svg" << QByteArray("<?xml");
    }
    void dryRunPicture() {
        QFETCH(QString, name);
        QFETCH(QByteArray, starts);
        putBytes(path(QStringLiteral("p.cvp")), Opening + "M2, 1, 2   \r\nJ2, 0, 0   \r\n");
        const Run r = run({QStringLiteral("--dry-run"), path(QStringLiteral("p.cvp")),
                           QStringLiteral("--toolpath-image"), path(name)});
        QCOMPARE(r.status, 0);
        QVERIFY(readAll(path(name)).startsWith(starts));
        // Every length printed carries its unit.
        QVERIFY2(r.out.contains(QStringLiteral("Unit: inches, from the settings\nExtent: X 0.000 to 1.000 in, "
                                               "Y 0.000 to 2.000 in, Z 0.000 to 0.000 in\n")),
                 qPrintable(r.out));
        // A picture that cannot be written is a failure, with the reason.
        const Run bad = run({QStringLiteral("--dry-run"), path(QStringLiteral("p.cvp")),
                             QStringLiteral("--toolpath-image"), path(QStringLiteral("p.cvp/no/") + name)});
        QCOMPARE(bad.status, 2);
        QVERIFY(!bad.err.isEmpty());
    }

    // The carved blank of a slot 6 long, 1/4 wide and 1/4 deep on a 12 x 6 blank: the numbers a script
    // reads, the picture with the slot in it (and no part file replaced by it), a cell over the budget
    // refused.
    void dryRunCarve() {
        const QString job = path(QStringLiteral("c.cvp"));
        const QByteArray content = "'' Cut this file out of a 12 x 6 piece of plywood that's 3/4 thick\r\n"
                                   "'' using a 1/4 down-spiral bit\r\n"
                                   "'' with the z-axis zeroed at the top surface of the blank\r\n" +
                                   Opening + "JZ, , , 0.5\r\nJ2, 2, 3\r\nMZ, , , -0.25\r\nMX, 8\r\nJZ, , , 0.5\r\n";
        putBytes(job, content);
        const Run r = run({QStringLiteral("--dry-run"), job, QStringLiteral("--json"), QStringLiteral("--cut-image"),
                           path(QStringLiteral("cut.png"))});
        QCOMPARE(r.status, 0);
        const QJsonObject carve =
            QJsonDocument::fromJson(r.out.toUtf8()).object().value(QStringLiteral("carve")).toObject();
        QCOMPARE(carve.value(QStringLiteral("unit")).toString(), QStringLiteral("in"));
        QCOMPARE(carve.value(QStringLiteral("tool")).toObject(),
                 (QJsonObject{{"shape", "flat"}, {"diameter", 0.25}, {"angle", QJsonValue::Null}}));
        QCOMPARE(carve.value(QStringLiteral("deepest")).toObject(), (QJsonObject{{"x", 2}, {"y", 3}, {"z", -0.25}}));
        const double exact = (6 * 0.25 + M_PI * 0.125 * 0.125) * 0.25;
        QVERIFY(std::abs(carve.value(QStringLiteral("removed_volume")).toDouble() / exact - 1) < 0.005);
        const double cell = carve.value(QStringLiteral("cell")).toDouble();
        QVERIFY(cell > 0.001 && cell < 0.003);
        const QImage image(path(QStringLiteral("cut.png")));
        QCOMPARE(image.size(), QSize(qRound(12.25 / cell + 0.5), qRound(6.25 / cell + 0.5)));
        // Pixels count from the top left, the blank's edge 1/8 in (the bit's radius) in.
        const auto pixel = [&](double x, double y) {
            return image.pixel(int((x + 0.125) / cell), int((6.125 - y) / cell));
        };
        QVERIFY(pixel(5, 3) != pixel(5, 5));
        QCOMPARE(pixel(5, 5), pixel(11, 1));

        const Run same = run({QStringLiteral("--dry-run"), job, QStringLiteral("--cut-image"), job});
        QCOMPARE(same.status, 2);
        QCOMPARE(readAll(job), content);
        const Run fine = run({QStringLiteral("--dry-run"), job, QStringLiteral("--cell"), QStringLiteral("0.0001")});
        QCOMPARE(fine.status, 2);
        QVERIFY(fine.err.contains(QStringLiteral("budget")));
    }

    // 0 when the PDF is written, 2 when the part file cannot be read or an answer is no number, 1
    // when the PDF cannot be written (also when it would take the part file's place, which stays).
    void jobSheet_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("pdf");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("status");
        QTest::newRow("written") << "s.cvp"
                                 << "s.pdf"
                                 << "len=3" << 0;
        QTest::newRow("no such part file") << "missing.cvp"
                                           << "m.pdf"
                                           << "len=3" << 2;
        QTest::newRow("an answer that is no number") << "s.cvp"
                                                     << "a.pdf"
                                                     << "len=three" << 2;
        QTest::newRow("a folder that is a file") << "s.cvp"
                                                 << "s.cvp/no/s.pdf"
                                                 << "len=3" << 1;
        QTest::newRow("the part file itself") << "s.cvp"
                                              << "s.cvp"
                                              << "len=3" << 1;
    }
    void jobSheet() {
        QFETCH(QString, file);
        QFETCH(QString, pdf);
        QFETCH(QString, answer);
        QFETCH(int, status);
        const QByteArray part = Opening + "INPUT \"Length?\" &len   \r\nMX, &&len   \r\nPAUSE\r\n";
        QFile::remove(path(pdf));
        putBytes(path(QStringLiteral("s.cvp")), part);
        const Run r = run({QStringLiteral("--job-sheet"), path(pdf), path(file), QStringLiteral("--answer"), answer});
        QCOMPARE(r.status, status);
        QCOMPARE(r.out, QString());
        QCOMPARE(r.err.isEmpty(), status == 0);
        QCOMPARE(readAll(path(QStringLiteral("s.cvp"))), part);
        if (status == 0) QVERIFY(readAll(path(pdf)).startsWith("%PDF-"));
        if (status != 0 && pdf != QLatin1String("s.cvp")) QVERIFY(!QFile::exists(path(pdf)));
    }

    void badAnswerIsStatusTwo() {
        putBytes(path(QStringLiteral("a.cvp")), Opening);
        const Run r = run({QStringLiteral("--dry-run"), path(QStringLiteral("a.cvp")), QStringLiteral("--answer"),
                           QStringLiteral("len=three")});
        QCOMPARE(r.status, 2);
        QVERIFY(r.err.contains(QStringLiteral("len=three")));
    }
};

#include "testmain.h"
QTEST_MAIN(tst_commandline)
#include "tst_commandline.moc"
