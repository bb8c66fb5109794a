// The wake-up SMS text that asks a gateway to connect back over GPRS:
// "serial;password;CONNECT;address;port;APN;user;password;".
#pragma once

#include <string>

namespace kw::sim {

struct WakeupRequest {
    std::string serial;
    std::string password;
    std::string address;
    int port = 0;
    std::string apn;
    std::string user;
    std::string userPassword;
};

// Returns an empty text, or why the text is no wake-up request.
std::string ParseWakeupText(const std::string& text, WakeupRequest& request);

} // namespace kw::sim
