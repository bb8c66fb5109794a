// What a section page may use of the main window that holds it: the registry,
// the language, the user port, the hardware variant code and the two change
// flags of the security settings. The main window implements it; tests use a
// small host of their own.
#pragma once

#include <string>

class CLanguage;
class CParameters;
class CUserPort;
class QWidget;

class CPageHost {
public:
    virtual ~CPageHost() = default;

    virtual CParameters& Parameters() = 0;
    virtual CLanguage& Language() = 0;
    // Every message box a page shows goes through here.
    virtual CUserPort& UserPort() = 0;
    // The hardware variant code of the configuration in memory; empty for none.
    virtual const std::string& HardwareVariant() const = 0;

    // Set by the security page and by the initialisation of all parameters; the
    // write command reads them.
    virtual bool PinChanged() const = 0;
    virtual void SetPinChanged(bool changed) = 0;
    virtual bool ServisPasswChanged() const = 0;
    virtual void SetServisPasswChanged(bool changed) = 0;

    // Moves a dialog so that it is centred over the main window (never above or
    // left of the screen's origin); call before showing it.
    virtual void CenterDialog(QWidget& dialog) = 0;
};
