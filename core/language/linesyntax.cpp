#include "core/language/linesyntax.h"

#include <QDir>

namespace linesyntax {

namespace {

const QString FieldSep = QStringLiteral(", ");

QString joinFields(const QString* first, int count) {
    QString out;
    for (int i = 0; i < count; ++i) {
        if (i > 0) out += FieldSep;
        out += first[i];
    }
    return out;
}

// The fields after a line's command name: everything after its first ",", less the one blank
// the composition put there.
QString afterCommandName(const QString& held) {
    const qsizetype comma = held.indexOf(u',');
    if (comma < 0) return {};
    QString rest = held.mid(comma + 1);
    if (rest.startsWith(u' ')) rest.remove(0, 1);
    return rest;
}

QString withColon(const QString& s) {
    return s.endsWith(u':') ? s : s + u':';
}

} // namespace

QStringList splitAtMost(const QString& s, const QString& sep, int parts) {
    QStringList out;
    qsizetype from = 0;
    while (out.size() + 1 < parts) {
        const qsizetype at = s.indexOf(sep, from);
        if (at < 0) break;
        out << s.mid(from, at - from);
        from = at + sep.size();
    }
    out << s.mid(from);
    return out;
}

QString doubleAmpersands(const QString& s) {
    QString out;
    out.reserve(s.size() * 2);
    for (QChar c : s) {
        out += c;
        if (c == u'&') out += c;
    }
    return out;
}

QString undoubleAmpersands(const QString& s) {
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        out += s[i];
        if (s[i] == u'&' && i + 1 < s.size() && s[i + 1] == u'&') ++i;
    }
    return out;
}

QString composeAxes(QChar command, const AxisFields& f) {
    const auto filled = [&f](int i) { return !f.axis[i].isEmpty(); };
    const QString c(command);
    // Rows tested from the highest axis down; the first that applies wins.
    if (filled(4)) return c + QStringLiteral("5, ") + joinFields(f.axis.data(), 5);
    if (filled(3)) return c + QStringLiteral("4, ") + joinFields(f.axis.data(), 4);
    if (filled(2)) {
        if (filled(0) || filled(1)) return c + QStringLiteral("3, ") + joinFields(f.axis.data(), 3);
        return c + QStringLiteral("Z, , , ") + f.axis[2];
    }
    if (filled(1)) {
        if (filled(0)) return c + QStringLiteral("2, ") + joinFields(f.axis.data(), 2);
        return c + QStringLiteral("Y, , ") + f.axis[1];
    }
    if (filled(0)) return c + QStringLiteral("X, ") + f.axis[0];
    return {};
}

AxisFields fillAxes(QChar command, const QString& held) {
    AxisFields f;
    const qsizetype comma = held.indexOf(u',');
    const QString name = comma < 0 ? held : held.left(comma);
    if (name.size() != 2 || name[0] != command) return f;
    int count = 0;   // fields written from X up
    int single = -1; // the one axis of MX, MY, MZ
    switch (name[1].unicode()) {
    case u'5':
        count = 5;
        break;
    case u'4':
        count = 4;
        break;
    case u'3':
        count = 3;
        break;
    case u'2':
        count = 2;
        break;
    case u'Z':
        single = 2;
        break;
    case u'Y':
        single = 1;
        break;
    case u'X':
        single = 0;
        break;
    default:
        return f;
    }
    // Blanks around a field are not part of it: a box must not reopen holding a blank nobody can
    // see, which Done would count as filled.
    const QString rest = afterCommandName(held);
    if (single >= 0) {
        // Empty fields keep the value in its axis's position; whatever follows them is the value.
        f.axis[single] = splitAtMost(rest, FieldSep, single + 1).constLast().trimmed();
        return f;
    }
    const QStringList parts = splitAtMost(rest, FieldSep, count);
    for (int i = 0; i < parts.size(); ++i)
        f.axis[i] = parts[i].trimmed();
    return f;
}

QString composeSpeed(const SpeedFields& f) {
    return QStringLiteral("VS, ") + joinFields(f.speed.data(), 8);
}

SpeedFields fillSpeed(const QString& held) {
    SpeedFields f;
    if (!held.contains(u',')) return f;
    const QStringList parts = splitAtMost(afterCommandName(held), FieldSep, 8);
    for (int i = 0; i < parts.size(); ++i)
        f.speed[i] = parts[i].trimmed(); // as the axis boxes
    return f;
}

