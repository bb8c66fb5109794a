#include "SmsSubmitDecoder.h"

#include <cctype>
#include <vector>

namespace kw::sim {
namespace {

// The GSM 7-bit default alphabet; '?' stands for characters Latin-1 lacks.
constexpr char kDefaultAlphabet[] = "@\xA3$\xA5\xE8\xE9\xF9\xEC\xF2\xC7\n\xD8\xF8\r\xC5\xE5"
                                    "?_?????????\x1B\xC6\xE6\xDF\xC9"
                                    " !\"#\xA4%&'()*+,-./0123456789:;<=>?"
                                    "\xA1"
                                    "ABCDEFGHIJKLMNOPQRSTUVWXYZ\xC4\xD6\xD1\xDC\xA7\xBF"
                                    "abcdefghijklmnopqrstuvwxyz\xE4\xF6\xF1\xFC\xE0";
static_assert(sizeof kDefaultAlphabet == 129, "128 characters and the zero");

char Extension(int code) {
    switch (code) {
    case 0x0A:
        return '\f';
    case 0x14:
        return '^';
    case 0x28:
        return '{';
    case 0x29:
        return '}';
    case 0x2F:
        return '\\';
    case 0x3C:
        return '[';
    case 0x3D:
        return '~';
    case 0x3E:
        return ']';
    case 0x40:
        return '|';
    default:
        return '?';
    }
}

bool HexToOctets(const std::string& hex, std::vector<int>& octets) {
    if (hex.size() % 2 != 0)
        return false;
    for (size_t i = 0; i < hex.size(); i += 2) {
        if (!std::isxdigit(static_cast<unsigned char>(hex[i])) ||
            !std::isxdigit(static_cast<unsigned char>(hex[i + 1])))
            return false;
        octets.push_back(std::stoi(hex.substr(i, 2), nullptr, 16));
    }
    return true;
}

} // namespace

std::string DecodeSmsSubmit(const std::string& hex, int tpduOctets, SmsSubmit& sms) {
    std::vector<int> o;
    if (!HexToOctets(hex, o) || o.empty())
        return "not hexadecimal";
    size_t p = size_t(o[0]) + 1; // skip the service centre address
    if (p > o.size() || int(o.size() - p) != tpduOctets)
        return "length differs from AT+CMGS";
    auto need = [&](size_t count) { return p + count <= o.size(); };
    if (!need(3))
        return "too short";
    const int first = o[p++];
    if ((first & 0x03) != 0x01)
        return "not an SMS-SUBMIT";
    const int validity = (first >> 3) & 0x03;
    ++p; // message reference
    const int digits = o[p++];
    if (!need(1 + size_t(digits + 1) / 2))
        return "destination too short";
    const int type = o[p++];
    sms.destination.clear();
    if ((type & 0x70) == 0x10)
        sms.destination += '+';
    for (int i = 0; i < digits; ++i) {
        const int octet = o[p + size_t(i / 2)];
        const int digit = i % 2 == 0 ? octet & 0x0F : octet >> 4;
        sms.destination += "0123456789*#abc?"[digit];
    }
    p += size_t(digits + 1) / 2;
    if (!need(2))
        return "too short";
    ++p; // protocol identifier
    const int coding = o[p++];
    if (coding != 0)
        return "not the 7-bit default alphabet";
    p += validity == 2 ? 1 : validity == 0 ? 0 : 7;
    if (!need(1))
        return "too short";
    const int septets = o[p++];
    if (!need(size_t(septets * 7 + 7) / 8))
        return "user data too short";
    sms.text.clear();
    bool escape = false;
    for (int i = 0; i < septets; ++i) {
        const int bit = i * 7;
        const size_t at = p + size_t(bit / 8);
        int value = o[at] >> (bit % 8);
        if (bit % 8 > 1 && at + 1 < o.size())
            value |= o[at + 1] << (8 - bit % 8);
        value &= 0x7F;
        if (escape)
            sms.text += Extension(value);
        else if (value != 0x1B)
            sms.text += kDefaultAlphabet[value];
        escape = !escape && value == 0x1B;
    }
    return std::string();
}

} // namespace kw::sim
