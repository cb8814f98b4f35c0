#include "core/program/checker.h"

#include "core/program/commandkinds.h"
#include "core/program/linesyntax.h"
#include "core/program/partfile.h"
#include "core/program/programmodel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

// What the checker reads from a line, following the texts the dialogs compose:
// - A label is defined by a Label line ("NAME:") or a free command that is one word ending in ":".
//   Its name is the text without the one trailing ":" (a label written without it names the same).
// - A jump is a GOTO line ("GOTO NAME:"), a GOSUB line ("GOSUB NAME:"), the statement of an IF..THEN
//   line that begins with GOTO or GOSUB, or a free command that does. A target beginning with "&" is a
//   variable: it is not checked against the labels, and any label may be what it reaches.
// - A variable is "&" and a name of letters, digits and "_". IF..THEN and Variable lines hold every
//   "&" doubled, so they are read un-doubled. Variable and INPUT lines set one; an IF..THEN test, a
//   GOTO target and a File call name use them.
// - Label and variable names are compared without regard to letter case: the router's words are
//   not case-sensitive, so "Loop:" and "GOTO loop:" meet.
// - Comment lines are never run, so they are never reported as unreachable.
namespace checker {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("checker", text);
}

QString key(const QString& name) {
    return name.toCaseFolded();
}

// A label or jump target's name: trimmed, one trailing ":" dropped.
QString labelName(const QString& text) {
    QString s = text.trimmed();
    if (s.endsWith(u':')) s.chop(1);
    return s.trimmed();
}

const QRegularExpression& variablePattern() {
    static const QRegularExpression re(QStringLiteral("&+([A-Za-z_][A-Za-z0-9_]*)"));
    return re;
}

QStringList variablesIn(const QString& text) {
    QStringList names;
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
    QString label;      // the name this line defines as a label
    QString jump;       // the label name a jump names (empty for a variable jump or none)
    bool jumps = false; // any jump at all, a variable one included
    bool variableJump = false;
    bool end = false;
    QStringList sets; // variables it sets
    QStringList uses; // variables it uses
    QString file;     // a called file given by name alone
    bool untouched = false;
};

// A GOTO or GOSUB statement.
void readJump(const QString& statement, Parsed& p) {
    const QString s = statement.trimmed();
    for (const QString& head : {QStringLiteral("GOTO "), QStringLiteral("GOSUB ")}) {
        if (!s.startsWith(head, Qt::CaseInsensitive)) continue;
        const QString target = labelName(s.mid(head.size()));
        p.jumps = true;
        if (target.startsWith(u'&')) {
            p.variableJump = true;
            if (const QString v = variableName(target); !v.isEmpty()) p.uses << v;
        } else {
            p.jump = target;
            p.untouched = target.isEmpty();
        }
        return;
    }
}

