// What went over the link, for a support trace and for tests: every command
// and raw write, every burst of received bytes and the link's events, on the
// cable, the modem call and TCP/IP alike. The code that sends a secret (a PIN,
// a password, the wake-up SMS) marks where it lies, so a trace can leave it out.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace kw {

// Bytes [begin, begin + size) of a burst or of a reply.
struct TByteRange {
    int32_t begin;
    int32_t size;
};

// A range that covers whatever comes.
inline constexpr TByteRange kAllBytes{0, INT32_MAX};

struct TLinkTapEvent {
    enum class Kind {
        Command,  // a command text (empty when only a reply is awaited), terminator left out
        Raw,      // raw bytes written
        Received, // a burst of received bytes
        Event,    // a link event in words: "open /dev/ttyS0 19200", "time-out", "hang-up"
    } kind;
    std::string bytes;
    int32_t timeOut; // the reply time-out in effect (Command and Raw)
    // The secret bytes of this event, relative to `bytes`.
    std::vector<TByteRange> secret = {};

    bool Sent() const { return kind == Kind::Command || kind == Kind::Raw; }
};

class CLinkTap {
public:
    using Listener = std::function<void(const TLinkTapEvent&)>;

    // A listener hears every event until removed with the number returned.
    int Add(Listener listener);
    void Remove(int id);
    bool Listening() const { return !m_Listeners.empty(); }

    // The next command or raw write holds secrets at `sent`, and the reply to
    // it (counted from the start of the receive buffer) at `reply`. The reply
    // ranges hold until the next command with text or the next raw write.
    void HideInNext(std::vector<TByteRange> sent, std::vector<TByteRange> reply);

    // An upgrade writes its blocks a byte at a time: with nobody listening and
    // no secret about, these cost one test.
    void Sent(TLinkTapEvent::Kind kind, const void* bytes, size_t n, int32_t timeOut) {
        if (!m_Quiet)
            TellSent(kind, bytes, n, timeOut);
    }
    // `replyOffset`: where the burst begins in the receive buffer.
    void Received(const uint8_t* bytes, int32_t n, int32_t replyOffset) {
        if (!m_Listeners.empty())
            TellReceived(bytes, n, replyOffset);
    }
    void Event(const std::string& text);

private:
    void TellSent(TLinkTapEvent::Kind kind, const void* bytes, size_t n, int32_t timeOut);
    void TellReceived(const uint8_t* bytes, int32_t n, int32_t replyOffset);
    void Tell(const TLinkTapEvent& event);
    void UpdateQuiet();

    std::vector<std::pair<int, Listener>> m_Listeners;
    int m_NextId = 1;
    std::vector<TByteRange> m_NextSent;
    std::vector<TByteRange> m_NextReply;
    std::vector<TByteRange> m_Reply;
    bool m_Quiet = true; // no listener and no secret ranges
};

// A listener for as long as this lives: one that captures what goes before the
// tap cannot outlive it.
class CTapListener {
public:
    CTapListener(CLinkTap& tap, CLinkTap::Listener listener)
        : m_Tap(tap), m_Id(tap.Add(std::move(listener))) {}
    ~CTapListener() { m_Tap.Remove(m_Id); }
    CTapListener(const CTapListener&) = delete;
    CTapListener& operator=(const CTapListener&) = delete;

private:
    CLinkTap& m_Tap;
    int m_Id;
};

// The secret ranges of `ranges` that fall inside [offset, offset + n),
// relative to offset.
std::vector<TByteRange> RangesWithin(const std::vector<TByteRange>& ranges, int32_t offset,
                                     int32_t n);

} // namespace kw
