#include "CommandLine.h"

#include <utility>

namespace kw::sim {

std::optional<std::string> TakeCommandByte(char c, bool echo, std::string& line, size_t maxLength,
                                           std::string& reply) {
    if (c == '\n')
        return std::nullopt;
    if (echo)
        reply += c;
    if (c != '\r') {
        if (line.size() < maxLength)
            line += c;
        return std::nullopt;
    }
    return std::exchange(line, {});
}

} // namespace kw::sim
