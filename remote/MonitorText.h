// The texts the monitor's value labels show, composed once for the window and
// the command line: language words come as UTF-8 from the language files, the
// module's bytes map as Windows-1252.
#pragma once

#include "MonitorDisplay.h"

#include <QString>

#include <functional>
#include <string>

namespace kw {

using WordText = std::function<std::string(int word)>;

QString MonitorValueText(const TMonitorValue& value, const WordText& word);
// "%i dB" with the bar's dB figure.
QString SignalDecibelText(int position);
// The signal row in one text: the dB text while the bar is shown, else the
// signal text label's text.
QString MonitorSignalText(const CMonitorRows& rows, const WordText& word);

} // namespace kw
