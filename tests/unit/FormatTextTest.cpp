// Formats from language files are untrusted: only the caller's arguments are
// substituted, everything else is printed as it stands.
#include "FormatText.h"

#include <gtest/gtest.h>

namespace {

using kw::FormatPlaceholders;
using kw::FormatText;

TEST(FormatText, SubstitutesInOrder) {
    EXPECT_EQ(FormatText("%s\n'%s'", {"Cannot open file", "a.sgd"}), "Cannot open file\n'a.sgd'");
    EXPECT_EQ(FormatText("Version %s, %i bytes", {"2.13", "512"}), "Version 2.13, 512 bytes");
    EXPECT_EQ(FormatText("no placeholders", {"unused"}), "no placeholders");
    EXPECT_EQ(FormatText("", {}), "");
}

TEST(FormatText, HostileSpecifiersArePrintedLiterally) {
    EXPECT_EQ(FormatText("%n%n%n", {"a"}), "%n%n%n");
    EXPECT_EQ(FormatText("%s %s %s %s", {"one"}), "one %s %s %s");
    EXPECT_EQ(FormatText("%d %x %p %5s %-s %.1000000f %*s", {"a", "b"}),
              "%d %x %p %5s %-s %.1000000f %*s");
    EXPECT_EQ(FormatText("100%", {"a"}), "100%");
    EXPECT_EQ(FormatText("%", {}), "%");
    EXPECT_EQ(FormatText("50%% of %s", {"x"}), "50% of x");
    EXPECT_EQ(FormatText("%%s", {"x"}), "%s");
    EXPECT_EQ(FormatText(std::string(100000, '%') + "s", {"x"}), std::string(50000, '%') + "s");
}

TEST(FormatText, ArgumentsAreNeverRescanned) {
    EXPECT_EQ(FormatText("%s-%s", {"%s%n%%", "b"}), "%s%n%%-b");
    EXPECT_EQ(FormatText("%s", {std::string("a\0b", 3)}), std::string("a\0b", 3));
}

TEST(FormatText, PlaceholdersAreListedAsFormatTextSeesThem) {
    EXPECT_EQ(FormatPlaceholders("%s\n'%s'"), "ss");
    EXPECT_EQ(FormatPlaceholders("%i of %s, 50%%s %n %d %"), "is");
    EXPECT_EQ(FormatPlaceholders("plain"), "");
    EXPECT_EQ(FormatPlaceholders("%%%s"), "s");
}

} // namespace
