#include "InitialisationPage.h"

#include "Pages.h"
#include "Parameters.h"
#include "Sections.h"
#include "Words.h"

namespace kw::pages {
namespace {

using Names = std::vector<std::string_view>;

// Each group in reset order. Kestrel belongs to both routing groups.
const Names& GroupNames(ResetGroup group) {
    static const Names kGroups[] = {
        {"FXSTypeDial",         "FXSVolRec",      "FXSVolSend",    "FXSSigBeep",
         "FXSTimeDial",         "FXSToneAfter",   "FXSNumAutDial", "FXSTimeToAutDial",
         "FXSHangMin",          "FXSSigCall",     "FXSSendClip",   "FXSChangePlusTo",
         "FXSFrekvTarImp",      "FXSSigOfCall",   "FXSAlertFrekv", "FXSAlertCadency",
         "FXSAlertCadencyData", "FXSConToneCad",  "FXSDialToneF1", "FXSDialToneF2",
         "FXSConToneF1",        "FXSConToneF2",   "FXSRBToneCad",  "FXSRBToneF1",
         "FXSRBToneF2",         "FXSDialToneCad", "FXSDTMFType",   "FXSCallPartyCtrl"},
        {"FXOAlertCount",    "FXOTimeFor1Dial",  "FXOTimeForEDial", "FXOSigEDialBeep",
         "FXODialType",      "FXOMinTimeCancel", "FXOMaxTimeDial",  "FXODetConTone",
         "FXODetPermTone",   "FXODialToneCad",   "FXODialToneF1",   "FXODialToneF2",
         "FXORBToneCad",     "FXORBToneF1",      "FXORBToneF2",     "FXONumAutDial",
         "FXOTimeToAutDial", "FXODTMFCode",      "FXODTMFLength",   "FXOVolRec",
         "FXOVolSend",       "FXODTMFType"},
        {"Kestrel",        "FXSDefPermitted",  "FXSDefDirection", "FXSDefNumLength", "FXSDefNumEnd",
         "FXSDefRemove",   "FXSDefBankNumber", "FXSDefAdd",       "FXSDefExtraTar",  "FXSDefTarif",
         "FXSDefCallTime", "FXSNumBegin",      "FXSPermitted",    "FXSDirection",    "FXSNumLength",
         "FXSNumEnd",      "FXSRemove",        "FXSBankNumber",   "FXSAdd",          "FXSExtraTar",
         "FXSTarif",       "FXSCallTime"},
        {"Kestrel",        "FXODirection",  "FXOFollowMeNum",   "FXOAlertFMCount",
         "FXOFMPassw",     "FXOHangUpCode", "FXODefPermitted",  "FXODefNumLength",
         "FXODefNumEnd",   "FXODefRemove",  "FXODefBankNumber", "FXODefAdd",
         "FXODefCallTime", "FXONumBegin",   "FXOPermitted",     "FXONumLength",
         "FXONumEnd",      "FXORemove",     "FXOBankNumber",    "FXOAdd",
         "FXOCallTime"},
        {"GSMDISATime", "GSMDialFXOTime", "GSMCallBackTime", "GSMDefDirection", "GSMDefDialNum",
         "GSMDefCallTime", "GSMNum", "GSMSubString", "GSMDirection", "GSMDialNUm", "GSMFaxTo",
         "GSMCallTime", "GSMDataTo"},
        {"CLIRInk", "RoamPerm", "CallsCadence", "CreditCode", "MinCredit", "CreditAnswer",
         "CallHandOver", "GprsApn", "UMTSGSM", "AMREnabled", "ManualReg"},
        {"PhoneNumForSMS", "SMSText", "SendAfterMS", "TimeOfIdleS"},
        // The remaining minutes and the transfer day, month and year stay.
        {"FreeMins", "StartTime", "TimeAmount", "RemainSecs", "PermittNoBank", "TransferDate"},
        // What "all" resets after the groups above.
        {"COMPerm", "SMSCandence", "SMSNum", "BateryOut", "ChargeOut", "PINVal", "ServisPassw"},
    };
    return kGroups[static_cast<int>(group)];
}

} // namespace

const std::vector<TResetButton>& ResetButtons() {
    static const std::vector<TResetButton> kButtons = {
        {"Button1", 195, word::kResetFxsLineQuestion, ResetGroup::FxsLine, Variants::All},
        {"Button7", 196, word::kResetFxoLineQuestion, ResetGroup::FxoLine, Variants::FxoLine},
        {"Button2", 197, word::kResetFxsRoutingQuestion, ResetGroup::FxsRouting, Variants::All},
        {"Button8", 198, word::kResetFxoRoutingQuestion, ResetGroup::FxoRouting, Variants::FxoLine},
        {"Button9", 199, word::kResetGsmRoutingQuestion, ResetGroup::GsmRouting, Variants::All},
        {"Button5", 323, word::kResetBanksQuestion, ResetGroup::Banks, Variants::All},
        {"Button3", 200, word::kResetGsmSimQuestion, ResetGroup::GsmSim, Variants::All},
        {"Button6", 201, word::kResetSmsInputQuestion, ResetGroup::SmsInput, Variants::All},
        {"Button4", 202, word::kResetAllQuestion, ResetGroup::All, Variants::All},
    };
    return kButtons;
}

std::vector<std::string_view> ResetGroupParameters(ResetGroup group) {
    if (group != ResetGroup::All)
        return GroupNames(group);
    Names all;
    for (int g = 0; g <= static_cast<int>(ResetGroup::All); ++g) {
        const Names& names = GroupNames(static_cast<ResetGroup>(g));
        all.insert(all.end(), names.begin(), names.end());
    }
    return all;
}

void ResetToDefaults(CParameters& parameters, ResetGroup group) {
    for (std::string_view name : ResetGroupParameters(group))
        parameters.SetDefault(std::string(name));
}

const TPage& InitialisationPage() {
    static const TPage page = [] {
        TPage p;
        p.section = kSectionInit;
        p.name = "FInicializace";
        p.layout = PageLayout::Manual;
        return p;
    }();
    return page;
}

} // namespace kw::pages
