// The dry run: lines as operators type them, field values, and whole runs worked out by hand; then
// properties over generated programs and hostile lines.
#include "core/dryrun/dryrun.h"
#include "core/language/expression.h"
#include "core/language/statement.h"
#include "core/usersettings.h"
#include "onwindows.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <functional>

using namespace dryrun;
using statement::Kind;

namespace {

QString num(double v) {
    return QString::number(v, 'g', 6);
}

// A statement's kind and parts in one line, so a table row can say what a typed line must give.
QString describe(const statement::Statement& s) {
    static const char* const kinds[] = {"Empty", "Comment", "Move", "Jog",   "Speed",  "FileCall", "If",    "GoTo",
                                        "GoSub", "Return",  "End",  "Label", "Assign", "Input",    "Pause", "Unknown"};
    static const char* const compares[] = {"?", "=", "<", ">", "<=", ">=", "<>"};
    static const char* const offsets[] = {"none", "2d", "3d", "odd "};
    QString out = QString::fromLatin1(kinds[int(s.kind)]);
    const QString counts = QStringLiteral(" %1/%2 b%3%4")
                               .arg(s.valuesGiven)
                               .arg(s.valuesTaken)
                               .arg(s.blankFields)
                               .arg(s.ignoredValues ? " ignored" : "");
    switch (s.kind) {
    case Kind::Move:
    case Kind::Jog:
        return out + u' ' + s.command + u' ' + QStringList(s.axes.begin(), s.axes.end()).join(u'|') + counts;
    case Kind::Speed:
        return out + u' ' + QStringList(s.speeds.begin(), s.speeds.end()).join(u'|') + counts;
    case Kind::FileCall:
        return out + u' ' + s.file + u' ' + QLatin1String(offsets[int(s.offset)]) +
               (s.offset == statement::Offset::Odd ? s.offsetText : QString()) + (s.ignoredValues ? " ignored" : "");
    case Kind::If:
        return out + u' ' + s.left + u' ' + QLatin1String(compares[int(s.compare)]) + u' ' + s.right + " THEN " +
               (s.then ? describe(*s.then) : QStringLiteral("none"));
    case Kind::GoTo:
    case Kind::GoSub:
    case Kind::Label:
        return out + u' ' + s.label;
    case Kind::Assign:
        return out + u' ' + s.variable + " = " + s.value;
    case Kind::Input:
        return out + " \"" + s.prompt + "\" " + s.variable;
    case Kind::Pause:
    case Kind::End:
    case Kind::Return:
        return s.value.isEmpty() ? out : out + u' ' + s.value;
    default:
        return out;
    }
}

// "H|" and "C|" in front of a line put it into the header or the closing block.
Program program(const QString& text, const QString& name = QStringLiteral("main.cvp")) {
    Program p = programFromText(name, QStringLiteral("/job"), text);
    for (SourceLine& l : p.lines) {
        const QString mark = l.text.left(2);
        if (mark == QLatin1String("H|") || mark == QLatin1String("C|")) {
            l.region = mark[0] == u'H' ? Region::Header : Region::Closing;
            l.text.remove(0, 2);
        }
    }
    return p;
}

struct MemoryFiles {
    QHash<QString, QString> files; // path -> text
    int loads = 0;
    Loader loader() {
        return [this](const QString& path) {
            ++loads;
            if (!files.contains(path)) return Loaded{false, QStringLiteral("no such file"), {}};
            return Loaded{true, {}, programFromText(path.section(u'/', -1), path.section(u'/', 0, -2), files[path])};
        };
    }
};

// Settings and answers from words: table=48x24 blank=24x12 thick=0.5 zero=table accel cal=1.5
// steps=100 line3=0.5 (the answer to the main file's line 3) var:WIDTH=4.
void configure(const QString& words, Settings& s, Answers& a) {
    for (const QString& w : words.split(u' ', Qt::SkipEmptyParts)) {
        const QString key = w.section(u'=', 0, 0), v = w.section(u'=', 1);
        if (key == "table" || key == "blank") {
            (key == "table" ? s.tableX : s.blankX) = v.section(u'x', 0, 0).toDouble();
            (key == "table" ? s.tableY : s.blankY) = v.section(u'x', 1).toDouble();
        } else if (key == "thick") {
            s.thickness = v.toDouble();
        } else if (key == "zero") {
            s.zeroOnTable = v == "table";
        } else if (key == "accel") {
            s.acceleration = true;
        } else if (key == "cal") {
            s.calibration = v.toDouble();
        } else if (key == "steps") {
            s.stepLimit = v.toLongLong();
        } else if (key.startsWith("line")) {
            a.byLine.insert(LineRef{0, key.mid(4).toInt()}, v.toDouble());
        } else if (key.startsWith("var:")) {
            a.byVariable.insert(key.mid(4), v.toDouble());
        }
    }
}

QString where(const LineRef& r) {
    return r.file == 0 ? QString::number(r.line) : QStringLiteral("%1:%2").arg(r.file).arg(r.line);
}

// Each segment as line>x,y,z/time, "j" for a jog, "H" or "C" for the header or closing region.
QString segments(const Trace& t) {
    QStringList out;
    for (const Segment& s : t.segments) {
        QString seg = where(s.source) + u'>' + num(s.to.x) + u',' + num(s.to.y) + u',' + num(s.to.z);
        if (s.to.a != 0 || s.to.b != 0) seg += u',' + num(s.to.a) + u',' + num(s.to.b);
        seg += u'/' + num(s.time) + (s.jog ? "j" : "");
        if (s.region != Region::Program) seg += s.region == Region::Header ? u'H' : u'C';
        out << seg;
    }
    return out.join(u' ');
}

// Warnings (errors with "!"), lines not simulated, and stops as kind@line*times (=answer).
QStringList notes(const Trace& t) {
    QStringList out;
    for (const Note& n : t.warnings)
        out << (n.error ? "!" : "") + n.rule + u'@' + where(n.source);
    for (const Note& n : t.notSimulated)
        out << n.rule + u'@' + where(n.source);
    for (const Stop& s : t.stops)
        out << (s.kind == Stop::Kind::Pause ? QStringLiteral("pause@") : QStringLiteral("input@")) + where(s.source) +
                   (s.kind == Stop::Kind::Input ? u'=' + num(s.answer) : QString()) + u'*' + QString::number(s.times);
    return out;
}

struct Lcg {
    quint32 state;
    int next(int bound) {
        state = state * 1103515245u + 12345u;
        return int((state >> 16) % quint32(bound));
    }
    template <typename T> const T& pick(const QList<T>& from) { return from[next(int(from.size()))]; }
};

} // namespace

