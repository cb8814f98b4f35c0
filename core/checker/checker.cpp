#include "core/checker/checker.h"

#include "core/language/commandkinds.h"
#include "core/language/expression.h"
#include "core/language/linesyntax.h"
#include "core/language/statement.h"
#include "core/panel/programmodel.h"
#include "core/partfile/partfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

// What the checker reads from a line: the line as the part file holds it, read as the router reads it
// (statement::parse), whatever the block's kind; a line typed by hand counts as much as one the
// dialogs composed.
// - A label is defined by a line that is a name ending in ":" (blanks inside count); a jump is a
//   GOTO or GOSUB line, or the statement after an IF's THEN that is one. A target beginning with "&"
//   is a variable: it is not checked against the labels, and any label may be what it reaches.
// - A variable is "&" and a name of letters, digits and "_", with any number of "&". Variable and
//   INPUT lines set one (also after a THEN); values, tests, a GOTO target and a File call name use them.
// - Label and variable names are compared without regard to letter case: the router's words are
//   not case-sensitive, so "Loop:" and "GOTO loop:" meet.
// - Whether a line still holds its dialog's prompt is a question about the block, so it is read from
//   the block's held text.
// - Comment and empty lines are never run, so they are never reported as unreachable.
namespace checker {

namespace {

namespace st = statement;

QString tr(const char* text) {
    return QCoreApplication::translate("checker", text);
}

QString key(const QString& name) {
    return st::nameKey(name);
}

const QRegularExpression& variablePattern() {
    static const QRegularExpression re(QStringLiteral("&+([A-Za-z_][A-Za-z0-9_]*)"));
    return re;
}

QStringList variablesIn(const QString& text) {
    QStringList names;
    if (!text.contains(u'&')) return names;
    for (auto it = variablePattern().globalMatch(text); it.hasNext();)
        names << it.next().captured(1);
    return names;
}

// A variable name after its leading "&"s, or nothing when the text is no variable.
QString variableName(const QString& text) {
    const auto m = variablePattern().match(text.trimmed(), 0, QRegularExpression::NormalMatch,
                                           QRegularExpression::AnchorAtOffsetMatchOption);
    return m.hasMatch() ? m.captured(1) : QString();
}

struct Parsed {
    st::Statement statement;
    QString text;       // the line as the part file holds it
    QString label;      // the name this line defines as a label
    QString jump;       // the label name a jump names (empty for a variable jump or none)
    bool jumps = false; // any jump at all, a variable one included
    bool variableJump = false;
    bool end = false;
    QStringList sets; // variables it sets
    QStringList uses; // variables it uses
    calledfile::Target call;
    calledfile::Found found; // what stands at call.path
    bool untouched = false;
};

// What a statement does, and the statement after its THEN. top: the line's own statement, not one
// that runs only when a test holds.
void readStatement(const st::Statement& s, Parsed& p, bool top) {
    switch (s.kind) {
    case st::Kind::Label:
        if (top) p.label = s.label;
        break;
    case st::Kind::GoTo:
    case st::Kind::GoSub:
        p.jumps = true;
        if (s.label.startsWith(u'&')) {
            p.variableJump = true;
            if (const QString v = variableName(s.label); !v.isEmpty()) p.uses << v;
        } else {
            p.jump = s.label;
        }
        break;
    case st::Kind::If:
        p.uses << variablesIn(s.left) << variablesIn(s.right);
        if (s.then) readStatement(*s.then, p, false);
        break;
    case st::Kind::End:
        if (top) p.end = true;
        break;
    case st::Kind::Assign:
        p.uses << variablesIn(s.value);
        if (const QString v = variableName(u'&' + s.variable); !v.isEmpty()) p.sets << v;
        break;
    case st::Kind::Input:
        if (const QString v = variableName(u'&' + s.variable); !v.isEmpty()) p.sets << v;
        break;
    case st::Kind::FileCall:
        p.uses << variablesIn(s.file);
        break;
    case st::Kind::Move:
    case st::Kind::Jog:
        for (const QString& a : s.axes)
            p.uses << variablesIn(a);
        break;
    case st::Kind::Speed:
        for (const QString& v : s.speeds)
            p.uses << variablesIn(v);
        break;
    case st::Kind::Pause:
        p.uses << variablesIn(s.value);
        break;
    default:
        break;
    }
}

// Whether a block still holds what its dialog shows before anything is typed.
bool untouched(const Line& l) {
    using namespace linesyntax;
    const auto noTarget = [](const QString& statement) {
        const st::Statement s = st::parse(statement);
        return (s.kind == st::Kind::GoTo || s.kind == st::Kind::GoSub) && s.label.isEmpty();
    };
    switch (l.kind) {
    case Kind::Label:
        return st::labelName(l.held).isEmpty() || l.held == QString(LabelPrompt) + u':';
    case Kind::GoTo:
        return l.held.isEmpty() || noTarget(l.held);
    case Kind::GoSub:
        return l.held == QStringLiteral("GOSUB ") + GoSubPrompt + u':' || noTarget(l.held);
    case Kind::IfThen: {
        const IfFields f = fillIf(l.held);
        return f.test.trimmed().isEmpty() || f.statement.trimmed().isEmpty() || noTarget(f.statement);
    }
    case Kind::Variable: {
        const VarFields f = fillVar(undoubleAmpersands(l.held));
        return variableName(u'&' + f.name).isEmpty() || f.value.isEmpty();
    }
    case Kind::Input: {
        // INPUT "Ready?" is a stop that sets nothing; only both boxes left empty are a box untouched.
        const InputFields f = fillInput(l.held);
        return variableName(u'&' + f.variable).isEmpty() && f.prompt.trimmed().isEmpty();
    }
    case Kind::FileCall:
        return fillFileCall(l.held).fileName.trimmed().isEmpty();
    case Kind::Move:
    case Kind::Jog:
    case Kind::Comment:
        return l.held.isEmpty();
    default:
        return false;
    }
}

struct Program {
    const QList<Line>& lines;
    QList<Parsed> parsed;
    QHash<QString, int> firstLabel; // label key -> first line index defining it
    QSet<QString> targets;          // label keys some jump names
    bool anyVariableJump = false;
    bool anyJump = false;
    bool anyEnd = false;
    QString folder;
    int firstLine = 4; // the file line of the first program line

