#pragma once

#include "platform/platform.h"

#include <QList>
#include <QMetaType>
#include <QQueue>

// Scripted answers go into test tables.
Q_DECLARE_METATYPE(Platform::Answer)

// Answers the program's questions from queues and records every one asked, so a test can assert
// exactly what the user saw. A question the script did not expect fails the running test.
class ScriptedPlatform final : public Platform {
public:
    struct Asked {
        QString what;   // "yesno", "yesnocancel", "tell", "save", "open"
        QString text;   // message text, or the file dialog's title
        QString title;  // message title, or the file dialog's folder
        QString filter; // file dialogs only
        QString name;   // file dialogs only: proposed or initial name
        Icon icon = Icon::None;
    };

    QQueue<bool> yesNo; // answers to askYesNo
    // Answers to askYesNoCancel; while it is empty, such a question takes its Yes or No from yesNo,
    // in turn with the Yes/No questions.
    QQueue<Answer> yesNoCancel;
    QQueue<std::optional<QString>> files; // answers to chooseSaveFile / chooseOpenFile
    QList<Asked> asked;                   // every question, in order
    QStringList clipboard;                // every text placed on the clipboard
    QList<QStringList> started;           // program followed by its arguments
    bool startSucceeds = true;
    QString date = QStringLiteral("12/7/2026");
    QString programDir;
    QString partsDir;

    bool askYesNo(const QString& text, const QString& title, Icon icon) override;
    Answer askYesNoCancel(const QString& text, const QString& title, Icon icon) override;
    void tell(const QString& text, const QString& title, Icon icon) override;
    std::optional<QString> chooseSaveFile(const QString& title, const QString& folder, const QString& filter,
                                          const QString& proposedName) override;
    std::optional<QString> chooseOpenFile(const QString& title, const QString& folder, const QString& name,
                                          const QString& filter) override;
    void setClipboardText(const QString& text) override { clipboard << text; }
    bool startDetached(const QString& program, const QStringList& arguments) override;
    QString shortDate() override { return date; }
    QString programFolder() override { return programDir; }
    QString partsFolder() override { return partsDir; }

    // The texts of the message boxes asked so far (questions and notices), in order.
    QStringList messageTexts() const;
};

// Passes every question on to a scripted platform; a test overrides what it wants to watch.
class ScriptedPlatformProxy : public Platform {
public:
    explicit ScriptedPlatformProxy(ScriptedPlatform& inner) : m_inner(inner) {}
    bool askYesNo(const QString& text, const QString& title, Icon icon) override {
        return m_inner.askYesNo(text, title, icon);
    }
    Answer askYesNoCancel(const QString& text, const QString& title, Icon icon) override {
        return m_inner.askYesNoCancel(text, title, icon);
    }
    void tell(const QString& text, const QString& title, Icon icon) override { m_inner.tell(text, title, icon); }
    std::optional<QString> chooseSaveFile(const QString& title, const QString& folder, const QString& filter,
                                          const QString& proposedName) override {
        return m_inner.chooseSaveFile(title, folder, filter, proposedName);
    }
    std::optional<QString> chooseOpenFile(const QString& title, const QString& folder, const QString& name,
                                          const QString& filter) override {
        return m_inner.chooseOpenFile(title, folder, name, filter);
    }
    void setClipboardText(const QString& text) override { m_inner.setClipboardText(text); }
    bool startDetached(const QString& program, const QStringList& arguments) override {
        return m_inner.startDetached(program, arguments);
    }
    QString shortDate() override { return m_inner.shortDate(); }
    QString programFolder() override { return m_inner.programFolder(); }
    QString partsFolder() override { return m_inner.partsFolder(); }

private:
    ScriptedPlatform& m_inner;
};
