#include "ParameterCatalogue.h"

#include "Fatal.h"
#include "ParNumbers.h"
#include "ParStrings.h"
#include "Parameters.h"

namespace kw {
namespace {

constexpr bool kPlus = true;
constexpr bool kNoPlus = false;
constexpr char kWildcard = '?';

constexpr int kFxsBase = 0x1000;
constexpr int kFxsRow = 24;
constexpr int kFxoBase = 0x1B40;
constexpr int kFxoRow = 22;
constexpr int kGsmBase = 0x2590;
constexpr int kGsmRow = 21;

// Shorthands that keep each catalogue row on one line.
struct Catalogue {
    CParameters& p;

    void Mask(const char* name, int def, int min, int max, int step, uint8_t mask, int address,
              int rows = 1, int stride = 0) {
        p.Register(0, name, new CParMaskByte(def, min, max, step, mask), rows, address, stride);
    }
    void Word(const char* name, int def, int min, int max, int address) {
        p.Register(0, name, new CParWord(def, min, max, 1), 1, address, 0);
    }
    void Phone(const char* name, int max, bool plus, int address, int rows = 1, int stride = 0,
               char extra = 0) {
        p.Register(0, name, new CParPhoneString("", max, extra, plus), rows, address, stride);
    }
    void Length(const char* name, int address, int rows = 1, int stride = 0) {
        p.Register(0, name, new CNumLngth(0, 0, 15, 1, 0x0F), rows, address, stride);
    }
};

void RegisterIdentity(CParameters& p) {
    p.Register(1, "HWVer", new CParString("", 8), 1, -1, 0);
    p.Register(0, "SWVer", new CParString("", 8), 1, -1, 0);
    p.Register(0, "SerialNum", new CParString("", 24), 1, -1, 0);
    p.Register(0, "OperLock", new CParString("", 24), 1, -1, 0);
}

void RegisterFxsLine(Catalogue& c) {
    c.Mask("FXSTypeDial", 0, 0, 1, 1, 0x01, 0x000);
    c.Mask("FXSSigBeep", 0, 0, 1, 1, 0x10, 0x000);
    c.Mask("FXSDTMFType", 0, 0, 1, 1, 0x02, 0x000);
    c.Mask("FXSTimeDial", 5, 1, 255, 1, 0xFF, 0x001);
    c.Mask("FXSHangMin", 500, 100, 25500, 100, 0xFF, 0x002);
    c.Mask("FXSSigCall", 0, 0, 1, 1, 0x10, 0x003);
    c.Mask("FXSFrekvTarImp", 0, 0, 1, 1, 0x20, 0x003);
    c.Mask("FXSSigOfCall", 0, 0, 3, 1, 0x03, 0x003);
    c.Mask("FXSCallPartyCtrl", 0, 0, 1, 1, 0x40, 0x003);
    c.Word("FXSDialToneF1", 425, 1, 3400, 0x004);
    c.Word("FXSDialToneF2", 425, 1, 3400, 0x006);
    c.Word("FXSConToneF1", 425, 1, 3400, 0x008);
    c.Word("FXSConToneF2", 425, 1, 3400, 0x00A);
    c.Mask("FXSToneAfter", 0, 0, 1, 1, 0x40, 0x00C);
    c.Mask("FXSDialToneCad", 0, 0, 1, 1, 0x10, 0x00C);
    c.Mask("FXSConToneCad", 0, 0, 4, 1, 0x07, 0x00C);
    c.Word("FXSRBToneF1", 425, 1, 3400, 0x00D);
    c.Word("FXSRBToneF2", 425, 1, 3400, 0x00F);
    c.Mask("FXSRBToneCad", 0, 0, 4, 1, 0x07, 0x011);
    c.Mask("FXSVolSend", 3, 0, 5, 1, 0xFF, 0x020);
    c.Mask("FXSVolRec", 3, 0, 5, 1, 0xFF, 0x021);
    c.Mask("FXOVolSend", 3, 0, 5, 1, 0xFF, 0x022);
    c.Mask("FXOVolRec", 3, 0, 5, 1, 0xFF, 0x023);
    c.Mask("FXSAlertFrekv", 50, 25, 50, 1, 0xFF, 0x024);
    c.Mask("FXSSendClip", 0, 0, 1, 1, 0x80, 0x025);
    c.Mask("FXSAlertCadency", 0, 0, 3, 1, 0x03, 0x025);
    c.Mask("FXSAlertCadencyData", 0, 0, 3, 1, 0x30, 0x025);
    c.Phone("FXSChangePlusTo", 4, kNoPlus, 0x026);
    c.Phone("FXSNumAutDial", 20, kPlus, 0x030);
    c.Mask("FXSTimeToAutDial", 0, 0, 255, 1, 0xFF, 0x03A);
}

void RegisterFxsDefaultRoute(Catalogue& c) {
    c.Mask("FXSDefPermitted", 0, 0, 1, 1, 0x80, 0x070);
    c.Mask("FXSDefDirection", 0, 0, 3, 1, 0x30, 0x070);
    c.Length("FXSDefNumLength", 0x070);
    c.Mask("FXSDefNumEnd", 0, 0, 1, 1, 0x40, 0x070);
    c.Mask("FXSDefRemove", 0, 0, 20, 1, 0x1F, 0x071);
    c.Mask("FXSDefBankNumber", 0, 0, 4, 1, 0xE0, 0x071);
    c.Phone("FXSDefAdd", 16, kPlus, 0x072);
    c.Mask("FXSDefExtraTar", 0, 0, 255, 1, 0xFF, 0x07A);
    c.Mask("FXSDefTarif", 0, 0, 255, 1, 0xFF, 0x07B);
    c.Mask("FXSDefCallTime", 0, 0, 255, 1, 0xFF, 0x07C);
}

void RegisterFxoCodesAndDefaultRoute(Catalogue& c) {
    c.Mask("FXODirection", 0, 0, 1, 1, 0x01, 0x090);
    c.Phone("FXOFollowMeNum", 16, kPlus, 0x091);
    c.Mask("FXOAlertFMCount", 1, 0, 255, 1, 0xFF, 0x099);
    c.p.Register(0, "FXOFMPassw", new CPIN("", 8, 0), 1, 0x09A, 0);
    c.Phone("Kestrel", 8, kPlus, 0x09E);
    c.Phone("FXOHangUpCode", 8, kPlus, 0x0A2);
    c.Mask("FXODefPermitted", 0, 0, 1, 1, 0x80, 0x0B0);
    c.Length("FXODefNumLength", 0x0B0);
    c.Mask("FXODefNumEnd", 0, 0, 1, 1, 0x40, 0x0B0);
    c.Mask("FXODefRemove", 0, 0, 20, 1, 0x1F, 0x0B1);
    c.Mask("FXODefBankNumber", 0, 0, 4, 1, 0xE0, 0x0B1);
    c.Phone("FXODefAdd", 16, kPlus, 0x0B2);
    c.Mask("FXODefCallTime", 0, 0, 255, 1, 0xFF, 0x0BA);
}

void RegisterGsmTiming(Catalogue& c) {
    c.Mask("GSMDISATime", 2000, 100, 25500, 100, 0xFF, 0x0D0);
    c.Mask("GSMDialFXOTime", 1000, 100, 25500, 100, 0xFF, 0x0D1);
    c.Mask("GSMCallBackTime", 5, 0, 255, 1, 0xFF, 0x0D2);
    c.Mask("GSMFaxTo", 0, 0, 1, 1, 0x01, 0x0D3);
    c.Mask("GSMDataTo", 0, 0, 1, 1, 0x02, 0x0D3);
    c.Mask("GSMDefDirection", 0, 0, 4, 1, 0x07, 0x0F0);
    c.Phone("GSMDefDialNum", 16, kNoPlus, 0x0F1);
    c.Mask("GSMDefCallTime", 0, 0, 255, 1, 0xFF, 0x0F9);
}

void RegisterFxoLine(Catalogue& c) {
    c.Mask("FXOAlertCount", 1, 0, 255, 1, 0xFF, 0x100);
    c.Mask("FXOTimeFor1Dial", 15, 1, 255, 1, 0xFF, 0x101);
    c.Mask("FXOTimeForEDial", 5, 1, 255, 1, 0xFF, 0x102);
    c.Mask("FXOSigEDialBeep", 0, 0, 1, 1, 0x01, 0x103);
    c.Mask("FXODialType", 0, 0, 1, 1, 0x10, 0x103);
    c.Mask("FXODTMFType", 0, 0, 1, 1, 0x20, 0x103);
    c.Mask("FXOMinTimeCancel", 1500, 100, 25500, 100, 0xFF, 0x104);
    c.Mask("FXOMaxTimeDial", 15, 1, 255, 1, 0xFF, 0x105);
    c.p.Register(0, "FXODTMFLength", new CFXODTMFLength(100, 100, 1500, 100, 0xFF), 1, 0x106, 0);
    c.Phone("FXODTMFCode", 4, kPlus, 0x107);
    c.p.Register(0, "FXODetConTone", new CFXODetConTone(4, 0, 255, 1, 0xFF), 1, 0x111, 0);
    c.p.Register(0, "FXODetPermTone", new CFXODetPermTone(2030, 0, 8925, 35, 0xFF), 1, 0x112, 0);
    c.Word("FXODialToneF1", 425, 1, 3400, 0x121);
    c.Word("FXODialToneF2", 425, 1, 3400, 0x123);
    c.Mask("FXODialToneCad", 0, 0, 1, 1, 0x10, 0x125);
    c.Word("FXORBToneF1", 425, 1, 3400, 0x126);
    c.Word("FXORBToneF2", 425, 1, 3400, 0x128);
    c.Mask("FXORBToneCad", 0, 0, 4, 1, 0x07, 0x12A);
    c.Phone("FXONumAutDial", 20, kPlus, 0x140);
    c.Mask("FXOTimeToAutDial", 0, 0, 255, 1, 0xFF, 0x14A);
}

void RegisterSmsInput(Catalogue& c) {
    c.Phone("PhoneNumForSMS", 16, kPlus, 0x200);
    c.p.Register(0, "SMSText", new CParPasString("", 40), 1, 0x208, 0);
    c.Mask("SendAfterMS", 0, 0, 25500, 100, 0xFF, 0x2B0);
    c.Mask("TimeOfIdleS", 0, 0, 2550, 10, 0xFF, 0x2B1);
}

void RegisterGsmSim(Catalogue& c) {
    c.Mask("CLIRInk", 0, 0, 2, 1, 0x03, 0x300);
    c.Mask("RoamPerm", 0, 0, 1, 1, 0x80, 0x300);
    c.Mask("CallHandOver", 0, 0, 1, 1, 0x40, 0x300);
    c.Mask("AMREnabled", 0, 0, 1, 1, 0x08, 0x300);
    c.Mask("UMTSGSM", 0, 0, 2, 1, 0xFF, 0x301);
    c.p.Register(0, "ManualReg", new CParStringNumEmpty("", 6, 5), 1, 0x302, 0);
    c.Mask("CallsCadence", 0, 0, 255, 1, 0xFF, 0x310);
    c.p.Register(0, "CreditCode", new CParPhoneCross("", 8), 1, 0x311, 0);
    c.p.Register(0, "MinCredit", new CParDecimal3(0, 0, 999, 1), 1, 0x315, 0);
    c.Mask("CreditAnswer", 0, 0, 180, 1, 0xFF, 0x318);
    c.Phone("SMSNum", 16, kPlus, 0x319);
    c.p.Register(0, "GprsApn", new CParPasString("", 40), 1, 0x338, 0);
    c.Phone("FwPrefix", 8, kPlus, 0x361);
}

void RegisterService(Catalogue& c) {
    c.Mask("COMPerm", 0, 0, 1, 1, 0x01, 0x380);
    c.Mask("BateryOut", 0, 0, 1, 1, 0x02, 0x380);
    c.Mask("SMSCandence", 0, 0, 255, 1, 0xFF, 0x381);
    c.Mask("ChargeOut", 0, 0, 255, 1, 0xFF, 0x382);
    for (int i = 0; i < 5; ++i) {
        const int slot = 0x3A0 + 16 * i;
        const std::string n = std::to_string(i + 1);
        c.Phone(("ModemNum" + n).c_str(), 16, kPlus, slot);
        c.Mask(("SubString" + n).c_str(), 0, 0, 15, 1, 0xFF, slot + 15);
    }
    c.Mask("MaxDataTime", 0, 0, 255, 1, 0xFF, 0x3F0);
}

void RegisterBanks(Catalogue& c) {
    c.Mask("PermittNoBank", 0, 0, 2, 1, 0xFF, 0x400);
    c.Mask("TransferDate", 0, 0, 31, 1, 0xFF, 0x401);
    c.p.Register(0, "FreeMins", new CParWordBEnd(0, 0, 65535, 1), kBankCount, 0x410, 2);
    c.Mask("StartTime", 0, 0, 255, 1, 0xFF, 0x420, kBankCount, 1);
    c.Mask("TimeAmount", 0, 0, 255, 1, 0xFF, 0x428, kBankCount, 1);
    c.Mask("TransferYear", 0, 0, 255, 1, 0xFF, 0x430);
    c.Mask("TransferMonth", 0, 0, 12, 1, 0xFF, 0x431);
    c.Mask("TransferDay", 0, 0, 31, 1, 0xFF, 0x432);
    c.p.Register(0, "RemainMins", new CParWordBEnd(0, 0, 65535, 1), kBankCount, 0x433, 3);
    c.Mask("RemainSecs", 0, 0, 255, 1, 0xFF, 0x435, kBankCount, 3);
}

void RegisterSecurity(Catalogue& c) {
    c.p.Register(0, "ServisPassw", new CParStringNum("40917", 8, 4), 1, 0x7F6, 0);
    c.p.Register(0, "PINVal", new CPIN("", 8, 4), 1, 0x7FA, 0);
}

void RegisterRoutingTables(Catalogue& c) {
    const int n = kRoutingRows;
    c.Phone("FXSNumBegin", 16, kNoPlus, kFxsBase, n, kFxsRow, kWildcard);
    c.Mask("FXSPermitted", 0, 0, 1, 1, 0x80, kFxsBase + 8, n, kFxsRow);
    c.Mask("FXSDirection", 0, 0, 3, 1, 0x30, kFxsBase + 8, n, kFxsRow);
    c.Length("FXSNumLength", kFxsBase + 8, n, kFxsRow);
    c.Mask("FXSNumEnd", 0, 0, 1, 1, 0x40, kFxsBase + 8, n, kFxsRow);
    c.Mask("FXSRemove", 0, 0, 20, 1, 0x1F, kFxsBase + 9, n, kFxsRow);
    c.Mask("FXSBankNumber", 0, 0, 4, 1, 0xE0, kFxsBase + 9, n, kFxsRow);
    c.Phone("FXSAdd", 16, kPlus, kFxsBase + 10, n, kFxsRow);
    c.Mask("FXSExtraTar", 0, 0, 255, 1, 0xFF, kFxsBase + 18, n, kFxsRow);
    c.Mask("FXSTarif", 0, 0, 255, 1, 0xFF, kFxsBase + 19, n, kFxsRow);
    c.Mask("FXSCallTime", 0, 0, 255, 1, 0xFF, kFxsBase + 20, n, kFxsRow);

    c.Phone("FXONumBegin", 16, kNoPlus, kFxoBase, n, kFxoRow, kWildcard);
    c.Mask("FXOPermitted", 0, 0, 1, 1, 0x80, kFxoBase + 8, n, kFxoRow);
    c.Length("FXONumLength", kFxoBase + 8, n, kFxoRow);
    c.Mask("FXONumEnd", 0, 0, 1, 1, 0x40, kFxoBase + 8, n, kFxoRow);
    c.Mask("FXORemove", 0, 0, 20, 1, 0x1F, kFxoBase + 9, n, kFxoRow);
    c.Mask("FXOBankNumber", 0, 0, 4, 1, 0xE0, kFxoBase + 9, n, kFxoRow);
    c.Phone("FXOAdd", 16, kPlus, kFxoBase + 10, n, kFxoRow);
    c.Mask("FXOCallTime", 0, 0, 255, 1, 0xFF, kFxoBase + 18, n, kFxoRow);

    c.Phone("GSMNum", 16, kPlus, kGsmBase, n, kGsmRow);
    c.Mask("GSMSubString", 0, 0, 15, 1, 0xF0, kGsmBase + 8, n, kGsmRow);
    c.Mask("GSMDirection", 0, 0, 4, 1, 0x07, kGsmBase + 8, n, kGsmRow);
    c.Phone("GSMDialNUm", 16, kNoPlus, kGsmBase + 9, n, kGsmRow);
    c.Mask("GSMCallTime", 0, 0, 255, 1, 0xFF, kGsmBase + 17, n, kGsmRow);
}

} // namespace

void RegisterCatalogue(CParameters& parameters) {
    Catalogue c{parameters};
    RegisterIdentity(parameters);
    RegisterFxsLine(c);
    RegisterFxsDefaultRoute(c);
    RegisterFxoCodesAndDefaultRoute(c);
    RegisterGsmTiming(c);
    RegisterFxoLine(c);
    RegisterSmsInput(c);
    RegisterGsmSim(c);
    RegisterService(c);
    RegisterBanks(c);
    RegisterSecurity(c);
    RegisterRoutingTables(c);
    parameters.ResetAll();
    parameters.SetSaved("PINVal", false);
    parameters.SetSaved("ServisPassw", false);
}

const std::vector<ImageRegion>& SecretImageBytes() {
    static const std::vector<ImageRegion> secrets = [] {
        CParameters parameters;
        RegisterCatalogue(parameters);
        std::vector<ImageRegion> found;
        for (const char* name : {"ServisPassw", "PINVal", "FXOFMPassw"}) {
            const TMultiPar* record = parameters.Find(name);
            KW_ASSERT(record != nullptr && record->Count == 1 && record->Type->ByteSize() > 0);
            found.push_back({'\0', record->Type->m_Address, record->Type->ByteSize()});
        }
        return found;
    }();
    return secrets;
}

} // namespace kw
