#include "Inicializace.h"

#include "HardwareVariant.h"
#include "PageLayout.h"
#include "Parameters.h"
#include "UserPort.h"

#include <QPushButton>

#include <algorithm>

namespace {

constexpr int kLeft = 16;
constexpr int kTop = 16;
constexpr int kMinButtonWidth = 260;
constexpr int kButtonHeight = 26;

using Names = std::initializer_list<const char*>;

// Each group in reset order. Kestrel belongs to both routing groups.
const Names kGroups[] = {
    // 0 FXS line
    {"FXSTypeDial",     "FXSVolRec",           "FXSVolSend",       "FXSSigBeep",    "FXSTimeDial",
     "FXSToneAfter",    "FXSNumAutDial",       "FXSTimeToAutDial", "FXSHangMin",    "FXSSigCall",
     "FXSSendClip",     "FXSChangePlusTo",     "FXSFrekvTarImp",   "FXSSigOfCall",  "FXSAlertFrekv",
     "FXSAlertCadency", "FXSAlertCadencyData", "FXSConToneCad",    "FXSDialToneF1", "FXSDialToneF2",
     "FXSConToneF1",    "FXSConToneF2",        "FXSRBToneCad",     "FXSRBToneF1",   "FXSRBToneF2",
     "FXSDialToneCad",  "FXSDTMFType",         "FXSCallPartyCtrl"},
    // 1 FXO line
    {"FXOAlertCount",    "FXOTimeFor1Dial",  "FXOTimeForEDial", "FXOSigEDialBeep", "FXODialType",
     "FXOMinTimeCancel", "FXOMaxTimeDial",   "FXODetConTone",   "FXODetPermTone",  "FXODialToneCad",
     "FXODialToneF1",    "FXODialToneF2",    "FXORBToneCad",    "FXORBToneF1",     "FXORBToneF2",
     "FXONumAutDial",    "FXOTimeToAutDial", "FXODTMFCode",     "FXODTMFLength",   "FXOVolRec",
     "FXOVolSend",       "FXODTMFType"},
    // 2 FXS routing
    {"Kestrel",        "FXSDefPermitted",  "FXSDefDirection", "FXSDefNumLength", "FXSDefNumEnd",
     "FXSDefRemove",   "FXSDefBankNumber", "FXSDefAdd",       "FXSDefExtraTar",  "FXSDefTarif",
     "FXSDefCallTime", "FXSNumBegin",      "FXSPermitted",    "FXSDirection",    "FXSNumLength",
     "FXSNumEnd",      "FXSRemove",        "FXSBankNumber",   "FXSAdd",          "FXSExtraTar",
     "FXSTarif",       "FXSCallTime"},
    // 3 FXO routing
    {"Kestrel",          "FXODirection",    "FXOFollowMeNum",  "FXOAlertFMCount", "FXOFMPassw",
     "FXOHangUpCode",    "FXODefPermitted", "FXODefNumLength", "FXODefNumEnd",    "FXODefRemove",
     "FXODefBankNumber", "FXODefAdd",       "FXODefCallTime",  "FXONumBegin",     "FXOPermitted",
     "FXONumLength",     "FXONumEnd",       "FXORemove",       "FXOBankNumber",   "FXOAdd",
     "FXOCallTime"},
    // 4 GSM routing
    {"GSMDISATime", "GSMDialFXOTime", "GSMCallBackTime", "GSMDefDirection", "GSMDefDialNum",
     "GSMDefCallTime", "GSMNum", "GSMSubString", "GSMDirection", "GSMDialNUm", "GSMFaxTo",
     "GSMCallTime", "GSMDataTo"},
    // 5 GSM & SIM
    {"CLIRInk", "RoamPerm", "CallsCadence", "CreditCode", "MinCredit", "CreditAnswer",
     "CallHandOver", "GprsApn", "UMTSGSM", "AMREnabled", "ManualReg"},
    // 6 SMS input
    {"PhoneNumForSMS", "SMSText", "SendAfterMS", "TimeOfIdleS"},
    // 7 banks: the remaining minutes and the transfer day, month and year stay.
    {"FreeMins", "StartTime", "TimeAmount", "RemainSecs", "PermittNoBank", "TransferDate"},
};

// What "all" resets after groups 0 to 7.
const Names kAllExtra = {"COMPerm",   "SMSCandence", "SMSNum",     "BateryOut",
                         "ChargeOut", "PINVal",      "ServisPassw"};

} // namespace

