#pragma once

#include "platform/platform.h"

class QWidget;

// The real services: message boxes, file dialogs, the clipboard, processes.
class QtPlatform final : public Platform {
public:
    // Dialogs are parented to the window the caller names, or float when it is null.
    void setParentWidget(QWidget* parent) { m_parent = parent; }

    bool askYesNo(const QString& text, const QString& title, Icon icon) override;
    Answer askYesNoCancel(const QString& text, const QString& title, Icon icon) override;
    void tell(const QString& text, const QString& title, Icon icon) override;
    std::optional<QString> chooseSaveFile(const QString& title, const QString& folder, const QString& filter,
                                          const QString& proposedName) override;
    std::optional<QString> chooseOpenFile(const QString& title, const QString& folder, const QString& name,
                                          const QString& filter) override;
    void setClipboardText(const QString& text) override;
    bool startDetached(const QString& program, const QStringList& arguments) override;
    QString shortDate() override;
    QString programFolder() override;
    QString partsFolder() override;

private:
    QWidget* m_parent = nullptr;
};
