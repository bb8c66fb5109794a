// The monitor's rules without a line: the service dialogs' checks, the texts
// rows show, and how answers become rows.
#include "MonitorRules.h"
#include "MonitorEntries.h"
#include "MonitorText.h"
#include "Words.h"

#include <gtest/gtest.h>

namespace {

using kw::MonitorRow;
using kw::TMonitorValue;
namespace word = kw::word;

std::tm Time(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

TEST(SetTimeEntry, RefusesInvalidDatesAndTimesAndFormsTheClockText) {
    struct Case {
        kw::TSetTimeFields fields;
        int refusedWord;
        const char* clockText;
    };
    const Case cases[] = {
        {{"29", "2", "2023", "10", "0"}, word::kInvalidDate, ""},
        {{"29", "2", "2024", "7", "5"}, 0, "24/02/29,07:05:00"},
        {{"29", "2", "24", "7", "5"}, 0, "24/02/29,07:05:00"}, // year 24 of the calendar
        {{"29", "2", "1900", "0", "0"}, word::kInvalidDate, ""},
        {{"29", "2", "2000", "0", "0"}, 0, "00/02/29,00:00:00"},
        {{"31", "4", "2024", "0", "0"}, word::kInvalidDate, ""},
        {{"1", "13", "2024", "0", "0"}, word::kInvalidDate, ""},
        {{"0", "1", "2024", "0", "0"}, word::kInvalidDate, ""},
        {{"1", "1", "0", "0", "0"}, word::kInvalidDate, ""},
        {{"1", "1", "1", "0", "0"}, 0, "01/01/01,00:00:00"},
        {{"31", "12", "9999", "23", "59"}, 0, "99/12/31,23:59:00"},
        {{"", "", "", "", ""}, word::kInvalidDate, ""},
        {{"ab", "1", "2024", "0", "0"}, word::kInvalidDate, ""},
        {{"-1", "1", "2024", "0", "0"}, word::kInvalidDate, ""},
        {{"1", "1", "2024", "24", "0"}, word::kInvalidTime, ""},
        {{"1", "1", "2024", "23", "60"}, word::kInvalidTime, ""},
        {{"1", "1", "2024", "-1", "0"}, word::kInvalidTime, ""},
        {{"1", "1", "2024", "0", "-5"}, word::kInvalidTime, ""},
        {{"1", "1", "2024", "", ""}, 0, "24/01/01,00:00:00"},
        {{"32", "1", "2024", "99", "99"}, word::kInvalidDate, ""}, // the date is checked first
        {{" 7", "03x", "2024", "+8", "9"}, 0, "24/03/07,08:09:00"},
    };
    for (const Case& c : cases) {
        const kw::TSetTimeCheck check = kw::CheckSetTime(c.fields);
        const std::string name = c.fields.day + "." + c.fields.month + "." + c.fields.year + " " +
                                 c.fields.hour + ":" + c.fields.minute;
        EXPECT_EQ(check.refusedWord, c.refusedWord) << name;
        EXPECT_EQ(check.clockText, c.clockText) << name;
    }
}

TEST(SetTimeEntry, FieldsReadAsUnsigned16BitNumbers) {
    EXPECT_EQ(kw::SetTimeFieldValue("-1"), 65535);
    EXPECT_EQ(kw::SetTimeFieldValue("65536"), 0);
    EXPECT_EQ(kw::SetTimeFieldValue("4294967297"), 1);            // 2^32 + 1
    EXPECT_EQ(kw::SetTimeFieldValue("100000000000000000000"), 0); // 10^20, a multiple of 2^16
    EXPECT_EQ(kw::SetTimeFieldValue("12:30"), 12);
}

TEST(SetTimeEntry, UseCurrentFillsPlainNumbersThatGiveThePcClock) {
    const std::tm now = Time(2024, 2, 9, 7, 5, 0);
    const kw::TSetTimeFields fields = kw::CurrentTimeFields(now);
    EXPECT_EQ(fields.day + "." + fields.month + "." + fields.year + " " + fields.hour + ":" +
                  fields.minute,
              "9.2.2024 7:5");
    EXPECT_EQ(kw::CheckSetTime(fields).clockText, kw::PcClockText(now));
    EXPECT_EQ(kw::PcClockText(Time(2031, 12, 31, 23, 59, 58)), "31/12/31,23:59:58");
}

TEST(CentreEntry, RefusesWhatWouldBreakTheCommandLine) {
    const std::pair<std::string, int> cases[] = {
        {"+420602909909", 0},
        {"", 0},
        {"\xE9", 0},
        {"+420\"1", word::kCentreNumberRefused},
        {"+420\r", word::kCentreNumberRefused},
        {std::string("1\0", 2), word::kCentreNumberRefused},
        {"\t", word::kCentreNumberRefused},
        {"\x7F", word::kCentreNumberRefused},
        {"\x81", word::kCentreNumberRefused},
    };
    for (const auto& [number, refused] : cases)
        EXPECT_EQ(kw::CheckCentreNumber(number), refused) << number;
}

TEST(MonitorRules, ModuleTextKeepsTheMakerBeforeItsCommaAndShortensOneMakersRevision) {
    using Part = std::optional<std::string>;
    EXPECT_EQ(kw::ModuleText(Part("Maker, Inc."), Part("M1"), Part("R2")), "Maker M1 R2");
    EXPECT_EQ(kw::ModuleText(Part(",Maker"), Part("M1"), Part("R2")), ",Maker M1 R2");
    EXPECT_EQ(kw::ModuleText(Part("A"), Part("B"), Part("R7 Sierra Wireless")), "A B R7");
    EXPECT_EQ(kw::ModuleText(Part("A"), Part("B"), Part("R7 build 3")), "A B R7 build 3");
    EXPECT_EQ(kw::ModuleText(Part("A"), std::nullopt, Part("Sierra")), "A Sierra");
    EXPECT_EQ(kw::ModuleText(std::nullopt, Part("B"), std::nullopt), "B");
    EXPECT_EQ(kw::ModuleText(std::nullopt, std::nullopt, std::nullopt), "");
}

TEST(MonitorRules, OperatorShowsNameCodeAndTechnology) {
    using Code = std::optional<kw::TAtOperatorCode>;
    EXPECT_EQ(kw::OperatorText("Net", Code({"23099", 2})), "Net (23099) UMTS");
    EXPECT_EQ(kw::OperatorText("Net", Code({"23099", 0})), "Net (23099) GSM");
    EXPECT_EQ(kw::OperatorText("Net", Code({"23099", 7})), "Net (23099)");
    EXPECT_EQ(kw::OperatorText("Net", Code({"23099", -1})), "Net (23099)");
    EXPECT_EQ(kw::OperatorText("Net", std::nullopt), "Net");
    EXPECT_EQ(kw::OperatorText("", Code({"23099", 2})), "(23099) UMTS");
    EXPECT_EQ(kw::OperatorText("", std::nullopt), "");
}

TEST(MonitorRules, CallRowNamesDirectionAndNumber) {
    EXPECT_EQ(kw::CallValue({true, std::nullopt}), TMonitorValue::Word(word::kNoCall));
    EXPECT_EQ(kw::CallValue({true, kw::TAtCall{0, "+420"}}),
              (TMonitorValue{word::kOutgoingCall, " (+420)"}));
    EXPECT_EQ(kw::CallValue({true, kw::TAtCall{2, ""}}),
              (TMonitorValue{word::kIncomingCall, " ()"}));
    EXPECT_EQ(kw::CallValue({false, std::nullopt}), TMonitorValue::Word(word::kValueNotAvailable));
}

std::string Word(int id) {
    switch (id) {
    case word::kValueNotKnownYet:
        return "(unknown)";
    case word::kValueNotAvailable:
        return "n/a";
    case word::kIncomingCall:
        return "Příchozí";
    default:
        return "word " + std::to_string(id);
    }
}

TEST(MonitorRules, SignalShowsTheBarFrom0To32AndTheLabelOtherwise) {
    struct Case {
        std::optional<long> quality;
        const char* shown;
    };
    const Case cases[] = {
        {0, "-113 dB"},    {31, "-51 dB"},    {32, "-49 dB"},    {23, "-67 dB"},
        {99, "(unknown)"}, {33, "(unknown)"}, {-1, "(unknown)"}, {std::nullopt, "n/a"},
    };
    for (const Case& c : cases) {
        kw::CMonitorRows rows;
        rows.ShowValue(MonitorRow::Signal, TMonitorValue::Word(word::kValueNotKnownYet));
        kw::ShowSignal(rows, c.quality);
        EXPECT_EQ(kw::MonitorSignalText(rows, Word).toStdString(), c.shown)
            << (c.quality ? *c.quality : -1000);
        EXPECT_EQ(rows.SignalBarShown(), c.quality && *c.quality >= 0 && *c.quality <= 32);
    }
}

TEST(MonitorRules, ValueTextJoinsTheWordAndTheModulesBytes) {
    EXPECT_EQ(kw::MonitorValueText({word::kIncomingCall, " (+420)"}, Word).toStdString(),
              "Příchozí (+420)");
    EXPECT_EQ(kw::MonitorValueText(TMonitorValue::Text("Caf\xE9 \x80"), Word).toStdString(),
              "Café €");
    EXPECT_EQ(kw::MonitorValueText(TMonitorValue::Text(""), Word).toStdString(), "");
}

} // namespace
