// The service page: groups by hardware variant, the identity displays with the
// operator lock rule, the two mirrors of the service SMS number, the inverted
// COM permission, and a random configuration surviving load and store.
#include "Language.h"
#include "PageTestSupport.h"
#include "Parameters.h"
#include "Servis.h"
#include "TestHost.h"
#include "TypingLimit.h"
#include "UpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

using namespace kw::test;

class ServicePage : public ::testing::Test {
protected:
    ServicePage() : page(host) { LoadInstalledLanguage(host.language, "Eng", ""); }

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
    QString Word(int id) const { return QString::fromStdString(host.language.GetText(id)); }

    CTestHost host;
    TFServis page;
};

TEST_F(ServicePage, SupervisionAndPowerGroupsFollowTheVariant) {
    const std::vector<std::string> base = {"COMPerm", "SMSCandence", "SMSNum", "MaxDataTime"};
    const std::vector<std::string> supervision = {
        "ModemNum1",  "ModemNum2",  "ModemNum3",  "ModemNum4",  "ModemNum5",
        "SubString1", "SubString2", "SubString3", "SubString4", "SubString5"};
    const std::vector<std::string> power = {"BateryOut", "ChargeOut"};
    struct Case {
        const char* variant;
        bool supervision, power;
    };
    for (const Case& c : {Case{"A", false, false}, Case{"D", false, false}, Case{"C", true, false},
                          Case{"F", true, true}, Case{"E", true, true}, Case{"G", true, true}}) {
        SCOPED_TRACE(c.variant);
        Load(c.variant);
        EXPECT_EQ(page.SupervisionGroup->isHidden(), !c.supervision);
        EXPECT_EQ(page.PowerGroup->isHidden(), !c.power);
        std::vector<std::string> expected = base;
        if (c.supervision)
            expected.insert(expected.end(), supervision.begin(), supervision.end());
        if (c.power)
            expected.insert(expected.end(), power.begin(), power.end());
        EXPECT_EQ(BoundNames(), expected);
        EXPECT_EQ(page.Label5->text().toStdString(), c.variant);
    }
}

TEST_F(ServicePage, ControlsHaveTheirRangesAndLimits) {
    struct Spin {
        const char* edit;
        const char* upDown;
        int max, limit;
    };
    for (const Spin& s : {Spin{"Edit1", "UpDown1", 255, 3}, Spin{"Edit13", "UpDown13", 255, 0},
                          Spin{"Edit14", "UpDown14", 255, 3}, Spin{"Edit8", "UpDown8", 15, 0},
                          Spin{"Edit12", "UpDown12", 15, 0}}) {
        SCOPED_TRACE(s.edit);
        auto* edit = page.findChild<QLineEdit*>(s.edit);
        auto* upDown = page.findChild<CUpDown*>(s.upDown);
        ASSERT_TRUE(edit && upDown);
        EXPECT_EQ(upDown->Associate(), edit);
        EXPECT_EQ(upDown->Min(), 0);
        EXPECT_EQ(upDown->Max(), s.max);
        EXPECT_EQ(kw::TypingLimit(edit), s.limit);
    }
    for (const char* name : {"Edit2", "Edit3", "Edit7"})
        EXPECT_EQ(kw::TypingLimit(page.findChild<QLineEdit*>(name)), 16) << name;
    Load("E");
    ASSERT_EQ(page.ComboBox11->count(), 2);
    EXPECT_EQ(page.ComboBox11->itemData(0).toInt(), 0);
    EXPECT_EQ(page.ComboBox11->itemData(1).toInt(), 1);
}

TEST_F(ServicePage, IdentityDisplaysShowTheValuesOrThatTheyAreUnknown) {
    Load("");
    for (QLabel* label : {page.Label5, page.Label6, page.Label7})
        EXPECT_EQ(label->text(), Word(101)) << label->objectName().toStdString();
    EXPECT_EQ(page.Label8->text(), Word(111));

    host.parameters.SetValue("SWVer", 0, "2.13");
    host.parameters.SetValue("SerialNum", 0, "12-3456-7890");
    host.parameters.SetValue("OperLock", 0, "23001");
    Load("C");
    EXPECT_EQ(page.Label5->text(), "C");
    EXPECT_EQ(page.Label6->text(), "2.13");
    EXPECT_EQ(page.Label7->text(), "12-3456-7890");
    EXPECT_EQ(page.Label8->text(), "Locked to operator 23001");
    EXPECT_EQ(page.Label8->text(), Word(137).replace("%s", "23001"));
}

TEST_F(ServicePage, OperatorLockWithBit7ShowsThePermanentWordAndTheCharacterClean) {
    host.parameters.SetValue("OperLock", 0, "2300\xB1");
    Load("A");
    EXPECT_EQ(page.Label8->text(), Word(138).replace("%s", "23001"));
    EXPECT_EQ(host.parameters.GetValue("OperLock", 0), "2300\xB1"); // the value stays
    // Bit 7 elsewhere than in the last character is part of the text.
    host.parameters.SetValue("OperLock", 0,
                             "\xB1"
                             "2300");
    Load("A");
    EXPECT_EQ(page.Label8->text(), Word(137).replace("%s", QString::fromUtf8("\u00B12300")));
}

TEST_F(ServicePage, BothMirrorsFollowTheServiceNumber) {
    Load("E");
    EXPECT_EQ(page.Label17->text(), Word(342));
    EXPECT_EQ(page.Label19->text(), Word(342));
    host.parameters.SetValue("SMSNum", 0, "+420123");
    Load("E");
    EXPECT_EQ(page.Edit2->text(), "+420123");
    EXPECT_EQ(page.Label17->text(), "+420123");
    EXPECT_EQ(page.Label19->text(), "+420123");
    TypeInto(page.Edit2, "777");
    EXPECT_EQ(page.Label17->text(), "777");
    EXPECT_EQ(page.Label19->text(), "777");
    TypeInto(page.Edit2, "");
    EXPECT_EQ(page.Label17->text(), Word(342));
    EXPECT_EQ(page.Label19->text(), Word(342));
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("SMSNum", 0), "");
}

TEST_F(ServicePage, ComPermissionBoxIsInverted) {
    host.parameters.SetValue("COMPerm", 0, "0");
    Load("A");
    EXPECT_TRUE(page.CheckBox1->isChecked());
    page.CheckBox1->click();
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("COMPerm", 0), "1");
}

TEST_F(ServicePage, ARandomConfigurationSurvivesLoadAndStore) {
    for (const char* variant : {"A", "C", "E", "F"}) {
        for (unsigned seed = 1; seed <= 4; ++seed) {
            SCOPED_TRACE(std::string(variant) + " seed " + std::to_string(seed));
            std::mt19937 random(seed);
            Load(variant);
            FillShowable(host.parameters, random, variant);
            ExpectLoadStoreKeepsRegistry(page, host.parameters);
        }
    }
}

} // namespace
