// A simulated gateway with a flash of known content, a program folder for
// firmware files, and the link, scripted user port and buffer an upgrade runs
// with; a tap records what went over the link.
#pragma once

#include "FirmwareUpgrade.h"
#include "GatewayLink.h"
#include "ScriptedUserPort.h"
#include "SimProcess.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace kw::test {

using Bytes = std::vector<uint8_t>;

// The 256 bytes every simulated gateway here keeps in page 238.
Bytes GatewayDeviceArea();
// A slice with page 238 taken from the gateway and its sum renewed, as the
// upgrade prepares a slice whose file left that page zero.
Bytes WithGatewayDeviceArea(Bytes slice, char letter);
int CountLines(const std::vector<std::string>& lines, const std::string& line);
size_t IndexOf(const std::vector<std::string>& lines, const std::string& line, size_t from = 0);

class UpgradeRig : public ::testing::Test {
protected:
    UpgradeRig();

    // Starts the simulator as a gateway of `letter` running firmware 1.07,
    // its flash in a file (page 238 as GatewayDeviceArea()).
    void StartSim(char letter, std::vector<std::string> options = {});
    // A firmware file in the program folder.
    Bytes MakeFile(const std::string& name, const std::string& version, unsigned seed = 1,
                   const std::map<char, std::string>& versions = {});
    void WriteFile(const std::string& name, const Bytes& bytes);
    TUpgradeHost Host();
    std::string Folder() const { return program.Dir().string() + "/"; }
    // The simulator's flash after it has ended (it saves it at exit).
    Bytes FlashAfterStop();
    // The raw writes the tap saw, in order.
    std::vector<std::string> RawWrites() const;

    TempDir program;
    SimProcess sim;
    CCOMTerminal terminal;
    CGatewayLink link{terminal};
    ScriptedUserPort user;
    Bytes firmware;
    int32_t failureLimit = 0;
    std::vector<TLinkTapEvent> tapped;
};

} // namespace kw::test
