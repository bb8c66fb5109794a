// The 20000-byte receive buffer of a link path and the tests the waits apply to
// it. Bytes are appended one by one; a full buffer starts again at the beginning,
// so it never overflows and nothing is allocated per reply.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kw {

class CReceiveBuffer {
public:
    static constexpr int32_t kSize = 20000;

    void Append(const uint8_t* bytes, int32_t n);
    void Clear() { m_Count = 0; }
    int32_t Count() const { return m_Count; }
    const uint8_t* Data() const { return m_Data.data(); }
    // Copies the first min(n, Count()) bytes; nothing is removed.
    void CopyTo(uint8_t* destination, int32_t n) const;

    // 1 to replies.size() for the first reply found in the received text (seen
    // up to its first zero byte), 0 when none is there yet.
    int FindReply(const std::vector<std::string>& replies);
    // A zero-terminated reply has arrived: the last received byte is zero.
    bool EndsWithZero() const { return m_Count > 0 && m_Data[m_Count - 1] == 0; }
    // `reply` occurs `times` times in the received text; each search starts one
    // byte after the previous match began.
    bool Occurs(const std::string& reply, int times);
    // The text between prefix and suffix, spaces and tabs after the prefix
    // skipped; the suffix's first byte is overwritten by a zero. Empty optional
    // when either is missing.
    std::optional<std::string> ExtractBetween(const std::string& prefix, const std::string& suffix);

private:
    // The received bytes as a C string (a zero stored after them).
    char* Text();

    std::array<uint8_t, kSize + 1> m_Data{};
    int32_t m_Count = 0;
};

} // namespace kw
