// The SMS input page ("SMS vstup"): the SMS the gateway sends when its logical
// input closes (number and text) and the two delays around sending it
// (config/pages/SmallPages.cpp).
#pragma once

#include "DeclaredPage.h"
#include "Pages.h"

class TFLogickyVstup : public TFDeclaredPage {
    Q_OBJECT
public:
    explicit TFLogickyVstup(CPageHost& host, QWidget* parent = nullptr)
        : TFDeclaredPage(host, kw::pages::SmsInputPage(), parent) {
        Build();
    }
};
