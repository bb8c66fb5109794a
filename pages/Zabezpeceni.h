// The security page ("Zabezbeceni"): the SIM PIN and the service password
// (config/pages/SmallPages.cpp). Its store tells the main window which of the
// two the user changed, so a write sends only those and keeps the gateway's
// own otherwise; then the page closes itself, so the codes do not stay on view.
#pragma once

#include "DeclaredPage.h"

#include <string>

class TFZabezpeceni : public TFDeclaredPage {
    Q_OBJECT
public:
    explicit TFZabezpeceni(CPageHost& host, QWidget* parent = nullptr);

    void LoadPage() override;
    void StorePage() override;
    // As StorePage, without closing the page.
    void CommitEdits() override;

private:
    // The code an edit shows, read as the parameter would store it: text that
    // only looks different ("1234 " typed while the field still has the focus)
    // is the same code.
    std::string ShownCode(const char* param) const;

    // The codes shown right after the last LoadPage.
    std::string m_LoadedPin;
    std::string m_LoadedPassw;
};
