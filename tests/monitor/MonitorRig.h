// A monitor against the real simulated gateway for one test: the terminal, a
// scripted user port, the rows, a fixed PC clock, and a bounded run of passes.
#pragma once

#include "COMTerminal.h"
#include "Monitor.h"
#include "ScriptedUserPort.h"
#include "SimProcess.h"

#include <ostream>
#include <string>
#include <vector>

namespace kw {
// Rows in test messages: "word 134" or the text.
void PrintTo(const TMonitorValue& value, std::ostream* out);
} // namespace kw

namespace kw::test {

// The PC clock the rig's monitor sees: 29 February 2024, 23:59:50.
std::tm RigPcClock();

class MonitorRig {
public:
    // Starts the simulator with `simOptions` (--gsm ..., --fault ...).
    explicit MonitorRig(const std::vector<std::string>& simOptions);

    // Runs the loop until `passes` passes ended and stops it then. A time
    // limit stops it as well and fails the test.
    CMonitor::RunEnd RunPasses(size_t passes, int limitMs = 60000);
    // The AT command lines the simulator was sent, in order.
    std::vector<std::string> AtCommands() const;

    SimProcess sim;
    CCOMTerminal terminal;
    ScriptedUserPort user;
    CMonitorRows rows;
    CMonitor monitor;
    std::vector<CMonitor::PassEnd> passEnds;
    // Called after each pass, before the rig counts it.
    std::function<void(CMonitor::PassEnd)> onPass;
};

} // namespace kw::test
