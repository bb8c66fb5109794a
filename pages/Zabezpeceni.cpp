#include "Zabezpeceni.h"

#include "PageLayout.h"
#include "Parameters.h"
#include "Win1252.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

TFZabezpeceni::TFZabezpeceni(CPageHost& host, QWidget* parent) : TFDForm(host, parent) {
    setObjectName("FZabezpeceni");
    // The form gives the two codes no group title.
    auto* codes = new QGroupBox(this);
    codes->setObjectName("GroupBox1");
    kw::CFormGrid rows(codes);
    Edit6 = rows.EditRow("Edit6", 90, "PIN - hodnota:", 8, 8);
    Edit7 = rows.EditRow("Edit7", 91, "Servisní heslo:", 8, 8);
    // One group with nothing beside it: at its own width, top left, each code
    // stays near its caption however wide the page grows.
    auto* page = new QVBoxLayout(this);
    kw::SetPageMargins(page);
    page->addWidget(codes, 0, Qt::AlignLeft);
    page->addStretch(1);
}

void TFZabezpeceni::LoadPage() {
    TranslatePage();
    Parameters().ClearBindings();
    BindEdit("ServisPassw", 0, Edit7);
    BindEdit("PINVal", 0, Edit6);
    ToControls();
    m_LoadedPin = Edit6->text();
    m_LoadedPassw = Edit7->text();
    kw::RefitPage(this);
}

void TFZabezpeceni::StorePage() {
    Parameters().FromControls();
    // Only ever set here: a read from the gateway or a file load clears them.
    if (Differs("PINVal", Edit6, m_LoadedPin))
        Host().SetPinChanged(true);
    if (Differs("ServisPassw", Edit7, m_LoadedPassw))
        Host().SetServisPasswChanged(true);
    hide();
}

void TFZabezpeceni::ResizePage(int width, int height) {
    kw::FitPageToArea(this, width, height);
}

bool TFZabezpeceni::Differs(const char* name, const QLineEdit* edit, const QString& loaded) const {
    // Text that only looks different ("1234 " typed while the field still has
    // the focus) is the same code: flagging it would make the next write send
    // this configuration's code instead of keeping the gateway's own, which for
    // a configuration from a file (codes are never saved there) is empty.
    std::string now = kw::QStringToBytes(edit->text());
    std::string before = kw::QStringToBytes(loaded);
    Parameters().NormalizeByName(name, now);
    Parameters().NormalizeByName(name, before);
    return now != before;
}
