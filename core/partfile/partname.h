#pragma once

#include <QCoreApplication>
#include <QString>

#include <optional>

class Platform;

// Choosing the part file's name, before the main window shows and for Save As.
namespace partname {

inline QString SaveTitle() {
    return QCoreApplication::translate("modUtils", "Select a name for the Part File that you will be assembling.");
}
inline QString SaveFilter() {
    return QCoreApplication::translate("modUtils", " Corvane (*.cvp)|*.cvp");
}
inline const QString ProposedName = QStringLiteral("My_Assembly");
inline QString ExistsText() {
    return QCoreApplication::translate("modUtils", "That file already exist...are you SURE you want to use it");
}
inline QString ExistsTitle() {
    return QCoreApplication::translate("modUtils", "File exists!");
}
inline QString UnsavableTitle() {
    return QCoreApplication::translate("modUtils", "Choose another name");
}
inline QString NoSaveText() {
    return QCoreApplication::translate(
        "modUtils",
        " This whole process doesn't really work unless you save your file. Don't you want to save all your "
        "hard work?");
}
inline QString NoSaveTitle() {
    return QCoreApplication::translate("modUtils", "Don't you want to save?");
}

// Lets the user choose the part file's name: the full path in native separators, or nothing when the
// choice was cancelled. The dialog starts in folder with name proposed (Save As: the part file's own),
// or in the parts folder with ProposedName when folder is not there.
std::optional<QString> choose(Platform& platform, const QString& folder = {}, const QString& name = {});

// The start-up loop: choose a name until one is chosen, or nothing when the user declines to save.
std::optional<QString> chooseUntilNamed(Platform& platform);

} // namespace partname
