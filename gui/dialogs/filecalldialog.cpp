#include "gui/dialogs/filecalldialog.h"

#include "core/language/linesyntax.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr int FileNameChars = 44;
} // namespace

FileCallDialog::FileCallDialog(const DialogContext& context, Platform& platform, const DialogRunner& runner,
                               QWidget* parent)
    : CommandDialog(context, platform, runner, parent) {
    setObjectName(QStringLiteral("frmFP"));
    setWindowTitle(tr("File Properties"));

    cmdSelectFile = makeButton("cmdSelectFile", tr("Select File"));

    // Two lines high so that a long path wraps instead of hiding its end.
    txtFileName = new QPlainTextEdit(this);
    txtFileName->setObjectName(QStringLiteral("txtFileName"));
    txtFileName->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtFileName->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    txtFileName->setTabChangesFocus(true);
    txtFileName->setFocusPolicy(Qt::ClickFocus); // shows the choice; Done never reads it
    const QFontMetrics metrics = txtFileName->fontMetrics();
    txtFileName->setFixedHeight(2 * metrics.lineSpacing() + 2 * txtFileName->frameWidth() +
                                int(2 * txtFileName->document()->documentMargin()));
    txtFileName->setMinimumWidth(metrics.averageCharWidth() * FileNameChars);
    txtFileName->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    txtFileName->setEnabled(false);

    fraOffset = new QGroupBox(tr("Offset mode"), this);
    fraOffset->setObjectName(QStringLiteral("fraOffset"));
    optNoOffset = new QRadioButton(tr("No Offset"), fraOffset);
    optNoOffset->setObjectName(QStringLiteral("optNoOffset"));
    opt2d = new QRadioButton(tr("2d offset"), fraOffset);
    opt2d->setObjectName(QStringLiteral("opt2d"));
    opt3d = new QRadioButton(tr("3d offset"), fraOffset);
    opt3d->setObjectName(QStringLiteral("opt3d"));
    auto* options = new QVBoxLayout(fraOffset);
    options->addWidget(optNoOffset);
    options->addWidget(opt2d);
    options->addWidget(opt3d);
    optNoOffset->setChecked(true);
    for (QRadioButton* option : {optNoOffset, opt2d, opt3d})
        option->setEnabled(false);

    chkInline = makeInlineCheck();
    chkInline->setEnabled(false);
    cmdFPDone = makeButton("cmdFPDone", tr("Done"));
    cmdFPDone->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSelectFile);
    buttons->addStretch(1);
    buttons->addWidget(cmdFPDone);

    auto* layout = new QVBoxLayout;
    layout->addWidget(txtFileName);
    layout->addWidget(fraOffset);
    layout->addWidget(chkInline);
    layout->addLayout(buttons);
    setFixedLayout(layout);

    setTabOrder(cmdSelectFile, optNoOffset);
    setTabOrder(optNoOffset, opt2d);
    setTabOrder(opt2d, opt3d);
    setTabOrder(opt3d, chkInline);
    setTabOrder(chkInline, cmdFPDone);

    connect(cmdSelectFile, &QPushButton::clicked, this, &FileCallDialog::selectFile);
    connect(cmdFPDone, &QPushButton::clicked, this, &FileCallDialog::done);
}

void FileCallDialog::fillFrom(const QString& heldText) {
    using linesyntax::OffsetMode;
    const OffsetMode mode = linesyntax::fillFileCall(heldText).offsetMode;
    (mode == OffsetMode::None ? optNoOffset : mode == OffsetMode::Offset2d ? opt2d : opt3d)->setChecked(true);
}

linesyntax::OffsetMode FileCallDialog::offsetMode() const {
    using linesyntax::OffsetMode;
    return opt2d->isChecked() ? OffsetMode::Offset2d : opt3d->isChecked() ? OffsetMode::Offset3d : OffsetMode::None;
}

void FileCallDialog::pressDone() {
    cmdFPDone->click();
}

void FileCallDialog::selectFile() {
    chooseFile();
    chkInline->setEnabled(true);
}

void FileCallDialog::chooseFile() {
    std::optional<QString> name;
    while (!name) {
        const std::optional<QString> chosen =
            m_platform.chooseSaveFile(tr("Select the name of the file that you want to run"), m_context.partFolder,
                                      tr(" Corvane (*.cvp)|*.cvp"), QString());
        if (!chosen) {
            m_platform.tell(tr("To continue you must select a name for your file ...please try again"), tr("Try Again"),
                            Platform::Icon::Information);
            for (QRadioButton* option : {optNoOffset, opt2d, opt3d})
                option->setEnabled(false);
            cmdFPDone->setText(tr("Cancel"));
            cmdFPDone->setEnabled(true);
            m_choice = FileChoice::Cancelled;
            return;
        }
        name = linesyntax::relativeToFolder(*chosen, m_context.partFolder, fileNameCaseSensitivity());
        if (!name && m_platform.askYesNo(
                         tr("This file is NOT in the same folder as your Master file so we'll have to write a full "
                            "path to this file which will cause big problems if you move the files. You're just "
                            "asking for trouble...are you SURE this is what you want to do!!!"),
                         tr("Impending disaster! Doom and Gloom!"), Platform::Icon::Warning))
            name = *chosen;
    }
    m_calledFile = *name;
    m_choice = FileChoice::Chosen;
    txtFileName->setPlainText(m_calledFile);
    for (QRadioButton* option : {optNoOffset, opt2d, opt3d})
        option->setEnabled(true);
    cmdFPDone->setText(tr("Done"));
    cmdFPDone->setEnabled(true);
    txtFileName->setEnabled(true);
    cmdSelectFile->setEnabled(false);
}

void FileCallDialog::done() {
    // Read "Cancel": the last file choice was cancelled and no line will be made from this dialog,
    // so there is nothing to compose and no comment to ask for.
    if (m_choice == FileChoice::Cancelled) {
        finish(std::nullopt);
        return;
    }
    runDone(chkInline, [this] {
        ComposedLine line;
        line.held = linesyntax::composeFileCall({m_calledFile, offsetMode()});
        line.calledFile = m_calledFile;
        line.offsetMode = offsetMode();
        return line;
    });
}
