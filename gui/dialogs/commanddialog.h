#pragma once

#include "core/program/kindcode.h"
#include "core/program/modProgVar.h"
#include "platform/platform.h"

#include <QDialog>

#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QLayout;
class QPushButton;
class TextBox;

// Runs a dialog modally and tells whether its Done ran. Production: exec(); tests replace it.
using DialogRunner = std::function<bool(QDialog&)>;

// Production runner: exec(), then whether Done ran.
bool runModal(QDialog& dialog);

// What every command dialog shares: the way back to the caller, the Done steps and chkInline.
// A dialog closed any other way than through Done (window frame, Escape) reports that Done did not
// run; its caller treats that as a cancel and leaves the result strings alone.
class CommandDialog : public QDialog {
    Q_OBJECT
public:
    // Whether Done ran (a frame close or Escape leaves it false: the caller treats that as a cancel).
    bool doneRan() const { return m_doneRan; }
    // Fills the fields from a held text (the editing direction).
    virtual void fillFrom(const QString& heldText) = 0;
    // Presses Done as the user would (tests and the runner use it).
    virtual void pressDone() = 0;

protected:
    CommandDialog(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent);

    void finishDone(); // marks Done as run and accepts

    // The Done steps in their order: the inline comment first when chkInline is ticked, then
    // compose, then the comment cleared when chkInline is unticked, then close. When the comment
    // dialog is closed without its Done, this dialog stays open and nothing is composed.
    void runDone(QCheckBox* chkInline, const std::function<void()>& compose);

    // Form_Load of a dialog with chkInline: ticked when the edited line has a comment.
    void loadInlineCheck(QCheckBox* chkInline);

    // Builders, so every dialog looks and behaves alike.
    QCheckBox* makeInlineCheck();
    QPushButton* makeButton(const char* objectName, const QString& caption);
    // A one-line box: whatever enters it has its line breaks and control characters made blanks.
    TextBox* makeTextBox(const char* objectName, const QString& text, int widthChars, bool selectOnFocus);
    QLabel* makeCaption(const QString& text, const char* objectName, bool bold);
    // The button row under the fields, centred.
    static QLayout* centred(QWidget* widget);
    // Lays the dialog out at its natural size; it cannot be resized.
    void setFixedLayout(QLayout* layout);

    modProgVar& m_vars;
    Platform& m_platform;
    DialogRunner m_runner; // m_runner opens InlineCommentDialog

private:
    bool m_doneRan = false;
};

// The dialog of a kind, Form_Load already run (chkInline ticked when EditInlineComment is not empty,
// FileCallDialog's OffsetMode "0"); nullptr for END and RETURN.
std::unique_ptr<CommandDialog> createCommandDialog(Kind k, modProgVar& vars, Platform& platform,
                                                   const DialogRunner& runner, QWidget* parent);
