#include "gui/toolpath/dryrunsettingsdialog.h"

#include "core/numberbox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

using dryrun::Settings;

// A number the dry run needs, always set and above zero.
struct NumberField {
    const char* name;
    const char* label;
    double& (*value)(Settings&);
    bool acceleration; // only used, and only editable, with acceleration on
};

// A size the operator may leave empty: no such check, or the file's header decides.
struct OptionalField {
    const char* name;
    const char* label;
    std::optional<double>& (*value)(Settings&);
};

constexpr NumberField Numbers[] = {
    {"txtMoveXY", QT_TRANSLATE_NOOP("DryRunSettingsDialog", "Move XY"),
     [](Settings& s) -> double& { return s.move.xy; }, false},
    {"txtMoveZ", QT_TRANSLATE_NOOP("DryRunSettingsDialog", "Move Z"), [](Settings& s) -> double& { return s.move.z; },
     false},
    {"txtMoveA", QT_TRANSLATE_NOOP("DryRunSettingsDialog", "Move A"), [](Settings& s) -> double& { return s.move.a; },
     false},
    {"txtMoveB", QT_TRANSLATE_NOOP("DryRunSettingsDialog", "Move B"), [](Settings& s) -> double& { return s.move.b; },
     false},
    {"txtJogXY", QT_TRANSLATE_NOOP("DryRunSettingsDialog", "Jog XY"), [](Settings& s) -> double& { return s.jog.xy; },
     false},
    {"txtJogZ", QT_TRANSLATE_NOOP("DryRunSettingsDialog", "Jog Z"), [](Settings& s) -> double& { return s.jog.z; },
     false},
    {"txtJogA", QT_TRANSLATE_NOOP("DryRunSettingsDialog", "Jog A"), [](Settings& s) -> double& { return s.jog.a; },
     false},
    {"txtJogB", QT_TRANSLATE_NOOP("DryRunSettingsDialog", "Jog B"), [](Settings& s) -> double& { return s.jog.b; },
     false},
    {"txtAccelXY", QT_TRANSLATE_NOOP("DryRunSettingsDialog", "XY acceleration"),
     [](Settings& s) -> double& { return s.accelXY; }, true},
    {"txtAccelZ", QT_TRANSLATE_NOOP("DryRunSettingsDialog", "Z acceleration"),
     [](Settings& s) -> double& { return s.accelZ; }, true},
    {"txtAccelAB", QT_TRANSLATE_NOOP("DryRunSettingsDialog", "A and B acceleration"),
     [](Settings& s) -> double& { return s.accelAB; }, true},
    {"txtCalibration", QT_TRANSLATE_NOOP("DryRunSettingsDialog", "Calibration factor"),
     [](Settings& s) -> double& { return s.calibration; }, true},
};
constexpr int SpeedFields = 8;

constexpr OptionalField Optionals[] = {
    {"txtTableX", QT_TRANSLATE_NOOP("DryRunSettingsDialog", "Table X"),
     [](Settings& s) -> std::optional<double>& { return s.tableX; }},
    {"txtTableY", QT_TRANSLATE_NOOP("DryRunSettingsDialog", "Table Y"),
     [](Settings& s) -> std::optional<double>& { return s.tableY; }},
    {"txtBlankX", QT_TRANSLATE_NOOP("DryRunSettingsDialog", "Blank X"),
     [](Settings& s) -> std::optional<double>& { return s.blankX; }},
    {"txtBlankY", QT_TRANSLATE_NOOP("DryRunSettingsDialog", "Blank Y"),
     [](Settings& s) -> std::optional<double>& { return s.blankY; }},
    {"txtThickness", QT_TRANSLATE_NOOP("DryRunSettingsDialog", "Thickness"),
     [](Settings& s) -> std::optional<double>& { return s.thickness; }},
};

QString label(const char* text) {
    return QCoreApplication::translate("DryRunSettingsDialog", text);
}

std::optional<double> number(const QString& typed) {
    return numberbox::read(typed);
}

QString shown(double v) {
    return std::isfinite(v) ? numberbox::text(v) : QString();
}

QLineEdit* field(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaximumWidth(90);
    return edit;
}

} // namespace

