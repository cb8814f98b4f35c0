#include "core/dryrun/resumecopy.h"

#include "core/language/linesyntax.h"
#include "core/language/statement.h"
#include "core/partfile/partfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

// The rules this follows are written down in docs/resume.md; a change of rule changes both.
namespace resumecopy {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("resumecopy", text);
}

struct Jump {
    bool goSub = false;
    QString key;
};

// What a line may do to the order of execution, as the dry run follows it.
struct LineFlow {
    statement::Kind kind = statement::Kind::Empty;
    QList<Jump> jumps;         // labels it may jump to, also after THEN
    QString label;             // a label line's name key
    QString fileName;          // a file call's name as written, also after THEN
    bool goesOn = true;        // may go on with the next line
    bool unfollowable = false; // a plain GOTO that cannot be followed goes on too
};

void collect(const statement::Statement& st, LineFlow& flow, bool topLevel) {
    using statement::Kind;
    switch (st.kind) {
    case Kind::GoTo:
    case Kind::GoSub:
        if (st.label.isEmpty() || st.label.startsWith(u'&')) {
            if (topLevel) flow.unfollowable = true;
            break;
        }
        flow.jumps.append({st.kind == Kind::GoSub, statement::nameKey(st.label)});
        break;
    case Kind::If:
        if (st.then && st.compare != statement::Compare::None) collect(*st.then, flow, false);
        break;
    case Kind::FileCall:
        flow.fileName = st.file;
        break;
    case Kind::Return:
    case Kind::End:
        if (topLevel) flow.goesOn = false;
        break;
    default:
        break;
    }
}

struct Analysis {
    std::vector<LineFlow> flow;
    QHash<QString, int> firstLabel; // name key -> the line index a jump goes to (the first definition)
    QSet<QString> names;            // every label name and jump target in the file

    int target(const Jump& j) const { return firstLabel.value(j.key, -1); }
};

Analysis analyse(const dryrun::Program& program) {
    Analysis a;
    a.flow.resize(program.lines.size());
    for (std::size_t i = 0; i < program.lines.size(); ++i) {
        const statement::Statement st = statement::parse(program.lines[i].text);
        LineFlow& f = a.flow[i];
        f.kind = st.kind;
        collect(st, f, true);
        if (st.kind == statement::Kind::Label && !st.label.isEmpty()) {
            f.label = statement::nameKey(st.label);
            if (!a.firstLabel.contains(f.label)) a.firstLabel.insert(f.label, int(i));
            a.names.insert(f.label);
        }
        for (const Jump& j : std::as_const(f.jumps))
            a.names.insert(j.key);
    }
    // A plain GOTO whose label is there never goes on; one to a missing label is an error the run
    // passes over.
    for (LineFlow& f : a.flow)
        if (f.kind == statement::Kind::GoTo && !f.unfollowable && !f.jumps.isEmpty() &&
            a.firstLabel.contains(f.jumps.front().key))
            f.goesOn = false;
    return a;
}

// The lines before `from` that the kept lines can reach: jump targets, the lines after them they go on
// to, and the given extra starts (where pending RETURNs go back to).
std::vector<bool> reachedBefore(const Analysis& a, int from, const std::vector<int>& starts) {
    const int n = int(a.flow.size());
    std::vector<bool> kept(std::size_t(std::max(from, 0)), false);
    std::vector<int> work;
    const auto reach = [&](int i) {
        if (i >= 0 && i < from && !kept[std::size_t(i)]) {
            kept[std::size_t(i)] = true;
            work.push_back(i);
        }
    };
    const auto jumpsOf = [&](int i) {
        for (const Jump& j : a.flow[std::size_t(i)].jumps)
            reach(a.target(j));
    };
    for (int i = from; i < n; ++i)
        jumpsOf(i);
    for (const int s : starts)
        reach(s);
    while (!work.empty()) {
        const int i = work.back();
        work.pop_back();
        jumpsOf(i);
        // Going on from the line just above the chosen one lands on it: the copy keeps that order.
        if (a.flow[std::size_t(i)].goesOn) reach(i + 1);
    }
    return kept;
}

