// One byte stream of the simulator (a pseudo-terminal or a TCP connection):
// takes in what arrives, hands it to its peer at line pace, writes the replies,
// and hangs up when a drop fault says so.
#pragma once

#include "LinePacer.h"
#include "LinePeer.h"

#include <functional>
#include <string>

namespace kw::sim {

class LineEndpoint {
public:
    struct Hooks {
        std::function<void()> close;                 // closes the descriptor(s)
        std::function<int()> unread;                 // sent bytes the other side has not read
        std::function<void(const std::string&)> log; // one line of the command log
        // When set, the other side closing its end is no end of the line: the
        // endpoint tells this and waits for it to open again.
        std::function<void()> otherSideClosed;
    };
    struct Limits {
        long long dropAfterSent = -1;
        long long dropAfterReceived = -1;
    };

    // name prefixes the endpoint's own log lines ("" for the gateway's line).
    LineEndpoint(std::string name, int fd, int baud, int trickleMs, Limits limits, LinePeer& peer,
                 Hooks hooks);

    bool IsOpen() const { return m_Fd >= 0; }
    int Fd() const { return m_Fd; }
    // The descriptor to poll: none while the other side has its end closed
    // (a closed pseudo-terminal slave keeps its master reporting a hang-up).
    int PollFd() const { return m_AwaitingReopen ? -1 : m_Fd; }
    short PollEvents() const;
    void HandleEvents(short revents, int64_t now);
    // Feeds due bytes to the peer, tells it of a quiet line, writes due replies.
    void Process(int64_t now);
    // When Process is next due, or -1 when only an event can bring work.
    int64_t Deadline(int64_t now) const;
    void Close(const std::string& why);
    // Bytes that crossed the line so far, for the totals logged at exit.
    long long Received() const { return m_Received; }
    long long Sent() const { return m_Sent; }

private:
    void Read(int64_t now);
    void Flush(int64_t now);
    void DropWhenRead(const std::string& why, int64_t now);
    void OtherSideGone(const std::string& why);
    void CheckReopened();

    std::string m_Name;
    int m_Fd;
    LinePacer m_Pacer;
    Limits m_Limits;
    LinePeer& m_Peer;
    Hooks m_Hooks;
    bool m_WriteBlocked = false;
    int64_t m_LastByte = 0;
    int64_t m_LastProcess = 0;
    bool m_MovedIn = false;  // the last Process took incoming bytes
    bool m_MovedOut = false; // the last Process wrote bytes
    long long m_Sent = 0;
    long long m_Received = 0;
    std::string m_DropReason; // a drop waits until the other side read what was sent
    int64_t m_DropSettled = 0;
    int64_t m_DropDeadline = 0;
    bool m_AwaitingReopen = false;
};

} // namespace kw::sim
