#include "LineEndpoint.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <unistd.h>

namespace kw::sim {
namespace {

constexpr int64_t kMs = 1'000'000;
// A stream of paced bytes is handled in batches at most this often, as a
// UART's FIFO delivers them; byte times stay exact, only wake-ups are fewer.
// The first byte after a pause in that direction is not held back.
constexpr int64_t kBatchNs = 2 * kMs;
// How often a line whose other side closed its end looks whether it opened again.
constexpr int64_t kReopenCheckNs = 20 * kMs;

} // namespace

LineEndpoint::LineEndpoint(std::string name, int fd, int baud, int trickleMs, Limits limits,
                           LinePeer& peer, Hooks hooks)
    : m_Name(std::move(name)), m_Fd(fd), m_Pacer(baud, trickleMs), m_Limits(limits), m_Peer(peer),
      m_Hooks(std::move(hooks)) {}

short LineEndpoint::PollEvents() const {
    return static_cast<short>(POLLIN | (m_WriteBlocked ? POLLOUT : 0));
}

void LineEndpoint::HandleEvents(short revents, int64_t now) {
    if (!IsOpen())
        return;
    if (revents & POLLOUT)
        m_WriteBlocked = false;
    if (revents & POLLIN)
        Read(now);
    else if (revents & (POLLHUP | POLLERR))
        OtherSideGone("hung up by the other side");
}

void LineEndpoint::OtherSideGone(const std::string& why) {
    if (!m_Hooks.otherSideClosed) {
        Close(why);
        return;
    }
    m_AwaitingReopen = true;
    m_WriteBlocked = false;
    m_Pacer.Clear();
    m_Hooks.otherSideClosed();
}

void LineEndpoint::CheckReopened() {
    pollfd fd{m_Fd, POLLIN, 0};
    if (::poll(&fd, 1, 0) >= 0 && !(fd.revents & (POLLHUP | POLLERR)))
        m_AwaitingReopen = false;
}

void LineEndpoint::Read(int64_t now) {
    uint8_t buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_Fd, buffer, sizeof buffer);
        if (n > 0) {
            m_Pacer.Arrived(buffer, size_t(n), now);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
            OtherSideGone("hung up by the other side");
        return;
    }
}

void LineEndpoint::Process(int64_t now) {
    if (m_AwaitingReopen) {
        CheckReopened();
        if (m_AwaitingReopen)
            return;
    }
    m_LastProcess = now;
    m_MovedIn = false;
    m_MovedOut = false;
    while (IsOpen() && m_DropReason.empty() && m_Pacer.IncomingDue(now)) {
        const LinePacer::TimedByte byte = m_Pacer.TakeIncoming();
        m_MovedIn = true;
        std::string reply;
        m_Peer.Receive(&byte.byte, 1, reply);
        m_LastByte = byte.due;
        // The reply leaves when the byte that completed the command arrived,
        // not when this loop got round to it, so wake-up delays do not add up.
        m_Pacer.Queue(reply, byte.due + m_Peer.TakeReplyDelayMs() * kMs);
        ++m_Received;
        if (m_Limits.dropAfterReceived >= 0 && m_Received >= m_Limits.dropAfterReceived)
            DropWhenRead("after " + std::to_string(m_Received) + " bytes received", now);
    }
    const int quiet = m_Peer.QuietTimeoutMs();
    if (IsOpen() && quiet >= 0 && m_Pacer.NextIncoming() < 0 && now >= m_LastByte + quiet * kMs) {
        m_Peer.LineQuiet();
        m_Pacer.Queue(m_Peer.TakeUnprompted(), now);
    }
    Flush(now);
    if (IsOpen() && !m_DropReason.empty()) {
        const int unread = m_Hooks.unread ? m_Hooks.unread() : 0;
        if ((now >= m_DropSettled && unread == 0) || now >= m_DropDeadline) {
            m_Hooks.log("drop " + m_DropReason);
            Close(std::string());
        }
    }
}

// Closing a pseudo-terminal's master discards what the slave has not read,
// and a line that drops mid-reply still delivers the bytes that crossed it,
// so the drop waits for the tool to read them (a tool that never reads gets
// the drop after 1 s). Written bytes reach the slave's queue a moment later,
// so an empty queue counts only once they have had time to get there.
void LineEndpoint::DropWhenRead(const std::string& why, int64_t now) {
    if (!m_DropReason.empty())
        return;
    m_DropReason = why;
    m_DropSettled = now + 50 * kMs;
    m_DropDeadline = now + 1000 * kMs;
    m_Pacer.Clear();
}

void LineEndpoint::Flush(int64_t now) {
    while (IsOpen() && !m_WriteBlocked && m_DropReason.empty()) {
        size_t max = 65536;
        const long long dropAt = m_Limits.dropAfterSent;
        if (dropAt >= 0)
            max = size_t(std::max(0LL, dropAt - m_Sent));
        const std::string bytes = m_Pacer.TakeOutgoing(now, max);
        if (bytes.empty()) {
            if (dropAt >= 0 && m_Sent >= dropAt && m_Pacer.OutgoingPending())
                DropWhenRead("after " + std::to_string(m_Sent) + " bytes sent", now);
            return;
        }
        m_MovedOut = true;
        const ssize_t n = ::write(m_Fd, bytes.data(), bytes.size());
        const int error = errno;
        const size_t written = n > 0 ? size_t(n) : 0;
        m_Sent += static_cast<long long>(written);
        if (written == bytes.size())
            continue;
        m_Pacer.Unwrite(bytes.substr(written), now);
        if (n < 0 && error != EAGAIN && error != EWOULDBLOCK && error != EINTR) {
            Close(std::string("write failed: ") + std::strerror(error));
            return;
        }
        m_WriteBlocked = n < 0 ? error != EINTR : true;
    }
}

int64_t LineEndpoint::Deadline(int64_t now) const {
    if (!IsOpen())
        return -1;
    if (m_AwaitingReopen)
        return now + kReopenCheckNs; // no event tells when it opens again
    if (!m_DropReason.empty())
        return now + 10 * kMs; // no event tells when the other side has read
    int64_t deadline = -1;
    auto consider = [&deadline](int64_t at) {
        if (at >= 0 && (deadline < 0 || at < deadline))
            deadline = at;
    };
    auto batched = [this](int64_t due, bool streaming) {
        return due >= 0 && streaming ? std::max(due, m_LastProcess + kBatchNs) : due;
    };
    consider(batched(m_Pacer.NextIncoming(), m_MovedIn));
    if (!m_WriteBlocked)
        consider(batched(m_Pacer.NextOutgoing(), m_MovedOut));
    const int quiet = m_Peer.QuietTimeoutMs();
    if (quiet >= 0)
        consider(m_LastByte + quiet * kMs);
    return deadline;
}

void LineEndpoint::Close(const std::string& why) {
    if (!IsOpen())
        return;
    if (!why.empty())
        m_Hooks.log((m_Name.empty() ? "line" : m_Name) + " " + why);
    m_Fd = -1;
    m_Pacer.Clear();
    if (m_Hooks.close)
        m_Hooks.close();
}

} // namespace kw::sim
