// Headsmith's header and closing block: the lines written for given answers, byte for byte.
#include "core/headsmith/headerinfo.h"
#include "headsmithfixture.h"
#include "samplefields.h"

#include <QRandomGenerator>

namespace {

// The fields behind each expected header file under tests/data/headsmith.
HeaderFields goldenFields(const QString& name, const QString& openingText, const QString& closingText) {
    HeaderFields f;
    f.date = QStringLiteral("12/7/2026");
    f.copyrightYear = QStringLiteral("2026");
    if (name == QLatin1String("both")) {
        f.description = QStringLiteral("Sign for the shop door");
        f.createdBy = f.contactName = QStringLiteral("Jane Maker");
        f.copyright = QStringLiteral("Maker Works");
        f.use = QStringLiteral("free for educational use");
        f.email = QStringLiteral("jane@example.com");
        f.phone = QStringLiteral("555.123.4567");
        f.blank = QStringLiteral("96 x 48");
        f.material = QStringLiteral("MDF");
        f.thickness = QStringLiteral("3/4");
        f.bitSize = QStringLiteral("1/4");
        f.bitType = QStringLiteral("down-spiral bit");
        f.tableTop = true;
        f.offset2d = true;
        f.xOffset = QStringLiteral("1.5");
        f.yOffset = QStringLiteral("2");
        f.additionalInfo = QStringLiteral("'' Sand the edges\n'' Paint after cutting\n");
        f.addOpening = true;
        f.openingPath = QStringLiteral("C:\\parts\\home.cvp");
        f.addClosing = true;
        f.closingPath = QStringLiteral("C:\\parts\\park.cvp");
    } else if (name == QLatin1String("email")) {
        f.description = QStringLiteral("Coaster");
        f.createdBy = f.copyright = f.contactName = QStringLiteral("Sam");
        f.use = QStringLiteral("contact copyright holder");
        f.email = QStringLiteral("sam@example.com");
        f.blank = QStringLiteral("32 x 24");
        f.material = QStringLiteral("foam");
        f.thickness = QStringLiteral("1");
        f.bitSize = QStringLiteral("1/8");
        f.bitType = QStringLiteral("V bit");
        f.offset3d = true;
        f.xOffset = QStringLiteral("1");
        f.yOffset = QStringLiteral("2");
        f.zOffset = QStringLiteral("0.25");
        f.addOpening = true;
        f.openingAsFP = false;
        f.openingPath = openingText;
        f.addClosing = true;
        f.closingAsFP = false;
        f.closingPath = closingText;
    } else if (name == QLatin1String("phone")) {
        f.createdBy = f.copyright = f.contactName = QStringLiteral("Ann");
        f.use = QStringLiteral("no restrictions... free for any use");
        f.phone = QStringLiteral("555.555.0000");
        f.blank = QStringLiteral("96 x 48");
        f.material = QStringLiteral("plywood");
        f.thickness = QStringLiteral("1/8");
        f.bitSize = QStringLiteral("1/2");
        f.bitType = QStringLiteral("straight bit");
        f.additionalInfo = QStringLiteral("'' only note\n");
    } else {
        f.description = QStringLiteral("Shelf");
        f.createdBy = QStringLiteral("Bo");
        f.copyright = QStringLiteral("Bo Co");
        f.use = QStringLiteral("fee for any and all use");
        f.contactName = QStringLiteral("Nobody");
        f.blank = QStringLiteral("2450 x 1225");
        f.material = QStringLiteral("Baltic Birch plywood");
        f.thickness = QStringLiteral("12mm");
        f.bitSize = QStringLiteral("6mm");
        f.bitType = QStringLiteral("compression bit");
        f.tableTop = true;
        f.metric = true;
        f.addClosing = true;
        f.closingPath = QStringLiteral("C:\\parts\\park.cvp");
    }
    return f;
}

} // namespace

class tst_headertext : public QObject, public HeadsmithFixture {
    Q_OBJECT

private Q_SLOTS:
    void init() { setUpFixture(); }
    void cleanup() { tearDownFixture(); }

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

    // Whatever the answers, reading the header gives back what it was written from, even with an
    // opening file copied in that brings a header of its own.
    void headerReadsBack() {
        QRandomGenerator rng(3);
        const auto pick = [&](const QStringList& options) { return options[rng.bounded(int(options.size()))]; };
        HeaderFields inner = sampleHeaderFields();
        inner.description = QStringLiteral("Inner");
        inner.offset3d = true;
        inner.additionalInfo = QStringLiteral("'' inner note\n");
        for (int round = 0; round < 300; ++round) {
            HeaderFields f;
            f.description = pick({"", "Shelf", "Sign for the door"});
            f.createdBy = pick({"Bo", "Jane Maker", "Ann on Main"});
            f.date = pick({"12/7/2026", "2026-07-12"});
            f.email = pick({"", "bo@example.com"});
            f.blank = pick({"96 x 48", "2450 x 1225", "48 1/2 x 24"});
            f.material = pick({"MDF", "Baltic Birch plywood", "foam"});
            f.thickness = pick({"3/4", "12mm", "1 1/2"});
            f.bitSize = pick({"1/4", "6mm"});
            f.bitType = pick({"V bit", "down-spiral bit"});
            f.tableTop = rng.bounded(2);
            const int offset = int(rng.bounded(3));
            f.offset2d = offset == 1;
            f.offset3d = offset == 2;
            f.xOffset = pick({"0", "1.5"});
            f.yOffset = pick({"2", "-3"});
            f.zOffset = pick({"0.25", "1"});
            QStringList notes;
            for (int n = int(rng.bounded(3)); n > 0; --n)
                notes << pick({"Sand the edges", "Cut this file out of a 1 x 1 piece of air that's 9 thick", "x"});
            for (const QString& note : notes)
                f.additionalInfo += QStringLiteral("'' ") + note + u'\n';
            f.addOpening = rng.bounded(2);
            f.openingAsFP = rng.bounded(2);
            f.openingPath = QStringLiteral("open.cvp");

            QStringList lines;
            for (const headertext::BlockLine& l : headertext::writeheaderinfo(f))
                if (!l.copyFile)
                    lines << l.text;
                else
                    for (const headertext::BlockLine& i : headertext::writeheaderinfo(inner))
                        lines << i.text;
            lines << QStringLiteral("'' Created by someone else on another day") << QStringLiteral("MX, 1");

            const HeaderInfo h = headerinfo::read(lines);
            QCOMPARE(h.description, f.description);
            QCOMPARE(h.createdBy, f.createdBy);
            QCOMPARE(h.date, f.date);
            QCOMPARE(h.blank, f.blank);
            QCOMPARE(h.material, f.material);
            QCOMPARE(h.thickness, f.thickness);
            QCOMPARE(h.bit, f.bitSize + u' ' + f.bitType);
            QCOMPARE(h.zeroOnTable, std::optional<bool>(f.tableTop));
            QCOMPARE(h.offsetMode, offset == 0 ? QString() : offset == 1 ? QStringLiteral("2d") : QStringLiteral("3d"));
            QCOMPARE(h.offsetTo,
                     offset == 0   ? QString()
                     : offset == 1 ? f.xOffset + QStringLiteral(" , ") + f.yOffset
                                   : f.xOffset + QStringLiteral(" , ") + f.yOffset + QStringLiteral(" , ") + f.zOffset);
            QCOMPARE(h.notes, notes);
        }
    }
};

#include "testmain.h"
QTEST_MAIN(tst_headertext)
#include "tst_headertext.moc"
