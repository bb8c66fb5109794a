// Reads an SMS-SUBMIT PDU as a GSM modem receives it after AT+CMGS: the
// destination number and the text, for the simulated wake-up modem.
#pragma once

#include <string>

namespace kw::sim {

struct SmsSubmit {
    std::string destination; // with "+" for an international number
    std::string text;        // 7-bit default alphabet mapped to Latin-1 where possible
};

// hex: the PDU as typed (service centre part first); tpduOctets: the length
// given to AT+CMGS. Returns an empty text, or what is wrong with the PDU.
std::string DecodeSmsSubmit(const std::string& hex, int tpduOctets, SmsSubmit& sms);

} // namespace kw::sim
