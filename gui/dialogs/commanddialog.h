#pragma once

#include "core/language/kindcode.h"
#include "core/language/linesyntax.h"
#include "platform/platform.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QLabel;
class QLayout;
class QPushButton;
class TextBox;

// Runs a dialog modally and tells whether its Done ran. Production: exec(); tests replace it.
using DialogRunner = std::function<bool(QDialog&)>;

// Production runner: exec(), then whether Done ran.
bool runModal(QDialog& dialog);

// What a command dialog's Done composed: the line's held text and inline comment, and where the kind
// has them the label a GOSUB jumps to or the file a call names with its offset mode.
struct ComposedLine {
    QString held;
    QString comment;    // empty, or beginning with "'"
    QString goSubLabel; // GOSUB: the label line it adds
    QString calledFile; // File call
    linesyntax::OffsetMode offsetMode = linesyntax::OffsetMode::None;
};

// What a dialog is opened with besides the line it edits.
struct DialogContext {
    QString partFolder;  // the part file's folder, which a called file is preferably chosen from
    QString editComment; // the inline comment of the line being edited; empty when adding
};

// What every command dialog shares: the Done steps, chkInline and the result. A dialog closed any
// other way than through Done (window frame, Escape) reports that Done did not run and has no
// result; its caller treats that as a cancel.
class CommandDialog : public QDialog {
    Q_OBJECT
public:
    // Whether Done ran (a frame close or Escape leaves it false: the caller treats that as a cancel).
    bool doneRan() const { return m_doneRan; }
    // The line composed by Done; nothing when Done did not run or made no line (a cancelled file choice).
    const std::optional<ComposedLine>& result() const { return m_result; }
    // Fills the fields from a held text (the editing direction).
    virtual void fillFrom(const QString& heldText) = 0;
    // Presses Done as the user would (tests and the runner use it).
    virtual void pressDone() = 0;

protected:
    CommandDialog(const DialogContext& context, Platform& platform, const DialogRunner& runner, QWidget* parent);

    // Marks Done as run and accepts, with the line it made (or none).
    void finish(std::optional<ComposedLine> line);

    // The Done steps in their order: the inline comment first when chkInline is ticked, then the line
    // composed, then close. When the comment dialog is closed without its Done, this dialog stays
    // open and nothing is composed.
    void runDone(QCheckBox* chkInline, const std::function<ComposedLine()>& compose);

    // Builders, so every dialog looks and behaves alike. The inline check starts ticked when the
    // edited line has a comment.
    QCheckBox* makeInlineCheck();
    QPushButton* makeButton(const char* objectName, const QString& caption);
    // A one-line box: whatever enters it has its line breaks and control characters made blanks.
    TextBox* makeTextBox(const char* objectName, const QString& text, int widthChars, bool selectOnFocus);
    QLabel* makeCaption(const QString& text, const char* objectName, bool bold);
    // The button row under the fields, centred.
    static QLayout* centred(QWidget* widget);
    // Lays the dialog out at its natural size; it cannot be resized.
    void setFixedLayout(QLayout* layout);

    const DialogContext m_context;
    Platform& m_platform;
    DialogRunner m_runner; // opens the inline comment dialog

private:
    bool m_doneRan = false;
    std::optional<ComposedLine> m_result;
};

// The dialog of a kind, ready to show (chkInline ticked when the context has a comment, the file
// call's offset mode none); nullptr for END and RETURN.
std::unique_ptr<CommandDialog> createCommandDialog(Kind k, const DialogContext& context, Platform& platform,
                                                   const DialogRunner& runner, QWidget* parent);
