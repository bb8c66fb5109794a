// Time and message handling for the link's waits: a monotonic millisecond tick
// wrapped to 32 bits (compare ticks by unsigned difference only) and the step
// that handles window messages, blocking until one arrives.
#pragma once

#include <cstdint>

namespace kw {

// Milliseconds of a monotonic clock, wrapped to 32 bits.
uint32_t TickCount();

// Milliseconds from `since` to now; correct across the 32-bit wrap.
inline uint32_t TicksSince(uint32_t since) {
    return TickCount() - since;
}

// Handles pending messages, or blocks until the next one arrives. The terminal's
// idle timer guarantees a wake-up at least every 100 ms, so this never spins.
void HandleOneMessage();

// Handles whatever messages are pending, without blocking.
void HandlePendingMessages();

// The short pause of the terminal: `rounds` sleeps of 1 ms, each followed by
// handling the pending messages, so the window stays alive meanwhile.
void PauseHandlingMessages(int rounds);

// Sleeps without handling messages: bytes that arrive meanwhile wait for the
// next wait to take them.
void SleepWithoutMessages(int ms);

// Where the functions above take their time and messages from. The program
// uses the monotonic clock and Qt's event loop; fuzz targets and tests install
// a clock that moves only while the link waits, so silence costs no real time.
class CLinkClock {
public:
    virtual ~CLinkClock() = default;
    virtual uint32_t TickCount() = 0;
    virtual void HandleOneMessage() = 0;
    virtual void HandlePendingMessages() = 0;
    virtual void Sleep(int ms) = 0;
};

// Installs `clock` (nullptr: the real one again); returns the one it replaces.
CLinkClock* SetLinkClock(CLinkClock* clock);

} // namespace kw
