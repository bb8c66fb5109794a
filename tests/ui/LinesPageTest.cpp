// The lines page: binding order and variants, two-tone groups, the two spins
// that skip forbidden values, inverted boxes, typed values settling, and a
// random configuration surviving load and store.
#include "PageTestSupport.h"
#include "Parameters.h"
#include "SLICParametry.h"
#include "TestHost.h"
#include "TypingLimit.h"
#include "UpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace kw::test;

const std::vector<std::string> kFxsOrder = {
    "FXSTypeDial",         "FXSVolRec",        "FXSVolSend",      "FXSSigBeep",
    "FXSTimeDial",         "FXSTimeToAutDial", "FXSHangMin",      "FXSSigCall",
    "FXSSendClip",         "FXSNumAutDial",    "FXSChangePlusTo", "FXSFrekvTarImp",
    "FXSSigOfCall",        "FXSCallPartyCtrl", "FXSAlertFrekv",   "FXSAlertCadency",
    "FXSAlertCadencyData", "FXSDialToneF1",    "FXSDialToneF2",   "FXSDialToneCad",
    "FXSConToneCad",       "FXSConToneF1",     "FXSConToneF2",    "FXSRBToneCad",
    "FXSRBToneF1",         "FXSRBToneF2",      "FXSToneAfter",    "FXSDTMFType"};
const std::vector<std::string> kFxoOrder = {
    "FXOVolRec",      "FXOVolSend",       "FXOAlertCount",  "FXOTimeFor1Dial",  "FXOTimeForEDial",
    "FXODialType",    "FXOMinTimeCancel", "FXOMaxTimeDial", "FXOSigEDialBeep",  "FXODetConTone",
    "FXODetPermTone", "FXODialToneF1",    "FXODialToneF2",  "FXODialToneCad",   "FXORBToneF1",
    "FXORBToneF2",    "FXORBToneCad",     "FXONumAutDial",  "FXOTimeToAutDial", "FXODTMFCode",
    "FXODTMFLength",  "FXODTMFType"};

class LinesPage : public ::testing::Test {
protected:
    LinesPage() : page(host) {}

