// Headsmith's remembered answers: the variables file written, updated and read, the old settings file,
// every byte of a value kept, and a huge file read in flat memory.
#include "gui/headsmith/headsmithwindow.h"
#include "headsmithfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTimer>

#include <future>

class tst_headeranswers : public QObject, public HeadsmithFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { setUpFixture(); }
    void cleanup() { tearDownFixture(); }

    void firstSaveWritesNineteenLines() {
        HeaderAnswers h;
        h.openingFolder = QStringLiteral("C:\\parts");
        h.openingName = QStringLiteral("home.cvp");
        h.partFolder = QStringLiteral("C:\\work");
        HeaderFields f = sampleHeaderFields();
        f.metric = true;
        f.tableTop = true;
        // The parts folder does not exist yet: it is created.
        const FileResult r = headeranswers::save(*m_platform, h, f);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(readBytes(variablesFile()),
                 crlf({"&my_hasrunheader = 1", "&header_name = Bo", "&header_copyright_holder = Bo Co",
                       "&header_restrictions = fee for any and all use", "&header_contactname = Bo",
                       "&header_phone = ", "&header_email = bo@example.com", "&header_units = 1", "&header_ZZero = 1",
                       "&header_bitsize =1/4", "&header_bittype = V bit", "&header_blank = 96 x 48",
                       "&header_material = MDF", "&header_thickness = 1/8", "&header_headernamedir = C:\\parts",
                       "&header_footernamedir = ", "&header_headernamefile = home.cvp",
                       "&header_footernamefile = ", "&header_partfiledir = C:\\work"}));
    }

    void updateKeepsForeignLines() {
        writeBytes(variablesFile(), "&my_hasrunheader = 1\r\n&router_speed=  4 \n&header_name = Old\r\n\r\n"
                                    "&header_units = 1\r\n&header_name = Older\r\nno equals sign");
        HeaderAnswers h;
        HeaderFields f = sampleHeaderFields();
        f.createdBy = QStringLiteral("New Name");
        QVERIFY(headeranswers::save(*m_platform, h, f).ok);
        // Known keys rewritten (each occurrence, name without the blank), nothing added, the rest byte for byte.
        QCOMPARE(readBytes(variablesFile()),
                 crlf({"&my_hasrunheader = 1", "&router_speed=  4 ", "&header_name =New Name", "", "&header_units = 0",
                       "&header_name =New Name", "no equals sign"}));
    }

    void fileWithoutMarkerIsNotTouched() {
        const QByteArray foreign = "&header_name = Keep\n&other = 1";
        writeBytes(variablesFile(), foreign);
        HeaderAnswers h;
        QVERIFY(headeranswers::save(*m_platform, h, sampleHeaderFields()).ok);
        QCOMPARE(readBytes(variablesFile()), foreign);
    }

    void saveFailureIsReported() {
        writeBytes(path(QStringLiteral("blocker")), "a file, not a folder");
        m_platform->partsDir = path(QStringLiteral("blocker/cvparts"));
        HeaderAnswers h;
        const FileResult r = headeranswers::save(*m_platform, h, sampleHeaderFields());
        QVERIFY(!r.ok);
        QVERIFY2(r.error.contains(QStringLiteral("blocker")), qPrintable(r.error));
    }

    void loadingTheVariablesFile_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("metric"); // -1 unit not chosen, 0 inch, 1 mm
        QTest::addColumn<int>("tableTop");
        QTest::newRow("units 1 is mm") << QByteArray("&header_units = 1") << QString() << 1 << -1;
        QTest::newRow("units 0 is inch") << QByteArray("&header_units = 0") << QString() << 0 << -1;
        QTest::newRow("units other is inch") << QByteArray("&header_units = 1.0") << QString() << 0 << -1;
        QTest::newRow("ZZero 0") << QByteArray("&header_ZZero = 0") << QString() << -1 << 0;
        QTest::newRow("ZZero 1") << QByteArray("&header_ZZero = 1") << QString() << -1 << 1;
        QTest::newRow("= inside a value") << QByteArray("&header_name = a=b") << QStringLiteral("a") << -1 << -1;
        QTest::newRow("blanks trimmed") << QByteArray("  &header_name   =   Jo Smith  \r\n")
                                        << QStringLiteral("Jo Smith") << -1 << -1;
        QTest::newRow("later key wins") << QByteArray("&header_name = A\r\n&header_name = B") << QStringLiteral("B")
                                        << -1 << -1;
        QTest::newRow("case matters, no = ignored")
            << QByteArray("&HEADER_NAME = X\r\n&header_name\r\n&header_name =Y") << QStringLiteral("Y") << -1 << -1;
    }
    void loadingTheVariablesFile() {
        QFETCH(QByteArray, content);
        QFETCH(QString, name);
        QFETCH(int, metric);
        QFETCH(int, tableTop);
        writeBytes(variablesFile(), content);
        HeaderAnswers h;
        h.createdBy = QStringLiteral("before");
        const headeranswers::Loaded l = headeranswers::load(*m_platform, h);
        QCOMPARE(l.source, headeranswers::Loaded::Source::Variables);
        QCOMPARE(h.createdBy, name.isNull() ? QStringLiteral("before") : name);
        QCOMPARE(l.metric.has_value() ? int(*l.metric) : -1, metric);
        QCOMPARE(l.tableTop.has_value() ? int(*l.tableTop) : -1, tableTop);
    }

    void oldSettingsFileTakesPrecedence_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("bitType");
        QTest::addColumn<int>("metric");
        QTest::newRow("thirteen lines, inch")
            << QByteArray("Ini Name\r\nIni Co\r\nfree for educational use\r\nIni Contact\r\n555\r\nini@example.com\r\n"
                          "1\r\n1\r\n1/4\r\nV bit\r\n32 x 24\r\nfoam\r\n3/4\r\n")
            << QStringLiteral("V bit") << 0;
        QTest::newRow("units zero is mm")
            << QByteArray("Ini Name\nx\nx\nx\nx\nx\n0\n0\nx\nV bit\n") << QStringLiteral("V bit") << 1;
        // Missing lines are empty values: an empty unit reads as 0, which is mm.
        QTest::newRow("short file: the rest empty") << QByteArray("Ini Name\r\n") << QString() << 1;
    }
    void oldSettingsFileTakesPrecedence() {
        QFETCH(QByteArray, ini);
        QFETCH(QString, bitType);
        QFETCH(int, metric);
        const QString iniPath = QDir(m_platform->programDir).filePath(QStringLiteral("CVHeader.ini"));
        writeBytes(iniPath, ini);
        writeBytes(variablesFile(), "&my_hasrunheader = 1\r\n&header_name = From variables\r\n&header_bittype = X\r\n");
        HeaderAnswers h;
        const headeranswers::Loaded l = headeranswers::load(*m_platform, h);
        QCOMPARE(l.source, headeranswers::Loaded::Source::OldSettings);
        QCOMPARE(h.createdBy, QStringLiteral("Ini Name"));
        QCOMPARE(h.bitType, bitType);
        QCOMPARE(l.metric.has_value() ? int(*l.metric) : -1, metric);
        QVERIFY(!QFile::exists(iniPath));
        QVERIFY(l.error.isEmpty());
        // The next opening reads the variables file.
        QCOMPARE(headeranswers::load(*m_platform, h).source, headeranswers::Loaded::Source::Variables);
        QCOMPARE(h.createdBy, QStringLiteral("From variables"));
    }

    void emptyOldSettingsFileIsRemoved() {
        const QString iniPath = QDir(m_platform->programDir).filePath(QStringLiteral("cvheader.ini"));
        writeBytes(iniPath, QByteArray());
        writeBytes(variablesFile(), "&header_name = V\r\n");
        HeaderAnswers h;
        QCOMPARE(headeranswers::load(*m_platform, h).source, headeranswers::Loaded::Source::Variables);
        QCOMPARE(h.createdBy, QStringLiteral("V"));
        QVERIFY(!QFile::exists(iniPath));
    }

    void findPath_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("expected");
        QTest::newRow("windows") << QStringLiteral("C:\\Program Files\\Corvane\\Toolcrate\\Stacker")
                                 << QStringLiteral("C:\\Program Files\\Corvane\\");
        QTest::newRow("last one") << QStringLiteral("/a/Toolcrate/b/Toolcrate/c") << QStringLiteral("/a/Toolcrate/b/");
        QTest::newRow("none") << QStringLiteral("/usr/bin") << QString();
    }
    void findPath() {
        QFETCH(QString, folder);
        QFETCH(QString, expected);
        QCOMPARE(helpfile::installFolder(folder).value_or(QString()), expected);
    }

    // Every byte from 0x80 up, in a value and in a key, through reading, the window, the header and
    // the update: the value keeps its byte, and a key with the byte in it is someone else's.
    void everyHighByte_data() {
        QTest::addColumn<char>("byte");
        for (int b = 0x80; b <= 0xFF; ++b)
            QTest::addRow("0x%X", b) << char(b);
    }
    void everyHighByte() {
        QFETCH(char, byte);
        const QByteArray value = QByteArray("Jos") + byte;
        const QByteArray foreign = QByteArray("&header_name") + byte + " = someone else's setting";
        writeBytes(variablesFile(), "&my_hasrunheader = 1\r\n&header_name = " + value + "\r\n" + foreign +
                                        "\r\n&header_material = " + byte + "oak" + byte + "\r\n");
        writeBytes(m_part, Part);
        HeaderAnswers h;
        {
            HeadsmithWindow dlg(m_part, h, *m_platform);
            // Neither file is UTF-8: every byte is a Windows-1252 character, shown as one.
            const auto bytes = [](const QString& text) {
                return textfile::encode(text, textfile::Encoding::Windows1252).value_or("(not Windows-1252)");
            };
            QCOMPARE(child<QLineEdit>(dlg, "txtCreatedBy")->text().size(), value.size());
            QCOMPARE(bytes(child<QLineEdit>(dlg, "txtCreatedBy")->text()), value);
            QCOMPARE(bytes(child<QComboBox>(dlg, "cmbMaterial")->currentText()), QByteArray(1, byte) + "oak" + byte);
            child<QPushButton>(dlg, "cmdDone")->click();
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
        }
        QVERIFY(readBytes(m_part).contains("\r\n'' Created by " + value + " on 12/7/2026\r\n"));
        QVERIFY(readBytes(m_part).contains(QByteArray(" piece of ") + byte + "oak" + byte + " that's"));
        const QByteArray saved = readBytes(variablesFile());
        QVERIFY(saved.contains("\r\n&header_name =" + value + "\r\n" + foreign + "\r\n"));
        QVERIFY(saved.contains(QByteArray("\r\n&header_material = ") + byte + "oak" + byte + "\r\n"));
    }

    // A remembered answer of any length reaches its box, the header and the variables file whole. One
    // longer than the lines the variables file is read in is not loaded, and the user is told which;
    // what the box then holds is saved in its place, so no new answer is dropped either.
    void longAnswersKeptWhole_data() {
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("length");
        const auto row = [](const char* name, const char* key, const char* box, int length) {
            QTest::newRow(name) << QByteArray(key) << QString::fromLatin1(box) << length;
        };
        row("created by, a megabyte", "&header_name", "txtCreatedBy", 1'000'000);
        row("copyright holder", "&header_copyright_holder", "txtCopyright", 32'769);
        row("use terms", "&header_restrictions", "cmbUse", 40'000);
        row("contact", "&header_contactname", "txtContactName", 40'000);
        row("phone", "&header_phone", "txtPhone", 40'000);
        row("email", "&header_email", "txtEmail", 40'000);
        row("bit size", "&header_bitsize", "cmbBitSize", 40'000);
        row("bit type", "&header_bittype", "cmbBitType", 40'000);
        row("material", "&header_material", "cmbMaterial", 40'000);
        row("longer than a line read", "&header_name", "txtCreatedBy", int(LineReader::DefaultBuffer) + 10);
    }
    void longAnswersKeptWhole() {
        QFETCH(QByteArray, key);
        QFETCH(QString, box);
        QFETCH(int, length);
        // Not one letter repeated: a value cut anywhere differs from the whole.
        QByteArray value(length, 'a');
        for (int i = 0; i < length; ++i)
            value[i] = char('a' + i % 26);
        writeBytes(variablesFile(), "&my_hasrunheader = 1\r\n" + key + " = " + value + "\r\n&foreign = kept\r\n");
        writeBytes(m_part, Part);
        const bool loadable = length < LineReader::DefaultBuffer;
        HeaderAnswers h;
        QString shown;
        {
            HeadsmithWindow dlg(m_part, h, *m_platform);
            QWidget* w = child<QWidget>(dlg, box.toLatin1().constData());
            const auto* combo = qobject_cast<QComboBox*>(w);
            shown = combo ? combo->currentText() : qobject_cast<QLineEdit*>(w)->text();
            if (loadable) {
                QCOMPARE(shown.size(), qsizetype(length));
                QVERIFY(shown.toLatin1() == value);
                QCOMPARE(m_platform->messageTexts(), QStringList());
            } else {
                QVERIFY(shown.size() < length);
                QCOMPARE(m_platform->messageTexts().size(), 1);
                QVERIFY2(m_platform->messageTexts().first().contains(QString::fromLatin1(key)),
                         qPrintable(m_platform->messageTexts().first()));
            }
            child<QPushButton>(dlg, "cmdDone")->click();
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
        }
        if (key == "&header_name")
            QVERIFY(readBytes(m_part).contains("\r\n'' Created by " + shown.toLatin1() + " on 12/7/2026\r\n"));
        const QByteArray saved = readBytes(variablesFile());
        const qsizetype at = saved.indexOf("\r\n" + key + " =");
        QVERIFY(at > 0);
        const qsizetype end = saved.indexOf("\r\n", at + 2);
        const std::optional<headeranswers::Entry> entry = headeranswers::parseEntry(saved.mid(at + 2, end - at - 2));
        QVERIFY(entry);
        QVERIFY(entry->value == shown);
        QVERIFY(saved.startsWith("&my_hasrunheader = 1\r\n"));
        QVERIFY(saved.endsWith("\r\n&foreign = kept\r\n"));
    }

    // A bare CR ends a value as it always ended a line for the program that wrote these files:
    // what follows it never reaches a box or the header, and an update keeps it.
    void bareCrInAValue() {
        writeBytes(variablesFile(), "&my_hasrunheader = 1\r\n&header_name = x\r&foreign = keep me\r\n");
        writeBytes(m_part, Part);
        HeaderAnswers h;
        {
            HeadsmithWindow dlg(m_part, h, *m_platform);
            QCOMPARE(child<QLineEdit>(dlg, "txtCreatedBy")->text(), QStringLiteral("x"));
            child<QLineEdit>(dlg, "txtCreatedBy")->setText(QStringLiteral("Ann"));
            child<QPushButton>(dlg, "cmdDone")->click();
        }
        QVERIFY(readBytes(m_part).contains("\r\n'' Created by Ann on 12/7/2026\r\n"));
        QCOMPARE(readBytes(variablesFile()),
                 QByteArray("&my_hasrunheader = 1\r\n&header_name =Ann\r&foreign = keep me\r\n"));
    }

    // Ten million lines (about 89 MB) read and updated in a process of its own: its memory stays flat.
    // Under AddressSanitizer, which slows every byte and whose own memory rules out the bound, a
    // million lines still go through the streamed reader and writer.
    void hugeVariablesFileInFlatMemory() {
        {
            QDir().mkpath(QFileInfo(variablesFile()).absolutePath());
            QFile f(variablesFile());
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.write("&my_hasrunheader = 1\r\n") > 0);
            const QByteArray chunk = QByteArray("&k = 12\r\n").repeated(100000);
            for (int i = 0; i < (STACKER_SANITIZED ? 10 : 100); ++i)
                QCOMPARE(f.write(chunk), chunk.size());
            QVERIFY(f.write("&header_name = Old\r\n") > 0);
        }
        const qint64 size = QFileInfo(variablesFile()).size();
        QProcess child;
        child.setWorkingDirectory(m_platform->partsDir);
        child.start(QStringLiteral(CRASH_CHILD), {QStringLiteral("variables")});
        QVERIFY(child.waitForFinished(-1)); // however slow the machine: CTest's timeout is the bound
        const QByteArray out = child.readAllStandardOutput();
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
                 child.readAllStandardError().constData());
        const qint64 peakKib = out.trimmed().split(' ').value(1).toLongLong();
        qInfo("peak memory for a %lld-byte variables file: %lld KiB", size, peakKib);
        QVERIFY(peakKib > 0);
        if (STACKER_SANITIZED)
            qInfo("not held to 64 MiB here: AddressSanitizer's shadow memory and quarantine count in the peak");
        else
            QVERIFY2(peakKib < 64 * 1024, out.constData());
        QCOMPARE(QFileInfo(variablesFile()).size(), size - 2); // "= Old" became "=Bo"
    }
};

#include "testmain.h"
QTEST_MAIN(tst_headeranswers)
#include "tst_headeranswers.moc"
