// File > Save a copy to resume from this line...
#include "core/dryrun/resumecopy.h"
#include "core/partfile/partfile.h"
#include "core/textfile.h"
#include "gui/document/partdocument.h"
#include "gui/toolpath/dryruncontroller.h"
#include "gui/tools/toolcommands.h"
#include "platform/platform.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace tools {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("tools", text);
}

QString listed(const QList<resumecopy::NamedLine>& lines) {
    QStringList out;
    for (const resumecopy::NamedLine& l : lines)
        out << tr("line %1 (%2)").arg(l.number).arg(l.text.trimmed());
    return out.join(QStringLiteral(", "));
}

// What the operator should know before the copy is written: where the chosen line repeats.
QString caution(const resumecopy::Copy& copy, int line) {
    QStringList parts;
    if (!copy.loopJumps.isEmpty())
        parts << tr("Line %1 lies inside a loop: %2 jumps back over it. The copy starts as the program stood the first "
                    "time it reached line %1, so it runs every pass from there.")
                     .arg(line)
                     .arg(listed(copy.loopJumps));
    if (!copy.goSubs.isEmpty())
        parts << tr("Line %1 runs inside a subroutine: %2 calls it, the body begins at %3 and returns at %4. The copy "
                    "goes on after that GOSUB when it reaches the RETURN.")
                     .arg(line)
                     .arg(listed(copy.goSubs), listed(copy.bodyLabels),
                          copy.bodyReturn ? listed({*copy.bodyReturn}) : tr("the end of the file"));
    return parts.join(QStringLiteral("\n\n"));
}

} // namespace

void saveResumeCopy(const Context& context) {
    PartDocument& document = context.document;
    const ProgramModel& model = document.model();
    if (!model.selectionExists()) return;
    const int row = model.rowOf(model.selection());
    const QString title = tr("Save a copy to resume");
    const QString name = document.fileName().isEmpty() ? QStringLiteral("untitled.cvp") : document.fileName();
    const dryrun::Program program = partfile::dryRunProgram(model, document.kept(), name, document.folder());
    const int line = partfile::fileLineOfRow(document.kept(), row);
    const dryrun::Trace trace = runWatching(context, program, line);

    resumecopy::Copy copy = resumecopy::fromTrace(program, trace, line, document.folder());
    if (!copy.ok) {
        context.platform.tell(copy.error, title, Platform::Icon::Information);
        return;
    }
    if (const QString text = caution(copy, line); !text.isEmpty())
        if (!context.platform.askYesNo(text + QStringLiteral("\n\n") + tr("Write the copy anyway?"), title,
                                       Platform::Icon::Question))
            return;

    const std::optional<QString> path =
        chooseCopyName(context, tr("Save the copy to resume as"),
                       QFileInfo(name).completeBaseName() + QStringLiteral("_from_line_%1.cvp").arg(line));
    if (!path) return;
    copy = resumecopy::fromTrace(program, trace, line, QFileInfo(*path).absolutePath());
    // The copy is written in the part file's own encoding, so its letters read as the original's.
    const textfile::Encoding encoding = document.kept().encoding();
    QList<QByteArray> bytes;
    for (const QString& l : std::as_const(copy.lines)) {
        QString refused;
        const std::optional<QByteArray> encoded = textfile::encode(l, encoding, &refused);
        if (!encoded) {
            context.platform.tell(tr("The copy was not saved: its line \"%1\" holds \"%2\", which the part file's "
                                     "encoding, %3, cannot hold.")
                                      .arg(l, refused, textfile::encodingName(encoding)),
                                  title, Platform::Icon::Warning);
            return;
        }
        bytes << *encoded;
    }
    const FileResult written = textfile::saveLines(*path, bytes);
    if (!written.ok) {
        context.platform.tell(tr("The copy was not saved.\n\n%1").arg(written.error), title, Platform::Icon::Warning);
        return;
    }
    QStringList notes, unrestored;
    for (const resumecopy::Copy::Unrestored& u : std::as_const(copy.unrestored))
        unrestored << (u.file.isEmpty() ? tr("line %1: %2").arg(u.line).arg(u.text)
                                        : tr("%1, line %2").arg(u.file).arg(u.line));
    if (!unrestored.isEmpty())
        notes << tr("Before line %1 the program ran lines the dry run cannot follow; the copy does not repeat them, "
                    "so set the machine as they would:\n%2")
                     .arg(line)
                     .arg(unrestored.join(u'\n'));
    if (copy.answeredBefore)
        notes << tr("The copy's variables hold the answers the dry run gave the INPUT lines before line %1 (set in "
                    "the Toolpath view), not what was typed at the machine.")
                     .arg(line);
    if (!notes.isEmpty())
        context.platform.tell(tr("The copy was saved as\n%1\n\n%2").arg(*path, notes.join(QStringLiteral("\n\n"))),
                              title, Platform::Icon::Information);
}

} // namespace tools
