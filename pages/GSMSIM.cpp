#include "GSMSIM.h"

#include "DisplayTexts.h"
#include "PageLayout.h"
#include "Parameters.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

TFGSMSIM::TFGSMSIM(CPageHost& host, QWidget* parent) : TFDForm(host, parent) {
    setObjectName("FGSMSIM");
    kw::CTwoColumns columns(this);

    // The form gives the network settings no group title.
    auto* network = new QGroupBox(this);
    network->setObjectName("GroupBox1");
    kw::CFormGrid rows(network);
    ComboBox1 = rows.ComboRow("ComboBox1", 58, 58, "CLIR - inkognito:", {0, 1, 2});
    ComboBox2 = rows.ComboRow("ComboBox2", 59, 59, "Povolení roamingu:", {0, 1});
    ComboBox3 = rows.ComboRow("ComboBox3", 283, 283, "Call hand over:", {0, 1});
    // Shown 24 characters wide; the whole 40 scroll in the field.
    Edit6 = rows.EditRow("Edit6", 284, "GPRS APN:", 24, 40);
    Edit5 = rows.EditRow("Edit5", 367, "Manuální registrace:", 6, 6);
    ComboBox5 = rows.ComboRow("ComboBox5", 297, 297, "Režim sítě:", {0, 1, 2});
    ComboBox7 = rows.ComboRow("ComboBox7", 339, 339, "Povoleni AMR", {0, 1});
    Label8 = kw::MakeDisplay(network, "Label8");
    rows.AddRow(kw::MakeLabel(network, "Label7", 56, "Blokování na operátora:", false), Label8);
    columns.AddLeft(network);

    QGroupBox* credit =
        kw::MakeGroup(this, "GroupBox2", 156, "Zjišťování kreditu předplacené karty");
    kw::CFormGrid creditRows(credit);
    const kw::SpinEdit cadence =
        creditRows.SpinRow("Edit1", "UpDown1", 157, "Četnost zjišťování kreditu", 0, 255, 1, 3);
    Edit1 = cadence.edit;
    UpDown1 = cadence.upDown;
    Edit2 = creditRows.EditRow("Edit2", 158, "Kód pro zjištění kreditu", 8, 8);
    const kw::SpinEdit minimum =
        creditRows.SpinRow("Edit3", "UpDown3", 159, "Minimální kredit", 0, 999, 1, 3);
    Edit3 = minimum.edit;
    UpDown3 = minimum.upDown;
    const kw::SpinEdit position =
        creditRows.SpinRow("Edit4", "UpDown4", 160, "Pozice výše kreditu v odpovědi", 0, 180, 1, 3);
    Edit4 = position.edit;
    UpDown4 = position.upDown;
    Label17 = kw::MakeDisplay(credit, "Label17");
    creditRows.AddRow(kw::MakeLabel(credit, "Label16", 155, "Telefonní číslo pro servisní SMS"),
                      Label17);
    columns.AddRight(credit);
    columns.Finish();
}

void TFGSMSIM::LoadPage() {
    TranslatePage();
    Parameters().ClearBindings();
    BindCombo("CLIRInk", 0, ComboBox1);
    BindCombo("RoamPerm", 0, ComboBox2);
    BindCombo("CallHandOver", 0, ComboBox3);
    BindEdit("GprsApn", 0, Edit6);
    BindEdit("CallsCadence", 0, Edit1);
    BindEdit("CreditCode", 0, Edit2);
    BindEdit("MinCredit", 0, Edit3);
    BindEdit("ManualReg", 0, Edit5);
    BindEdit("CreditAnswer", 0, Edit4);
    BindCombo("UMTSGSM", 0, ComboBox5);
    BindCombo("AMREnabled", 0, ComboBox7);
    ToControls();
    // Shown, never stored: the lock comes from the gateway, the number belongs
    // to the service page.
    Label8->setText(kw::OperatorLockText(Language(), Parameters().GetValue("OperLock", 0)));
    Label17->setText(kw::ServiceNumberText(Language(), Parameters().GetValue("SMSNum", 0)));
    kw::RefitPage(this);
}

void TFGSMSIM::StorePage() {
    Parameters().FromControls();
}

void TFGSMSIM::ResizePage(int width, int height) {
    kw::FitPageToArea(this, width, height);
}
