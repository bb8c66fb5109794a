// The GSM & SIM page: its bindings with their lists, the operator lock display with and without the
// permanent-lock bit, the service SMS number display, and random configurations surviving load and
// store.
#include "FormatText.h"
#include "GSMSIM.h"
#include "PageFixture.h"
#include "PageTestSupport.h"
#include "RandomConfiguration.h"
#include "TranslateWidgets.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

using namespace kw::test;

class GsmSimPage : public PageFixture<TFGSMSIM> {
protected:
    GsmSimPage() { LoadInstalledLanguage(host.language, "Eng", "A"); }

    QString Formatted(int id, const std::string& argument) const {
        return QString::fromStdString(kw::FormatText(host.language.GetText(id), {argument}));
    }
};

TEST_F(GsmSimPage, BindsElevenControlsWithTheirLists) {
    Reload();
    EXPECT_EQ(BoundNames(), SortedNames({"CLIRInk", "RoamPerm", "CallHandOver", "GprsApn",
                                         "CallsCadence", "CreditCode", "MinCredit", "ManualReg",
                                         "CreditAnswer", "UMTSGSM", "AMREnabled"}));
    struct List {
        const char* combo;
        int word;
        int count;
    };
    for (const List& l :
         {List{"ComboBox1", 58, 3}, List{"ComboBox2", 59, 2}, List{"ComboBox3", 283, 2},
          List{"ComboBox5", 297, 3}, List{"ComboBox7", 339, 2}}) {
        SCOPED_TRACE(l.combo);
        auto* combo = Find<QComboBox>(l.combo);
        ASSERT_EQ(combo->count(), l.count);
        for (int i = 0; i < l.count; ++i) {
            EXPECT_EQ(kw::ComboItemValue(combo, i), i);
            EXPECT_EQ(combo->itemText(i).toStdString(), host.language.GetItem(l.word, i));
        }
    }
    // Every list item names its value: switching language keeps the selection.
    auto* mode = Find<QComboBox>("ComboBox5");
    host.parameters.SetValue("UMTSGSM", 0, "2");
    Reload();
    EXPECT_EQ(mode->currentIndex(), 2);
    LoadInstalledLanguage(host.language, "Cze", "A");
    page.StorePage();
    page.LoadPage();
    EXPECT_EQ(mode->currentIndex(), 2);
    EXPECT_EQ(mode->currentText().toStdString(), host.language.GetItem(297, 2));
}

TEST_F(GsmSimPage, OperatorLockShowsThePermanentBitThroughItsOwnWord) {
    ASSERT_EQ(kw::FormatPlaceholders(host.language.GetText(137)), "s");
    ASSERT_EQ(kw::FormatPlaceholders(host.language.GetText(138)), "s");
    struct Case {
        std::string value;
        QString shown;
    };
    const Case cases[] = {
        {"", Word(111)},
        {"2300\xB1", Formatted(138, "23001")}, // "1" with bit 7 set
        {"23001", Formatted(137, "23001")},
        // Only the last character carries the mark; the others are shown as they are.
        {"\xB1"
         "2",
         Formatted(137, "\xC2\xB1"
                        "2")},
        {"Op\xE8", Formatted(138, "Oph")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        host.parameters.SetValue("OperLock", 0, c.value);
        const Snapshot before = TakeSnapshot(host.parameters);
        Reload();
        EXPECT_EQ(Find<QLabel>("Label8")->text(), c.shown);
        page.StorePage();
        // Shown only: the lock keeps its mark and nothing is modified.
        EXPECT_EQ(host.parameters.GetValue("OperLock", 0), c.value);
        EXPECT_EQ(ChangedNames(before, TakeSnapshot(host.parameters)), std::vector<std::string>{});
        EXPECT_FALSE(host.parameters.m_Modified);
    }
    EXPECT_NE(Formatted(137, "23001"), Formatted(138, "23001"));
    // The display follows the language on the next fill.
    host.parameters.SetValue("OperLock", 0, "2300\xB1");
    LoadInstalledLanguage(host.language, "Cze", "A");
    Reload();
    EXPECT_EQ(Find<QLabel>("Label8")->text(), Formatted(138, "23001"));
    EXPECT_TRUE(Find<QLabel>("Label8")->text().contains("23001"));
}

TEST_F(GsmSimPage, ServiceNumberIsShownInTheCreditGroupButNotStored) {
    auto* number = Find<QLabel>("Label17");
    Reload();
    EXPECT_EQ(number->text(), Word(342));
    EXPECT_FALSE(Word(342).isEmpty());
    host.parameters.SetValue("SMSNum", 0, "+420603123456");
    Reload();
    EXPECT_EQ(number->text(), "+420603123456");
    EXPECT_EQ(number->parentWidget(), Find<QLineEdit>("Edit1")->parentWidget());
    number->setText("999");
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("SMSNum", 0), "+420603123456");
    EXPECT_FALSE(host.parameters.m_Modified);
}

TEST_F(GsmSimPage, EditsSettleWhenLeft) {
    Reload();
    struct Case {
        const char* edit;
        const char* typed;
        const char* shown;
    };
    for (const Case& c : {Case{"Edit1", "256", "255"}, Case{"Edit3", "999", "999"},
                          Case{"Edit4", "181", "180"}, Case{"Edit2", "*104", "*104#"},
                          Case{"Edit5", "2300", ""}, Case{"Edit5", "23001", "23001"}}) {
        auto* edit = Find<QLineEdit>(c.edit);
        TypeInto(edit, c.typed);
        LeaveField(edit);
        EXPECT_EQ(edit->text(), c.shown) << c.typed;
    }
    Find<QComboBox>("ComboBox2")->setCurrentIndex(1);
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("CallsCadence", 0), "255");
    EXPECT_EQ(host.parameters.GetValue("CreditCode", 0), "*104#");
    EXPECT_EQ(host.parameters.GetValue("ManualReg", 0), "23001");
    EXPECT_EQ(host.parameters.GetValue("RoamPerm", 0), "1");
}

TEST_F(GsmSimPage, RandomConfigurationsSurviveLoadAndStore) {
    // Every value of these parameters is one the page can show: the lists carry
    // every number the ranges allow, the APN is any 8-bit text.
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        FillRandom(host.parameters, random);
        ExpectLoadStoreKeepsRegistry(page, host.parameters);
    }
}

} // namespace
