#include "MonitorEntries.h"

#include "Words.h"

#include <cctype>
#include <cstdio>

namespace kw {
namespace {

bool IsLeapYear(unsigned year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

unsigned DaysInMonth(unsigned year, unsigned month) {
    static constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsCalendarDate(unsigned year, unsigned month, unsigned day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

// Bytes that end or break an AT command line: the controls of the ASCII range
// and the C1 controls the text mapping keeps for bytes Windows-1252 leaves
// undefined.
bool IsControl(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F || byte == 0x81 || byte == 0x8D || byte == 0x8F ||
           byte == 0x90 || byte == 0x9D;
}

} // namespace

uint16_t SetTimeFieldValue(std::string_view field) {
    size_t pos = 0;
    while (pos < field.size() && (field[pos] == ' ' || field[pos] == '\t'))
        ++pos;
    bool negative = false;
    if (pos < field.size() && (field[pos] == '-' || field[pos] == '+'))
        negative = field[pos++] == '-';
    // Unsigned arithmetic wraps instead of overflowing, and its low 16 bits
    // are those of the number however many digits were typed.
    uint32_t value = 0;
    for (; pos < field.size() && std::isdigit(static_cast<unsigned char>(field[pos])); ++pos)
        value = value * 10u + static_cast<uint32_t>(field[pos] - '0');
    if (negative)
        value = 0u - value;
    return static_cast<uint16_t>(value);
}

TSetTimeFields CurrentTimeFields(const std::tm& local) {
    return {std::to_string(local.tm_mday), std::to_string(local.tm_mon + 1),
            std::to_string(local.tm_year + 1900), std::to_string(local.tm_hour),
            std::to_string(local.tm_min)};
}

TSetTimeCheck CheckSetTime(const TSetTimeFields& fields) {
    const unsigned day = SetTimeFieldValue(fields.day);
    const unsigned month = SetTimeFieldValue(fields.month);
    const unsigned year = SetTimeFieldValue(fields.year);
    const unsigned hour = SetTimeFieldValue(fields.hour);
    const unsigned minute = SetTimeFieldValue(fields.minute);
    if (!IsCalendarDate(year, month, day))
        return {word::kInvalidDate, {}};
    if (hour > 23 || minute > 59)
        return {word::kInvalidTime, {}};
    char text[32];
    std::snprintf(text, sizeof text, "%.2u/%.2u/%.2u,%.2u:%.2u:00", year % 100, month, day, hour,
                  minute);
    return {0, text};
}

int CheckCentreNumber(const std::string& number) {
    for (const char c : number) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '"' || IsControl(byte))
            return word::kCentreNumberRefused;
    }
    return 0;
}

std::string PcClockText(const std::tm& local) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2i/%.2i/%.2i,%.2i:%.2i:%.2i", local.tm_year % 100,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

std::tm LocalTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

} // namespace kw
