// The wake-up text and the checks that refuse a field which would change it:
// a ";" shifting the fields, a character the 7-bit alphabet replaces, a text
// longer than one SMS; and the "0" fields sent empty.
#include "WakeupMessage.h"

#include <gtest/gtest.h>

namespace {

using kw::TWakeupField;
using Kind = kw::TWakeupProblem::Kind;

kw::TIpSettings Filled() {
    kw::TIpSettings s;
    s.LastIpNum = "+420777123456";
    s.LastIpSerial = "10-2024-0001";
    s.LastIpPassw = "pw";
    s.IpAddress = "192.0.2.7";
    s.IpPort = 7200;
    s.LastAPN = "internet";
    s.LastInetUser = "user";
    s.LastInetPassw = "secret";
    return s;
}

TEST(WakeupMessage, TextAndZeroFields) {
    EXPECT_EQ(kw::WakeupText(Filled()),
              "10-2024-0001;pw;CONNECT;192.0.2.7;7200;internet;user;secret;");
    kw::TIpSettings empty;
    empty.IpPort = 7200;
    EXPECT_EQ(kw::WakeupText(empty), ";;CONNECT;;7200;;;;");

    kw::TIpSettings zeros{.IpAddress = "0",
                          .IpPort = 7200,
                          .LastIpNum = "0",
                          .LastIpSerial = "0",
                          .LastIpPassw = "0",
                          .LastAPN = "0",
                          .LastInetUser = "00",
                          .LastInetPassw = "0 "};
    kw::ClearZeroFields(zeros);
    EXPECT_EQ(kw::WakeupText(zeros), ";;CONNECT;;7200;;00;0 ;");
    EXPECT_EQ(zeros.LastIpNum, "0"); // the number is no field of the text
}

// Which field is named, and what counts; the messages are tested with the wake-up.
TEST(WakeupMessage, ChecksTheTextAsItWouldBeSent) {
    kw::TIpSettings s = Filled();
    s.LastInetPassw = "\xE8\xFC\x80@_"; // e-grave, u-umlaut, euro: all in the alphabet
    EXPECT_FALSE(kw::CheckWakeupFields(s));
    s.LastInetUser = std::string(1, '^');
    s.LastIpSerial = std::string("1\\");
    const auto first = kw::CheckWakeupFields(s);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->kind, Kind::Unsendable);
    EXPECT_EQ(first->field, TWakeupField::Serial);
    EXPECT_EQ(first->byte, '\\');

    s = Filled(); // 60 characters, "pw" two of them
    s.LastAPN += std::string(100, 'a');
    EXPECT_FALSE(kw::CheckWakeupFields(s));
    s.LastAPN += "a";
    const auto tooLong = kw::CheckWakeupFields(s);
    ASSERT_TRUE(tooLong);
    EXPECT_EQ(tooLong->kind, Kind::TooLong);
    EXPECT_EQ(tooLong->septets, 161);
    s.LastIpPassw = std::string(1, '0'); // sent empty
    EXPECT_FALSE(kw::CheckWakeupFields(s));
}

TEST(WakeupMessage, SerialNumberText) {
    for (const char* good : {"10-2024-0001", "00-0000-0000"})
        EXPECT_TRUE(kw::IsSerialNumberText(good)) << good;
    for (const char* bad : {"", "10-2024-000", "10-2024-00011", "1-02024-0001", "10-2024-000a",
                            "10 2024 0001", "10-2024-    "})
        EXPECT_FALSE(kw::IsSerialNumberText(bad)) << bad;
}

} // namespace
