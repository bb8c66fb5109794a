// The checks of the monitor's two service dialogs (set time, SMS centre), free
// of widgets so the dialogs and the command line refuse the same entries with
// the same words, and the clock texts the monitor sends to the module.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace kw {

// The set-time dialog's fields as typed.
struct TSetTimeFields {
    std::string day;
    std::string month;
    std::string year;
    std::string hour;
    std::string minute;
};

// How many characters each field takes in the dialog.
struct TSetTimeFieldLengths {
    static constexpr int kDay = 2;
    static constexpr int kMonth = 2;
    static constexpr int kYear = 4;
    static constexpr int kHour = 2;
    static constexpr int kMinute = 2;
};

// A field as the dialog reads it: the decimal number its leading characters
// spell (an empty or non-numeric field reads as 0), kept as an unsigned 16-bit
// value, so a negative entry becomes a large one.
uint16_t SetTimeFieldValue(std::string_view field);

// What the use-current button fills in: plain decimal numbers, the year with
// four digits.
TSetTimeFields CurrentTimeFields(const std::tm& local);

// The set-time button: either the module clock text "yy/MM/dd,hh:mm:00", or the
// word that refuses the entry (321 for the date, 322 for the time).
struct TSetTimeCheck {
    int refusedWord = 0;
    std::string clockText;
};
TSetTimeCheck CheckSetTime(const TSetTimeFields& fields);

// 0 when the number can go into the "AT+CSCA=" command line, otherwise the word
// that refuses it: a double quote or a control character would end or break
// that line.
int CheckCentreNumber(const std::string& number);

// The PC clock as the monitor shows and synchronises it: "yy/MM/dd,hh:mm:ss",
// two digits each, no time zone.
std::string PcClockText(const std::tm& local);

// The local time now.
std::tm LocalTimeNow();

} // namespace kw