DryRunSettingsDialog::DryRunSettingsDialog(const Settings& settings, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmDryRunSettings"));
    setWindowTitle(tr("Dry Run Settings"));

    auto* speeds = new QGroupBox(tr("Speeds (units per second)"), this);
    auto* speedGrid = new QGridLayout(speeds);
    auto* timing = new QGroupBox(tr("Run time"), this);
    auto* timingForm = new QFormLayout(timing);
    m_acceleration = new QCheckBox(tr("Accelerate and decelerate on every segment"), timing);
    m_acceleration->setObjectName(QStringLiteral("chkAcceleration"));
    timingForm->addRow(m_acceleration);
    for (int i = 0; i < int(std::size(Numbers)); ++i) {
        const NumberField& f = Numbers[i];
        QWidget* owner = i < SpeedFields ? speeds : timing;
        QLineEdit* edit = field(f.name, owner);
        m_numbers << edit;
        if (i < SpeedFields) {
            auto* caption = new QLabel(label(f.label), owner);
            caption->setBuddy(edit);
            speedGrid->addWidget(caption, i / 4 * 2, i % 4);
            speedGrid->addWidget(edit, i / 4 * 2 + 1, i % 4);
        } else {
            timingForm->addRow(label(f.label), edit);
        }
    }
    m_stepLimit = field("txtStepLimit", timing);
    timingForm->addRow(tr("Step limit (lines run)"), m_stepLimit);

    auto* machine = new QGroupBox(tr("Table and blank (empty: no check, or the file's header decides)"), this);
    auto* machineForm = new QFormLayout(machine);
    for (const OptionalField& f : Optionals) {
        QLineEdit* edit = field(f.name, machine);
        m_optional << edit;
        machineForm->addRow(label(f.label), edit);
    }
    m_zero = new QComboBox(machine);
    m_zero->setObjectName(QStringLiteral("cmbZeroAt"));
    m_zero->addItems({tr("Top of the blank"), tr("Table top")});
    machineForm->addRow(tr("Z zeroed at"), m_zero);

    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("lblSettingsProblem"));
    m_problem->setTextFormat(Qt::PlainText);
    m_problem->setStyleSheet(QStringLiteral("color: #b00000"));
    m_problem->hide();

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::RestoreDefaults, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &DryRunSettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &DryRunSettingsDialog::reject);
    connect(buttons->button(QDialogButtonBox::RestoreDefaults), &QPushButton::clicked, this,
            [this] { fill(Settings{}); });
    connect(m_acceleration, &QCheckBox::toggled, this, &DryRunSettingsDialog::updateEnabled);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(speeds);
    layout->addWidget(machine);
    layout->addWidget(timing);
    layout->addWidget(m_problem);
    layout->addWidget(buttons);
    fill(settings);
}

void DryRunSettingsDialog::fill(const Settings& settings) {
    Settings s = settings;
    for (int i = 0; i < m_numbers.size(); ++i)
        m_numbers[i]->setText(shown(Numbers[i].value(s)));
    for (int i = 0; i < m_optional.size(); ++i) {
        const std::optional<double>& v = Optionals[i].value(s);
        m_optional[i]->setText(v ? shown(*v) : QString());
    }
    m_stepLimit->setText(QString::number(s.stepLimit));
    m_zero->setCurrentIndex(s.zeroOnTable ? 1 : 0);
    m_acceleration->setChecked(s.acceleration);
    updateEnabled();
}

void DryRunSettingsDialog::updateEnabled() {
    for (int i = 0; i < m_numbers.size(); ++i)
        if (Numbers[i].acceleration) m_numbers[i]->setEnabled(m_acceleration->isChecked());
}

std::optional<Settings> DryRunSettingsDialog::settings(QString* problem) const {
    const auto refuse = [&](const QString& why) -> std::optional<Settings> {
        if (problem) *problem = why;
        return std::nullopt;
    };
    Settings s;
    for (int i = 0; i < m_numbers.size(); ++i) {
        const std::optional<double> v = number(m_numbers[i]->text());
        // Fields that acceleration alone uses keep whatever they hold while it is off.
        if (!v || *v <= 0) {
            if (Numbers[i].acceleration && !m_acceleration->isChecked()) continue;
            return refuse(tr("%1 must be a number above 0.").arg(label(Numbers[i].label)));
        }
        Numbers[i].value(s) = *v;
    }
    for (int i = 0; i < m_optional.size(); ++i) {
        if (m_optional[i]->text().trimmed().isEmpty()) continue;
        const std::optional<double> v = number(m_optional[i]->text());
        if (!v || *v <= 0) return refuse(tr("%1 must be a number above 0, or empty.").arg(label(Optionals[i].label)));
        Optionals[i].value(s) = *v;
    }
    const std::optional<double> limit = number(m_stepLimit->text());
    if (!limit || *limit < 1 || *limit > double(Settings::MaxStepLimit) || *limit != std::floor(*limit))
        return refuse(tr("The step limit must be a whole number from 1 to %1.").arg(Settings::MaxStepLimit));
    s.stepLimit = qint64(*limit);
    s.zeroOnTable = m_zero->currentIndex() == 1;
    s.acceleration = m_acceleration->isChecked();
    return s;
}

void DryRunSettingsDialog::accept() {
    QString problem;
    if (!settings(&problem)) {
        m_problem->setText(problem);
        m_problem->show();
        return;
    }
    QDialog::accept();
}
