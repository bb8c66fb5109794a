// The service page: groups by hardware variant, the identity displays with the
// operator lock rule, the two mirrors of the service SMS number, the inverted
// COM permission, and a random configuration surviving load and store.
#include "Language.h"
#include "PageFixture.h"
#include "PageTestSupport.h"
#include "Servis.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

using namespace kw::test;

class ServicePage : public PageFixture<TFServis> {
protected:
    ServicePage() { LoadInstalledLanguage(host.language, "Eng", ""); }
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
        EXPECT_EQ(Find<QGroupBox>("SupervisionGroup")->isHidden(), !c.supervision);
        EXPECT_EQ(Find<QGroupBox>("PowerGroup")->isHidden(), !c.power);
        std::vector<std::string> expected = base;
        if (c.supervision)
            expected.insert(expected.end(), supervision.begin(), supervision.end());
        if (c.power)
            expected.insert(expected.end(), power.begin(), power.end());
        EXPECT_EQ(BoundNames(), SortedNames(expected));
        EXPECT_EQ(Find<QLabel>("Label5")->text().toStdString(), c.variant);
    }
}

TEST_F(ServicePage, IdentityDisplaysShowTheValuesOrThatTheyAreUnknown) {
    Load("");
    for (const char* label : {"Label5", "Label6", "Label7"})
        EXPECT_EQ(Find<QLabel>(label)->text(), Word(101)) << label;
    EXPECT_EQ(Find<QLabel>("Label8")->text(), Word(111));

    host.parameters.SetValue("SWVer", 0, "2.13");
    host.parameters.SetValue("SerialNum", 0, "12-3456-7890");
    host.parameters.SetValue("OperLock", 0, "23001");
    Load("C");
    EXPECT_EQ(Find<QLabel>("Label5")->text(), "C");
    EXPECT_EQ(Find<QLabel>("Label6")->text(), "2.13");
    EXPECT_EQ(Find<QLabel>("Label7")->text(), "12-3456-7890");
    EXPECT_EQ(Find<QLabel>("Label8")->text(), "Locked to operator 23001");
    EXPECT_EQ(Find<QLabel>("Label8")->text(), Word(137).replace("%s", "23001"));
}

TEST_F(ServicePage, OperatorLockWithBit7ShowsThePermanentWordAndTheCharacterClean) {
    host.parameters.SetValue("OperLock", 0, "2300\xB1");
    Load("A");
    EXPECT_EQ(Find<QLabel>("Label8")->text(), Word(138).replace("%s", "23001"));
    EXPECT_EQ(host.parameters.GetValue("OperLock", 0), "2300\xB1"); // the value stays
    // Bit 7 elsewhere than in the last character is part of the text.
    host.parameters.SetValue("OperLock", 0,
                             "\xB1"
                             "2300");
    Load("A");
    EXPECT_EQ(Find<QLabel>("Label8")->text(),
              Word(137).replace("%s", QString::fromUtf8("\u00B12300")));
}

TEST_F(ServicePage, BothMirrorsFollowTheServiceNumber) {
    auto* power = Find<QLabel>("Label17");
    auto* sms = Find<QLabel>("Label19");
    auto* number = Find<QLineEdit>("Edit2");
    Load("E");
    EXPECT_EQ(power->text(), Word(342));
    EXPECT_EQ(sms->text(), Word(342));
    host.parameters.SetValue("SMSNum", 0, "+420123");
    Load("E");
    EXPECT_EQ(number->text(), "+420123");
    EXPECT_EQ(power->text(), "+420123");
    EXPECT_EQ(sms->text(), "+420123");
    TypeInto(number, "777");
    EXPECT_EQ(power->text(), "777");
    EXPECT_EQ(sms->text(), "777");
    TypeInto(number, "");
    EXPECT_EQ(power->text(), Word(342));
    EXPECT_EQ(sms->text(), Word(342));
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("SMSNum", 0), "");
}

TEST_F(ServicePage, ComPermissionBoxIsInverted) {
    host.parameters.SetValue("COMPerm", 0, "0");
    Load("A");
    EXPECT_TRUE(Find<QCheckBox>("CheckBox1")->isChecked());
    Find<QCheckBox>("CheckBox1")->click();
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("COMPerm", 0), "1");
}

TEST_F(ServicePage, ARandomConfigurationSurvivesLoadAndStore) {
    for (const char* variant : {"A", "C", "E", "F"}) {
        for (unsigned seed = 1; seed <= 4; ++seed) {
            SCOPED_TRACE(std::string(variant) + " seed " + std::to_string(seed));
            std::mt19937 random(seed);
            Load(variant);
            FillShowable(page, host.parameters, random, variant);
            ExpectLoadStoreKeepsRegistry(page, host.parameters);
        }
    }
}

} // namespace
