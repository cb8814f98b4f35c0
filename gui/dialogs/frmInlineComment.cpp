#include "gui/dialogs/frmInlineComment.h"

#include "core/program/linesyntax.h"
#include "gui/dialogs/textbox.h"

#include <QPushButton>
#include <QVBoxLayout>

frmInlineComment::frmInlineComment(modProgVar& vars, Platform& platform, const DialogRunner& runner, QWidget* parent)
    : CommandDialog(vars, platform, runner, parent) {
    setObjectName(QStringLiteral("frmInlineComment"));
    setWindowTitle(tr("Add an inline Comment"));
    txtInline = makeTextBox("txtInline", QString(), 60, true);
    cmdInlineDone = makeButton("cmdInlineDone", tr("Done"));

    auto* layout = new QVBoxLayout;
    layout->addWidget(txtInline);
    layout->addLayout(centred(cmdInlineDone));
    setFixedLayout(layout);

    connect(cmdInlineDone, &QPushButton::clicked, this, &frmInlineComment::cmdInlineDone_Click);
    Form_Load();
}

void frmInlineComment::fillFrom(const QString& heldText) {
    txtInline->fill(heldText);
}

void frmInlineComment::pressDone() {
    cmdInlineDone->click();
}

void frmInlineComment::Form_Load() {
    txtInline->fill(m_vars.EditInlineComment);
}

void frmInlineComment::cmdInlineDone_Click() {
    m_vars.InlineCommentText = linesyntax::composeInlineComment(txtInline->text());
    finishDone();
}
