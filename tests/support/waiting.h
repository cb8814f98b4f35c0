#pragma once

// Waiting on the event loop for what a window does a little later, without a clock of the test's
// own: however slow the machine, the wait ends when the thing has happened. A wait for what never
// happens is ended by CTest's timeout.
#include <QTest>
#include <QTimer>

namespace waiting {

// Runs the event loop until done() is true.
template <typename Done> void until(Done done) {
    while (!done())
        QTest::qWait(10);
}

// Runs the event loop until a timer of `ms` milliseconds started now has fired. Timers fire in the
// order they fall due, so by then every timer due sooner has fired too, however late the machine
// let any of them run.
inline void past(int ms) {
    bool fired = false;
    QTimer::singleShot(ms, Qt::PreciseTimer, [&fired] { fired = true; });
    until([&fired] { return fired; });
}

} // namespace waiting
