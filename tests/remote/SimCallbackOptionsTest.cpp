// The simulator's options for a misbehaving wake-up modem and connect-back.
#include "SimOptions.h"

#include <gtest/gtest.h>

namespace {

TEST(SimCallbackOptions, ParseOrNameWhatIsWrong) {
    kw::sim::SimOptions options;
    ASSERT_EQ(kw::sim::ParseSimOptions({"--link", "p", "--cms-error", "500", "--sms-delay", "2500",
                                        "--callback-greeting", "YX", "--callback-identity",
                                        "10-2024-9999", "--callback-drop-after=4096"},
                                       options),
              "");
    EXPECT_EQ(options.cmsError, 500);
    EXPECT_EQ(options.smsDelayMs, 2500);
    EXPECT_EQ(options.callback.answers, "YX");
    EXPECT_FALSE(options.callback.silent);
    EXPECT_EQ(options.callback.identity, "10-2024-9999");
    EXPECT_EQ(options.callbackDropAfter, 4096);

    kw::sim::SimOptions silent;
    ASSERT_EQ(kw::sim::ParseSimOptions({"--link", "p", "--callback-greeting", "silent"}, silent),
              "");
    EXPECT_TRUE(silent.callback.silent);

    const std::vector<std::pair<std::string, std::string>> bad{
        {"--cms-error", "x"},          {"--cms-error", "1000"},
        {"--sms-delay", "-1"},         {"--sms-delay", "600001"},
        {"--callback-greeting", "X"},  {"--callback-greeting", "XXX"},
        {"--callback-drop-after", ""}, {"--callback-identity", std::string(99, '1')},
    };
    for (const auto& [name, value] : bad) {
        kw::sim::SimOptions rejected;
        EXPECT_NE(kw::sim::ParseSimOptions({"--link", "p", name, value}, rejected), "")
            << name << " " << value;
    }
}

} // namespace
