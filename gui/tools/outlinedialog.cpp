#include "gui/tools/outlinedialog.h"

#include "core/dryrun/outline.h"
#include "core/numberbox.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

// The safe Z as typed, by the one rule every number box keeps ("0,5" is a half on any locale).
std::optional<double> number(const QString& text) {
    const std::optional<double> v = numberbox::read(text);
    // No machine reaches further; the dry run names targets beyond this as out of reach.
    if (!v || std::abs(*v) > 1e9) return std::nullopt;
    return v;
}

} // namespace

OutlineDialog::OutlineDialog(double safeZ, int afterRow, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmTraceOutline"));
    setWindowTitle(tr("Trace the outline"));

    auto* intro = new QLabel(tr("Jogs up to the safe Z, then around the rectangle the program's moves cover."), this);
    intro->setObjectName(QStringLiteral("lblOutline"));
    intro->setTextFormat(Qt::PlainText);
    intro->setWordWrap(true);

    m_safeZ = new QLineEdit(outline::field(safeZ), this);
    m_safeZ->setObjectName(QStringLiteral("txtSafeZ"));
    auto* fields = new QFormLayout;
    fields->addRow(tr("&Safe Z:"), m_safeZ);

    m_insert = new QRadioButton(afterRow > 0 ? tr("&Insert the lines after line %1").arg(afterRow)
                                             : tr("&Insert the lines at the end of the program"),
                                this);
    m_insert->setObjectName(QStringLiteral("optInsertOutline"));
    m_insert->setChecked(true);
    m_separate = new QRadioButton(tr("Save them as a separate &part file..."), this);
    m_separate->setObjectName(QStringLiteral("optOutlineFile"));

    auto* buttons = new QDialogButtonBox(this);
    m_done = buttons->addButton(tr("Done"), QDialogButtonBox::AcceptRole);
    m_done->setObjectName(QStringLiteral("cmdOutlineDone"));
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("cmdOutlineCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &OutlineDialog::pressDone);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Done waits for a number the line can hold.
    connect(m_safeZ, &QLineEdit::textChanged, this, [this] { m_done->setEnabled(choice().has_value()); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(fields);
    layout->addWidget(m_insert);
    layout->addWidget(m_separate);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_safeZ->selectAll();
}

std::optional<OutlineDialog::Choice> OutlineDialog::choice() const {
    const std::optional<double> z = number(m_safeZ->text());
    if (!z) return std::nullopt;
    return Choice{*z, m_separate->isChecked() ? Destination::SeparateFile : Destination::Insert};
}

void OutlineDialog::pressDone() {
    if (choice()) accept();
}
