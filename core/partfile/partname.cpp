#include "core/partfile/partname.h"

#include "platform/platform.h"
#include "platform/savefile.h"

#include <QDir>
#include <QFileInfo>

namespace partname {

std::optional<QString> choose(Platform& platform, const QString& folder, const QString& name) {
    const bool own = !folder.isEmpty() && QFileInfo(folder).isDir();
    for (;;) {
        const std::optional<QString> chosen =
            platform.chooseSaveFile(SaveTitle(), own ? folder : platform.partsFolder(), SaveFilter(),
                                    own && !name.isEmpty() ? name : ProposedName);
        if (!chosen) return std::nullopt;
        const QString name = QDir::toNativeSeparators(*chosen);
        // A name the file could never be saved under is refused now, not after the work is done.
        if (const QString problem = savefile::pathProblem(name); !problem.isEmpty()) {
            platform.tell(QStringLiteral("%1\n\n%2").arg(name, problem), UnsavableTitle(), Platform::Icon::Warning);
            continue;
        }
        if (!QFileInfo::exists(name) || platform.askYesNo(ExistsText(), ExistsTitle())) return name;
    }
}

std::optional<QString> chooseUntilNamed(Platform& platform) {
    for (;;) {
        if (std::optional<QString> name = choose(platform)) return name;
        if (!platform.askYesNo(NoSaveText(), NoSaveTitle())) return std::nullopt;
    }
}

} // namespace partname
