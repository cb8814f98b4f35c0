#pragma once

#include "core/program/modProgVar.h"

class Platform;

// Procedures of the part file's life cycle that need no window.
namespace modUtils {

inline const QString SaveTitle = QStringLiteral("Select a name for the Part File that you will be assembling.");
inline const QString SaveFilter = QStringLiteral(" Corvane (*.cvp)|*.cvp");
inline const QString ProposedName = QStringLiteral("My_Assembly");
inline const QString ExistsText = QStringLiteral("That file already exist...are you SURE you want to use it");
inline const QString ExistsTitle = QStringLiteral("File exists!");
inline const QString UnsavableTitle = QStringLiteral("Choose another name");
inline const QString NoSaveText =
    QStringLiteral(" This whole process doesn't really work unless you save your file. Don't you want to save all your "
                   "hard work?");
inline const QString NoSaveTitle = QStringLiteral("Don't you want to save?");

// Lets the user choose the part file's name; leaves the outcome in PartNameState (cancelled or chosen)
// and, when chosen, PartFileName, PartFileFolder and PartFileTitle.
void ChoosePartFile(modProgVar& vars, Platform& platform);

// The start-up loop: choose a name until one is chosen (true) or the user declines to save (false).
bool ChooseUntilNamed(modProgVar& vars, Platform& platform);

} // namespace modUtils
