#include "InProcessLine.h"

#include "CommTypes.h"

#include <algorithm>
#include <cerrno>

namespace kw::fuzz {
namespace {

// The terminal's idle timer wakes a wait at least this often.
constexpr uint32_t kIdleTickMs = 100;
// The terminal reads at most this many bytes per received-data event.
constexpr size_t kMaxReadAtOnce = 4999;

} // namespace

CInProcessLine::CInProcessLine(sim::LinePeer& peer)
    : m_Peer(peer), m_PreviousClock(SetLinkClock(this)) {}

CInProcessLine::~CInProcessLine() {
    SetLinkClock(m_PreviousClock);
}

void CInProcessLine::Open(const std::string&) {
    Pump();
    if (m_HungUp)
        throw ECommError("Error accessing specified device", ENOENT);
    m_Open = true;
    // Opening purges what had arrived and was never read.
    while (!m_InFlight.empty() && m_InFlight.front().NextDue() <= m_Now) {
        InFlight& first = m_InFlight.front();
        while (first.next < first.bytes.size() && first.NextDue() <= m_Now)
            ++first.next;
        if (first.next < first.bytes.size())
            break;
        m_InFlight.pop_front();
    }
}

void CInProcessLine::Close() {
    Pump();
    m_Open = false;
}

int CInProcessLine::Write(const void* bytes, int n) {
    if (!m_Open)
        throw ECommError("Write error", EBADF);
    if (m_HungUp)
        return -1;
    // The firmware upgrade writes its blocks byte by byte: keep that cheap.
    const auto* data = static_cast<const uint8_t*>(bytes);
    for (int i = 0; i < n; ++i) {
        if (m_UnreadCount == sizeof m_Unread)
            Pump();
        m_Unread[m_UnreadCount++] = data[i];
    }
    return n < 0 ? 0 : n;
}

void CInProcessLine::Pump() {
    if (m_UnreadCount == 0)
        return;
    m_LastReceived = m_Now;
    std::string produced;
    m_Peer.Receive(m_Unread, m_UnreadCount, produced);
    m_UnreadCount = 0;
    if (produced.empty())
        return;
    Reply reply{std::move(produced), static_cast<uint32_t>(std::max(0, m_Peer.TakeReplyDelayMs()))};
    if (m_Shape)
        m_Shape(reply);
    // A reply never overtakes the one before it on the line.
    uint32_t due = m_Now + reply.delayMs;
    if (!m_InFlight.empty())
        due = std::max(due, m_InFlight.back().LastDue());
    if (!reply.bytes.empty())
        m_InFlight.push_back({std::move(reply.bytes), due, reply.gapMs});
    // What was sent before the hang-up still arrives; nothing after it.
    m_HungUp = reply.hangUp;
}

bool CInProcessLine::Deliver() {
    bool delivered = false;
    while (!m_InFlight.empty() && m_InFlight.front().NextDue() <= m_Now) {
        InFlight& first = m_InFlight.front();
        // Everything due now, at most what the terminal takes in one read.
        size_t end = first.next + 1;
        while (end < first.bytes.size() && first.DueOf(end) <= m_Now &&
               end - first.next < kMaxReadAtOnce)
            ++end;
        // A closed port loses what arrives.
        if (m_Open && m_Received)
            m_Received(reinterpret_cast<const uint8_t*>(first.bytes.data()) + first.next,
                       static_cast<int>(end - first.next));
        first.next = end;
        delivered = true;
        if (first.next < first.bytes.size())
            break;
        m_InFlight.pop_front();
    }
    return delivered;
}

void CInProcessLine::HandleOneMessage() {
    Pump();
    if (m_OnWait)
        m_OnWait();
    if (Deliver())
        return;
    uint32_t next = m_Now + kIdleTickMs;
    if (!m_InFlight.empty())
        next = std::min(next, m_InFlight.front().NextDue());
    Advance(next);
    Deliver();
}

void CInProcessLine::Sleep(int ms) {
    Pump();
    Advance(m_Now + static_cast<uint32_t>(ms > 0 ? ms : 0));
}

void CInProcessLine::HandlePendingMessages() {
    Pump();
    Deliver();
}

void CInProcessLine::Advance(uint32_t to) {
    const int quiet = m_Peer.QuietTimeoutMs();
    if (quiet >= 0 && to - m_LastReceived >= static_cast<uint32_t>(quiet) &&
        m_Now - m_LastReceived < static_cast<uint32_t>(quiet))
        m_Peer.LineQuiet();
    m_Now = to;
}

} // namespace kw::fuzz
