#include "EventLoopWait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace kw::test {

bool RunEventsUntil(const std::function<bool()>& done, int timeoutMs) {
    QTimer tick; // wakes the blocking step so the bound is seen
    tick.start(10);
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() >= timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

void RunEventsFor(int ms) {
    QElapsedTimer clock;
    clock.start();
    RunEventsUntil([&] { return clock.elapsed() >= ms; }, ms + 1000);
}

} // namespace kw::test
