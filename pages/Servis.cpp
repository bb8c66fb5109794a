#include "Servis.h"

#include "DisplayTexts.h"
#include "PageLayout.h"
#include "Parameters.h"
#include "Win1252.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using kw::CFormGrid;

namespace {

bool HasSupervision(const std::string& variant) {
    return variant == "C" || variant == "F" || variant == "E" || variant == "G";
}

bool HasPowerSupply(const std::string& variant) {
    return variant == "E" || variant == "F" || variant == "G";
}

// An identity display beside its caption.
QLabel* IdentityRow(CFormGrid& rows, QWidget* box, const char* captionName, int word,
                    const QString& caption, const char* displayName) {
    QLabel* display = kw::MakeDisplay(box, displayName);
    rows.AddRow(kw::MakeLabel(box, captionName, word, caption, false), display);
    return display;
}

} // namespace

TFServis::TFServis(CPageHost& host, QWidget* parent) : TFDForm(host, parent) {
    setObjectName("FServis");
    kw::CTwoColumns columns(this);

    // Untitled: the form gives the identity and the general settings no word.
    auto* identity = new QGroupBox(this);
    identity->setObjectName("IdentityGroup");
    CFormGrid identityRows(identity);
    Label5 = IdentityRow(identityRows, identity, "Label1", 76, "Verze hardwaru:", "Label5");
    Label6 = IdentityRow(identityRows, identity, "Label2", 77, "Verze firmwaru:", "Label6");
    Label7 = IdentityRow(identityRows, identity, "Label3", 78, "Výrobní číslo:", "Label7");
    Label8 = IdentityRow(identityRows, identity, "Label4", 56, "Blokování na operátora:", "Label8");
    columns.AddLeft(identity);

    auto* general = new QGroupBox(this);
    general->setObjectName("GeneralGroup");
    CFormGrid generalRows(general);
    CheckBox1 = generalRows.CheckRow("CheckBox1", 84, "Povolení COM");
    Edit2 = generalRows.EditRow("Edit2", 155, "Telefonní číslo pro servisní SMS", 16, 16);
    Edit13 =
        generalRows
            .SpinRow("Edit13", "UpDown13", 289, "Maximální doba datového spojení [min]", 0, 255)
            .edit;
    columns.AddLeft(general);

    QGroupBox* sms = kw::MakeGroup(this, "SmsGroup", 153, "Provozní SMS - GGMC");
    CFormGrid smsRows(sms);
    Edit1 = smsRows.SpinRow("Edit1", "UpDown1", 154, "Četnost zasílání SMS", 0, 255, 1, 3).edit;
    Label19 = kw::MakeDisplay(sms, "Label19");
    smsRows.AddRow(kw::MakeLabel(sms, "Label18", 155, "Telefonní číslo pro servisní SMS"), Label19);
    columns.AddLeft(sms);

    SupervisionGroup = kw::MakeGroup(this, "SupervisionGroup", 260, "Dalkovy dohled");
    CFormGrid supervisionRows(SupervisionGroup);
    supervisionRows.AddCells({kw::MakeLabel(SupervisionGroup, "Label12", 261, "Telefonni cislo"),
                              kw::MakeLabel(SupervisionGroup, "Label13", 262, "Subsrting")});
    for (int i = 0; i < 5; ++i) {
        const QString number = QString::number(3 + i);
        const QString substring = QString::number(8 + i);
        ModemNumEdits[i] = kw::MakeEdit(SupervisionGroup, "Edit" + number, 261, 16, 16);
        const kw::SpinEdit spin = kw::MakeSpinEdit(SupervisionGroup, "Edit" + substring,
                                                   "UpDown" + substring, 262, 0, 15);
        SubStringEdits[i] = spin.edit;
        supervisionRows.AddCells(ModemNumEdits[i], spin);
    }
    supervisionRows.PackCells(2);
    columns.AddRight(SupervisionGroup);

    PowerGroup = kw::MakeGroup(this, "PowerGroup", 340, "Napájení");
    CFormGrid powerRows(PowerGroup);
    ComboBox11 = powerRows.ComboRow("ComboBox11", 341, 341, "Vybitá baterie", {0, 1});
    Edit14 =
        powerRows.SpinRow("Edit14", "UpDown14", 343, "Výpadek napájení za [s]", 0, 255, 1, 3).edit;
    Label17 = kw::MakeDisplay(PowerGroup, "Label17");
    powerRows.AddRow(kw::MakeLabel(PowerGroup, "Label16", 155, "Telefonní číslo pro servisní SMS"),
                     Label17);
    columns.AddRight(PowerGroup);
    columns.Finish();

    connect(Edit2, &QLineEdit::textChanged, this, &TFServis::Edit2Change);
}

void TFServis::LoadPage() {
    TranslatePage();
    Parameters().ClearBindings();
    BindCheck("COMPerm", 0, CheckBox1, true);
    BindEdit("SMSCandence", 0, Edit1);
    BindEdit("SMSNum", 0, Edit2);
    BindEdit("MaxDataTime", 0, Edit13);

    const std::string& variant = Parameters().GetValue("HWVer", 0);
    Label5->setText(kw::IdentityText(Language(), variant));
    if (HasSupervision(variant)) {
        for (int i = 0; i < 5; ++i)
            BindEdit("ModemNum" + std::to_string(i + 1), 0, ModemNumEdits[i]);
        for (int i = 0; i < 5; ++i)
            BindEdit("SubString" + std::to_string(i + 1), 0, SubStringEdits[i]);
    }
    SupervisionGroup->setVisible(HasSupervision(variant));
    PowerGroup->setVisible(HasPowerSupply(variant));
    if (HasPowerSupply(variant)) {
        BindCombo("BateryOut", 0, ComboBox11);
        BindEdit("ChargeOut", 0, Edit14);
    }
    ShowServiceNumber(Parameters().GetValue("SMSNum", 0));
    Label6->setText(kw::IdentityText(Language(), Parameters().GetValue("SWVer", 0)));
    Label7->setText(kw::IdentityText(Language(), Parameters().GetValue("SerialNum", 0)));
    Label8->setText(kw::OperatorLockText(Language(), Parameters().GetValue("OperLock", 0)));
    ToControls();
    kw::RefitPage(this);
}

void TFServis::StorePage() {
    Parameters().FromControls();
}

void TFServis::ResizePage(int width, int height) {
    kw::FitPageToArea(this, width, height);
}

void TFServis::Edit2Change() {
    ShowServiceNumber(kw::QStringToBytes(Edit2->text()));
}

void TFServis::ShowServiceNumber(const std::string& number) {
    const QString text = kw::ServiceNumberText(Language(), number);
    Label17->setText(text);
    Label19->setText(text);
}
