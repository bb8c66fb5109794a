// A monitor against the real simulated gateway for one test: the terminal, a
// scripted user port, the rows, the PC clock at 29 February 2024 23:59:50, and
// a bounded run of passes.
#pragma once

#include "COMTerminal.h"
#include "Monitor.h"
#include "ScriptedUserPort.h"
#include "SimProcess.h"

#include <ostream>

namespace kw {
void PrintTo(const TMonitorValue& value, std::ostream* out); // for test messages
} // namespace kw

namespace kw::test {

class MonitorRig {
public:
    explicit MonitorRig(const std::vector<std::string>& simOptions);

    // Runs the loop until `passes` passes ended in all, then stops it; a time
    // limit stops it too and fails the test.
    CMonitor::RunEnd RunPasses(size_t passes, int limitMs = 60000);
    // The AT command lines the simulator was sent, in order.
    std::vector<std::string> AtCommands() const;

    SimProcess sim;
    CCOMTerminal terminal;
    ScriptedUserPort user;
    CMonitorRows rows;
    CMonitor monitor;
    std::vector<CMonitor::PassEnd> passEnds;
    std::function<void(CMonitor::PassEnd)> onPass; // after each pass, before it is counted
};

} // namespace kw::test
