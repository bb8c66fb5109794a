// A line for the terminal that answers in-process: what the program writes
// goes to a gateway (a LinePeer such as the simulator's model) as soon as the
// program waits, and the replies arrive when the line's own clock reaches them. The line is also
// the link's clock: time moves only while the link waits or sleeps, so a
// silent gateway costs no real second.
#pragma once

#include "LinePeer.h"
#include "LinkTime.h"
#include "TerminalLine.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>

namespace kw::fuzz {

class CInProcessLine : public CTerminalLine, public CLinkClock {
public:
    // One reply as the gateway produced it, and how it is to reach the tool.
    struct Reply {
        std::string bytes;
        uint32_t delayMs = 0; // before the first byte
        uint32_t gapMs = 0;   // between bytes
        bool hangUp = false;  // the line goes away after these bytes
    };

    explicit CInProcessLine(sim::LinePeer& peer);
    ~CInProcessLine() override;
    CInProcessLine(const CInProcessLine&) = delete;
    CInProcessLine& operator=(const CInProcessLine&) = delete;

    // Sees (and may change) each reply before it is sent.
    std::function<void(Reply&)> m_Shape;
    // Called at every wait step, before time moves (the attach's time limit).
    std::function<void()> m_OnWait;

    uint32_t Now() const { return m_Now; }
    bool HungUp() const { return m_HungUp; }

    // CTerminalLine
    void Open(const std::string& devicePath) override;
    void Close() override;
    bool IsOpen() const override { return m_Open; }
    int Write(const void* bytes, int n) override;

    // CLinkClock
    uint32_t TickCount() override { return m_Now; }
    void HandleOneMessage() override;
    void HandlePendingMessages() override;
    void Sleep(int ms) override;

private:
    // Reply bytes on their way: byte i of `bytes` (from `next` on) is due at
    // due + i * gapMs.
    struct InFlight {
        std::string bytes;
        uint32_t due;
        uint32_t gapMs;
        size_t next = 0;

        uint32_t DueOf(size_t i) const { return due + static_cast<uint32_t>(i) * gapMs; }
        uint32_t NextDue() const { return DueOf(next); }
        uint32_t LastDue() const { return DueOf(bytes.size() - 1); }
    };

    // Hands what the program wrote since the last wait to the gateway: it
    // cannot answer before the program waits, and one call per command is
    // far cheaper than one per byte.
    void Pump();
    // Hands the bytes that are due to the terminal; true when there were any.
    bool Deliver();
    // Moves the clock to `to`, telling the peer of a quiet line on the way.
    void Advance(uint32_t to);

    sim::LinePeer& m_Peer;
    CLinkClock* m_PreviousClock;
    uint32_t m_Now = 0;
    uint32_t m_LastReceived = 0; // when the peer last got a byte
    bool m_Open = false;
    bool m_HungUp = false;
    std::deque<InFlight> m_InFlight; // due times never decrease
    uint8_t m_Unread[16384];         // written, not yet handed to the gateway
    size_t m_UnreadCount = 0;
};

} // namespace kw::fuzz
