#include "core/program/dryrun.h"

#include "core/program/expression.h"
#include "core/program/statement.h"
#include "core/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

// The rules this follows are written down in docs/dry-run.md; a change of rule changes both.
namespace dryrun {

int Trace::stopCount() const {
    int n = 0;
    for (const Stop& s : stops)
        n += s.times;
    return n;
}

namespace {

using statement::Compare;
using statement::Offset;

QString tr(const char* text) {
    return QCoreApplication::translate("dryrun", text);
}

constexpr int MaxCallDepth = 16;
// The lines run last, kept to name the repeating ones when the step limit ends a run.
constexpr int RingSize = 4096;
constexpr qint64 CancelEvery = 4096;
// No router travels, waits or moves at anything near this; a value beyond it would only make
// times that are no numbers.
constexpr double Huge = 1e9;
constexpr double SlowestSpeed = 1e-6;
constexpr double Tolerance = 1e-9;

// Kinds of note a line gives at most once, however often the run passes it.
enum Once : quint32 {
    OutsideTable = 1u << 0,
    OutsideBlank = 1u << 1,
    BelowTable = 1u << 2,
    NotSimulated = 1u << 3,
    SpeedKept = 1u << 4,
    IgnoredValues = 1u << 5,
    ReturnAlone = 1u << 6,
    Unanswered = 1u << 7,
    OddOffset = 1u << 8,
    NegativePause = 1u << 9,
    MissingLabel = 1u << 10,
    DuplicateLabel = 1u << 11,
    MissingFile = 1u << 12,
    CallCycle = 1u << 13,
    CallDepth = 1u << 14,
};

const char* const AxisNames[] = {"X", "Y", "Z", "A", "B"};
const char* const SpeedNames[] = {
    QT_TRANSLATE_NOOP("dryrun", "XY move speed"), QT_TRANSLATE_NOOP("dryrun", "Z move speed"),
    QT_TRANSLATE_NOOP("dryrun", "A move speed"),  QT_TRANSLATE_NOOP("dryrun", "B move speed"),
    QT_TRANSLATE_NOOP("dryrun", "XY jog speed"),  QT_TRANSLATE_NOOP("dryrun", "Z jog speed"),
    QT_TRANSLATE_NOOP("dryrun", "A jog speed"),   QT_TRANSLATE_NOOP("dryrun", "B jog speed")};

enum class Op : quint8 { Nop, Move, Jog, Speed, Call, If, GoTo, GoSub, Return, End, Assign, Input, Pause, Wait, Skip };

// One line compiled: what the run does there, with its values as indices into its file's tables.
struct Instr {
    Op op = Op::Nop;
    Compare compare = Compare::None;
    quint8 mask = 0;      // Move, Jog, Speed: which fields are given
    bool ignored = false; // the line holds values or text its command does not read (why in note)
    int target = -1;      // GoTo, GoSub: the label's line or -1; Call: File::calls; Assign, Input: slot; If: File::then
    int note = -1;        // File::texts: Skip's reason, the missing label, the INPUT prompt, what is ignored
    std::array<int, 8> expr{-1, -1, -1, -1, -1, -1, -1, -1}; // File::exprs
};

struct Call {
    QString name; // as the line writes it
    QString path;
    QString key; // one file however its name is spelt, as Windows finds it
    Offset offset = Offset::None;
    QString offsetText;
    int file = -2; // its index once the run reached it (-1: it cannot be read)
};

struct File {
    Program own; // a called file's lines (the main program is not copied)
    const Program* program = nullptr;
    QString folder;
    std::vector<Instr> code; // one per line
    std::vector<Instr> then; // the statements after THEN
    std::vector<expression::Expression> exprs;
    QStringList exprTexts;
    std::vector<Call> calls;
    QStringList texts;
    std::vector<double> time;    // per line
    std::vector<quint32> warned; // per line: the Once bits given
    std::vector<int> stop;       // per line: its Stop in the trace, or -1

