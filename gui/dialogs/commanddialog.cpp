#include "gui/dialogs/commanddialog.h"

#include "gui/dialogs/filecalldialog.h"
#include "gui/dialogs/inlinecommentdialog.h"
#include "gui/dialogs/textbox.h"
#include "gui/dialogs/textfielddialog.h"
#include "gui/oneline.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

bool runModal(QDialog& dialog) {
    dialog.exec();
    if (auto* command = qobject_cast<CommandDialog*>(&dialog)) return command->doneRan();
    return dialog.result() == QDialog::Accepted;
}

CommandDialog::CommandDialog(const DialogContext& context, Platform& platform, const DialogRunner& runner,
                             QWidget* parent)
    : QDialog(parent), m_context(context), m_platform(platform), m_runner(runner ? runner : DialogRunner(runModal)) {
    setModal(true);
}

void CommandDialog::finish(std::optional<ComposedLine> line) {
    m_doneRan = true;
    m_result = std::move(line);
    accept();
}

void CommandDialog::runDone(QCheckBox* chkInline, const std::function<ComposedLine()>& compose) {
    QString comment;
    if (chkInline && chkInline->isChecked()) {
        InlineCommentDialog dialog(m_context, m_platform, this);
        if (!m_runner(dialog) || !dialog.result()) return;
        comment = dialog.result()->comment;
    }
    ComposedLine line = compose();
    line.comment = comment;
    finish(std::move(line));
}

QCheckBox* CommandDialog::makeInlineCheck() {
    auto* box = new QCheckBox(tr("Add a comment to this command line?"), this);
    box->setObjectName(QStringLiteral("chkInline"));
    box->setChecked(!m_context.editComment.isEmpty());
    return box;
}

QPushButton* CommandDialog::makeButton(const char* objectName, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(objectName));
    // Neither Enter nor Escape may press a button: no default, and none becomes default on focus.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

TextBox* CommandDialog::makeTextBox(const char* objectName, const QString& text, int widthChars, bool selectOnFocus) {
    auto* box = new TextBox(this);
    box->setObjectName(QLatin1String(objectName));
    box->setSelectOnFocus(selectOnFocus);
    keepOneLine(box);
    box->setText(text);
    box->setMinimumWidth(box->fontMetrics().averageCharWidth() * widthChars + 12);
    return box;
}

QLabel* CommandDialog::makeCaption(const QString& text, const char* objectName, bool bold) {
    auto* label = new QLabel(this);
    label->setObjectName(QLatin1String(objectName));
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

QLayout* CommandDialog::centred(QWidget* widget) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(widget);
    row->addStretch(1);
    return row;
}

void CommandDialog::setFixedLayout(QLayout* layout) {
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setLayout(layout);
}

std::unique_ptr<CommandDialog> createCommandDialog(Kind k, const DialogContext& context, Platform& platform,
                                                   const DialogRunner& runner, QWidget* parent) {
    if (k == Kind::FileCall) return std::make_unique<FileCallDialog>(context, platform, runner, parent);
    return createTextFieldDialog(k, context, platform, runner, parent);
}
