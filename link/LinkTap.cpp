#include "LinkTap.h"

#include <algorithm>

namespace kw {

std::vector<TByteRange> RangesWithin(const std::vector<TByteRange>& ranges, int32_t offset,
                                     int32_t n) {
    std::vector<TByteRange> inside;
    const int64_t end = int64_t{offset} + n;
    for (const TByteRange& range : ranges) {
        const int64_t begin = std::max<int64_t>(range.begin, offset);
        const int64_t last = std::min<int64_t>(int64_t{range.begin} + range.size, end);
        if (begin < last)
            inside.push_back({int32_t(begin - offset), int32_t(last - begin)});
    }
    return inside;
}

int CLinkTap::Add(Listener listener) {
    m_Listeners.emplace_back(m_NextId, std::move(listener));
    UpdateQuiet();
    return m_NextId++;
}

void CLinkTap::Remove(int id) {
    std::erase_if(m_Listeners, [id](const auto& entry) { return entry.first == id; });
    UpdateQuiet();
}

void CLinkTap::HideInNext(std::vector<TByteRange> sent, std::vector<TByteRange> reply) {
    m_NextSent = std::move(sent);
    m_NextReply = std::move(reply);
    UpdateQuiet();
}

void CLinkTap::UpdateQuiet() {
    m_Quiet = m_Listeners.empty() && m_NextSent.empty() && m_NextReply.empty() && m_Reply.empty();
}

void CLinkTap::TellSent(TLinkTapEvent::Kind kind, const void* bytes, size_t n, int32_t timeOut) {
    // A wait without a command awaits the reply to what went before.
    if (n == 0 && kind != TLinkTapEvent::Kind::Raw) {
        if (!m_Listeners.empty())
            Tell({kind, {}, timeOut});
        return;
    }
    TLinkTapEvent event{kind, {}, timeOut};
    if (!m_NextSent.empty()) {
        event.secret = RangesWithin(m_NextSent, 0, int32_t(n));
        m_NextSent.clear();
    }
    m_Reply.swap(m_NextReply);
    m_NextReply.clear();
    UpdateQuiet();
    if (m_Listeners.empty())
        return;
    event.bytes.assign(static_cast<const char*>(bytes), n);
    Tell(event);
}

void CLinkTap::TellReceived(const uint8_t* bytes, int32_t n, int32_t replyOffset) {
    if (n <= 0)
        return;
    Tell({TLinkTapEvent::Kind::Received,
          std::string(reinterpret_cast<const char*>(bytes), size_t(n)), 0,
          RangesWithin(m_Reply, replyOffset, n)});
}

void CLinkTap::Event(const std::string& text) {
    if (!m_Listeners.empty())
        Tell({TLinkTapEvent::Kind::Event, text, 0});
}

void CLinkTap::Tell(const TLinkTapEvent& event) {
    // A listener may remove itself (or another) while it hears the event.
    const auto listeners = m_Listeners;
    for (const auto& [id, listener] : listeners)
        listener(event);
}

} // namespace kw
