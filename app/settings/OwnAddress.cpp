#include "OwnAddress.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

namespace kw {

std::string OwnIpv4Address() {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return {};
    std::string found;
    for (const ifaddrs* it = list; it != nullptr && found.empty(); it = it->ifa_next) {
        if (it->ifa_addr == nullptr || it->ifa_addr->sa_family != AF_INET)
            continue;
        if ((it->ifa_flags & IFF_UP) == 0 || (it->ifa_flags & IFF_LOOPBACK) != 0)
            continue;
        const auto* in = reinterpret_cast<const sockaddr_in*>(it->ifa_addr);
        const uint32_t address = ntohl(in->sin_addr.s_addr);
        if ((address >> 24) == 127)
            continue;
        found = std::to_string(address >> 24) + "." + std::to_string((address >> 16) & 0xFF) + "." +
                std::to_string((address >> 8) & 0xFF) + "." + std::to_string(address & 0xFF);
    }
    freeifaddrs(list);
    return found;
}

} // namespace kw
