#include "SimTotals.h"

#include <cstdio>

namespace kw::bench {

long long SimLineBytes(const std::vector<std::string>& log) {
    long long received = 0, sent = 0;
    if (log.empty() || std::sscanf(log.back().c_str(), "totals %lld bytes received %lld bytes sent",
                                   &received, &sent) != 2)
        return -1;
    return received + sent;
}

} // namespace kw::bench