QString freshLabel(QSet<QString>& used, const QString& base) {
    QString name = base;
    for (int k = 2; used.contains(statement::nameKey(name)); ++k)
        name = base + QStringLiteral("_%1").arg(k);
    used.insert(statement::nameKey(name));
    return name;
}

// A called file's relative name as seen from another folder; other names stay as written.
QString rebased(const QString& text, const QString& name, const QString& fromFolder, const QString& toFolder) {
    if (name.isEmpty() || name.contains(u'&')) return text;
    const QString slashed = QString(name).replace(u'\\', u'/');
    static const QRegularExpression windowsRoot(QStringLiteral("^([A-Za-z]:|//)"));
    if (QDir::isAbsolutePath(slashed) || windowsRoot.match(slashed).hasMatch()) return text;
    const QString file = QDir::cleanPath(fromFolder + u'/' + slashed);
    const QString now = QDir::toNativeSeparators(QDir(toFolder).relativeFilePath(file));
    // The name stands after the last FP before any comment.
    static const QRegularExpression fp(QStringLiteral("\\bFP\\b"), QRegularExpression::CaseInsensitiveOption);
    const qsizetype commentAt = statement::commentStart(text);
    const QString code = commentAt < 0 ? text : text.left(commentAt);
    qsizetype at = -1;
    for (auto it = fp.globalMatch(code); it.hasNext();)
        at = it.next().capturedEnd();
    const qsizetype where = at < 0 ? -1 : code.indexOf(name, at);
    if (where < 0) return text;
    return QString(text).replace(where, name.size(), now);
}

QString jog(const std::array<QString, 5>& axes) {
    return linesyntax::composeAxes(u'J', {axes});
}

} // namespace

QString exactNumber(double v) {
    if (v == 0) return QStringLiteral("0");
    return QString::number(v, 'f', QLocale::FloatingPointShortest);
}

