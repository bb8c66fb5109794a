// The monitor's rules without a line: the service dialogs' checks, how answers
// become rows, and the texts rows show.
#include "MonitorRules.h"
#include "MonitorEntries.h"
#include "MonitorText.h"
#include "Words.h"

#include <gtest/gtest.h>

namespace {

using kw::MonitorRow;
using kw::TMonitorValue;
namespace word = kw::word;

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
        {{"31", "4", "2024", "0", "0"}, word::kInvalidDate, ""},
        {{"1", "13", "2024", "0", "0"}, word::kInvalidDate, ""},
        {{"1", "1", "0", "0", "0"}, word::kInvalidDate, ""},
        {{"31", "12", "9999", "23", "59"}, 0, "99/12/31,23:59:00"},
        {{"ab", "1", "2024", "0", "0"}, word::kInvalidDate, ""}, // reads as day 0
        {{"-1", "1", "2024", "0", "0"}, word::kInvalidDate, ""},
        {{"1", "1", "2024", "24", "0"}, word::kInvalidTime, ""},
        {{"1", "1", "2024", "23", "60"}, word::kInvalidTime, ""},
        {{"1", "1", "2024", "-1", "0"}, word::kInvalidTime, ""},   // 65535
        {{"32", "1", "2024", "99", "99"}, word::kInvalidDate, ""}, // the date first
        {{" 7", "03x", "2024", "+8", ""}, 0, "24/03/07,08:00:00"},
    };
    for (const Case& c : cases) {
        const kw::TSetTimeCheck check = kw::CheckSetTime(c.fields);
        EXPECT_EQ(check.refusedWord, c.refusedWord) << c.fields.day << "." << c.fields.month;
        EXPECT_EQ(check.clockText, c.clockText) << c.fields.day << "." << c.fields.month;
    }
    EXPECT_EQ(kw::SetTimeFieldValue("4294967297"), 1); // 2^32 + 1: wraps, never overflows
}

TEST(SetTimeEntry, UseCurrentFillsPlainNumbersThatGiveThePcClock) {
    std::tm now{};
    now.tm_year = 124, now.tm_mon = 1, now.tm_mday = 9, now.tm_hour = 7, now.tm_min = 5;
    const kw::TSetTimeFields fields = kw::CurrentTimeFields(now);
    EXPECT_EQ(fields.day + "." + fields.month + "." + fields.year + " " + fields.hour + ":" +
                  fields.minute,
              "9.2.2024 7:5");
    EXPECT_EQ(kw::CheckSetTime(fields).clockText, kw::PcClockText(now));
    EXPECT_EQ(kw::PcClockText(now), "24/02/09,07:05:00");
}

TEST(CentreEntry, RefusesWhatWouldBreakTheCommandLine) {
    for (const char* fine : {"+420602909909", "", "\xE9"})
        EXPECT_EQ(kw::CheckCentreNumber(fine), 0) << fine;
    for (const char* bad : {"+420\"1", "+420\r", "\t", "\x7F", "\x81"})
        EXPECT_EQ(kw::CheckCentreNumber(bad), word::kCentreNumberRefused) << bad;
}

TEST(MonitorRules, ModuleOperatorAndCallTexts) {
    using Part = std::optional<std::string>;
    EXPECT_EQ(kw::ModuleText(Part("Maker, Inc."), Part("M1"), Part("R2")), "Maker M1 R2");
    EXPECT_EQ(kw::ModuleText(Part(",Maker"), Part("M1"), Part("R2")), ",Maker M1 R2");
    EXPECT_EQ(kw::ModuleText(Part("A"), Part("B"), Part("R7 Sierra Wireless")), "A B R7");
    EXPECT_EQ(kw::ModuleText(Part("A"), Part("B"), Part("R7 build 3")), "A B R7 build 3");
    EXPECT_EQ(kw::ModuleText(std::nullopt, Part("B"), std::nullopt), "B");

    using Code = std::optional<kw::TAtOperatorCode>;
    EXPECT_EQ(kw::OperatorText("Net", Code({"23099", 2})), "Net (23099) UMTS");
    EXPECT_EQ(kw::OperatorText("Net", Code({"23099", 0})), "Net (23099) GSM");
    EXPECT_EQ(kw::OperatorText("Net", Code({"23099", 7})), "Net (23099)");
    EXPECT_EQ(kw::OperatorText("", Code({"23099", -1})), "(23099)");
    EXPECT_EQ(kw::OperatorText("", std::nullopt), "");

    EXPECT_EQ(kw::CallValue({true, std::nullopt}), TMonitorValue::Word(word::kNoCall));
    EXPECT_EQ(kw::CallValue({true, kw::TAtCall{0, "+420"}}),
              (TMonitorValue{word::kOutgoingCall, " (+420)"}));
    EXPECT_EQ(kw::CallValue({true, kw::TAtCall{2, ""}}),
              (TMonitorValue{word::kIncomingCall, " ()"}));
    EXPECT_EQ(kw::CallValue({false, std::nullopt}), TMonitorValue::Word(word::kValueNotAvailable));
}

std::string Word(int id) {
    return id == word::kIncomingCall ? "Příchozí" : "word " + std::to_string(id);
}

TEST(MonitorRules, SignalShowsTheBarFrom0To32AndTheLabelOtherwise) {
    const std::pair<std::optional<long>, const char*> cases[] = {
        {0, "-113 dB"},
        {31, "-51 dB"},
        {32, "-49 dB"},
        {99, "word 101"},
        {33, "word 101"},
        {-1, "word 101"},
        {std::nullopt, "word 240"},
    };
    for (const auto& [quality, shown] : cases) {
        kw::CMonitorRows rows;
        rows.ShowValue(MonitorRow::Signal, TMonitorValue::Word(word::kValueNotKnownYet));
        kw::ShowSignal(rows, quality);
        EXPECT_EQ(kw::MonitorSignalText(rows, Word).toStdString(), shown) << shown;
    }
}

TEST(MonitorRules, ValueTextJoinsTheWordAndTheModulesBytes) {
    EXPECT_EQ(kw::MonitorValueText({word::kIncomingCall, " (+420)"}, Word).toStdString(),
              "Příchozí (+420)");
    EXPECT_EQ(kw::MonitorValueText(TMonitorValue::Text("Caf\xE9 \x80"), Word).toStdString(),
              "Café €");
}

} // namespace
