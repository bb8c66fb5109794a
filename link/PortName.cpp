#include "PortName.h"

#include <cctype>

namespace kw {

std::string DevicePathForPort(const std::string& name) {
    if (name.size() > 6 || name.size() < 3)
        return name;
    for (int i = 0; i < 3; ++i) {
        if (std::tolower(static_cast<unsigned char>(name[i])) != "com"[i])
            return name;
    }
    int number = 0;
    for (size_t i = 3; i < name.size() && std::isdigit(static_cast<unsigned char>(name[i])); ++i)
        number = number * 10 + (name[i] - '0');
    // "Com" or "Com0" name no port; the name then fails to open as itself.
    if (number < 1)
        return name;
    return "/dev/ttyS" + std::to_string(number - 1);
}

} // namespace kw
