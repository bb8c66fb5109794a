// Line time for the simulated serial line: every byte takes ten bit times in
// either direction, and replies may trickle with a pause between bytes. Times
// are nanoseconds of a monotonic clock, handed in by the caller.
#pragma once

#include <cstdint>
#include <deque>
#include <string>

namespace kw::sim {

class LinePacer {
public:
    struct TimedByte {
        uint8_t byte;
        int64_t due; // when the byte has crossed the line
    };

    // baud 0: no line time; trickleMs 0: no pause between reply bytes.
    LinePacer(int baud, int trickleMs);

    // Bytes the tool wrote, read from the line at time now.
    void Arrived(const uint8_t* data, size_t size, int64_t now);
    bool IncomingDue(int64_t now) const;
    TimedByte TakeIncoming(); // the oldest incoming byte

    // Reply bytes produced at time now.
    void Queue(const std::string& bytes, int64_t now);
    // Takes the reply bytes that have crossed the line by now, at most max.
    std::string TakeOutgoing(int64_t now, size_t max);
    // Puts back the tail of what could not be written (it is due at once).
    void Unwrite(const std::string& bytes, int64_t now);
    bool OutgoingPending() const { return !m_Out.empty(); }

    // When the next byte falls due in that direction, or -1 when none waits.
    int64_t NextIncoming() const { return m_In.empty() ? -1 : m_In.front().due; }
    int64_t NextOutgoing() const { return m_Out.empty() ? -1 : m_Out.front().due; }
    void Clear();

private:
    int64_t m_ByteNs;
    int64_t m_GapNs;
    std::deque<TimedByte> m_In;
    std::deque<TimedByte> m_Out;
    int64_t m_LastIn = INT64_MIN / 2;
    int64_t m_LastOut = INT64_MIN / 2;
};

} // namespace kw::sim
