#include "MonitorText.h"

#include "Win1252.h"

namespace kw {

QString MonitorValueText(const TMonitorValue& value, const WordText& word) {
    QString text;
    if (value.word >= 0)
        text = QString::fromStdString(word(value.word));
    return text + BytesToQString(value.text);
}

QString SignalDecibelText(int position) {
    return QString::number(SignalDecibels(position)) + QStringLiteral(" dB");
}

QString MonitorSignalText(const CMonitorRows& rows, const WordText& word) {
    if (rows.SignalBarShown())
        return SignalDecibelText(rows.SignalPosition());
    return MonitorValueText(rows.Value(MonitorRow::Signal), word);
}

} // namespace kw
