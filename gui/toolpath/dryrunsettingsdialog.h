#pragma once

#include "core/dryrun/dryrun.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

// The dry run's settings as the operator sets them: speeds, the table, the blank and the bit used
// when a file's header names none, acceleration with its calibration, the step limit, and the unit
// all of these are given in (each label says it), and the memory the carved blank may take. OK takes the fields only
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
    // Shows the fields' lengths and speeds in unit, their numbers turned from the unit shown so far.
    void showUnit(dryrun::Unit unit);

    QList<QLineEdit*> m_numbers;  // in the order of the field table
    QList<QLineEdit*> m_optional; // empty means unset
    QLineEdit* m_stepLimit;
    QComboBox* m_zero;
    QCheckBox* m_acceleration;
    QLabel* m_problem;
    // The unit of the settings themselves, and the bit used where a file's header names none.
    QComboBox* m_unit;
    dryrun::Unit m_shownUnit = dryrun::Unit::Inch;
    QComboBox* m_toolShape;
    QLineEdit* m_toolDiameter;
    QLineEdit* m_toolAngle;
    QLineEdit* m_vBitDiameter; // empty: 1/2 inch or 12 mm
    QGroupBox* m_speeds;
    QList<QLabel*> m_captions; // of m_numbers, then of m_optional, then the bit's two widths
    QLineEdit* m_carveBudget;  // MiB
    // What the dialog was opened with: what it has no field for stays as it was.
    dryrun::Settings m_base;
};
