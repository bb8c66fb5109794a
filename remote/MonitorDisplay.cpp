#include "MonitorDisplay.h"

namespace kw {

int SignalDecibels(int position) {
    return 2 * position - 113;
}

void CMonitorRows::ShowValue(MonitorRow row, const TMonitorValue& value) {
    m_Values[Index(row)] = value;
    Changed(row);
}

void CMonitorRows::ShowSignalBar(int position) {
    m_BarShown = true;
    m_Position = position;
    Changed(MonitorRow::Signal);
}

void CMonitorRows::ShowSignalLabel() {
    m_BarShown = false;
    Changed(MonitorRow::Signal);
}

void CMonitorRows::Changed(MonitorRow row) {
    if (m_Changed)
        m_Changed(row);
}

} // namespace kw
