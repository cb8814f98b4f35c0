#include "gui/dialogs/filecalldialog.h"

#include "core/program/linesyntax.h"

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

FileCallDialog::FileCallDialog(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent)
    : CommandDialog(vars, platform, runner, parent) {
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

    // Selecting an option from the program runs the same handler as a click.
    connect(optNoOffset, &QRadioButton::toggled, this, [this](bool on) {
        if (on) optNoOffset_Click();
    });
    connect(opt2d, &QRadioButton::toggled, this, [this](bool on) {
        if (on) opt2d_Click();
    });
    connect(opt3d, &QRadioButton::toggled, this, [this](bool on) {
        if (on) opt3d_Click();
    });
    connect(cmdSelectFile, &QPushButton::clicked, this, &FileCallDialog::cmdSelectFile_Click);
    connect(cmdFPDone, &QPushButton::clicked, this, &FileCallDialog::cmdFPDone_Click);
    Form_Load();
}

void FileCallDialog::fillFrom(const QString& heldText) {
    const QString mode = linesyntax::fillFileCall(heldText).offsetMode;
    if (mode == linesyntax::NoOffset)
        optNoOffset->setChecked(true);
    else if (mode == linesyntax::Offset2d)
        opt2d->setChecked(true);
    else
        opt3d->setChecked(true);
}

void FileCallDialog::pressDone() {
    cmdFPDone->click();
}

void FileCallDialog::Form_Load() {
    m_vars.OffsetMode = linesyntax::NoOffset;
    loadInlineCheck(chkInline);
}

void FileCallDialog::optNoOffset_Click() {
    m_vars.OffsetMode = linesyntax::NoOffset;
}

void FileCallDialog::opt2d_Click() {
    m_vars.OffsetMode = linesyntax::Offset2d;
}

void FileCallDialog::opt3d_Click() {
    m_vars.OffsetMode = linesyntax::Offset3d;
}

void FileCallDialog::cmdSelectFile_Click() {
    FindFPFile();
    chkInline->setEnabled(true);
}

void FileCallDialog::FindFPFile() {
    std::optional<QString> name;
    while (!name) {
        const std::optional<QString> chosen =
            m_platform.chooseSaveFile(tr("Select the name of the file that you want to run"), m_vars.PartFileFolder,
                                      tr(" Corvane (*.cvp)|*.cvp"), QString());
        if (!chosen) {
            m_platform.tell(tr("To continue you must select a name for your file ...please try again"), tr("Try Again"),
                            Platform::Icon::Information);
            for (QRadioButton* option : {optNoOffset, opt2d, opt3d})
                option->setEnabled(false);
            cmdFPDone->setText(tr("Cancel"));
            cmdFPDone->setEnabled(true);
            m_vars.FileChoiceState = 1;
            return;
        }
        name = linesyntax::relativeToFolder(*chosen, m_vars.PartFileFolder, fileNameCaseSensitivity());
        if (!name && m_platform.askYesNo(
                         tr("This file is NOT in the same folder as your Master file so we'll have to write a full "
                            "path to this file which will cause big problems if you move the files. You're just "
                            "asking for trouble...are you SURE this is what you want to do!!!"),
                         tr("Impending disaster! Doom and Gloom!"), Platform::Icon::Warning))
            name = *chosen;
    }
    m_vars.CalledFileName = *name;
    m_vars.FileChoiceState = 9;
    txtFileName->setPlainText(m_vars.CalledFileName);
    for (QRadioButton* option : {optNoOffset, opt2d, opt3d})
        option->setEnabled(true);
    cmdFPDone->setText(tr("Done"));
    cmdFPDone->setEnabled(true);
    txtFileName->setEnabled(true);
    cmdSelectFile->setEnabled(false);
}

void FileCallDialog::cmdFPDone_Click() {
    // Read "Cancel": the last file choice was cancelled and no line will be made from this dialog,
    // so there is nothing to compose and no comment to ask for.
    if (m_vars.FileChoiceState == 1) {
        finishDone();
        return;
    }
    runDone(chkInline, [this] {
        m_vars.PerKind[Kind::FileCall].Text = linesyntax::composeFileCall({m_vars.CalledFileName, m_vars.OffsetMode});
    });
}
