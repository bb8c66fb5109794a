#include "Zabezpeceni.h"

#include "Pages.h"
#include "Parameters.h"
#include "Win1252.h"

#include <QLineEdit>

TFZabezpeceni::TFZabezpeceni(CPageHost& host, QWidget* parent)
    : TFDeclaredPage(host, kw::pages::SecurityPage(), parent) {
    Build();
}

void TFZabezpeceni::LoadPage() {
    TFDeclaredPage::LoadPage();
    m_LoadedPin = ShownCode("PINVal");
    m_LoadedPassw = ShownCode("ServisPassw");
}

void TFZabezpeceni::StorePage() {
    CommitEdits();
    hide();
}

void TFZabezpeceni::CommitEdits() {
    FromControls();
    // Only ever set here: a read from the gateway or a file load clears them.
    // Flagging a code that was not changed would make the next write send this
    // configuration's code instead of keeping the gateway's own, which for a
    // configuration from a file (codes are never saved there) is empty.
    if (ShownCode("PINVal") != m_LoadedPin)
        Host().SetPinChanged(true);
    if (ShownCode("ServisPassw") != m_LoadedPassw)
        Host().SetServisPasswChanged(true);
}

std::string TFZabezpeceni::ShownCode(const char* param) const {
    std::string code = kw::QStringToBytes(static_cast<QLineEdit*>(RowOf(param).control)->text());
    Parameters().NormalizeByName(param, code);
    return code;
}
