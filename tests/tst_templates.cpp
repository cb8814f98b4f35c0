// Templates: declarations good and bad, filling in, the file written back and read again, and the
// built-in templates run through the dry run against numbers worked out by hand.
#include "core/checker/checker.h"
#include "core/dryrun/dryrun.h"
#include "core/headsmith/headertext.h"
#include "core/numberbox.h"
#include "core/partfile/partfile.h"
#include "core/partfile/partfilereader.h"
#include "core/templates/templatelibrary.h"
#include "core/templates/templates.h"
#include "core/textfile.h"
#include "systemfiles.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>
#include <map>

using namespace templates;

namespace {

using Values = QHash<QString, double>;

// "width=2 depth=0.1" as values.
Values values(const QString& words) {
    Values v;
    for (const QString& w : words.split(u' ', Qt::SkipEmptyParts))
        v.insert(w.section(u'=', 0, 0), w.section(u'=', 1).toDouble());
    return v;
}

QString num(double v) {
    return QString::number(v, 'g', 6);
}

// Parameters, description and lines in one line, so a table row can say what a file must give.
QString describe(const ParseResult& r) {
    if (!r.ok) return r.errors.join(u'\n');
    QStringList params;
    for (const Parameter& p : r.ok->parameters)
        params << p.name + u'=' + num(p.defaultValue) + u'"' + p.prompt + u'"' +
                      (rangeText(p).isEmpty() ? QString() : u'[' + rangeText(p) + u']');
    for (const Requirement& q : r.ok->requirements)
        params << "require(" + q.test + ")\"" + q.message + u'"';
    return params.join(u' ') + " | " + r.ok->description + " | " + r.ok->lines.join(u'/');
}

struct Lcg {
    quint32 state;
    int next(int bound) {
        state = state * 1103515245u + 12345u;
        return int((state >> 16) % quint32(bound));
    }
    double real(double from, double to) { return from + (to - from) * next(10001) / 10000.0; }
};

Template builtIn(int index) {
    const QList<Template> all = builtIns();
    return index < all.size() ? all[index] : Template{};
}

dryrun::Trace runLines(const QStringList& lines) {
    return dryrun::run(dryrun::programFromText("t.cvp", "/job", lines.join(u'\n')), {}, {}, {});
}

// The length of XY travel at each height, from horizontal segments: where the bit cut how far.
QString travelByHeight(const dryrun::Trace& t) {
    std::map<double, double> byZ;
    for (const dryrun::Segment& s : t.segments)
        if (s.from.z == s.to.z) byZ[std::round(s.to.z * 1e9) / 1e9] += std::hypot(s.to.x - s.from.x, s.to.y - s.from.y);
    QStringList out;
    for (const auto& [z, length] : byZ)
        if (length > 0) out << num(z) + u':' + num(length);
    return out.join(u' ');
}

QString extentOf(const dryrun::Trace& t) {
    const dryrun::Extent& e = t.extent;
    return QStringLiteral("x%1..%2 y%3..%4 z%5..%6")
        .arg(num(e.x.min), num(e.x.max), num(e.y.min), num(e.y.max), num(e.z.min), num(e.z.max));
}

} // namespace

