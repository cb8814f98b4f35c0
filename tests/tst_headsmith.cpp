#include "core/headsmith/cuttinglists.h"
#include "core/headsmith/headeranswers.h"
#include "core/headsmith/headertext.h"
#include "core/headsmith/linestream.h"
#include "core/headsmith/rewrite.h"
#include "core/program/modProgVar.h"
#include "core/textfile.h"
#include "gui/headsmith/headsmithwindow.h"
#include "platform/savefile.h"
#include "samplefields.h"
#include "scriptedplatform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
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
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <future>

using Outcome = headsmith::RewriteResult::Outcome;

namespace {

const QByteArray Part = "' Created using the Corvane Part File Stacker\r\n' test notice\r\n'\r\nMX, 2   \r\nEND\r\n";

QByteArray readBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<unreadable>";
    return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

// Every one-line box of the window, by object name (an editable list by the list's name).
const char* const OneLineBoxes[] = {"txtDescription",   "txtCreatedBy",  "txtDate",        "txtCopyright",
                                    "txtCopyrightYear", "cmbUse",        "txtContactName", "txtEmail",
                                    "txtPhone",         "txtHeaderFile", "txtFooterFile",  "txtXOffset",
                                    "txtYOffset",       "txtZOffset",    "cmbBlank",       "cmbThickness",
                                    "cmbMaterial",      "cmbBitSize",    "cmbBitType",     "txtEnterInfo"};

// The window's controls are private: tests find them by object name, as accessibility tools do.
template <typename W> W* child(const QObject& window, const char* name) {
    W* w = window.findChild<W*>(QLatin1String(name));
    if (!w) qFatal("no control %s", name);
    return w;
}

QByteArray crlf(const QList<QByteArray>& lines) {
    QByteArray out;
    for (const QByteArray& l : lines)
        out += l + "\r\n";
    return out;
}

// The fields behind each expected header file under tests/data/headsmith.
HeaderFields goldenFields(const QString& name, const QString& openingText, const QString& closingText) {
    HeaderFields f;
    f.Date = QStringLiteral("12/7/2026");
    f.CopyrightYear = QStringLiteral("2026");
    if (name == QLatin1String("both")) {
        f.Description = QStringLiteral("Sign for the shop door");
        f.CreatedBy = f.ContactName = QStringLiteral("Jane Maker");
        f.Copyright = QStringLiteral("Maker Works");
        f.Use = QStringLiteral("free for educational use");
        f.Email = QStringLiteral("jane@example.com");
        f.Phone = QStringLiteral("555.123.4567");
        f.Blank = QStringLiteral("96 x 48");
        f.Material = QStringLiteral("MDF");
        f.Thickness = QStringLiteral("3/4");
        f.BitSize = QStringLiteral("1/4");
        f.BitType = QStringLiteral("down-spiral bit");
        f.TableTop = true;
        f.Offset2d = true;
        f.XOffset = QStringLiteral("1.5");
        f.YOffset = QStringLiteral("2");
        f.AdditionalInfo = QStringLiteral("'' Sand the edges\n'' Paint after cutting\n");
        f.AddOpening = true;
        f.OpeningPath = QStringLiteral("C:\\parts\\home.cvp");
        f.AddClosing = true;
        f.ClosingPath = QStringLiteral("C:\\parts\\park.cvp");
    } else if (name == QLatin1String("email")) {
        f.Description = QStringLiteral("Coaster");
        f.CreatedBy = f.Copyright = f.ContactName = QStringLiteral("Sam");
        f.Use = QStringLiteral("contact copyright holder");
        f.Email = QStringLiteral("sam@example.com");
        f.Blank = QStringLiteral("32 x 24");
        f.Material = QStringLiteral("foam");
        f.Thickness = QStringLiteral("1");
        f.BitSize = QStringLiteral("1/8");
        f.BitType = QStringLiteral("V bit");
        f.Offset3d = true;
        f.XOffset = QStringLiteral("1");
        f.YOffset = QStringLiteral("2");
        f.ZOffset = QStringLiteral("0.25");
        f.AddOpening = true;
        f.OpeningAsFP = false;
        f.OpeningPath = openingText;
        f.AddClosing = true;
        f.ClosingAsFP = false;
        f.ClosingPath = closingText;
    } else if (name == QLatin1String("phone")) {
        f.CreatedBy = f.Copyright = f.ContactName = QStringLiteral("Ann");
        f.Use = QStringLiteral("no restrictions... free for any use");
        f.Phone = QStringLiteral("555.555.0000");
        f.Blank = QStringLiteral("96 x 48");
        f.Material = QStringLiteral("plywood");
        f.Thickness = QStringLiteral("1/8");
        f.BitSize = QStringLiteral("1/2");
        f.BitType = QStringLiteral("straight bit");
        f.AdditionalInfo = QStringLiteral("'' only note\n");
    } else {
        f.Description = QStringLiteral("Shelf");
        f.CreatedBy = QStringLiteral("Bo");
        f.Copyright = QStringLiteral("Bo Co");
        f.Use = QStringLiteral("fee for any and all use");
        f.ContactName = QStringLiteral("Nobody");
        f.Blank = QStringLiteral("2450 x 1225");
        f.Material = QStringLiteral("Baltic Birch plywood");
        f.Thickness = QStringLiteral("12mm");
        f.BitSize = QStringLiteral("6mm");
        f.BitType = QStringLiteral("compression bit");
        f.TableTop = true;
        f.Metric = true;
        f.AddClosing = true;
        f.ClosingPath = QStringLiteral("C:\\parts\\park.cvp");
    }
    return f;
}

} // namespace

class tst_Headsmith : public QObject {
    Q_OBJECT

    QTemporaryDir* m_dir = nullptr;
    ScriptedPlatform* m_platform = nullptr;
    QString m_part;

