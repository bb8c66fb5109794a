#include "Servis.h"

#include "Pages.h"

TFServis::TFServis(CPageHost& host, QWidget* parent)
    : TFDeclaredPage(host, kw::pages::ServicePage(), parent) {
    Build();
}
