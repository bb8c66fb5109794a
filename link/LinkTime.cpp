#include "LinkTime.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <chrono>
#include <thread>

namespace kw {
namespace {

CLinkClock* g_Clock = nullptr;

} // namespace

CLinkClock* SetLinkClock(CLinkClock* clock) {
    CLinkClock* previous = g_Clock;
    g_Clock = clock;
    return previous;
}

uint32_t TickCount() {
    if (g_Clock != nullptr)
        return g_Clock->TickCount();
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void HandleOneMessage() {
    if (g_Clock != nullptr)
        g_Clock->HandleOneMessage();
    else
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void HandlePendingMessages() {
    if (g_Clock != nullptr)
        g_Clock->HandlePendingMessages();
    else
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void PauseHandlingMessages(int rounds) {
    for (int i = 0; i < rounds; ++i) {
        SleepWithoutMessages(1);
        HandlePendingMessages();
    }
}

void SleepWithoutMessages(int ms) {
    if (g_Clock != nullptr)
        g_Clock->Sleep(ms);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace kw
