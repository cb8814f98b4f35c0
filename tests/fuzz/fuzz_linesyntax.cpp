// Any text as held text, filled into the boxes of every kind and composed again; and any texts as
// boxes, composed and filled back. Nothing crashes, and a composed line survives an edit closed at
// once with Done: composing what the fill gives back yields the same held text (with the few
// exceptions the dialogs document: an untouched prompt box, a box that only becomes the prompt by
// trimming, an axis box that starts with the field separator, an axis or speed box with blanks at
// its ends), and the boxes come back as typed, those two trimmed, wherever no box holds the separator
// itself.
//
// No composed line ever holds a line break or another control character when its boxes went through
// textfile::oneLine, as every one-line box does; and a line holding raw ones is refused by the
// part-file writer, which then writes nothing.
//
// Input: a mode byte (bit 0: one byte per character, else UTF-16 code units), then the text; NUL
// characters divide it into box texts for the compose-first half.
#include "fuzzsupport.h"

#include "core/language/linesyntax.h"
#include "core/panel/programmodel.h"
#include "core/partfile/partfile.h"
#include "core/textfile.h"

#include <algorithm>
#include <cstring>

using namespace linesyntax;

namespace {

const QString Sep = QStringLiteral(", ");

void same(const QString& got, const QString& expected, const char* what) {
    if (got != expected) fuzz::fail(what, "expected \"" + expected.toUtf8() + "\"\n     got \"" + got.toUtf8() + "\"");
}

// Only becomes the prompt once trimmed: such a box is dropped on a second Done.
bool becomesPrompt(const QString& s, QLatin1String prompt) {
    return s != prompt && s.trimmed() == prompt;
}

template <std::size_t N> bool anyBox(const std::array<QString, N>& boxes, bool (*test)(const QString&)) {
    return std::any_of(boxes.begin(), boxes.end(), test);
}
bool startsWithSep(const QString& s) {
    return s.startsWith(Sep);
}
bool holdsSep(const QString& s) {
    return s.contains(Sep);
}

bool padded(const QString& s) {
    return s != s.trimmed();
}
// Blanks around a field are not part of it: the boxes come back trimmed.
template <std::size_t N> std::array<QString, N> trimmedBoxes(const std::array<QString, N>& boxes) {
    std::array<QString, N> out;
    for (std::size_t i = 0; i < N; ++i)
        out[i] = boxes[i].trimmed();
    return out;
}

void axes(QChar command, const AxisFields& f) {
    const QString held = composeAxes(command, f);
    const AxisFields back = fillAxes(command, held);
    // A box beginning with ", " can hide the boxes before it from the axis rule.
    if (!anyBox(f.axis, startsWithSep) && !anyBox(f.axis, padded) && !anyBox(f.axis, holdsSep))
        same(composeAxes(command, back), held, "axes: held text changed by an edit");
    if (!anyBox(f.axis, holdsSep) && back.axis != trimmedBoxes(f.axis))
        fuzz::fail("axes: boxes changed by an edit", held.toUtf8());
}

void speed(const SpeedFields& f) {
    const QString held = composeSpeed(f);
    const SpeedFields back = fillSpeed(held);
    // A box holding the separator moves the later fields, and its blanks then fall at a field's end.
    if (!anyBox(f.speed, padded) && !anyBox(f.speed, holdsSep))
        same(composeSpeed(back), held, "speed: held text changed by an edit");
    if (!anyBox(f.speed, holdsSep) && back.speed != trimmedBoxes(f.speed))
        fuzz::fail("speed: boxes changed by an edit", held.toUtf8());
}

void fileCall(const FileCallFields& f) {
    const QString held = composeFileCall(f);
    const FileCallFields back = fillFileCall(held);
    same(back.fileName, f.fileName, "file call: the name changed by an edit");
    same(offsetModeText(back.offsetMode), offsetModeText(f.offsetMode), "file call: the mode changed by an edit");
}

void ifThen(const IfFields& f) {
    if (becomesPrompt(f.test, IfPrompt) || becomesPrompt(f.statement, IfPrompt)) return;
    const QString held = composeIf(f);
    same(composeIf(fillIf(held)), held, "IF: held text changed by an edit");
}

void oneField(const QString& t) {
    same(composeLabel(fillLabel(composeLabel({t}))), composeLabel({t}), "label: changed by an edit");
    const GoSubTexts gosub = composeGoSub({t});
    const GoSubTexts back = composeGoSub(fillGoSub(gosub.line));
    same(back.line, gosub.line, "GOSUB: line changed by an edit");
    same(back.label, gosub.label, "GOSUB: label changed by an edit");
    same(composePause(fillPause(composePause({t}))), composePause({t}), "PAUSE: changed by an edit");
    same(composeBlank(fillBlank(composeBlank({t}))), composeBlank({t}), "blank: changed by an edit");
    // An untouched GOTO or Comment box leaves an empty text, which comes back as "GOTO :" and "'".
    same(composeGoTo(fillGoTo(composeGoTo({t}))), t == GoToPrompt ? QStringLiteral("GOTO :") : composeGoTo({t}),
         "GOTO: changed by an edit");
    same(composeComment(fillComment(composeComment({t}))),
         t == CommentPrompt ? QStringLiteral("'") : composeComment({t}), "comment: changed by an edit");
}

void variable(const VarFields& f) {
    const QString held = composeVar(f);
    // An untouched name box leaves no name; the edit gives the name "&&" back.
    same(composeVar(fillVar(held)), f.name == VarNamePrompt ? QStringLiteral("&&") + held : held,
         "variable: changed by an edit");
}

void input(const InputFields& f) {
    if (becomesPrompt(f.prompt, InputPromptPrompt) || becomesPrompt(f.variable, InputVarPrompt)) return;
    const QString held = composeInput(f);
    same(composeInput(fillInput(held)), f.variable == InputVarPrompt ? held + QStringLiteral("&&") : held,
         "INPUT: changed by an edit");
}

void helpers(const QString& s) {
    same(undoubleAmpersands(doubleAmpersands(s)), s, "ampersands: undoubling does not undo doubling");
    for (int parts = 1; parts <= 9; parts += 4) {
        const QStringList split = splitAtMost(s, Sep, parts);
        if (split.size() > parts) fuzz::fail("splitAtMost: too many parts", s.toUtf8());
        same(split.join(Sep), s, "splitAtMost: pieces do not join back");
    }
}

// Every kind's fill on an arbitrary held text, then the round trip of what it gave back.
void fillFirst(const QString& held) {
    for (QChar command : {QChar(u'M'), QChar(u'J')})
        axes(command, fillAxes(command, held));
    speed(fillSpeed(held));
    fileCall(fillFileCall(held));
    ifThen(fillIf(held));
    oneField(fillLabel(held).name);
    oneField(fillGoTo(held).name);
    oneField(fillGoSub(held).name);
    oneField(fillPause(held).time);
    variable(fillVar(held));
    input(fillInput(held));
}

// Arbitrary box texts, the prompts among them as often as anything else.
void composeFirst(const QStringList& texts) {
    int next = 0;
    const auto box = [&]() -> QString {
        const QString t = texts.at(next++ % texts.size());
        // A box text "\x01".."\x09" stands for one of the prompts, so the fuzzer reaches them.
        static const QLatin1String prompts[] = {IfPrompt,          VarNamePrompt,  VarValuePrompt,
                                                InputPromptPrompt, InputVarPrompt, GoToPrompt,
                                                CommentPrompt,     PausePrompt,    BlankPrompt};
        if (t.size() == 1 && t[0].unicode() >= 1 && t[0].unicode() <= 9) return prompts[t[0].unicode() - 1];
        return t;
    };
    for (QChar command : {QChar(u'M'), QChar(u'J')}) {
        AxisFields a;
        for (QString& s : a.axis)
            s = box();
        axes(command, a);
    }
    SpeedFields s;
    for (QString& b : s.speed)
        b = box();
    speed(s);
    const OffsetMode modes[] = {OffsetMode::None, OffsetMode::Offset2d, OffsetMode::Offset3d};
    fileCall({box(), modes[next % 3]});
    ifThen({box(), box()});
    oneField(box());
    variable({box(), box()});
    input({box(), box()});
}

// Every kind's held text composed from the same boxes, and the line written for it.
void noBreaks(const QStringList& texts) {
    for (const bool clean : {true, false}) {
        int next = 0;
        const auto box = [&]() -> QString {
            const QString t = texts.at(next++ % texts.size());
            return clean ? textfile::oneLine(t) : t;
        };
        QList<QPair<Kind, QString>> held;
        AxisFields a;
        for (QString& s : a.axis)
            s = box();
        held << qMakePair(Kind::Move, composeAxes(u'M', a)) << qMakePair(Kind::Jog, composeAxes(u'J', a));
        SpeedFields sp;
        for (QString& s : sp.speed)
            s = box();
        held << qMakePair(Kind::Speed, composeSpeed(sp));
        held << qMakePair(Kind::FileCall, composeFileCall({box(), OffsetMode::None}));
        held << qMakePair(Kind::IfThen, composeIf({box(), box()}));
        held << qMakePair(Kind::Label, composeLabel({box()})) << qMakePair(Kind::GoTo, composeGoTo({box()}));
        const GoSubTexts gosub = composeGoSub({box()});
        held << qMakePair(Kind::GoSub, gosub.line) << qMakePair(Kind::Label, gosub.label);
        held << qMakePair(Kind::Variable, composeVar({box(), box()}))
             << qMakePair(Kind::Input, composeInput({box(), box()}));
        held << qMakePair(Kind::Pause, composePause({box()})) << qMakePair(Kind::Comment, composeComment({box()}))
             << qMakePair(Kind::Blank, composeBlank({box()}));
        const QString comment = composeInlineComment(box());
        for (const auto& [kind, text] : held) {
            const std::optional<QString> line = partfile::composeLine(kind, text, comment);
            const bool breaks = textfile::breaksLine(text) || (line && textfile::breaksLine(*line));
            if (clean) {
                if (breaks) fuzz::fail("a line composed from one-line boxes holds a break", text.toUtf8());
                continue;
            }
            if (!breaks || !line) continue;
            ProgramModel panel([](const QString& s) { return 6 * int(s.size()); });
            if (!panel.add(kind, text, comment)) continue;
            const QString path = fuzz::freshWorkDir().filePath(QStringLiteral("part.cvp"));
            const FileResult r = partfile::write(path, panel, {});
            fuzz::check(!r.ok && !QFile::exists(path), "the writer wrote a line holding a break", line->toUtf8());
            break; // one write per input keeps the runs fast
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in{data, size};
    const uint8_t mode = in.byte();
    const QByteArray bytes = in.rest();
    QString text;
    if (mode & 1) {
        text = QString::fromLatin1(bytes);
    } else {
        text.resize(bytes.size() / 2);
        std::memcpy(text.data(), bytes.constData(), static_cast<std::size_t>(text.size()) * 2);
    }
    helpers(text);
    fillFirst(text);
    composeFirst(text.split(QChar(0)));
    noBreaks(text.split(QChar(0)));
    return 0;
}