    QString path(const QString& name) const { return m_dir->filePath(name); }
    QString variablesFile() const { return headeranswers::variablesFilePath(m_platform->partsDir); }
    headsmith::RewriteResult rewrite(const HeaderFields& f, const headsmith::Progress& progress = {}) {
        return headsmith::rewritePartFile(m_part, f, *m_platform, progress);
    }
    // The file as a first run with plain answers leaves it.
    QByteArray withHeader(const HeaderFields& f) {
        writeBytes(m_part, Part);
        [&] { QCOMPARE(rewrite(f).outcome, Outcome::Written); }();
        return readBytes(m_part);
    }

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        m_dir = new QTemporaryDir;
        QVERIFY(m_dir->isValid());
        m_platform = new ScriptedPlatform;
        m_platform->partsDir = path(QStringLiteral("cvparts"));
        m_platform->programDir = path(QStringLiteral("program"));
        QDir().mkpath(m_platform->programDir);
        m_part = path(QStringLiteral("work/part.cvp"));
        QDir().mkpath(path(QStringLiteral("work")));
    }
    void cleanup() {
        if (!QTest::currentTestFailed()) {
            QVERIFY2(m_platform->yesNo.isEmpty(), "a scripted answer was not used");
            QVERIFY2(m_platform->files.isEmpty(), "a scripted file choice was not used");
        }
        delete m_platform;
        delete m_dir;
    }

    // ---- header text and the rewrite ----

    void goldenHeader_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"both", "email", "phone", "neither"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void goldenHeader() {
        QFETCH(QString, name);
        const QString opening = path(QStringLiteral("opening.cvp"));
        const QString closing = path(QStringLiteral("closing.cvp"));
        // Bare LF, a last line without an end and an 8-bit byte: all copied exactly, ends made CR LF.
        writeBytes(opening, "M2, 0, 0\nJZ, , , 1\r\n'caf\xe9 line\r\nPAUSE");
        writeBytes(closing, "JZ, , , 2\r\nJ2, 0, 0");
        writeBytes(m_part, Part);

        const headsmith::RewriteResult r = rewrite(goldenFields(name, opening, closing));
        QCOMPARE(r.outcome, Outcome::Written);
        QVERIFY(m_platform->asked.isEmpty()); // a fresh file raises no question
        QCOMPARE(readBytes(m_part), readBytes(QStringLiteral(STACKER_TEST_DATA "/headsmith/header_%1.cvp").arg(name)));
        // Nothing is left beside the part file or in the program's folder.
        QCOMPARE(QDir(path(QStringLiteral("work"))).entryList(QDir::Files), QStringList{QStringLiteral("part.cvp")});
        QVERIFY(QDir(m_platform->programDir).isEmpty());
    }

    void replacingHeaderKeepsOneHeader_data() {
        QTest::addColumn<bool>("oldMarker");
        QTest::newRow("own marker") << false;
        QTest::newRow("single-apostrophe marker") << true;
    }
    void replacingHeaderKeepsOneHeader() {
        QFETCH(bool, oldMarker);
        HeaderFields first = sampleHeaderFields();
        QByteArray once = withHeader(first);
        if (oldMarker) once.remove(0, 1);
        writeBytes(m_part, once);

        HeaderFields second = sampleHeaderFields();
        second.CreatedBy = QStringLiteral("Cy");
        const QByteArray newHeader = [&] {
            QList<QByteArray> lines;
            for (const headertext::BlockLine& l : headertext::writeheaderinfo(second))
                lines << l.text.toLatin1();
            return crlf(lines);
        }();
        m_platform->yesNo << true;
        QCOMPARE(rewrite(second).outcome, Outcome::Written);
        QCOMPARE(m_platform->asked.size(), 1);
        QCOMPARE(m_platform->asked[0].text, headsmith::ReplaceHeaderText());
        QCOMPARE(m_platform->asked[0].title, QStringLiteral("Replace existing header?"));
        // The empty line after the old end marker stays: one more empty line per replacement.
        QCOMPARE(readBytes(m_part), newHeader + "\r\n" + Part);
    }

    void keepingHeader() {
        const QByteArray once = withHeader(sampleHeaderFields());
        HeaderFields f = sampleHeaderFields();
        f.CreatedBy = QStringLiteral("Someone else");

        // No, and nothing else to do: the file is untouched.
        m_platform->yesNo << false;
        QCOMPARE(rewrite(f).outcome, Outcome::Declined);
        QCOMPARE(readBytes(m_part), once);
        QCOMPARE(QDir(path(QStringLiteral("work"))).entryList(QDir::Files), QStringList{QStringLiteral("part.cvp")});

        // No, with a closing block to add: the old header stays, the block is appended.
        f.AddClosing = true;
        f.ClosingPath = QStringLiteral("C:\\end.cvp");
        m_platform->yesNo << false;
        QCOMPARE(rewrite(f).outcome, Outcome::Written);
        QCOMPARE(readBytes(m_part),
                 once + crlf({"' Start of Closing file", " ", "FP, C:\\end.cvp", " ", "' End of Closing file"}));
    }

    void existingClosingBlock_data() {
        QTest::addColumn<bool>("addClosing");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QByteArray>("expectedTail");
        const QByteArray oldBlock = crlf({"' Start of Closing file", " ", "FP, old.cvp", " ", "' End of Closing file"});
        const QByteArray after = crlf({"'mine after the block"});
        const QByteArray newBlock = crlf({"' Start of Closing file", " ", "FP, new.cvp", " ", "' End of Closing file"});
        QTest::newRow("replace: old block goes, later lines stay before the new one")
            << true << QList<bool>{true} << after + newBlock;
        QTest::newRow("keep: old block and later lines stay, no second block")
            << true << QList<bool>{false} << oldBlock + after;
        QTest::newRow("closing unchecked: no question, block kept") << false << QList<bool>{} << oldBlock + after;
    }
    void existingClosingBlock() {
        QFETCH(bool, addClosing);
        QFETCH(QList<bool>, answers);
        QFETCH(QByteArray, expectedTail);
        const QByteArray body = Part + crlf({"' Start of Closing file", " ", "FP, old.cvp", " ",
                                             "' End of Closing file", "'mine after the block"});
        writeBytes(m_part, body);
        HeaderFields f = sampleHeaderFields();
        f.AddClosing = addClosing;
        f.ClosingPath = QStringLiteral("new.cvp");
        const QByteArray header = [&] {
            QList<QByteArray> lines;
            for (const headertext::BlockLine& l : headertext::writeheaderinfo(f))
                lines << l.text.toLatin1();
            return crlf(lines);
        }();
        for (bool a : answers)
            m_platform->yesNo << a;
        QCOMPARE(rewrite(f).outcome, Outcome::Written);
        QCOMPARE(m_platform->asked.size(), answers.size());
        if (!answers.isEmpty()) QCOMPARE(m_platform->asked[0].text, headsmith::ReplaceClosingText());
        QCOMPARE(readBytes(m_part), header + Part + expectedTail);
    }

    void failuresLeaveThePartFileUnchanged_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QString>("opening"); // "" none, else a name under the temp folder
        QTest::addColumn<QString>("closing");
        QTest::addColumn<QString>("mentions");
        const QByteArray headerNoEnd = crlf({"'' Header file created by Corvane Headsmith", "'' stuff"}) + Part;
        QTest::newRow("header without end marker")
            << headerNoEnd << QList<bool>{true} << QString() << QString() << QStringLiteral("' End of header file");
        QTest::newRow("closing block without end marker")
            << Part + crlf({"' Start of Closing file", "FP, x.cvp", "'my line"}) << QList<bool>{true} << QString()
            << QStringLiteral("closing-fp") << QStringLiteral("' End of Closing file");
        QTest::newRow("opening file missing")
            << Part << QList<bool>{} << QStringLiteral("missing.cvp") << QString() << QStringLiteral("opening file");
        QTest::newRow("closing file missing")
            << Part << QList<bool>{} << QString() << QStringLiteral("missing.cvp") << QStringLiteral("closing file");
        QTest::newRow("opening file is a folder")
            << Part << QList<bool>{} << QStringLiteral("work") << QString() << QStringLiteral("opening file");
    }
    void failuresLeaveThePartFileUnchanged() {
        QFETCH(QByteArray, content);
        QFETCH(QList<bool>, answers);
        QFETCH(QString, opening);
        QFETCH(QString, closing);
        QFETCH(QString, mentions);
        writeBytes(m_part, content);
        HeaderFields f = sampleHeaderFields();
        if (!opening.isEmpty()) {
            f.AddOpening = true;
            f.OpeningAsFP = false;
            f.OpeningPath = path(opening);
        }
        if (!closing.isEmpty()) {
            f.AddClosing = true;
            f.ClosingAsFP = closing == QLatin1String("closing-fp");
            f.ClosingPath = path(closing);
        }
        for (bool a : answers)
            m_platform->yesNo << a;
        const headsmith::RewriteResult r = rewrite(f);
        QCOMPARE(r.outcome, Outcome::Failed);
        QVERIFY2(r.error.contains(mentions), qPrintable(r.error));
        if (mentions == QLatin1String("opening file") || mentions == QLatin1String("closing file"))
            QVERIFY2(r.error.contains(QDir::toNativeSeparators(f.AddOpening ? f.OpeningPath : f.ClosingPath)),
                     qPrintable(r.error));
        QCOMPARE(readBytes(m_part), content);
        QCOMPARE(QDir(path(QStringLiteral("work"))).entryList(QDir::Files), QStringList{QStringLiteral("part.cvp")});
    }

    void missingPartFileIsReported() {
        const headsmith::RewriteResult r = rewrite(sampleHeaderFields());
        QCOMPARE(r.outcome, Outcome::Failed);
        QVERIFY(r.error.contains(QDir::toNativeSeparators(m_part)));
        QVERIFY(!QFile::exists(m_part));
    }

    void cancellingLeavesThePartFileUnchanged() {
        // Several buffers' worth, so that progress is reported more than once.
        QByteArray big = Part;
        while (big.size() < 3 * LineReader::DefaultBuffer)
            big += "M2, 12.5, 7.25   'cut\r\n";
        writeBytes(m_part, big);
        int calls = 0;
        qint64 lastTotal = 0;
        const headsmith::RewriteResult r = rewrite(sampleHeaderFields(), [&](qint64 done, qint64 total) {
            lastTotal = total;
            return ++calls < 2 && done <= total;
        });
        QCOMPARE(r.outcome, Outcome::Cancelled);
        QCOMPARE(calls, 2);
        QCOMPARE(lastTotal, qint64(big.size()));
        QCOMPARE(readBytes(m_part), big);
        QCOMPARE(QDir(path(QStringLiteral("work"))).entryList(QDir::Files), QStringList{QStringLiteral("part.cvp")});
    }

    // ---- odd paths ----

    // Blanks and other letters in every file's name: the FP line names the file as the system
    // writes text (the locale's encoding here), the copied file comes in byte for byte.
    void oddNames() {
        const QString dir = path(QStringLiteral("Fr\u00e4se Teile"));
        m_part = dir + QStringLiteral("/T\u00fcr \u00f6ffnen.cvp");
        const QString opening = dir + QStringLiteral("/Anfang \u00e9t\u00e9.cvp");
        const QString closing = dir + QStringLiteral("/Schlu\u00df m\u00fcde.cvp");
        writeBytes(m_part, Part);
        writeBytes(closing, "' Schlu\xdf\r\n");
        HeaderFields f = sampleHeaderFields();
        f.AddOpening = true;
        f.OpeningPath = opening;
        f.AddClosing = true;
        f.ClosingAsFP = false;
        f.ClosingPath = closing;
        const headsmith::RewriteResult r = rewrite(f);
        QVERIFY2(r.outcome == Outcome::Written, qPrintable(r.error));
        const QByteArray out = readBytes(m_part);
        QVERIFY(out.contains("\r\nFP, " + QDir::toNativeSeparators(opening).toLocal8Bit() + "\r\n"));
        QVERIFY(out.endsWith("' End of header file\r\n\r\n" + Part +
                             crlf({"' Start of Closing file", " ", "' Schlu\xdf", " ", "' End of Closing file"})));
        QCOMPARE(QDir(dir).entryList(QDir::Files).size(), 2);
    }

    // A part file whose path leaves no room for the temporary name beside it is not touched, and
    // the user is told why.
    void partFileTooLongToReplace() {
        QString folder = path(QStringLiteral("deep"));
        const savefile::Limits limits = savefile::limits(m_dir->path());
        while (QFile::encodeName(folder).size() < limits.path - 250) {
            folder += QLatin1Char('/') + QString(200, u'd');
            QVERIFY(QDir().mkpath(folder));
        }
        m_part = folder + QLatin1Char('/') + QString(limits.path - 3 - QFile::encodeName(folder).size() - 4, u'p') +
                 QStringLiteral(".cvp");
        writeBytes(m_part, Part);
        const headsmith::RewriteResult r = rewrite(sampleHeaderFields());
        QCOMPARE(r.outcome, Outcome::Failed);
        QVERIFY2(r.error.contains(QStringLiteral("too long to be saved safely")), qPrintable(r.error));
        QVERIFY(r.error.contains(QStringLiteral("The part file was left unchanged.")));
        QCOMPARE(readBytes(m_part), Part);
    }

    // The part file chosen as its own opening or closing file: called with FP it would call itself
    // for ever; copied in it would repeat the whole program. Refused, whatever the spelling.
    void partFileAsItsOwnOpeningOrClosingFile_data() {
        QTest::addColumn<bool>("opening");
        QTest::addColumn<bool>("asFP");
        QTest::addColumn<QString>("spelling");
        QTest::newRow("opening, copied") << true << false << "work/part.cvp";
        QTest::newRow("opening, called") << true << true << "work/part.cvp";
        QTest::newRow("opening, roundabout path") << true << false << "work/../work/./part.cvp";
        QTest::newRow("closing, copied") << false << false << "work/part.cvp";
        QTest::newRow("closing, called through a link") << false << true << "link.cvp";
    }
    void partFileAsItsOwnOpeningOrClosingFile() {
        QFETCH(bool, opening);
        QFETCH(bool, asFP);
        QFETCH(QString, spelling);
        writeBytes(m_part, Part);
        QFile::link(m_part, path(QStringLiteral("link.cvp")));
        HeaderFields f = sampleHeaderFields();
        (opening ? f.AddOpening : f.AddClosing) = true;
        (opening ? f.OpeningAsFP : f.ClosingAsFP) = asFP;
        (opening ? f.OpeningPath : f.ClosingPath) = path(spelling);
        const headsmith::RewriteResult r = rewrite(f);
        QCOMPARE(r.outcome, Outcome::Failed);
        const QString what = opening ? QStringLiteral("opening file") : QStringLiteral("closing file");
        QVERIFY2(r.error.contains(QStringLiteral("The %1 is the part file itself").arg(what)), qPrintable(r.error));
        QVERIFY(r.error.contains(QDir::toNativeSeparators(path(spelling))));
        QCOMPARE(readBytes(m_part), Part);
        QCOMPARE(QDir(path(QStringLiteral("work"))).entryList(QDir::Files), QStringList{QStringLiteral("part.cvp")});
    }

    // The bulk copy works eight bytes at a time: a bare LF or a closing marker must be found at any
    // offset, and "'" lines that are not markers, CRs inside lines and 8-bit bytes must pass untouched.
    void partFileLinesCopiedExactly_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray block = crlf({"' Start of Closing file", " ", "FP, new.cvp", " ", "' End of Closing file"});
        for (int k = 0; k < 18; ++k) {
            const QByteArray pad(k, 'x');
            QTest::addRow("bare LF after %d bytes", k) << "M2, 1, 2\r\n" + pad + "\nJZ, , , 1\r\n"
                                                       << "M2, 1, 2\r\n" + pad + "\r\nJZ, , , 1\r\n" + block;
            QTest::addRow("marker after %d bytes", k)
                << pad + "\r\n'" + pad + "\r\n' Start of Closing file\r\n FP, x\r\n' End of Closing file\r\nEND\r\n"
                << pad + "\r\n'" + pad + "\r\nEND\r\n" + block;
        }
        const QByteArray lookAlikes("x' Start of Closing file\r\n' Start of Closing file \r\n"
                                    "' Start of Closing fil\r\nM2, \xe9\r\x01\r\n");
        QTest::newRow("look-alikes") << lookAlikes << lookAlikes + block;
    }
    void partFileLinesCopiedExactly() {
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, expected);
        writeBytes(m_part, body);
        HeaderFields f = sampleHeaderFields();
        f.AddClosing = true;
        f.ClosingPath = QStringLiteral("new.cvp");
        if (body.contains("\n' Start of Closing file\r\n")) m_platform->yesNo << true;
        QCOMPARE(rewrite(f).outcome, Outcome::Written);
        const QByteArray out = readBytes(m_part);
        const qsizetype end = out.indexOf("' End of header file\r\n\r\n");
        QVERIFY(end > 0);
        QCOMPARE(out.mid(end + 24), expected);
    }

    // Lines longer than the buffer come in pieces; a CR at a buffer's end must not be doubled or lost.
    void lineReaderPieces_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("short lines") << QByteArray("a\r\nb\nc") << QByteArray("a\r\nb\r\nc\r\n");
        QTest::newRow("long line") << QByteArray("0123456789abcdefXYZ\r\nq\r\n")
                                   << QByteArray("0123456789abcdefXYZ\r\nq\r\n");
        QTest::newRow("CR at buffer end") << QByteArray("1234567\r\n89") << QByteArray("1234567\r\n89\r\n");
        QTest::newRow("lone CR inside a line kept") << QByteArray("ab\rcd\r\n") << QByteArray("ab\rcd\r\n");
        QTest::newRow("empty lines") << QByteArray("\n\r\n\n") << QByteArray("\r\n\r\n\r\n");
        QTest::newRow("empty file") << QByteArray() << QByteArray();
        // The line end must still come when the file stops exactly where a buffer ends.
        QTest::newRow("last line fills the buffers")
            << QByteArray("0123456789abcdef") << QByteArray("0123456789abcdef\r\n");
        QTest::newRow("last line fills the buffer, CR") << QByteArray("0123456\r") << QByteArray("0123456\r\n");
    }
    void lineReaderPieces() {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, expected);
        const QString file = path(QStringLiteral("in.txt"));
        writeBytes(file, input);
        LineReader reader(file, 8);
        QVERIFY(reader.open());
        QByteArray out;
        LineReader::Piece piece;
        int wholeLines = 0;
        while (reader.next(piece)) {
            out += piece.bytes.toByteArray();
            if (piece.ends) out += "\r\n";
            wholeLines += piece.whole() ? 1 : 0;
        }
        QVERIFY(!reader.failed());
        QCOMPARE(out, expected);
        QVERIFY(wholeLines <= expected.count("\r\n"));
    }

    // ---- the variables file ----

    void firstSaveWritesNineteenLines() {
        modHeaderProgVar h;
        h.HeaderFileDir = QStringLiteral("C:\\parts");
        h.HeaderFileName = QStringLiteral("home.cvp");
        h.PartFileDir = QStringLiteral("C:\\work");
        HeaderFields f = sampleHeaderFields();
        f.Metric = true;
        f.TableTop = true;
        // The parts folder does not exist yet: it is created.
        const FileResult r = headeranswers::SaveHeaderVariables(*m_platform, h, f);
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
        modHeaderProgVar h;
        HeaderFields f = sampleHeaderFields();
        f.CreatedBy = QStringLiteral("New Name");
        QVERIFY(headeranswers::SaveHeaderVariables(*m_platform, h, f).ok);
        // Known keys rewritten (each occurrence, name without the blank), nothing added, the rest byte for byte.
        QCOMPARE(readBytes(variablesFile()),
                 crlf({"&my_hasrunheader = 1", "&router_speed=  4 ", "&header_name =New Name", "", "&header_units = 0",
                       "&header_name =New Name", "no equals sign"}));
    }

    void fileWithoutMarkerIsNotTouched() {
        const QByteArray foreign = "&header_name = Keep\n&other = 1";
        writeBytes(variablesFile(), foreign);
        modHeaderProgVar h;
        QVERIFY(headeranswers::SaveHeaderVariables(*m_platform, h, sampleHeaderFields()).ok);
        QCOMPARE(readBytes(variablesFile()), foreign);
    }

    void saveFailureIsReported() {
        writeBytes(path(QStringLiteral("blocker")), "a file, not a folder");
        m_platform->partsDir = path(QStringLiteral("blocker/cvparts"));
        modHeaderProgVar h;
        const FileResult r = headeranswers::SaveHeaderVariables(*m_platform, h, sampleHeaderFields());
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
        modHeaderProgVar h;
        h.StoredName = QStringLiteral("before");
        const headeranswers::Loaded l = headeranswers::LoadHeaderSettings(*m_platform, h);
        QCOMPARE(l.source, headeranswers::Loaded::Source::Variables);
        QCOMPARE(h.StoredName, name.isNull() ? QStringLiteral("before") : name);
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
        modHeaderProgVar h;
        const headeranswers::Loaded l = headeranswers::LoadHeaderSettings(*m_platform, h);
        QCOMPARE(l.source, headeranswers::Loaded::Source::OldSettings);
        QCOMPARE(h.StoredName, QStringLiteral("Ini Name"));
        QCOMPARE(h.StoredBitType, bitType);
        QCOMPARE(l.metric.has_value() ? int(*l.metric) : -1, metric);
        QVERIFY(!QFile::exists(iniPath));
        QVERIFY(l.error.isEmpty());
        // The next opening reads the variables file.
        QCOMPARE(headeranswers::LoadHeaderSettings(*m_platform, h).source, headeranswers::Loaded::Source::Variables);
        QCOMPARE(h.StoredName, QStringLiteral("From variables"));
    }

    void emptyOldSettingsFileIsRemoved() {
        const QString iniPath = QDir(m_platform->programDir).filePath(QStringLiteral("cvheader.ini"));
        writeBytes(iniPath, QByteArray());
        writeBytes(variablesFile(), "&header_name = V\r\n");
        modHeaderProgVar h;
        QCOMPARE(headeranswers::LoadHeaderSettings(*m_platform, h).source, headeranswers::Loaded::Source::Variables);
        QCOMPARE(h.StoredName, QStringLiteral("V"));
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
        QCOMPARE(headeranswers::FindPath(folder).value_or(QString()), expected);
    }

    // ---- special files, bytes, and other programs ----

    // A link to an endless device or a FIFO in place of any file Headsmith reads or replaces: it is
    // never opened (nothing blocks, nothing fills memory) and never replaced.
    void specialFilesAreRefused_data() {
        QTest::addColumn<QString>("which");
        QTest::addColumn<bool>("fifo");
        for (const char* which : {"variables read", "variables update", "cvheader.ini", "part file", "closing file"}) {
            QTest::addRow("%s, link to /dev/zero", which) << QString::fromLatin1(which) << false;
            QTest::addRow("%s, FIFO", which) << QString::fromLatin1(which) << true;
        }
    }
    void specialFilesAreRefused() {
        QFETCH(QString, which);
        QFETCH(bool, fifo);
        writeBytes(m_part, Part);
        QString special = which.startsWith(QLatin1String("variables")) ? variablesFile()
                          : which == QLatin1String("part file")        ? m_part
                          : which == QLatin1String("closing file")
                              ? path(QStringLiteral("closing.cvp"))
                              : QDir(m_platform->programDir).filePath(QStringLiteral("cvheader.ini"));
        QDir().mkpath(QFileInfo(special).absolutePath());
        QFile::remove(special);
        if (fifo) {
            if (QProcess::execute(QStringLiteral("mkfifo"), {special}) != 0) QSKIP("mkfifo is not available here");
        } else {
            if (!QFileInfo(QStringLiteral("/dev/zero")).exists()) QSKIP("no /dev/zero here");
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), special));
        }
        if (which == QLatin1String("cvheader.ini")) writeBytes(variablesFile(), "&header_name = V\r\n");

        QString error;
        auto run = std::async(std::launch::async, [&] {
            modHeaderProgVar h;
            if (which == QLatin1String("variables read") || which == QLatin1String("cvheader.ini")) {
                error = headeranswers::LoadHeaderSettings(*m_platform, h).error;
            } else if (which == QLatin1String("variables update")) {
                error = headeranswers::SaveHeaderVariables(*m_platform, h, sampleHeaderFields()).error;
            } else {
                HeaderFields f = sampleHeaderFields();
                f.AddClosing = which == QLatin1String("closing file");
                f.ClosingAsFP = false;
                f.ClosingPath = special;
                error = rewrite(f).error;
            }
        });
        if (run.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            if (fifo) QFile(special).open(QIODevice::WriteOnly); // lets a blocked reader go
            qFatal("%s: still busy after 10 s", qPrintable(which));
        }
        run.get();
        const QFileInfo after(special);
        QVERIFY2(fifo ? (!after.isFile() && after.exists()) : after.symLinkTarget() == QStringLiteral("/dev/zero"),
                 "the special file was replaced or removed");
        if (which != QLatin1String("cvheader.ini")) {
            QVERIFY2(error.contains(QDir::toNativeSeparators(special)) &&
                         error.contains(QStringLiteral(", not a regular file.")),
                     qPrintable(error));
        }
        if (which != QLatin1String("part file")) QCOMPARE(readBytes(m_part), Part);
    }

    // Another program appends to the part file while the header goes in: nothing is replaced, so
    // the appended lines are not lost, and the user hears why.
    void partFileChangedDuringTheRewrite() {
        QByteArray big = Part;
        for (int i = 0; i < 2000; ++i)
            big += "M3, 10.125, 4.5, -0.25   'pocket\r\n";
        writeBytes(m_part, big);
        bool appended = false;
        const auto appendOnce = [&](qint64, qint64) {
            if (!appended) {
                QFile f(m_part);
                appended = f.open(QIODevice::Append) && f.write("'appended by another program\r\n") > 0;
            }
            return true;
        };
        const headsmith::RewriteResult r =
            headsmith::rewritePartFile(m_part, sampleHeaderFields(), *m_platform, appendOnce, 256);
        QVERIFY(appended);
        QCOMPARE(r.outcome, Outcome::Failed);
        QVERIFY2(r.error.contains(QStringLiteral("was changed by another program")), qPrintable(r.error));
        QCOMPARE(readBytes(m_part), big + "'appended by another program\r\n");
    }

    // The part file's first line opens an old closing block: it is copied with its block before any
    // line is looked at, so there is no question, and the new block goes at the end.
    void closingBlockOnTheFirstLine() {
        const QByteArray oldBlock = crlf({"' Start of Closing file", " ", "FP, old.cvp", " ", "' End of Closing file"});
        writeBytes(m_part, oldBlock + Part);
        HeaderFields f = sampleHeaderFields();
        f.AddClosing = true;
        f.ClosingPath = QStringLiteral("new.cvp");
        QCOMPARE(rewrite(f).outcome, Outcome::Written);
        QVERIFY(m_platform->asked.isEmpty());
        QVERIFY(readBytes(m_part).endsWith(
            "' End of header file\r\n\r\n" + oldBlock + Part +
            crlf({"' Start of Closing file", " ", "FP, new.cvp", " ", "' End of Closing file"})));
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
        modProgVar vars;
        vars.PartFileName = m_part;
        modHeaderProgVar h;
        {
            HeadsmithWindow dlg(vars, h, *m_platform);
            QCOMPARE(textfile::encode(child<QLineEdit>(dlg, "txtCreatedBy")->text()), value);
            QCOMPARE(textfile::encode(child<QComboBox>(dlg, "cmbMaterial")->currentText()),
                     QByteArray(1, byte) + "oak" + byte);
            child<QPushButton>(dlg, "cmdDone")->click();
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
        }
        QVERIFY(readBytes(m_part).contains("\r\n'' Created by " + value + " on 12/7/2026\r\n"));
        QVERIFY(readBytes(m_part).contains(QByteArray(" piece of ") + byte + "oak" + byte + " that's"));
        const QByteArray saved = readBytes(variablesFile());
        QVERIFY(saved.contains("\r\n&header_name =" + value + "\r\n" + foreign + "\r\n"));
        QVERIFY(saved.contains(QByteArray("\r\n&header_material = ") + byte + "oak" + byte + "\r\n"));
    }

    // A bare CR ends a value as it always ended a line for the program that wrote these files:
    // what follows it never reaches a box or the header, and an update keeps it.
    void bareCrInAValue() {
        writeBytes(variablesFile(), "&my_hasrunheader = 1\r\n&header_name = x\r&foreign = keep me\r\n");
        writeBytes(m_part, Part);
        modProgVar vars;
        vars.PartFileName = m_part;
        modHeaderProgVar h;
        {
            HeadsmithWindow dlg(vars, h, *m_platform);
            QCOMPARE(child<QLineEdit>(dlg, "txtCreatedBy")->text(), QStringLiteral("x"));
            child<QLineEdit>(dlg, "txtCreatedBy")->setText(QStringLiteral("Ann"));
            child<QPushButton>(dlg, "cmdDone")->click();
        }
        QVERIFY(readBytes(m_part).contains("\r\n'' Created by Ann on 12/7/2026\r\n"));
        QCOMPARE(readBytes(variablesFile()),
                 QByteArray("&my_hasrunheader = 1\r\n&header_name =Ann\r&foreign = keep me\r\n"));
    }

    // A composed line holding a line break is a fault of the program: reported, never written.
    void composedLineBreaksAreRefused() {
        HeaderFields f = sampleHeaderFields();
        f.CreatedBy = QStringLiteral("Ann\n&header_units = 1");
        writeBytes(m_part, Part);
        const headsmith::RewriteResult r = rewrite(f);
        QCOMPARE(r.outcome, Outcome::Failed);
        QVERIFY2(r.error.contains(QStringLiteral("holds a line break")), qPrintable(r.error));
        QCOMPARE(readBytes(m_part), Part);
        modHeaderProgVar h;
        QVERIFY(!headeranswers::SaveHeaderVariables(*m_platform, h, f).ok);
        QVERIFY(!QFile::exists(variablesFile()));
        writeBytes(variablesFile(), "&my_hasrunheader = 1\r\n&header_name = Bo\r\n");
        QVERIFY(!headeranswers::SaveHeaderVariables(*m_platform, h, f).ok);
        QCOMPARE(readBytes(variablesFile()), QByteArray("&my_hasrunheader = 1\r\n&header_name = Bo\r\n"));
    }

    // Ten million lines (about 89 MB) read and updated in a process of its own: its memory stays flat.
    void hugeVariablesFileInFlatMemory() {
        {
            QDir().mkpath(QFileInfo(variablesFile()).absolutePath());
            QFile f(variablesFile());
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.write("&my_hasrunheader = 1\r\n") > 0);
            const QByteArray chunk = QByteArray("&k = 12\r\n").repeated(100000);
            for (int i = 0; i < 100; ++i)
                QCOMPARE(f.write(chunk), chunk.size());
            QVERIFY(f.write("&header_name = Old\r\n") > 0);
        }
        const qint64 size = QFileInfo(variablesFile()).size();
        QProcess child;
        child.setWorkingDirectory(m_platform->partsDir);
        child.start(QStringLiteral(CRASH_CHILD), {QStringLiteral("variables")});
        QVERIFY(child.waitForFinished(60000));
        const QByteArray out = child.readAllStandardOutput();
        QVERIFY2(child.exitCode() == 0, child.readAllStandardError().constData());
        const qint64 peakKib = out.trimmed().split(' ').value(1).toLongLong();
        qInfo("peak memory for a %lld-byte variables file: %lld KiB", size, peakKib);
        QVERIFY(peakKib > 0);
        if (STACKER_SANITIZED)
            qInfo("not held to 64 MiB here: AddressSanitizer's shadow memory and quarantine count in the peak");
        else
            QVERIFY2(peakKib < 64 * 1024, out.constData());
        QCOMPARE(QFileInfo(variablesFile()).size(), size - 2); // "= Old" became "=Bo"
    }

    // ---- the window ----

    void firstOpeningEver() {
        modProgVar vars;
        modHeaderProgVar h;
        HeadsmithWindow dlg(vars, h, *m_platform);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Corvane Headsmith"));
        QCOMPARE(child<QTabWidget>(dlg, "SSTab1")->currentIndex(), 0);
        QCOMPARE(child<QTabWidget>(dlg, "SSTab1")->tabText(1), QStringLiteral("Part File and Material Information"));
        QCOMPARE(child<QComboBox>(dlg, "cmbBlank")->currentText(), QStringLiteral("96 x 48"));
        QCOMPARE(child<QComboBox>(dlg, "cmbThickness")->currentText(), QStringLiteral("1/8"));
        QCOMPARE(child<QComboBox>(dlg, "cmbBitSize")->currentText(), QString());
        QCOMPARE(child<QComboBox>(dlg, "cmbBitType")->currentText(), QString());
        QCOMPARE(child<QComboBox>(dlg, "cmbMaterial")->currentText(), QString());
        QCOMPARE(child<QComboBox>(dlg, "cmbBitSize")->count(), 5);
        QCOMPARE(child<QLineEdit>(dlg, "txtDate")->text(), QStringLiteral("12/7/2026"));
        QCOMPARE(child<QLineEdit>(dlg, "txtCopyrightYear")->text(), QStringLiteral("2026"));
        QVERIFY(child<QRadioButton>(dlg, "optInch")->isChecked());
        QVERIFY(child<QRadioButton>(dlg, "optMatSurface")->isChecked());
        QCOMPARE(child<QLineEdit>(dlg, "txtCreatedBy")->text(), QStringLiteral("My Name"));
        QCOMPARE(child<QComboBox>(dlg, "cmbUse")->currentText(), QStringLiteral("no restrictions... free for any use"));
        QVERIFY(!child<QLineEdit>(dlg, "txtHeaderFile")->isEnabled() &&
                !child<QRadioButton>(dlg, "optHeaderFP")->isEnabled() &&
                !child<QRadioButton>(dlg, "optFooterText")->isEnabled());
        QCOMPARE(child<QLineEdit>(dlg, "txtXOffset")->text(), QStringLiteral(" "));
        QCOMPARE(child<QLineEdit>(dlg, "txtXOffset")->focusPolicy(), Qt::NoFocus);
        QCOMPARE(child<QPlainTextEdit>(dlg, "txtAdditionalInfo")->focusPolicy(), Qt::ClickFocus);
        QCOMPARE(child<QLineEdit>(dlg, "txtDescription")->maxLength(), 80);
        QVERIFY(m_platform->asked.isEmpty());
    }

    void savedAnswersAndUnitSwitch() {
        writeBytes(variablesFile(), "&my_hasrunheader = 1\r\n&header_name = Jo\r\n&header_units = 1\r\n"
                                    "&header_ZZero = 1\r\n&header_bitsize =1/2\r\n&header_blank = 820 x 612\r\n"
                                    "&header_thickness = 3/4\r\n&header_material = foam\r\n");
        modProgVar vars;
        modHeaderProgVar h;
        HeadsmithWindow dlg(vars, h, *m_platform);
        QCOMPARE(child<QLineEdit>(dlg, "txtCreatedBy")->text(), QStringLiteral("Jo"));
        QVERIFY(child<QRadioButton>(dlg, "optMetric")->isChecked());
        QVERIFY(child<QRadioButton>(dlg, "optTableTop")->isChecked());
        // Blank and thickness always start at the first item; the stored bit size and material survive.
        QCOMPARE(child<QComboBox>(dlg, "cmbBlank")->currentText(), QStringLiteral("2450 x 1225"));
        QCOMPARE(child<QComboBox>(dlg, "cmbThickness")->currentText(), QStringLiteral("1/8"));
        QCOMPARE(child<QComboBox>(dlg, "cmbBitSize")->currentText(), QStringLiteral("1/2"));
        QCOMPARE(child<QComboBox>(dlg, "cmbMaterial")->currentText(), QStringLiteral("foam"));
        // A key the file lacks leaves its field empty at the first load.
        QCOMPARE(child<QLineEdit>(dlg, "txtCopyright")->text(), QString());

        // A typed value stays until the next fill and is what the header gets.
        child<QComboBox>(dlg, "cmbMaterial")->setEditText(QStringLiteral("oak"));
        child<QComboBox>(dlg, "cmbThickness")->setEditText(QStringLiteral("19mm"));
        QCOMPARE(dlg.fields().Material, QStringLiteral("oak"));
        dlg.show();
        child<QTabWidget>(dlg, "SSTab1")->setCurrentIndex(1);
        QTest::mouseClick(child<QRadioButton>(dlg, "optInch"), Qt::LeftButton);
        QVERIFY(child<QRadioButton>(dlg, "optInch")->isChecked());
        QCOMPARE(child<QComboBox>(dlg, "cmbBlank")->currentText(), QStringLiteral("96 x 48"));
        QCOMPARE(child<QComboBox>(dlg, "cmbBitSize")->itemText(0), QStringLiteral("1/8"));
        QCOMPARE(child<QComboBox>(dlg, "cmbThickness")->currentText(), QStringLiteral("1/8"));
        QCOMPARE(child<QComboBox>(dlg, "cmbMaterial")->currentText(), QStringLiteral("foam"));
        child<QRadioButton>(dlg, "optMetric")->setChecked(true);
        QCOMPARE(child<QComboBox>(dlg, "cmbBlank")->currentText(), QStringLiteral("2450 x 1225"));
        QCOMPARE(child<QComboBox>(dlg, "cmbBitSize")->itemText(0), QStringLiteral("3mm"));
        QCOMPARE(child<QComboBox>(dlg, "cmbBitSize")->currentText(), QStringLiteral("1/2"));
    }

    // A box narrower than its text must show the text's start: the caret decides which part shows.
    void boxesOpenAtTheStartOfTheirText() {
        writeBytes(variablesFile(), "&my_hasrunheader = 1\r\n"
                                    "&header_copyright_holder = Someone with a very long company name, Inc.\r\n"
                                    "&header_restrictions = free for personal use, $ **  fee for commercial use\r\n"
                                    "&header_material = Baltic Birch plywood, void free, exterior glue\r\n");
        modProgVar vars;
        modHeaderProgVar h;
        HeadsmithWindow dlg(vars, h, *m_platform);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        // The long ones by name, then every other box that holds a text.
        QCOMPARE(child<QLineEdit>(dlg, "txtCopyright")->cursorPosition(), 0);
        QCOMPARE(child<QLineEdit>(dlg, "txtEnterInfo")->cursorPosition(), 0);
        QCOMPARE(child<QComboBox>(dlg, "cmbUse")->lineEdit()->cursorPosition(), 0);
        QCOMPARE(child<QComboBox>(dlg, "cmbMaterial")->lineEdit()->cursorPosition(), 0);
        for (QLineEdit* box : dlg.findChildren<QLineEdit*>()) {
            if (box->text().isEmpty() || box->hasFocus()) continue;
            QVERIFY2(box->cursorPosition() == 0,
                     qPrintable(box->objectName() + QStringLiteral(" shows the end of ") + box->text()));
        }
    }

    void notesEntry() {
        modProgVar vars;
        vars.PartFileName = m_part;
        writeBytes(m_part, Part);
        modHeaderProgVar h;
        HeadsmithWindow dlg(vars, h, *m_platform);
        QCOMPARE(child<QLineEdit>(dlg, "txtEnterInfo")->text(),
                 QStringLiteral("Type additional info here... hit the ENTER key to add line to preview below "));
        child<QLineEdit>(dlg, "txtEnterInfo")->clear();
        QTest::keyClicks(child<QLineEdit>(dlg, "txtEnterInfo"), QStringLiteral("first"));
        QTest::keyClick(child<QLineEdit>(dlg, "txtEnterInfo"), Qt::Key_Return);
        QTest::keyClicks(child<QLineEdit>(dlg, "txtEnterInfo"), QStringLiteral("second"));
        QTest::keyClick(child<QLineEdit>(dlg, "txtEnterInfo"), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(child<QLineEdit>(dlg, "txtEnterInfo")->text(), QString());
        QCOMPARE(child<QPlainTextEdit>(dlg, "txtAdditionalInfo")->toPlainText(),
                 QStringLiteral("'' first\n'' second\n"));
        QCOMPARE(dlg.fields().AdditionalInfo, QStringLiteral("'' first\n'' second\n"));
        // Enter pressed nothing else: the part file is untouched and the window still open.
        QCOMPARE(readBytes(m_part), Part);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        // Escape while typing does not throw the window and its answers away.
        QSignalSpy rejected(&dlg, &QDialog::rejected);
        QTest::keyClick(child<QLineEdit>(dlg, "txtEnterInfo"), Qt::Key_Escape);
        QCOMPARE(rejected.count(), 0);

        QTest::mouseClick(child<QPlainTextEdit>(dlg, "txtAdditionalInfo")->viewport(), Qt::LeftButton);
        const QString hint =
            QStringLiteral("Type additional comments here... and hit the ENTER key at the end of each line.");
        QCOMPARE(child<QLineEdit>(dlg, "txtEnterInfo")->text(), hint);
        QCOMPARE(child<QLineEdit>(dlg, "txtEnterInfo")->cursorPosition(), int(hint.size()));
        QVERIFY(!child<QLineEdit>(dlg, "txtEnterInfo")->hasSelectedText());

        QMimeData mime;
        mime.setText(QStringLiteral("x"));
        QDragEnterEvent drag(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(child<QPlainTextEdit>(dlg, "txtAdditionalInfo")->viewport(), &drag);
        QCOMPARE(child<QLineEdit>(dlg, "txtEnterInfo")->selectedText(), hint);
    }

    void boxesSelectAllOnFocus_data() {
        QTest::addColumn<QString>("box");
        for (const char* name :
             {"txtCreatedBy", "txtDate", "txtCopyright", "txtCopyrightYear", "txtDescription", "txtContactName",
              "txtPhone", "txtEmail", "txtXOffset", "txtYOffset", "txtZOffset", "txtEnterInfo"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void boxesSelectAllOnFocus() {
        QFETCH(QString, box);
        modProgVar vars;
        modHeaderProgVar h;
        HeadsmithWindow dlg(vars, h, *m_platform);
        auto* edit = dlg.findChild<QLineEdit*>(box);
        QVERIFY(edit);
        edit->setText(QStringLiteral("some text"));
        edit->setCursorPosition(2);
        QFocusEvent focus(QEvent::FocusIn, Qt::MouseFocusReason);
        QCoreApplication::sendEvent(edit, &focus);
        QCoreApplication::processEvents();
        QCOMPARE(edit->selectedText(), QStringLiteral("some text"));
    }

    void offsetBoxes() {
        modProgVar vars;
        modHeaderProgVar h;
        HeadsmithWindow dlg(vars, h, *m_platform);
        dlg.show();
        child<QTabWidget>(dlg, "SSTab1")->setCurrentIndex(1);
        auto state = [&] {
            QString s;
            for (QLineEdit* b : {child<QLineEdit>(dlg, "txtXOffset"), child<QLineEdit>(dlg, "txtYOffset"),
                                 child<QLineEdit>(dlg, "txtZOffset")})
                s += QLatin1String(b->isEnabled() ? "[E" : "[-") +
                     QLatin1String(b->focusPolicy() == Qt::NoFocus ? "-" : "T") + b->text() + u']';
            for (QLabel* l :
                 {child<QLabel>(dlg, "Label20"), child<QLabel>(dlg, "Label21"), child<QLabel>(dlg, "Label22")})
                s += l->isEnabled() ? u'L' : u'-';
            return s;
        };
        QTest::mouseClick(child<QCheckBox>(dlg, "chk2d"), Qt::LeftButton);
        QCOMPARE(state(), QStringLiteral("[ET0][ET0][--]LL-"));
        child<QLineEdit>(dlg, "txtXOffset")->setText(QStringLiteral("4"));
        QTest::mouseClick(child<QCheckBox>(dlg, "chk3d"), Qt::LeftButton);
        QVERIFY(!child<QCheckBox>(dlg, "chk2d")->isChecked());
        QCOMPARE(state(), QStringLiteral("[ET0][ET0][ET0]LLL"));
        QTest::mouseClick(child<QCheckBox>(dlg, "chk2d"), Qt::LeftButton);
        QVERIFY(!child<QCheckBox>(dlg, "chk3d")->isChecked());
        QCOMPARE(state(), QStringLiteral("[ET0][ET0][--]LL-"));
        QTest::mouseClick(child<QCheckBox>(dlg, "chk2d"), Qt::LeftButton);
        QCOMPARE(state(), QStringLiteral("[--][--][--]---"));
    }

    void fileChoices_data() {
        QTest::addColumn<bool>("opening");
        QTest::newRow("opening") << true;
        QTest::newRow("closing") << false;
    }
    void fileChoices() {
        QFETCH(bool, opening);
        modProgVar vars;
        modHeaderProgVar h;
        (opening ? h.HeaderFileDir : h.FooterFileDir) = QStringLiteral("C:\\old");
        (opening ? h.HeaderFileName : h.FooterFileName) = QStringLiteral("old.cvp");
        HeadsmithWindow dlg(vars, h, *m_platform);
        dlg.show();
        QCheckBox* chk = opening ? child<QCheckBox>(dlg, "chkHeader") : child<QCheckBox>(dlg, "chkFooter");
        QLineEdit* txt = opening ? child<QLineEdit>(dlg, "txtHeaderFile") : child<QLineEdit>(dlg, "txtFooterFile");
        QRadioButton* asText =
            opening ? child<QRadioButton>(dlg, "optHeaderText") : child<QRadioButton>(dlg, "optFooterText");
        QRadioButton* asFP =
            opening ? child<QRadioButton>(dlg, "optHeaderFP") : child<QRadioButton>(dlg, "optFooterFP");

        // Cancel: told, box unchecked, the options stay disabled, the remembered folder kept.
        m_platform->files << std::nullopt;
        QTest::mouseClick(chk, Qt::LeftButton);
        QCOMPARE(m_platform->asked.size(), 2);
        QCOMPARE(m_platform->asked[0].what, QStringLiteral("open"));
        QCOMPARE(m_platform->asked[0].title, QStringLiteral("C:\\old"));
        QCOMPARE(m_platform->asked[0].name, QStringLiteral("old.cvp"));
        QCOMPARE(m_platform->asked[0].filter, QStringLiteral(" Corvane files (*.cvp)|*.cvp"));
        QCOMPARE(m_platform->asked[1].text, opening ? QStringLiteral("No header file will be added")
                                                    : QStringLiteral("No footer file will be added"));
        QCOMPARE(m_platform->asked[1].title, QStringLiteral("No file selected"));
        QCOMPARE(m_platform->asked[1].icon, Platform::Icon::Warning);
        QVERIFY(!chk->isChecked());
        QVERIFY(!txt->isEnabled() && txt->text().isEmpty());
        QVERIFY(!asText->isEnabled() && !asFP->isEnabled());
        QCOMPARE(opening ? h.HeaderFileDir : h.FooterFileDir, QStringLiteral("C:\\old"));

        // A choice: path shown, options enabled with FP selected, folder and name remembered.
        m_platform->files << QStringLiteral("D:\\cuts\\start.cvp");
        QTest::mouseClick(chk, Qt::LeftButton);
        QVERIFY(chk->isChecked());
        QCOMPARE(txt->text(), QStringLiteral("D:\\cuts\\start.cvp"));
        QVERIFY(txt->isEnabled() && txt->isReadOnly());
        QVERIFY(asText->isEnabled() && asFP->isChecked());
        QCOMPARE(opening ? h.HeaderFileDir : h.FooterFileDir, QStringLiteral("D:\\cuts"));
        QCOMPARE(opening ? h.HeaderFileName : h.FooterFileName, QStringLiteral("start.cvp"));
        QCOMPARE(opening ? h.HeaderFilePath : h.FooterFilePath, QStringLiteral("D:\\cuts\\start.cvp"));

        QTest::mouseClick(chk, Qt::LeftButton);
        QVERIFY(!txt->isEnabled() && txt->text().isEmpty() && !asFP->isEnabled());
    }

    void writingFromTheWindow() {
        writeBytes(m_part, Part);
        modProgVar vars;
        vars.PartFileName = m_part;
        modHeaderProgVar h;
        {
            HeadsmithWindow dlg(vars, h, *m_platform);
            child<QLineEdit>(dlg, "txtCreatedBy")->setText(QStringLiteral("Window User"));
            child<QComboBox>(dlg, "cmbBitType")->setEditText(QStringLiteral("V bit"));
            QTest::mouseClick(child<QPushButton>(dlg, "cmdDone"), Qt::LeftButton);
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
        }
        const QByteArray written = readBytes(m_part);
        QVERIFY(written.startsWith("'' Header file created by Corvane Headsmith\r\n"));
        QVERIFY(written.contains("\r\n'' Created by Window User on 12/7/2026\r\n"));
        QVERIFY(written.endsWith("' End of header file\r\n\r\n" + Part));
        QVERIFY(readBytes(variablesFile())
                    .contains("\r\n&header_name = Window User\r\n&header_copyright_holder = My Name"));

        // The next opening in the run starts from the saved answers; No with nothing else to do keeps it open.
        HeadsmithWindow again(vars, h, *m_platform);
        QCOMPARE(child<QLineEdit>(again, "txtCreatedBy")->text(), QStringLiteral("Window User"));
        QCOMPARE(child<QComboBox>(again, "cmbBitType")->currentText(), QStringLiteral("V bit"));
        m_platform->yesNo << false;
        child<QPushButton>(again, "cmdDone")->click();
        QCOMPARE(again.result(), int(QDialog::Rejected));
        QCOMPARE(readBytes(m_part), written);
    }

    void windowReportsFailureAndStaysOpen() {
        writeBytes(m_part, Part);
        modProgVar vars;
        vars.PartFileName = m_part;
        modHeaderProgVar h;
        HeadsmithWindow dlg(vars, h, *m_platform);
        m_platform->files << path(QStringLiteral("gone.cvp"));
        child<QCheckBox>(dlg, "chkFooter")->setChecked(true);
        child<QRadioButton>(dlg, "optFooterText")->setChecked(true);
        child<QPushButton>(dlg, "cmdDone")->click();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(m_platform->asked.last().what, QStringLiteral("tell"));
        QVERIFY(m_platform->asked.last().text.contains(QDir::toNativeSeparators(path(QStringLiteral("gone.cvp")))));
        QCOMPARE(readBytes(m_part), Part);
        QVERIFY(!QFile::exists(variablesFile())); // nothing saved
    }

    // The parts folder is a file, so the answers have nowhere to go. The header is the user's work
    // and the answers only a convenience: the header is written, and the user hears why the
    // answers were not kept. The file in the way is left alone.
    void partsFolderIsAFile() {
        writeBytes(m_part, Part);
        writeBytes(m_platform->partsDir, "not a folder\r\n");
        modProgVar vars;
        vars.PartFileName = m_part;
        modHeaderProgVar h;
        HeadsmithWindow dlg(vars, h, *m_platform);
        QVERIFY(m_platform->asked.isEmpty()); // nothing to load is nothing to complain about
        child<QPushButton>(dlg, "cmdDone")->click();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(readBytes(m_part).endsWith("' End of header file\r\n\r\n" + Part));
        QCOMPARE(m_platform->asked.size(), 1);
        const QString told = m_platform->asked[0].text;
        QVERIFY2(told.startsWith(QStringLiteral("The header was written, but your answers could not be saved")),
                 qPrintable(told));
        QVERIFY2(told.contains(m_platform->partsDir + QStringLiteral(" is a file, not a folder")), qPrintable(told));
        QCOMPARE(readBytes(m_platform->partsDir), QByteArray("not a folder\r\n"));
    }

    void cancelFromTheProgressWindow() {
        QByteArray big = Part;
        while (big.size() < 4 * LineReader::DefaultBuffer)
            big += "M3, 10.125, 4.5, -0.25   'pocket\r\n";
        writeBytes(m_part, big);
        modProgVar vars;
        vars.PartFileName = m_part;
        modHeaderProgVar h;
        HeadsmithWindow dlg(vars, h, *m_platform);
        dlg.progressDelayMs = 0;
        bool sawProgress = false;
        QTimer::singleShot(0, &dlg, [&] {
            if (auto* p = dlg.findChild<QProgressDialog*>()) {
                sawProgress = true;
                child<QPushButton>(dlg, "cmdDone")->click(); // a second click while writing does nothing
                p->cancel();
            }
        });
        child<QPushButton>(dlg, "cmdDone")->click();
        QVERIFY(sawProgress);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(readBytes(m_part), big);
        QVERIFY(!QFile::exists(variablesFile()));
    }

    void help_data() {
        QTest::addColumn<bool>("editorThere");
        QTest::addColumn<bool>("starts");
        QTest::addColumn<bool>("window");
        QTest::addColumn<QString>("where"); // the help file: beside the program, installed, or both
        QTest::newRow("editor started") << true << true << false << QStringLiteral("beside");
        QTest::newRow("editor fails to start") << true << false << true << QStringLiteral("beside");
        QTest::newRow("no editor") << false << true << true << QStringLiteral("beside");
        QTest::newRow("installed, editor started") << true << true << false << QStringLiteral("installed");
        QTest::newRow("installed, no editor") << false << true << true << QStringLiteral("installed");
        // The build tree's own copy wins over an installed one.
        QTest::newRow("both, no editor") << false << true << true << QStringLiteral("both");
    }
    void help() {
        QFETCH(bool, editorThere);
        QFETCH(bool, starts);
        QFETCH(bool, window);
        QFETCH(QString, where);
        m_platform->programDir = path(QStringLiteral("Corvane/Toolcrate/Stacker"));
        const QString shared = path(QStringLiteral("share"));
        const QByteArray oldDataDirs = qgetenv("XDG_DATA_DIRS");
        qputenv("XDG_DATA_DIRS", QFile::encodeName(shared));
        const auto restore = qScopeGuard([&] { qputenv("XDG_DATA_DIRS", oldDataDirs); });
        QString helpFile = QDir(m_platform->programDir).filePath(QStringLiteral("head_smithfaq.txt"));
        const QString installedFile = QDir(shared).filePath(QStringLiteral("cvstacker/head_smithfaq.txt"));
        if (where != QLatin1String("installed")) writeBytes(helpFile, "Help text\r\nline 2\r\n");
        if (where != QLatin1String("beside"))
            writeBytes(installedFile, where == QLatin1String("both") ? "Old\r\n" : "Help text\r\nline 2\r\n");
        if (where == QLatin1String("installed")) helpFile = installedFile;
        const QString editor = QDir::toNativeSeparators(path(QStringLiteral("Corvane/Corvane 3/RAzivi.EXE")));
        if (editorThere) writeBytes(editor, "");
        m_platform->startSucceeds = starts;
        modProgVar vars;
        modHeaderProgVar h;
        HeadsmithWindow dlg(vars, h, *m_platform);
        child<QPushButton>(dlg, "cmdInfo")->click();
        QCOMPARE(dlg.PAthString, QDir::toNativeSeparators(path(QStringLiteral("Corvane/"))));
        if (editorThere)
            QCOMPARE(m_platform->started.value(0), (QStringList{editor, QDir::toNativeSeparators(helpFile)}));
        auto* helpWindow = dlg.findChild<QDialog*>(QStringLiteral("frmHeadsmithHelp"));
        QCOMPARE(helpWindow != nullptr, window);
        if (helpWindow) {
            auto* text = helpWindow->findChild<QPlainTextEdit*>(QStringLiteral("txtHelp"));
            QVERIFY(text->isReadOnly());
            QCOMPARE(text->toPlainText(), QStringLiteral("Help text\nline 2\n"));
        }
    }

    // Every one-line box of the window, found by name: a pasted line break or other control
    // character becomes one blank in the box, in the answer and in the written line, so neither the
    // header nor the variables file gains a line. The path boxes show a chosen name that holds a
    // line break with blanks, and the write that would put it into an FP line is refused.
    void oneLineBoxes_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("brk");
        const QList<std::pair<const char*, QString>> breaks{{"LF", QStringLiteral("\n")},
                                                            {"CR LF", QStringLiteral("\r\n")},
                                                            {"CR", QStringLiteral("\r")},
                                                            {"controls", QStringLiteral("\x01\x1b\x7f\v\f")}};
        for (const char* box : OneLineBoxes)
            for (const auto& [name, brk] : breaks)
                QTest::addRow("%s, %s", box, name) << QString::fromLatin1(box) << brk;
    }
    void oneLineBoxes() {
        QFETCH(QString, box);
        QFETCH(QString, brk);
        writeBytes(m_part, Part);
        modProgVar vars;
        vars.PartFileName = m_part;
        modHeaderProgVar h;
        HeadsmithWindow dlg(vars, h, *m_platform);
        // The list below is every one-line box there is.
        for (QLineEdit* e : dlg.findChildren<QLineEdit*>()) {
            const QString name = qobject_cast<QComboBox*>(e->parent()) ? e->parent()->objectName() : e->objectName();
            QVERIFY2(std::any_of(std::begin(OneLineBoxes), std::end(OneLineBoxes),
                                 [&](const char* n) { return name == QLatin1String(n); }),
                     qPrintable(name + QStringLiteral(" is missing from the table")));
        }
        const QString pasted = QStringLiteral("1") + brk + QStringLiteral("M2, 0, 0");
        const QString shown = QStringLiteral("1 M2, 0, 0");
        const bool pathBox = box == QLatin1String("txtHeaderFile") || box == QLatin1String("txtFooterFile");
        QLineEdit* edit = nullptr;
        if (pathBox) {
            m_platform->files << QStringLiteral("D:\\cuts\\") + pasted;
            child<QCheckBox>(dlg, box == QLatin1String("txtHeaderFile") ? "chkHeader" : "chkFooter")->setChecked(true);
            edit = child<QLineEdit>(dlg, qPrintable(box));
            QCOMPARE(edit->text(), QStringLiteral("D:\\cuts\\") + shown);
        } else {
            if (box.endsWith(QLatin1String("Offset"))) child<QCheckBox>(dlg, "chk3d")->setChecked(true);
            auto* combo = dlg.findChild<QComboBox*>(box);
            edit = combo ? combo->lineEdit() : child<QLineEdit>(dlg, qPrintable(box));
            edit->clear();
            edit->insert(pasted); // what a paste does
            if (box == QLatin1String("txtEnterInfo")) {
                QCOMPARE(edit->text(), shown);
                QTest::keyClick(edit, Qt::Key_Return);
                QCOMPARE(dlg.fields().AdditionalInfo, QStringLiteral("'' ") + shown + u'\n');
            } else {
                QCOMPARE(edit->text(), shown);
                if (combo) QCOMPARE(combo->currentText(), shown);
            }
        }
        const HeaderFields f = dlg.fields();
        child<QPushButton>(dlg, "cmdDone")->click();
        const QByteArray written = readBytes(m_part);
        if (pathBox) {
            QCOMPARE(dlg.result(), int(QDialog::Rejected));
            QVERIFY2(m_platform->asked.last().text.contains(QStringLiteral("holds a line break")),
                     qPrintable(m_platform->asked.last().text));
            QCOMPARE(written, Part);
            return;
        }
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        // One line per line of the header and of the old file, each ended by CR LF and by nothing else.
        const QList<QByteArray> lines = written.split('\n');
        QCOMPARE(lines.size() - 1, headertext::writeheaderinfo(f).size() + 5);
        for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
            QVERIFY(lines[i].endsWith('\r'));
            QVERIFY2(!textfile::breaksLine(lines[i].chopped(1)), lines[i].constData());
            QVERIFY(lines[i] != "M2, 0, 0\r");
        }
        QVERIFY(written.contains(textfile::encode(shown)));
        const QByteArray saved = readBytes(variablesFile());
        QCOMPARE(saved.count("\r\n"), 19);
        QCOMPARE(saved.count('\n'), 19);
        QVERIFY(!saved.contains("\nM2"));
    }

    // Every suggestion of every list shows whole in its box, in both units.
    void listEntriesShowWhole() {
        modProgVar vars;
        modHeaderProgVar h;
        HeadsmithWindow dlg(vars, h, *m_platform);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        child<QTabWidget>(dlg, "SSTab1")->setCurrentIndex(1);
        for (const char* units : {"optInch", "optMetric"}) {
            child<QRadioButton>(dlg, units)->setChecked(true);
            QCoreApplication::processEvents();
            for (const char* name : {"cmbBlank", "cmbThickness", "cmbMaterial", "cmbBitSize", "cmbBitType"}) {
                QComboBox* combo = child<QComboBox>(dlg, name);
                QLineEdit* edit = combo->lineEdit();
                for (int i = 0; i < combo->count(); ++i) {
                    combo->setCurrentIndex(i);
                    // A text wider than its box scrolls: its start then moves when the caret goes to its end.
                    edit->setCursorPosition(0);
                    const int start = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
                    edit->setCursorPosition(int(edit->text().size()));
                    const int end = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
                    QVERIFY2(end - start == edit->fontMetrics().horizontalAdvance(edit->text()),
                             qPrintable(QStringLiteral("%1 cuts \"%2\" (%3 to %4 in %5)")
                                            .arg(QLatin1String(name), edit->text())
                                            .arg(start)
                                            .arg(end)
                                            .arg(edit->width())));
                }
            }
        }
    }
};

QTEST_MAIN(tst_Headsmith)
#include "tst_headsmith.moc"
