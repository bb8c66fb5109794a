#include "FormatText.h"

namespace kw {

std::string FormatText(std::string_view format, const std::vector<std::string>& args) {
    std::string out;
    out.reserve(format.size() + 32);
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c != '%' || i + 1 == format.size()) {
            out += c;
            continue;
        }
        const char conversion = format[i + 1];
        if (conversion == '%') {
            out += '%';
            ++i;
        } else if ((conversion == 's' || conversion == 'i') && next < args.size()) {
            out += args[next++];
            ++i;
        } else {
            out += c; // printed as it stands; the next character follows normally
        }
    }
    return out;
}

std::string FormatPlaceholders(std::string_view format) {
    std::string kinds;
    for (size_t i = 0; i + 1 < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        const char conversion = format[i + 1];
        if (conversion == 's' || conversion == 'i')
            kinds += conversion;
        if (conversion == '%' || conversion == 's' || conversion == 'i')
            ++i;
    }
    return kinds;
}

} // namespace kw
