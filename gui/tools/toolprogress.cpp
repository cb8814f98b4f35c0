#include "gui/tools/toolprogress.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>
#include <QLocale>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <memory>

namespace tools {

namespace {

// Long enough that a quick run shows no box at all, short enough that a slow one is seen to work.
constexpr int ShowAfterMs = 400;
constexpr int RefreshMs = 100;

QString tr(const char* text) {
    return QCoreApplication::translate("tools", text);
}

} // namespace

bool runWithProgress(QWidget* parent, const QString& title, const QString& doing, const BackgroundWork& work) {
    std::atomic<bool> cancel{false};
    std::atomic<qint64> progress{0};
    std::unique_ptr<QThread> thread(QThread::create([&] { work(cancel, progress); }));

    QProgressDialog box(parent);
    box.setObjectName(QStringLiteral("frmRunProgress"));
    box.setWindowTitle(title);
    auto* label = new QLabel(&box);
    label->setObjectName(QStringLiteral("lblRunProgress"));
    label->setTextFormat(Qt::PlainText);
    box.setLabel(label);
    // The box's own button: one set in its place loses the Escape key.
    box.setCancelButtonText(tr("Cancel"));
    if (auto* cancelButton = box.findChild<QPushButton*>()) cancelButton->setObjectName(QStringLiteral("cmdCancelRun"));
    // No bar to fill: how long a run takes is known only at its end.
    box.setRange(0, 0);
    box.setAutoReset(false);
    box.setAutoClose(false);
    // The window takes no edits while the work reads a copy of its program.
    box.setWindowModality(Qt::ApplicationModal);
    box.setMinimumDuration(ShowAfterMs);
    // The box's own timer starts at 4 s when it is made; a value at the minimum starts it anew at ours.
    box.setValue(0);
    const auto show = [&] {
        const qint64 lines = progress.load();
        label->setText(lines > 0 ? tr("%1\n\n%2 lines run so far.").arg(doing, QLocale().toString(lines)) : doing);
    };
    show();

    QEventLoop loop;
    QTimer refresh;
    refresh.setInterval(RefreshMs);
    const auto stop = [&] {
        cancel = true;
        label->setText(tr("Stopping..."));
    };
    QObject::connect(&refresh, &QTimer::timeout, &box, [&] {
        if (!cancel) show();
    });
    QObject::connect(&box, &QProgressDialog::canceled, &box, stop);
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    refresh.start();
    thread->start();
    loop.exec();
    thread->wait();
    refresh.stop();
    box.disconnect();
    box.hide();
    return !cancel.load();
}

} // namespace tools
