#include "core/program/partname.h"

#include "platform/platform.h"
#include "platform/savefile.h"

#include <QDir>
#include <QFileInfo>

namespace partname {

void ChoosePartFile(modProgVar& vars, Platform& platform) {
    for (;;) {
        const std::optional<QString> chosen =
            platform.chooseSaveFile(SaveTitle(), platform.partsFolder(), SaveFilter(), ProposedName);
        if (!chosen) {
            vars.PartNameState = PartName::Cancelled;
            return;
        }
        const QString name = QDir::toNativeSeparators(*chosen);
        // A name the file could never be saved under is refused now, not after the work is done.
        if (const QString problem = savefile::pathProblem(name); !problem.isEmpty()) {
            platform.tell(QStringLiteral("%1\n\n%2").arg(name, problem), UnsavableTitle(), Platform::Icon::Warning);
            continue;
        }
        vars.PartFileName = name;
        if (!QFileInfo::exists(vars.PartFileName) || platform.askYesNo(ExistsText(), ExistsTitle())) break;
    }
    const qsizetype cut = vars.PartFileName.lastIndexOf(QDir::separator()) + 1;
    vars.PartFileFolder = vars.PartFileName.left(cut);
    vars.PartFileTitle = vars.PartFileName.mid(cut);
    vars.PartNameState = PartName::Chosen;
}

bool ChooseUntilNamed(modProgVar& vars, Platform& platform) {
    for (;;) {
        ChoosePartFile(vars, platform);
        if (vars.PartNameState == PartName::Chosen) return true;
        if (!platform.askYesNo(NoSaveText(), NoSaveTitle())) return false;
    }
}

} // namespace partname
