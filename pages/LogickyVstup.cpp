#include "LogickyVstup.h"

#include "Pages.h"

TFLogickyVstup::TFLogickyVstup(CPageHost& host, QWidget* parent)
    : TFDeclaredPage(host, kw::pages::SmsInputPage(), parent) {
    Build();
}
