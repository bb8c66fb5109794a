// The wake-up SMS that asks a gateway to connect back over GPRS, its fields'
// input rules, and the checks that keep a field from changing what is sent.
#pragma once

#include "IpSettings.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kw {

// What the IP connect dialog and the command line accept.
inline constexpr int kMaxIpPasswordLength = 5;
inline constexpr int kMaxApnLength = 30;
inline constexpr int kMaxInetUserLength = 20;
inline constexpr int kMaxInetPasswordLength = 20;
// One SMS of the 7-bit alphabet.
inline constexpr int kMaxWakeupSeptets = 160;

// "NN-NNNN-NNNN": ten digits in groups of two, four and four.
bool IsSerialNumberText(const std::string& text);

// "serial;password;CONNECT;address;port;APN;user;password;": every field ends
// with a semicolon, empty ones stay empty.
std::string WakeupText(const TIpSettings& settings);

// A field that holds just "0" is sent empty (and kept empty from then on);
// "00" and the phone number stay as they are.
void ClearZeroFields(TIpSettings& settings);

// The fields of the wake-up text, for naming the one at fault.
enum class TWakeupField { Serial, Password, Address, Apn, InetUser, InetPassword };

struct TWakeupProblem {
    enum class Kind {
        Semicolon,  // would shift the fields after it
        Unsendable, // the 7-bit alphabet would send another character
        TooLong,    // more than one SMS
    };
    Kind kind;
    TWakeupField field = TWakeupField::Serial; // Semicolon and Unsendable
    uint8_t byte = 0;                          // Unsendable: the first such character
    int septets = 0;                           // TooLong: what the text would take
};

// The passwords: never shown, not even a character of them.
bool IsSecretField(TWakeupField field);

// Checks the text as it would be sent (a "0" field counting as empty); nothing
// when it goes out exactly as entered.
std::optional<TWakeupProblem> CheckWakeupFields(const TIpSettings& settings);

} // namespace kw
