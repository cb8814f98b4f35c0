#pragma once

#include "core/dryrun/dryrun.h"

#include <QDialog>

class QListWidget;

// File > Save a copy to resume, for a line the dry run reaches more than once: one row per time it
// is reached (the pass, the run time, where the tool is and the variables that differ from the first
// time), the first chosen. It returns the choice and writes into nothing else.
class ResumePassDialog : public QDialog {
    Q_OBJECT
public:
    // why names what repeats the line (the lines that jump back over it), or is empty.
    ResumePassDialog(const dryrun::Trace& trace, int line, const QString& why, QWidget* parent = nullptr);

    // Which of Trace::watched the copy starts from.
    std::size_t chosen() const;

private:
    QListWidget* m_passes = nullptr;
};
