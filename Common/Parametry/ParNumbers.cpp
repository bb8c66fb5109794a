#include "ParNumbers.h"

#include <algorithm>
#include <cctype>
#include <limits>

int64_t kw::ParseNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr int64_t kLimit = int64_t{1} << 40; // far beyond any 32-bit value
    int64_t v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        v = std::min(v * 10 + (text[i] - '0'), kLimit);
    return negative ? -v : v;
}

int32_t CParInt::Value(const std::string& text) const {
    int64_t v = kw::ParseNumber(text);
    if (v < m_Min)
        v = m_Min;
    if (v > m_Max)
        v = m_Max;
    if (m_Step != 0)
        v = m_Min + int64_t{m_Step} * ((v - m_Min) / m_Step);
    return static_cast<int32_t>(v);
}

std::string CParInt::Normalize(const std::string& text) const {
    return std::to_string(Value(text));
}

namespace {

// Values reaching Encode are canonical; parsing keeps them in 32 bits all the same.
uint32_t EncodedBits(const std::string& text) {
    const int64_t v =
        std::clamp<int64_t>(kw::ParseNumber(text), std::numeric_limits<int32_t>::min(),
                            std::numeric_limits<int32_t>::max());
    return static_cast<uint32_t>(static_cast<int32_t>(v));
}

} // namespace

void CParInt::Encode(const std::string& text, uint8_t* row) const {
    const uint32_t bits = EncodedBits(text);
    for (int i = 0; i < 4; ++i)
        row[i] = static_cast<uint8_t>(bits >> (8 * i));
}

std::string CParInt::Decode(const uint8_t* row) const {
    const uint32_t bits = row[0] | (row[1] << 8) | (row[2] << 16) | (uint32_t{row[3]} << 24);
    return std::to_string(static_cast<int32_t>(bits));
}

void CParWord::Encode(const std::string& text, uint8_t* row) const {
    const uint32_t bits = EncodedBits(text);
    row[0] = static_cast<uint8_t>(bits);
    row[1] = static_cast<uint8_t>(bits >> 8);
}

std::string CParWord::Decode(const uint8_t* row) const {
    return std::to_string(row[0] | (row[1] << 8));
}

void CParWordBEnd::Encode(const std::string& text, uint8_t* row) const {
    const uint32_t bits = EncodedBits(text);
    row[0] = static_cast<uint8_t>(bits >> 8);
    row[1] = static_cast<uint8_t>(bits);
}

std::string CParWordBEnd::Decode(const uint8_t* row) const {
    return std::to_string(row[0] * 256 + row[1]);
}

void CParDecimal3::Encode(const std::string& text, uint8_t* row) const {
    const size_t n = std::min<size_t>(text.size(), 3);
    row[0] = row[1] = row[2] = 0;
    std::copy_n(text.begin(), n, row + (3 - n));
}

std::string CParDecimal3::Decode(const uint8_t* row) const {
    int v = row[2] - 48;
    if (row[0] != 0)
        v += (row[0] - 48) * 100;
    if (row[1] != 0)
        v += (row[1] - 48) * 10;
    return std::to_string(v);
}

namespace {

uint8_t TrailingZeroBits(uint8_t mask) {
    uint8_t shift = 0;
    while (shift < 8 && (mask & (1u << shift)) == 0)
        ++shift;
    return shift;
}

} // namespace

CParMaskByte::CParMaskByte(int32_t defaultNumber, int32_t min, int32_t max, int32_t step,
                           uint8_t mask)
    : CParInt(defaultNumber, min, max, step), m_Mask(mask), m_Shift(TrailingZeroBits(mask)) {}

void CParMaskByte::Encode(const std::string& text, uint8_t* row) const {
    const int64_t scaled = kw::ParseNumber(text) / std::max(m_Step, 1);
    const auto field = static_cast<uint8_t>(static_cast<uint64_t>(scaled) << m_Shift) & m_Mask;
    row[0] = static_cast<uint8_t>((row[0] & ~m_Mask) | field);
}

std::string CParMaskByte::DecodeByte(uint8_t byte) const {
    return std::to_string(((byte & m_Mask) >> m_Shift) * std::max(m_Step, 1));
}

std::string CParMaskByte::Decode(const uint8_t* row) const {
    return DecodeByte(row[0]);
}

std::string CNumLngth::Normalize(const std::string& text) const {
    const int32_t v = Value(text);
    return std::to_string(v == 1 || v == 2 ? 3 : v);
}

std::string CFXODetPermTone::Normalize(const std::string& text) const {
    const int32_t v = Value(text);
    return std::to_string(v != 0 && v < 1610 ? 1610 : v);
}

std::string CFXODetConTone::Normalize(const std::string& text) const {
    const int32_t v = Value(text);
    return std::to_string(v == 1 ? 2 : v);
}

void CFXODTMFLength::Encode(const std::string& text, uint8_t* row) const {
    CParMaskByte::Encode(text, row);
    row[0] = static_cast<uint8_t>(row[0] - 1);
}

std::string CFXODTMFLength::Decode(const uint8_t* row) const {
    const uint8_t b = row[0] == 255 ? 255 : static_cast<uint8_t>(row[0] + 1);
    return DecodeByte(b);
}
