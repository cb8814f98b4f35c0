#pragma once

#include "core/dryrun/dryrun.h"
#include "core/language/expression.h"
#include "core/language/statement.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <array>
#include <atomic>
#include <memory>
#include <optional>
#include <vector>

// What the parts of the dry run share: the compiled form of a file, the call frames and the runner
// that holds one run's state. Only core/dryrun/dryrun*.cpp include this; dryrun.h is the interface.
// The runner's work is spread by job: dryrunprogram.cpp compiles and loads files, dryrunflow.cpp runs
// lines and follows jumps and calls, dryrunmotion.cpp moves the tool and times it, dryrunsetup.cpp
// reads the settings and the blank and checks where the tool goes.
namespace dryrun::engine {

using statement::Compare;
using statement::Offset;

QString tr(const char* text);
QString number(double v);
// v with every digit it needs to read back as itself: for a value just past a limit.
QString exactNumber(double v);

inline constexpr int MaxCallDepth = 16;
// GOSUBs waiting for their RETURN in one file; deeper is a subroutine that calls itself without end.
inline constexpr int MaxGoSubDepth = 1000;
// The lines run last, kept to name the repeating ones when the step limit ends a run.
inline constexpr int RingSize = 4096;
inline constexpr qint64 CancelEvery = 4096;
// No router travels, waits or moves at anything near this; a value beyond it would only make
// times that are no numbers.
inline constexpr double Huge = 1e9;
inline constexpr double SlowestSpeed = 1e-6;
inline constexpr double Tolerance = statement::Tolerance;

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
    GoSubDepth = 1u << 15,
    ShankCuts = 1u << 16,
};

inline constexpr const char* AxisNames[] = {"X", "Y", "Z", "A", "B"};
inline constexpr const char* SpeedNames[] = {
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

// The blank, thickness, Z zero, unit and bit from the main file's own header lines where it has
// them, else the settings (in the program's unit); a bit that cannot be read adds a note to notes.
Setup readSetup(const Program& program, const Settings& settings, QList<Note>* notes = nullptr);
// How far the bit's edge goes outside a blank of sizeX by sizeY while the segment is below the
// blank's top, and where the tip is then; nothing when it stays inside.
struct Outside {
    double by = 0, x = 0, y = 0;
};
std::optional<Outside> outsideBlank(const Position& from, const Position& to, const Tool& tool, double top,
                                    double sizeX, double sizeY);
// Time for distance d at top speed v, speeding up and slowing down at a.
double trapezoid(double d, double v, double a);

class Runner {
public:
    Runner(const Program& program, const Settings& settings, const Answers& answers, const Loader& loader,
           const std::atomic<bool>* cancel, std::atomic<qint64>* progress);
    Trace run();

private:
    struct Recent {
        int file = -1;
        int at = 0;
    };
    // A GOTO or GOSUB waiting for its file's label table.
    struct PendingJump {
        bool inThen;
        int index;
        QString key;
    };

    // dryrunsetup.cpp
    void setUp(const Program& program);
    void checkSettings();
    void settingNote(const QString& text);
    void check(const Position& from, const Position& to, File& f, int fi, int at);

    // dryrunprogram.cpp
    static QString resolve(const QString& name, const QString& folder);
    static QString keyOf(const QString& path) { return path.toCaseFolded(); }
    int addExpr(File& f, const QString& text);
    int addText(File& f, const QString& text);
    void compile(int fi);
    Instr compileStatement(const statement::Statement& st, File& f, bool inThen, int index,
                           std::vector<PendingJump>& jumps);
    void skipped(File& f, Instr& in, const QString& why);
    void ignoredValues(const statement::Statement& st, File& f, Instr& in);
    void compileCall(const statement::Statement& st, File& f, Instr& in);
    int load(const Call& c);

    // dryrunflow.cpp
    void warn(File& f, int fi, int at, Once kind, const char* rule, const QString& text, bool error = false);
    void notSimulated(File& f, int fi, int at, const char* rule, const QString& why);
    // Names the lines of file fi that its reader left unread.
    void unread(const Program& program, int fi);
    std::optional<double> value(File& f, int fi, int at, int e, const char* what);
    void execute(const Instr& in, File& f, int fi, int at);
    Stop& stopAt(File& f, int fi, int at, Stop::Kind kind);
    void input(const Instr& in, File& f, int fi, int at);
    void call(const Instr& in, File& f, int fi, int at);
    void stepLimitReached();
    void finish();
    // Counts a time the run reached the watched line and records its state, within the bounds.
    void watch(const File& f);

    // dryrunmotion.cpp
    void speeds(const Instr& in, File& f, int fi, int at);
    void motion(const Instr& in, File& f, int fi, int at, bool jog);
    void segment(const Position& to, bool jog, File& f, int fi, int at, Region region);
    void addTime(File& f, int at, double t);
    void include(const Position& p);

    LineRef ref(const File& f, int fi, int at) const { return LineRef{fi, f.line(at).number}; }
    bool once(File& f, int at, Once kind) {
        if (f.warned[std::size_t(at)] & kind) return false;
        f.warned[std::size_t(at)] |= kind;
        return true;
    }

    const Settings& settings_;
    const Answers& answers_;
    const Loader& loader_;
    const std::atomic<bool>* cancel_ = nullptr;
    std::atomic<qint64>* progress_ = nullptr;
    QHash<QString, double> answerByName_;

    Trace trace_;
    std::vector<std::unique_ptr<File>> files_;
    QHash<QString, int> fileByKey_; // -1: could not be read
    QHash<QString, QString> failed_;
    expression::Names names_;
    expression::Values values_;

    Position pos_;
    AxisSpeeds move_, jog_;
    quint8 speedsSet_ = 0;                 // the speed fields a VS line has set
    std::array<double, 3> accel_{0, 0, 0}; // XY, Z, A and B; 0: timed without acceleration
    double calibration_ = 1;
    std::optional<double> blankTop_; // Z of the blank's top surface, when the blank can be checked
    std::optional<double> floor_;    // Z of the table top, when known

    std::vector<Frame> frames_;
    qint64 steps_ = 0;
    int watchAt_ = -1;         // the main file's line whose state is recorded each time it is reached
    qint64 watchedValues_ = 0; // variables and pending RETURNs held by the states recorded
    std::array<Recent, RingSize> ring_{};
};

} // namespace dryrun::engine
