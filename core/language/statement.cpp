#include "core/language/statement.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace statement {

namespace {

// IF .. THEN IF .. THEN ..: a THEN statement nested deeper than this reads as Unknown, so a long
// hostile line cannot recurse without bound.
constexpr int MaxNesting = 8;

bool isBlank(QChar c) {
    return c.isSpace();
}

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

// What may follow a command word: "MX,2", "IF(", "GOSUB:", "INPUT\"", "END".
bool endsWord(QStringView held, qsizetype at) {
    if (at == held.size()) return true;
    const QChar c = held[at];
    return isBlank(c) || c == u',' || c == u':' || c == u'"' || c == u'(' || c == u'&';
}

struct Word {
    Kind kind = Kind::Unknown;
    int single = -1; // MX, MY, MZ: the one axis
    int places = 0;  // fields the command takes
};

Word keyword(QStringView w) {
    if (w.size() == 2) {
        const char16_t a = w[0].toUpper().unicode();
        const char16_t b = w[1].toUpper().unicode();
        if (a == u'M' || a == u'J') {
            const Kind k = a == u'M' ? Kind::Move : Kind::Jog;
            switch (b) {
            case u'X':
                return {k, 0, 1};
            case u'Y':
                return {k, 1, 2};
            case u'Z':
                return {k, 2, 3};
            case u'2':
            case u'3':
            case u'4':
            case u'5':
                return {k, -1, b - u'0'};
            default:
                return {};
            }
        }
    }
    static const struct {
        QStringView word;
        Kind kind;
        int places;
    } words[] = {
        {u"VS", Kind::Speed, SpeedCount}, {u"FP", Kind::FileCall, 0}, {u"IF", Kind::If, 0},
        {u"GOTO", Kind::GoTo, 0},         {u"GOSUB", Kind::GoSub, 0}, {u"RETURN", Kind::Return, 0},
        {u"END", Kind::End, 0},           {u"INPUT", Kind::Input, 0}, {u"PAUSE", Kind::Pause, 0},
    };
    for (const auto& k : words)
        if (w.compare(k.word, Qt::CaseInsensitive) == 0) return {k.kind, -1, k.places};
    return {};
}

// The text after a command word: leading blanks and one comma dropped. comma tells whether there was one.
QStringView arguments(QStringView rest, bool* comma = nullptr) {
    qsizetype i = 0;
    while (i < rest.size() && isBlank(rest[i]))
        ++i;
    const bool hasComma = i < rest.size() && rest[i] == u',';
    if (comma) *comma = hasComma;
    return rest.sliced(hasComma ? i + 1 : i);
}

// Calls f(index, trimmed field) for each comma-separated field; returns the count. No fields at all
// when the text is blank and no comma stood before it.
template <typename F> int forEachField(QStringView args, bool comma, F f) {
    if (!comma && args.trimmed().isEmpty()) return 0;
    int n = 0;
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = args.indexOf(u',', from);
        const qsizetype end = at < 0 ? args.size() : at;
        f(n++, args.sliced(from, end - from).trimmed());
        if (at < 0) return n;
        from = at + 1;
    }
}

void readAxes(Statement& s, const Word& w, QStringView args, bool comma) {
    s.valuesTaken = w.places;
    int nonBlank = 0;
    QStringView atSingle, last;
    const int given = forEachField(args, comma, [&](int i, QStringView field) {
        if (field.isEmpty()) {
            if (i < 32) s.blankFields |= 1u << i;
        } else {
            ++nonBlank;
        }
        if (w.single >= 0) {
            if (i == w.single) atSingle = field;
            last = field;
        } else if (i < w.places) {
            s.axes[i] = field.toString();
        }
    });
    s.valuesGiven = given;
    if (w.single >= 0) {
        // The padding fields keep the value in its axis's place; "MY, 2" still means Y.
        const QStringView value = given > w.single ? atSingle : last;
        s.axes[w.single] = value.toString();
        s.ignoredValues = nonBlank - (value.isEmpty() ? 0 : 1) > 0;
    } else {
        int read = 0;
        for (int i = 0; i < w.places; ++i)
            read += s.axes[i].isEmpty() ? 0 : 1;
        s.ignoredValues = nonBlank > read;
    }
}