Parsed parse(const Line& l) {
    using namespace linesyntax;
    Parsed p;
    switch (l.kind) {
    case Kind::Label:
        p.label = labelName(l.held);
        p.untouched = p.label.isEmpty() || l.held == QString(LabelPrompt) + u':';
        break;
    case Kind::GoTo:
        readJump(l.held, p);
        p.untouched = p.untouched || l.held.isEmpty();
        break;
    case Kind::GoSub:
        readJump(l.held, p);
        p.untouched = p.untouched || l.held == QStringLiteral("GOSUB ") + GoSubPrompt + u':';
        break;
    case Kind::IfThen: {
        const IfFields f = fillIf(l.held);
        p.uses = variablesIn(f.test);
        readJump(f.statement, p);
        p.untouched = p.untouched || f.test.trimmed().isEmpty() || f.statement.trimmed().isEmpty();
        break;
    }
    case Kind::Variable: {
        const VarFields f = fillVar(undoubleAmpersands(l.held));
        const QString name = variableName(u'&' + f.name);
        if (!name.isEmpty()) p.sets << name;
        p.untouched = name.isEmpty() || f.value.isEmpty();
        break;
    }
    case Kind::Input: {
        const QString name = variableName(u'&' + fillInput(l.held).variable);
        if (!name.isEmpty()) p.sets << name;
        p.untouched = name.isEmpty();
        break;
    }
    case Kind::FileCall: {
        const QString name = fillFileCall(l.held).fileName.trimmed();
        p.uses = variablesIn(name);
        if (p.uses.isEmpty()) p.file = name;
        p.untouched = name.isEmpty();
        break;
    }
    case Kind::End:
        p.end = true;
        break;
    case Kind::Blank: {
        const QString s = l.held.trimmed();
        if (s.endsWith(u':') && !s.contains(u' ') && s.size() > 1) p.label = labelName(s);
        readJump(s, p);
        p.end = s.compare(QStringLiteral("END"), Qt::CaseInsensitive) == 0;
        p.untouched = l.held.isEmpty() && l.comment.isEmpty();
        break;
    }
    case Kind::Move:
    case Kind::Jog:
    case Kind::Comment:
        p.untouched = l.held.isEmpty();
        break;
    default:
        break;
    }
    return p;
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
    FileExists exists;
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

void missingFile(const Program& p, const Report& report) {
    for (int i = 0; i < p.parsed.size(); ++i) {
        if (p.parsed[i].file.isEmpty()) continue;
        const QString path = calledFilePath(p.lines[i].held, p.folder);
        if (!path.isEmpty() && !p.exists(path))
            report(i, tr("The called file \"%1\" does not exist.").arg(QDir::toNativeSeparators(path)));
    }
}

void untouchedPrompt(const Program& p, const Report& report) {
    for (int i = 0; i < p.parsed.size(); ++i)
        if (p.parsed[i].untouched)
            report(i, tr("This %1 line still holds its dialog's prompt or an empty box.")
                          .arg(QString::fromLatin1(kinds::info(p.lines[i].kind).name)));
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
        if (afterEnd && p.lines[i].kind != Kind::Comment)
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
    {"untouched-prompt", Severity::Warning, untouchedPrompt},
    {"variable-before-set", Severity::Warning, variableBeforeSet},
    {"unreachable", Severity::Warning, unreachable},
    {"jumps-without-end", Severity::Warning, jumpsWithoutEnd},
    {"unused-label", Severity::Warning, unusedLabel},
};

bool fileExists(const QString& path) {
    return QFileInfo(path).isFile();
}

} // namespace

QList<Line> linesOf(const ProgramModel& program) {
    QList<Line> lines;
    for (int n = 1; n <= program.lineCount(); ++n) {
        const LineRow& row = program.row(n);
        if (!program.exists(row.kind, row.blockIndex)) continue;
        const ProgramLine l = program.line(n);
        lines << Line{l.kind, l.held, l.comment, n};
    }
    return lines;
}

QList<Finding> check(const QList<Line>& lines, const QString& folder, const FileExists& exists, int firstLine) {
    Program p{lines, {}, {}, {}, false, false, false, folder, exists ? exists : FileExists(fileExists), firstLine};
    for (int i = 0; i < lines.size(); ++i) {
        const Parsed parsed = parse(lines[i]);
        if (!parsed.label.isEmpty() && !p.firstLabel.contains(key(parsed.label)))
            p.firstLabel.insert(key(parsed.label), i);
        if (!parsed.jump.isEmpty()) p.targets.insert(key(parsed.jump));
        p.anyVariableJump = p.anyVariableJump || parsed.variableJump;
        p.anyJump = p.anyJump || parsed.jumps;
        p.anyEnd = p.anyEnd || parsed.end;
        p.parsed << parsed;
    }
    QList<Finding> findings;
    for (const Rule& rule : Rules) {
        rule.apply(p, [&](int i, const QString& message) {
            const Line& l = lines[i];
            findings << Finding{rule.id,
                                rule.severity,
                                l.row,
                                firstLine + i,
                                partfile::composeLine(l.kind, l.held, l.comment).value_or(QString()),
                                message};
        });
    }
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
    return findings;
}

QList<Finding> check(const ProgramModel& program, const QString& folder, const FileExists& exists, int firstLine) {
    return check(linesOf(program), folder, exists, firstLine);
}

QString calledFilePath(const QString& held, const QString& folder) {
    const QString name = linesyntax::fillFileCall(held).fileName.trimmed();
    if (name.isEmpty() || !variablesIn(name).isEmpty()) return {};
    if (!QDir::isRelativePath(name)) return name;
    return folder.isEmpty() ? QString() : QDir(folder).filePath(name);
}

int count(const QList<Finding>& findings, Severity s) {
    return static_cast<int>(
        std::count_if(findings.begin(), findings.end(), [s](const Finding& f) { return f.severity == s; }));
}

} // namespace checker
