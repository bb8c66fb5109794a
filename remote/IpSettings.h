// The values a TCP/IP connection is made with, named by their keys in section
// "Settings" of the application INI file. Texts are Windows-1252 bytes, as
// everything sent to the gateway.
#pragma once

#include <cstdint>
#include <string>

namespace kw {

struct TIpSettings {
    std::string IpCom = "Com1"; // port of the local GSM modem that sends the wake-up SMS
    std::string IpAddress;      // where the gateway is asked to connect to
    int32_t IpPort = 7200;      // where the server listens, and what the SMS names
    std::string LastIpNum;      // the gateway's phone number
    std::string LastIpSerial;   // its serial number, NN-NNNN-NNNN with the dashes
    std::string LastIpPassw;    // its password
    std::string LastAPN;
    std::string LastInetUser;
    std::string LastInetPassw;
};

} // namespace kw
