#pragma once

#include <QString>

#include <atomic>
#include <functional>

class QWidget;

namespace tools {

// What runs off the window's thread: it stops soon after cancel is set, and may store how many lines
// the dry run has run in progress as it goes.
using BackgroundWork = std::function<void(const std::atomic<bool>& cancel, std::atomic<qint64>& progress)>;

// Runs work on a thread of its own while the window stays painted: after a moment a progress box
// "frmRunProgress" shows what is being done and the lines run so far, with Cancel. Returns once the
// work has ended; false when the operator cancelled it.
bool runWithProgress(QWidget* parent, const QString& title, const QString& doing, const BackgroundWork& work);

} // namespace tools