namespace {

// What the copy needs to know of the program and the state it starts from.
struct Start {
    const dryrun::LineState* state = nullptr;
    int chosen = 0; // the chosen line's index
    Analysis analysis;
    std::vector<int> backTo;  // where each pending RETURN goes back to (an index, n: past the end)
    std::vector<bool> before; // the lines before the chosen one that the copy keeps
};

Start describe(const dryrun::Program& program, const dryrun::Trace& trace, int line, std::size_t time, Copy& copy) {
    Start start;
    const auto& lines = program.lines;
    const auto at =
        std::find_if(lines.begin(), lines.end(), [&](const dryrun::SourceLine& l) { return l.number == line; });
    if (at == lines.end()) {
        copy.error = tr("Line %1 is no line of the program.").arg(line);
        return start;
    }
    if (trace.watched.empty()) {
        copy.error = tr("The dry run never reaches line %1, so where the machine stands there is not known. "
                        "No copy was made.")
                         .arg(line);
        return start;
    }
    if (time >= trace.watched.size()) {
        copy.error = tr("The dry run does not record that pass over line %1. No copy was made.").arg(line);
        return start;
    }
    const dryrun::LineState& state = trace.watched[time];
    start.state = &state;
    const int c = int(at - lines.begin());
    start.chosen = c;
    const int n = int(lines.size());
    start.analysis = analyse(program);
    const Analysis& a = start.analysis;
    const auto named = [&](int i) { return NamedLine{lines[std::size_t(i)].number, lines[std::size_t(i)].text}; };
    // Lines stand in file order, so a number is found by halving (a deep recursion asks for many).
    const auto indexOf = [&](int number) {
        const auto it = std::lower_bound(lines.begin(), lines.end(), number,
                                         [](const dryrun::SourceLine& l, int v) { return l.number < v; });
        return it != lines.end() && it->number == number ? int(it - lines.begin()) : n; // n: past the end
    };

    // Where each pending RETURN goes back to, outermost first.
    std::vector<int>& backTo = start.backTo;
    for (const int number : state.returnTo)
        backTo.push_back(indexOf(number));
    start.before = reachedBefore(a, c, backTo);

    for (int i = c; i < n; ++i)
        for (const Jump& j : a.flow[std::size_t(i)].jumps)
            if (const int t = a.target(j); t >= 0 && t <= c) {
                copy.loopJumps.append(named(i));
                break;
            }
    for (const int back : backTo) {
        const int call = back - 1;
        if (call < 0 || call >= n) continue;
        copy.goSubs.append(named(call));
        for (const Jump& j : a.flow[std::size_t(call)].jumps)
            if (j.goSub && a.target(j) >= 0) {
                copy.bodyLabels.append(named(a.target(j)));
                break;
            }
    }
    if (!backTo.empty())
        for (int i = c; i < n; ++i)
            if (a.flow[std::size_t(i)].kind == statement::Kind::Return) {
                copy.bodyReturn = named(i);
                break;
            }

    for (qsizetype k = 0; k < std::min<qsizetype>(state.notSimulatedBefore, trace.notSimulated.size()); ++k) {
        const dryrun::LineRef r = trace.notSimulated[k].source;
        const int i = r.file == 0 ? indexOf(r.line) : n;
        copy.unrestored.append({r.file == 0 ? QString() : trace.files.value(r.file), r.line,
                                i < n ? lines[std::size_t(i)].text.trimmed() : QString()});
    }
    for (qsizetype k = 0; k < std::min<qsizetype>(state.stopsBefore, trace.stops.size()); ++k)
        if (trace.stops[k].kind == dryrun::Stop::Kind::Input) copy.answeredBefore = true;
    copy.ok = true;
    return start;
}

// A comment line the dry run reads the blank, the thickness and Z zero from: "''" begins it.
bool describesSetup(const dryrun::SourceLine& l, const LineFlow& flow) {
    return flow.kind == statement::Kind::Comment && l.text.trimmed().startsWith(QLatin1String("''"));
}

} // namespace

Copy plan(const dryrun::Program& program, const dryrun::Trace& trace, int line, std::size_t time) {
    Copy copy;
    describe(program, trace, line, time, copy);
    return copy;
}

