#include "gui/dialogs/inlinecommentdialog.h"

#include "core/language/linesyntax.h"
#include "gui/dialogs/textbox.h"

#include <QPushButton>
#include <QVBoxLayout>

InlineCommentDialog::InlineCommentDialog(const DialogContext& context, Platform& platform, QWidget* parent)
    : CommandDialog(context, platform, DialogRunner(), parent) {
    setObjectName(QStringLiteral("frmInlineComment"));
    setWindowTitle(tr("Add an inline Comment"));
    txtInline = makeTextBox("txtInline", QString(), 60, true);
    cmdInlineDone = makeButton("cmdInlineDone", tr("Done"));

    auto* layout = new QVBoxLayout;
    layout->addWidget(txtInline);
    layout->addLayout(centred(cmdInlineDone));
    setFixedLayout(layout);

    connect(cmdInlineDone, &QPushButton::clicked, this, &InlineCommentDialog::done);
    txtInline->fill(context.editComment);
}

void InlineCommentDialog::fillFrom(const QString& comment) {
    txtInline->fill(comment);
}

void InlineCommentDialog::pressDone() {
    cmdInlineDone->click();
}

void InlineCommentDialog::done() {
    ComposedLine line;
    line.comment = linesyntax::composeInlineComment(txtInline->text());
    finish(line);
}
