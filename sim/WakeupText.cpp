#include "WakeupText.h"

#include <charconv>
#include <vector>

namespace kw::sim {

std::string ParseWakeupText(const std::string& text, WakeupRequest& request) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t semicolon; (semicolon = text.find(';', start)) != std::string::npos;
         start = semicolon + 1)
        fields.push_back(text.substr(start, semicolon - start));
    if (fields.size() != 8 || start != text.size())
        return "not eight fields each ended by ';'";
    if (fields[2] != "CONNECT")
        return "no CONNECT";
    const std::string& port = fields[4];
    const auto parsed = std::from_chars(port.data(), port.data() + port.size(), request.port);
    if (parsed.ec != std::errc() || parsed.ptr != port.data() + port.size() || request.port < 1 ||
        request.port > 65535)
        return "port '" + port + "' is not a TCP port";
    request.serial = fields[0];
    request.password = fields[1];
    request.address = fields[3];
    request.apn = fields[5];
    request.user = fields[6];
    request.userPassword = fields[7];
    return std::string();
}

} // namespace kw::sim
