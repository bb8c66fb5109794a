#include "Zabezpeceni.h"

#include "Pages.h"
#include "Parameters.h"
#include "Win1252.h"

#include <QLineEdit>

TFZabezpeceni::TFZabezpeceni(CPageHost& host, QWidget* parent)
    : TFDeclaredPage(host, kw::pages::SecurityPage(), parent) {
    Build();
    m_Pin = {
        "PINVal", static_cast<QLineEdit*>(RowOf("PINVal").control), {}, &CPageHost::SetPinChanged};
    m_Password = {"ServisPassw",
                  static_cast<QLineEdit*>(RowOf("ServisPassw").control),
                  {},
                  &CPageHost::SetServisPasswChanged};
}

void TFZabezpeceni::LoadPage() {
    TFDeclaredPage::LoadPage();
    for (TCode* code : {&m_Pin, &m_Password})
        code->loaded = code->edit->text();
}

void TFZabezpeceni::StorePage() {
    FromControls();
    // Only ever set here: a read from the gateway or a file load clears them.
    for (const TCode* code : {&m_Pin, &m_Password})
        if (Changed(*code))
            (Host().*(code->setChanged))(true);
    hide();
}

bool TFZabezpeceni::Changed(const TCode& code) const {
    // Text that only looks different ("1234 " typed while the field still has
    // the focus) is the same code: flagging it would make the next write send
    // this configuration's code instead of keeping the gateway's own, which for
    // a configuration from a file (codes are never saved there) is empty.
    std::string now = kw::QStringToBytes(code.edit->text());
    std::string before = kw::QStringToBytes(code.loaded);
    Parameters().NormalizeByName(code.param, now);
    Parameters().NormalizeByName(code.param, before);
    return now != before;
}