class tst_dryrun : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void statements_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("commentAt");
        const auto row = [](const char* name, const QString& line, const char* expected, int commentAt = -1) {
            QTest::newRow(name) << line << QString::fromUtf8(expected) << commentAt;
        };
        row("nothing", "", "Empty");
        row("blanks and a tab", "  \t ", "Empty");
        row("comment", "'' Header file", "Comment", 0);
        row("indented comment", "   'x", "Comment", 3);
        row("MX as written", "MX, 2", "Move MX 2|||| 1/1 b0");
        row("MX no blank", "MX,2", "Move MX 2|||| 1/1 b0");
        row("mx blanks around the comma", "mx , 2", "Move MX 2|||| 1/1 b0");
        row("MX without a comma", "MX 2", "Move MX 2|||| 1/1 b0");
        row("MY in its place", "MY, , 2", "Move MY |2||| 2/2 b1");
        row("MY without its padding", "MY, 2", "Move MY |2||| 1/2 b0");
        row("MY with a value in X's place", "MY, 3, 2", "Move MY |2||| 2/2 b0 ignored");
        row("MZ with a comment", "MZ, , , -0.5   'down", "Move MZ ||-0.5|| 3/3 b3", 15);
        row("M3 with empty X", "M3, , 2, 1", "Move M3 |2|1|| 3/3 b1");
        row("m5 tight, trailing blanks", "m5,1,2,3,4,5   ", "Move M5 1|2|3|4|5 5/5 b0");
        row("M2 with a trailing comma", "M2, 1, 2,", "Move M2 1|2||| 3/2 b4");
        row("MX alone", "MX", "Move MX |||| 0/1 b0");
        row("expressions as fields", "M2, &x + 1, (&y)", "Move M2 &x + 1|(&y)||| 2/2 b0");
        row("decimal commas", "J2, 1,5, 2,5", "Jog J2 1|5||| 4/2 b0 ignored");
        row("jx with tabs", "\tjx ,\t3 ", "Jog JX 3|||| 1/1 b0");
        row("speed with empty fields", "VS, 2, 1, , , 8", "Speed 2|1|||8||| 5/8 b12");
        row("speed with a ninth field", "vs,1,1,1,1,1,1,1,1,9", "Speed 1|1|1|1|1|1|1|1 9/8 b0 ignored");
        row("file call 2d, backslashes", "FP, C:\\parts\\sub.cvp,,,,, 2", "FileCall C:\\parts\\sub.cvp 2d");
        row("file call 3d, loose", "fp ,  sub.cvp , , , , , 1  'z too", "FileCall sub.cvp 3d", 27);
        row("opening file without a mode", "FP, open.cvp", "FileCall open.cvp none");
        row("comma inside the name", "FP, a,b.cvp,,,,, 0", "FileCall a,b.cvp none");
        row("odd mode", "FP, sub.cvp,,,,, 7", "FileCall sub.cvp odd 7");
        row("text in the empty fields", "FP, sub.cvp, x,,,, 0", "FileCall sub.cvp none ignored");
        row("IF GOTO", "IF &&a > 1 THEN GOTO done:", "If &&a > 1 THEN GoTo done");
        row("if gosub, blanks in the label", "if &a<=2 then gosub Sub One:", "If &a <= 2 THEN GoSub Sub One");
        row("IF move with comment", "IF 1 <> 2 THEN MX, 3   'x", "If 1 <> 2 THEN Move MX 3|||| 1/1 b0", 23);
        row("IF in IF", "IF a = b THEN IF c >= d THEN END", "If a = b THEN If c >= d THEN End");
        row("IF without THEN", "IF a = b", "If a = b THEN none");
        row("IF without comparison, empty THEN", "IF x THEN", "If x ?  THEN Empty");
        row("THEN inside a word", "IF a = bTHEN GOTO x", "If a = bTHEN GOTO x THEN none");
        row("GOTO without colon", "goto  again", "GoTo again");
        row("GOTO with colon and blanks", "GOTO again: ", "GoTo again");
        row("GOSUB is never a label", "GOSUB sub1:", "GoSub sub1");
        row("GOSUB without name", "GOSUB:", "GoSub ");
        row("label with blanks inside", "Cut One:", "Label Cut One");
        row("label, blank before colon, comment", "  loop :  'top", "Label loop", 10);
        row("word that starts like IF", "IFFY:", "Label IFFY");
        row("END", "end   ", "End");
        row("END with text after it", "END now", "End now");
        row("RETURN", "RETURN", "Return");
        row("variable as written", "&&depth = 0.5", "Assign depth = 0.5");
        row("variable tight", "&x=&x+1", "Assign x = &x+1");
        row("variable without value", "&&depth", "Unknown");
        row("INPUT as written", "INPUT \"Bit size?\" &bit", "Input \"Bit size?\" bit");
        row("apostrophe inside the prompt", "input \"What's it?\" &&d   'ask", "Input \"What's it?\" d", 25);
        row("INPUT untouched", "INPUT \"\" ", "Input \"\" ");
        row("INPUT without prompt", "INPUT &v", "Input \"\" v");
        row("PAUSE", "PAUSE", "Pause");
        row("PAUSE with time", "PAUSE, 3", "Pause 3");
        row("pause without comma", "pause 2.5", "Pause 2.5");
        row("free command", "SO, 1, 1", "Unknown");
        row("unknown word", "MOVE, 1", "Unknown");
        row("M3 glued to a number", "M3.5, 1", "Unknown");
        row("quote never closed", "MX, 2 \"in 'x", "Move MX 2 \"in|||| 1/1 b0", 10);
    }
    void statements() {
        QFETCH(QString, line);
        QFETCH(QString, expected);
        QFETCH(int, commentAt);
        const statement::Statement s = statement::parse(line);
        QCOMPARE(describe(s), expected);
        QCOMPARE(s.commentAt, qsizetype(commentAt));
    }

    // Canonical lines and the same lines typed loosely (case, blanks and tabs around commas, trailing
    // blanks, an inline comment) read the same.
    void lenientFormsReadTheSame() {
        Lcg rng{7};
        const QList<QString> values = {"1", "-0.5", ".5", "1.", "&x", "&&x * 2", "(&y + 1) / 2", ""};
        const QList<QString> words = {"MX", "MY", "MZ", "M2", "M3", "M4", "M5", "JX", "J3", "J5", "VS"};
        const auto loose = [&](const QString& word) {
            QString w;
            for (QChar c : word)
                w += rng.next(2) ? c.toLower() : c.toUpper();
            return w;
        };
        const auto blanks = [&] { return QString(rng.next(3), u' ') + (rng.next(4) ? "" : "\t"); };
        for (int n = 0; n < 3000; ++n) {
            QString canonical, typed;
            switch (rng.next(6)) {
            case 0: { // motion and speed: fields with ", " against any blanks around commas
                const QString w = rng.pick(words);
                canonical = w;
                typed = loose(w) + blanks();
                for (int i = 0, count = 1 + rng.next(w == "VS" ? 8 : 5); i < count; ++i) {
                    const QString v = rng.pick(values);
                    canonical += ", " + v;
                    typed += (i == 0 && !v.isEmpty() && rng.next(3) == 0 ? " " : blanks() + "," + blanks()) + v;
                }
                break;
            }
            case 1: {
                const QString mode = QString::number(rng.next(3));
                canonical = "FP, sub\\a b.cvp,,,,, " + mode;
                typed = loose("fp") + blanks() + "," + blanks() + "sub\\a b.cvp" + blanks();
                for (int i = 0; i < 5; ++i)
                    typed += "," + blanks();
                typed += mode;
                break;
            }
            case 2: {
                const QString test =
                    rng.pick(values) + " " + QList<QString>{"=", "<", ">", "<=", ">=", "<>"}[rng.next(6)];
                const QString then = rng.next(2) ? "GOTO a b:" : "MX, 1";
                canonical = "IF " + test + " 2 THEN " + then;
                typed = loose("if") + " " + blanks() + test + blanks() + "2 " + loose("then") + " " + blanks() + then;
                break;
            }
            case 3: {
                const QString w = QList<QString>{"GOTO", "GOSUB"}[rng.next(2)];
                canonical = w + " Loop Two:";
                typed = loose(w) + " " + blanks() + "Loop Two" + blanks() + ":";
                break;
            }
            case 4:
                canonical = "INPUT \"Depth, 'a' & more?\" &&d";
                typed = loose("input") + blanks() + "\"Depth, 'a' & more?\"" + blanks() + "&d";
                break;
            default:
                canonical = "&&depth = " + rng.pick(values);
                typed = "&" + blanks() + "depth" + blanks() + "=" + blanks() + canonical.section(" = ", 1);
                break;
            }
            typed += blanks() + (rng.next(2) ? blanks() + "'note, \"with\" ' marks" : QString());
            const statement::Statement a = statement::parse(canonical);
            QVERIFY2(a.kind != Kind::Unknown && a.kind != Kind::Empty, qPrintable(canonical));
            QCOMPARE(describe(statement::parse(typed)), describe(a));
        }
    }

    // Lines of the longest length a file holds, made of the patterns that made earlier readers
    // quadratic. Each parses (CTest's timeout stands guard over the time), and the text before its
    // comment reads as the whole line does.
    void longHostileLines() {
        const QStringList units = {
            "IF a THEN ", " THEN", "xTHEN", "THENx ", "INPUT \" \" && ' ",    "\"'", "'\"", "'", ", 1", ",", "(",
            "&&",         ":",     " ",     "\t",     "IF a = b THEN GOTO x "};
        const QStringList heads = {"", "MX", "IF 1 = 1 THEN ", "INPUT \"", "FP, ", "&&a = ", "GOTO ", "VS"};
        Program all;
        for (const QString& head : heads)
            for (const QString& unit : units) {
                QString line = head;
                while (line.size() + unit.size() <= 32767)
                    line += unit;
                const statement::Statement s = statement::parse(line);
                if (s.commentAt >= 0) {
                    QCOMPARE(line[s.commentAt], QChar(u'\''));
                    QCOMPARE(describe(statement::parse(line.left(s.commentAt))),
                             s.kind == Kind::Comment ? QStringLiteral("Empty") : describe(s));
                }
                all.lines.push_back({line, int(all.lines.size()) + 1, Region::Program});
            }
        // The engine compiles every line once and runs it.
        Settings settings;
        settings.stepLimit = 1000;
        const Trace t = run(all, settings, {}, {});
        QCOMPARE(t.executedLines, qint64(all.lines.size()));
    }

    void expressions_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected"); // "none": cannot be evaluated
        const QList<QPair<const char*, const char*>> rows = {
            {"1", "1"},          {"-0.5", "-0.5"},     {".5", "0.5"},
            {"1.", "1"},         {"&a", "2"},          {"&&a", "2"},
            {"&A", "2"},         {" 1 + 2 * 3 ", "7"}, {"(1 + 2) * 3", "9"},
            {"-&a * -&b", "-6"}, {"&a - &b - 1", "4"}, {"8 / 4 / 2", "1"},
            {"--1", "1"},        {"1/0", "none"},      {"&a / (&b + 3)", "none"},
            {"abc", "none"},     {"&nope", "none"},    {"", "none"},
            {"1 +", "none"},     {"(1", "none"},       {"1 2", "none"},
            {"1e3", "none"},     {"&", "none"},        {".", "none"}};
        for (const auto& [text, expected] : rows)
            QTest::newRow(text) << QString::fromLatin1(text) << QString::fromLatin1(expected);
    }
    void expressions() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const std::optional<double> v = expression::evaluate(text, {{"a", 2}, {"B", -3}});
        QCOMPARE(v ? num(*v) : QStringLiteral("none"), expected);
    }

    // Random expression trees, written with only the brackets precedence needs and random blanks,
    // evaluate exactly as the tree does.
    void expressionsMatchTheirTree() {
        struct Node {
            char op = 0; // 0: leaf
            double value = 0;
            QString text;
            std::unique_ptr<Node> l, r;
        };
        Lcg rng{3};
        const QList<QPair<QString, double>> leaves = {{"0.5", 0.5}, {"2", 2},  {"3.", 3},  {".25", .25},
                                                      {"0", 0},     {"&a", 2}, {"&&B", -3}};
        std::function<std::unique_ptr<Node>(int)> grow = [&](int depth) {
            auto n = std::make_unique<Node>();
            if (depth == 0 || rng.next(3) == 0) {
                std::tie(n->text, n->value) = rng.pick(leaves);
                return n;
            }
            n->op = "+-*/n"[rng.next(5)];
            n->l = grow(depth - 1);
            if (n->op != 'n') n->r = grow(depth - 1);
            return n;
        };
        const auto prec = [](const Node& n) {
            return n.op == 0 ? 4 : n.op == 'n' ? 3 : n.op == '*' || n.op == '/' ? 2 : 1;
        };
        std::function<QString(const Node&)> write = [&](const Node& n) -> QString {
            const QString sp = rng.next(2) ? " " : "";
            if (n.op == 0) return n.text;
            const auto side = [&](const Node& c, bool right) {
                const bool bracket = prec(c) < prec(n) || (right && prec(c) == prec(n) && prec(n) < 3);
                return bracket ? "(" + sp + write(c) + sp + ")" : write(c);
            };
            if (n.op == 'n') return "-" + sp + side(*n.l, false);
            return side(*n.l, false) + sp + QChar(n.op) + sp + side(*n.r, true);
        };
        std::function<std::optional<double>(const Node&)> eval = [&](const Node& n) -> std::optional<double> {
            if (n.op == 0) return n.value;
            const auto l = eval(*n.l);
            if (n.op == 'n') return l ? std::optional<double>(-*l) : std::nullopt;
            const auto r = eval(*n.r);
            if (!l || !r || (n.op == '/' && *r == 0)) return std::nullopt;
            return n.op == '+' ? *l + *r : n.op == '-' ? *l - *r : n.op == '*' ? *l * *r : *l / *r;
        };
        for (int i = 0; i < 3000; ++i) {
            const auto tree = grow(5);
            const QString text = write(*tree);
            const auto expected = eval(*tree);
            const auto got = expression::evaluate(text, {{"a", 2}, {"b", -3}});
            QVERIFY2(got.has_value() == expected.has_value(), qPrintable(text));
            if (got) QVERIFY2(*got == *expected, qPrintable(text + " = " + num(*got) + ", not " + num(*expected)));
        }
    }

    void runs_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("files"); // path, text, path, text, ...
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("expected"); // segments, or "*" when only the total and notes count
        QTest::addColumn<double>("total");
        QTest::addColumn<QStringList>("notes");
        QTest::addColumn<QString>("counts"); // executed lines, loader calls

        QTest::newRow("every motion kind, default speeds")
            << "MX, 2\nJY, , 3\nMZ, , , -0.5\nM2, 5, 7\nJ3, 0, 0, 1\nM4, , , , 90\nM5, , , , , 45" << QStringList{}
            << ""
            << "1>2,0,0/2 2>2,3,0/0.75j 3>2,3,-0.5/1 4>5,7,-0.5/5 5>0,0,1/2.15058j 6>0,0,1,90,0/90 7>0,0,1,90,45/45"
            << 145.900581317 << QStringList{} << "lines=7 loads=0";
        QTest::newRow("empty fields keep, no motion no segment")
            << "M3, 1, , 2\nMX, 1\nM2, ,\nmx , 3   'on" << QStringList{} << ""
            << "1>1,0,2/4 4>3,0,2/2" << 6.0 << QStringList{} << "lines=4 loads=0";
        QTest::newRow("speeds: empty keeps, not above 0 kept")
            << "VS, 2, 1, , , 8\nM2, 4, 0\nJX, 0\nVS, 0, -1\nMZ, , , 1" << QStringList{} << ""
            << "2>4,0,0/2 3>0,0,0/0.5j 5>0,0,1/1" << 3.5 << QStringList{"speed-kept@4"} << "lines=5 loads=0";
        QTest::newRow("variables and expressions")
            << "&&w = 3\n&&h = &&w * 2 - 1\nM2, &w, (&h + 1) / 2\nMX, -&w" << QStringList{} << ""
            << "3>3,3,0/4.24264 4>-3,3,0/6" << 10.242640687 << QStringList{} << "lines=4 loads=0";
        QTest::newRow("not evaluable or unknown: named, axis kept")
            << "MX, abc\nM2, 2, &nope\nMX, 1/0\nSO, 1, 1\nEND now" << QStringList{} << ""
            << "2>2,0,0/2" << 2.0
            << QStringList{"ignored-text@5", "not-evaluated@1", "not-evaluated@2", "not-evaluated@3", "not-simulated@4"}
            << "lines=5 loads=0";
        QTest::newRow("every IF operator")
            << "&&a = 2\nIF &&a = 2 THEN MX, 1\nIF &&a < 2 THEN MY, , 1\nIF &&a > 1 THEN MY, , 2\n"
               "IF &&a <= 2 THEN MX, 3\nIF &&a >= 3 THEN MX, 9\nIF &&a <> 2 THEN MX, 9\nIF &&a <> 3 THEN MZ, , , 1\n"
               "IF &&zz > 1 THEN MX, 50\nIF 0.1 + 0.2 = 0.3 THEN MX, 4"
            << QStringList{} << ""
            << "2>1,0,0/1 4>1,2,0/2 5>3,2,0/2 8>3,2,1/2 10>4,2,1/1" << 8.0 << QStringList{"not-evaluated@9"}
            << "lines=10 loads=0";
        QTest::newRow("IF that cannot run, GOTO a variable")
            << "IF &&a THEN GOTO x\nIF 1 = 1\nGOTO &target" << QStringList{} << ""
            << "" << 0.0 << QStringList{"not-simulated@1", "not-simulated@2", "not-simulated@3"} << "lines=3 loads=0";
        QTest::newRow("loop with a counter, END before the rest")
            << "&&n = 0\ntop:\n&&n = &&n + 1\nMX, &n\nIF &&n < 3 THEN GOTO top:\nEND\nMX, 99" << QStringList{} << ""
            << "4>1,0,0/1 4>2,0,0/1 4>3,0,0/1" << 3.0 << QStringList{} << "lines=14 loads=0";
        QTest::newRow("GOSUB nested two deep")
            << "GOSUB a:\nMX, 1\nEND\na:\nMY, , 1\nGOSUB b:\nRETURN\nb:\nMZ, , , 1\nRETURN" << QStringList{} << ""
            << "5>0,1,0/1 9>0,1,1/2 2>1,1,1/1" << 4.0 << QStringList{} << "lines=10 loads=0";
        QTest::newRow("RETURN without GOSUB ends the file")
            << "MX, 1\nRETURN\nMX, 2" << QStringList{} << ""
            << "1>1,0,0/1" << 1.0 << QStringList{"return-without-gosub@2"} << "lines=2 loads=0";
        QTest::newRow("missing label: error, the run goes on")
            << "GOTO nowhere\nMX, 1" << QStringList{} << ""
            << "2>1,0,0/1" << 1.0 << QStringList{"!missing-label@1"} << "lines=2 loads=0";
        QTest::newRow("labels: any case, blanks inside, first of two wins")
            << "goto Cut One\nMX, 5\ncut one:\nMY, , 1\nCUT ONE:\nMZ, , , 1" << QStringList{} << ""
            << "4>0,1,0/1 6>0,1,1/2" << 3.0 << QStringList{"duplicate-label@5"} << "lines=5 loads=0";
        QTest::newRow("INPUT answered by line, by name, not at all")
            << "INPUT \"Depth?\" &depth\nINPUT \"Width?\" &Width\nINPUT \"Other?\" &other\nMZ, , , -&depth\n"
               "MX, &width + &other"
            << QStringList{} << "line1=0.5 var:WIDTH=4"
            << "4>0,0,-0.5/1 5>4,0,-0.5/4" << 5.0
            << QStringList{"unanswered-input@3", "input@1=0.5*1", "input@2=4*1", "input@3=0*1"} << "lines=5 loads=0";
        QTest::newRow("PAUSE with and without time, in a loop")
            << "&&i = 0\nagain:\nPAUSE, 1.5\nPAUSE\n&&i = &&i + 1\nIF &&i < 2 THEN GOTO again\nPAUSE, -1"
            << QStringList{} << ""
            << "" << 3.0 << QStringList{"pause-out-of-range@7", "pause@4*2"} << "lines=12 loads=0";
        QTest::newRow("offset modes 0, 2 and 1; one load whatever the case")
            << "MZ, , , 2\nFP, sub.cvp,,,,, 0\nM3, 10, 10, 2\nFP, sub.cvp,,,,, 2\nM3, 10, 10, 2\nFP, SUB.CVP,,,,, 1"
            << QStringList{"/job/sub.cvp", "M2, 3, 4\nMZ, , , -1"} << ""
            << "1>0,0,2/4 1:1>3,4,2/5 1:2>3,4,-1/6 3>10,10,2/9.21954 1:1>13,14,2/5 1:2>13,14,-1/6 5>10,10,2/6 "
               "1:1>13,14,2/5 1:2>13,14,1/2"
            << 48.219544457 << QStringList{} << "lines=12 loads=1";
        QTest::newRow("backslash folders, a call cycle")
            << "FP, parts\\a.cvp,,,,, 0"
            << QStringList{"/job/parts/a.cvp", "MX, 1\nFP, ..\\b.cvp,,,,, 0", "/job/b.cvp",
                           "MY, , 1\nFP, parts\\A.cvp,,,,, 0"}
            << ""
            << "1:1>1,0,0/1 2:1>1,1,0/1" << 2.0 << QStringList{"!call-cycle@2:2"} << "lines=5 loads=2";
        QTest::newRow("missing file and a Windows path")
            << "FP, gone.cvp,,,,, 0\nFP, C:\\cvparts\\open.cvp\nMX, 1\nFP, gone.cvp,,,,, 0" << QStringList{} << ""
            << "3>1,0,0/1" << 1.0
            << (onWindows() ? QStringList{"!missing-file@1", "!missing-file@2", "!missing-file@4"}
                            : QStringList{"!missing-file@1", "!missing-file@4", "not-simulated@2"})
            << (onWindows() ? "lines=4 loads=2" : "lines=4 loads=1");
        QStringList nest;
        QStringList nestSegments;
        for (int k = 1; k <= 17; ++k) {
            nest << QStringLiteral("/job/d%1.cvp").arg(k) << QStringLiteral("MX, %1\nFP, d%2.cvp").arg(k).arg(k + 1);
            if (k <= 16) nestSegments << QStringLiteral("%1:1>%1,0,0/1").arg(k);
        }
        QTest::newRow("calls nest 16 deep") << "FP, d1.cvp" << nest << "" << nestSegments.join(u' ') << 16.0
                                            << QStringList{"!call-depth@16:2"} << "lines=33 loads=16";
        QTest::newRow("END in a called file returns; labels are the file's own")
            << "a:\nFP, sub.cvp\nMY, , 1" << QStringList{"/job/sub.cvp", "MX, 1\nGOSUB a:\nEND\nMX, 9"} << ""
            << "1:1>1,0,0/1 3>1,1,0/1" << 2.0 << QStringList{"!missing-label@1:2"} << "lines=6 loads=1";
        QTest::newRow("odd offset mode runs without offset; decimal commas")
            << "MX, 5\nFP, s.cvp,,,,, 7\nJ2, 1,5, 2,5" << QStringList{"/job/s.cvp", "MX, 1"} << ""
            << "1>5,0,0/5 1:1>1,0,0/4 3>1,5,0/1.25j" << 10.25 << QStringList{"odd-offset@2", "extra-values@3"}
            << "lines=4 loads=1";
        QTest::newRow("header and closing run, calls take their region")
            << "H|'' Header file created by Corvane Headsmith\nH|FP, open.cvp\nH|' End of header file\nMX, 2\n"
               "C|' Start of Closing file\nC|FP, close.cvp\nC|' End of Closing file"
            << QStringList{"/job/open.cvp", "JZ, , , 1", "/job/close.cvp", "JX, 0"} << ""
            << "1:1>0,0,1/0.5jH 4>2,0,1/2 2:1>0,0,1/0.5jC" << 3.0 << QStringList{} << "lines=9 loads=2";
        QTest::newRow("table, blank and below the table: once per line in a loop")
            << "&&i = 0\nloop:\nJX, 50\nJX, 0\nMZ, , , -0.25\nMX, 30\nJZ, , , 1\nJX, 0\nMZ, , , -0.75\nJZ, , , 0\n"
               "&&i = &&i + 1\nIF &&i < 2 THEN GOTO loop:"
            << QStringList{} << "table=48x24 blank=24x12 thick=0.5"
            << "*" << 135.0
            << QStringList{"outside-table@3", "outside-blank@5", "outside-blank@6", "outside-blank@9", "below-table@9"}
            << "lines=23 loads=0";
        QTest::newRow("above the blank is no cut")
            << "MZ, , , 0.5\nMX, 20\nMZ, , , 0\nMZ, , , -0.1" << QStringList{} << "blank=10x10 thick=1"
            << "1>0,0,0.5/1 2>20,0,0.5/20 3>20,0,0/1 4>20,0,-0.1/0.2" << 22.2 << QStringList{"outside-blank@4"}
            << "lines=4 loads=0";
        QTest::newRow("zeroed on the table: blank top at its thickness")
            << "MZ, , , 0.5\nMX, 20\nMZ, , , -0.1" << QStringList{} << "blank=10x10 thick=1 zero=table"
            << "*" << 22.2 << QStringList{"outside-blank@2", "outside-blank@3", "below-table@3"} << "lines=3 loads=0";
        QTest::newRow("acceleration off: the plain sum")
            << "MX, 10\nMX, 10.05\nMZ, , , 1" << QStringList{} << ""
            << "1>10,0,0/10 2>10.05,0,0/0.05 3>10.05,0,1/2" << 12.05 << QStringList{} << "lines=3 loads=0";
        QTest::newRow("acceleration on: trapezoid, triangle")
            << "MX, 10\nMX, 10.05\nMZ, , , 1" << QStringList{} << "accel"
            << "1>10,0,0/10.1 2>10.05,0,0/0.141421 3>10.05,0,1/2.1" << 12.341421356 << QStringList{}
            << "lines=3 loads=0";
        QTest::newRow("acceleration with calibration")
            << "MX, 10\nMX, 10.05\nMZ, , , 1" << QStringList{} << "accel cal=1.5"
            << "*" << 18.512132034 << QStringList{} << "lines=3 loads=0";
        QTest::newRow("step limit names the loop") << "top:\nMX, 1\nMX, 0\nGOTO top" << QStringList{} << "steps=100"
                                                   << "*" << 50.0 << QStringList{"step-limit@1"} << "lines=100 loads=0";
        QTest::newRow("step limit without a loop names the last line run")
            << "MX, 1\nMX, 2\nMX, 3" << QStringList{} << "steps=2"
            << "1>1,0,0/1 2>2,0,0/1" << 2.0 << QStringList{"step-limit@2"} << "lines=2 loads=0";
        QTest::newRow("a subroutine calling itself stops at 1000 waiting RETURNs")
            << "sub:\nGOSUB sub:" << QStringList{} << ""
            << "" << 0.0 << QStringList{"!gosub-depth@2"} << "lines=2002 loads=0";
        QTest::newRow("sizes that are none check nothing")
            << "MZ, , , -1\nMX, 5" << QStringList{} << "table=-1xnan blank=nanxinf thick=-0.5"
            << "1>0,0,-1/2 2>5,0,-1/5" << 7.0
            << QStringList{"settings@0", "settings@0", "settings@0", "settings@0", "settings@0"} << "lines=2 loads=0";
    }
    void runs() {
        QFETCH(QString, text);
        QFETCH(QStringList, files);
        QFETCH(QString, setup);
        QFETCH(QString, expected);
        QFETCH(double, total);
        QFETCH(QStringList, notes);
        QFETCH(QString, counts);
        MemoryFiles memory;
        for (int i = 0; i + 1 < files.size(); i += 2)
            memory.files.insert(files[i], files[i + 1]);
        Settings settings;
        Answers answers;
        configure(setup, settings, answers);
        const Trace t = run(program(text), settings, answers, memory.loader());
        if (expected != "*") QCOMPARE(segments(t), expected);
        QVERIFY2(std::abs(t.totalTime - total) < 1e-6, qPrintable(num(t.totalTime)));
        QCOMPARE(::notes(t), notes);
        for (const Note& n : t.warnings) // every note but a setting's names a line, and no list is left empty
            QVERIFY2((n.source.line > 0 || n.rule == "settings") && !n.text.contains(": ."), qPrintable(n.text));
        QCOMPARE(QStringLiteral("lines=%1 loads=%2").arg(t.executedLines).arg(memory.loads), counts);
        QCOMPARE(t.stepLimitReached, setup.contains("steps="));
    }

    // The blank, Z zero, unit and bit from the header, the rest from the settings in the file's unit.
    void setupFromHeader_data() {
        QTest::addColumn<QString>("header");
        // blank X, Y, thickness, zero, blank from header or settings; unit, bit shape, diameter,
        // angle, bit from header or settings; a warning's rule
        QTest::addColumn<QString>("expected");
        const QString cut = "'' Cut this file out of a %1 piece of plywood that's %2 thick\n";
        const QString bit = "'' using a %1\n";
        const QString table = "'' with the z-axis zeroed at the Corvane table top surface\n";
        const QString blank = "'' with the z-axis zeroed at the top surface of the blank\n";
        QTest::newRow("inches, table top")
            << cut.arg("96 x 48", "1/2") + table << "96 48 0.5 table header | in flat 0.25 90 settings";
        QTest::newRow("millimetres, blank top") << cut.arg("2450 x 1225", "18") + bit.arg("6mm down-spiral bit") + blank
                                                << "2450 1225 18 blank header | mm flat 6 90 header";
        QTest::newRow("mixed fractions") << cut.arg("48 1/2 x 24", "1 1/2") + bit.arg("1/4 compression bit")
                                         << "48.5 24 1.5 table header | in flat 0.25 90 header";
        QTest::newRow("mm thickness and bit on an inch blank")
            << cut.arg("32 x 24", "12mm") + bit.arg("3mm straight bit")
            << "32 24 0.472441 table header | in flat 0.11811 90 header";
        QTest::newRow("inch thickness and bit on a millimetre blank")
            << cut.arg("820 x 612", "3/4") + bit.arg("1/4 up-spiral bit")
            << "820 612 19.05 table header | mm flat 6.35 90 header";
        QTest::newRow("a V bit by its angle")
            << cut.arg("96 x 48", "3/4") + bit.arg("60 degree V bit") << "96 48 0.75 table header | in V 0.5 60 header";
        QTest::newRow("a metric V bit") << cut.arg("2450 x 1225", "18") + bit.arg("90 degree V bit")
                                        << "2450 1225 18 table header | mm V 12 90 header";
        QTest::newRow("a V bit by its width")
            << cut.arg("96 x 48", "3/4") + bit.arg("1/2 V bit") << "96 48 0.75 table header | in V 0.5 90 header";
        QTest::newRow("no header: the settings") << "MZ, , , 1\n"
                                                 << "10 5 0.25 table settings | in flat 0.25 90 settings";
        QTest::newRow("a blank that reads as nothing")
            << cut.arg("big x small", "3/4") + blank << "10 5 0.75 blank header | in flat 0.25 90 settings";
        QTest::newRow("a bit that reads as nothing")
            << cut.arg("96 x 48", "3/4") + bit.arg("sharp straight bit")
            << "96 48 0.75 table header | in flat 0.25 90 settings bit-unreadable";
    }
    void setupFromHeader() {
        QFETCH(QString, header);
        QFETCH(QString, expected);
        Settings s;
        s.blankX = 10;
        s.blankY = 5;
        s.thickness = 0.25;
        s.zeroOnTable = true;
        const Trace t = run(program(header), s, {}, {});
        const Setup& u = t.setup;
        QStringList shown{num(*u.blankX),
                          num(*u.blankY),
                          num(*u.thickness),
                          u.zeroOnTable ? "table" : "blank",
                          u.fromHeader ? "header" : "settings",
                          "|",
                          unitSymbol(u.unit),
                          QStringList{"flat", "V", "ball"}[int(u.tool.shape)],
                          num(u.tool.diameter),
                          num(u.tool.angle),
                          u.toolFromHeader ? "header" : "settings"};
        for (const Note& n : t.warnings)
            shown << n.rule;
        QCOMPARE(shown.join(u' '), expected);
    }

    // A metric file with the settings in inches: the settings' blank, table and speeds reach the run
    // in millimetres, so a millimetre program is timed at the same real speed as an inch one.
    void settingsTakeTheFilesUnit() {
        Settings s;
        s.blankX = 10;
        s.tableX = 20;
        s.move.xy = 2; // in/s
        const Trace t =
            run(program("'' Cut this file out of a sheet piece of MDF that's 18 thick\n'' using a 6mm straight bit\n"
                        "MX, 50.8\n"),
                s, {}, {});
        QCOMPARE(t.setup.unit, Unit::Millimetre);
        QCOMPARE(num(*t.setup.blankX), QStringLiteral("254"));
        QCOMPARE(num(*t.setup.tableX), QStringLiteral("508"));
        QCOMPARE(num(t.totalTime), QStringLiteral("1"));
    }

    // Generated programs of every kind of line, loops and calls included, run with and without
    // acceleration: the trace holds together whatever the program.
    void generatedProgramsHoldTogether() {
        Lcg rng{11};
        const QList<QString> lines = {"M2, &x, &y",
                                      "MX, &x * 2",
                                      "JY, , -&y",
                                      "M3, 1, 2, -0.5",
                                      "J5, 0, 0, 1, 30, -30",
                                      "MZ, , , &x - 3",
                                      "&&x = &&x + 1",
                                      "&&y = (&&y + 2) / 3",
                                      "IF &&x < 4 THEN GOTO top",
                                      "IF &&y >= 1 THEN GOSUB sub",
                                      "RETURN",
                                      "PAUSE, 0.5",
                                      "PAUSE",
                                      "VS, 2, 0.7, , , 5",
                                      "VS, &x",
                                      "FP, s.cvp,,,,, 2",
                                      "FP, s.cvp,,,,, 1",
                                      "top:",
                                      "sub:",
                                      "INPUT \"x?\" &x",
                                      "SO, 1",
                                      "END",
                                      "MX, 1/0",
                                      "GOTO top"};
        MemoryFiles memory;
        memory.files.insert("/job/s.cvp", "M2, 1, 1\nMZ, , , -&x\nIF &&x > 2 THEN RETURN\nJX, 0");
        for (int n = 0; n < 300; ++n) {
            QStringList text = {"&&x = 0", "&&y = 1"};
            for (int i = 0, count = 3 + rng.next(20); i < count; ++i)
                text << rng.pick(lines);
            Settings plain;
            plain.stepLimit = 2000;
            plain.tableX = plain.tableY = 3;
            Settings accel = plain;
            accel.acceleration = true;
            const Program p = program(text.join(u'\n'));
            const Trace a = run(p, plain, {}, memory.loader());
            const Trace b = run(p, accel, {}, memory.loader());
            QVERIFY(a.executedLines <= plain.stepLimit);
            QCOMPARE(a.stepLimitReached, b.stepLimitReached);
            QCOMPARE(a.segments.size(), b.segments.size());
            double sum = 0;
            for (double t : a.timePerLine)
                sum += t;
            QVERIFY2(std::abs(sum - a.totalTime) <= 1e-9 * std::max(1.0, a.totalTime), qPrintable(text.join(" / ")));
            Position at;
            for (std::size_t i = 0; i < a.segments.size(); ++i) {
                const Segment& s = a.segments[i];
                QCOMPARE(s.from, at); // the tool never jumps
                QVERIFY(s.from != s.to && s.time > 0 && std::isfinite(s.time));
                QCOMPARE(b.segments[i].to, s.to);
                QVERIFY(b.segments[i].time >= s.time * (1 - 1e-12)); // speeding up never saves time
                for (const Position& e : {s.from, s.to})
                    QVERIFY(e.x >= a.extent.x.min && e.x <= a.extent.x.max && e.y >= a.extent.y.min &&
                            e.y <= a.extent.y.max && e.z >= a.extent.z.min && e.z <= a.extent.z.max);
                at = s.to;
            }
            QCOMPARE(a.extent.empty, a.segments.empty());
        }
    }

    // Generated programs with timed PAUSEs among the motion, with and without acceleration and
    // calibration. The pauses between two segments are read off the runs cut just before the lines that
    // made them (the step limit cuts a run at any line): each segment starts when the one before it
    // ends plus those pauses, and the last one's end plus the pauses after it is the total.
    void startTimesCountThePausesBetween() {
        Lcg rng{5};
        const QList<QString> lines = QStringLiteral("MX, &x|M2, 2, &x|JZ, , , 1|MZ, , , -0.25|PAUSE, 0.75|PAUSE, &x|"
                                                    "PAUSE, 3|PAUSE|PAUSE, -1|&&x = &&x + 0.5|top:|GOTO top|GOSUB sub|"
                                                    "sub:|RETURN|VS, 0.3, 2|FP, p.cvp,,,,, 2|IF &&x < 3 THEN GOTO top|"
                                                    "IF &&x >= 1 THEN PAUSE, 0.125")
                                         .split(u'|');
        const QStringList called = {"PAUSE, 0.5", "MY, , 1", "PAUSE, 0.25"};
        MemoryFiles memory;
        memory.files.insert("/job/p.cvp", called.join(u'\n'));
        int pausedBetween = 0;
        for (int n = 0; n < 60; ++n) {
            QStringList text = {"&&x = 0"};
            for (int i = 0, count = 4 + rng.next(16); i < count; ++i)
                text << rng.pick(lines);
            const Program p = program(text.join(u'\n'));
            Settings settings;
            settings.acceleration = n % 2;
            settings.calibration = 1.5;
            const auto runFor = [&](qint64 steps) {
                settings.stepLimit = steps;
                return run(p, settings, {}, memory.loader());
            };
            const auto paused = [&](const Trace& t) { // seconds spent on PAUSE lines
                double sum = 0;
                for (auto it = t.timePerLine.begin(); it != t.timePerLine.end(); ++it)
                    if ((it.key().file == 0 ? text : called)[it.key().line - 1].contains("PAUSE")) sum += *it;
                return sum;
            };
            const Trace full = runFor(150);
            const double tolerance = 1e-9 * std::max(1.0, full.totalTime);
            const QByteArray whyText = text.join(" / ").toUtf8();
            const char* const why = whyText.constData();
            double pausedBefore = 0; // up to the line of the segment before
            double end = 0;          // where the segment before ends
            qint64 i = 0;
            Trace before = runFor(0);
            for (qint64 steps = 1; steps <= 150 && i < qint64(full.segments.size()); ++steps) {
                Trace cut = runFor(steps);
                if (cut.segments.size() > std::size_t(i)) {
                    // Step `steps` made segment i, so the run cut before it holds every pause before it.
                    const Segment& s = full.segments[std::size_t(i)];
                    const double between = paused(before) - pausedBefore;
                    QVERIFY2(std::abs(s.startTime - (end + between)) <= tolerance, why);
                    QVERIFY2(i == 0 || s.startTime >= full.segments[std::size_t(i - 1)].startTime, why);
                    if (i > 0 && between > 0) ++pausedBetween;
                    pausedBefore = paused(before);
                    end = s.startTime + s.time;
                    ++i;
                }
                before = std::move(cut);
            }
            QCOMPARE(i, qint64(full.segments.size()));
            QVERIFY2(std::abs(end + paused(full) - pausedBefore - full.totalTime) <= tolerance, why);
        }
        QVERIFY(pausedBetween > 20); // the programs do put pauses between segments
    }

    // A value refused for passing a limit is shown as it is, not rounded onto the limit.
    void valuesPastALimitShownExactly() {
        for (const QString line : {"MY, , 1000000000.0000001", "PAUSE, 1000000000.5", "VS, 1000000000.5"}) {
            const Trace t = run(program(line), Settings{}, Answers{}, {});
            const QList<Note> all = t.warnings + t.notSimulated;
            QVERIFY2(all.size() == 1 && all[0].text.contains(line.section(u' ', -1)), qPrintable(line));
        }
    }

    // The settings file may have been edited by hand: what is no size, speed or step limit the dry
    // run can use is not taken from it.
    void settingsFileValuesChecked() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("user.ini"));
        Settings bad;
        bad.blankX = std::nan("");
        bad.blankY = -2;
        bad.thickness = qInf();
        bad.tableX = 48;
        bad.move.xy = -1;
        bad.jog.z = std::nan("");
        bad.stepLimit = 1000000000000;
        UserSettings written(path);
        written.setDryRunSettings(bad);
        QVERIFY(written.save().ok);
        const Settings read = UserSettings(path).dryRunSettings();
        QVERIFY(!read.blankX && !read.blankY && !read.thickness && read.tableX == 48.0);
        QVERIFY(read.move.xy == 1 && read.jog.z == 2 && read.stepLimit == Settings{}.stepLimit);
    }

    void cancelledBeforeItStarts() {
        const std::atomic<bool> cancel{true};
        const Trace t = run(program("MX, 1\nMX, 2"), {}, {}, {}, &cancel);
        QVERIFY(t.cancelled);
        QCOMPARE(t.executedLines, qint64(0));
    }

    // The loader finds a called file whose name differs in letter case, folder by folder.
    void fileLoaderIgnoresLetterCase() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("Parts/Signs"));
        QFile f(dir.filePath("Parts/Signs/Arrow.CVP"));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("MX, 1\r\nMY, , 2\r\n") > 0);
        f.close();
        const Trace t = run(programFromText("main.cvp", dir.path(), "FP, parts\\SIGNS\\arrow.cvp,,,,, 0\nFP, none.cvp"),
                            {}, {}, fileLoader());
        QCOMPARE(segments(t), QStringLiteral("1:1>1,0,0/1 1:2>1,2,0/2"));
        QCOMPARE(::notes(t), QStringList{"!missing-file@2"});
    }
};

#include "testmain.h"
QTEST_GUILESS_MAIN(tst_dryrun)
#include "tst_dryrun.moc"
