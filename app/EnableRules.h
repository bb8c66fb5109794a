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
    bool save = false;    // the save button
    bool upgrade = false; // the tool buttons read, write and upgrade
    bool read = false;
    bool write = false;
    bool connect = false;    // the connect button and its menu item
    bool disconnect = false; // likewise
    bool monitor = false;    // the monitor button
    bool menuLink = false;   // the menu items read, write and upgrade
    int statusWord = 0;      // language word of the status bar text
};

TEnabledCommands EnableRules(const TConnectionState& state);

} // namespace kw
