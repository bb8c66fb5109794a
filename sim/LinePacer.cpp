#include "LinePacer.h"

#include <algorithm>

namespace kw::sim {

LinePacer::LinePacer(int baud, int trickleMs)
    : m_ByteNs(baud > 0 ? 10'000'000'000LL / baud : 0),
      m_GapNs(std::max<int64_t>(m_ByteNs, int64_t(trickleMs) * 1'000'000)) {}

void LinePacer::Arrived(const uint8_t* data, size_t size, int64_t now) {
    for (size_t i = 0; i < size; ++i) {
        m_LastIn = std::max(now, m_LastIn) + m_ByteNs;
        m_In.push_back({data[i], m_LastIn});
    }
}

bool LinePacer::IncomingDue(int64_t now) const {
    return !m_In.empty() && m_In.front().due <= now;
}

LinePacer::TimedByte LinePacer::TakeIncoming() {
    const TimedByte byte = m_In.front();
    m_In.pop_front();
    return byte;
}

void LinePacer::Queue(const std::string& bytes, int64_t now) {
    for (char c : bytes) {
        // The first byte of a reply needs its own line time; each further one
        // follows the previous by the line time or the trickle pause.
        m_LastOut = std::max(now + m_ByteNs, m_LastOut + m_GapNs);
        m_Out.push_back({static_cast<uint8_t>(c), m_LastOut});
    }
}

std::string LinePacer::TakeOutgoing(int64_t now, size_t max) {
    std::string bytes;
    while (!m_Out.empty() && m_Out.front().due <= now && bytes.size() < max) {
        bytes += static_cast<char>(m_Out.front().byte);
        m_Out.pop_front();
    }
    return bytes;
}

void LinePacer::Unwrite(const std::string& bytes, int64_t now) {
    for (auto it = bytes.rbegin(); it != bytes.rend(); ++it)
        m_Out.push_front({static_cast<uint8_t>(*it), now});
}

void LinePacer::Clear() {
    m_In.clear();
    m_Out.clear();
}

} // namespace kw::sim