    void Load(const std::string& variant) {
        host.parameters.SetValue("HWVer", 0, variant);
        host.parameters.m_Modified = false;
        page.LoadPage();
    }
    std::vector<std::string> BoundNames() const {
        std::vector<std::string> names;
        for (const auto& binding : host.parameters.Bindings())
            names.push_back(binding->Name());
        return names;
    }
    template <typename T> T* Find(const char* name) {
        T* control = page.findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    CTestHost host;
    TFSLICParametry page;
};

TEST_F(LinesPage, BindsInTheFixedOrderAndTheFxoTabOnlyWithAnFxoLine) {
    for (const char* variant : {"A", "C", "D", "F"}) {
        SCOPED_TRACE(variant);
        Load(variant);
        std::vector<std::string> expected = kFxsOrder;
        expected.insert(expected.end(), kFxoOrder.begin(), kFxoOrder.end());
        EXPECT_EQ(BoundNames(), expected);
        EXPECT_TRUE(page.PageControl1->isTabVisible(1));
        EXPECT_EQ(page.PageControl1->currentWidget(), page.TabSheet1);
    }
    for (const char* variant : {"E", "G"}) {
        SCOPED_TRACE(variant);
        Load(variant);
        EXPECT_EQ(BoundNames(), kFxsOrder);
        EXPECT_FALSE(page.PageControl1->isTabVisible(1));
        EXPECT_EQ(page.PageControl1->currentWidget(), page.TabSheet1);
    }
}

TEST_F(LinesPage, VariantGLeavesEveryFxoParameterAloneWhenStored) {
    std::mt19937 random(7);
    Load("A");
    FillShowable(host.parameters, random, "A");
    page.LoadPage(); // the FXO controls now show these values
    host.parameters.SetValue("FXOAlertCount", 0, "17");
    host.parameters.SetValue("FXODialToneF1", 0, "600");
    host.parameters.SetValue("FXOSigEDialBeep", 0, "0");
    host.parameters.SetValue("HWVer", 0, "G");
    const Snapshot before = TakeSnapshot(host.parameters);
    host.parameters.m_Modified = false;
    page.LoadPage();
    page.StorePage();
    EXPECT_EQ(ChangedNames(before, TakeSnapshot(host.parameters)), std::vector<std::string>{});
    EXPECT_FALSE(host.parameters.m_Modified);
}

TEST_F(LinesPage, EverySpinHasTheRangeStepAndTypingLimitOfItsParameter) {
    struct Spin {
        const char* edit;
        const char* upDown;
        int min, max, step, limit;
    };
    const Spin spins[] = {
        {"Edit1", "UpDown1", 1, 255, 1, 3},       {"Edit4", "UpDown3", 100, 25500, 100, 5},
        {"Edit3", "UpDown2", 0, 255, 1, 0},       {"Edit8", "UpDown6", 5, 3400, 1, 0},
        {"Edit9", "UpDown7", 5, 3400, 1, 0},      {"Edit10", "UpDown8", 5, 3400, 1, 0},
        {"Edit11", "UpDown9", 5, 3400, 1, 0},     {"Edit23", "UpDown19", 5, 3400, 1, 0},
        {"Edit24", "UpDown20", 5, 3400, 1, 0},    {"Edit6", "UpDown4", 1, 255, 1, 0},
        {"Edit7", "UpDown5", 100, 25500, 100, 0}, {"Edit12", "UpDown10", 0, 255, 1, 0},
        {"Edit13", "UpDown11", 1, 255, 1, 0},     {"Edit14", "UpDown12", 1, 255, 1, 0},
        {"Edit15", "UpDown13", 0, 255, 1, 0},     {"Edit16", "UpDown14", 0, 8925, 35, 0},
        {"Edit20", "UpDown17", 0, 255, 1, 0},     {"Edit22", "UpDown18", 100, 1500, 100, 0},
        {"Edit17", "UpDown15", 5, 3400, 1, 0},    {"Edit18", "UpDown16", 5, 3400, 1, 0},
        {"Edit26", "UpDown22", 5, 3400, 1, 0},    {"Edit25", "UpDown21", 5, 3400, 1, 0},
    };
    for (const Spin& s : spins) {
        SCOPED_TRACE(s.edit);
        auto* edit = Find<QLineEdit>(s.edit);
        auto* upDown = Find<CUpDown>(s.upDown);
        ASSERT_TRUE(edit && upDown);
        EXPECT_EQ(upDown->Associate(), edit);
        EXPECT_EQ(upDown->Min(), s.min);
        EXPECT_EQ(upDown->Max(), s.max);
        EXPECT_EQ(upDown->Increment(), s.step);
        EXPECT_EQ(kw::TypingLimit(edit), s.limit);
        EXPECT_EQ(upDown->property("tag"), edit->property("tag")); // same hint
    }
    for (const auto& [name, limit] :
         {std::pair{"Edit2", 20}, {"Edit5", 4}, {"Edit19", 20}, {"Edit21", 4}})
        EXPECT_EQ(kw::TypingLimit(Find<QLineEdit>(name)), limit) << name;
}

TEST_F(LinesPage, ListsCarryTheValuesOfTheirParameters) {
    Load("A");
    const std::pair<const char*, std::vector<int>> lists[] = {
        {"ComboBox1", {0, 1}},           {"ComboBox16", {0, 1}},
        {"ComboBox3", {0, 1}},           {"ComboBox8", {50, 25}},
        {"ComboBox9", {0, 1, 2, 3}},     {"ComboBox12", {0, 1, 2, 3}},
        {"ComboBox5", {0, 1, 2, 3}},     {"ComboBox6", {0, 1}},
        {"ComboBox15", {0, 1}},          {"ComboBox2", {0, 1}},
        {"ComboBox4", {0, 1}},           {"ComboBox7", {0, 1, 2, 3, 4}},
        {"ComboBox13", {0, 1, 2, 3, 4}}, {"ComboBox10", {0, 1}},
        {"ComboBox17", {0, 1}},          {"ComboBox11", {0, 1}},
        {"ComboBox14", {0, 1, 2, 3, 4}}};
    for (const auto& [name, values] : lists) {
        auto* combo = Find<QComboBox>(name);
        ASSERT_NE(combo, nullptr);
        std::vector<int> carried;
        for (int i = 0; i < combo->count(); ++i)
            carried.push_back(combo->itemData(i).toInt());
        EXPECT_EQ(carried, values) << name;
    }
    // The data/fax cadence shows the ringing cadence's items under its own label.
    EXPECT_EQ(page.ComboBox12->property("tag").toInt(), -165);
    EXPECT_EQ(Find<QLabel>("ComboBox12Label")->property("tag").toInt(), 288);
}

struct ToneGroup {
    const char* box;
    const char* f1;
    const char* f2;
    const char* f2Label;
    const char* f2Spin;
    const char* f1Name;
    const char* f2Name;
};
const ToneGroup kToneGroups[] = {
    {"CheckBox4", "Edit8", "Edit9", "Label19", "UpDown7", "FXSDialToneF1", "FXSDialToneF2"},
    {"CheckBox5", "Edit10", "Edit11", "Label22", "UpDown9", "FXSConToneF1", "FXSConToneF2"},
    {"CheckBox8", "Edit23", "Edit24", "Label42", "UpDown20", "FXSRBToneF1", "FXSRBToneF2"},
    {"CheckBox7", "Edit17", "Edit18", "Label32", "UpDown16", "FXODialToneF1", "FXODialToneF2"},
    {"CheckBox9", "Edit26", "Edit25", "Label48", "UpDown21", "FXORBToneF1", "FXORBToneF2"},
};

TEST_F(LinesPage, SingleToneGroupsKeepF2DisabledAndFollowingF1) {
    for (const ToneGroup& g : kToneGroups) {
        SCOPED_TRACE(g.box);
        host.parameters.SetValue(g.f1Name, 0, "425");
        host.parameters.SetValue(g.f2Name, 0, "425");
        Load("A");
        auto* box = Find<QCheckBox>(g.box);
        auto* f1 = Find<QLineEdit>(g.f1);
        auto* f2 = Find<QLineEdit>(g.f2);
        EXPECT_FALSE(box->isChecked());
        EXPECT_FALSE(f2->isEnabled());
        EXPECT_FALSE(Find<QLabel>(g.f2Label)->isEnabled());
        EXPECT_FALSE(Find<CUpDown>(g.f2Spin)->isEnabled());
        TypeInto(f1, "400");
        EXPECT_EQ(f2->text(), "400");
        page.StorePage();
        EXPECT_EQ(host.parameters.GetValue(g.f1Name, 0), "400");
        EXPECT_EQ(host.parameters.GetValue(g.f2Name, 0), "400");
        EXPECT_TRUE(host.parameters.m_Modified);
    }
}

TEST_F(LinesPage, TwoToneGroupsEnableF2AndLetItGoItsOwnWay) {
    for (const ToneGroup& g : kToneGroups) {
        SCOPED_TRACE(g.box);
        host.parameters.SetValue(g.f1Name, 0, "425");
        host.parameters.SetValue(g.f2Name, 0, "450");
        Load("A");
        auto* box = Find<QCheckBox>(g.box);
        auto* f1 = Find<QLineEdit>(g.f1);
        auto* f2 = Find<QLineEdit>(g.f2);
        EXPECT_TRUE(box->isChecked());
        EXPECT_TRUE(f2->isEnabled());
        EXPECT_TRUE(Find<QLabel>(g.f2Label)->isEnabled());
        EXPECT_TRUE(Find<CUpDown>(g.f2Spin)->isEnabled());
        TypeInto(f1, "500");
        EXPECT_EQ(f2->text(), "450");
        // Unticking makes the tone single again: F2 takes F1 and is disabled.
        box->click();
        EXPECT_EQ(f2->text(), "500");
        EXPECT_FALSE(f2->isEnabled());
        // Ticking again enables F2 with F1's frequency to start from.
        box->click();
        EXPECT_TRUE(f2->isEnabled());
        TypeInto(f2, "620");
        page.StorePage();
        EXPECT_EQ(host.parameters.GetValue(g.f1Name, 0), "500");
        EXPECT_EQ(host.parameters.GetValue(g.f2Name, 0), "620");
    }
}

TEST_F(LinesPage, BusyToneDetectionSpinSkipsOneInBothDirections) {
    host.parameters.SetValue("FXODetConTone", 0, "0");
    Load("A");
    page.UpDown13->StepUp();
    EXPECT_EQ(page.Edit15->text(), "2");
    EXPECT_EQ(page.UpDown13->Position(), 2);
    page.UpDown13->StepUp();
    EXPECT_EQ(page.Edit15->text(), "3");
    page.UpDown13->StepDown();
    page.UpDown13->StepDown();
    EXPECT_EQ(page.Edit15->text(), "0");
    EXPECT_EQ(page.UpDown13->Position(), 0);
    page.UpDown13->StepDown(); // at the bottom already
    EXPECT_EQ(page.Edit15->text(), "0");
    QTest::keyClick(page.Edit15, Qt::Key_Up); // the arrow keys go the same way
    EXPECT_EQ(page.Edit15->text(), "2");
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("FXODetConTone", 0), "2");
}

