// The GSM & SIM page: its bindings in order with their lists, ranges and
// limits, the operator lock display with and without the permanent-lock bit,
// the service SMS number display, and random configurations surviving load
// and store.
#include "FormatText.h"
#include "GSMSIM.h"
#include "PageTestSupport.h"
#include "Parameters.h"
#include "RandomConfiguration.h"
#include "TestHost.h"
#include "TranslateWidgets.h"
#include "TypingLimit.h"
#include "UpDown.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

using namespace kw::test;

class GsmSimPage : public ::testing::Test {
protected:
    GsmSimPage() : page(host) { LoadInstalledLanguage(host.language, "Eng", "A"); }

    void Load() {
        host.parameters.m_Modified = false;
        page.LoadPage();
    }
    QString Word(int id) const { return QString::fromStdString(host.language.GetText(id)); }
    QString Formatted(int id, const std::string& argument) const {
        return QString::fromStdString(kw::FormatText(host.language.GetText(id), {argument}));
    }

    CTestHost host;
    TFGSMSIM page;
};

TEST_F(GsmSimPage, BindsElevenControlsInOrderWithTheirListsAndLimits) {
    Load();
    std::vector<std::string> names;
    for (const auto& binding : host.parameters.Bindings())
        names.push_back(binding->Name());
    EXPECT_EQ(names,
              (std::vector<std::string>{"CLIRInk", "RoamPerm", "CallHandOver", "GprsApn",
                                        "CallsCadence", "CreditCode", "MinCredit", "ManualReg",
                                        "CreditAnswer", "UMTSGSM", "AMREnabled"}));
    struct List {
        QComboBox* combo;
        int word;
        int count;
    };
    for (const List& l :
         {List{page.ComboBox1, 58, 3}, List{page.ComboBox2, 59, 2}, List{page.ComboBox3, 283, 2},
          List{page.ComboBox5, 297, 3}, List{page.ComboBox7, 339, 2}}) {
        SCOPED_TRACE(l.combo->objectName().toStdString());
        ASSERT_EQ(l.combo->count(), l.count);
        for (int i = 0; i < l.count; ++i) {
            EXPECT_EQ(kw::ComboItemValue(l.combo, i), i);
            EXPECT_EQ(l.combo->itemText(i).toStdString(), host.language.GetItem(l.word, i));
        }
    }
    EXPECT_EQ(kw::TypingLimit(page.Edit6), 40);
    EXPECT_EQ(kw::TypingLimit(page.Edit2), 8);
    EXPECT_EQ(kw::TypingLimit(page.Edit5), 6);
    struct Spin {
        QLineEdit* edit;
        CUpDown* upDown;
        int max;
    };
    for (const Spin& s : {Spin{page.Edit1, page.UpDown1, 255}, Spin{page.Edit3, page.UpDown3, 999},
                          Spin{page.Edit4, page.UpDown4, 180}}) {
        EXPECT_EQ(s.upDown->Associate(), s.edit);
        EXPECT_EQ(s.upDown->Min(), 0);
        EXPECT_EQ(s.upDown->Max(), s.max);
        EXPECT_EQ(s.upDown->Increment(), 1);
        EXPECT_EQ(kw::TypingLimit(s.edit), 3);
    }
    // Every list item names its value: switching language keeps the selection.
    host.parameters.SetValue("UMTSGSM", 0, "2");
    Load();
    EXPECT_EQ(page.ComboBox5->currentIndex(), 2);
    LoadInstalledLanguage(host.language, "Cze", "A");
    page.StorePage();
    page.LoadPage();
    EXPECT_EQ(page.ComboBox5->currentIndex(), 2);
    EXPECT_EQ(page.ComboBox5->currentText().toStdString(), host.language.GetItem(297, 2));
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
        Load();
        EXPECT_EQ(page.Label8->text(), c.shown);
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
    Load();
    EXPECT_EQ(page.Label8->text(), Formatted(138, "23001"));
    EXPECT_TRUE(page.Label8->text().contains("23001"));
}

TEST_F(GsmSimPage, ServiceNumberIsShownInTheCreditGroupButNotStored) {
    Load();
    EXPECT_EQ(page.Label17->text(), Word(342));
    EXPECT_FALSE(Word(342).isEmpty());
    host.parameters.SetValue("SMSNum", 0, "+420603123456");
    Load();
    EXPECT_EQ(page.Label17->text(), "+420603123456");
    EXPECT_EQ(page.Label17->parentWidget(), page.Edit1->parentWidget());
    page.Label17->setText("999");
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("SMSNum", 0), "+420603123456");
    EXPECT_FALSE(host.parameters.m_Modified);
}

TEST_F(GsmSimPage, EditsSettleWhenLeft) {
    Load();
    struct Case {
        QLineEdit* edit;
        const char* typed;
        const char* shown;
    };
    for (const Case& c : {Case{page.Edit1, "256", "255"}, Case{page.Edit3, "999", "999"},
                          Case{page.Edit4, "181", "180"}, Case{page.Edit2, "*104", "*104#"},
                          Case{page.Edit5, "2300", ""}, Case{page.Edit5, "23001", "23001"}}) {
        TypeInto(c.edit, c.typed);
        LeaveField(c.edit);
        EXPECT_EQ(c.edit->text(), c.shown) << c.typed;
    }
    page.ComboBox2->setCurrentIndex(1);
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