    int size() const { return int(code.size()); }
    const SourceLine& line(int at) const { return program->lines[std::size_t(at)]; }
};

struct Frame {
    int file = 0;
    int pc = 0;
    double ox = 0, oy = 0, oz = 0; // the file's coordinates are shifted by these
    Region region = Region::Program;
    std::vector<int> returns;
};

QString number(double v) {
    return QString::number(v, 'g', 10);
}

// "1/2", "3/4", "1 1/2", "0.5", "18", "12mm", "1/2\"": a size as a header writes it.
std::optional<double> measure(QString text, bool* mm) {
    text = text.trimmed();
    *mm = false;
    static const QRegularExpression unit(QStringLiteral("\\s*(mm|\"|in|inch|inches)$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch u = unit.match(text);
    if (u.hasMatch()) {
        *mm = u.captured(1).compare(QStringLiteral("mm"), Qt::CaseInsensitive) == 0;
        text.chop(u.capturedLength());
    }
    static const QRegularExpression form(
        QStringLiteral("^(?:(\\d+(?:\\.\\d*)?|\\.\\d+)|(?:(\\d+)(?:\\s+|\\s*-\\s*))?(\\d+)\\s*/\\s*(\\d+))$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch()) return std::nullopt;
    if (m.hasCaptured(1)) return m.captured(1).toDouble();
    const double denominator = m.captured(4).toDouble();
    if (denominator == 0) return std::nullopt;
    return (m.hasCaptured(2) ? m.captured(2).toDouble() : 0) + m.captured(3).toDouble() / denominator;
}

// The blank, thickness and Z zero from the main file's own header lines where it has them.
Setup readSetup(const Program& program, const Settings& settings) {
    static const QRegularExpression cut(
        QStringLiteral("^'+\\s*cut this file out of an? (.+?) piece of .* that's (.+?) thick\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression zero(QStringLiteral("^'+\\s*with the z-axis zeroed at the (.*)$"),
                                         QRegularExpression::CaseInsensitiveOption);
    std::optional<double> blankX, blankY, thickness;
    bool thicknessMm = false;
    std::optional<bool> zeroOnTable;
    for (const SourceLine& l : program.lines) {
        const QStringView t = QStringView(l.text).trimmed();
        if (!t.startsWith(u"''")) continue;
        if (!blankX && t.contains(u"cut this file", Qt::CaseInsensitive)) {
            const QRegularExpressionMatch m = cut.match(t);
            if (!m.hasMatch()) continue;
            static const QRegularExpression by(QStringLiteral("\\s*[xX\u00d7*]\\s*"));
            const QStringList sides = m.captured(1).split(by);
            bool mm = false;
            if (sides.size() == 2) {
                blankX = measure(sides[0], &mm);
                blankY = measure(sides[1], &mm);
                if (!blankX || !blankY) blankX = blankY = std::nullopt;
            }
            thickness = measure(m.captured(2), &thicknessMm);
        } else if (!zeroOnTable && t.contains(u"zeroed", Qt::CaseInsensitive)) {
            const QRegularExpressionMatch m = zero.match(t);
            if (!m.hasMatch()) continue;
            const QString where = m.captured(1);
            if (where.contains(QStringLiteral("table"), Qt::CaseInsensitive))
                zeroOnTable = true;
            else if (where.contains(QStringLiteral("blank"), Qt::CaseInsensitive) ||
                     where.contains(QStringLiteral("material"), Qt::CaseInsensitive))
                zeroOnTable = false;
        }
    }
    // The thickness list mixes inch fractions with millimetre sizes; an inch blank (no side of
    // 200) takes a millimetre thickness in inches.
    if (thickness && thicknessMm && blankX && blankY && *blankX < 200 && *blankY < 200) *thickness /= 25.4;

    Setup s;
    s.fromHeader = blankX || thickness || zeroOnTable;
    s.blankX = blankX ? blankX : settings.blankX;
    s.blankY = blankY ? blankY : settings.blankY;
    s.thickness = thickness ? thickness : settings.thickness;
    s.zeroOnTable = zeroOnTable.value_or(settings.zeroOnTable);
    s.tableX = settings.tableX;
    s.tableY = settings.tableY;
    return s;
}

bool holds(double a, Compare c, double b) {
    const bool equal = std::abs(a - b) <= Tolerance * std::max({1.0, std::abs(a), std::abs(b)});
    switch (c) {
    case Compare::Equal:
        return equal;
    case Compare::NotEqual:
        return !equal;
    case Compare::Less:
        return a < b && !equal;
    case Compare::Greater:
        return a > b && !equal;
    case Compare::LessOrEqual:
        return a < b || equal;
    case Compare::GreaterOrEqual:
        return a > b || equal;
    case Compare::None:
        break;
    }
    return false;
}

// Time for distance d at top speed v, speeding up and slowing down at a: a trapezoid, or a
// triangle when the distance is too short to reach v.
double trapezoid(double d, double v, double a) {
    if (d >= v * v / a) return d / v + v / a;
    return 2 * std::sqrt(d / a);
}

class Runner {
public:
    Runner(const Program& program, const Settings& settings, const Answers& answers, const Loader& loader,
           const std::atomic<bool>* cancel)
        : settings_(settings), answers_(answers), loader_(loader), cancel_(cancel) {
        for (auto it = answers.byVariable.begin(); it != answers.byVariable.end(); ++it) {
            QStringView name = it.key();
            while (name.startsWith(u'&'))
                name = name.sliced(1);
            answerByName_.insert(statement::nameKey(name.trimmed()), it.value());
        }
        checkSettings();
        trace_.setup = readSetup(program, settings);
        trace_.files << program.name;
        auto main = std::make_unique<File>();
        main->program = &program;
        main->folder = program.folder;
        files_.push_back(std::move(main));
        if (!program.name.isEmpty())
            fileByKey_.insert(keyOf(resolve(QString(program.name).replace(u'\\', u'/'), program.folder)), 0);
        compile(0);
        const Setup& s = trace_.setup;
        if (s.blankX && s.blankY && (!s.zeroOnTable || s.thickness)) blankTop_ = s.zeroOnTable ? *s.thickness : 0.0;
        if (!s.zeroOnTable && s.thickness)
            floor_ = -*s.thickness;
        else if (s.zeroOnTable)
            floor_ = 0.0;
    }

    Trace run() {
        frames_.push_back(Frame{});
        const qint64 limit = std::max<qint64>(0, settings_.stepLimit);
        while (!frames_.empty()) {
            Frame& fr = frames_.back();
            File& f = *files_[std::size_t(fr.file)];
            if (fr.pc >= f.size()) {
                frames_.pop_back();
                continue;
            }
            if (steps_ >= limit) {
                stepLimitReached();
                break;
            }
            if (cancel_ && steps_ % CancelEvery == 0 && cancel_->load(std::memory_order_relaxed)) {
                trace_.cancelled = true;
                break;
            }
            const int at = fr.pc++;
            const int fi = fr.file;
            ring_[std::size_t(steps_ % RingSize)] = {fi, at};
            ++steps_;
            // May push a frame: nothing may hold fr past this.
            execute(f.code[std::size_t(at)], f, fi, at);
        }
        finish();
        return std::move(trace_);
    }

private:
    struct Recent {
        int file = -1;
        int at = 0;
    };

    // Settings that would make times no numbers are replaced, and the run says so.
    void checkSettings() {
        move_ = settings_.move;
        jog_ = settings_.jog;
        const Settings defaults;
        const auto speed = [&](double& v, double fallback, const char* what) {
            if (std::isfinite(v) && v >= SlowestSpeed && v <= Huge) return;
            settingNote(
                tr("The setting %1 (%2) is no usable speed; %3 is used.").arg(tr(what), number(v), number(fallback)));
            v = fallback;
        };
        AxisSpeeds* groups[] = {&move_, &jog_};
        const AxisSpeeds fallbacks[] = {defaults.move, defaults.jog};
        for (int g = 0; g < 2; ++g) {
            speed(groups[g]->xy, fallbacks[g].xy, SpeedNames[g * 4]);
            speed(groups[g]->z, fallbacks[g].z, SpeedNames[g * 4 + 1]);
            speed(groups[g]->a, fallbacks[g].a, SpeedNames[g * 4 + 2]);
            speed(groups[g]->b, fallbacks[g].b, SpeedNames[g * 4 + 3]);
        }
        if (!settings_.acceleration) return;
        const double accels[] = {settings_.accelXY, settings_.accelZ, settings_.accelAB};
        for (int g = 0; g < 3; ++g) {
            accel_[g] = accels[g];
            if (std::isfinite(accel_[g]) && accel_[g] >= SlowestSpeed && accel_[g] <= Huge) continue;
            settingNote(
                tr("The acceleration %1 is no usable value; those axes are timed without it.").arg(number(accel_[g])));
            accel_[g] = 0;
        }
        calibration_ = settings_.calibration;
        if (!(std::isfinite(calibration_) && calibration_ > 0 && calibration_ <= 1000)) {
            settingNote(tr("The calibration %1 is no usable factor; 1 is used.").arg(number(calibration_)));
            calibration_ = 1;
        }
    }

    void settingNote(const QString& text) {
        trace_.warnings << Note{LineRef{0, 0}, text, false, QStringLiteral("settings")};
    }

    static QString resolve(const QString& name, const QString& folder) {
        if (QDir::isAbsolutePath(name) || folder.isEmpty()) return QDir::cleanPath(name);
        return QDir::cleanPath(folder + u'/' + name);
    }
    static QString keyOf(const QString& path) { return path.toCaseFolded(); }

    LineRef ref(const File& f, int fi, int at) const { return LineRef{fi, f.line(at).number}; }

    bool once(File& f, int at, Once kind) {
        if (f.warned[std::size_t(at)] & kind) return false;
        f.warned[std::size_t(at)] |= kind;
        return true;
    }
    void warn(File& f, int fi, int at, Once kind, const char* rule, const QString& text, bool error = false) {
        if (once(f, at, kind)) trace_.warnings << Note{ref(f, fi, at), text, error, QString::fromLatin1(rule)};
    }
    void notSimulated(File& f, int fi, int at, const char* rule, const QString& why) {
        if (once(f, at, NotSimulated))
            trace_.notSimulated << Note{ref(f, fi, at), tr("Not simulated: %1").arg(why), false,
                                        QString::fromLatin1(rule)};
    }

    int addExpr(File& f, const QString& text) {
        f.exprs.push_back(expression::Expression::compile(text, names_));
        f.exprTexts << text;
        return int(f.exprs.size()) - 1;
    }
    int addText(File& f, const QString& text) {
        f.texts << text;
        return int(f.texts.size()) - 1;
    }

    // Pre-parses a file once: statements, compiled values and its labels (the first of a name wins).
    void compile(int fi) {
        File& f = *files_[std::size_t(fi)];
        const std::size_t n = f.program->lines.size();
        f.code.resize(n);
        f.time.assign(n, 0);
        f.warned.assign(n, 0);
        f.stop.assign(n, -1);
        QHash<QString, int> labels;
        struct Pending {
            bool inThen;
            int index;
            QString key;
        };
        std::vector<Pending> jumps;
        for (std::size_t i = 0; i < n; ++i) {
            const int at = int(i);
            const statement::Statement st = statement::parse(f.program->lines[i].text);
            if (st.kind == statement::Kind::Label && !st.label.isEmpty()) {
                const QString key = statement::nameKey(st.label);
                if (labels.contains(key))
                    warn(f, fi, at, DuplicateLabel, "duplicate-label",
                         tr("The label \"%1\" is defined again; jumps go to line %2.")
                             .arg(st.label)
                             .arg(f.line(labels.value(key)).number));
                else
                    labels.insert(key, at);
            }
            f.code[i] = compileStatement(st, f, false, at, jumps);
        }
        for (const Pending& p : jumps) {
            Instr& in = p.inThen ? f.then[std::size_t(p.index)] : f.code[std::size_t(p.index)];
            in.target = labels.value(p.key, -1);
        }
        values_.resize(std::size_t(names_.size()));
    }

    template <typename Jumps>
    Instr compileStatement(const statement::Statement& st, File& f, bool inThen, int index, Jumps& jumps) {
        using statement::Kind;
        Instr in;
        const auto skip = [&](const QString& why) {
            in.op = Op::Skip;
            in.note = addText(f, why);
        };
        switch (st.kind) {
        case Kind::Empty:
        case Kind::Comment:
        case Kind::Label:
            break;
        case Kind::Move:
        case Kind::Jog:
            in.op = st.kind == Kind::Move ? Op::Move : Op::Jog;
            for (int a = 0; a < statement::AxisCount; ++a)
                if (!st.axes[std::size_t(a)].isEmpty()) {
                    in.mask |= quint8(1u << a);
                    in.expr[std::size_t(a)] = addExpr(f, st.axes[std::size_t(a)]);
                }
            ignoredValues(st, f, in);
            break;
        case Kind::Speed:
            in.op = Op::Speed;
            for (int s = 0; s < statement::SpeedCount; ++s)
                if (!st.speeds[std::size_t(s)].isEmpty()) {
                    in.mask |= quint8(1u << s);
                    in.expr[std::size_t(s)] = addExpr(f, st.speeds[std::size_t(s)]);
                }
            ignoredValues(st, f, in);
            break;
        case Kind::FileCall:
            compileCall(st, f, in, skip);
            break;
        case Kind::If:
            if (!st.then) {
                skip(tr("the IF line has no THEN."));
            } else if (st.compare == Compare::None) {
                skip(tr("the IF test \"%1\" compares nothing (= < > <= >= <>).").arg(st.left));
            } else {
                in.op = Op::If;
                in.compare = st.compare;
                in.expr[0] = addExpr(f, st.left);
                in.expr[1] = addExpr(f, st.right);
                Instr then = compileStatement(*st.then, f, true, int(f.then.size()), jumps);
                in.target = int(f.then.size());
                f.then.push_back(then);
            }
            break;
        case Kind::GoTo:
        case Kind::GoSub:
            if (st.label.isEmpty()) {
                skip(tr("the %1 line names no label.").arg(st.command));
            } else if (st.label.startsWith(u'&')) {
                skip(tr("a jump to the label a variable holds (%1) cannot be followed.").arg(st.label));
            } else {
                in.op = st.kind == Kind::GoTo ? Op::GoTo : Op::GoSub;
                in.note = addText(f, st.label);
                jumps.push_back({inThen, index, statement::nameKey(st.label)});
            }
            break;
        case Kind::Return:
        case Kind::End:
            in.op = st.kind == Kind::End ? Op::End : Op::Return;
            if (!st.value.isEmpty()) {
                in.ignored = true;
                in.note = addText(f, tr("The text \"%1\" after %2 is not read.").arg(st.value, st.command));
            }
            break;
        case Kind::Assign:
            if (st.variable.isEmpty() || st.value.isEmpty()) {
                skip(tr("the Variable line needs a name and a value."));
            } else {
                in.op = Op::Assign;
                in.target = names_.slot(st.variable);
                in.expr[0] = addExpr(f, st.value);
            }
            break;
        case Kind::Input:
            in.op = Op::Input;
            in.target = st.variable.isEmpty() ? -1 : names_.slot(st.variable);
            in.note = addText(f, st.prompt);
            break;
        case Kind::Pause:
            in.op = st.value.isEmpty() ? Op::Wait : Op::Pause;
            if (!st.value.isEmpty()) in.expr[0] = addExpr(f, st.value);
            break;
        case Kind::Unknown:
            skip(tr("the dry run does not know this command."));
            break;
        }
        return in;
    }

    void ignoredValues(const statement::Statement& st, File& f, Instr& in) {
        if (!st.ignoredValues) return;
        in.ignored = true;
        in.note = addText(f, tr("%1 takes %2 values and the line gives %3 (a decimal comma?); the values it does "
                                "not read are ignored.")
                                 .arg(st.command)
                                 .arg(st.valuesTaken)
                                 .arg(st.valuesGiven));
    }

    template <typename Skip> void compileCall(const statement::Statement& st, File& f, Instr& in, const Skip& skip) {
        if (st.file.isEmpty()) return skip(tr("the file call names no file."));
        if (st.file.contains(u'&')) return skip(tr("the file name \"%1\" holds a variable.").arg(st.file));
        const QString name = QString(st.file).replace(u'\\', u'/');
        static const QRegularExpression windowsRoot(QStringLiteral("^([A-Za-z]:|//)"));
        if (!QDir::isAbsolutePath(name) && windowsRoot.match(name).hasMatch())
            return skip(tr("\"%1\" is a Windows path, which cannot be reached here.").arg(st.file));
        Call c;
        c.name = st.file;
        c.path = resolve(name, f.folder);
        c.key = keyOf(c.path);
        c.offset = st.offset;
        c.offsetText = st.offsetText;
        in.op = Op::Call;
        in.target = int(f.calls.size());
        f.calls.push_back(c);
    }

    // A field's value, or nothing (and the line named as not simulated).
    std::optional<double> value(File& f, int fi, int at, int e, const char* what) {
        const std::optional<double> v = f.exprs[std::size_t(e)].evaluate(values_);
        if (!v && once(f, at, NotSimulated))
            trace_.notSimulated << Note{
                ref(f, fi, at),
                tr("Not simulated: the %1 value \"%2\" cannot be evaluated: %3.")
                    .arg(tr(what), f.exprTexts[e], f.exprs[std::size_t(e)].whyNot(values_, names_)),
                false, QStringLiteral("not-evaluated")};
        return v;
    }

    void execute(const Instr& in, File& f, int fi, int at) {
        switch (in.op) {
        case Op::Nop:
            return;
        case Op::Move:
        case Op::Jog:
            return motion(in, f, fi, at, in.op == Op::Jog);
        case Op::Speed:
            return speeds(in, f, fi, at);
        case Op::Call:
            return call(in, f, fi, at);
        case Op::If: {
            const std::optional<double> left =
                value(f, fi, at, in.expr[0], QT_TRANSLATE_NOOP("dryrun", "IF test's left"));
            const std::optional<double> right =
                value(f, fi, at, in.expr[1], QT_TRANSLATE_NOOP("dryrun", "IF test's right"));
            if (left && right && holds(*left, in.compare, *right)) execute(f.then[std::size_t(in.target)], f, fi, at);
            return;
        }
        case Op::GoTo:
        case Op::GoSub: {
            if (in.target < 0) {
                warn(f, fi, at, MissingLabel, "missing-label",
                     tr("No line of this file is the label \"%1\"; the run goes on with the next line.")
                         .arg(f.texts[in.note]),
                     true);
                return;
            }
            Frame& fr = frames_.back();
            if (in.op == Op::GoSub) fr.returns.push_back(fr.pc);
            fr.pc = in.target;
            return;
        }
        case Op::Return: {
            if (in.ignored) warn(f, fi, at, IgnoredValues, "ignored-text", f.texts[in.note]);
            Frame& fr = frames_.back();
            if (fr.returns.empty()) {
                warn(f, fi, at, ReturnAlone, "return-without-gosub",
                     tr("RETURN without a GOSUB before it: this file ends here."));
                fr.pc = f.size();
            } else {
                fr.pc = fr.returns.back();
                fr.returns.pop_back();
            }
            return;
        }
        case Op::End:
            if (in.ignored) warn(f, fi, at, IgnoredValues, "ignored-text", f.texts[in.note]);
            frames_.back().pc = f.size();
            return;
        case Op::Assign:
            if (const auto v = value(f, fi, at, in.expr[0], QT_TRANSLATE_NOOP("dryrun", "variable's")))
                values_[std::size_t(in.target)] = v;
            return;
        case Op::Input:
            return input(in, f, fi, at);
        case Op::Pause: {
            const auto v = value(f, fi, at, in.expr[0], QT_TRANSLATE_NOOP("dryrun", "PAUSE"));
            if (!v) return;
            if (*v < 0 || *v > Huge) {
                warn(f, fi, at, NegativePause, "pause-out-of-range",
                     tr("PAUSE %1 is below 0 or beyond any wait; no time is added.").arg(number(*v)));
                return;
            }
            addTime(f, at, *v);
            return;
        }
        case Op::Wait: {
            Stop& s = stopAt(f, fi, at, Stop::Kind::Pause);
            ++s.times;
            return;
        }
        case Op::Skip:
            notSimulated(f, fi, at, "not-simulated", f.texts[in.note]);
            return;
        }
    }

    Stop& stopAt(File& f, int fi, int at, Stop::Kind kind) {
        int& s = f.stop[std::size_t(at)];
        if (s < 0) {
            s = int(trace_.stops.size());
            Stop stop;
            stop.source = ref(f, fi, at);
            stop.kind = kind;
            stop.prompt = f.line(at).text;
            trace_.stops << stop;
        }
        return trace_.stops[s];
    }

    void input(const Instr& in, File& f, int fi, int at) {
        const bool first = f.stop[std::size_t(at)] < 0;
        Stop& s = stopAt(f, fi, at, Stop::Kind::Input);
        if (first) {
            s.prompt = f.texts[in.note];
            s.variable = in.target < 0 ? QString() : names_.name(in.target);
            const LineRef r = ref(f, fi, at);
            const auto byLine = answers_.byLine.constFind(r);
            const auto byName =
                in.target < 0 ? answerByName_.constEnd() : answerByName_.constFind(statement::nameKey(s.variable));
            s.answered = byLine != answers_.byLine.constEnd() || byName != answerByName_.constEnd();
            s.answer = byLine != answers_.byLine.constEnd() ? *byLine : s.answered ? *byName : 0.0;
            if (!s.answered && in.target >= 0)
                warn(f, fi, at, Unanswered, "unanswered-input",
                     tr("No answer is given for this INPUT; the run takes 0 for &%1.").arg(s.variable));
        }
        ++s.times;
        if (in.target >= 0) values_[std::size_t(in.target)] = s.answer;
    }

    void speeds(const Instr& in, File& f, int fi, int at) {
        if (in.ignored) warn(f, fi, at, IgnoredValues, "extra-values", f.texts[in.note]);
        double* speed[] = {&move_.xy, &move_.z, &move_.a, &move_.b, &jog_.xy, &jog_.z, &jog_.a, &jog_.b};
        for (int s = 0; s < statement::SpeedCount; ++s) {
            if (!(in.mask & (1u << s))) continue;
            const auto v = value(f, fi, at, in.expr[std::size_t(s)], SpeedNames[s]);
            if (!v) continue;
            if (*v < SlowestSpeed || *v > Huge) {
                warn(f, fi, at, SpeedKept, "speed-kept",
                     tr("The %1 %2 is not above 0 (or beyond any machine); it stays %3.")
                         .arg(tr(SpeedNames[s]), number(*v), number(*speed[s])));
                continue;
            }
            *speed[s] = *v;
        }
    }

    void motion(const Instr& in, File& f, int fi, int at, bool jog) {
        if (in.ignored) warn(f, fi, at, IgnoredValues, "extra-values", f.texts[in.note]);
        const Frame& fr = frames_.back();
        const double offset[] = {fr.ox, fr.oy, fr.oz, 0, 0};
        double target[] = {pos_.x, pos_.y, pos_.z, pos_.a, pos_.b};
        for (int a = 0; a < statement::AxisCount; ++a) {
            if (!(in.mask & (1u << a))) continue;
            const auto v = value(f, fi, at, in.expr[std::size_t(a)], AxisNames[a]);
            if (!v) continue;
            const double t = *v + offset[a];
            if (std::abs(t) > Huge) {
                notSimulated(
                    f, fi, at, "out-of-reach",
                    tr("the %1 position %2 is beyond any machine.").arg(QLatin1String(AxisNames[a]), number(t)));
                continue;
            }
            target[a] = t;
        }
        const Position to{target[0], target[1], target[2], target[3], target[4]};
        if (to == pos_) return;
        segment(to, jog, f, fi, at, fr.file == 0 ? f.line(at).region : fr.region);
    }

    void segment(const Position& to, bool jog, File& f, int fi, int at, Region region) {
        const Position from = pos_;
        const AxisSpeeds& sp = jog ? jog_ : move_;
        // Positions stay within +-1e9, so the squares cannot overflow.
        const double dx = to.x - from.x, dy = to.y - from.y;
        const double distance[] = {std::sqrt(dx * dx + dy * dy), std::abs(to.z - from.z), std::abs(to.a - from.a),
                                   std::abs(to.b - from.b)};
        const double speed[] = {sp.xy, sp.z, sp.a, sp.b};
        const double accel[] = {accel_[0], accel_[1], accel_[2], accel_[2]};
        double time = 0;
        double decided = speed[0];
        for (int g = 0; g < 4; ++g) {
            if (distance[g] == 0) continue;
            const double t = accel[g] > 0 ? trapezoid(distance[g], speed[g], accel[g]) : distance[g] / speed[g];
            if (t > time) {
                time = t;
                decided = speed[g];
            }
        }
        time *= calibration_;
        trace_.segments.push_back(Segment{from, to, jog, decided, time, 0, ref(f, fi, at), region});
        addTime(f, at, time);
        pos_ = to;
        // Every segment starts where the one before it ended, so only the first start is new.
        if (trace_.extent.empty) include(from);
        include(to);
        check(from, to, jog, f, fi, at);
    }

    void addTime(File& f, int at, double t) {
        f.time[std::size_t(at)] += t;
        trace_.totalTime += t;
    }

    void include(const Position& p) {
        Extent& e = trace_.extent;
        if (e.empty) {
            e.empty = false;
            e.x = {p.x, p.x};
            e.y = {p.y, p.y};
            e.z = {p.z, p.z};
            return;
        }
        e.x.min = std::min(e.x.min, p.x);
        e.x.max = std::max(e.x.max, p.x);
        e.y.min = std::min(e.y.min, p.y);
        e.y.max = std::max(e.y.max, p.y);
        e.z.min = std::min(e.z.min, p.z);
        e.z.max = std::max(e.z.max, p.z);
    }

    void check(const Position& from, const Position& to, bool jog, File& f, int fi, int at) {
        const Setup& s = trace_.setup;
        const auto outside = [](double v, const std::optional<double>& size) {
            return size && (v < -Tolerance || v > *size + Tolerance);
        };
        if (outside(to.x, s.tableX) || outside(to.y, s.tableY))
            warn(f, fi, at, OutsideTable, "outside-table",
                 tr("The tool goes outside the table, to X %1, Y %2.").arg(number(to.x), number(to.y)));
        // A cut is a move that goes below the blank's top surface; above it the bit only passes over.
        if (!jog && blankTop_ && std::min(from.z, to.z) < *blankTop_ - Tolerance) {
            const auto off = [&](const Position& p) { return outside(p.x, s.blankX) || outside(p.y, s.blankY); };
            if (off(from) || off(to))
                warn(f, fi, at, OutsideBlank, "outside-blank",
                     tr("A cut goes outside the %1 x %2 blank, at X %3, Y %4.")
                         .arg(number(*s.blankX), number(*s.blankY), number(off(to) ? to.x : from.x),
                              number(off(to) ? to.y : from.y)));
        }
        if (floor_ && to.z < *floor_ - Tolerance)
            warn(f, fi, at, BelowTable, "below-table",
                 tr("The tool goes below the table top, to Z %1 (the table top is at Z %2).")
                     .arg(number(to.z), number(*floor_)));
    }

    void call(const Instr& in, File& f, int fi, int at) {
        Call& c = f.calls[std::size_t(in.target)];
        // Too deep is known before the file is read, so a file that would run too deep is not loaded.
        if (int(frames_.size()) > MaxCallDepth) {
            warn(f, fi, at, CallDepth, "call-depth",
                 tr("File calls nest deeper than %1 files; this call is skipped.").arg(MaxCallDepth), true);
            return;
        }
        if (c.file == -2) c.file = fileByKey_.value(c.key, -2);
        if (c.file == -2) c.file = load(c);
        const int called = c.file;
        if (called < 0) {
            warn(f, fi, at, MissingFile, "missing-file",
                 tr("The called file \"%1\" cannot be read (%2); the run goes on with the next line.")
                     .arg(c.name, failed_.value(c.key)),
                 true);
            return;
        }
        for (const Frame& fr : frames_)
            if (fr.file == called) {
                warn(f, fi, at, CallCycle, "call-cycle",
                     tr("\"%1\" is running already, so this call would never end; it is skipped.").arg(c.name), true);
                return;
            }
        if (c.offset == Offset::Odd)
            warn(
                f, fi, at, OddOffset, "odd-offset",
                tr("The offset mode \"%1\" is none of 0, 2 and 1; the file runs without an offset.").arg(c.offsetText));
        const Frame& caller = frames_.back();
        Frame next;
        next.file = called;
        next.region = caller.file == 0 ? f.line(at).region : caller.region;
        next.ox = caller.ox;
        next.oy = caller.oy;
        next.oz = caller.oz;
        if (c.offset == Offset::TwoD || c.offset == Offset::ThreeD) {
            next.ox = pos_.x;
            next.oy = pos_.y;
        }
        if (c.offset == Offset::ThreeD) next.oz = pos_.z;
        frames_.push_back(std::move(next));
    }

    int load(const Call& c) {
        Loaded loaded = loader_ ? loader_(c.path) : Loaded{false, tr("nothing reads files"), {}};
        if (!loaded.ok) {
            fileByKey_.insert(c.key, -1);
            failed_.insert(c.key, loaded.error);
            return -1;
        }
        auto file = std::make_unique<File>();
        file->own = std::move(loaded.program);
        file->program = &file->own;
        file->folder = file->own.folder.isEmpty() ? QFileInfo(c.path).path() : file->own.folder;
        const int index = int(files_.size());
        files_.push_back(std::move(file));
        trace_.files << c.name;
        fileByKey_.insert(c.key, index);
        compile(index);
        return index;
    }

    void stepLimitReached() {
        trace_.stepLimitReached = true;
        QHash<qint64, int> counts;
        const qint64 kept = std::min<qint64>(steps_, RingSize);
        for (qint64 i = 0; i < kept; ++i) {
            const Recent& r = ring_[std::size_t(i)];
            ++counts[qint64(r.file) << 32 | quint32(r.at)];
        }
        QList<std::pair<int, qint64>> repeating;
        for (auto it = counts.begin(); it != counts.end(); ++it)
            if (*it > 1) repeating.append({*it, it.key()});
        std::sort(repeating.begin(), repeating.end(), [](const auto& a, const auto& b) {
            return a.first != b.first ? a.first > b.first : a.second < b.second;
        });
        QStringList names;
        LineRef source{0, 0};
        for (qsizetype i = 0; i < std::min<qsizetype>(repeating.size(), 8); ++i) {
            const int fi = int(repeating[i].second >> 32);
            const int at = int(repeating[i].second & 0xffffffff);
            const LineRef r = ref(*files_[std::size_t(fi)], fi, at);
            if (i == 0) source = r;
            names << (fi == 0 ? tr("line %1 (%2 times)").arg(r.line).arg(repeating[i].first)
                              : tr("%1 line %2 (%3 times)").arg(trace_.files[fi]).arg(r.line).arg(repeating[i].first));
        }
        trace_.warnings << Note{source,
                                tr("The run stopped after %1 lines, the step limit, as if it looped without end. "
                                   "Of the last %2 lines, these ran most: %3.")
                                    .arg(steps_)
                                    .arg(kept)
                                    .arg(names.join(QStringLiteral(", "))),
                                false, QStringLiteral("step-limit")};
    }

    void finish() {
        trace_.executedLines = steps_;
        for (std::size_t fi = 0; fi < files_.size(); ++fi) {
            const File& f = *files_[fi];
            for (int at = 0; at < f.size(); ++at)
                if (f.time[std::size_t(at)] > 0)
                    trace_.timePerLine.insert(ref(f, int(fi), at), f.time[std::size_t(at)]);
        }
    }

    const Settings& settings_;
    const Answers& answers_;
    const Loader& loader_;
    const std::atomic<bool>* cancel_ = nullptr;
    QHash<QString, double> answerByName_;

    Trace trace_;
    std::vector<std::unique_ptr<File>> files_;
    QHash<QString, int> fileByKey_; // -1: could not be read
    QHash<QString, QString> failed_;
    expression::Names names_;
    expression::Values values_;

    Position pos_;
    AxisSpeeds move_, jog_;
    std::array<double, 3> accel_{0, 0, 0}; // XY, Z, A and B; 0: timed without acceleration
    double calibration_ = 1;
    std::optional<double> blankTop_; // Z of the blank's top surface, when the blank can be checked
    std::optional<double> floor_;    // Z of the table top, when known

    std::vector<Frame> frames_;
    qint64 steps_ = 0;
    std::array<Recent, RingSize> ring_{};
};

} // namespace

Program programFromText(const QString& name, const QString& folder, const QString& text, Region region) {
    Program p;
    p.name = name;
    p.folder = folder;
    qsizetype from = 0;
    int number = 0;
    while (from < text.size()) {
        qsizetype end = text.indexOf(u'\n', from);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        if (end < 0) end = text.size();
        if (end > from && text[end - 1] == u'\r') --end;
        p.lines.push_back(SourceLine{text.mid(from, end - from), ++number, region});
        from = next;
    }
    return p;
}

Loader fileLoader() {
    return [](const QString& path) -> Loaded {
        QString found = QDir::cleanPath(path);
        if (!QFileInfo::exists(found)) {
            // Walk up to the nearest folder that is there, then down again by names of any case.
            QStringList missing;
            QString existing = found;
            while (!QFileInfo::exists(existing)) {
                missing.prepend(QFileInfo(existing).fileName());
                const QString up = QFileInfo(existing).path();
                if (up == existing) break;
                existing = up;
            }
            found = existing;
            for (const QString& part : std::as_const(missing)) {
                found = textfile::findNoCase(found, part);
                if (found.isEmpty()) break;
            }
        }
        const QFileInfo info(found);
        if (found.isEmpty() || !info.exists()) return {false, tr("no such file"), {}};
        if (!info.isFile()) return {false, tr("not a regular file"), {}};
        QFile file(found);
        if (!file.open(QIODevice::ReadOnly)) return {false, file.errorString(), {}};
        const QString text = textfile::decode(file.readAll());
        return {true, {}, programFromText(QFileInfo(path).fileName(), info.path(), text)};
    };
}

Trace run(const Program& program, const Settings& settings, const Answers& answers, const Loader& loader,
          const std::atomic<bool>* cancel) {
    return Runner(program, settings, answers, loader, cancel).run();
}

} // namespace dryrun
