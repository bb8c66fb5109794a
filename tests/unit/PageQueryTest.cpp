// The section pages' declarations asked without widgets: where a parameter is
// shown for a variant, and the text a page shows for a value.
#include "PageQuery.h"
#include "Language.h"
#include "Pages.h"

#include <gtest/gtest.h>

namespace {

using namespace kw::pages;

TEST(PageQuery, FindRowNamesThePageAndControlOfAParameter) {
    struct Case {
        const char* param;
        int row;
        const char* variant;
        int section; // -1: no page shows it
        std::string_view name;
        int itemsWord;
    };
    const Case cases[] = {
        {"FXSHangMin", 0, "A", kw::kSectionLines, "Edit4", 36},
        {"FXODetPermTone", 0, "A", kw::kSectionLines, "Edit16", 186},
        {"FXODetPermTone", 0, "E", -1, {}, 0},
        {"FXSDirection", 7, "A", kw::kSectionRouting, "ComboBox7", 216},
        {"FXSDirection", 7, "G", -1, {}, 0},
        {"GSMDirection", 57, "A", kw::kSectionRouting, "ComboBox3", 226},
        {"GSMDirection", 57, "E", kw::kSectionRouting, "ComboBox16", 330},
        {"FreeMins", 2, "A", kw::kSectionRouting, "BankFreeMins3", 305},
        {"FreeMins", 4, "A", -1, {}, 0},
        {"Kestrel", 0, "E", kw::kSectionRouting, "Edit2", 286},
        // Edited on the service page, shown on the GSM & SIM page as well.
        {"SMSNum", 0, "A", kw::kSectionService, "Edit2", 155},
        // Only shown: the first display.
        {"OperLock", 0, "A", kw::kSectionGsmSim, "Label8", 56},
        {"ModemNum3", 0, "A", -1, {}, 0},
        {"ModemNum3", 0, "C", kw::kSectionService, "Edit5", 261},
        {"ChargeOut", 0, "C", -1, {}, 0},
        {"ChargeOut", 0, "G", kw::kSectionService, "Edit14", 343},
        {"NoSuchParameter", 0, "A", -1, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.param) + " " + c.variant);
        const std::optional<TPlace> place = FindRow(c.param, c.row, c.variant);
        ASSERT_EQ(place.has_value(), c.section >= 0);
        if (!place)
            continue;
        EXPECT_EQ(place->page->section, c.section);
        EXPECT_EQ(place->page, SectionPages()[c.section]);
        EXPECT_EQ(place->row->name, c.name);
        EXPECT_EQ(place->row->ItemsWord(), c.itemsWord);
    }
}

TEST(PageQuery, DisplayedValueIsWhatThePageShows) {
    CLanguage language;
    language.Init(KW_PROGRAM_DIR "/");
    ASSERT_GE(language.FindLangById("Eng"), 0);
    language.Load(language.FindLangById("Eng"), "A");
    const std::string ticked(kTicked);
    const std::string unticked(kUnticked);
    const auto item = [&](int word, int index) { return language.GetItem(word, index); };
    const TRow frequency = List("FXSAlertFrekv", "ComboBox8", 164, {50, 25});
    const TRow permitted = ListColumn("FXSPermitted", "ComboBox5", 26, {0, 1}, 8);
    const TRow volume = Track("FXSVolSend", "TrackBar2", 42).Min(1);
    struct Case {
        TRow row;
        std::string value;
        std::string shown;
    };
    const Case cases[] = {
        {frequency, "25", item(164, 1)},
        {frequency, "30", item(164, 0)}, // no item carries it: the first shows
        {permitted, "1", item(26, 1)},
        {permitted, " +1 ", item(26, 1)},
        {permitted, "7", ""}, // a grid cell no item carries stays empty
        {permitted, "1x", ""},
        {permitted, "", ""},
        {Check("FXSSigCall", "CheckBox2", 46), "1", ticked},
        {Check("FXSSigCall", "CheckBox2", 46), "0", unticked},
        {InvertedCheck("FXSSigBeep", "CheckBox1", 37), "0", ticked},
        {InvertedCheck("FXSSigBeep", "CheckBox1", 37), "1", unticked},
        {volume, "0", "1"}, // below the track bar's start, at its start
        {volume, "4", "4"},
        {Edit("FXSNumAutDial", "Edit2", 39), "+420\x8A", "+420\x8A"}, // bytes as they are
        {Memo("SMSText", "Memo2", 51), "a\r\nb", "a\r\nb"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DisplayedValue(c.row, c.value, language), c.shown)
            << c.row.param << " '" << c.value << "'";
}

TEST(PageQuery, GroupsTakeTheVariantsOfTheirSheetOrTabControl) {
    const TPage& lines = LinesPage();
    for (const TGroup& group : lines.groups) {
        // The FXO sheet's groups, its inner tone sheets included, need an FXO line.
        const bool fxo = group.in == "TabSheet2" || group.in == "PageControl3";
        EXPECT_EQ(VariantsOf(lines, group), fxo ? Variants::FxoLine : Variants::All) << group.name;
    }
    EXPECT_TRUE(Shows(Variants::FxoLine, ""));
    EXPECT_FALSE(Shows(Variants::FxoLine, "G"));
    EXPECT_TRUE(Shows(Variants::NoFxoLine, "E"));
    EXPECT_TRUE(Shows(Variants::RemoteSupervision, "C"));
    EXPECT_FALSE(Shows(Variants::PowerSupply, "C"));
    EXPECT_TRUE(Shows(Variants::PowerSupply, "F"));
}

} // namespace
