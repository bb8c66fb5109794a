// The lines page: bindings per variant, two-tone groups, the two spins that
// skip forbidden values, inverted boxes, typed values settling, and a random
// configuration surviving load and store.
#include "PageFixture.h"
#include "PageTestSupport.h"
#include "SLICParametry.h"
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

class LinesPage : public PageFixture<TFSLICParametry> {
protected:
    QTabWidget* Tabs() const { return Find<QTabWidget>("PageControl1"); }
};

TEST_F(LinesPage, BindsEveryFxsControlAndTheFxoControlsOnlyWithAnFxoLine) {
    for (const char* variant : {"A", "C", "D", "F"}) {
        SCOPED_TRACE(variant);
        Load(variant);
        std::vector<std::string> expected = kFxsOrder;
        expected.insert(expected.end(), kFxoOrder.begin(), kFxoOrder.end());
        EXPECT_EQ(BoundNames(), SortedNames(expected));
        EXPECT_TRUE(Tabs()->isTabVisible(1));
        EXPECT_EQ(Tabs()->currentWidget(), Find<QWidget>("TabSheet1"));
    }
    for (const char* variant : {"E", "G"}) {
        SCOPED_TRACE(variant);
        Load(variant);
        EXPECT_EQ(BoundNames(), SortedNames(kFxsOrder));
        EXPECT_FALSE(Tabs()->isTabVisible(1));
        EXPECT_EQ(Tabs()->currentWidget(), Find<QWidget>("TabSheet1"));
    }
}

TEST_F(LinesPage, VariantGLeavesEveryFxoParameterAloneWhenStored) {
    std::mt19937 random(7);
    Load("A");
    FillShowable(page, host.parameters, random, "A");
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

TEST_F(LinesPage, OnlyToneFrequenciesAndVolumesStartAboveTheCatalogue) {
    // Tone frequencies are spun from 5 Hz, volumes from 1; every other spin and
    // track bar has its parameter's range (checked for all pages elsewhere).
    std::vector<std::string> narrowed;
    for (const kw::TBuiltRow& built : page.BuiltRows())
        if (built.row->min != kw::pages::kCatalogueMin)
            narrowed.push_back(std::string(built.row->param) + "=" +
                               std::to_string(built.row->min));
    std::vector<std::string> expected;
    for (const char* tone : {"FXSDialTone", "FXSConTone", "FXSRBTone", "FXODialTone", "FXORBTone"})
        for (const char* f : {"F1", "F2"})
            expected.push_back(std::string(tone) + f + "=5");
    for (const char* volume : {"FXSVolSend", "FXSVolRec", "FXOVolSend", "FXOVolRec"})
        expected.push_back(std::string(volume) + "=1");
    EXPECT_EQ(SortedNames(narrowed), SortedNames(expected));
    EXPECT_EQ(Find<QSlider>("TrackBar1")->minimum(), 1);
    EXPECT_EQ(Find<CUpDown>("UpDown6")->Min(), 5);
}

TEST_F(LinesPage, TheDataCadenceShowsTheRingingCadencesItemsUnderItsOwnCaption) {
    Load("A");
    auto* combo = Find<QComboBox>("ComboBox12");
    ASSERT_EQ(combo->count(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(combo->itemData(i).toInt(), i);
    EXPECT_EQ(combo->property("tag").toInt(), -165);
    EXPECT_EQ(Find<QLabel>("ComboBox12Label")->property("tag").toInt(), 288);
    // The ringing frequency lists its two values highest first.
    auto* frequency = Find<QComboBox>("ComboBox8");
    EXPECT_EQ(frequency->itemData(0).toInt(), 50);
    EXPECT_EQ(frequency->itemData(1).toInt(), 25);
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
    auto* spin = Find<CUpDown>("UpDown13");
    auto* edit = Find<QLineEdit>("Edit15");
    spin->StepUp();
    EXPECT_EQ(edit->text(), "2");
    EXPECT_EQ(spin->Position(), 2);
    spin->StepUp();
    EXPECT_EQ(edit->text(), "3");
    spin->StepDown();
    spin->StepDown();
    EXPECT_EQ(edit->text(), "0");
    EXPECT_EQ(spin->Position(), 0);
    spin->StepDown(); // at the bottom already
    EXPECT_EQ(edit->text(), "0");
    QTest::keyClick(edit, Qt::Key_Up); // the arrow keys go the same way
    EXPECT_EQ(edit->text(), "2");
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("FXODetConTone", 0), "2");
}

TEST_F(LinesPage, PermanentToneDetectionSpinJumpsOverTheGap) {
    host.parameters.SetValue("FXODetPermTone", 0, "0");
    Load("A");
    auto* spin = Find<CUpDown>("UpDown14");
    auto* edit = Find<QLineEdit>("Edit16");
    // The jump itself must not come back through the handler.
    int asked = 0;
    spin->SetChangingHandler([&](int value, bool up) {
        ++asked;
        return page.PermanentToneDetectionChanging(value, up);
    });
    spin->StepUp();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(edit->text(), "1610");
    EXPECT_EQ(spin->Position(), 1610);
    spin->StepUp();
    EXPECT_EQ(edit->text(), "1645");
    spin->StepDown();
    EXPECT_EQ(edit->text(), "1610");
    spin->StepDown();
    EXPECT_EQ(edit->text(), "0");
    EXPECT_EQ(spin->Position(), 0);
    // A typed number inside the gap: a step either way leaves the gap.
    TypeInto(edit, "500");
    spin->StepUp();
    EXPECT_EQ(edit->text(), "1610");
    TypeInto(edit, "500");
    spin->StepDown();
    EXPECT_EQ(edit->text(), "0");
    // Typed and left, the parameter's own rule applies.
    TypeInto(edit, "100");
    LeaveField(edit);
    EXPECT_EQ(edit->text(), "1610");
}

TEST_F(LinesPage, BeepBoxesAreInverted) {
    host.parameters.SetValue("FXSSigBeep", 0, "0");
    host.parameters.SetValue("FXOSigEDialBeep", 0, "0");
    Load("A");
    EXPECT_TRUE(Find<QCheckBox>("CheckBox1")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("CheckBox3")->isChecked());
    page.StorePage();
    EXPECT_FALSE(host.parameters.m_Modified);
    Find<QCheckBox>("CheckBox1")->click();
    Find<QCheckBox>("CheckBox3")->click();
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("FXSSigBeep", 0), "1");
    EXPECT_EQ(host.parameters.GetValue("FXOSigEDialBeep", 0), "1");
}

TEST_F(LinesPage, TypedValuesSettleWhenTheFieldIsLeft) {
    host.parameters.SetValue("FXSDialToneF1", 0, "3");
    host.parameters.SetValue("FXSDialToneF2", 0, "3");
    Load("A");
    auto* hangMin = Find<QLineEdit>("Edit4");
    auto* dialTone = Find<QLineEdit>("Edit8");
    TypeInto(hangMin, "7");
    LeaveField(hangMin);
    EXPECT_EQ(hangMin->text(), "100");
    TypeInto(hangMin, "250");
    LeaveField(hangMin);
    EXPECT_EQ(hangMin->text(), "200");
    // Below the spin's range but within the parameter's, a frequency stays.
    EXPECT_EQ(dialTone->text(), "3");
    EXPECT_EQ(Find<QLineEdit>("Edit9")->text(), "3");
    LeaveField(dialTone);
    EXPECT_EQ(dialTone->text(), "3");
    hangMin->setText("500");
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("FXSDialToneF1", 0), "3");
    EXPECT_FALSE(host.parameters.m_Modified);
    // Typing stops at the field's length; a longer stored value still shows whole.
    TypeInto(Find<QLineEdit>("Edit5"), "123456");
    EXPECT_EQ(Find<QLineEdit>("Edit5")->text(), "1234");
}

