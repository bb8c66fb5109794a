#include "MonitorRig.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace kw {

void PrintTo(const TMonitorValue& value, std::ostream* out) {
    *out << "word " << value.word << " '" << value.text << "'";
}

} // namespace kw

namespace kw::test {

MonitorRig::MonitorRig(const std::vector<std::string>& simOptions)
    : sim(simOptions), monitor({terminal, user, rows, sim.LinkPath(), {}, [] {
                                    std::tm t{};
                                    t.tm_year = 124;
                                    t.tm_mon = 1;
                                    t.tm_mday = 29;
                                    t.tm_hour = 23;
                                    t.tm_min = 59;
                                    t.tm_sec = 50;
                                    return t;
                                }}) {}

CMonitor::RunEnd MonitorRig::RunPasses(size_t passes, int limitMs) {
    monitor.m_PassEnded = [this, passes](CMonitor::PassEnd end) {
        if (onPass)
            onPass(end);
        passEnds.push_back(end);
        if (passEnds.size() >= passes)
            monitor.Stop();
    };
    bool overTime = false;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, [&] {
        overTime = true;
        monitor.Stop();
    });
    limit.start(limitMs);
    const CMonitor::RunEnd end = monitor.Run();
    EXPECT_FALSE(overTime) << "out of time after " << passEnds.size() << " passes";
    return end;
}

std::vector<std::string> MonitorRig::AtCommands() const {
    std::vector<std::string> commands;
    for (const std::string& line : sim.LogLines()) {
        if (line.rfind("AT", 0) == 0)
            commands.push_back(line);
    }
    return commands;
}

} // namespace kw::test
