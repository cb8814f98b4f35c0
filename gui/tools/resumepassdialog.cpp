#include "gui/tools/resumepassdialog.h"

#include "core/dryrun/resumecopy.h"
#include "gui/toolpath/toolpathpanels.h"

#include <QDialogButtonBox>
#include <QHash>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Enough to tell the passes apart without a row wider than the screen.
constexpr int ShownVariables = 4;

QString passText(const dryrun::LineState& first, const dryrun::LineState& s) {
    const auto n = [](double v) { return QString::number(v, 'f', 3); };
    QString text = ResumePassDialog::tr("Pass %1: at %2, tool at X %3  Y %4  Z %5")
                       .arg(s.pass)
                       .arg(formatRunTime(s.runTime), n(s.position.x), n(s.position.y), n(s.position.z));
    QHash<QString, double> before;
    for (const auto& [name, value] : first.variables)
        before.insert(name, value);
    QStringList changed;
    for (const auto& [name, value] : s.variables) {
        const auto was = before.constFind(name);
        if (was != before.constEnd() && *was == value) continue;
        changed << QStringLiteral("&%1 = %2").arg(name, resumecopy::exactNumber(value));
    }
    if (changed.size() > ShownVariables)
        changed = changed.mid(0, ShownVariables)
                  << ResumePassDialog::tr("%n more", nullptr, int(changed.size()) - ShownVariables);
    if (!changed.isEmpty()) text += QStringLiteral("; ") + changed.join(QStringLiteral(", "));
    return text;
}

} // namespace

ResumePassDialog::ResumePassDialog(const dryrun::Trace& trace, int line, const QString& why, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmResumePass"));
    setWindowTitle(tr("Resume from which pass?"));

    QString intro =
        tr("The dry run reaches line %1 %2 times in all.").arg(line).arg(QLocale().toString(trace.watchedTimes));
    if (!why.isEmpty()) intro += u' ' + why;
    if (trace.watchedTimes > qint64(trace.watched.size()))
        intro += u' ' + tr("Only the first %1 are listed; the copy can start at one of these.")
                            .arg(QLocale().toString(qint64(trace.watched.size())));
    intro += u'\n' + tr("Choose the pass the machine stopped in: the copy sets the machine and the variables as "
                        "they stood when that pass reached the line, and goes on from there.");
    auto* label = new QLabel(intro, this);
    label->setObjectName(QStringLiteral("lblResumePass"));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);

    m_passes = new QListWidget(this);
    m_passes->setObjectName(QStringLiteral("lstResumePass"));
    for (const dryrun::LineState& s : trace.watched)
        m_passes->addItem(passText(trace.watched.front(), s));
    m_passes->setCurrentRow(0);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* done = buttons->addButton(tr("Done"), QDialogButtonBox::AcceptRole);
    done->setObjectName(QStringLiteral("cmdResumePassDone"));
    done->setDefault(true);
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("cmdResumePassCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_passes, &QListWidget::itemActivated, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_passes, 1);
    layout->addWidget(buttons);
    resize(560, 320);
}

std::size_t ResumePassDialog::chosen() const {
    return std::size_t(std::max(0, m_passes->currentRow()));
}
