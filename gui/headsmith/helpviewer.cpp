#include "gui/headsmith/helpviewer.h"

#include "core/headsmith/helpfile.h"
#include "core/textfile.h"
#include "platform/platform.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

HelpViewer::HelpViewer(Platform& platform, QWidget* owner) : QObject(owner), m_platform(platform), m_owner(owner) {}

void HelpViewer::show() {
    m_installFolder = helpfile::installFolder(m_platform.programFolder()).value_or(QString());
    const QString help = helpfile::filePath(m_platform.programFolder());
    if (!m_installFolder.isEmpty()) {
        const QString editor = helpfile::editorPath(m_installFolder);
        if (QFileInfo::exists(editor) && m_platform.startDetached(editor, {help})) return;
    }
    showWindow();
}

// The texts keep Headsmith's translation context: they are Headsmith's wherever it is asked for.
void HelpViewer::showWindow() {
    const QString path = helpfile::filePath(m_platform.programFolder());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_platform.tell(
            QCoreApplication::translate("HeadsmithWindow", "The Headsmith help file could not be opened:\n%1\n\n%2")
                .arg(path, file.errorString()),
            QCoreApplication::translate("HeadsmithWindow", "Headsmith"), Platform::Icon::Warning);
        return;
    }
    const QString text = textfile::decode(file.readAll());
    if (!m_window) {
        m_window = new QDialog(m_owner);
        m_window->setObjectName(QStringLiteral("frmHeadsmithHelp"));
        m_window->setWindowTitle(QCoreApplication::translate("HeadsmithWindow", "Corvane Headsmith help"));
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        auto* view = new QPlainTextEdit(m_window);
        view->setObjectName(QStringLiteral("txtHelp"));
        view->setReadOnly(true);
        view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, m_window);
        connect(buttons, &QDialogButtonBox::rejected, m_window.data(), &QDialog::close);
        auto* layout = new QVBoxLayout(m_window);
        layout->addWidget(view);
        layout->addWidget(buttons);
        m_window->resize(720, 560);
    }
    m_window->findChild<QPlainTextEdit*>(QStringLiteral("txtHelp"))->setPlainText(text);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}
