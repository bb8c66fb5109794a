#include "PduEncoder.h"

#include <vector>

namespace kw {
namespace {

// The GSM default alphabet by septet value, each position holding its
// character's Windows-1252 code; 0x20 where that code page has no such
// character (the capital Greek letters and the escape).
constexpr uint8_t kSevenBitTable[128] = {
    0x40, 0xA3, 0x24, 0xA5, 0xE8, 0xE9, 0xF9, 0xEC, 0xF2, 0xC7, 0x0A, 0xD8, 0xF8, 0x0D, 0xC5, 0xE5,
    0x20, 0x5F, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0xC6, 0xE6, 0xDF, 0xC9,
    0x20, 0x21, 0x22, 0x23, 0xA4, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x2B, 0x2C, 0x2D, 0x2E, 0x2F,
    0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x3B, 0x3C, 0x3D, 0x3E, 0x3F,
    0xA1, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4A, 0x4B, 0x4C, 0x4D, 0x4E, 0x4F,
    0x50, 0x51, 0x52, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0xC4, 0xD6, 0xD1, 0xDC, 0xA7,
    0xBF, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x6F,
    0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0xE4, 0xF6, 0xF1, 0xFC, 0xE0};

constexpr uint8_t kEuro = 0x80; // in the Windows code pages
constexpr uint8_t kEscape = 0x1B;
constexpr uint8_t kEuroAfterEscape = 0x65;
constexpr uint8_t kQuestionMark = 0x3F;
constexpr size_t kSevenBitCut = 160;
constexpr size_t kOctetCut = 140;

uint8_t SubstituteBracket(uint8_t c) {
    switch (c) {
    case '{':
    case '[':
        return '(';
    case ']':
    case '}':
        return ')';
    case '\\':
        return '/';
    default:
        return c;
    }
}

// The septet for a character other than the euro sign; -1 when the table
// lacks it.
int TableSeptet(uint8_t c) {
    if (c == ' ')
        return 0x20; // never one of the table's stand-in spaces
    for (int i = 0; i < 128; ++i)
        if (kSevenBitTable[i] == c)
            return i;
    return -1;
}

class SeptetPacker {
public:
    void Write(uint8_t septet) {
        const size_t bit = size_t(m_Count) * 7;
        const unsigned shifted = unsigned(septet & 0x7F) << (bit % 8);
        const size_t at = bit / 8;
        if (m_Octets.size() < at + 2)
            m_Octets.resize(at + 2, 0);
        m_Octets[at] |= uint8_t(shifted & 0xFF);
        m_Octets[at + 1] |= uint8_t(shifted >> 8);
        ++m_Count;
    }
    int Count() const { return m_Count; }
    // The user data: (7 * count + 7) / 8 octets.
    std::vector<uint8_t> Octets() const {
        std::vector<uint8_t> octets = m_Octets;
        octets.resize((size_t(m_Count) * 7 + 7) / 8);
        return octets;
    }

private:
    std::vector<uint8_t> m_Octets;
    int m_Count = 0;
};

void PackSevenBit(const std::string& text, SeptetPacker& packer) {
    for (const char character : text) {
        const uint8_t c = SubstituteBracket(uint8_t(character));
        if (c == kEuro) {
            packer.Write(kEscape);
            packer.Write(kEuroAfterEscape);
            continue;
        }
        const int septet = TableSeptet(c);
        packer.Write(uint8_t(septet < 0 ? kQuestionMark : septet));
    }
}

int HexDigit(char c) {
    return c >= '0' && c <= '9' ? c - '0' : 0;
}

void AppendHex(std::string& out, uint8_t octet) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out += kDigits[octet >> 4];
    out += kDigits[octet & 0x0F];
}

} // namespace

bool IsPhoneNumber(const std::string& number) {
    const size_t start = !number.empty() && number[0] == '+' ? 1 : 0;
    if (number.size() <= start || number.size() - start > size_t(kMaxNumberDigits))
        return false;
    for (size_t i = start; i < number.size(); ++i)
        if (number[i] < '0' || number[i] > '9')
            return false;
    return true;
}

int SeptetCount(const std::string& text) {
    int count = 0;
    for (const char c : text)
        count += uint8_t(SubstituteBracket(uint8_t(c))) == kEuro ? 2 : 1;
    return count;
}

bool SurvivesSevenBit(uint8_t byte) {
    if (byte == kEuro)
        return true;
    return SubstituteBracket(byte) == byte && TableSeptet(byte) >= 0;
}

TPdu EncodePdu(const std::string& number, const std::string& text, uint8_t dataCoding,
               int alphabet) {
    TPdu pdu;
    if (number.empty() || number == "+") {
        pdu.error = TPdu::Error::EmptyNumber;
        return pdu;
    }
    if (!IsPhoneNumber(number)) {
        pdu.error = TPdu::Error::BadNumber;
        return pdu;
    }
    const bool sevenBit = alphabet == kSevenBit;
    const std::string message = text.substr(0, sevenBit ? kSevenBitCut : kOctetCut);

    std::vector<uint8_t> userData;
    if (sevenBit) {
        SeptetPacker packer;
        PackSevenBit(message, packer);
        if (packer.Count() > kMaxSeptets) {
            pdu.error = TPdu::Error::TooManySeptets;
            return pdu;
        }
        pdu.userDataLength = packer.Count();
        userData = packer.Octets();
    } else {
        userData.assign(message.begin(), message.end());
        pdu.userDataLength = int(message.size());
    }

    const bool international = number[0] == '+';
    std::string digits = number.substr(international ? 1 : 0);
    const size_t digitCount = digits.size();
    if (digits.size() % 2 != 0)
        digits += 'F';

    std::vector<uint8_t> tpdu{0x11, 0x00, uint8_t(digitCount),
                              uint8_t(international ? 0x91 : 0x81)};
    for (size_t i = 0; i < digits.size(); i += 2) {
        const int high = digits[i + 1] == 'F' ? 0x0F : HexDigit(digits[i + 1]);
        tpdu.push_back(uint8_t(HexDigit(digits[i]) | high << 4));
    }
    tpdu.push_back(0x00); // protocol identifier
    tpdu.push_back(dataCoding);
    tpdu.push_back(0xFF); // relative validity, the longest
    tpdu.push_back(uint8_t(pdu.userDataLength));
    tpdu.insert(tpdu.end(), userData.begin(), userData.end());

    pdu.tpduOctets = int(tpdu.size());
    AppendHex(pdu.hex, uint8_t(pdu.tpduOctets));
    AppendHex(pdu.hex, 0x00); // the modem's stored service centre
    for (const uint8_t octet : tpdu)
        AppendHex(pdu.hex, octet);
    return pdu;
}

} // namespace kw
