#include "gui/dialogs/inlinecommentdialog.h"

#include "core/program/linesyntax.h"
#include "gui/dialogs/textbox.h"

#include <QPushButton>
#include <QVBoxLayout>

InlineCommentDialog::InlineCommentDialog(modProgVar& vars, Platform& platform, const DialogRunner& runner,
                                         QWidget* parent)
    : CommandDialog(vars, platform, runner, parent) {
    setObjectName(QStringLiteral("frmInlineComment"));
    setWindowTitle(tr("Add an inline Comment"));
    txtInline = makeTextBox("txtInline", QString(), 60, true);
    cmdInlineDone = makeButton("cmdInlineDone", tr("Done"));

    auto* layout = new QVBoxLayout;
    layout->addWidget(txtInline);
    layout->addLayout(centred(cmdInlineDone));
    setFixedLayout(layout);

    connect(cmdInlineDone, &QPushButton::clicked, this, &InlineCommentDialog::cmdInlineDone_Click);
    Form_Load();
}

void InlineCommentDialog::fillFrom(const QString& heldText) {
    txtInline->fill(heldText);
}

void InlineCommentDialog::pressDone() {
    cmdInlineDone->click();
}

void InlineCommentDialog::Form_Load() {
    txtInline->fill(m_vars.EditInlineComment);
}

void InlineCommentDialog::cmdInlineDone_Click() {
    m_vars.InlineCommentText = linesyntax::composeInlineComment(txtInline->text());
    finishDone();
}
