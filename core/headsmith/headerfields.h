#pragma once

#include <QString>

// The answers of the Headsmith window as plain values: what the header text, the rewrite and the
// variables file are built from. The window fills one from its controls.
struct HeaderFields {
    QString description;
    QString createdBy;
    QString date;
    QString copyright;
    QString copyrightYear;
    QString use;
    QString contactName;
    QString email;
    QString phone;

    bool metric = false;   // units: millimetres rather than inch
    bool tableTop = false; // Z zeroed at the table top rather than the material top surface
    bool offset2d = false;
    bool offset3d = false;
    QString xOffset;
    QString yOffset;
    QString zOffset;
    QString blank;
    QString thickness;
    QString material;
    QString bitSize;
    QString bitType;

    // The notes preview as shown: one "'' note" per line, each ended by a newline.
    QString additionalInfo;

    bool addOpening = false;
    bool openingAsFP = true; // call the opening file with FP rather than copying its lines in
    QString openingPath;
    bool addClosing = false;
    bool closingAsFP = true;
    QString closingPath;
};
