#include "gui/templates/savetemplatedialog.h"

#include "core/language/statement.h"
#include "gui/oneline.h"
#include "gui/plaintext.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

SaveTemplateDialog::SaveTemplateDialog(const QStringList& programLines, const QString& folder, QWidget* parent)
    : QDialog(parent), m_lines(programLines), m_folder(folder) {
    setObjectName(QStringLiteral("frmSaveTemplate"));
    setWindowTitle(tr("Save as Template"));
    setModal(true);
    const auto count = static_cast<int>(m_lines.size());

    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("txtTemplateName"));
    keepOneLine(m_name);
    m_description = new QLineEdit(this);
    m_description->setObjectName(QStringLiteral("txtDescription"));
    keepOneLine(m_description);
    m_from = new QSpinBox(this);
    m_from->setObjectName(QStringLiteral("txtFromLine"));
    m_to = new QSpinBox(this);
    m_to->setObjectName(QStringLiteral("txtToLine"));
    m_from->setRange(1, std::max(count, 1));
    m_to->setRange(1, std::max(count, 1));
    m_to->setValue(count);
    auto* range = new QHBoxLayout;
    range->addWidget(m_from);
    range->addWidget(new QLabel(tr("to"), this));
    range->addWidget(m_to);
    range->addStretch(1);

    auto* where = new QLabel(tr("Saved in %1").arg(QDir::toNativeSeparators(m_folder)), this);
    where->setObjectName(QStringLiteral("lblFolder"));
    where->setTextFormat(Qt::PlainText);
    where->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow(tr("&Name:"), m_name);
    form->addRow(tr("&Description:"), m_description);
    // A row holding a layout gets no buddy of its own: the label points at the first box.
    auto* rangeLabel = new QLabel(tr("&Lines:"), this);
    rangeLabel->setBuddy(m_from);
    form->addRow(rangeLabel, range);

    auto* offers = new QGroupBox(tr("Parameters: numbers asked for when the template is inserted"), this);
    offers->setObjectName(QStringLiteral("fraParameters"));
    // A long program sets many variables: they scroll rather than stretch the dialog off the screen.
    m_offerScroll = new QScrollArea(offers);
    m_offerScroll->setWidgetResizable(true);
    m_offerScroll->setFrameShape(QFrame::NoFrame);
    m_offerArea = new QWidget(m_offerScroll);
    m_offerGrid = new QGridLayout(m_offerArea);
    m_offerGrid->setContentsMargins(0, 0, 0, 0);
    m_offerGrid->setAlignment(Qt::AlignTop);
    m_offerScroll->setWidget(m_offerArea);
    m_noOffers = new QLabel(tr("These lines set no variable."), offers);
    m_noOffers->setObjectName(QStringLiteral("lblNoParameters"));
    auto* offersLayout = new QVBoxLayout(offers);
    offersLayout->addWidget(m_offerScroll);
    offersLayout->addWidget(m_noOffers);

    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("lblProblem"));
    m_problem->setTextFormat(Qt::PlainText);
    m_problem->setWordWrap(true);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    m_buttons->setObjectName(QStringLiteral("buttons"));
    connect(m_buttons, &QDialogButtonBox::accepted, this, &SaveTemplateDialog::pressSave);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(where);
    layout->addWidget(offers);
    layout->addWidget(m_problem);
    layout->addWidget(m_buttons);
    m_name->setMinimumWidth(m_name->fontMetrics().averageCharWidth() * 48);
    // The dialog takes the size of what it shows, growing and shrinking with the parameters offered.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The range stays a range: neither end passes the other.
    connect(m_from, &QSpinBox::valueChanged, this, [this](int v) {
        if (m_to->value() < v) m_to->setValue(v);
        showOffers();
    });
    connect(m_to, &QSpinBox::valueChanged, this, [this](int v) {
        if (m_from->value() > v) m_from->setValue(v);
        showOffers();
    });
    connect(m_name, &QLineEdit::textChanged, this, &SaveTemplateDialog::check);
    showOffers();
}

