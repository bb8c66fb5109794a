// The computer's own address, the one a gateway is asked to call back: the first
// IPv4 address of an interface that is up and not the loopback. The host name
// is no guide, as on Debian it resolves to 127.0.1.1.
#pragma once

#include <string>

namespace kw {

// "a.b.c.d", or empty when the computer has no such address.
std::string OwnIpv4Address();

} // namespace kw
