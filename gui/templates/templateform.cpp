#include "gui/templates/templateform.h"

#include "core/numberbox.h"
#include "gui/oneline.h"
#include "gui/plaintext.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

TemplateForm::TemplateForm(const QList<templates::Template>& choices, int chosen, int afterLine, QWidget* parent)
    : QDialog(parent), m_choices(choices), m_afterLine(afterLine) {
    setObjectName(QStringLiteral("frmTemplate"));
    setWindowTitle(tr("Insert a Template"));
    setModal(true);

    m_choice = new QComboBox(this);
    m_choice->setObjectName(QStringLiteral("cmbTemplate"));
    for (const templates::Template& t : m_choices)
        m_choice->addItem(t.name);
    auto* choiceLabel = new QLabel(tr("&Template:"), this);
    choiceLabel->setBuddy(m_choice);

    m_description = new QLabel(this);
    m_description->setObjectName(QStringLiteral("lblDescription"));
    m_description->setTextFormat(Qt::PlainText);
    m_description->setWordWrap(true);

    // The boxes scroll when a template has more of them than the screen holds.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("scrParameters"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_fieldArea = new QWidget(scroll);
    m_form = new QFormLayout(m_fieldArea);
    m_form->setContentsMargins(0, 0, 0, 0);
    scroll->setWidget(m_fieldArea);

    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("lblProblem"));
    m_problem->setTextFormat(Qt::PlainText);
    m_problem->setWordWrap(true);
    QPalette warning = m_problem->palette();
    warning.setColor(QPalette::WindowText, QColor(176, 0, 0));
    m_problem->setPalette(warning);

    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("lblLineCount"));
    m_count->setTextFormat(Qt::PlainText);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->setObjectName(QStringLiteral("buttons"));
    m_buttons->button(QDialogButtonBox::Ok)->setText(tr("&Insert"));
    m_buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdInsert"));
    connect(m_buttons, &QDialogButtonBox::accepted, this, &TemplateForm::pressInsert);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(choiceLabel);
    top->addWidget(m_choice, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_description);
    layout->addWidget(scroll);
    layout->addWidget(m_problem);
    layout->addWidget(m_count);
    layout->addWidget(m_buttons);
    m_choice->setMinimumWidth(m_choice->fontMetrics().averageCharWidth() * 40);
    // The form takes the size of the chosen template's fields, growing and shrinking with them.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_choice, &QComboBox::currentIndexChanged, this, &TemplateForm::showTemplate);
    m_choice->setCurrentIndex(std::clamp(chosen, 0, static_cast<int>(m_choices.size()) - 1));
    showTemplate(m_choice->currentIndex());
}

const templates::Template& TemplateForm::chosen() const {
    static const templates::Template none;
    const int at = m_choice->currentIndex();
    return at >= 0 && at < m_choices.size() ? m_choices[at] : none;
}

void TemplateForm::showTemplate(int index) {
    while (m_form->rowCount() > 0)
        m_form->removeRow(0);
    m_fields.clear();
    if (index < 0 || index >= m_choices.size()) {
        check();
        return;
    }
    const templates::Template& t = m_choices[index];
    m_description->setText(t.description);
    m_description->setVisible(!t.description.isEmpty());
    for (qsizetype i = 0; i < t.parameters.size(); ++i) {
        const templates::Parameter& p = t.parameters[i];
        auto* box = new QLineEdit(numberbox::text(p.defaultValue), m_fieldArea);
        box->setObjectName(QStringLiteral("txtParam_%1").arg(i + 1));
        const QString range = templates::rangeText(p);
        box->setToolTip(plainToolTip(range.isEmpty() ? u'&' + p.name : tr("&%1: %2").arg(p.name, range)));
        keepOneLine(box);
        connect(box, &QLineEdit::textChanged, this, [this] { check(); });
        // The form makes the box the label's buddy, so "&" would mark a shortcut letter: doubled, it shows.
        const QString prompt = p.prompt.isEmpty() ? u'&' + p.name : p.prompt;
        m_form->addRow(plainLabel(QString(prompt).replace(u'&', QStringLiteral("&&")), m_fieldArea), box);
        m_fields << box;
    }
    const auto lines = static_cast<int>(t.parameters.size() + t.lines.size());
    // Every template has at least one line, and most many: the text need not count a single one.
    m_count->setText(m_afterLine > 0 ? tr("Inserts %1 lines after line %2.").arg(lines).arg(m_afterLine)
                                     : tr("Inserts %1 lines at the end of the program.").arg(lines));
    check();
}

std::optional<QHash<QString, double>> TemplateForm::check() {
    const templates::Template& t = chosen();
    QHash<QString, double> values;
    QStringList bad;
    for (qsizetype i = 0; i < m_fields.size() && i < t.parameters.size(); ++i) {
        QLineEdit* box = m_fields[i];
        const std::optional<double> v = numberbox::read(box->text());
        QPalette palette = m_fieldArea->palette();
        if (v) values.insert(t.parameters[i].name, *v);
        if (!v) bad << u'&' + t.parameters[i].name;
        if (!v || !templates::inRange(t.parameters[i], *v)) palette.setColor(QPalette::Base, QColor(255, 214, 214));
        box->setPalette(palette);
    }
    // Numbers first: whether values can be cut together is asked only of numbers.
    const QStringList refused =
        !bad.isEmpty()
            ? QStringList{bad.size() == 1 ? tr("The value of %1 is not a number.").arg(bad.front())
                                          : tr("The values of %1 are not numbers.").arg(bad.join(QStringLiteral(", ")))}
            : templates::refusals(t, values);
    m_problem->setText(refused.join(u'\n'));
    m_problem->setVisible(!refused.isEmpty());
    const bool ok = refused.isEmpty() && m_choice->currentIndex() >= 0;
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(ok);
    if (!ok) return std::nullopt;
    return values;
}

void TemplateForm::pressInsert() {
    const std::optional<QHash<QString, double>> values = check();
    if (!values) return;
    m_result = templates::instantiate(chosen(), *values);
    accept();
}
