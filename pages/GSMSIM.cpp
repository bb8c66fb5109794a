#include "GSMSIM.h"

#include "Pages.h"

TFGSMSIM::TFGSMSIM(CPageHost& host, QWidget* parent)
    : TFDeclaredPage(host, kw::pages::GsmSimPage(), parent) {
    Build();
}
