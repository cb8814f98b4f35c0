#include "gui/about.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLayout>

#ifndef STACKER_VERSION
#error "STACKER_VERSION comes from the build: project(VERSION) in CMakeLists.txt"
#endif

QString programVersion() {
    return QStringLiteral(STACKER_VERSION);
}

QIcon programIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/cvstacker-32.png"));
    icon.addFile(QStringLiteral(":/icons/cvstacker-256.png"));
    return icon;
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About Corvane Part File Stacker"));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("picIcon"));
    picture->setTextFormat(Qt::PlainText);
    picture->setPixmap(programIcon().pixmap(64, 64));
    picture->setAlignment(Qt::AlignTop);

    // Plain text only: nothing here is markup.
    auto* text = new QLabel(this);
    text->setObjectName(QStringLiteral("lblAbout"));
    text->setTextFormat(Qt::PlainText);
    const QStringList paragraphs{
        tr("Corvane Part File Stacker") + QLatin1Char('\n') + tr("Version %1").arg(programVersion()),
        tr("(c) Corvane. Free to use and share, provided as is, without warranty."),
        tr("Built with Qt %1, running on Qt %2.").arg(QStringLiteral(QT_VERSION_STR), QString::fromLatin1(qVersion()))};
    text->setText(paragraphs.join(QStringLiteral("\n\n")));
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(picture);
    row->addWidget(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