TEST_F(LinesPage, PermanentToneDetectionSpinJumpsOverTheGap) {
    host.parameters.SetValue("FXODetPermTone", 0, "0");
    Load("A");
    // The jump itself must not come back through the handler.
    int asked = 0;
    page.UpDown14->SetChangingHandler([&](int value, bool up) {
        ++asked;
        return page.UpDown14ChangingEx(value, up);
    });
    page.UpDown14->StepUp();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(page.Edit16->text(), "1610");
    EXPECT_EQ(page.UpDown14->Position(), 1610);
    page.UpDown14->StepUp();
    EXPECT_EQ(page.Edit16->text(), "1645");
    page.UpDown14->StepDown();
    EXPECT_EQ(page.Edit16->text(), "1610");
    page.UpDown14->StepDown();
    EXPECT_EQ(page.Edit16->text(), "0");
    EXPECT_EQ(page.UpDown14->Position(), 0);
    // A typed number inside the gap: a step either way leaves the gap.
    TypeInto(page.Edit16, "500");
    page.UpDown14->StepUp();
    EXPECT_EQ(page.Edit16->text(), "1610");
    TypeInto(page.Edit16, "500");
    page.UpDown14->StepDown();
    EXPECT_EQ(page.Edit16->text(), "0");
    // Typed and left, the parameter's own rule applies.
    TypeInto(page.Edit16, "100");
    LeaveField(page.Edit16);
    EXPECT_EQ(page.Edit16->text(), "1610");
}