TFInicializace::TFInicializace(CPageHost& host, QWidget* parent) : TFDForm(host, parent) {
    setObjectName("FInicializace");
    struct Design {
        QPushButton*& button;
        const char* name;
        int word;
        const char* text;
        void (TFInicializace::*click)();
    };
    // In the order they stand, Button1 at the top.
    const Design buttons[] = {
        {Button1, "Button1", 195, "Inicializovat SLIC", &TFInicializace::Button1Click},
        {Button7, "Button7", 196, "Inicializovat SLIC", &TFInicializace::Button7Click},
        {Button2, "Button2", 197, "Inicializovat směrovací tabulku", &TFInicializace::Button2Click},
        {Button8, "Button8", 198, "Inicializovat směrovací tabulku", &TFInicializace::Button8Click},
        {Button9, "Button9", 199, "Inicializovat směrovací tabulku", &TFInicializace::Button9Click},
        {Button5, "Button5", 323, "Inicializovat směrovací tabulku", &TFInicializace::Button5Click},
        {Button3, "Button3", 200, "Inicializovat GSM && SIM", &TFInicializace::Button3Click},
        {Button6, "Button6", 201, "Inicializovat logický vstup", &TFInicializace::Button6Click},
        {Button4, "Button4", 202, "Inicializovat všechny parametry", &TFInicializace::Button4Click},
    };
    int top = kTop;
    int stacked = -1;
    for (const Design& d : buttons) {
        d.button = kw::MakeButton(this, d.name, d.word, QString::fromUtf8(d.text));
        d.button->setGeometry(kLeft, top, kMinButtonWidth, kButtonHeight);
        connect(d.button, &QPushButton::clicked, this, d.click);
        if (stacked >= 0) {
            m_Stacked[stacked] = d.button;
            m_DesignTops[stacked] = top;
        }
        ++stacked;
        top += kButtonStep;
    }
}

void TFInicializace::LoadPage() {
    TranslatePage();
    const std::string& variant = Parameters().GetValue("HWVer", 0);
    const bool hasFxo = kw::HasFxoLine(variant);
    Button7->setVisible(hasFxo);
    Button8->setVisible(hasFxo);
    // Without the FXO buttons the others close up: each visible button takes
    // the next free place, which for a variant with FXO is its own design place.
    int place = 0;
    for (QPushButton* button : m_Stacked) {
        if (button->isHidden())
            continue;
        button->move(button->x(), m_DesignTops[place++]);
    }
    SetButtonWidths();
}

void TFInicializace::ResizePage(int width, int height) {
    kw::FitPageToArea(this, width, height);
}

void TFInicializace::SetButtonWidths() {
    int width = kMinButtonWidth;
    for (QPushButton* button : findChildren<QPushButton*>())
        width = std::max(width, button->sizeHint().width());
    for (QPushButton* button : findChildren<QPushButton*>())
        button->resize(width, button->height());
    setMinimumSize(kLeft * 2 + width, m_DesignTops.back() + kButtonHeight + kTop);
}

void TFInicializace::Confirm(int word, Group group) {
    if (Host().UserPort().AskYesNo(CUserPort::Icon::Question, word))
        ResetGroup(group);
}

void TFInicializace::ResetGroup(Group group) {
    if (group == kAll) {
        for (const Names& names : kGroups)
            for (const char* name : names)
                Parameters().SetDefault(name);
        for (const char* name : kAllExtra)
            Parameters().SetDefault(name);
        Host().SetPinChanged(true);
        Host().SetServisPasswChanged(true);
        return;
    }
    for (const char* name : kGroups[group])
        Parameters().SetDefault(name);
}

void TFInicializace::Button1Click() {
    Confirm(203, kFxsLine);
}
void TFInicializace::Button7Click() {
    Confirm(204, kFxoLine);
}
void TFInicializace::Button2Click() {
    Confirm(205, kFxsRouting);
}
void TFInicializace::Button8Click() {
    Confirm(206, kFxoRouting);
}
void TFInicializace::Button9Click() {
    Confirm(207, kGsmRouting);
}
void TFInicializace::Button5Click() {
    Confirm(324, kBanks);
}
void TFInicializace::Button3Click() {
    Confirm(208, kGsmSim);
}
void TFInicializace::Button6Click() {
    Confirm(209, kSmsInput);
}
void TFInicializace::Button4Click() {
    Confirm(210, kAll);
}
