// Takes a fuzz input apart: small numbers and byte runs from the front, zeros
// once it is used up, so every input means something.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kw::fuzz {

class CFuzzBytes {
public:
    CFuzzBytes(const uint8_t* data, size_t size) : m_Data(data), m_Size(size) {}

    bool Empty() const { return m_Pos >= m_Size; }
    uint8_t Byte() { return Empty() ? 0 : m_Data[m_Pos++]; }
    uint16_t Word() {
        const uint16_t low = Byte();
        return static_cast<uint16_t>(low | Byte() << 8);
    }
    // Up to n bytes (fewer when the input ends).
    std::string Run(size_t n) {
        const size_t take = n < m_Size - m_Pos ? n : m_Size - m_Pos;
        std::string bytes(reinterpret_cast<const char*>(m_Data + m_Pos), take);
        m_Pos += take;
        return bytes;
    }
    // Everything not taken yet.
    std::string Rest() { return Run(m_Size - m_Pos); }

private:
    const uint8_t* m_Data;
    size_t m_Size;
    size_t m_Pos = 0;
};

} // namespace kw::fuzz
