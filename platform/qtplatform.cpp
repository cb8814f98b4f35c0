#include "platform/qtplatform.h"

#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>

namespace {

QMessageBox::Icon toQt(Platform::Icon icon) {
    switch (icon) {
    case Platform::Icon::Information:
        return QMessageBox::Information;
    case Platform::Icon::Warning:
        return QMessageBox::Warning;
    case Platform::Icon::Critical:
        return QMessageBox::Critical;
    case Platform::Icon::Question:
        return QMessageBox::Question;
    case Platform::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// "description|pattern" becomes Qt's "description (pattern)" unless the description already shows it.
QString toQtFilter(const QString& filter) {
    const qsizetype bar = filter.indexOf(QLatin1Char('|'));
    if (bar < 0) return filter;
    const QString description = filter.left(bar).trimmed();
    const QString pattern = filter.mid(bar + 1);
    return description.contains(pattern) ? description : description + QStringLiteral(" (") + pattern + u')';
}

// Texts hold file names and lines from files: "<b>" in a name is part of the name, and an "<img>"
// must never make the box read a file. The format is set before the text, because a text taken for
// rich text is laid out, images and all, as soon as it is set.
void showAsPlainText(QMessageBox& box, const QString& text) {
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
}

} // namespace

bool QtPlatform::askYesNo(const QString& text, const QString& title, Icon icon) {
    QMessageBox box(toQt(icon), title, {}, QMessageBox::Yes | QMessageBox::No, m_parent);
    showAsPlainText(box, text);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

Platform::Answer QtPlatform::askYesNoCancel(const QString& text, const QString& title, Icon icon) {
    QMessageBox box(toQt(icon), title, {}, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_parent);
    showAsPlainText(box, text);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

void QtPlatform::tell(const QString& text, const QString& title, Icon icon) {
    QMessageBox box(toQt(icon), title, {}, QMessageBox::Ok, m_parent);
    showAsPlainText(box, text);
    box.exec();
}

std::optional<QString> QtPlatform::chooseSaveFile(const QString& title, const QString& folder, const QString& filter,
                                                  const QString& proposedName) {
    QDir().mkpath(folder);
    QFileDialog dialog(m_parent, title, folder, toQtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The program asks its own "File exists!" question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

std::optional<QString> QtPlatform::chooseOpenFile(const QString& title, const QString& folder, const QString& name,
                                                  const QString& filter) {
    QFileDialog dialog(m_parent, title, folder, toQtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!name.isEmpty()) dialog.selectFile(name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

void QtPlatform::setClipboardText(const QString& text) {
    QApplication::clipboard()->setText(text);
}

bool QtPlatform::startDetached(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

QString QtPlatform::shortDate() {
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
}

QString QtPlatform::programFolder() {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

QString QtPlatform::partsFolder() {
    return defaultPartsFolder();
}