void SaveTemplateDialog::showOffers() {
    for (const Row& row : m_rows)
        m_kept.insert(statement::nameKey(row.offer.name), {row.use->isChecked(), row.prompt->text()});
    while (QLayoutItem* item = m_offerGrid->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    m_rows.clear();

    const QStringList lines = m_lines.mid(m_from->value() - 1, m_to->value() - m_from->value() + 1);
    for (const templates::Offer& offer : templates::offers(lines)) {
        const auto n = static_cast<int>(m_rows.size()) + 1;
        Row row{offer, new QCheckBox(m_offerArea), new QLineEdit(m_offerArea)};
        row.use->setObjectName(QStringLiteral("chkParam_%1").arg(n));
        row.prompt->setObjectName(QStringLiteral("txtPrompt_%1").arg(n));
        keepOneLine(row.prompt);
        // "&" doubled: a check box's text would take it for a shortcut.
        row.use->setText(
            QStringLiteral("&&%1 = %2").arg(offer.name, QString(offer.value).replace(u'&', QStringLiteral("&&"))));
        const auto kept =
            m_kept.value(statement::nameKey(offer.name), {false, offer.comment.isEmpty() ? offer.name : offer.comment});
        row.prompt->setText(kept.second);
        if (offer.usable) {
            row.use->setChecked(kept.first);
            row.prompt->setToolTip(plainToolTip(tr("The text the form shows beside the box for &%1").arg(offer.name)));
        } else {
            row.use->setEnabled(false);
            row.use->setToolTip(plainToolTip(tr("&%1 is first set to something other than a number, or after a "
                                                "label, a jump or an IF, so it stays as the lines set it.")
                                                 .arg(offer.name)));
        }
        row.prompt->setEnabled(row.use->isChecked());
        connect(row.use, &QCheckBox::toggled, row.prompt, &QWidget::setEnabled);
        m_offerGrid->addWidget(row.use, n - 1, 0);
        m_offerGrid->addWidget(row.prompt, n - 1, 1);
        m_rows << row;
    }
    m_noOffers->setVisible(m_rows.isEmpty());
    m_offerScroll->setVisible(!m_rows.isEmpty());
    // Up to ten rows show without scrolling; the dialog shrinks again when fewer are left.
    const int rowHeight = m_rows.isEmpty() ? 0 : m_rows.front().prompt->sizeHint().height() + m_offerGrid->spacing();
    m_offerScroll->setFixedHeight(std::min<int>(static_cast<int>(m_rows.size()), 10) * rowHeight);
    check();
}

void SaveTemplateDialog::check() {
    QString error;
    const bool named = templates::templatePath(m_folder, m_name->text(), &error).has_value();
    // Before a name is typed there is nothing wrong yet to point at.
    m_problem->setText(named || m_name->text().isEmpty() ? QString() : error);
    m_problem->setVisible(!m_problem->text().isEmpty());
    m_buttons->button(QDialogButtonBox::Save)->setEnabled(named && !m_folder.isEmpty() && !m_lines.isEmpty());
}

void SaveTemplateDialog::pressSave() {
    QString error;
    const std::optional<QString> path = templates::templatePath(m_folder, m_name->text(), &error);
    if (!path || m_folder.isEmpty() || m_lines.isEmpty()) return;
    TemplateToSave t;
    t.name = m_name->text().trimmed();
    t.path = *path;
    t.description = m_description->text();
    t.from = m_from->value();
    t.to = m_to->value();
    for (const Row& row : m_rows)
        if (row.offer.usable && row.use->isChecked()) {
            templates::Parameter p; // no range: the selection's lines say nothing of one
            p.name = row.offer.name;
            p.defaultValue = row.offer.defaultValue;
            p.prompt = row.prompt->text();
            t.parameters << p;
        }
    m_result = std::move(t);
    accept();
}