TEST_F(LinesPage, BeepBoxesAreInverted) {
    host.parameters.SetValue("FXSSigBeep", 0, "0");
    host.parameters.SetValue("FXOSigEDialBeep", 0, "0");
    Load("A");
    EXPECT_TRUE(page.CheckBox1->isChecked());
    EXPECT_TRUE(page.CheckBox3->isChecked());
    page.StorePage();
    EXPECT_FALSE(host.parameters.m_Modified);
    page.CheckBox1->click();
    page.CheckBox3->click();
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("FXSSigBeep", 0), "1");
    EXPECT_EQ(host.parameters.GetValue("FXOSigEDialBeep", 0), "1");
}

TEST_F(LinesPage, TypedValuesSettleWhenTheFieldIsLeft) {
    host.parameters.SetValue("FXSDialToneF1", 0, "3");
    host.parameters.SetValue("FXSDialToneF2", 0, "3");
    Load("A");
    TypeInto(page.Edit4, "7");
    LeaveField(page.Edit4);
    EXPECT_EQ(page.Edit4->text(), "100");
    TypeInto(page.Edit4, "250");
    LeaveField(page.Edit4);
    EXPECT_EQ(page.Edit4->text(), "200");
    // Below the spin's range but within the parameter's, a frequency stays.
    EXPECT_EQ(page.Edit8->text(), "3");
    EXPECT_EQ(page.Edit9->text(), "3");
    LeaveField(page.Edit8);
    EXPECT_EQ(page.Edit8->text(), "3");
    page.Edit4->setText("500");
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("FXSDialToneF1", 0), "3");
    EXPECT_FALSE(host.parameters.m_Modified);
    // Typing stops at the field's length; a longer stored value still shows whole.
    TypeInto(page.Edit5, "123456");
    EXPECT_EQ(page.Edit5->text(), "1234");
}

TEST_F(LinesPage, ARandomConfigurationSurvivesLoadAndStore) {
    for (const char* variant : {"A", "G", "D"}) {
        for (unsigned seed = 1; seed <= 4; ++seed) {
            SCOPED_TRACE(std::string(variant) + " seed " + std::to_string(seed));
            std::mt19937 random(seed);
            Load(variant);
            FillShowable(host.parameters, random, variant);
            ExpectLoadStoreKeepsRegistry(page, host.parameters);
        }
    }
}

TEST_F(LinesPage, ALanguageSwitchKeepsEveryValue) {
    LoadInstalledLanguage(host.language, "Eng", "A");
    std::mt19937 random(21);
    Load("A");
    FillShowable(host.parameters, random, "A");
    host.parameters.SetValue("FXSAlertFrekv", 0, "25");
    host.parameters.m_Modified = false;
    page.LoadPage();
    const Snapshot before = TakeSnapshot(host.parameters);
    const QString english = page.ComboBox8->currentText();
    // As the main window switches: store the page, load the language, load the page.
    page.StorePage();
    LoadInstalledLanguage(host.language, "Cze", "A");
    page.LoadPage();
    EXPECT_EQ(page.ComboBox8->currentData().toInt(), 25);
    EXPECT_EQ(page.ComboBox8->currentText(), "25 Hz");
    EXPECT_EQ(english, "25 Hz");
    EXPECT_EQ(page.TabSheet1->property("tag").toInt(), 214);
    EXPECT_EQ(page.PageControl1->tabText(0), "Linka FXS");
    page.StorePage();
    EXPECT_EQ(ChangedNames(before, TakeSnapshot(host.parameters)), std::vector<std::string>{});
    EXPECT_FALSE(host.parameters.m_Modified);
}

} // namespace
