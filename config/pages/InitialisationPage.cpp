#include "InitialisationPage.h"

#include "Parameters.h"
#include "Words.h"

#include <algorithm>

namespace kw::pages {
namespace {

using Names = std::vector<std::string_view>;

// Each group of ResetGroup in reset order, the names apart by spaces; the last
// is what "all" resets after the others. Kestrel belongs to both routing groups.
constexpr std::string_view kGroups[] = {
    "FXSTypeDial FXSVolRec FXSVolSend FXSSigBeep FXSTimeDial FXSToneAfter FXSNumAutDial "
    "FXSTimeToAutDial FXSHangMin FXSSigCall FXSSendClip FXSChangePlusTo FXSFrekvTarImp "
    "FXSSigOfCall FXSAlertFrekv FXSAlertCadency FXSAlertCadencyData FXSConToneCad "
    "FXSDialToneF1 FXSDialToneF2 FXSConToneF1 FXSConToneF2 FXSRBToneCad FXSRBToneF1 "
    "FXSRBToneF2 FXSDialToneCad FXSDTMFType FXSCallPartyCtrl",
    "FXOAlertCount FXOTimeFor1Dial FXOTimeForEDial FXOSigEDialBeep FXODialType "
    "FXOMinTimeCancel FXOMaxTimeDial FXODetConTone FXODetPermTone FXODialToneCad "
    "FXODialToneF1 FXODialToneF2 FXORBToneCad FXORBToneF1 FXORBToneF2 FXONumAutDial "
    "FXOTimeToAutDial FXODTMFCode FXODTMFLength FXOVolRec FXOVolSend FXODTMFType",
    "Kestrel FXSDefPermitted FXSDefDirection FXSDefNumLength FXSDefNumEnd FXSDefRemove "
    "FXSDefBankNumber FXSDefAdd FXSDefExtraTar FXSDefTarif FXSDefCallTime FXSNumBegin "
    "FXSPermitted FXSDirection FXSNumLength FXSNumEnd FXSRemove FXSBankNumber FXSAdd "
    "FXSExtraTar FXSTarif FXSCallTime",
    "Kestrel FXODirection FXOFollowMeNum FXOAlertFMCount FXOFMPassw FXOHangUpCode "
    "FXODefPermitted FXODefNumLength FXODefNumEnd FXODefRemove FXODefBankNumber FXODefAdd "
    "FXODefCallTime FXONumBegin FXOPermitted FXONumLength FXONumEnd FXORemove FXOBankNumber "
    "FXOAdd FXOCallTime",
    "GSMDISATime GSMDialFXOTime GSMCallBackTime GSMDefDirection GSMDefDialNum GSMDefCallTime "
    "GSMNum GSMSubString GSMDirection GSMDialNUm GSMFaxTo GSMCallTime GSMDataTo",
    "CLIRInk RoamPerm CallsCadence CreditCode MinCredit CreditAnswer CallHandOver GprsApn "
    "UMTSGSM AMREnabled ManualReg",
    "PhoneNumForSMS SMSText SendAfterMS TimeOfIdleS",
    // The remaining minutes and the transfer day, month and year stay.
    "FreeMins StartTime TimeAmount RemainSecs PermittNoBank TransferDate",
    "COMPerm SMSCandence SMSNum BateryOut ChargeOut PINVal ServisPassw",
};

Names Split(std::string_view names) {
    Names split;
    while (!names.empty()) {
        const size_t space = std::min(names.find(' '), names.size());
        split.push_back(names.substr(0, space));
        names.remove_prefix(std::min(space + 1, names.size()));
    }
    return split;
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
        return Split(kGroups[static_cast<int>(group)]);
    Names all;
    for (std::string_view names : kGroups)
        for (std::string_view name : Split(names))
            all.push_back(name);
    return all;
}

void ResetToDefaults(CParameters& parameters, ResetGroup group) {
    for (std::string_view name : ResetGroupParameters(group))
        parameters.SetDefault(std::string(name));
}

} // namespace kw::pages
