// The SMS-SUBMIT PDU a GSM modem in PDU mode takes after AT+CMGS: destination
// and text (Windows-1252 bytes) in, uppercase hexadecimal out. Talks to no device.
#pragma once

#include <cstdint>
#include <string>

namespace kw {

// The alphabet selector that asks for 7-bit packing; any other value sends octets.
inline constexpr int kSevenBit = 7;
// The user data length is one octet.
inline constexpr int kMaxSeptets = 255;
// The longest destination an SMS address field carries.
inline constexpr int kMaxNumberDigits = 20;

struct TPdu {
    enum class Error { None, EmptyNumber, BadNumber, TooManySeptets };

    Error error = Error::None;
    // The length octet, "00" for the modem's own service centre, then the TPDU.
    std::string hex;
    // The length octet's value: what follows "AT+CMGS=".
    int tpduOctets = 0;
    // User data length as written: septets (escapes included) or octets.
    int userDataLength = 0;

    // What is sent after the "> " prompt: everything after the length octet.
    std::string Sent() const { return hex.size() > 2 ? hex.substr(2) : std::string(); }
};

// An optional "+" and then only digits, 1 to 20 of them.
bool IsPhoneNumber(const std::string& number);

// The message is cut to 160 characters (7-bit) or 140 (octets) first, as one
// SMS holds no more. A refused number or a text needing more than 255 septets
// gives an error and no hex.
TPdu EncodePdu(const std::string& number, const std::string& text, uint8_t dataCoding,
               int alphabet);

// How many septets the 7-bit packing writes for `text`, uncut: the euro sign
// takes two.
int SeptetCount(const std::string& text);

// True when 7-bit packing delivers `byte` as itself: false for the brackets
// and the backslash it substitutes and for characters it turns into "?".
bool SurvivesSevenBit(uint8_t byte);

} // namespace kw
