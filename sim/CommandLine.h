// How the simulated modems take a command line as it is typed.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace kw::sim {

// One typed byte: a line feed is ignored, the byte is echoed into `reply` when
// echo is on, a carriage return ends the line, and a line beyond `maxLength`
// keeps its start. The finished line when this byte ended it.
std::optional<std::string> TakeCommandByte(char c, bool echo, std::string& line, size_t maxLength,
                                           std::string& reply);

} // namespace kw::sim
