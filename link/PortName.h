// The device path of a configured port name: "Com<N>" names (at most six
// characters, any letter case) are the numbered serial ports, COM1 being
// /dev/ttyS0; any other name is a device path used as given.
#pragma once

#include <string>

namespace kw {

std::string DevicePathForPort(const std::string& name);

} // namespace kw
