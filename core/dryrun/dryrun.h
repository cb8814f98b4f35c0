#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <optional>
#include <vector>

// The dry run: runs a part file's lines (and the files it calls) without a machine and returns a
// trace of where the tool goes, how long it takes, and what could not be simulated. The rules are
// written down in docs/dry-run.md; this is Qt Core only, so the window, the command line and the
// job sheet all read the same trace.
namespace dryrun {

// Where a line comes from in a run: the file's index in Trace::files and its line number from 1,
// counted in the file as it stands on disk (opening lines and header included).
struct LineRef {
    int file = 0;
    int line = 0;
    friend bool operator==(const LineRef&, const LineRef&) = default;
};
inline size_t qHash(const LineRef& r, size_t seed = 0) {
    return ::qHash(qint64(r.file) << 32 | quint32(r.line), seed);
}

// Which part of the main file a line belongs to; lines of called files take their caller's region.
enum class Region : quint8 { Program, Header, Closing };

struct Position {
    double x = 0, y = 0, z = 0, a = 0, b = 0;
    friend bool operator==(const Position&, const Position&) = default;
};

// One straight motion of a move or jog line. A run may hold half a million of these, so the small
// members sit together.
struct Segment {
    Position from;
    Position to;
    bool jog = false;
    Region region = Region::Program;
    double speed = 0; // the speed of the axis group that decided the time (units per second)
    double time = 0;  // seconds, >= 0
    // Seconds from the start of the run to where this segment begins: the times of the segments and
    // timed PAUSEs run before it, as totalTime counts them. The last segment's startTime + time, plus
    // the pauses run after it, is Trace::totalTime.
    double startTime = 0;
    LineRef source;
};

struct Range {
    double min = 0, max = 0;
};
// The extent of the run: min and max of every segment end, called files included; empty when the
// run has no segment (the start position alone then counts for nothing).
struct Extent {
    bool empty = true;
    Range x, y, z;
};

// A line named with what happened there: a warning, an error, or a line not simulated.
struct Note {
    LineRef source;
    QString text;
    bool error = false; // errors (a call cycle, a missing called file) are listed with the warnings
    QString rule;       // the rule's fixed name ("outside-table", "missing-label", ...), for tests and filters
};

// A place where the operator acts: a PAUSE without a time, or an INPUT prompt with the answer used.
struct Stop {
    LineRef source;
    enum class Kind { Pause, Input } kind = Kind::Pause;
    QString prompt;    // the INPUT prompt, or the PAUSE line's text
    QString variable;  // the INPUT variable, without "&"
    double answer = 0; // the value used for an INPUT
    bool answered = false;
    int times = 0; // how often the run reached it
};

// The unit of the program's numbers: lengths in it, speeds in it per second.
enum class Unit : quint8 { Inch, Millimetre };
// "in" or "mm"; every length an operator reads carries it.
QString unitSymbol(Unit unit);
// "in/s" or "mm/s"; every speed an operator reads carries it.
QString speedSymbol(Unit unit);

// The bit, as the carve and the checks that know its width see it.
struct Tool {
    enum class Shape : quint8 { Flat, V, Ball };
    Shape shape = Shape::Flat;
    double diameter = 0.25; // the cutting diameter; a V bit's largest, where its cone ends
    double angle = 90;      // a V bit's included angle, in degrees
    friend bool operator==(const Tool&, const Tool&) = default;
};
// The bit's radius at height h above its tip: a flat bit's whole radius (for any h above 0), a V bit's
// cone or a ball's section up to where they reach the whole radius; 0 at the tip and below.
double radiusAt(const Tool& tool, double h);
// Where a V bit's cone ends above its tip (its shank above); a ball's radius, a flat bit's 0.
double coneHeight(const Tool& tool);

// The blank, table, unit and bit the checks used: from the file's own header where it has them,
// else the settings.
struct Setup {
    std::optional<double> blankX, blankY, thickness;
    bool zeroOnTable = false;
    bool fromHeader = false;
    std::optional<double> tableX, tableY;
    Unit unit = Unit::Inch;
    bool unitFromHeader = false;
    Tool tool;
    bool toolFromHeader = false;
    QString bit; // the header's bit as written ("1/4 down-spiral bit"); empty without one
};

// Z of the blank's top surface: 0 when Z is zeroed on it, its thickness when zeroed on the table;
// nothing without a blank size, or zeroed on the table with no thickness.
std::optional<double> blankTop(const Setup& setup);
// Z of the table top: 0 when Z is zeroed on it, below the blank's top by its thickness otherwise;
// nothing when zeroed on the blank with no thickness.
std::optional<double> tableTop(const Setup& setup);

struct AxisSpeeds {
    double xy = 0, z = 0, a = 0, b = 0;
};

// Where the run stood one time it reached Settings::watchLine, before that line ran.
struct LineState {
    int pass = 0;       // which time the run reached the line, from 1
    double runTime = 0; // seconds from the start of the run, as Trace::totalTime counts them
    Position position;
    AxisSpeeds move, jog;
    // Bit s is set when speed field s (in the order of a VS line) was set by a VS line run before;
    // the others are still the settings' own.
    quint8 speedsSet = 0;
    // Every variable that has a value, named as first written, in the order the names first appear in
    // the files run.
    QList<std::pair<QString, double>> variables;
    // The main-file lines RETURN goes back to, the innermost GOSUB last: not empty when the line runs
    // inside a subroutine. A GOSUB on the last line returns past the end (the last line's number + 1).
    std::vector<int> returnTo;
    // How much of the trace was made before: segments, lines not simulated, stops.
    std::size_t segmentsBefore = 0;
    qsizetype notSimulatedBefore = 0;
    qsizetype stopsBefore = 0;
};

// What the run's time assumes: the speeds it starts with and how it times a segment, in the
// program's unit, after any setting that could not be used was replaced.
struct Timing {
    AxisSpeeds move, jog;
    bool acceleration = false;
    double accelXY = 0, accelZ = 0, accelAB = 0; // 0: that axis group is timed without acceleration
    double calibration = 1;
};

// The bounds of Trace::watched: a line inside a loop of a million passes, or deep in a recursion,
// gives the operator a list to choose from, not a list that fills the memory.
inline constexpr int MaxWatchedTimes = 1000;
inline constexpr qint64 MaxWatchedValues = 1000000;

struct Trace {
    QStringList files; // index 0: the main file; each name as the command line or the calling line gave it
    std::vector<Segment> segments;
    double totalTime = 0;               // seconds; with acceleration off exactly the sum of segment times and pauses
    QHash<LineRef, double> timePerLine; // seconds spent on each line (segments and pauses)
    Extent extent;
    QList<Stop> stops;
    QList<Note> warnings;     // each line warns once per kind of warning
    QList<Note> notSimulated; // each line listed once
    Setup setup;
    Timing timing;
    qint64 executedLines = 0;
    bool stepLimitReached = false;
    bool cancelled = false;
    // Settings::watchLine's state the first times the run reached it, in order: at most MaxWatchedTimes,
    // and fewer when one more would make the states hold more than MaxWatchedValues variables and
    // pending RETURNs in all (the first time is always recorded). watchedTimes counts every time.
    std::vector<LineState> watched;
    qint64 watchedTimes = 0;
    // Total number of times the run stopped for the operator (the sum of Stop::times).
    int stopCount() const;
};

// One line of a program as the run sees it.
struct SourceLine {
    QString text;   // the line as it stands in the file, without its line end
    int number = 0; // line number in the file, from 1
    Region region = Region::Program;
};

// Lines of a file that were not read (the rest of a very long header, closing block or called file),
// from line on; the run names them as not simulated, with why.
struct Unread {
    int line = 0;
    QString why;
};

// A file's lines, in file order.
struct Program {
    QString name;   // as given by the caller (command line, calling line)
    QString folder; // where relative called-file names are taken from
    std::vector<SourceLine> lines;
    std::vector<Unread> unread;
};

// A called file as the loader read it, or why it could not be read.
struct Loaded {
    bool ok = false;
    QString error;
    Program program;
};
// Reads a called file given its path (already resolved against the calling file's folder).
using Loader = std::function<Loaded(const QString& path)>;

// What the operator sets; the defaults are those of docs/dry-run.md.
struct Settings {
    AxisSpeeds move{1, 0.5, 1, 1};
    AxisSpeeds jog{4, 2, 4, 4};
    qint64 stepLimit = 1000000;
    // The most lines a run executes, whatever is set: each line may add a segment, and ten million
    // segments already take a gigabyte or more.
    static constexpr qint64 MaxStepLimit = 10000000;
    // Trapezoidal acceleration per segment (units per second squared), off by default; with it on,
    // the calibration factor multiplies every segment's time (pauses are waited as written).
    bool acceleration = false;
    double accelXY = 10, accelZ = 5, accelAB = 10;
    double calibration = 1.0;
    // The machine's table; no table check while unset.
    std::optional<double> tableX, tableY;
    // The blank, used when the file's own header gives none.
    std::optional<double> blankX, blankY, thickness;
    bool zeroOnTable = false;
    // The unit and the bit, used when the header names none (or one that cannot be read).
    Unit unit = Unit::Inch;
    Tool tool;
    // A V bit's largest diameter, where the header gives only its angle; unset: 1/2 inch or 12 mm.
    std::optional<double> vBitDiameter;
    // The most memory the carved blank's field may take, in MiB: the whole blank's cell is chosen so
    // that it fits (core/carve/carve.h).
    double carveBudgetMiB = 64;
    // Not the operator's: a main-file line number whose state the run records in Trace::watched each
    // time it reaches that line (0: none). Resuming from a line and tracing an outline read it.
    int watchLine = 0;
};

// Values for INPUT lines: by line first, else by variable name (compared as the checker compares
// names, without "&").
struct Answers {
    QHash<LineRef, double> byLine;
    QHash<QString, double> byVariable;
};

// A program from text: one SourceLine per line (LF or CR LF ends one), numbered from 1, all in region.
Program programFromText(const QString& name, const QString& folder, const QString& text,
                        Region region = Region::Program);

// Reads called files from disk as the router finds them: a name that is not there exactly is looked
// up without regard to letter case, folder by folder; only regular files are read.
Loader fileLoader();

// Runs the program. A newer change may cancel a run in progress through cancel; the trace then says
// cancelled and holds what was done so far. Every few thousand lines the number of lines run so far
// is stored in progress, for a window that shows it.
Trace run(const Program& program, const Settings& settings, const Answers& answers, const Loader& loader,
          const std::atomic<bool>* cancel = nullptr, std::atomic<qint64>* progress = nullptr);

} // namespace dryrun
