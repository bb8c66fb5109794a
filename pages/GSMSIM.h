// The GSM & SIM page ("GSM & SIM"): caller-id, roaming, hand-over, network mode
// and AMR of the gateway's module, the GPRS access point, manual network
// registration, the prepaid-credit check, and read-only displays of the
// operator lock and of the service SMS number (config/pages/SmallPages.cpp).
#pragma once

#include "DeclaredPage.h"
#include "Pages.h"

class TFGSMSIM : public TFDeclaredPage {
    Q_OBJECT
public:
    explicit TFGSMSIM(CPageHost& host, QWidget* parent = nullptr)
        : TFDeclaredPage(host, kw::pages::GsmSimPage(), parent) {
        Build();
    }
};
