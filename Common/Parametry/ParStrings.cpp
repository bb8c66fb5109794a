#include "ParStrings.h"

#include <algorithm>

namespace {

std::string DigitsOnly(const std::string& text) {
    std::string digits;
    for (char c : text)
        if (c >= '0' && c <= '9')
            digits += c;
    return digits;
}

constexpr uint8_t kEndCode = 0;
constexpr uint8_t kExtraCode = 14;

uint8_t DialCode(char c, char extraChar) {
    if (extraChar != 0 && c == extraChar)
        return kExtraCode;
    if (c >= '1' && c <= '9')
        return static_cast<uint8_t>(c - '0');
    switch (c) {
    case '0':
        return 10;
    case '*':
        return 11;
    case '#':
        return 12;
    case '+':
        return 13;
    default:
        return 15; // never in a canonical text; reads back as the end
    }
}

void WriteNibble(uint8_t* row, int index, uint8_t code) {
    uint8_t& byte = row[index / 2];
    if (index % 2 == 0)
        byte = static_cast<uint8_t>((byte & 0x0F) | (code << 4));
    else
        byte = static_cast<uint8_t>((byte & 0xF0) | (code & 0x0F));
}

uint8_t ReadNibble(const uint8_t* row, int index) {
    uint8_t byte = row[index / 2];
    return index % 2 == 0 ? static_cast<uint8_t>(byte >> 4) : static_cast<uint8_t>(byte & 0x0F);
}

} // namespace

void CParPasString::Encode(const std::string& text, uint8_t* row) const {
    const auto n = static_cast<int32_t>(std::min<size_t>(text.size(), std::max(m_MaxSize, 0)));
    row[0] = static_cast<uint8_t>(n);
    std::copy_n(text.begin(), n, row + 1);
}

std::string CParPasString::Decode(const uint8_t* row) const {
    const int32_t n = std::min<int32_t>(row[0], m_MaxSize);
    return std::string(reinterpret_cast<const char*>(row + 1), std::max(n, 0));
}

std::string CParPhoneString::FilterDialChars(const std::string& text, bool allowPlus,
                                             char extraChar) const {
    std::string result;
    for (char c : text) {
        if (static_cast<int32_t>(result.size()) >= m_MaxSize)
            break;
        const bool keep = (c >= '0' && c <= '9') || c == '*' || c == '#' ||
                          (allowPlus && c == '+') || (extraChar != 0 && c == extraChar);
        if (keep)
            result += c;
    }
    return result;
}

std::string CParPhoneString::Normalize(const std::string& text) const {
    return FilterDialChars(text, m_AllowPlus, m_ExtraChar);
}

void CParPhoneString::Encode(const std::string& text, uint8_t* row) const {
    const int length = static_cast<int>(text.size());
    const int written = std::min(length, m_MaxSize);
    for (int i = 0; i < written; ++i)
        WriteNibble(row, i, DialCode(text[i], m_ExtraChar));
    if (length < m_MaxSize)
        WriteNibble(row, length, kEndCode);
}

std::string CParPhoneString::Decode(const uint8_t* row) const {
    std::string text;
    for (int i = 0; i < m_MaxSize; ++i) {
        const uint8_t code = ReadNibble(row, i);
        if (code >= 1 && code <= 9)
            text += static_cast<char>('0' + code);
        else if (code == 10)
            text += '0';
        else if (code == 11)
            text += '*';
        else if (code == 12)
            text += '#';
        else if (code == 13)
            text += '+';
        else if (code == kExtraCode && m_ExtraChar != 0)
            text += m_ExtraChar;
        else
            break; // 0, 15, or 14 without an extra character
    }
    return text;
}

std::string CParStringNum::Normalize(const std::string& text) const {
    std::string digits = DigitsOnly(text);
    while (static_cast<int32_t>(digits.size()) < m_MinSize)
        digits += static_cast<char>('0' + (digits.size() + 1) % 10);
    return digits;
}

std::string CPIN::Normalize(const std::string& text) const {
    if (text.empty())
        return text;
    return CParStringNum::Normalize(text);
}

std::string CParStringNumEmpty::Normalize(const std::string& text) const {
    std::string digits = DigitsOnly(text);
    if (static_cast<int32_t>(digits.size()) < m_MinSize)
        digits.clear();
    return digits;
}

std::string CParPhoneCross::Normalize(const std::string& text) const {
    std::string result = FilterDialChars(text, true, 0);
    if (!result.empty() && result.back() != '#')
        result += '#';
    return result;
}
