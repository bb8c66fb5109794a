#include "AppSettings.h"

#include "IniFile.h"

namespace kw {

TAppSettings ReadSettings(const CIniFile& ini, const TSettingsContext& context) {
    const char* s = kSettingsSection;
    TAppSettings out;
    out.Com = ini.ReadString(s, "Com", "Com1");
    out.IpCom = ini.ReadString(s, "IpCom", "Com1");
    out.ActLanguage = ini.ReadInteger(s, "ActLanguage", 0);
    out.ModemNumber = ini.ReadString(s, "ModemNumber");
    // Held as a signed byte, so a number outside it wraps before the range check.
    out.ConType = static_cast<int8_t>(ini.ReadInteger(s, "ConType", 0));
    out.ModemId = ini.ReadString(s, "ModemId");
    out.IpAddress = ini.ReadString(s, "IpAddress");
    out.IpPort = ini.ReadInteger(s, "IpPort", 7200);
    out.LastIpNum = ini.ReadString(s, "LastIpNum");
    out.LastIpPassw = ini.ReadString(s, "LastIpPassw");
    out.LastIpSerial = ini.ReadString(s, "LastIpSerial");
    out.LastAPN = ini.ReadString(s, "LastAPN");
    out.LastInetUser = ini.ReadString(s, "LastInetUser");
    out.LastInetPassw = ini.ReadString(s, "LastInetPassw");
    out.Trace = ini.ReadBool(s, "Trace", false);
    out.BackupsKept = ini.ReadInteger(s, "BackupsKept", TAppSettings{}.BackupsKept);
    if (out.BackupsKept < 1)
        out.BackupsKept = TAppSettings{}.BackupsKept;

    if (out.ConType < 0 || out.ConType > 2)
        out.ConType = 0;
    if (out.ConType == 1 && !context.modemAvailable)
        out.ConType = 0;
    if (out.IpAddress.empty())
        out.IpAddress = context.ownAddress;
    return out;
}

void ReadWindowPlace(const CIniFile& ini, const TSettingsContext& context, TAppSettings& out) {
    const char* s = kSettingsSection;
    // Halved with the remainder dropped toward zero, as on a screen narrower than the window.
    out.Left = ini.ReadInteger(s, "Left", (context.screenWidth - context.windowWidth) / 2);
    out.Top = ini.ReadInteger(s, "Top", (context.screenHeight - kDefaultHeight) / 2);
    out.Height = ini.ReadInteger(s, "Height", kDefaultHeight);
    out.Width = ini.ReadInteger(s, "Width", context.windowWidth);
}

void WriteSettings(CIniFile& ini, const TAppSettings& in, const std::string& ownAddress) {
    const char* s = kSettingsSection;
    // Cleared first, so the keys stand in table order whatever an older file had.
    ini.ClearSection(s);
    ini.WriteString(s, "Com", in.Com);
    ini.WriteString(s, "IpCom", in.IpCom);
    ini.WriteInteger(s, "ActLanguage", in.ActLanguage);
    ini.WriteInteger(s, "Left", in.Left);
    ini.WriteInteger(s, "Top", in.Top);
    ini.WriteInteger(s, "Height", in.Height);
    ini.WriteInteger(s, "Width", in.Width);
    ini.WriteString(s, "ModemNumber", in.ModemNumber);
    ini.WriteInteger(s, "ConType", in.ConType >= 0 && in.ConType <= 2 ? in.ConType : 0);
    ini.WriteString(s, "ModemId", in.ModemId);
    ini.WriteString(s, "IpAddress", in.IpAddress == ownAddress ? std::string() : in.IpAddress);
    ini.WriteInteger(s, "IpPort", in.IpPort);
    ini.WriteString(s, "LastIpNum", in.LastIpNum);
    ini.WriteString(s, "LastIpPassw", in.LastIpPassw);
    ini.WriteString(s, "LastIpSerial", in.LastIpSerial);
    ini.WriteString(s, "LastAPN", in.LastAPN);
    ini.WriteString(s, "LastInetUser", in.LastInetUser);
    ini.WriteString(s, "LastInetPassw", in.LastInetPassw);
    ini.WriteBool(s, "Trace", in.Trace);
    ini.WriteInteger(s, "BackupsKept", in.BackupsKept);
}

} // namespace kw
