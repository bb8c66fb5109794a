#include "MonitorRig.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace kw {

void PrintTo(const TMonitorValue& value, std::ostream* out) {
    if (value.word >= 0)
        *out << "word " << value.word << (value.text.empty() ? "" : " + ");
    if (!value.text.empty() || value.word < 0)
        *out << "'" << value.text << "'";
}

} // namespace kw

namespace kw::test {

std::tm RigPcClock() {
    std::tm t{};
    t.tm_year = 124;
    t.tm_mon = 1;
    t.tm_mday = 29;
    t.tm_hour = 23;
    t.tm_min = 59;
    t.tm_sec = 50;
    return t;
}

MonitorRig::MonitorRig(const std::vector<std::string>& simOptions)
    : sim(simOptions),
      monitor({terminal, user, rows, sim.LinkPath(), {}, [] { return RigPcClock(); }}) {
    monitor.m_PassEnded = [this](CMonitor::PassEnd end) {
        if (onPass)
            onPass(end);
        passEnds.push_back(end);
    };
}

CMonitor::RunEnd MonitorRig::RunPasses(size_t passes, int limitMs) {
    const auto counted = monitor.m_PassEnded;
    monitor.m_PassEnded = [&, counted](CMonitor::PassEnd end) {
        counted(end);
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
    monitor.m_PassEnded = counted;
    EXPECT_FALSE(overTime) << "the monitor ran out of time after " << passEnds.size() << " passes";
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
