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

    kw::TIpSettings zeros = Filled();
    zeros.LastIpNum = "0";
    zeros.LastIpSerial = zeros.LastIpPassw = zeros.IpAddress = zeros.LastAPN = "0";
    zeros.LastInetUser = "00";
    zeros.LastInetPassw = "0 ";
    kw::ClearZeroFields(zeros);
    EXPECT_EQ(kw::WakeupText(zeros), ";;CONNECT;;7200;;00;0 ;");
    EXPECT_EQ(zeros.LastIpNum, "0"); // the number is no field of the text
}

// The filled text without its APN.
constexpr int kBase = 52;

TEST(WakeupMessage, RefusesFieldsThatWouldChangeTheText) {
    struct Case {
        const char* name;
        void (*change)(kw::TIpSettings&);
        std::optional<Kind> kind;
        TWakeupField field = TWakeupField::Serial;
        uint8_t byte = 0;
        int septets = 0;
    };
    const Case cases[] = {
        {"as filled", [](kw::TIpSettings&) {}, std::nullopt},
        {"';' in the APN", [](kw::TIpSettings& s) { s.LastAPN = "a;b"; }, Kind::Semicolon,
         TWakeupField::Apn},
        {"';' in the address", [](kw::TIpSettings& s) { s.IpAddress = "10.0.0.1;9"; },
         Kind::Semicolon, TWakeupField::Address},
        {"'{' in the password becomes '('", [](kw::TIpSettings& s) { s.LastIpPassw = "a{"; },
         Kind::Unsendable, TWakeupField::Password, '{'},
        {"'~' in the user is not in the alphabet",
         [](kw::TIpSettings& s) { s.LastInetUser = "x~"; }, Kind::Unsendable,
         TWakeupField::InetUser, '~'},
        {"a-acute in the internet password", [](kw::TIpSettings& s) { s.LastInetPassw = "\xE1"; },
         Kind::Unsendable, TWakeupField::InetPassword, 0xE1},
        {"the first field at fault is named",
         [](kw::TIpSettings& s) {
             s.LastInetUser = "^";
             s.LastIpSerial = "1\\";
         },
         Kind::Unsendable, TWakeupField::Serial, '\\'},
        {"e-grave, u-umlaut and the euro sign go as they are",
         [](kw::TIpSettings& s) { s.LastInetPassw = "\xE8\xFC\x80@_"; }, std::nullopt},
        {"160 characters fit",
         [](kw::TIpSettings& s) { s.LastAPN = std::string(160 - kBase, 'a'); }, std::nullopt},
        {"161 do not", [](kw::TIpSettings& s) { s.LastAPN = std::string(161 - kBase, 'a'); },
         Kind::TooLong, TWakeupField::Serial, 0, 161},
        {"euro signs count twice",
         [](kw::TIpSettings& s) { s.LastInetUser = std::string(60, '\x80'); }, Kind::TooLong,
         TWakeupField::Serial, 0, kBase + 8 - 4 + 120},
        {"a field of just 0 is counted empty",
         [](kw::TIpSettings& s) {
             s.LastAPN = std::string(160 - kBase + 2, 'a'); // "pw" was two of them
             s.LastIpPassw = "0";
         },
         std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        kw::TIpSettings settings = Filled();
        c.change(settings);
        const std::optional<kw::TWakeupProblem> problem = kw::CheckWakeupFields(settings);
        ASSERT_EQ(problem.has_value(), c.kind.has_value());
        if (!problem)
            continue;
        EXPECT_EQ(problem->kind, *c.kind);
        if (c.kind != Kind::TooLong) {
            EXPECT_EQ(problem->field, c.field);
            EXPECT_EQ(problem->byte, c.byte);
        } else {
            EXPECT_EQ(problem->septets, c.septets);
        }
    }
}

TEST(WakeupMessage, SerialNumberText) {
    for (const char* good : {"10-2024-0001", "00-0000-0000"})
        EXPECT_TRUE(kw::IsSerialNumberText(good)) << good;
    for (const char* bad : {"", "10-2024-000", "10-2024-00011", "1-02024-0001", "10-2024-000a",
                            "10 2024 0001", "10-2024-    "})
        EXPECT_FALSE(kw::IsSerialNumberText(bad)) << bad;
}

} // namespace