class tst_templates : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void declarations_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const char* file, const char* expected) {
            QTest::newRow(name) << QString::fromUtf8(file) << QString::fromUtf8(expected);
        };
        row("as written", "'' param &width = 10 \"Pocket width\"\n' Pocket\nMX, &width",
            "width=10\"Pocket width\" | Pocket | MX, &width");
        row("tight, tabs, letter case, quotes in the prompt",
            "''PARAM&&w=.5\"W\"\n \t'' Param \t&d \t= -1. \t\"Depth (\"deep\")\"  \nMX, 1",
            "w=0.5\"W\" d=-1\"Depth (\"deep\")\" |  | MX, 1");
        row("empty lines among them, empty prompt", "\n'' param &a = 1 \"\"\n\n'' param &b = 2 \"B\"\n'\n\nMX, 1",
            "a=1\"\" b=2\"B\" |  | /MX, 1");
        row("header, opening lines and closing block left out",
            "'' Header file created by Corvane Headsmith\n'' x\n' End of header file\n\n"
            "' Created using the Corvane Part File Stacker\n' notice\n'\n'' param &a = 1 \"A\"\n'' Desc\nMX, &a\n"
            "' Start of Closing file\nFP, c.cvp\n' End of Closing file",
            "a=1\"A\" | Desc | MX, &a");
        row("a part file without declarations", "' Sign\nMX, 1\n'' param &a = 1 \"A\"",
            " | Sign | MX, 1/'' param &a = 1 \"A\"");
        row("'parameters' is no keyword", "'' parameters: none\nMX, 1", " | parameters: none | MX, 1");
        row("a single quote is never a declaration", "' param &a = 1 \"A\"", " | param &a = 1 \"A\" | ");
        row("no &", "'' param width = 10 \"W\"",
            "Line 1: the parameter has no variable; write it as &name after param.");
        row("nothing after param", "'' param", "Line 1: the parameter has no variable; write it as &name after param.");
        const char* badName = "Line 1: \"%1\" is no variable name; after one or two &, a name begins with a letter or "
                              "_ and holds only letters, digits and _.";
        for (const char* name : {"&2nd", "&my-width", "&&&x", "&wé"})
            QTest::newRow(name) << QStringLiteral("'' param %1 = 1 \"x\"").arg(QString::fromUtf8(name))
                                << QString::fromUtf8(badName).arg(QString::fromUtf8(name));
        row("no =", "'' param &w 10 \"W\"", "Line 1: &w needs = and a default value after its name.");
        for (const char* value : {"ten", "1e3", "1,5", "+1", "1.2.3", "-", ""})
            QTest::addRow("default %s", value) << QStringLiteral("'' param &w = %1 \"W\"").arg(QLatin1String(value))
                                               << "Line 1: the default value of &w is not a number.";
        row("no prompt", "'' param &w = 10", "Line 1: &w has no prompt in double quotes after its default value.");
        row("a prompt without quotes", "'' param &w = 10 Width",
            "Line 1: &w has no prompt in double quotes after its default value.");
        row("unclosed prompt", "'' param &w = 10 \"Width", "Line 1: the prompt of &w has no closing double quote.");
        const char* noRange = "Line 1: after the prompt of &w may stand only its range: min, max, above or below, each "
                              "with a number, and whole.";
        row("text after the prompt", "'' param &w = 10 \"W\" cm", noRange);
        row("a range in any order and case", "'' param &w = 2 \"W\" whole MAX 10 above 0",
            "w=2\"W\"[a whole number above 0 and at most 10] |  | ");
        row("a range from .. to", "'' param &w = 1 \"W\"\tmin 1 max 5", "w=1\"W\"[a number from 1 to 5] |  | ");
        row("a lower bound twice", "'' param &w = 1 \"W\" min 0 above 0", noRange);
        row("a range of no number", "'' param &w = 1 \"W\" min 1 below 1", "Line 1: the range of &w holds no number.");
        row("a default outside its range", "'' param &w = 0 \"W\" above 0",
            "Line 1: the default value of &w is outside its range.");
        row("a requirement", "'' param &a = 1 \"A\"\n'' REQUIRE &a < &&b * 2 \"A \"too\" big.\"\n'' param &b = 1 \"B\"",
            "a=1\"A\" b=1\"B\" require(&a < &&b * 2)\"A \"too\" big.\" |  | ");
        row("a requirement on no parameter", "'' require &b > 0 \"B\"",
            "Line 1: the requirement uses &b, which no parameter declares.");
        row("a requirement comparing nothing", "'' param &a = 1 \"A\"\n'' require &a \"A\"",
            "Line 2: the requirement's test \"&a\" compares nothing; write two values with = < > <= >= or <> between "
            "them.");
        row("a requirement without a message", "'' param &a = 1 \"A\"\n'' require &a > 0",
            "Line 2: the requirement has no message in double quotes after its test.");
        QString many, bad;
        QStringList told;
        for (int i = 1; i <= MaxParameters + 1; ++i) {
            many += QStringLiteral("'' param &p%1 = 1 \"P\"\n").arg(i);
            bad += i <= 25 ? "'' param x\n" : "";
            if (i <= 20)
                told << QStringLiteral("Line %1: the parameter has no variable; write it as &name after param.").arg(i);
        }
        QTest::newRow("more parameters than a template takes")
            << many << "Line 51: a template declares at most 50 parameters; this is one more.";
        QTest::newRow("many faults, the first twenty told") << bad << told.join(u'\n') + "\nAnd 5 more faults.";
        row("declared twice, any case", "'' param &w = 1 \"a\"\n'' param &&W = 2 \"b\"",
            "Line 2: &W is declared again; it was first declared on line 1.");
        row("every fault listed in line order", "'' param x\n'' param &a = 1 \"A\"\nMX, 1\x07\n'' param &a = 1 \"A\"",
            "Line 1: the parameter has no variable; write it as &name after param.\n"
            "Line 3 holds a control character, which no part-file line may hold.");
    }
    void declarations() {
        QFETCH(QString, file);
        QFETCH(QString, expected);
        QCOMPARE(describe(parse("t", file.split(u'\n'))), expected);
    }

    // The rule of every number box: "." or "," as the decimal separator, nothing else but a sign
    // and blanks around; "partly" says whether the text may still become a number as more is typed.
    void numberBoxes_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("read"); // empty: no number
        QTest::addColumn<bool>("partly");
        const QStringList rows{"0,25=0.25+", " -1.5\t=-1.5+", "+2=2+", ".5=0.5+", "5.=5+",   ",5=0.5+", "-=+", "=+",
                               "1,000.5=-",  "1e3=-",         "inf=-", "nan=-",   "1 000=-", "0x1=-",   "٣=-"};
        for (const QString& r : rows)
            QTest::newRow(qPrintable(r)) << r.section(u'=', 0, 0) << r.section(u'=', 1).chopped(1) << r.endsWith(u'+');
    }
    void numberBoxes() {
        QFETCH(QString, typed);
        QFETCH(QString, read);
        QFETCH(bool, partly);
        const std::optional<double> v = numberbox::read(typed);
        QCOMPARE(v ? numberbox::text(*v) : QString(), read);
        QCOMPARE(numberbox::couldBecome(typed), partly);
    }

    void instantiate_data() {
        QTest::addColumn<Values>("values");
        QTest::addColumn<QString>("expected");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("defaults") << Values{} << "&&width = 10   /&&Depth = 0.5   /' body/MX, &width";
        QTest::newRow("values by name in any case") << Values{{"WIDTH", 2.5}, {"depth", -0.125}, {"other", 1}}
                                                    << "&&width = 2.5   /&&Depth = -0.125   /' body/MX, &width";
        QTest::newRow("many decimals, not a number")
            << Values{{"width", 0.1234567890123}, {"Depth", nan}}
            << "&&width = 0.1234567890123   /&&Depth = 0.5   /' body/MX, &width";
        QTest::newRow("no exponent, no minus zero")
            << Values{{"width", 1e21}, {"Depth", -0.0}}
            << "&&width = 1000000000000000000000   /&&Depth = 0   /' body/MX, &width";
    }
    void instantiate() {
        QFETCH(Values, values);
        QFETCH(QString, expected);
        const ParseResult r =
            parse("t", {"'' param &width = 10 \"W\"", "'' param &Depth = .50 \"D\"", "' Desc", "' body", "MX, &width"});
        QVERIFY(r.ok);
        QCOMPARE(templates::instantiate(*r.ok, values).join(u'/'), expected);
    }

    // What "Save as template" writes reads back as the same parameters, description and lines,
    // whatever the names, defaults, prompts and lines are.
    void templateFileReadsBack() {
        Lcg rng{9};
        const QString chars = QStringLiteral("aZ_09 \t\"'&=é\n");
        const QStringList programLines = {
            "MX, &a", "", "' comment", "'' param &x = 1 \"x\"", "&&b = 2", "top:", "' Start of Closing file"};
        const auto text = [&](int most) {
            QString s;
            for (int n = rng.next(most + 1); n > 0; --n)
                s += chars[rng.next(int(chars.size()))];
            return s;
        };
        for (int i = 0; i < 500; ++i) {
            QList<Parameter> params;
            QSet<QString> keys;
            for (int n = rng.next(5); n > 0; --n) {
                QString name(1, QChar(u"aB_"[rng.next(3)]));
                for (int k = rng.next(6); k > 0; --k)
                    name += QChar(u"aZ_09"[rng.next(5)]);
                const double value = (rng.next(2) ? -1 : 1) * rng.real(0, 1) * std::pow(10.0, rng.next(40) - 20);
                if (!keys.contains(name.toCaseFolded())) params << Parameter{name, value, text(12)};
                keys << name.toCaseFolded();
            }
            QStringList lines;
            for (int n = rng.next(6); n > 0; --n)
                lines << programLines[rng.next(int(programLines.size()))];
            const QString description = text(20);
            const ParseResult r = parse("t", templateFile(description, params, lines));
            QVERIFY2(r.ok, qPrintable(r.errors.join(u'\n')));
            for (Parameter& p : params)
                p.prompt = textfile::oneLine(p.prompt);
            QCOMPARE(r.ok->parameters, params);
            QCOMPARE(r.ok->description, textfile::oneLine(description).trimmed());
            QCOMPARE(r.ok->lines, lines);
        }
    }

    void variablesSetIn_data() {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first spelling, first set order") << "&&b = 1\nMX, &z\n&a=2\n&&B = &&b + 1\n&&a = 3"
                                                         << "b a";
        QTest::newRow("only variable lines with usable names")
            << "IF 1 = 1 THEN &&c = 1\nINPUT \"x\" &&d\n' &&e = 1\n&&my-x = 1\n&&f = 1"
            << "f";
    }
    void variablesSetIn() {
        QFETCH(QString, lines);
        QFETCH(QString, expected);
        QCOMPARE(templates::variablesSetIn(lines.split(u'\n')).join(u' '), expected);
    }

    // Which variables a template made of the lines may take as parameters: the first line that sets
    // one must set it to a number and run once, before anything that jumps or repeats.
    void offers_data() {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("expected"); // name=default'comment, or name(no) when not usable
        QTest::newRow("numbers, the comment as prompt") << "&&w = 4   'Pocket width\n&&d = -.5   \nMX, &w"
                                                        << "w=4'Pocket width d=-0.5'";
        QTest::newRow("first spelling; a later setting does not count") << "&&a = 1\n&&A = &&a + 1"
                                                                        << "a=1'";
        QTest::newRow("an expression") << "&&w = &&a * 2"
                                       << "w(no)";
        QTest::newRow("first set in an IF or by INPUT") << "IF &&x > 1 THEN &&w = 5\n&&w = 4\nINPUT \"n?\" &&n\n&&n = 2"
                                                        << "w(no) n(no)";
        QTest::newRow("after a label, a jump or an END") << "&&a = 1\nloop:\n&&b = 2\nGOTO loop:\n&&c = 3"
                                                         << "a=1' b(no) c(no)";
        QTest::newRow("after a GOSUB") << "GOSUB s:\n&&a = 1"
                                       << "a(no)";
    }
    void offers() {
        QFETCH(QString, lines);
        QFETCH(QString, expected);
        QStringList got;
        for (const Offer& o : templates::offers(lines.split(u'\n')))
            got << (o.usable ? o.name + u'=' + numberText(o.defaultValue) + u'\'' + o.comment : o.name + "(no)");
        QCOMPARE(got.join(u' '), expected);
    }

    void templatePath_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("file"); // empty: refused
        QTest::newRow("plain") << " Pocket 2 "
                               << "Pocket 2.cvp";
        QTest::newRow("extension given") << "Pocket.CVP"
                                         << "Pocket.cvp";
        QTest::newRow("blank") << "  " << QString();
        QTest::newRow("only the extension") << ".cvp" << QString();
        QTest::newRow("a folder in it") << "a/b" << QString();
        QTest::newRow("a backslash") << "a\\b" << QString();
        QTest::newRow("a colon") << "c:x" << QString();
        QTest::newRow("a device name") << "Con" << QString();
        QTest::newRow("a full stop at the end") << "x." << QString();
        QTest::newRow("a tab") << "a\tb" << QString();
    }
    void templatePath() {
        QFETCH(QString, name);
        QFETCH(QString, file);
        QString error;
        const std::optional<QString> path = templates::templatePath(QStringLiteral("/t"), name, &error);
        QCOMPARE(path.has_value(), !file.isEmpty());
        QCOMPARE(error.isEmpty(), !file.isEmpty());
        if (path) QCOMPARE(*path, QDir::toNativeSeparators("/t/" + file));
    }

    // Any lines become exactly as many blocks, whatever they hold: none is kept aside as a header,
    // opening lines or a closing block's start without its end.
    void readLinesLosesNoLine() {
        const QStringList pool{headertext::HeaderStart,
                               headertext::HeaderEnd,
                               partfile::CreatedLine,
                               "'",
                               headertext::ClosingStart,
                               "GOSUB s:",
                               "s:",
                               "RETURN",
                               "MX, 1   'c",
                               "",
                               "END",
                               "&&a = 1   "};
        Lcg rng{7};
        for (int run = 0; run < 300; ++run) {
            QStringList lines;
            for (int n = rng.next(12); n > 0; --n)
                lines << pool[rng.next(int(pool.size()))];
            const partfilereader::ReadResult r = templates::readLines(lines);
            QVERIFY2(r.ok, qPrintable(lines.join(u'|') + " " + r.error));
            QCOMPARE(qsizetype(r.lines.size()), lines.size());
            QVERIFY(ProgramModel::wellFormed(r.lines));
        }
        QVERIFY(!templates::readLines({headertext::ClosingStart, "MX, 1", headertext::ClosingEnd}).ok);
    }

    void readingFiles() {
        QTemporaryDir dir;
        const auto write = [&](const QString& name, const QByteArray& bytes) {
            QFile f(dir.filePath(name));
            return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
        };
        QVERIFY(write("job.pocket.cvp", "'' param &a = 1 \"A\"\r\n' Desc\r\nMX, &a\r\n"));
        const ParseResult good = readFile(dir.filePath("job.pocket.cvp"));
        QCOMPARE(good.ok ? good.ok->name + ": " + describe(good) : good.errors.join(u'\n'),
                 QStringLiteral("job.pocket: a=1\"A\" | Desc | MX, &a"));
        // 1 MiB exactly is a template; one byte more is not.
        const QByteArray mib = QByteArray("' x\r\n").repeated(1 << 18).left((1 << 20) - 2) + "\r\n";
        QVERIFY(write("mib.cvp", mib) && write("more.cvp", mib + "x"));
        QVERIFY(load(dir.filePath("mib.cvp")));
        QVERIFY(QDir(dir.path()).mkdir("folder.cvp"));
        for (const char* name : {"more.cvp", "folder.cvp", "none.cvp"}) {
            const ParseResult r = readFile(dir.filePath(name));
            QVERIFY(!r.ok && r.errors.size() == 1);
            QVERIFY2(r.errors[0].startsWith(QDir::toNativeSeparators(dir.filePath(name)) + "\n\n"),
                     qPrintable(r.errors[0]));
        }
        QVERIFY(readFile(dir.filePath("more.cvp")).errors[0].endsWith("too large for a template."));
    }

    // A named pipe among the templates is listed with its reason, never opened.
    void specialFilesListed() {
        QTemporaryDir dir;
        QString why;
        if (!systemfiles::makeFifo(dir.filePath("pipe.cvp"), &why)) QSKIP(qPrintable(why));
        const QList<Entry> all = library(dir.path());
        QVERIFY2(all.back().t.name == "pipe" && all.back().errors.join(u' ').contains("named pipe"), "not listed");
    }

    // Each built-in, with its defaults, is a program of the toolbox's own lines that the checker finds
    // nothing in and the dry run runs to its end without a note. It carries no END, which would end
    // the program it is inserted into; the program's own END stands after it.
    void builtInsAreCleanPrograms() {
        const QList<Template> all = builtIns();
        QCOMPARE(all.size(), 4);
        for (const Template& t : all) {
            const QStringList lines = templates::instantiate(t, {}) << "END";
            const partfilereader::ReadResult read = partfilereader::read(lines.join("\r\n").toUtf8());
            QVERIFY(read.ok);
            QList<checker::Line> checked;
            for (const LoadedLine& l : read.lines) {
                QVERIFY2(l.kind != Kind::Blank, qPrintable(t.name + ": " + l.held));
                QCOMPARE(partfile::composeLine(l.kind, l.held, l.comment).value_or(QString()), lines[checked.size()]);
                checked << checker::Line{l.kind, l.held, l.comment, int(checked.size())};
            }
            QStringList findings;
            for (const checker::Finding& f : checker::check(checked, QString()))
                findings << f.rule + u'@' + QString::number(f.row) + u' ' + f.message;
            QVERIFY2(findings.isEmpty(), qPrintable(t.name + ": " + findings.join(u'\n')));
            const dryrun::Trace trace = runLines(lines);
            QVERIFY2(trace.warnings.isEmpty() && trace.notSimulated.isEmpty() && !trace.segments.empty(),
                     qPrintable(t.name));
        }
    }

    // Hand-worked runs from X 0, Y 0, Z 0 at the default speeds (XY move 1, Z move 0.5, XY jog 4,
    // Z jog 2): the workings are in the row's comment.
    void builtInRuns_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("values");
        QTest::addColumn<int>("segments");
        QTest::addColumn<QString>("extent");
        QTest::addColumn<double>("total");
        QTest::addColumn<QString>("travel"); // XY length at each height
        // Jog up 0.5/2 = 0.25, plunge 0.6/0.5 = 1.2; passes X 2, Y 0.5, X 2, Y 0.5, X 2 (7); jog up 0.6/2 = 0.3.
        QTest::newRow("surfacing 2 x 1") << 0 << "width=2 length=1 depth=0.1 stepover=0.5" << 8
                                         << "x0..2 y0..1 z-0.1..0.5" << 8.75 << "-0.1:7";
        // As above with a last step of 0.2 and a fourth pass: 0.25 + 1.2 + 9.2 + 0.3.
        QTest::newRow("surfacing, last step short") << 0 << "width=2 length=1.2 depth=0.1 stepover=0.5" << 10
                                                    << "x0..2 y0..1.2 z-0.1..0.5" << 10.95 << "-0.1:9.2";
        // Jog up 0.25; at -0.1: plunge 1.2, raster 7 (5 segments), back to 0,0 √5; down 0.1/0.5 = 0.2,
        // raster 7 at -0.2; jog up 0.7/2 = 0.35: 16 + √5 in 1 + 7 + 6 + 1 segments.
        QTest::newRow("pocket 2 x 1, 0.2 in 0.1")
            << 1 << "width=2 length=1 depth=0.2 passdepth=0.1 stepover=0.5 safez=0.5" << 15 << "x0..2 y0..1 z-0.2..0.5"
            << 18.2360679774997897 << "-0.2:7 -0.1:9.23607";
        // Raster X 1, Y 0.5, X 1 (2.5) at -0.1, -0.2 and -0.25 (the last pass short); back 0.5 at -0.1
        // and -0.2 before going deeper; plunges 1.2, 0.2, 0.1; jogs 0.25 and 0.75/2.
        QTest::newRow("pocket, last pass short")
            << 1 << "width=1 length=0.5 depth=0.25 passdepth=0.1 stepover=0.5" << 16 << "x0..1 y0..0.5 z-0.25..0.5"
            << 10.625 << "-0.25:2.5 -0.2:3 -0.1:3";
        // Each hole: jog down 0.25, 0.3, 0.35; drill 0.2, 0.2, 0.1; jog up 0.3, 0.35, 0.375 (2.425, 9
        // segments). Between holes jogs of 1, √1.25 and 1 at 4. Jog up 0.25 first: 0.75 + 9.7 + √1.25 / 4.
        QTest::newRow("holes 2 x 2, 0.25 in pecks of 0.1")
            << 2 << "rows=2 columns=2 pitchx=1 pitchy=0.5 depth=0.25 peck=0.1 safez=0.5" << 40
            << "x0..1 y0..0.5 z-0.25..0.5" << 10.7295084971874737 << "0.5:3.11803";
        // Plunge 0.8/0.5 = 1.6 after jog 0.25; each side its length in XY and four 0.1 steps in Z at
        // 0.2 (3.8, 2.3, 3.8, 2.3, 9 segments each); jog up 0.8/2 = 0.4. Tabs: 8 x 0.2 at -0.2.
        QTest::newRow("outline 3 x 1.5 with tabs")
            << 3 << "width=3 length=1.5 depth=0.3 tabwidth=0.2 tabheight=0.1 safez=0.5" << 39
            << "x0..3 y0..1.5 z-0.3..0.5" << 14.45 << "-0.3:7.4 -0.2:1.6";
    }
    void builtInRuns() {
        QFETCH(int, index);
        QFETCH(QString, values);
        QFETCH(int, segments);
        QFETCH(QString, extent);
        QFETCH(double, total);
        QFETCH(QString, travel);
        const dryrun::Trace t = runLines(templates::instantiate(builtIn(index), ::values(values)));
        QVERIFY(t.warnings.isEmpty() && t.notSimulated.isEmpty() && !t.stepLimitReached);
        QCOMPARE(int(t.segments.size()), segments);
        QCOMPARE(extentOf(t), extent);
        QVERIFY2(std::abs(t.totalTime - total) < 1e-9, qPrintable(QString::number(t.totalTime, 'g', 12)));
        QCOMPARE(travelByHeight(t), travel);
    }

    // What the form refuses in a built-in: values outside a parameter's range, named with it, and
    // combinations that cannot be cut.
    void refusals_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("values");
        QTest::addColumn<QStringList>("refused");
        const QString tabs = "Each tab must be shorter than a third of the %1, or the tabs run into each other and "
                             "past the corners.";
        const QString stepOver =
            "The step-over must not be wider than the bit, or strips between the passes stay uncut.";
        QTest::newRow("surfacing above the blank") << 0 << "depth=-0.05"
                                                   << QStringList{"&depth (Depth below the top of the blank) must be "
                                                                  "a number above 0 and at most 10000."};
        QTest::newRow("tabs longer than the sides")
            << 3 << "width=2 length=1.5 tabwidth=3" << QStringList{tabs.arg("width"), tabs.arg("length")};
        QTest::newRow("tabs higher than the cut")
            << 3 << "depth=0.1 tabheight=0.2" << QStringList{"The tabs cannot be higher than the cut is deep."};
        QTest::newRow("a step-over of 0")
            << 1 << "stepover=0"
            << QStringList{"&stepover (Step-over between passes) must be a number above 0 and at most 10000."};
        QTest::newRow("a step-over wider than the bit") << 1 << "stepover=0.5 bit=0.25" << QStringList{stepOver};
        QTest::newRow("half a row") << 2 << "rows=2.5"
                                    << QStringList{
                                           "&rows (Rows of holes (along Y)) must be a whole number from 1 to 1000."};
    }
    void refusals() {
        QFETCH(int, index);
        QFETCH(QString, values);
        QFETCH(QStringList, refused);
        QCOMPARE(templates::refusals(builtIn(index), ::values(values)), refused);
    }

    // Whatever the sizes the form lets through, each built-in stays inside its rectangle (or grid),
    // reaches its full depth and rises to its safe Z, without a note.
    void builtInsKeepToTheirSizes() {
        Lcg rng{13};
        int refused = 0;
        for (int i = 0; i < 400; ++i) {
            const int index = i % 4;
            const double w = rng.real(0.5, 3), l = rng.real(0.5, 3), depth = rng.real(-0.1, 0.6);
            const double safe = rng.real(0.1, 1), rows = 1 + rng.next(3), columns = 1 + rng.next(3);
            const QStringList names = {"width",  "length",   "depth", "safez",     "rows", "columns",  "pitchx",
                                       "pitchy", "stepover", "bit",   "passdepth", "peck", "tabwidth", "tabheight"};
            const QList<double> picked = {w,
                                          l,
                                          depth,
                                          safe,
                                          rows,
                                          columns,
                                          w,
                                          l,
                                          rng.real(0.1, 1),
                                          rng.real(0.1, 1),
                                          rng.real(0.05, 0.3),
                                          rng.real(0.05, 0.3),
                                          rng.real(0.01, 1.5),
                                          rng.real(0, 0.3)};
            Values v;
            for (int k = 0; k < names.size(); ++k)
                v.insert(names[k], picked[k]);
            refused += !templates::refusals(builtIn(index), v).isEmpty();
            if (!templates::refusals(builtIn(index), v).isEmpty()) continue;
            const dryrun::Trace t = runLines(templates::instantiate(builtIn(index), v));
            QVERIFY(t.warnings.isEmpty() && t.notSimulated.isEmpty() && !t.stepLimitReached);
            const double xMax = index == 2 ? (columns - 1) * w : w, yMax = index == 2 ? (rows - 1) * l : l;
            QCOMPARE(extentOf(t),
                     QStringLiteral("x0..%1 y0..%2 z%3..%4").arg(num(xMax), num(yMax), num(-depth), num(safe)));
            QCOMPARE(t.segments.back().to.z, safe);
        }
        QVERIFY(refused > 40 && refused < 360);
    }
};

#include "testmain.h"
QTEST_GUILESS_MAIN(tst_templates)
#include "tst_templates.moc"
