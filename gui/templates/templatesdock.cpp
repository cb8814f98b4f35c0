#include "gui/templates/templatesdock.h"

#include "gui/plaintext.h"

#include <QDir>
#include <QHeaderView>
#include <QTreeWidget>

namespace {
constexpr int EntryRole = Qt::UserRole;
} // namespace

TemplatesDock::TemplatesDock(QWidget* parent) : QDockWidget(tr("Templates"), parent) {
    setObjectName(QStringLiteral("dockTemplates"));
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("lstTemplates"));
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({tr("Template"), tr("Description")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    // Wide enough for a name and the start of its description beside the panel's fixed width.
    m_list->setMinimumWidth(m_list->fontMetrics().averageCharWidth() * 40);
    setWidget(m_list);
    // itemActivated comes on double-click and on Enter, as the platform activates items.
    connect(m_list, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        if (item && !item->isDisabled()) Q_EMIT activated(item->data(0, EntryRole).toInt());
    });
}

void TemplatesDock::setEntries(const QList<templates::Entry>& entries) {
    const int current = currentEntry();
    m_list->clear();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const templates::Entry& e = entries[i];
        auto* item = new QTreeWidgetItem(m_list);
        item->setData(0, EntryRole, static_cast<int>(i));
        item->setText(0, e.t.name);
        const QString where =
            e.path.isEmpty() ? tr("Comes with the program.") : tr("File: %1").arg(QDir::toNativeSeparators(e.path));
        if (e.errors.isEmpty()) {
            item->setText(1, e.t.description);
            item->setToolTip(0, plainToolTip(where));
            item->setToolTip(1, plainToolTip(e.t.description));
        } else {
            item->setText(1, tr("Not a template: %1").arg(e.errors.front().simplified()));
            item->setToolTip(0, plainToolTip(where));
            item->setToolTip(1, plainToolTip(e.errors.join(u'\n')));
            item->setDisabled(true);
        }
    }
    if (QTreeWidgetItem* item = m_list->topLevelItem(current >= 0 ? current : 0)) m_list->setCurrentItem(item);
}

int TemplatesDock::currentEntry() const {
    const QTreeWidgetItem* item = m_list->currentItem();
    return item ? item->data(0, EntryRole).toInt() : -1;
}
