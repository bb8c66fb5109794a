// The SMS PDU encoder behind the wake-up message: any number, text, data
// coding and alphabet. A refused input gives its error and no bytes; an
// accepted one gives hexadecimal that reads back to the number, the data
// coding, the declared lengths and the text (octets as given, septets as the
// characters packed one by one), within one SMS.
#include "FuzzBytes.h"
#include "FuzzCheck.h"
#include "PduEncoder.h"

#include <array>
#include <string>
#include <vector>

namespace {

using namespace kw::fuzz;
using kw::TPdu;

std::vector<uint8_t> Octets(const std::string& hex) {
    std::vector<uint8_t> octets;
    auto digit = [](char c) { return c <= '9' ? c - '0' : c - 'A' + 10; };
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        octets.push_back(uint8_t(digit(hex[i]) << 4 | digit(hex[i + 1])));
    return octets;
}

std::vector<uint8_t> Unpack(const std::vector<uint8_t>& octets, size_t begin, int count) {
    std::vector<uint8_t> septets;
    for (int k = 0; k < count; ++k) {
        const size_t bit = size_t(k) * 7;
        const size_t at = begin + bit / 8;
        unsigned value = octets[at] >> (bit % 8);
        if (at + 1 < octets.size())
            value |= unsigned(octets[at + 1]) << (8 - bit % 8);
        septets.push_back(uint8_t(value & 0x7F));
    }
    return septets;
}

// The septets one character packs to, learnt from the encoder itself a
// character at a time: the whole text must pack to their concatenation.
const std::array<std::vector<uint8_t>, 256>& SeptetsOfEachByte() {
    static const std::array<std::vector<uint8_t>, 256> table = [] {
        std::array<std::vector<uint8_t>, 256> t;
        for (int b = 0; b < 256; ++b) {
            const TPdu pdu = kw::EncodePdu("1", std::string(1, char(b)), 0, kw::kSevenBit);
            const std::vector<uint8_t> octets = Octets(pdu.hex);
            t[size_t(b)] = Unpack(octets, octets.size() - (size_t(pdu.userDataLength) * 7 + 7) / 8,
                                  pdu.userDataLength);
        }
        // Characters that survive the packing are told apart by the receiver.
        for (int a = 0; a < 256; ++a)
            for (int b = a + 1; b < 256; ++b)
                if (kw::SurvivesSevenBit(uint8_t(a)) && kw::SurvivesSevenBit(uint8_t(b)))
                    KW_FUZZ_REQUIRE(t[size_t(a)] != t[size_t(b)],
                                    "surviving characters pack differently");
        return t;
    }();
    return table;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CFuzzBytes in(data, size);
    const uint8_t flags = in.Byte();
    const int alphabet = flags & 1 ? kw::kSevenBit : flags >> 1;
    const uint8_t dataCoding = in.Byte();
    const std::string number = in.Run(in.Byte() % 32);
    const std::string text = in.Rest();

    const TPdu pdu = kw::EncodePdu(number, text, dataCoding, alphabet);
    const bool sevenBit = alphabet == kw::kSevenBit;
    const std::string message = text.substr(0, sevenBit ? 160 : 140);
    if (number.empty() || number == "+") {
        KW_FUZZ_REQUIRE(pdu.error == TPdu::Error::EmptyNumber, "an empty number is refused");
    } else if (!kw::IsPhoneNumber(number)) {
        KW_FUZZ_REQUIRE(pdu.error == TPdu::Error::BadNumber, "a bad number is refused");
    } else if (sevenBit && kw::SeptetCount(message) > kw::kMaxSeptets) {
        KW_FUZZ_REQUIRE(pdu.error == TPdu::Error::TooManySeptets, "too long a text is refused");
    } else {
        KW_FUZZ_REQUIRE(pdu.error == TPdu::Error::None, "a valid input is encoded");
    }
    if (pdu.error != TPdu::Error::None) {
        KW_FUZZ_REQUIRE(pdu.hex.empty(), "a refused input gives no bytes");
        return 0;
    }

    for (const char c : pdu.hex)
        KW_FUZZ_REQUIRE((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'), "uppercase hexadecimal");
    KW_FUZZ_REQUIRE(pdu.hex.size() == 4 + 2 * size_t(pdu.tpduOctets), "length octet, centre, TPDU");
    const std::vector<uint8_t> octets = Octets(pdu.hex);
    KW_FUZZ_REQUIRE(octets[0] == pdu.tpduOctets && octets[1] == 0, "the length octet leads");
    KW_FUZZ_REQUIRE(pdu.Sent() == pdu.hex.substr(2), "what follows the prompt");

    // SMS-SUBMIT, message reference 0, the destination in semi-octets.
    size_t at = 2;
    KW_FUZZ_REQUIRE(octets[at] == 0x11 && octets[at + 1] == 0, "SMS-SUBMIT");
    const bool international = number[0] == '+';
    const std::string digits = number.substr(international ? 1 : 0);
    KW_FUZZ_REQUIRE(octets[at + 2] == digits.size(), "the number's digit count");
    KW_FUZZ_REQUIRE(octets[at + 3] == (international ? 0x91 : 0x81), "the number's type");
    at += 4;
    std::string read;
    for (size_t i = 0; i < (digits.size() + 1) / 2; ++i, ++at) {
        read += char('0' + (octets[at] & 0x0F));
        const int high = octets[at] >> 4;
        if (high != 0x0F)
            read += char('0' + high);
        else
            KW_FUZZ_REQUIRE(i == digits.size() / 2, "only the last semi-octet is filler");
    }
    KW_FUZZ_REQUIRE(read == digits, "the number reads back");
    KW_FUZZ_REQUIRE(octets[at] == 0 && octets[at + 1] == dataCoding && octets[at + 2] == 0xFF,
                    "protocol, data coding, validity");
    KW_FUZZ_REQUIRE(octets[at + 3] == pdu.userDataLength, "the user data length as declared");
    at += 4;
    const size_t userOctets =
        sevenBit ? (size_t(pdu.userDataLength) * 7 + 7) / 8 : size_t(pdu.userDataLength);
    KW_FUZZ_REQUIRE(octets.size() == at + userOctets, "nothing after the user data");

    if (!sevenBit) {
        KW_FUZZ_REQUIRE(std::string(octets.begin() + ptrdiff_t(at), octets.end()) == message,
                        "octets carry the text as given");
        return 0;
    }
    KW_FUZZ_REQUIRE(pdu.userDataLength == kw::SeptetCount(message), "the septets counted");
    std::vector<uint8_t> expected;
    const auto& each = SeptetsOfEachByte();
    for (const char c : message) {
        const std::vector<uint8_t>& septets = each[uint8_t(c)];
        expected.insert(expected.end(), septets.begin(), septets.end());
    }
    KW_FUZZ_REQUIRE(Unpack(octets, at, pdu.userDataLength) == expected,
                    "the text packs as its characters one by one");
    const int usedBits = pdu.userDataLength * 7 % 8;
    if (usedBits != 0)
        KW_FUZZ_REQUIRE((octets.back() >> usedBits) == 0, "the last octet's spare bits are zero");
    return 0;
}