void readSpeeds(Statement& s, QStringView args, bool comma) {
    s.valuesTaken = SpeedCount;
    s.valuesGiven = forEachField(args, comma, [&](int i, QStringView field) {
        if (field.isEmpty() && i < 32) s.blankFields |= 1u << i;
        if (i < SpeedCount)
            s.speeds[i] = field.toString();
        else if (!field.isEmpty())
            s.ignoredValues = true;
    });
}

// "FP, FILE,,,,, MODE". The mode is the last field and four empty ones stand before it, so a comma
// inside the name cannot shift it; "FP, FILE" (as a header calls its opening file) has no mode.
void readFileCall(Statement& s, QStringView args) {
    qsizetype commas = 0;
    for (QChar c : args)
        commas += c == u',' ? 1 : 0;
    qsizetype nameEnd = args.indexOf(u',');
    if (commas >= 5) {
        nameEnd = args.size();
        for (int i = 0; i < 5; ++i)
            nameEnd = args.lastIndexOf(u',', nameEnd - 1);
    }
    if (nameEnd < 0) nameEnd = args.size();
    s.file = args.first(nameEnd).trimmed().toString();
    if (commas == 0) return;
    const qsizetype lastComma = args.lastIndexOf(u',');
    for (QChar c : args.sliced(nameEnd, lastComma - nameEnd))
        if (c != u',' && !isBlank(c)) s.ignoredValues = true;
    const QStringView mode = args.sliced(lastComma + 1).trimmed();
    s.offsetText = mode.toString();
    if (mode.isEmpty() || mode == u"0")
        s.offset = Offset::None;
    else if (mode == u"2")
        s.offset = Offset::TwoD;
    else if (mode == u"1")
        s.offset = Offset::ThreeD;
    else
        s.offset = Offset::Odd;
}

// The word THEN with a blank (or a closing bracket or quote) before it and a blank or the end after it.
qsizetype findThen(QStringView rest) {
    for (qsizetype from = 0;;) {
        const qsizetype at = rest.indexOf(u"THEN", from, Qt::CaseInsensitive);
        if (at < 0) return -1;
        const bool before = at > 0 && (isBlank(rest[at - 1]) || rest[at - 1] == u')' || rest[at - 1] == u'"');
        const bool after = at + 4 == rest.size() || isBlank(rest[at + 4]);
        if (before && after) return at;
        from = at + 1;
    }
}

void readTest(Statement& s, QStringView test) {
    qsizetype at = 0;
    while (at < test.size() && test[at] != u'<' && test[at] != u'>' && test[at] != u'=')
        ++at;
    if (at == test.size()) {
        s.left = test.trimmed().toString();
        return;
    }
    const QChar c = test[at];
    const QChar n = at + 1 < test.size() ? test[at + 1] : QChar();
    qsizetype width = 2;
    if (c == u'<' && n == u'=')
        s.compare = Compare::LessOrEqual;
    else if (c == u'<' && n == u'>')
        s.compare = Compare::NotEqual;
    else if (c == u'>' && n == u'=')
        s.compare = Compare::GreaterOrEqual;
    else if (c == u'=' && n == u'<')
        s.compare = Compare::LessOrEqual;
    else if (c == u'=' && n == u'>')
        s.compare = Compare::GreaterOrEqual;
    else if (c == u'=' && n == u'=')
        s.compare = Compare::Equal;
    else {
        width = 1;
        s.compare = c == u'<' ? Compare::Less : c == u'>' ? Compare::Greater : Compare::Equal;
    }
    s.left = test.first(at).trimmed().toString();
    s.right = test.sliced(at + width).trimmed().toString();
}

void readInput(Statement& s, QStringView args) {
    QStringView tail = args;
    if (args.startsWith(u'"')) {
        const qsizetype close = args.lastIndexOf(u'"');
        s.prompt = (close > 0 ? args.sliced(1, close - 1) : args.sliced(1)).toString();
        tail = close > 0 ? args.sliced(close + 1) : QStringView();
    }
    qsizetype i = 0;
    while (i < tail.size() && (isBlank(tail[i]) || tail[i] == u',' || tail[i] == u'&'))
        ++i;
    s.variable = tail.sliced(i).trimmed().toString();
}

