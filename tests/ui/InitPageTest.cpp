// The initialisation page: every button resets exactly its group after a yes,
// nothing after a no; "all" marks the PIN and the password as changed; the
// FXO buttons give way for variants without an FXO line.
#include "Inicializace.h"
#include "PageFixture.h"
#include "PageTestSupport.h"
#include "SLICParametry.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

using namespace kw::test;
using Icon = CUserPort::Icon;

using Names = std::vector<std::string>;

const Names kFxsLine = {
    "FXSTypeDial",     "FXSVolRec",           "FXSVolSend",       "FXSSigBeep",    "FXSTimeDial",
    "FXSToneAfter",    "FXSNumAutDial",       "FXSTimeToAutDial", "FXSHangMin",    "FXSSigCall",
    "FXSSendClip",     "FXSChangePlusTo",     "FXSFrekvTarImp",   "FXSSigOfCall",  "FXSAlertFrekv",
    "FXSAlertCadency", "FXSAlertCadencyData", "FXSConToneCad",    "FXSDialToneF1", "FXSDialToneF2",
    "FXSConToneF1",    "FXSConToneF2",        "FXSRBToneCad",     "FXSRBToneF1",   "FXSRBToneF2",
    "FXSDialToneCad",  "FXSDTMFType",         "FXSCallPartyCtrl"};
const Names kFxoLine = {
    "FXOAlertCount",    "FXOTimeFor1Dial",  "FXOTimeForEDial", "FXOSigEDialBeep", "FXODialType",
    "FXOMinTimeCancel", "FXOMaxTimeDial",   "FXODetConTone",   "FXODetPermTone",  "FXODialToneCad",
    "FXODialToneF1",    "FXODialToneF2",    "FXORBToneCad",    "FXORBToneF1",     "FXORBToneF2",
    "FXONumAutDial",    "FXOTimeToAutDial", "FXODTMFCode",     "FXODTMFLength",   "FXOVolRec",
    "FXOVolSend",       "FXODTMFType"};
const Names kFxsRouting = {
    "Kestrel",        "FXSDefPermitted",  "FXSDefDirection", "FXSDefNumLength", "FXSDefNumEnd",
    "FXSDefRemove",   "FXSDefBankNumber", "FXSDefAdd",       "FXSDefExtraTar",  "FXSDefTarif",
    "FXSDefCallTime", "FXSNumBegin",      "FXSPermitted",    "FXSDirection",    "FXSNumLength",
    "FXSNumEnd",      "FXSRemove",        "FXSBankNumber",   "FXSAdd",          "FXSExtraTar",
    "FXSTarif",       "FXSCallTime"};
const Names kFxoRouting = {"Kestrel",        "FXODirection",  "FXOFollowMeNum",   "FXOAlertFMCount",
                           "FXOFMPassw",     "FXOHangUpCode", "FXODefPermitted",  "FXODefNumLength",
                           "FXODefNumEnd",   "FXODefRemove",  "FXODefBankNumber", "FXODefAdd",
                           "FXODefCallTime", "FXONumBegin",   "FXOPermitted",     "FXONumLength",
                           "FXONumEnd",      "FXORemove",     "FXOBankNumber",    "FXOAdd",
                           "FXOCallTime"};
const Names kGsmRouting = {"GSMDISATime",   "GSMDialFXOTime", "GSMCallBackTime", "GSMDefDirection",
                           "GSMDefDialNum", "GSMDefCallTime", "GSMNum",          "GSMSubString",
                           "GSMDirection",  "GSMDialNUm",     "GSMFaxTo",        "GSMCallTime",
                           "GSMDataTo"};
const Names kGsmSim = {"CLIRInk",   "RoamPerm",     "CallsCadence", "CreditCode",
                       "MinCredit", "CreditAnswer", "CallHandOver", "GprsApn",
                       "UMTSGSM",   "AMREnabled",   "ManualReg"};
const Names kSmsInput = {"PhoneNumForSMS", "SMSText", "SendAfterMS", "TimeOfIdleS"};
const Names kBanks = {"FreeMins",   "StartTime",     "TimeAmount",
                      "RemainSecs", "PermittNoBank", "TransferDate"};

Names AllGroups() {
    Names all;
    for (const Names* group : {&kFxsLine, &kFxoLine, &kFxsRouting, &kFxoRouting, &kGsmRouting,
                               &kGsmSim, &kSmsInput, &kBanks})
        all.insert(all.end(), group->begin(), group->end());
    for (const char* name :
         {"COMPerm", "SMSCandence", "SMSNum", "BateryOut", "ChargeOut", "PINVal", "ServisPassw"})
        all.push_back(name);
    return all;
}

