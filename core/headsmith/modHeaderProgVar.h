#pragma once

#include <QString>

// Headsmith's state for the whole run of the program: it outlives the window, so a second opening
// in the same run still has the files chosen and the answers loaded earlier. The caller owns one
// instance and passes it by reference; tests build their own.
struct modHeaderProgVar {
    // Opening file: the full path chosen, and its folder and name (remembered, preset the Open dialog).
    QString HeaderFilePath;
    QString HeaderFileDir;
    QString HeaderFileName;
    // Closing file, the same.
    QString FooterFilePath;
    QString FooterFileDir;
    QString FooterFileName;

    // Answers loaded from the variables file or the old settings file.
    QString StoredName;
    QString StoredCopyrightHolder;
    QString StoredRestrictions;
    QString StoredContactName;
    QString StoredPhone;
    QString StoredEmail;
    QString StoredUnits;
    QString StoredZZero;
    QString StoredBitSize;
    QString StoredBitType;
    QString StoredBlank;
    QString StoredMaterial;
    QString StoredThickness;
    // Written back unchanged; nothing else uses it.
    QString PartFileDir;

    // Where the answers are kept; set by the loader from the parts folder.
    QString VariablesFilePath;
};
