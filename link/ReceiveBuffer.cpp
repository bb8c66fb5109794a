#include "ReceiveBuffer.h"

#include <algorithm>
#include <cstring>

namespace kw {

void CReceiveBuffer::Append(const uint8_t* bytes, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
        if (m_Count > kSize - 1)
            m_Count = 0;
        m_Data[m_Count++] = bytes[i];
    }
}

void CReceiveBuffer::CopyTo(uint8_t* destination, int32_t n) const {
    const int32_t count = std::min(n, m_Count);
    if (count > 0)
        std::memcpy(destination, m_Data.data(), static_cast<size_t>(count));
}

char* CReceiveBuffer::Text() {
    m_Data[m_Count] = 0;
    return reinterpret_cast<char*>(m_Data.data());
}

int CReceiveBuffer::FindReply(const std::vector<std::string>& replies) {
    const char* text = Text();
    for (size_t i = 0; i < replies.size(); ++i) {
        if (std::strstr(text, replies[i].c_str()) != nullptr)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

bool CReceiveBuffer::Occurs(const std::string& reply, int times) {
    const char* from = Text();
    for (int found = 0; found < times; ++found) {
        const char* match = std::strstr(from, reply.c_str());
        if (match == nullptr)
            return false;
        from = match + 1;
    }
    return true;
}

std::optional<std::string> CReceiveBuffer::ExtractBetween(const std::string& prefix,
                                                          const std::string& suffix) {
    char* text = Text();
    char* start = std::strstr(text, prefix.c_str());
    if (start == nullptr)
        return std::nullopt;
    start += prefix.size();
    char* end = std::strstr(start, suffix.c_str());
    if (end == nullptr)
        return std::nullopt;
    *end = 0;
    while (*start == ' ' || *start == '\t')
        ++start;
    return std::string(start);
}

} // namespace kw
