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

#include <algorithm>
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
constexpr int AccelerationFields = 3; // after the speeds; the calibration factor has no unit

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

// How many of to's units one of from's is.
double factor(dryrun::Unit from, dryrun::Unit to) {
    if (from == to) return 1;
    return from == dryrun::Unit::Inch ? 25.4 : 1 / 25.4;
}

// The bit's shapes in the order of the shape box.
constexpr dryrun::Tool::Shape Shapes[] = {dryrun::Tool::Shape::Flat, dryrun::Tool::Shape::V, dryrun::Tool::Shape::Ball};

QLineEdit* field(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaximumWidth(90);
    return edit;
}

} // namespace

DryRunSettingsDialog::DryRunSettingsDialog(const Settings& settings, QWidget* parent)
    : QDialog(parent), m_base(settings) {
    setObjectName(QStringLiteral("frmDryRunSettings"));
    setWindowTitle(tr("Dry Run Settings"));

    auto* speeds = new QGroupBox(this);
    m_speeds = speeds;
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
        m_captions << qobject_cast<QLabel*>(i < SpeedFields ? speedGrid->itemAtPosition(i / 4 * 2, i % 4)->widget()
                                                            : timingForm->labelForField(edit));
    }
    m_stepLimit = field("txtStepLimit", timing);
    timingForm->addRow(tr("Step limit (lines run)"), m_stepLimit);

    auto* machine = new QGroupBox(tr("Table and blank (empty: no check, or the file's header decides)"), this);
    auto* machineForm = new QFormLayout(machine);
    for (const OptionalField& f : Optionals) {
        QLineEdit* edit = field(f.name, machine);
        m_optional << edit;
        machineForm->addRow(label(f.label), edit);
        m_captions << qobject_cast<QLabel*>(machineForm->labelForField(edit));
    }
    m_zero = new QComboBox(machine);
    m_zero->setObjectName(QStringLiteral("cmbZeroAt"));
    m_zero->addItems({tr("Top of the blank"), tr("Table top")});
    machineForm->addRow(tr("Z zeroed at"), m_zero);

    auto* bit = new QGroupBox(tr("Bit (used when the file's header names none)"), this);
    auto* bitForm = new QFormLayout(bit);
    m_toolShape = new QComboBox(bit);
    m_toolShape->setObjectName(QStringLiteral("cmbToolShape"));
    m_toolShape->addItems({tr("Flat end mill"), tr("V bit"), tr("Ball end mill")});
    bitForm->addRow(tr("Shape"), m_toolShape);
    m_toolDiameter = field("txtToolDiameter", bit);
    m_toolDiameter->setToolTip(tr("The bit's cutting diameter; a V bit's where its cone ends"));
    bitForm->addRow(tr("Diameter"), m_toolDiameter);
    m_toolAngle = field("txtToolAngle", bit);
    bitForm->addRow(tr("V bit's angle (degrees)"), m_toolAngle);
    m_vBitDiameter = field("txtVBitDiameter", bit);
    m_vBitDiameter->setToolTip(tr("Where a V bit's cone ends; a header naming only the angle takes this. "
                                  "Empty: 1/2 inch or 12 mm."));
    bitForm->addRow(tr("V bit's largest diameter"), m_vBitDiameter);
    m_captions << qobject_cast<QLabel*>(bitForm->labelForField(m_toolDiameter))
               << qobject_cast<QLabel*>(bitForm->labelForField(m_vBitDiameter));

    auto* carved = new QGroupBox(tr("Carved blank"), this);
    auto* carvedForm = new QFormLayout(carved);
    m_carveBudget = field("txtCarveBudget", carved);
    m_carveBudget->setToolTip(tr("The most memory the carved blank's picture may take; a larger budget gives a "
                                 "finer picture of the whole blank. 1 to 65536 MiB."));
    carvedForm->addRow(tr("Memory budget (MiB)"), m_carveBudget);

    m_unit = new QComboBox(this);
    m_unit->setObjectName(QStringLiteral("cmbUnit"));
    m_unit->addItems({tr("Inches"), tr("Millimetres")});
    auto* unitForm = new QFormLayout;
    unitForm->addRow(tr("These settings are in"), m_unit);

    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("lblSettingsProblem"));
    m_problem->setTextFormat(Qt::PlainText);
    m_problem->setStyleSheet(QStringLiteral("color: #b00000"));
    m_problem->hide();

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::RestoreDefaults, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &DryRunSettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &DryRunSettingsDialog::reject);
    connect(buttons->button(QDialogButtonBox::RestoreDefaults), &QPushButton::clicked, this, [this] {
        // The defaults in the unit chosen.
        const dryrun::Unit unit = m_shownUnit;
        fill(Settings{});
        m_unit->setCurrentIndex(unit == dryrun::Unit::Inch ? 0 : 1);
    });
    connect(m_acceleration, &QCheckBox::toggled, this, &DryRunSettingsDialog::updateEnabled);
    connect(m_toolShape, &QComboBox::currentIndexChanged, this, &DryRunSettingsDialog::updateEnabled);
    connect(m_unit, &QComboBox::currentIndexChanged, this,
            [this](int index) { showUnit(index == 1 ? dryrun::Unit::Millimetre : dryrun::Unit::Inch); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(unitForm);
    layout->addWidget(speeds);
    layout->addWidget(machine);
    layout->addWidget(bit);
    layout->addWidget(timing);
    layout->addWidget(carved);
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
    m_carveBudget->setText(shown(s.carveBudgetMiB));
    m_zero->setCurrentIndex(s.zeroOnTable ? 1 : 0);
    m_acceleration->setChecked(s.acceleration);
    m_toolShape->setCurrentIndex(
        int(std::find(std::begin(Shapes), std::end(Shapes), s.tool.shape) - std::begin(Shapes)));
    m_toolDiameter->setText(shown(s.tool.diameter));
    m_toolAngle->setText(shown(s.tool.angle));
    m_vBitDiameter->setText(s.vBitDiameter ? shown(*s.vBitDiameter) : QString());
    {
        // The numbers are in the settings' unit already: only the labels follow.
        const QSignalBlocker quiet(m_unit);
        m_unit->setCurrentIndex(s.unit == dryrun::Unit::Inch ? 0 : 1);
    }
    m_shownUnit = s.unit;
    showUnit(s.unit);
    updateEnabled();
}

void DryRunSettingsDialog::updateEnabled() {
    for (int i = 0; i < m_numbers.size(); ++i)
        if (Numbers[i].acceleration) m_numbers[i]->setEnabled(m_acceleration->isChecked());
    m_toolAngle->setEnabled(m_toolShape->currentIndex() == 1);
}

void DryRunSettingsDialog::showUnit(dryrun::Unit unit) {
    // A speed of 1 in/s stays the same speed as 25.4 mm/s: the numbers follow the unit.
    const double f = factor(m_shownUnit, unit);
    m_shownUnit = unit;
    QList<QLineEdit*> lengths = m_numbers.mid(0, SpeedFields + AccelerationFields) + m_optional;
    lengths << m_toolDiameter << m_vBitDiameter;
    for (QLineEdit* edit : lengths)
        if (const std::optional<double> v = number(edit->text()); v && f != 1) edit->setText(shown(*v * f));

    const QString length = dryrun::unitSymbol(unit), speed = dryrun::speedSymbol(unit);
    m_speeds->setTitle(tr("Speeds (%1)").arg(speed));
    for (int i = 0; i < m_numbers.size(); ++i) {
        const bool perSecondSquared = i >= SpeedFields && i < SpeedFields + AccelerationFields;
        m_captions[i]->setText(perSecondSquared ? tr("%1 (%2\u00b2)").arg(label(Numbers[i].label), speed)
                                                : label(Numbers[i].label));
    }
    for (int i = 0; i < m_optional.size(); ++i)
        m_captions[m_numbers.size() + i]->setText(tr("%1 (%2)").arg(label(Optionals[i].label), length));
    const qsizetype bit = m_numbers.size() + m_optional.size();
    m_captions[bit]->setText(tr("Diameter (%1)").arg(length));
    m_captions[bit + 1]->setText(tr("V bit's largest diameter (%1)").arg(length));
    m_vBitDiameter->setPlaceholderText(unit == dryrun::Unit::Inch ? tr("0.5 (unset)") : tr("12 (unset)"));
}

std::optional<Settings> DryRunSettingsDialog::settings(QString* problem) const {
    const auto refuse = [&](const QString& why) -> std::optional<Settings> {
        if (problem) *problem = why;
        return std::nullopt;
    };
    // A setting with no field here (one the settings file holds) is not lost by OK.
    Settings s = m_base;
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
        Optionals[i].value(s).reset();
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
    s.unit = m_shownUnit;
    s.tool.shape = Shapes[std::clamp(m_toolShape->currentIndex(), 0, int(std::size(Shapes)) - 1)];
    const std::optional<double> diameter = number(m_toolDiameter->text());
    if (!diameter || *diameter <= 0) return refuse(tr("The bit's diameter must be a number above 0."));
    s.tool.diameter = *diameter;
    const std::optional<double> angle = number(m_toolAngle->text());
    if (!angle || *angle <= 0 || *angle >= 180) {
        // Only a V bit has an angle; another shape keeps whatever the field holds.
        if (s.tool.shape == dryrun::Tool::Shape::V)
            return refuse(tr("The V bit's angle must be a number of degrees above 0 and below 180."));
    } else {
        s.tool.angle = *angle;
    }
    const std::optional<double> budget = number(m_carveBudget->text());
    if (!budget || *budget < 1 || *budget > 65536 || *budget != std::floor(*budget))
        return refuse(tr("The carve's memory budget must be a whole number of MiB from 1 to 65536."));
    s.carveBudgetMiB = *budget;
    s.vBitDiameter.reset();
    if (!m_vBitDiameter->text().trimmed().isEmpty()) {
        const std::optional<double> v = number(m_vBitDiameter->text());
        if (!v || *v <= 0) return refuse(tr("The V bit's largest diameter must be a number above 0, or empty."));
        s.vBitDiameter = *v;
    }
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
