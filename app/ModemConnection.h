// The main window's modem call: Connect dials the chosen line and runs the
// modem greeting, Disconnect hangs up in the dialling window's sight, and the
// window closing hangs up without one.
#pragma once

#include "AppSettings.h"
#include "COMDialing.h"

#include <QPointer>

#include <functional>

class CLanguage;
class CUserPort;
class QWidget;

namespace kw {

class CGatewayCommands;

struct TModemWindow {
    QWidget& mainWindow;
    const CLanguage& language;
    CGatewayCommands& commands;
    const TAppSettings& settings; // the line and the number
    std::function<CUserPort&()> user;
    std::function<void(QWidget&)> centre;  // places a window over the main window
    std::function<void(bool)> setDialling; // the window's dialling flag
    std::function<void()> stateChanged;    // the enable rules
};

class CModemConnection {
public:
    explicit CModemConnection(TModemWindow window);

    // Dials; once the call is up, the greeting with its bar, then the word
    // telling so. A failed greeting is reported and the call dropped.
    void Connect();
    // Hangs up a call that is up.
    void Disconnect();
    // Hangs up, as in Disconnect but in any state of the call: the settings
    // change the connection type.
    void HangUp();
    // The main window goes: whatever call exists is dropped without a window.
    void Close();

    TFCOMDialing& DiallingWindow() { return *m_Dialling; }

private:
    TModemWindow m_Window;
    QPointer<TFCOMDialing> m_Dialling; // a child of the main window
};

} // namespace kw
