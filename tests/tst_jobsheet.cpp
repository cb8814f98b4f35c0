// The job sheet as the operator reads it: the text of the PDF (through poppler's pdftotext) for a
// part file with a header, stops and a line the dry run cannot simulate; the listing's shortening of
// long kept blocks; and File > Print and File > Export Job Sheet in the main window.
#include "core/headsmith/headertext.h"
#include "gui/batchmodes.h"
#include "gui/commandline.h"
#include "gui/document/partdocument.h"
#include "gui/jobsheet/jobsheetdata.h"
#include "gui/jobsheet/jobsheetpages.h"
#include "mainwindowfixture.h"

#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextStream>

// The poppler tools are part of the test set-up (scripts/setup.sh test); CI must have them, a
// developer's machine without them skips what needs them.
#define REQUIRE_POPPLER()                                                                                              \
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {                                       \
        if (qEnvironmentVariableIsSet("CI"))                                                                           \
            QFAIL("pdftotext is missing: scripts/setup.sh test installs poppler-utils");                               \
        QSKIP("pdftotext (poppler-utils) is not installed");                                                           \
    }

namespace {

// The PDF's text laid out as on the page; pages end with a form feed.
QString pdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString squeezed(QString text) {
    return text.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
}

HeaderFields sheetFields() {
    HeaderFields f;
    f.description = QStringLiteral("Sign for the shop door");
    f.createdBy = QStringLiteral("Jane Maker");
    f.date = QStringLiteral("12/7/2026");
    f.blank = QStringLiteral("96 x 48");
    f.material = QStringLiteral("MDF");
    f.thickness = QStringLiteral("3/4");
    f.bitSize = QStringLiteral("1/4");
    f.bitType = QStringLiteral("down-spiral bit");
    f.offset2d = true;
    f.xOffset = QStringLiteral("1.5");
    f.yOffset = QStringLiteral("2");
    f.additionalInfo = QStringLiteral("'' Sand the edges\n'' Paint after cutting\n");
    return f;
}

// A header (a 3/4 blank zeroed on its top), the opening lines, then an INPUT, a plunge 0.25 into the
// table, a cut as long as the answer, a PAUSE, a command the dry run does not know, a call of a file
// that is not there, a line long enough to wrap, and a return.
QStringList sheetLines() {
    QStringList lines;
    for (const headertext::BlockLine& l : headertext::writeheaderinfo(sheetFields()))
        lines << l.text;
    lines << QStringLiteral("' Created using the Corvane Part File Stacker") << QStringLiteral("' notice")
          << QStringLiteral("'") << QStringLiteral("INPUT \"Length?\" &len   ") << QStringLiteral("MZ, , , -1   ")
          << QStringLiteral("MX, &&len   ") << QStringLiteral("PAUSE") << QStringLiteral("SO, 1, 1")
          << QStringLiteral("FP, gone.cvp")
          << QStringLiteral("'") + QString(40, u'w') + QString(200, u'x') + QStringLiteral(" end of a long comment")
          << QStringLiteral("M2, 0, 0   ");
    return lines;
}

} // namespace

class tst_jobsheet : public QObject, public MainWindowFixture {
    Q_OBJECT

    QTemporaryDir m_work;
    QString m_text; // the sample sheet's PDF text