TEST_F(LinesPage, ARandomConfigurationSurvivesLoadAndStore) {
    for (const char* variant : {"A", "G", "D"}) {
        for (unsigned seed = 1; seed <= 4; ++seed) {
            SCOPED_TRACE(std::string(variant) + " seed " + std::to_string(seed));
            std::mt19937 random(seed);
            Load(variant);
            FillShowable(page, host.parameters, random, variant);
            ExpectLoadStoreKeepsRegistry(page, host.parameters);
        }
    }
}

TEST_F(LinesPage, ALanguageSwitchKeepsEveryValue) {
    LoadInstalledLanguage(host.language, "Eng", "A");
    std::mt19937 random(21);
    Load("A");
    FillShowable(page, host.parameters, random, "A");
    host.parameters.SetValue("FXSAlertFrekv", 0, "25");
    host.parameters.m_Modified = false;
    page.LoadPage();
    const Snapshot before = TakeSnapshot(host.parameters);
    auto* frequency = Find<QComboBox>("ComboBox8");
    const QString english = frequency->currentText();
    // As the main window switches: store the page, load the language, load the page.
    page.StorePage();
    LoadInstalledLanguage(host.language, "Cze", "A");
    page.LoadPage();
    EXPECT_EQ(frequency->currentData().toInt(), 25);
    EXPECT_EQ(frequency->currentText(), "25 Hz");
    EXPECT_EQ(english, "25 Hz");
    EXPECT_EQ(Find<QWidget>("TabSheet1")->property("tag").toInt(), 214);
    EXPECT_EQ(Tabs()->tabText(0), "Linka FXS");
    page.StorePage();
    EXPECT_EQ(ChangedNames(before, TakeSnapshot(host.parameters)), std::vector<std::string>{});
    EXPECT_FALSE(host.parameters.m_Modified);
}

} // namespace
