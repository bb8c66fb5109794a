// A simulated gateway on a pseudo-terminal and everything a transfer needs
// around it: the terminal and link, the scripted user port, the registry and
// the main window's flags, plus a tap that records what went over the link.
#pragma once

#include "ConfigTransfer.h"
#include "GatewayLink.h"
#include "Parameters.h"
#include "ScriptedUserPort.h"
#include "SimProcess.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kw::test {

using Image = std::vector<uint8_t>;

// The image a configuration is written as, region checksums included.
Image EncodedImage(const CParameters& parameters);
void WriteFileBytes(const std::string& path, const Image& bytes);
Image ReadImageFile(const std::string& path);
// How many log lines are exactly `line`.
int CountLines(const std::vector<std::string>& lines, const std::string& line);

class GatewayRig : public ::testing::Test {
protected:
    GatewayRig();

    // Starts the simulator with its memory file (and `memory` in it when given).
    void StartSim(std::vector<std::string> options, const Image& memory = {});
    TTransferHost Host();
    std::string MemoryPath() const { return sim.Path("memory.bin"); }

    SimProcess sim;
    CCOMTerminal terminal;
    CGatewayLink link{terminal};
    ScriptedUserPort user;
    CParameters parameters;
    std::string hardwareText;
    bool pinChanged = false;
    bool passwordChanged = false;
    int refreshes = 0;
    std::vector<TLinkTapEvent> tapped;
};

} // namespace kw::test
