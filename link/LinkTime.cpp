#include "LinkTime.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <chrono>
#include <thread>

namespace kw {

uint32_t TickCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void HandleOneMessage() {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void HandlePendingMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void PauseHandlingMessages(int rounds) {
    for (int i = 0; i < rounds; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        HandlePendingMessages();
    }
}

} // namespace kw
