#include "mainwindow/modUtils.h"

#include "platform/platform.h"

#include <QDir>
#include <QFileInfo>

namespace modUtils {

void ChoosePartFile(modProgVar& vars, Platform& platform)
{
    for (;;) {
        const std::optional<QString> chosen =
            platform.chooseSaveFile(SaveTitle, platform.partsFolder(), SaveFilter, ProposedName);
        if (!chosen) {
            vars.PartNameState = 1;
            return;
        }
        vars.PartFileName = QDir::toNativeSeparators(*chosen);
        if (!QFileInfo::exists(vars.PartFileName) || platform.askYesNo(ExistsText, ExistsTitle))
            break;
    }
    const qsizetype cut = vars.PartFileName.lastIndexOf(QDir::separator()) + 1;
    vars.PartFileFolder = vars.PartFileName.left(cut);
    vars.PartFileTitle = vars.PartFileName.mid(cut);
    vars.PartNameState = 9;
}

bool ChooseUntilNamed(modProgVar& vars, Platform& platform)
{
    for (;;) {
        ChoosePartFile(vars, platform);
        if (vars.PartNameState > 7)
            return true;
        if (!platform.askYesNo(NoSaveText, NoSaveTitle))
            return false;
    }
}

} // namespace modUtils