QLatin1String offsetModeText(OffsetMode mode) {
    switch (mode) {
    case OffsetMode::None:
        return QLatin1String("0");
    case OffsetMode::Offset2d:
        return QLatin1String("2");
    case OffsetMode::Offset3d:
        break;
    }
    return QLatin1String("1");
}

QString composeFileCall(const FileCallFields& f) {
    return QStringLiteral("FP, ") + f.fileName + QStringLiteral(",,,,, ") + offsetModeText(f.offsetMode);
}

FileCallFields fillFileCall(const QString& held) {
    FileCallFields f;
    // The mode is the last field, so a comma in the file name cannot shift it.
    const qsizetype lastComma = held.lastIndexOf(u',');
    const QString mode = lastComma < 0 ? QString() : held.mid(lastComma + 1).trimmed();
    f.offsetMode = mode == offsetModeText(OffsetMode::None)       ? OffsetMode::None
                   : mode == offsetModeText(OffsetMode::Offset2d) ? OffsetMode::Offset2d
                                                                  : OffsetMode::Offset3d;
    const QString head = QStringLiteral("FP, ");
    const qsizetype tail = held.lastIndexOf(QStringLiteral(",,,,, "));
    if (held.startsWith(head) && tail >= head.size()) f.fileName = held.mid(head.size(), tail - head.size());
    return f;
}

std::optional<QString> relativeToFolder(const QString& path, const QString& folder, Qt::CaseSensitivity cs) {
    if (folder.isEmpty()) return std::nullopt;
    const QString full = QDir::toNativeSeparators(path);
    QString base = QDir::toNativeSeparators(folder);
    // Compare whole folder names: C:\jobs\sign must not claim C:\jobs\signs\x.cvp.
    if (!base.endsWith(u'/') && !base.endsWith(u'\\')) base += QDir::separator();
    if (!full.startsWith(base, cs) || full.size() == base.size()) return std::nullopt;
    return full.mid(base.size());
}

QString composeIf(const IfFields& f) {
    const auto part = [](const QString& s) { return s == IfPrompt ? QString() : doubleAmpersands(s.trimmed()); };
    return QStringLiteral("IF ") + part(f.test) + QStringLiteral(" THEN ") + part(f.statement);
}

IfFields fillIf(const QString& held) {
    const QStringView body = held.startsWith(QStringLiteral("IF ")) ? QStringView(held).sliced(3) : QStringView(held);
    const QStringView then = u" THEN ";
    // The composition trims both parts and drops a bare "?", so where a test itself holds " THEN "
    // the split that the composition could have made is the one to take; the first " THEN " otherwise.
    // Each candidate is judged by its ends alone, so a line of many THENs still reads in linear time.
    const auto couldBeComposed = [](QStringView part) {
        return (part.isEmpty() || (!part.front().isSpace() && !part.back().isSpace())) && part != IfPrompt;
    };
    qsizetype at = body.indexOf(then);
    for (qsizetype candidate = at; candidate >= 0; candidate = body.indexOf(then, candidate + 1)) {
        if (couldBeComposed(body.first(candidate)) && couldBeComposed(body.sliced(candidate + then.size()))) {
            at = candidate;
            break;
        }
    }
    if (at < 0 && body.endsWith(then.chopped(1))) at = body.size() - (then.size() - 1);
    IfFields f;
    f.test = undoubleAmpersands((at < 0 ? body : body.first(at)).toString());
    // A line ending in " THEN" has no blank after it, so nothing follows the split.
    const qsizetype rest = at + then.size();
    f.statement = at < 0 || rest > body.size() ? QString() : undoubleAmpersands(body.sliced(rest).toString());
    return f;
}

QString composeLabel(const LabelFields& f) {
    return withColon(f.name);
}

LabelFields fillLabel(const QString& held) {
    return {held};
}

QString composeGoTo(const GoToFields& f) {
    if (f.name == GoToPrompt) return {};
    return withColon(QStringLiteral("GOTO ") + f.name);
}

GoToFields fillGoTo(const QString& held) {
    const QString head = QStringLiteral("GOTO ");
    return {held.startsWith(head) ? held.mid(head.size()) : held};
}

GoSubTexts composeGoSub(const GoSubFields& f) {
    const QString label = withColon(f.name);
    return {QStringLiteral("GOSUB ") + label, label};
}

GoSubFields fillGoSub(const QString& held) {
    const QString head = QStringLiteral("GOSUB ");
    return {held.startsWith(head) ? held.mid(head.size()) : held};
}

