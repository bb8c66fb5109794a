// The serial port lists of the settings: the ports present, each with what the
// system knows of it, so the gateway's adapter can be told from the modem's.
#pragma once

#include <string>
#include <vector>

class QComboBox;

namespace kw {

struct TPortInfo {
    std::string path;        // what is stored and opened
    std::string description; // USB maker and product, or the driver's text
    std::string byId;        // the stable /dev/serial/by-id name, when there is one
    bool inUse = false;      // another program holds it
};

// The serial ports of this computer, in-use ones included.
std::vector<TPortInfo> SystemPorts();

// True when another program holds the port: our exclusive open or lock is
// refused.
bool PortHeldElsewhere(const std::string& path);

// The text a port list shows for a port.
std::string PortListText(const TPortInfo& port, const std::string& inUseText);

// Fills `list` with `ports` in natural order of their paths (ttyS2 before
// ttyS10), each item's data its path; "Com1" to "Com8" when there is none. A
// wanted port that still exists but is not listed (a symlink, a
// pseudo-terminal) is added; the wanted one is selected, else the first.
void FillPortList(QComboBox& list, const std::string& wanted, std::vector<TPortInfo> ports,
                  const std::string& inUseText);

// The port a list names: the selected entry's path, a typed path, or "Com1"
// when the list names none.
std::string PortOfList(const QComboBox& list);

} // namespace kw
