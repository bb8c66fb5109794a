// What the monitor shows, without widgets: one value per row, each a language
// word (kept as a word so a language switch re-translates it) and/or text taken
// from the module, and the signal as a bar with its dB figure or a text label
// in their place. The polling loop writes through CMonitorDisplay; the window
// and the command line read the rows back from CMonitorRows.
#pragma once

#include <array>
#include <functional>
#include <string>

namespace kw {

enum class MonitorRow {
    Status,
    Module,
    Imei,
    Imsi,
    SmsCentre,
    Operator,
    Call,
    ModuleClock,
    PcClock,
    Signal, // the signal text label, shown when the bar is not
};
inline constexpr int kMonitorRowCount = 10;

// A value label's content: the text of `word` (none when negative) followed by
// `text`, bytes from the module as it sent them.
struct TMonitorValue {
    int word = -1;
    std::string text;

    static TMonitorValue Word(int word) { return {word, {}}; }
    static TMonitorValue Text(std::string text) { return {-1, std::move(text)}; }
    bool operator==(const TMonitorValue&) const = default;
};

class CMonitorDisplay {
public:
    virtual ~CMonitorDisplay() = default;
    virtual void ShowValue(MonitorRow row, const TMonitorValue& value) = 0;
    // The bar at `position` (0 to 32) and the dB text shown, the signal text
    // label hidden; or the label shown in their place.
    virtual void ShowSignalBar(int position) = 0;
    virtual void ShowSignalLabel() = 0;
};

// The signal bar's dB figure: 2 * position - 113.
int SignalDecibels(int position);

// The rows as last shown, for whoever draws or prints them.
class CMonitorRows : public CMonitorDisplay {
public:
    void ShowValue(MonitorRow row, const TMonitorValue& value) override;
    void ShowSignalBar(int position) override;
    void ShowSignalLabel() override;

    const TMonitorValue& Value(MonitorRow row) const { return m_Values[Index(row)]; }
    bool SignalBarShown() const { return m_BarShown; }
    int SignalPosition() const { return m_Position; }

    // Told after every change, with the row that changed (Signal for the bar).
    std::function<void(MonitorRow)> m_Changed;

private:
    static size_t Index(MonitorRow row) { return static_cast<size_t>(row); }
    void Changed(MonitorRow row);

    std::array<TMonitorValue, kMonitorRowCount> m_Values{};
    bool m_BarShown = false;
    int m_Position = 0;
};

} // namespace kw
