// A page host for page tests without a main window: a registry with the whole
// catalogue, a language table and the scripted user port.
#pragma once

#include "Language.h"
#include "PageHost.h"
#include "Parameters.h"
#include "ScriptedUserPort.h"

#include <QWidget>

namespace kw::test {

class CTestHost : public CPageHost {
public:
    CTestHost();
    CParameters& Parameters() override { return parameters; }
    CLanguage& Language() override { return language; }
    CUserPort& UserPort() override { return port; }
    const std::string& HardwareVariant() const override { return variant; }
    bool PinChanged() const override { return pinChanged; }
    void SetPinChanged(bool changed) override { pinChanged = changed; }
    bool ServisPasswChanged() const override { return passwChanged; }
    void SetServisPasswChanged(bool changed) override { passwChanged = changed; }
    void CenterDialog(QWidget&) override {}

    CParameters parameters;
    CLanguage language;
    ScriptedUserPort port;
    std::string variant = "A";
    bool pinChanged = false;
    bool passwChanged = false;
};

} // namespace kw::test