    bool jumpedTo(const QString& label) const { return anyVariableJump || targets.contains(key(label)); }
};

using Report = std::function<void(int index, const QString& message)>;

struct Rule {
    const char* id;
    Severity severity;
    void (*apply)(const Program&, const Report&);
};

void unknownLabel(const Program& p, const Report& report) {
    for (int i = 0; i < p.parsed.size(); ++i) {
        const QString& target = p.parsed[i].jump;
        if (!target.isEmpty() && !p.firstLabel.contains(key(target)))
            report(i, tr("No Label line defines \"%1\", so the router cannot jump there.").arg(target));
    }
}

void duplicateLabel(const Program& p, const Report& report) {
    for (int i = 0; i < p.parsed.size(); ++i) {
        const QString& label = p.parsed[i].label;
        if (label.isEmpty()) continue;
        const int first = p.firstLabel.value(key(label));
        if (first != i)
            report(i, tr("The label \"%1\" is already defined on line %2.").arg(label).arg(first + p.firstLine));
    }
}

// Called files by the router's rule (calledfile): a Windows path cannot be looked at here, so it is
// only named; a folder or a FIFO is said to be what it is.
void missingFile(const Program& p, const Report& report) {
    for (int i = 0; i < p.parsed.size(); ++i) {
        const Parsed& l = p.parsed[i];
        if (l.call.kind == calledfile::Target::Kind::Path && l.found.kind == calledfile::Found::Kind::Missing &&
            !l.call.path.isEmpty())
            report(i, tr("The called file \"%1\" does not exist.").arg(QDir::toNativeSeparators(l.call.path)));
    }
}

void notAFile(const Program& p, const Report& report) {
    for (int i = 0; i < p.parsed.size(); ++i) {
        const Parsed& l = p.parsed[i];
        if (l.found.kind == calledfile::Found::Kind::Other)
            report(i, tr("The called file \"%1\" is %2, not a part file.")
                          .arg(QDir::toNativeSeparators(l.found.path), l.found.what));
    }
}

void windowsPath(const Program& p, const Report& report) {
    for (int i = 0; i < p.parsed.size(); ++i)
        if (p.parsed[i].call.kind == calledfile::Target::Kind::WindowsPath)
            report(i, tr("The called file \"%1\" is a Windows path that cannot be checked here.")
                          .arg(p.parsed[i].statement.file));
}

// "J2, 1,5, 2,5": a decimal comma makes four values of two, and the router reads the wrong ones.
void extraValues(const Program& p, const Report& report) {
    for (int i = 0; i < p.parsed.size(); ++i)
        if (const QString text = st::ignoredValuesText(p.parsed[i].statement); !text.isEmpty()) report(i, text);
}

// The axis a move command is named for holds nothing: "MZ, , ,  " or "J4, 1, 2, 3,  " moves no Z or A.
void blankAxis(const Program& p, const Report& report) {
    static const char* const Axes[] = {"X", "Y", "Z", "A", "B"};
    for (int i = 0; i < p.parsed.size(); ++i) {
        const st::Statement& s = p.parsed[i].statement;
        if (s.kind != st::Kind::Move && s.kind != st::Kind::Jog) continue;
        const QChar last = s.command.back();
        // MX, MY, MZ move their one axis; M2 to M5 are named for their highest one.
        const int axis = last == u'X' ? 0 : last == u'Y' ? 1 : last == u'Z' ? 2 : last.digitValue() - 1;
        if (axis < 0 || axis >= st::AxisCount || !s.axes[std::size_t(axis)].isEmpty()) continue;
        const bool single = !last.isDigit();
        if (!single && s.valuesGiven <= axis) continue; // too few values: no field at all
        report(i, tr("The %1 value of this %2 line is empty or only blanks, so the router does not move %1.")
                      .arg(QLatin1String(Axes[axis]), s.command));
    }
}

// A block left at its prompt may write only blanks; the prompt's finding says more about it.
void blankLine(const Program& p, const Report& report) {
    for (int i = 0; i < p.parsed.size(); ++i)
        if (p.parsed[i].statement.kind == st::Kind::Empty && !p.parsed[i].text.isEmpty() && !p.parsed[i].untouched)
            report(i, tr("This line holds only blanks or tabs, which the eye cannot tell from an empty line."));
}

void untouchedPrompt(const Program& p, const Report& report) {
    for (int i = 0; i < p.parsed.size(); ++i)
        if (p.parsed[i].untouched)
            report(i, tr("This %1 line still holds its dialog's prompt or an empty box.")
                          .arg(QString::fromLatin1(kinds::info(p.lines[i].kind).name)));
}

// A command outside the language this program reads (G-code words, "%", "(...)", "SO, 1, 1"): the
// router may know it, but neither the checker nor the dry run can follow it, and says so.
void unknownCommand(const Program& p, const Report& report) {
    for (int i = 0; i < p.parsed.size(); ++i) {
        const st::Statement& s = p.parsed[i].statement;
        const bool unknown =
            s.kind == st::Kind::Unknown || (s.kind == st::Kind::If && s.then && s.then->kind == st::Kind::Unknown);
        // A block left at its prompt says more about itself.
        if (unknown && !p.parsed[i].untouched)
            report(i,
                   tr("This program does not know this command, so neither the checker nor the dry run follows it."));
    }
}

// A value no variable can make readable ("1e3", "2 +", "1/0"): the dry run cannot evaluate it.
void badValue(const Program& p, const Report& report) {
    for (int i = 0; i < p.parsed.size(); ++i) {
        const st::Statement& top = p.parsed[i].statement;
        QStringList values;
        for (const st::Statement* s = &top; s; s = s->kind == st::Kind::If ? s->then.get() : nullptr) {
            if (s->kind == st::Kind::Move || s->kind == st::Kind::Jog)
                values << QStringList(s->axes.begin(), s->axes.end());
            if (s->kind == st::Kind::Speed) values << QStringList(s->speeds.begin(), s->speeds.end());
            if (s->kind == st::Kind::Assign || s->kind == st::Kind::Pause) values << s->value;
            if (s->kind == st::Kind::If && s->compare != st::Compare::None) values << s->left << s->right;
        }
        // A variable may hold a label's name, for a GOTO to it.
        static const QRegularExpression labelName(QStringLiteral("^[A-Za-z_][A-Za-z0-9_ ]*:?$"));
        if (top.kind == st::Kind::Assign && labelName.match(top.value).hasMatch()) values.clear();
        for (const QString& v : std::as_const(values)) {
            if (v.isEmpty()) continue;
            expression::Names names;
            const expression::Expression e = expression::Expression::compile(v, names);
            if (!e.isValid()) report(i, tr("The value \"%1\" cannot be evaluated: %2.").arg(v, e.whyNot({}, names)));
        }
    }
}

void variableBeforeSet(const Program& p, const Report& report) {
    QSet<QString> set;
    for (int i = 0; i < p.parsed.size(); ++i) {
        for (const QString& v : p.parsed[i].uses)
            if (!set.contains(key(v)))
                report(i, tr("The variable \"&%1\" is used before any Variable or INPUT line sets it.").arg(v));
        for (const QString& v : p.parsed[i].sets)
            set.insert(key(v));
    }
}

void unreachable(const Program& p, const Report& report) {
    bool afterEnd = false;
    for (int i = 0; i < p.parsed.size(); ++i) {
        const Parsed& l = p.parsed[i];
        if (!l.label.isEmpty() && p.jumpedTo(l.label)) afterEnd = false;
        const st::Kind k = l.statement.kind;
        if (afterEnd && k != st::Kind::Comment && k != st::Kind::Empty)
            report(i, tr("No jump reaches this line: it comes after an END with no label that is jumped to "
                         "in between."));
        if (l.end) afterEnd = true;
    }
}

void jumpsWithoutEnd(const Program& p, const Report& report) {
    if (!p.anyJump || p.anyEnd) return;
    for (int i = 0; i < p.parsed.size(); ++i)
        if (p.parsed[i].jumps) {
            report(i, tr("The program jumps but has no END line, so it runs on into the lines it jumps to."));
            return;
        }
}

void unusedLabel(const Program& p, const Report& report) {
    for (int i = 0; i < p.parsed.size(); ++i) {
        const QString& label = p.parsed[i].label;
        if (!label.isEmpty() && p.firstLabel.value(key(label)) == i && !p.jumpedTo(label))
            report(i, tr("Nothing jumps to the label \"%1\".").arg(label));
    }
}

// Every rule, once. A new rule is one function and one row here.
const Rule Rules[] = {
    {"unknown-label", Severity::Error, unknownLabel},
    {"duplicate-label", Severity::Error, duplicateLabel},
    {"missing-file", Severity::Error, missingFile},
    {"not-a-file", Severity::Error, notAFile},
    {"windows-path", Severity::Warning, windowsPath},
    {"extra-values", Severity::Warning, extraValues},
    {"blank-axis", Severity::Warning, blankAxis},
    {"blank-line", Severity::Warning, blankLine},
    {"untouched-prompt", Severity::Warning, untouchedPrompt},
    {"bad-value", Severity::Warning, badValue},
    {"variable-before-set", Severity::Warning, variableBeforeSet},
    {"unreachable", Severity::Warning, unreachable},
    {"jumps-without-end", Severity::Warning, jumpsWithoutEnd},
    {"unused-label", Severity::Warning, unusedLabel},
    {"unknown-command", Severity::Note, unknownCommand},
};

} // namespace

QList<Line> linesOf(const ProgramModel& program) {
    QList<Line> lines;
    for (int n = 1; n <= program.lineCount(); ++n) {
        const LineRow& row = program.row(n);
        if (!program.exists(row.kind, row.blockIndex)) continue;
        const ProgramLine l = program.line(n);
        lines << Line{l.kind, l.held, l.comment, n, l.written.isEmpty() ? QString() : l.writtenText};
    }
    return lines;
}

QList<Line> linesOf(const std::vector<LoadedLine>& lines) {
    QList<Line> out;
    for (const LoadedLine& l : lines)
        out << Line{l.kind, l.held, l.comment, int(out.size()) + 1, l.written.isEmpty() ? QString() : l.writtenText};
    return out;
}

QList<Finding> check(const QList<Line>& lines, const QString& folder, const FileFinder& find, int firstLine) {
    Program p{lines, {}, {}, {}, false, false, false, folder, firstLine};
    const FileFinder finder = find ? find : FileFinder(calledfile::find);
    for (const Line& l : lines) {
        Parsed parsed;
        parsed.text =
            l.written.isEmpty() ? partfile::composeLine(l.kind, l.held, l.comment).value_or(QString()) : l.written;
        parsed.statement = st::parse(parsed.text);
        readStatement(parsed.statement, parsed, true);
        parsed.untouched = untouched(l);
        if (parsed.statement.kind == st::Kind::FileCall) {
            parsed.call = calledfile::resolve(parsed.statement.file, folder);
            // A relative name with no folder to take it from cannot be looked up.
            if (parsed.call.kind == calledfile::Target::Kind::Path && QDir::isAbsolutePath(parsed.call.path))
                parsed.found = finder(parsed.call.path);
            else if (parsed.call.kind == calledfile::Target::Kind::Path)
                parsed.call.path.clear();
        }
        const int i = int(p.parsed.size());
        if (!parsed.label.isEmpty() && !p.firstLabel.contains(key(parsed.label)))
            p.firstLabel.insert(key(parsed.label), i);
        if (!parsed.jump.isEmpty()) p.targets.insert(key(parsed.jump));
        p.anyVariableJump = p.anyVariableJump || parsed.variableJump;
        p.anyJump = p.anyJump || parsed.jumps;
        p.anyEnd = p.anyEnd || parsed.end;
        p.parsed << std::move(parsed);
    }
    QList<Finding> findings;
    for (const Rule& rule : Rules) {
        rule.apply(p, [&](int i, const QString& message) {
            findings << Finding{rule.id, rule.severity, lines[i].row, firstLine + i, p.parsed[i].text, message, {}};
        });
    }
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    return findings;
}

QList<Finding> check(const ProgramModel& program, const QString& folder, const FileFinder& find, int firstLine) {
    return check(linesOf(program), folder, find, firstLine);
}

QString calledFilePath(const QString& held, const QString& folder) {
    const calledfile::Target target = calledfile::resolve(linesyntax::fillFileCall(held).fileName, folder);
    if (target.kind != calledfile::Target::Kind::Path || !QDir::isAbsolutePath(target.path)) return {};
    const QString found = calledfile::locate(target.path);
    return found.isEmpty() ? target.path : found;
}

int count(const QList<Finding>& findings, Severity s) {
    return static_cast<int>(
        std::count_if(findings.begin(), findings.end(), [s](const Finding& f) { return f.severity == s; }));
}

} // namespace checker