Copy fromTrace(const dryrun::Program& program, const dryrun::Trace& trace, int line, const QString& toFolder,
               std::size_t time) {
    Copy copy;
    const Start start = describe(program, trace, line, time, copy);
    if (!copy.ok) return copy;
    const auto& lines = program.lines;
    const dryrun::LineState& state = *start.state;
    const int c = start.chosen;
    const int n = int(lines.size());
    const Analysis& a = start.analysis;
    const std::vector<int>& backTo = start.backTo;
    const std::vector<bool>& before = start.before;

    // ---- The lines ----
    const auto add = [&](const QString& text, int source = 0) {
        copy.lines << text;
        copy.sourceLine.push_back(source);
    };
    // The header's comments, and the "''" lines the dry run reads the set-up from wherever they stand,
    // so the copy's run checks its cuts against the same blank and table.
    std::vector<bool> setUp(std::size_t(c), false);
    for (int i = 0; i < c; ++i) {
        const dryrun::SourceLine& l = lines[std::size_t(i)];
        const LineFlow& flow = a.flow[std::size_t(i)];
        if ((l.region == dryrun::Region::Header && flow.kind == statement::Kind::Comment) || describesSetup(l, flow)) {
            setUp[std::size_t(i)] = true;
            add(l.text, l.number);
        }
    }
    add(partfile::CreatedLine);
    add(partfile::NoticeLine);
    add(partfile::ThirdLine);
    add(QStringLiteral("' Resumes %1 from its line %2: the machine is set as the dry run had it there, then "
                       "the program goes on from that line.")
            .arg(program.name)
            .arg(line));
    for (const Copy::Unrestored& u : std::as_const(copy.unrestored))
        add(QStringLiteral("' Not repeated here, set the machine as it did: %1")
                .arg(u.file.isEmpty() ? QStringLiteral("line %1: %2").arg(u.line).arg(u.text)
                                      : QStringLiteral("%1 line %2").arg(u.file).arg(u.line)));

    double top = state.position.z;
    if (!trace.extent.empty) top = std::max(top, trace.extent.z.max);
    const dryrun::Position& p = state.position;
    add(jog({QString(), QString(), exactNumber(top)}));
    if (state.speedsSet) {
        const dryrun::AxisSpeeds& m = state.move;
        const dryrun::AxisSpeeds& j = state.jog;
        const double speeds[] = {m.xy, m.z, m.a, m.b, j.xy, j.z, j.a, j.b};
        linesyntax::SpeedFields fields;
        for (int s = 0; s < 8; ++s)
            if (state.speedsSet & (1u << s)) fields.speed[std::size_t(s)] = exactNumber(speeds[s]);
        add(linesyntax::composeSpeed(fields));
    }
    for (const auto& [name, value] : state.variables)
        add(linesyntax::composeVar({name, exactNumber(value)}));
    const bool rotary = std::any_of(trace.segments.begin(), trace.segments.end(), [](const dryrun::Segment& s) {
        return s.from.a != 0 || s.from.b != 0 || s.to.a != 0 || s.to.b != 0;
    });
    add(jog({exactNumber(p.x), exactNumber(p.y), QString(), rotary ? exactNumber(p.a) : QString(),
             rotary ? exactNumber(p.b) : QString()}));
    add(linesyntax::composeAxes(u'M', {{QString(), QString(), exactNumber(p.z)}}));

    // Pending RETURNs: a GOSUB for each, innermost last, whose RETURN is sent on to where the
    // original's would have gone back to.
    QSet<QString> used = a.names;
    const bool earlier = std::find(before.begin(), before.end(), true) != before.end();
    const QString resume = earlier || !backTo.empty() ? freshLabel(used, QStringLiteral("resume_here")) : QString();
    QHash<int, QStringList> labelsBefore; // line index (n: past the end) -> labels made here that stand before it
    for (std::size_t k = 0; k < backTo.size(); ++k) {
        const QString back = freshLabel(used, QStringLiteral("resume_return_%1").arg(k + 1));
        labelsBefore[backTo[k]] << back;
        const bool last = k + 1 == backTo.size();
        const QString enter = last ? resume : freshLabel(used, QStringLiteral("resume_call_%1").arg(k + 2));
        add(linesyntax::composeGoSub({enter}).line);
        add(linesyntax::composeGoTo({back}));
        if (!last) add(linesyntax::composeLabel({enter}));
    }
    if (backTo.empty() && earlier) add(linesyntax::composeGoTo({resume}));

    const auto original = [&](int i) {
        for (const QString& label : labelsBefore.value(i))
            add(linesyntax::composeLabel({label}));
        const dryrun::SourceLine& l = lines[std::size_t(i)];
        const QString& file = a.flow[std::size_t(i)].fileName;
        const bool moved = QDir::cleanPath(program.folder) != QDir::cleanPath(toFolder);
        add(moved && !file.isEmpty() ? rebased(l.text, file, program.folder, toFolder) : l.text, l.number);
    };
    // A comment written with the set-up already does nothing a second time.
    for (int i = 0; i < c; ++i)
        if (before[std::size_t(i)] && !setUp[std::size_t(i)]) original(i);
    if (!resume.isEmpty()) add(linesyntax::composeLabel({resume}));
    for (int i = c; i < n; ++i)
        original(i);
    for (const QString& label : labelsBefore.value(n))
        add(linesyntax::composeLabel({label}));
    return copy;
}

Copy build(const dryrun::Program& program, dryrun::Settings settings, const dryrun::Answers& answers,
           const dryrun::Loader& loader, int line, const QString& toFolder, std::size_t time) {
    settings.watchLine = line;
    return fromTrace(program, dryrun::run(program, settings, answers, loader), line, toFolder, time);
}

} // namespace resumecopy