// held: the text before the comment, trimmed and not empty.
Statement parseHeld(QStringView held, int depth) {
    Statement s;
    if (held.isEmpty()) return s;
    if (held.front() == u'&') {
        const qsizetype eq = held.indexOf(u'=');
        if (eq < 0) {
            s.kind = Kind::Unknown;
            return s;
        }
        qsizetype i = 0;
        while (i < eq && held[i] == u'&')
            ++i;
        s.kind = Kind::Assign;
        s.variable = held.sliced(i, eq - i).trimmed().toString();
        s.value = held.sliced(eq + 1).trimmed().toString();
        return s;
    }
    qsizetype w = 0;
    while (w < held.size() && isWordChar(held[w]))
        ++w;
    const Word word = w > 0 && endsWord(held, w) ? keyword(held.first(w)) : Word{};
    if (word.kind == Kind::Unknown) {
        // No command word: a line ending in ":" is a label, blanks inside the name included.
        s.kind = held.endsWith(u':') ? Kind::Label : Kind::Unknown;
        if (s.kind == Kind::Label) s.label = labelName(held);
        return s;
    }
    s.kind = word.kind;
    s.command = held.first(w).toString().toUpper();
    const QStringView rest = held.sliced(w);
    bool comma = false;
    const QStringView args = arguments(rest, &comma);
    switch (word.kind) {
    case Kind::Move:
    case Kind::Jog:
        readAxes(s, word, args, comma);
        break;
    case Kind::Speed:
        readSpeeds(s, args, comma);
        break;
    case Kind::FileCall:
        readFileCall(s, args);
        break;
    case Kind::If: {
        const qsizetype then = findThen(rest);
        const QStringView test = then < 0 ? rest : rest.first(then);
        readTest(s, test);
        s.test = test.trimmed().toString();
        if (then >= 0) {
            const QStringView statement = rest.sliced(then + 4).trimmed();
            s.thenText = statement.toString();
            Statement inner;
            if (depth + 1 < MaxNesting)
                inner = parseHeld(statement, depth + 1);
            else
                inner.kind = Kind::Unknown;
            s.then = std::make_shared<const Statement>(std::move(inner));
        }
        break;
    }
    case Kind::GoTo:
    case Kind::GoSub:
        s.label = labelName(args);
        break;
    case Kind::Input:
        readInput(s, args);
        break;
    case Kind::Pause:
    case Kind::End:
    case Kind::Return:
        s.value = args.trimmed().toString();
        break;
    default:
        break;
    }
    return s;
}

} // namespace

qsizetype commentStart(QStringView line) {
    // A "'" inside a double-quoted text (an INPUT prompt) is text; a quote that never closes was no
    // quote, so the first "'" after it starts the comment after all.
    qsizetype open = -1;
    qsizetype insideOpen = -1;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == u'"') {
            open = open < 0 ? i : -1;
            insideOpen = -1;
        } else if (c == u'\'') {
            if (open < 0) return i;
            if (insideOpen < 0) insideOpen = i;
        }
    }
    return open >= 0 ? insideOpen : -1;
}

Statement parse(QStringView line) {
    const qsizetype comment = commentStart(line);
    const QStringView held = (comment < 0 ? line : line.first(comment)).trimmed();
    Statement s;
    if (held.isEmpty())
        s.kind = comment < 0 ? Kind::Empty : Kind::Comment;
    else
        s = parseHeld(held, 0);
    s.commentAt = comment;
    return s;
}

QString labelName(QStringView text) {
    QStringView s = text.trimmed();
    if (s.endsWith(u':')) s.chop(1);
    return s.trimmed().toString();
}

QString nameKey(QStringView name) {
    return name.toString().toCaseFolded();
}

QString ignoredValuesText(const Statement& s) {
    const auto tr = [](const char* text) { return QCoreApplication::translate("statement", text); };
    if (s.valuesGiven > s.valuesTaken && s.valuesTaken > 0)
        return tr("%1 takes only %2 of the %3 values on this line; the router ignores the rest (is a decimal comma "
                  "splitting a number?).")
            .arg(s.command)
            .arg(s.valuesTaken)
            .arg(s.valuesGiven);
    if (!s.ignoredValues) return {};
    if (s.kind == Kind::Move || s.kind == Kind::Jog)
        return tr("%1 moves one axis; the other values on this line are ignored.").arg(s.command);
    if (s.kind == Kind::FileCall) return tr("The values between the file name and the offset mode are ignored.");
    return tr("%1 ignores some of the values on this line.").arg(s.command);
}

bool holds(double a, Compare compare, double b) {
    const bool equal = std::abs(a - b) <= Tolerance * std::max({1.0, std::abs(a), std::abs(b)});
    switch (compare) {
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

} // namespace statement
