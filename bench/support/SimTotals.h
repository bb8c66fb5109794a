// What crossed the simulated gateway's line, from the last line of its log.
#pragma once

#include <string>
#include <vector>

namespace kw::bench {

// Bytes received plus bytes sent, from "totals N bytes received M bytes sent";
// -1 when that line is missing.
long long SimLineBytes(const std::vector<std::string>& log);

} // namespace kw::bench