QString composeVar(const VarFields& f) {
    QString name;
    if (f.name != VarNamePrompt) name = (f.name.startsWith(u'&') ? QStringLiteral("&") : QStringLiteral("&&")) + f.name;
    const QString value = f.value == VarValuePrompt ? QString() : f.value;
    return name + QStringLiteral(" = ") + value;
}

VarFields fillVar(const QString& held) {
    // The first " = " is the one the composition wrote unless the name itself holds one; a value
    // such as "a = b" stays whole.
    const QString sep = QStringLiteral(" = ");
    const qsizetype at = held.indexOf(sep);
    const QString name = at < 0 ? held : held.left(at);
    VarFields f;
    f.name = name.startsWith(u'&') ? name.mid(1) : name;
    f.value = at < 0 ? QString() : held.mid(at + sep.size());
    return f;
}

QString composeInput(const InputFields& f) {
    const QString prompt = f.prompt == InputPromptPrompt ? QString() : f.prompt.trimmed();
    QString var;
    if (f.variable != InputVarPrompt) {
        const QString name = f.variable.trimmed();
        var = (name.startsWith(u'&') ? QStringLiteral("&") : QStringLiteral("&&")) + name;
    }
    return QStringLiteral("INPUT \"") + prompt + QStringLiteral("\" ") + var;
}

InputFields fillInput(const QString& held) {
    const QString head = QStringLiteral("INPUT \"");
    const QString body = held.startsWith(head) ? held.mid(head.size()) : held;
    // The variable part is empty or begins with "&&", so the prompt ends at the last quote that is
    // followed by a blank and then by "&&" or nothing: a quote typed inside the prompt stays in it.
    // The composition trims the prompt, so where the variable itself holds such a quote, a split
    // that leaves blanks at the prompt's end cannot be the one it made: take an earlier one.
    QString prompt;
    QString varPart;
    const QString quoteVar = QStringLiteral("\" &&");
    qsizetype beforeVar = body.lastIndexOf(quoteVar);
    // Judged by its ends alone, so a prompt of many such quotes still reads in linear time.
    for (qsizetype at = beforeVar; at >= 0; at = at > 0 ? body.lastIndexOf(quoteVar, at - 1) : -1) {
        const QStringView candidate = QStringView(body).first(at);
        if (candidate.isEmpty() || (!candidate.front().isSpace() && !candidate.back().isSpace())) {
            beforeVar = at;
            break;
        }
    }
    if (body.endsWith(QStringLiteral("\" "))) {
        prompt = body.chopped(2);
    } else if (beforeVar >= 0) {
        prompt = body.left(beforeVar);
        varPart = body.mid(beforeVar + 2);
    } else {
        const qsizetype quote = body.lastIndexOf(u'"');
        prompt = quote < 0 ? body : body.left(quote);
        varPart = quote < 0 ? QString() : body.mid(quote + 1).trimmed();
    }
    InputFields f;
    f.prompt = prompt;
    f.variable = varPart.startsWith(u'&') ? varPart.mid(1) : varPart;
    // Shown as "&MyVar" the name would read as the untouched sample on Done and be dropped; without
    // its "&" it composes to the same "&&MyVar".
    if (f.variable == InputVarPrompt) f.variable.remove(0, 1);
    return f;
}

QString composePause(const PauseFields& f) {
    if (f.time.isEmpty() || f.time == PausePrompt) return QStringLiteral("PAUSE");
    return QStringLiteral("PAUSE, ") + f.time;
}

PauseFields fillPause(const QString& held) {
    const QString head = QStringLiteral("PAUSE, ");
    if (held.startsWith(head)) return {held.mid(head.size())};
    const qsizetype comma = held.indexOf(u',');
    return {comma < 0 ? QString() : held.mid(comma + 1).trimmed()};
}

QString composeComment(const CommentFields& f) {
    if (f.text == CommentPrompt) return {};
    return f.text.startsWith(u'\'') ? f.text : u'\'' + f.text;
}

CommentFields fillComment(const QString& held) {
    return {held};
}

QString composeBlank(const BlankFields& f) {
    return f.text == BlankPrompt ? QString() : f.text;
}

BlankFields fillBlank(const QString& held) {
    return {held};
}

QString composeInlineComment(const QString& typed) {
    if (typed.isEmpty() || typed.startsWith(u'\'')) return typed;
    return u'\'' + typed;
}

} // namespace linesyntax