    // Writes the sheet of the sample part file through the command line; its exit status.
    int writeSample(const QString& pdf) {
        putBytes(m_work.filePath(QStringLiteral("job.cvp")),
                 sheetLines().join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
        const CommandLine c = parseCommandLine({QStringLiteral("cvstacker"), QStringLiteral("--job-sheet"), pdf,
                                                m_work.filePath(QStringLiteral("job.cvp")), QStringLiteral("--answer"),
                                                QStringLiteral("len=3")});
        QString errors;
        QTextStream err(&errors);
        return c.mode == CommandLine::Mode::JobSheet ? runJobSheet(c, err) : -1;
    }

private Q_SLOTS:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) return;
        const QString pdf = m_work.filePath(QStringLiteral("job.pdf"));
        QCOMPARE(writeSample(pdf), 0);
        m_text = pdfText(pdf);
    }
    void init() { resetFixture(); }

    // What the operator looks for, each where the sheet puts it (cells of a row read across).
    void sheetText_data() {
        QTest::addColumn<QString>("fragment");
        const int first = int(headertext::writeheaderinfo(sheetFields()).size()) + 4; // the INPUT line
        QTest::newRow("title") << "Job sheet: job.cvp";
        QTest::newRow("time: plunge 2 s, cut 3 s, back 3 s") << "Estimated time 0:00:08";
        QTest::newRow("extent X") << "Extent X 0.000 to 3.000 in";
        QTest::newRow("extent Z") << "Extent Z -1.000 to 0.000 in";
        // Errors first (the checker's, then the dry run's), each with its line, then the warnings.
        QTest::newRow("warnings: errors first") << QStringLiteral("Warnings Line %1 Error: ").arg(first + 5);
        QTest::newRow("warnings: the cut into the table")
            << QStringLiteral("Line %1 Warning: The bit's tip goes below the table top, to Z -1 ").arg(first + 1);
        QTest::newRow("unit") << "Unit inches, from the header";
        QTest::newRow("bit") << "Bit flat end mill of 0.250 in (from the header)";
        QTest::newRow("speeds at the start") << "Moves at the start XY 1 in/s, Z 0.5 in/s, A 1 in/s, B 1 in/s";
        QTest::newRow("acceleration") << "Acceleration off";
        QTest::newRow("answers used") << QStringLiteral("INPUT answers &len = 3 (Line %1)").arg(first);
        QTest::newRow("description") << "Description Sign for the shop door";
        QTest::newRow("creator") << "Created by Jane Maker, on 12/7/2026";
        QTest::newRow("material") << "Material MDF";
        QTest::newRow("blank") << "Blank 96 x 48";
        QTest::newRow("thickness") << "Thickness 3/4";
        QTest::newRow("bit") << "Bit 1/4 down-spiral bit";
        QTest::newRow("z zero") << "Z zero the top surface of the blank";
        QTest::newRow("offset") << "Offset mode 2d offset: move to 1.5 , 2 before cutting";
        QTest::newRow("notes") << "Notes Sand the edges Paint after cutting";
        QTest::newRow("input with its answer")
            << QStringLiteral("Line %1 INPUT \"Length?\" &len: answer used 3").arg(first);
        QTest::newRow("pause") << QStringLiteral("Line %1 PAUSE").arg(first + 3);
        QTest::newRow("not simulated") << QStringLiteral("Line %1 SO, 1, 1 Not simulated").arg(first + 4);
        QTest::newRow("numbered listing") << QStringLiteral("%1 MX, &&len").arg(first + 2);
    }
    void sheetText() {
        REQUIRE_POPPLER();
        QFETCH(QString, fragment);
        QVERIFY2(squeezed(m_text).contains(fragment), qPrintable(m_text));
    }

    // Every page says its number out of the count; the listing, with the footers taken out, is the
    // file line by line, numbered from 1, wrapped lines and all.
    void pagesAndListing() {
        REQUIRE_POPPLER();
        const QStringList pages = m_text.split(u'\f', Qt::SkipEmptyParts);
        QVERIFY(pages.size() >= 2);
        for (int i = 0; i < pages.size(); ++i)
            QVERIFY2(pages[i].contains(QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages.size())),
                     qPrintable(pages[i]));
        QString listing = m_text.mid(m_text.indexOf(QStringLiteral("The part file, line by line")));
        listing.remove(QRegularExpression(QStringLiteral("[^\\n]*Page \\d+ of \\d+[^\\n]*")));
        listing.remove(QRegularExpression(QStringLiteral("\\s")));
        QString expected = QStringLiteral("Thepartfile,linebyline");
        const QStringList lines = sheetLines();
        for (int i = 0; i < lines.size(); ++i)
            expected += QString::number(i + 1) + QString(lines[i]).remove(QRegularExpression(QStringLiteral("\\s")));
        QCOMPARE(listing, expected);
    }

    // A program calling a file of a thousand cuts outside the blank and a thousand unknown lines gives
    // a sheet of a few pages (not hundreds): the first rows of each list, and how many more there are.
    void longListsAreCut() {
        REQUIRE_POPPLER();
        QStringList main;
        for (const headertext::BlockLine& l : headertext::writeheaderinfo(sheetFields()))
            main << l.text;
        main << QStringLiteral("MZ, , , -0.1") << QStringLiteral("FP, many.cvp");
        QByteArray many;
        for (int i = 0; i < 1000; ++i)
            many += QStringLiteral("MX, %1\r\nSO, %1\r\n").arg(100 + i % 2).toUtf8();
        putBytes(m_work.filePath(QStringLiteral("calls.cvp")), main.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
        putBytes(m_work.filePath(QStringLiteral("many.cvp")), many);
        const QString pdf = m_work.filePath(QStringLiteral("calls.pdf"));
        const CommandLine c = parseCommandLine({QStringLiteral("cvstacker"), QStringLiteral("--job-sheet"), pdf,
                                                m_work.filePath(QStringLiteral("calls.cvp"))});
        QString errors;
        QTextStream err(&errors);
        QCOMPARE(runJobSheet(c, err), 0);
        const QString text = pdfText(pdf);
        QVERIFY2(text.count(u'\f') <= 6, qPrintable(QString::number(text.count(u'\f'))));
        // The plunge at the blank's corner is one warning more: the bit's edge leaves the blank there.
        QCOMPARE(squeezed(text).count(QStringLiteral("\u2026 and 951 more, not listed here.")), 1);
        QCOMPARE(squeezed(text).count(QStringLiteral("\u2026 and 950 more, not listed here.")), 1);
    }

    // The sheet's picture printed in black and white at 150 dpi on the page's width: a move and a jog of
    // the same colour still differ, the move solid and dark, the jog broken and lighter.
    void movesAndJogsDifferInGrey() {
        auto trace = std::make_shared<dryrun::Trace>();
        trace->files << QStringLiteral("grey.cvp");
        for (const bool jog : {false, true}) {
            dryrun::Segment s;
            s.from = {0, jog ? 5.0 : 0.0, -0.5, 0, 0};
            s.to = {10, s.from.y, -0.5, 0, 0};
            s.jog = jog;
            s.source = {0, jog ? 2 : 1};
            trace->segments.push_back(s);
        }
        const QImage grey = jobsheet::pathPicture(*trace)
                                .scaledToWidth(1063, Qt::SmoothTransformation) // 180 mm at 150 dpi
                                .convertToFormat(QImage::Format_Grayscale8);
        // Darkness per row and column over the middle of the picture, clear of the legend and the axes.
        const int x0 = grey.width() * 3 / 10, x1 = grey.width() * 6 / 10;
        std::vector<double> rows(std::size_t(grey.height()), 0.0);
        for (int y = 0; y < grey.height(); ++y)
            for (int x = x0; x < x1; ++x)
                rows[std::size_t(y)] += 255 - qGray(grey.pixel(x, y));
        const double top = *std::max_element(rows.begin(), rows.end());
        // The two lines: runs of rows with ink, the jog above the move.
        QList<std::pair<int, int>> lines;
        for (int y = 0; y < grey.height(); ++y)
            if (rows[std::size_t(y)] > top * 0.05) {
                if (lines.isEmpty() || lines.last().second != y - 1) lines.append({y, y});
                lines.last().second = y;
            }
        QCOMPARE(lines.size(), 2);
        struct Look {
            double gaps = 0, peak = 0, weight = 0; // share of columns without ink; the darkest; ink per inked column
        };
        const auto look = [&](std::pair<int, int> rowsOfLine) {
            Look l;
            int inked = 0;
            for (int x = x0; x < x1; ++x) {
                double column = 0;
                for (int y = rowsOfLine.first; y <= rowsOfLine.second; ++y) {
                    column += 255 - qGray(grey.pixel(x, y));
                    l.peak = std::max(l.peak, 255.0 - qGray(grey.pixel(x, y)));
                }
                if (column < 20)
                    l.gaps += 1;
                else
                    l.weight += column, ++inked;
            }
            l.gaps /= x1 - x0;
            l.weight /= std::max(inked, 1);
            return l;
        };
        const Look jog = look(lines[0]), move = look(lines[1]);
        QVERIFY2(move.gaps == 0 && jog.gaps > 0.25, qPrintable(QStringLiteral("%1 %2").arg(move.gaps).arg(jog.gaps)));
        QVERIFY2(move.peak > 100, qPrintable(QString::number(move.peak)));
        QVERIFY2(move.weight > 1.4 * jog.weight, qPrintable(QStringLiteral("%1 %2").arg(move.weight).arg(jog.weight)));
    }

    // With a blank the sheet's picture lies on the carved blank: its untouched top, and the groove in
    // the relief's colours beside the path; without one, the path alone.
    void carvedBlankUnderThePath() {
        dryrun::Settings s;
        s.blankX = 10;
        s.blankY = 6;
        s.tool = {dryrun::Tool::Shape::V, 0.5, 60};
        const dryrun::Trace trace = dryrun::run(
            dryrun::programFromText("c.cvp", "/job", "JZ, , , 0.5\nJ2, 2, 1\nMZ, , , -0.2\nM2, 8, 1\nJZ, , , 0.5\n"), s,
            {}, {});
        const auto job = carve::Job::fromTrace(trace);
        QVERIFY(job);
        const auto count = [](const QImage& image, QRgb colour) {
            int n = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    n += image.pixel(x, y) == colour;
            return n;
        };
        const QRgb top = qRgb(0xEA, 0xD7, 0xB0);
        const QImage carved = jobsheet::pathPicture(trace, job.get());
        const QImage plain = jobsheet::pathPicture(trace);
        QCOMPARE(carved.size(), plain.size());
        // The blank is 10 x 6 of a picture some 17 units wide: a fifth of it at least.
        QVERIFY2(count(carved, top) > carved.width() * carved.height() / 5,
                 qPrintable(QString::number(count(carved, top))));
        QCOMPARE(count(plain, top), 0);
        // Across the groove, away from the path's line over it, the relief's walls: colours neither
        // picture has outside the carved blank.
        const QPointF mid = QPointF(carved.width() / 2.0, 0);
        int walls = 0;
        for (int y = 0; y < carved.height(); ++y) {
            const QRgb c = carved.pixel(int(mid.x()), y);
            walls += c != top && c != plain.pixel(int(mid.x()), y) && qRed(c) > qBlue(c) + 40;
        }
        QVERIFY2(walls >= 4, qPrintable(QString::number(walls)));
    }

    // Letter where the locale's country prints on it, A4 elsewhere.
    void paperFromLocale_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("size");
        QTest::newRow("United States") << "en_US"
                                       << "(letter)";
        QTest::newRow("Canada") << "fr_CA"
                                << "(letter)";
        QTest::newRow("Germany") << "de_DE"
                                 << "(A4)";
        QTest::newRow("Spain") << "es_ES"
                               << "(A4)";
    }
    void paperFromLocale() {
        REQUIRE_POPPLER();
        QFETCH(QString, locale);
        QFETCH(QString, size);
        const QLocale before;
        QLocale::setDefault(QLocale(locale));
        const QString pdf = m_work.filePath(locale + QStringLiteral(".pdf"));
        const int status = writeSample(pdf);
        QLocale::setDefault(before);
        QCOMPARE(status, 0);
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        info.waitForFinished(60000);
        const QString out = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(out.contains(QRegularExpression(QStringLiteral("Page size:.*") + QRegularExpression::escape(size))),
                 qPrintable(out));
    }

    // Generated files of header, program and closing runs: the listing shows every program line,
    // keeps the numbers of the file, and stands for every line it leaves out of a long kept block.
    void listingShortensOnlyLongKeptBlocks() {
        QRandomGenerator rng(7);
        for (int round = 0; round < 200; ++round) {
            dryrun::Program p{QStringLiteral("f.cvp"), {}, {}};
            const dryrun::Region regions[] = {dryrun::Region::Header, dryrun::Region::Program, dryrun::Region::Closing};
            for (const dryrun::Region region : regions) {
                const int n = int(rng.bounded(region == dryrun::Region::Program ? 120 : 700));
                for (int i = 0; i < n; ++i)
                    p.lines.push_back(
                        {QStringLiteral("line %1").arg(p.lines.size() + 1), int(p.lines.size()) + 1, region});
            }
            const JobSheetData d = jobsheet::gather(p, nullptr, {}, QStringLiteral("today"));
            int shown = 0, skipped = 0, last = 0, gaps = 0;
            for (const JobSheetData::ListingLine& l : d.listing) {
                if (l.number == 0) {
                    QVERIFY(l.skipped > 0);
                    skipped += l.skipped;
                    last += l.skipped;
                    ++gaps;
                    continue;
                }
                QCOMPARE(l.number, last + 1);
                QCOMPARE(l.text, p.lines[std::size_t(l.number) - 1].text);
                last = l.number;
                ++shown;
            }
            QCOMPARE(shown + skipped, int(p.lines.size()));
            int longKept = 0;
            for (const dryrun::Region region : {dryrun::Region::Header, dryrun::Region::Closing})
                longKept += std::count_if(p.lines.begin(), p.lines.end(), [&](const dryrun::SourceLine& l) {
                                return l.region == region;
                            }) > jobsheet::KeptRunLimit;
            QCOMPARE(gaps, longKept);
        }
    }

    // File > Export Job Sheet: the program as it stands (unsaved lines too), into the file chosen;
    // never over the part file, never over another file unasked, and a failure is told with its reason.
    void exportFromTheWindow_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QList<bool>>("answers"); // to the replace question
        QTest::addColumn<QString>("told");        // the start of what the user is told; empty: written
        QTest::newRow("a new file") << "sheet.pdf" << QList<bool>{} << "";
        QTest::newRow("no suffix: .pdf added") << "sheet" << QList<bool>{} << "";
        QTest::newRow("an existing file, replaced") << "old.pdf" << QList<bool>{true} << "";
        QTest::newRow("an existing file, kept") << "old.pdf" << QList<bool>{false} << "-";
        QTest::newRow("the part file itself") << "part.cvp" << QList<bool>{} << "The job sheet cannot take";
        QTest::newRow("a folder that is a file") << "part.cvp/sheet.pdf" << QList<bool>{} << "The job sheet could not";
    }
    void exportFromTheWindow() {
        QFETCH(QString, target);
        QFETCH(QList<bool>, answers);
        QFETCH(QString, told);
        const QByteArray part = "' Created using the Corvane Part File Stacker\r\n' n\r\n'\r\nMX, 2   \r\n";
        putBytes(path(QStringLiteral("part.cvp")), part);
        putBytes(path(QStringLiteral("old.pdf")), "old");
        auto w = startWindow([](QDialog&) { return false; }, false, {}, path(QStringLiteral("part.cvp")));
        QVERIFY(w->document().addLine(Kind::Pause, ComposedLine{QStringLiteral("PAUSE")}));
        m_platform.files << path(target);
        m_platform.yesNo.append(answers);
        m_platform.asked.clear();
        action(*w, "mnuExportJobSheet")->trigger();

        QCOMPARE(m_platform.asked.first().what, QStringLiteral("save"));
        QCOMPARE(m_platform.asked.first().name, QStringLiteral("part.pdf"));
        QCOMPARE(m_platform.asked.size(), 1 + answers.size() + (told.size() > 1 ? 1 : 0));
        QCOMPARE(readAll(path(QStringLiteral("part.cvp"))), part);
        const QString written = target.endsWith(QLatin1String(".pdf")) ? path(target) : path(target + ".pdf");
        if (told == QLatin1String("-")) QCOMPARE(readAll(written), QByteArray("old"));
        if (told.size() > 1)
            QVERIFY2(m_platform.asked.last().text.startsWith(told), qPrintable(m_platform.asked.last().text));
        if (!told.isEmpty()) return;
        QVERIFY(readAll(written).startsWith("%PDF"));
        REQUIRE_POPPLER();
        const QString text = squeezed(pdfText(written));
        QVERIFY2(text.contains(QStringLiteral("4 MX, 2 5 PAUSE")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Line 5 PAUSE")));
        QVERIFY(text.contains(QStringLiteral("Warnings None.")));
        QVERIFY(text.contains(QStringLiteral("not saved yet")));
    }

    // File > Print shows the preview of the sheet's pages, from the File menu above Exit, and closes.
    void printShowsThePreview() {
        putBytes(path(QStringLiteral("part.cvp")), "MX, 2   \r\nPAUSE\r\n");
        int pages = 0;
        QString title;
        auto w = startWindow(
            [&](QDialog& d) {
                if (auto* preview = qobject_cast<QPrintPreviewDialog*>(&d)) {
                    auto* widget = preview->findChild<QPrintPreviewWidget*>();
                    widget->updatePreview();
                    pages = widget->pageCount();
                    title = preview->windowTitle();
                }
                return false;
            },
            false, {}, path(QStringLiteral("part.cvp")));
        const QList<QAction*> file = w->findChild<QMenu*>(QStringLiteral("mnuFile"))->actions();
        const qsizetype print = file.indexOf(action(*w, "mnuPrint"));
        QVERIFY(print > 0 && file.indexOf(action(*w, "mnuExportJobSheet")) == print - 1);
        QVERIFY(print < file.indexOf(action(*w, "mnuExit")));
        QCOMPARE(action(*w, "mnuPrint")->shortcut(), QKeySequence(QKeySequence::Print));
        action(*w, "mnuPrint")->trigger();
        QCOMPARE(pages, 1);
        QCOMPARE(title, QStringLiteral("Print Job Sheet"));
        QVERIFY(m_platform.asked.isEmpty());
    }
};

#include "testmain.h"
QTEST_MAIN(tst_jobsheet)
#include "tst_jobsheet.moc"
