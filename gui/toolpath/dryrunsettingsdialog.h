#pragma once

#include "core/dryrun/dryrun.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

// The dry run's settings as the operator sets them: speeds, the table, the blank used when a file
// has no header, acceleration with its calibration, and the step limit. OK takes the fields only
// when every one holds a number it may hold; the settings are then those of settings().
class DryRunSettingsDialog : public QDialog {
    Q_OBJECT

public:
    explicit DryRunSettingsDialog(const dryrun::Settings& settings, QWidget* parent = nullptr);

    // The settings the fields hold, or why they cannot be taken (the field named).
    std::optional<dryrun::Settings> settings(QString* problem = nullptr) const;
    void accept() override;

private:
    void fill(const dryrun::Settings& settings);
    void updateEnabled();

    QList<QLineEdit*> m_numbers;  // in the order of the field table
    QList<QLineEdit*> m_optional; // empty means unset
    QLineEdit* m_stepLimit;
    QComboBox* m_zero;
    QCheckBox* m_acceleration;
    QLabel* m_problem;
};
