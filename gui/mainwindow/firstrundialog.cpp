#include "gui/mainwindow/firstrundialog.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

FirstRunDialog::FirstRunDialog(const QString& text, std::function<bool()> chooseName, QWidget* parent)
    : QDialog(parent), m_chooseName(std::move(chooseName)) {
    setObjectName(QStringLiteral("frmGetStarted"));
    setWindowTitle(tr("Get started"));
    setFixedSize(312, 206);

    lblGetStarted = new QLabel(this);
    lblGetStarted->setObjectName(QStringLiteral("lblGetStarted"));
    lblGetStarted->setTextFormat(Qt::PlainText);
    lblGetStarted->setText(text);
    lblGetStarted->setGeometry(8, 8, 297, 121);
    lblGetStarted->setWordWrap(true);
    lblGetStarted->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    cmdGetStarted = new QPushButton(tr("Get started"), this);
    cmdGetStarted->setObjectName(QStringLiteral("cmdGetStarted"));
    cmdGetStarted->setGeometry(112, 160, 89, 33);
    cmdGetStarted->setAutoDefault(false);
    connect(cmdGetStarted, &QPushButton::clicked, this, &FirstRunDialog::chooseName);
}

void FirstRunDialog::chooseName() {
    if (m_ran) return;
    m_ran = true;
    m_chosen = m_chooseName();
    done(m_chosen ? QDialog::Accepted : QDialog::Rejected);
}

void FirstRunDialog::closeEvent(QCloseEvent* event) {
    chooseName();
    event->accept();
}

void FirstRunDialog::reject() {
    // Escape, like the frame's close box, still leads through the name choice.
    if (!m_ran)
        chooseName();
    else
        QDialog::reject();
}
