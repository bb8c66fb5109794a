// The service page ("Servis"): the gateway's identity as read-only displays,
// the service SMS, the serial-port permission and the data call limit, plus
// remote supervision and power supply reports on the variants that have them
// (config/pages/ServicePage.cpp). Both displays of the service SMS number
// follow its edit as it is typed.
#pragma once

#include "DeclaredPage.h"
#include "Pages.h"

class TFServis : public TFDeclaredPage {
    Q_OBJECT
public:
    explicit TFServis(CPageHost& host, QWidget* parent = nullptr)
        : TFDeclaredPage(host, kw::pages::ServicePage(), parent) {
        Build();
    }
};
