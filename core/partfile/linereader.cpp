#include "core/partfile/linereader.h"

#include "core/language/linesyntax.h"
#include "core/language/statement.h"
#include "core/partfile/partfile.h"

#include <algorithm>
#include <optional>

namespace linereader {

namespace {

using namespace linesyntax;
namespace st = statement;

const QString Gap = QStringLiteral("   ");

// The writer joins held text and comment with three blanks. A held text may hold that joint too, so
// the joints are tried in turn; past this many, the line reads as typed by hand, which keeps the
// reading linear in the line's length and loses nothing.
constexpr int MaxJoints = 8;

// ---- The writer's own layout: a held text the dialog composes, read back as itself ----

bool isMove(const QString& h) {
    return composeAxes(u'M', fillAxes(u'M', h)) == h;
}
bool isJog(const QString& h) {
    return composeAxes(u'J', fillAxes(u'J', h)) == h;
}
bool isSpeed(const QString& h) {
    return h.startsWith(QStringLiteral("VS, ")) && composeSpeed(fillSpeed(h)) == h;
}
bool isFileCall(const QString& h) {
    return h.startsWith(QStringLiteral("FP, ")) && composeFileCall(fillFileCall(h)) == h;
}
bool isIf(const QString& h) {
    return h.startsWith(QStringLiteral("IF ")) && composeIf(fillIf(h)) == h;
}
bool isGoTo(const QString& h) {
    return h.startsWith(QStringLiteral("GOTO ")) && composeGoTo(fillGoTo(h)) == h;
}
bool isVariable(const QString& h) {
    // A name left at its prompt gives " = " and the value alone.
    return composeVar(fillVar(h)) == h ||
           (h.startsWith(QStringLiteral(" = ")) && composeVar({QString(VarNamePrompt), h.mid(3)}) == h);
}
bool isLabel(const QString& h) {
    return h.endsWith(u':');
}
bool isGoSub(const QString& h) {
    return h.startsWith(QStringLiteral("GOSUB ")) && composeGoSub(fillGoSub(h)).line == h;
}
bool isPause(const QString& h) {
    return composePause(fillPause(h)) == h;
}

// The held text of an INPUT line as written: the one the dialog could have composed whose written
// form is this. The text as it stands comes first (a line without a variable), then the text with
// one "&" doubled. The writer takes that "&" out of the first "&" run after the prompt's closing
// quote and a blank, or else out of the first run of all, so only the first and last such runs are
// tried, the later first.
std::optional<QString> inputHeld(const QString& written) {
    const QString head = QStringLiteral("INPUT \"");
    if (!written.startsWith(head)) return std::nullopt;
    const auto composable = [](const QString& h) {
        const InputFields f = fillInput(h);
        // Without a variable the box was left at its sample, which composes to no variable at all.
        return composeInput(f) == h || composeInput({f.prompt, QString(InputVarPrompt)}) == h;
    };
    const auto fits = [&](const QString& h) { return partfile::writtenInput(h) == written && composable(h); };
    if (fits(written)) return written;
    const QString quoteAmp = QStringLiteral("\" &");
    std::vector<qsizetype> places;
    if (const qsizetype q = written.indexOf(quoteAmp, head.size()); q >= 0) places.push_back(q + 2);
    if (const qsizetype q = written.lastIndexOf(quoteAmp); q >= head.size()) places.push_back(q + 2);
    if (const qsizetype a = written.indexOf(u'&'); a >= 0) places.push_back(a);
    if (const qsizetype a = written.lastIndexOf(u'&'); a >= 0) places.push_back(a);
    std::sort(places.begin(), places.end(), std::greater<>());
    places.erase(std::unique(places.begin(), places.end()), places.end());
    for (const qsizetype i : places) {
        QString h = written;
        h.insert(i, u'&');
        if (fits(h)) return h;
    }
    return std::nullopt;
}

// The kinds with an inline comment, in the order a line is tried against them.
std::optional<LoadedLine> withComment(const QString& held, const QString& comment) {
    struct Test {
        Kind kind;
        bool (*is)(const QString&);
    };
    static constexpr Test Tests[] = {{Kind::FileCall, isFileCall}, {Kind::Speed, isSpeed}, {Kind::Move, isMove},
                                     {Kind::Jog, isJog},           {Kind::IfThen, isIf},   {Kind::GoTo, isGoTo},
                                     {Kind::Variable, isVariable}, {Kind::Label, isLabel}};
    // An empty held text (a Move or Jog with no axis) is too unclear to claim: it stays a free command.
    if (held.isEmpty()) return std::nullopt;
    if (auto h = inputHeld(held)) return LoadedLine{Kind::Input, *h, comment};
    for (const Test& t : Tests)
        if (t.is(held)) return LoadedLine{t.kind, held, comment};
    return std::nullopt;
}

// The block a line in the writer's layout reads as; a free command when it is in no such layout.
LoadedLine composedForm(const QString& line) {
    if (line == QLatin1String("END")) return {Kind::End, line, {}};
    if (line == QLatin1String("RETURN")) return {Kind::Return, line, {}};
    if (isGoSub(line)) return {Kind::GoSub, line, {}};
    if (line.startsWith(u'\'')) return {Kind::Comment, line, {}};
    if (isPause(line)) return {Kind::Pause, line, {}};
    // The writer joins held text and comment with three blanks, and a comment begins with "'": the
    // first such joint splits the line; a line ending in three blanks has an empty comment.
    const QString joint = Gap + u'\'';
    int tried = 0;
    for (qsizetype at = line.indexOf(joint); at >= 0 && tried < MaxJoints; at = line.indexOf(joint, at + 1), ++tried)
        if (auto l = withComment(line.left(at), line.mid(at + Gap.size()))) return *l;
    if (line.endsWith(Gap))
        if (auto l = withComment(line.chopped(Gap.size()), QString())) return *l;
    return {Kind::Blank, line, {}};
}

// ---- What the router reads ----

Kind blockKind(st::Kind k) {
    switch (k) {
    case st::Kind::Move:
        return Kind::Move;
    case st::Kind::Jog:
        return Kind::Jog;
    case st::Kind::Speed:
        return Kind::Speed;
    case st::Kind::FileCall:
        return Kind::FileCall;
    case st::Kind::If:
        return Kind::IfThen;
    case st::Kind::GoTo:
        return Kind::GoTo;
    case st::Kind::GoSub:
        return Kind::GoSub;
    case st::Kind::Return:
        return Kind::Return;
    case st::Kind::End:
        return Kind::End;
    case st::Kind::Label:
        return Kind::Label;
    case st::Kind::Assign:
        return Kind::Variable;
    case st::Kind::Input:
        return Kind::Input;
    case st::Kind::Pause:
        return Kind::Pause;
    case st::Kind::Comment:
        return Kind::Comment;
    case st::Kind::Empty:
    case st::Kind::Unknown:
        break;
    }
    return Kind::Blank;
}

// A line that begins with a command word (or sets a variable) is that command, whatever else it
// looks like: "GOSUB pass:" is never a label.
bool keywordDecides(st::Kind k) {
    return k != st::Kind::Empty && k != st::Kind::Comment && k != st::Kind::Label && k != st::Kind::Unknown;
}

// The block for what the router reads, with held text and comment in the dialog's layout; nothing
// when no dialog composes it.
std::optional<LoadedLine> typedForm(const st::Statement& s, const QString& line) {
    const bool commented = s.commentAt >= 0;
    const QString comment = commented ? line.mid(s.commentAt) : QString();
    const auto block = [&](Kind k, const QString& held) -> std::optional<LoadedLine> {
        if (held.isEmpty()) return std::nullopt;
        return LoadedLine{k, held, kinds::info(k).hasComment ? comment : QString()};
    };
    switch (s.kind) {
    case st::Kind::Comment:
        return LoadedLine{Kind::Comment, comment, {}};
    case st::Kind::Move:
    case st::Kind::Jog: {
        const bool move = s.kind == st::Kind::Move;
        AxisFields f;
        std::copy(s.axes.begin(), s.axes.end(), f.axis.begin());
        return block(move ? Kind::Move : Kind::Jog, composeAxes(move ? u'M' : u'J', f));
    }
    case st::Kind::Speed: {
        SpeedFields f;
        std::copy(s.speeds.begin(), s.speeds.end(), f.speed.begin());
        return block(Kind::Speed, composeSpeed(f));
    }
    case st::Kind::FileCall: {
        // The dialog offers the three modes; any other is kept as typed, in a free command.
        if (s.offset == st::Offset::Odd) return std::nullopt;
        const OffsetMode mode = s.offset == st::Offset::TwoD     ? OffsetMode::Offset2d
                                : s.offset == st::Offset::ThreeD ? OffsetMode::Offset3d
                                                                 : OffsetMode::None;
        return block(Kind::FileCall, composeFileCall({s.file, mode}));
    }
    case st::Kind::If:
        // A "?" would read as the box's untouched sample and be dropped.
        if (!s.then || s.test == IfPrompt || s.thenText == IfPrompt) return std::nullopt;
        return block(Kind::IfThen, composeIf({undoubleAmpersands(s.test), undoubleAmpersands(s.thenText)}));
    case st::Kind::GoTo:
        if (s.label.isEmpty()) return std::nullopt;
        return block(Kind::GoTo, composeGoTo({s.label}));
    case st::Kind::GoSub:
        // A GOSUB block has no comment label: one with a comment stays whole as a free command.
        if (s.label.isEmpty() || commented) return std::nullopt;
        return block(Kind::GoSub, composeGoSub({s.label}).line);
    case st::Kind::Label:
        if (s.label.isEmpty()) return std::nullopt;
        return block(Kind::Label, composeLabel({s.label}));
    case st::Kind::Assign:
        if (s.variable.isEmpty() || s.variable == VarNamePrompt || s.value == VarValuePrompt) return std::nullopt;
        return block(Kind::Variable, composeVar({s.variable, s.value}));
    case st::Kind::Input:
        if (s.prompt == InputPromptPrompt) return std::nullopt;
        return block(Kind::Input,
                     composeInput({s.prompt, s.variable.isEmpty() ? QString(InputVarPrompt) : s.variable}));
    case st::Kind::Pause:
        if (commented || s.value == PausePrompt) return std::nullopt;
        return block(Kind::Pause, composePause({s.value}));
    // No dialog: the block writes its word, and the line as read keeps what followed it.
    case st::Kind::End:
        return block(Kind::End, QStringLiteral("END"));
    case st::Kind::Return:
        return block(Kind::Return, QStringLiteral("RETURN"));
    case st::Kind::Empty:
    case st::Kind::Unknown:
        break;
    }
    return std::nullopt;
}

QString composed(const LoadedLine& l) {
    return partfile::composeLine(l.kind, l.held, l.comment).value_or(QString());
}

// Whether the block, once edited and saved, reads back as itself and as the same command.
bool readsBack(const LoadedLine& l) {
    const QString line = composed(l);
    const LoadedLine again = composedForm(line);
    if (again.kind != l.kind || again.held != l.held || again.comment != l.comment) return false;
    const st::Kind k = st::parse(line).kind;
    return !keywordDecides(k) || blockKind(k) == l.kind;
}

} // namespace

LoadedLine read(const QString& text, const QByteArray& bytes) {
    const st::Statement s = st::parse(text);
    const LoadedLine exact = composedForm(text);
    if (exact.kind != Kind::Blank && (!keywordDecides(s.kind) || blockKind(s.kind) == exact.kind)) return exact;
    std::optional<LoadedLine> typed = typedForm(s, text);
    if (!typed || !readsBack(*typed)) return {Kind::Blank, text, {}};
    if (composed(*typed) != text) {
        typed->written = bytes;
        typed->writtenText = text;
    }
    return *typed;
}

QString lineOf(const LoadedLine& line) {
    return line.written.isEmpty() ? composed(line) : line.writtenText;
}

void pairGoSubs(std::vector<LoadedLine>& lines) {
    const auto toFree = [](LoadedLine& l) {
        l.held = lineOf(l);
        l.kind = Kind::Blank;
        l.comment.clear();
        l.written.clear();
        l.writtenText.clear();
    };
    std::vector<int> open;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        LoadedLine& l = lines[i];
        if (l.kind == Kind::GoSub) {
            open.push_back(static_cast<int>(i));
        } else if (l.kind == Kind::Return) {
            if (open.empty()) {
                toFree(l);
            } else {
                l.goSub = open.back();
                open.pop_back();
            }
        }
    }
    for (int g : open)
        toFree(lines[static_cast<std::size_t>(g)]);

    const auto key = [](const QString& held) { return st::nameKey(st::labelName(held)); };
    const auto n = static_cast<int>(lines.size());
    for (int g = 0; g < n; ++g) {
        if (lines[static_cast<std::size_t>(g)].kind != Kind::GoSub) continue;
        const QString label = key(composeGoSub(fillGoSub(lines[static_cast<std::size_t>(g)].held)).label);
        const auto takes = [&](int i) {
            LoadedLine& l = lines[static_cast<std::size_t>(i)];
            if (l.kind != Kind::Label || l.goSubLabel || key(l.held) != label) return false;
            l.goSubLabel = true;
            return true;
        };
        bool found = false;
        for (int i = g + 1; i < n && !found; ++i)
            found = takes(i);
        for (int i = g - 1; i >= 0 && !found; --i)
            found = takes(i);
    }
}

} // namespace linereader