Names Sorted(Names names) {
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

struct ButtonCase {
    const char* button;
    int word;
    Names group;
};

std::vector<ButtonCase> Buttons() {
    return {{"Button1", 203, kFxsLine},    {"Button7", 204, kFxoLine},
            {"Button2", 205, kFxsRouting}, {"Button8", 206, kFxoRouting},
            {"Button9", 207, kGsmRouting}, {"Button5", 324, kBanks},
            {"Button3", 208, kGsmSim},     {"Button6", 209, kSmsInput},
            {"Button4", 210, AllGroups()}};
}

class InitPage : public PageFixture<TFInicializace> {
protected:
    QPushButton* Button(const char* name) { return Find<QPushButton>(name); }
};

TEST_F(InitPage, EachButtonResetsExactlyItsGroupInEveryRow) {
    std::mt19937 random(11);
    for (const ButtonCase& c : Buttons()) {
        SCOPED_TRACE(c.button);
        FillAwayFromDefaults(host.parameters, random);
        host.parameters.SetValue("HWVer", 0, "A");
        host.parameters.m_Modified = false;
        host.pinChanged = host.passwChanged = false;
        page.LoadPage();
        const Snapshot before = TakeSnapshot(host.parameters);

        host.port.ExpectQuestion(Icon::Question, c.word, true);
        Button(c.button)->click();
        EXPECT_TRUE(host.port.AllMessagesShown());

        const Snapshot after = TakeSnapshot(host.parameters);
        EXPECT_EQ(ChangedNames(before, after), Sorted(c.group));
        for (const std::string& name : c.group) {
            const TMultiPar* record = host.parameters.Find(name);
            ASSERT_NE(record, nullptr) << name;
            for (const std::string& value : record->Values)
                EXPECT_EQ(value, record->Type->m_Default) << name;
        }
        EXPECT_FALSE(host.parameters.m_Modified);
        const bool all = c.word == 210;
        EXPECT_EQ(host.pinChanged, all);
        EXPECT_EQ(host.passwChanged, all);
    }
}

TEST_F(InitPage, TheBankGroupLeavesRemainingMinutesAndTheTransferDateAlone) {
    std::mt19937 random(5);
    FillAwayFromDefaults(host.parameters, random);
    const Snapshot before = TakeSnapshot(host.parameters);
    host.port.ExpectQuestion(Icon::Question, 324, true);
    Button("Button5")->click();
    const Snapshot after = TakeSnapshot(host.parameters);
    for (const char* name : {"RemainMins", "TransferDay", "TransferMonth", "TransferYear"})
        EXPECT_EQ(after.at(name), before.at(name)) << name;
    EXPECT_NE(after.at("RemainSecs"), before.at("RemainSecs"));
}

TEST_F(InitPage, AnsweringNoChangesNothing) {
    std::mt19937 random(3);
    FillAwayFromDefaults(host.parameters, random);
    host.parameters.SetValue("HWVer", 0, "A");
    host.parameters.m_Modified = false;
    page.LoadPage();
    const Snapshot before = TakeSnapshot(host.parameters);
    for (const ButtonCase& c : Buttons()) {
        host.port.ExpectQuestion(Icon::Question, c.word, false);
        Button(c.button)->click();
    }
    EXPECT_TRUE(host.port.AllMessagesShown());
    EXPECT_EQ(ChangedNames(before, TakeSnapshot(host.parameters)), Names{});
    EXPECT_FALSE(host.parameters.m_Modified);
    EXPECT_FALSE(host.pinChanged);
    EXPECT_FALSE(host.passwChanged);
}

TEST_F(InitPage, WithoutAnFxoLineTheOtherButtonsCloseUp) {
    const char* const designOrder[] = {"Button1", "Button7", "Button2", "Button8", "Button9",
                                       "Button5", "Button3", "Button6", "Button4"};
    const int top = Button("Button1")->y();
    for (const char* variant : {"G", "E"}) {
        SCOPED_TRACE(variant);
        host.parameters.SetValue("HWVer", 0, variant);
        page.LoadPage();
        EXPECT_TRUE(Button("Button7")->isHidden());
        EXPECT_TRUE(Button("Button8")->isHidden());
        int place = 0;
        for (const char* name : designOrder) {
            if (Button(name)->isHidden())
                continue;
            EXPECT_EQ(Button(name)->y(), top + place * TFInicializace::kButtonStep) << name;
            ++place;
        }
        EXPECT_EQ(place, 7);
    }
    host.parameters.SetValue("HWVer", 0, "A");
    page.LoadPage();
    for (int i = 0; i < 9; ++i) {
        EXPECT_FALSE(Button(designOrder[i])->isHidden()) << designOrder[i];
        EXPECT_EQ(Button(designOrder[i])->y(), top + i * TFInicializace::kButtonStep)
            << designOrder[i];
    }
}

TEST_F(InitPage, TheLinesPageShowsTheDefaultsAfterTheFxsReset) {
    TFSLICParametry lines(host);
    std::mt19937 random(9);
    host.parameters.SetValue("HWVer", 0, "A");
    lines.LoadPage();
    FillShowable(lines, host.parameters, random, "A");
    lines.LoadPage();
    lines.StorePage(); // leaving the lines page for the initialisation page
    page.LoadPage();
    host.port.ExpectQuestion(Icon::Question, 203, true);
    Button("Button1")->click();
    EXPECT_FALSE(host.parameters.m_Modified);
    lines.LoadPage();
    const auto text = [&lines](const char* edit) {
        return lines.findChild<QLineEdit*>(edit)->text();
    };
    EXPECT_EQ(text("Edit1"), "5");
    EXPECT_EQ(text("Edit4"), "500");
    EXPECT_EQ(text("Edit8"), "425");
    EXPECT_EQ(lines.findChild<QSlider*>("TrackBar1")->value(), 3);
    EXPECT_EQ(text("Edit2"), "");
    lines.StorePage();
    EXPECT_FALSE(host.parameters.m_Modified);
}

TEST_F(InitPage, ShowingThePageLeavesValuesAndTheBindingsOfTheLastPageAlone) {
    TFSLICParametry lines(host);
    std::mt19937 random(2);
    host.parameters.SetValue("HWVer", 0, "A");
    lines.LoadPage();
    FillShowable(lines, host.parameters, random, "A");
    lines.LoadPage();
    lines.StorePage();
    const size_t bound = lines.Bindings().Active().size();
    const Snapshot before = TakeSnapshot(host.parameters);
    page.LoadPage();
    page.StorePage();
    EXPECT_TRUE(page.Bindings().Empty());
    EXPECT_EQ(lines.Bindings().Active().size(), bound);
    EXPECT_EQ(ChangedNames(before, TakeSnapshot(host.parameters)), Names{});
    EXPECT_FALSE(host.parameters.m_Modified);
}

} // namespace
