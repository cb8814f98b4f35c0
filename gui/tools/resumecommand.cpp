// File > Save a copy to resume from this line...
#include "core/dryrun/resumecopy.h"
#include "core/partfile/partfile.h"
#include "core/textfile.h"
#include "gui/document/partdocument.h"
#include "gui/toolpath/dryruncontroller.h"
#include "gui/tools/resumepassdialog.h"
#include "gui/tools/toolcommands.h"
#include "gui/tools/toolprogress.h"
#include "platform/platform.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QSet>

namespace tools {

namespace {

// A question names a few lines; a deep recursion would otherwise list the same call thousands of times.
constexpr int NamedLines = 3;

QString tr(const char* text) {
    return QCoreApplication::translate("tools", text);
}

// The lines named once each, the first few of them, with how many more there are.
QString listed(const QList<resumecopy::NamedLine>& lines) {
    QStringList out;
    QSet<int> seen;
    qsizetype unnamed = 0;
    for (const resumecopy::NamedLine& l : lines) {
        if (seen.contains(l.number)) continue;
        seen.insert(l.number);
        if (out.size() < NamedLines)
            out << tr("line %1 (%2)").arg(l.number).arg(l.text.trimmed());
        else
            ++unnamed;
    }
    QString text = out.join(QStringLiteral(", "));
    if (unnamed > 0) text += tr(" and %1 more lines").arg(QLocale().toString(unnamed));
    return text;
}

// What the operator should know before the copy is written: the line runs inside a subroutine.
QString caution(const resumecopy::Copy& copy, int line) {
    if (copy.goSubs.isEmpty()) return {};
    const QString deep =
        copy.goSubs.size() > 1 ? tr(", %1 calls deep").arg(QLocale().toString(copy.goSubs.size())) : QString();
    return tr("Line %1 runs inside a subroutine: %2 calls it%3, the body begins at %4 and returns at %5. The copy "
              "goes on after that GOSUB when it reaches the RETURN.")
        .arg(line)
        .arg(listed(copy.goSubs), deep, listed(copy.bodyLabels),
             copy.bodyReturn ? listed({*copy.bodyReturn}) : tr("the end of the file"));
}

// What the operator is told after the copy is written.
QString notes(const resumecopy::Copy& copy, int line) {
    QStringList notes, unrestored;
    for (qsizetype i = 0; i < std::min<qsizetype>(copy.unrestored.size(), NamedLines); ++i) {
        const resumecopy::Copy::Unrestored& u = copy.unrestored[i];
        unrestored << (u.file.isEmpty() ? tr("line %1: %2").arg(u.line).arg(u.text)
                                        : tr("%1, line %2").arg(u.file).arg(u.line));
    }
    if (copy.unrestored.size() > NamedLines)
        unrestored << tr("and %1 more, named in the copy's comments").arg(copy.unrestored.size() - NamedLines);
    if (!unrestored.isEmpty())
        notes << tr("Before line %1 the program ran lines the dry run cannot follow; the copy does not repeat them, "
                    "so set the machine as they would:\n%2")
                     .arg(line)
                     .arg(unrestored.join(u'\n'));
    if (copy.answeredBefore)
        notes << tr("The copy's variables hold the answers the dry run gave the INPUT lines before line %1 (set in "
                    "the Toolpath view), not what was typed at the machine.")
                     .arg(line);
    return notes.join(QStringLiteral("\n\n"));
}

// The copy composed and written, off the window's thread: a copy of a deep recursion is large.
struct Written {
    resumecopy::Copy copy;
    QString error;
    bool saved = false;
};

Written compose(const dryrun::Program& program, const dryrun::Trace& trace, int line, std::size_t time,
                const QString& path, textfile::Encoding encoding, const std::atomic<bool>& cancel) {
    Written out;
    out.copy = resumecopy::fromTrace(program, trace, line, QFileInfo(path).absolutePath(), time);
    // The copy is written in the part file's own encoding, so its letters read as the original's.
    QList<QByteArray> bytes;
    bytes.reserve(out.copy.lines.size());
    for (const QString& l : std::as_const(out.copy.lines)) {
        QString refused;
        const std::optional<QByteArray> encoded = textfile::encode(l, encoding, &refused);
        if (!encoded) {
            out.error = tr("The copy was not saved: its line \"%1\" holds \"%2\", which the part file's encoding, "
                           "%3, cannot hold.")
                            .arg(l, refused, textfile::encodingName(encoding));
            return out;
        }
        bytes << *encoded;
    }
    // Cancelled while composing: nothing is written.
    if (cancel) return out;
    const FileResult written = textfile::saveLines(path, bytes);
    out.saved = written.ok;
    if (!written.ok) out.error = tr("The copy was not saved.\n\n%1").arg(written.error);
    return out;
}

} // namespace

void saveResumeCopy(const Context& context) {
    PartDocument& document = context.document;
    const ProgramModel& model = document.model();
    const int row = model.currentRow();
    if (row < 1) return;
    const QString title = tr("Save a copy to resume");
    const QString name = document.fileName().isEmpty() ? QStringLiteral("untitled.cvp") : document.fileName();
    const dryrun::Program program = partfile::dryRunProgram(model, document.kept(), name, document.folder());
    const int line = partfile::fileLineOfRow(document.kept(), row);
    const std::optional<dryrun::Trace> trace = runWatching(context, program, line, title);
    if (!trace) return;

    resumecopy::Copy plan = resumecopy::plan(program, *trace, line);
    if (!plan.ok) {
        context.platform.tell(plan.error, title, Platform::Icon::Information);
        return;
    }
    std::size_t time = 0;
    if (trace->watchedTimes > 1) {
        const QString why = plan.loopJumps.isEmpty()
                                ? QString()
                                : tr("It repeats because %1 jumps back over it.").arg(listed(plan.loopJumps));
        ResumePassDialog passes(*trace, line, why, context.parent);
        if (!context.runner(passes)) return;
        time = passes.chosen();
        plan = resumecopy::plan(program, *trace, line, time);
    }
    if (const QString text = caution(plan, line); !text.isEmpty())
        if (!context.platform.askYesNo(text + QStringLiteral("\n\n") + tr("Write the copy anyway?"), title,
                                       Platform::Icon::Question))
            return;

    const int pass = trace->watched[time].pass;
    const QString proposed =
        QFileInfo(name).completeBaseName() + (pass > 1 ? QStringLiteral("_from_line_%1_pass_%2.cvp").arg(line).arg(pass)
                                                       : QStringLiteral("_from_line_%1.cvp").arg(line));
    const std::optional<QString> path = chooseCopyName(context, tr("Save the copy to resume as"), proposed);
    if (!path) return;
    Written written;
    const textfile::Encoding encoding = document.kept().encoding();
    runWithProgress(context.parent, title, tr("Writing the copy to resume from line %1...").arg(line),
                    [&](const std::atomic<bool>& cancel, std::atomic<qint64>&) {
                        written = compose(program, *trace, line, time, *path, encoding, cancel);
                    });
    if (!written.error.isEmpty()) {
        context.platform.tell(written.error, title, Platform::Icon::Warning);
        return;
    }
    if (!written.saved) return;
    if (const QString told = notes(written.copy, line); !told.isEmpty())
        context.platform.tell(tr("The copy was saved as\n%1\n\n%2").arg(*path, told), title,
                              Platform::Icon::Information);
}

} // namespace tools
