// Which commands the connection state allows and what the status bar says: one
// function of the state, so the whole table can be checked without a window.
#pragma once

namespace kw {

struct TConnectionState {
    int conType = 0; // 0 serial cable, 1 modem data call, 2 TCP/IP
    bool connected = false;
    bool callInProgress = false;
    bool dialing = false;
    bool configLoaded = false;       // the hardware variant code is not empty
    bool hasPhoneNumber = false;     // "ModemNumber" is set
    bool hasCallbackAddress = false; // "IpAddress" is set
};

struct TEnabledCommands {
    bool save = false;       // SpeedButton4
    bool upgrade = false;    // SpeedButton7
    bool read = false;       // SpeedButton1
    bool write = false;      // SpeedButton2
    bool connect = false;    // SpeedButton6 and its menu item
    bool disconnect = false; // SpeedButton8 and its menu item
    bool monitor = false;    // SpeedButton9
    bool menuLink = false;   // the menu items read, write and upgrade
    int statusWord = 0;      // language word of the status bar text
};

TEnabledCommands EnableRules(const TConnectionState& state);

} // namespace kw
