// The settings command: the connection settings dialog filled from the
// window's settings, the modem lines created and changed from it, and its
// values taken over on OK: the open exchange ended with the old settings, a
// link of the old type closed when the type changes, the window refreshed.
#pragma once

#include "AppSettings.h"
#include "ModemLineDialog.h"
#include "Nastaveni.h"
#include "PortList.h"

#include <QPointer>

#include <functional>
#include <vector>

class CLanguage;
class CUserPort;
class QDialog;
class QWidget;

namespace kw {

class CGatewayCommands;

struct TSettingsWindow {
    QWidget& mainWindow;
    const CLanguage& language;
    CGatewayCommands& commands;
    TAppSettings& settings;
    std::function<CUserPort&()> user;
    std::function<void(QWidget&)> centre;
    std::function<int(QDialog&)> runDialog;
    std::function<void()> hangUp;       // a modem call, in the dialling window's sight
    std::function<void()> stateChanged; // the enable rules
    std::function<void()> refresh;      // the page on view stored, the window refreshed
    std::function<std::vector<TPortInfo>()> ports;
};

class CConnectionSettings {
public:
    explicit CConnectionSettings(TSettingsWindow window);

    void Run();
    // Where the port lists come from (the system's ports by default).
    void SetPortLister(std::function<std::vector<TPortInfo>()> ports) {
        m_Window.ports = std::move(ports);
    }

    TFNastaveni& Dialog() { return *m_Dialog; }
    TFModemLine& LineDialog() { return *m_LineDialog; }

private:
    void EditLine(int index);
    void TakeOver();

    TSettingsWindow m_Window;
    QPointer<TFNastaveni> m_Dialog; // children of the main window
    QPointer<TFModemLine> m_LineDialog;
};

} // namespace kw
