// Headsmith's rewrite of the part file: replacing or keeping a header and closing block, failures that
// leave the part file as it was, odd names and special files, and the line reader beneath it.
#include "headsmithfixture.h"
#include "onwindows.h"

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

class tst_rewrite : public QObject, public HeadsmithFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { setUpFixture(); }
    void cleanup() { tearDownFixture(); }

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
        second.createdBy = QStringLiteral("Cy");
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
        f.createdBy = QStringLiteral("Someone else");

        // No, and nothing else to do: the file is untouched.
        m_platform->yesNo << false;
        QCOMPARE(rewrite(f).outcome, Outcome::Declined);
        QCOMPARE(readBytes(m_part), once);
        QCOMPARE(QDir(path(QStringLiteral("work"))).entryList(QDir::Files), QStringList{QStringLiteral("part.cvp")});

        // No, with a closing block to add: the old header stays, the block is appended.
        f.addClosing = true;
        f.closingPath = QStringLiteral("C:\\end.cvp");
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
        f.addClosing = addClosing;
        f.closingPath = QStringLiteral("new.cvp");
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

    // The questions asked before the rewrite are the ones it would ask on its way, in the same order,
    // and with their answers the rewrite writes the same file and asks nothing more.
    void questionsAskedFirst_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("addClosing");
        QTest::addColumn<QList<bool>>("answers");
        const QByteArray header =
            crlf({"'' Header file created by Corvane Headsmith", "'' old", "' End of header file"});
        const QByteArray closing = crlf({"' Start of Closing file", " ", "FP, old.cvp", " ", "' End of Closing file"});
        const QByteArray closingLine = "' Start of Closing file\r\n";
        QTest::newRow("plain file") << Part << true << QList<bool>{};
        QTest::newRow("header: replace") << header + Part << false << QList<bool>{true};
        QTest::newRow("header: keep, nothing to add") << header + Part << false << QList<bool>{false};
        QTest::newRow("header kept, closing replaced") << header + Part + closing << true << QList<bool>{false, true};
        QTest::newRow("header replaced, closing kept") << header + Part + closing << true << QList<bool>{true, false};
        QTest::newRow("closing block only") << Part + closing << true << QList<bool>{true};
        QTest::newRow("closing start as the first line is copied unasked") << closing + Part << true << QList<bool>{};
        QTest::newRow("closing start inside a replaced header is dropped unasked")
            << crlf({"'' Header file created by Corvane Headsmith"}) + closingLine + "' End of header file\r\n" + Part
            << true << QList<bool>{true};
        QTest::newRow("closing start inside a kept header is asked about")
            << crlf({"'' Header file created by Corvane Headsmith"}) + closingLine + "' End of header file\r\n" + Part +
                   closing
            << true << QList<bool>{false, false};
    }
    void questionsAskedFirst() {
        QFETCH(QByteArray, content);
        QFETCH(bool, addClosing);
        QFETCH(QList<bool>, answers);
        HeaderFields f = sampleHeaderFields();
        f.addClosing = addClosing;
        f.closingPath = QStringLiteral("new.cvp");

        writeBytes(m_part, content);
        for (bool a : answers)
            m_platform->yesNo << a;
        const Outcome askedOnTheWay = rewrite(f).outcome;
        const QByteArray written = readBytes(m_part);
        const QStringList questions = m_platform->messageTexts();
        QVERIFY(m_platform->yesNo.isEmpty());

        writeBytes(m_part, content);
        m_platform->asked.clear();
        for (bool a : answers)
            m_platform->yesNo << a;
        const headsmith::ReplaceAnswers first = headsmith::askReplaceQuestions(m_part, f, *m_platform);
        QCOMPARE(m_platform->messageTexts(), questions);
        QVERIFY(m_platform->yesNo.isEmpty());
        // Any question now would be one the script did not expect.
        const Outcome askedFirst =
            first.header == false && !addClosing
                ? Outcome::Declined
                : headsmith::rewritePartFile(m_part, f, *m_platform, {}, LineReader::DefaultBuffer, first).outcome;
        QCOMPARE(askedFirst, askedOnTheWay);
        QCOMPARE(m_platform->messageTexts(), questions);
        QCOMPARE(readBytes(m_part), written);
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
            f.addOpening = true;
            f.openingAsFP = false;
            f.openingPath = path(opening);
        }
        if (!closing.isEmpty()) {
            f.addClosing = true;
            f.closingAsFP = closing == QLatin1String("closing-fp");
            f.closingPath = path(closing);
        }
        for (bool a : answers)
            m_platform->yesNo << a;
        const headsmith::RewriteResult r = rewrite(f);
        QCOMPARE(r.outcome, Outcome::Failed);
        QVERIFY2(r.error.contains(mentions), qPrintable(r.error));
        if (mentions == QLatin1String("opening file") || mentions == QLatin1String("closing file"))
            QVERIFY2(r.error.contains(QDir::toNativeSeparators(f.addOpening ? f.openingPath : f.closingPath)),
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

    // Blanks and other letters in every file's name: the FP line names the file in the part file's
    // encoding (Windows-1252 for a file of ASCII alone), the copied file comes in byte for byte.
    void oddNames() {
        const QString dir = path(QStringLiteral("Fr\u00e4se Teile"));
        m_part = dir + QStringLiteral("/T\u00fcr \u00f6ffnen.cvp");
        const QString opening = dir + QStringLiteral("/Anfang \u00e9t\u00e9.cvp");
        const QString closing = dir + QStringLiteral("/Schlu\u00df m\u00fcde.cvp");
        writeBytes(m_part, Part);
        writeBytes(closing, "' Schlu\xdf\r\n");
        HeaderFields f = sampleHeaderFields();
        f.addOpening = true;
        f.openingPath = opening;
        f.addClosing = true;
        f.closingAsFP = false;
        f.closingPath = closing;
        const headsmith::RewriteResult r = rewrite(f);
        QVERIFY2(r.outcome == Outcome::Written, qPrintable(r.error));
        const QByteArray out = readBytes(m_part);
        QVERIFY(out.contains("\r\nFP, " + QDir::toNativeSeparators(opening).toLatin1() + "\r\n"));
        QVERIFY(out.endsWith("' End of header file\r\n\r\n" + Part +
                             crlf({"' Start of Closing file", " ", "' Schlu\xdf", " ", "' End of Closing file"})));
        QCOMPARE(QDir(dir).entryList(QDir::Files).size(), 2);
    }

    // A part file whose name leaves no room for the temporary name beside it is not touched, and
    // the user is told why.
    void partFileTooLongToReplace() {
        const savefile::Limits limits = savefile::limits(m_dir->path());
        m_part = path(QStringLiteral("work/") + QString(limits.name - savefile::TemporarySuffix + 1 - 4, u'p') +
                      QStringLiteral(".cvp"));
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
        if (!onWindows()) // where QFile::link makes a shortcut, a file of its own
            QTest::newRow("closing, called through a link") << false << true << "link.cvp";
    }
    void partFileAsItsOwnOpeningOrClosingFile() {
        QFETCH(bool, opening);
        QFETCH(bool, asFP);
        QFETCH(QString, spelling);
        writeBytes(m_part, Part);
        QFile::link(m_part, path(QStringLiteral("link.cvp")));
        HeaderFields f = sampleHeaderFields();
        (opening ? f.addOpening : f.addClosing) = true;
        (opening ? f.openingAsFP : f.closingAsFP) = asFP;
        (opening ? f.openingPath : f.closingPath) = path(spelling);
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
        f.addClosing = true;
        f.closingPath = QStringLiteral("new.cvp");
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
        // A reader that blocked on the FIFO or read /dev/zero without end would never return; CTest's
        // timeout ends the test then.
        {
            HeaderAnswers h;
            if (which == QLatin1String("variables read") || which == QLatin1String("cvheader.ini")) {
                error = headeranswers::load(*m_platform, h).error;
            } else if (which == QLatin1String("variables update")) {
                error = headeranswers::save(*m_platform, h, sampleHeaderFields()).error;
            } else {
                HeaderFields f = sampleHeaderFields();
                f.addClosing = which == QLatin1String("closing file");
                f.closingAsFP = false;
                f.closingPath = special;
                error = rewrite(f).error;
            }
        }
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
        f.addClosing = true;
        f.closingPath = QStringLiteral("new.cvp");
        QCOMPARE(rewrite(f).outcome, Outcome::Written);
        QVERIFY(m_platform->asked.isEmpty());
        QVERIFY(readBytes(m_part).endsWith(
            "' End of header file\r\n\r\n" + oldBlock + Part +
            crlf({"' Start of Closing file", " ", "FP, new.cvp", " ", "' End of Closing file"})));
    }

    // A composed line holding a line break is a fault of the program: reported, never written.
    void composedLineBreaksAreRefused() {
        HeaderFields f = sampleHeaderFields();
        f.createdBy = QStringLiteral("Ann\n&header_units = 1");
        writeBytes(m_part, Part);
        const headsmith::RewriteResult r = rewrite(f);
        QCOMPARE(r.outcome, Outcome::Failed);
        QVERIFY2(r.error.contains(QStringLiteral("holds a line break")), qPrintable(r.error));
        QCOMPARE(readBytes(m_part), Part);
        HeaderAnswers h;
        QVERIFY(!headeranswers::save(*m_platform, h, f).ok);
        QVERIFY(!QFile::exists(variablesFile()));
        writeBytes(variablesFile(), "&my_hasrunheader = 1\r\n&header_name = Bo\r\n");
        QVERIFY(!headeranswers::save(*m_platform, h, f).ok);
        QCOMPARE(readBytes(variablesFile()), QByteArray("&my_hasrunheader = 1\r\n&header_name = Bo\r\n"));
    }
};

#include "testmain.h"
QTEST_MAIN(tst_rewrite)
#include "tst_rewrite.moc"
