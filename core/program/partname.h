#pragma once

#include "core/program/modProgVar.h"

#include <QCoreApplication>

class Platform;

// Procedures of the part file's life cycle that need no window.
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

// Lets the user choose the part file's name; leaves the outcome in PartNameState (cancelled or chosen)
// and, when chosen, PartFileName, PartFileFolder and PartFileTitle.
void ChoosePartFile(modProgVar& vars, Platform& platform);

// The start-up loop: choose a name until one is chosen (true) or the user declines to save (false).
bool ChooseUntilNamed(modProgVar& vars, Platform& platform);

} // namespace partname
