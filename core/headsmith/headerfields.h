#pragma once

#include <QString>

// The answers of the Headsmith window as plain values: what the header text, the rewrite and the
// variables file are built from. The window fills one from its controls.
struct HeaderFields {
    QString Description;
    QString CreatedBy;
    QString Date;
    QString Copyright;
    QString CopyrightYear;
    QString Use;
    QString ContactName;
    QString Email;
    QString Phone;

    bool Metric = false;   // units: millimetres rather than inch
    bool TableTop = false; // Z zeroed at the table top rather than the material top surface
    bool Offset2d = false;
    bool Offset3d = false;
    QString XOffset;
    QString YOffset;
    QString ZOffset;
    QString Blank;
    QString Thickness;
    QString Material;
    QString BitSize;
    QString BitType;

    // The notes preview as shown: one "'' note" per line, each ended by a newline.
    QString AdditionalInfo;

    bool AddOpening = false;
    bool OpeningAsFP = true; // call the opening file with FP rather than copying its lines in
    QString OpeningPath;
    bool AddClosing = false;
    bool ClosingAsFP = true;
    QString ClosingPath;
};
