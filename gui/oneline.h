#pragma once

class QComboBox;
class QLineEdit;

// Keeps a one-line box free of line breaks and other control characters: whatever enters it, typed,
// pasted, dropped or set, has each run of them replaced by one blank at once, so the box shows
// exactly what will be written. (A validator of the box's own would be replaced.)
void keepOneLine(QLineEdit* box);
void keepOneLine(QComboBox* box);
