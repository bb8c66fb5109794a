// The program's own settings, kept in section "Settings" of the application INI
// file: read with a default for each key (the window's place once the window
// knows its default width), written back in table order when the main window
// closes.
#pragma once

#include "IpSettings.h"

#include <cstdint>
#include <string>

namespace kw {

class CIniFile;

inline constexpr int kDefaultHeight = 715;
inline constexpr const char* kSettingsSection = "Settings";

// The TCP/IP link's values (IpCom, IpAddress, IpPort and the last values of
// the IP connect dialog) are the base: the link works on the window's own.
struct TAppSettings : TIpSettings {
    std::string Com = "Com1"; // port of the direct cable
    int ActLanguage = 0;
    int Left = 0;
    int Top = 0;
    int Height = kDefaultHeight;
    int Width = 0;
    std::string ModemNumber; // number dialled for a modem connection
    int8_t ConType = 0;      // 0 serial cable, 1 modem data call, 2 TCP/IP
    std::string ModemId;     // the data-modem line chosen for modem calls
};

// What the defaults and limits of the settings depend on.
struct TSettingsContext {
    int screenWidth = 0;
    int screenHeight = 0;
    bool modemAvailable = false; // at least one data-modem line is known
    std::string ownAddress;      // the computer's own address, may be empty
    int windowWidth = 0;         // the default: what shows the widest section page whole
};

// Reads the keys of section "Settings" but the window's place, each with its
// default: a connection type other than 0, 1, 2 (or 1 with no modem) becomes 0;
// an empty call-back address takes the computer's own.
TAppSettings ReadSettings(const CIniFile& ini, const TSettingsContext& context);

// Reads Left, Top, Width and Height: by default the window is centred on the
// screen at the default width and height.
void ReadWindowPlace(const CIniFile& ini, const TSettingsContext& context, TAppSettings& settings);

// Replaces section "Settings" with every key in table order. The call-back
// address is written empty when it equals the computer's own address, so a
// computer whose address changes keeps following it.
void WriteSettings(CIniFile& ini, const TAppSettings& settings, const std::string& ownAddress);

} // namespace kw
