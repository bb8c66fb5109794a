#include "SLICParametry.h"

#include "HardwareVariant.h"
#include "PageLayout.h"
#include "Parameters.h"
#include "UpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

using kw::CFormGrid;

namespace {

// Tone frequencies are spun from 5 Hz; the parameters also hold 1 to 4, which
// the edit then shows as they are.
constexpr int kToneMin = 5;
constexpr int kToneMax = 3400;
constexpr int kBusyToneSkipped = 1;
constexpr int kPermToneLowest = 1610;

QGroupBox* Group(QWidget* parent, const char* name, int word, const QString& text) {
    return kw::MakeGroup(parent, name, word, text);
}

} // namespace

TFSLICParametry::TFSLICParametry(CPageHost& host, QWidget* parent) : TFDForm(host, parent) {
    setObjectName("FSLICParametry");
    auto* layout = new QVBoxLayout(this);
    kw::SetPageMargins(layout);
    PageControl1 = kw::MakeTabs(this, "PageControl1");
    layout->addWidget(PageControl1);
    TabSheet1 = kw::AddTabSheet(PageControl1, "TabSheet1", 214, "Linka FXS");
    TabSheet2 = kw::AddTabSheet(PageControl1, "TabSheet2", 215, "Linka FXO");
    BuildFxsTab();
    BuildFxoTab();

    ConnectTwoTone(m_DialTone, &TFSLICParametry::CheckBox4Click, &TFSLICParametry::Edit8Change);
    ConnectTwoTone(m_BusyTone, &TFSLICParametry::CheckBox5Click, &TFSLICParametry::Edit10Change);
    ConnectTwoTone(m_RingBackTone, &TFSLICParametry::CheckBox8Click,
                   &TFSLICParametry::Edit23Change);
    ConnectTwoTone(m_FxoDialTone, &TFSLICParametry::CheckBox7Click, &TFSLICParametry::Edit17Change);
    ConnectTwoTone(m_FxoRingBackTone, &TFSLICParametry::CheckBox9Click,
                   &TFSLICParametry::Edit26Change);
    UpDown13->SetChangingHandler(
        [this](int newValue, bool up) { return UpDown13ChangingEx(newValue, up); });
    UpDown14->SetChangingHandler(
        [this](int newValue, bool up) { return UpDown14ChangingEx(newValue, up); });
}

void TFSLICParametry::BuildFxsTab() {
    QWidget* tab = TabSheet1;
    // The CLIP and signalling lists on the right hold the longer texts.
    kw::CTwoColumns columns(tab, 4, 5);

    QGroupBox* volumes = Group(tab, "FXSVolumeGroup", 41, "Hlasitost");
    CFormGrid volumeRows(volumes);
    TrackBar2 = volumeRows.TrackRow("TrackBar2", 42, "Vysílání:", 1, 5);
    TrackBar1 = volumeRows.TrackRow("TrackBar1", 43, "Příjem:", 1, 5);
    columns.AddLeft(volumes);

    QGroupBox* dialling = Group(tab, "FXSDiallingGroup", 47, "Volba");
    CFormGrid diallingRows(dialling);
    ComboBox1 = diallingRows.ComboRow("ComboBox1", 33, 33, "Druh přijímané volby:", {0, 1});
    CheckBox1 = diallingRows.CheckRow("CheckBox1", 37, "Signalizace konce volby pípnnutím");
    Edit1 = diallingRows
                .SpinRow("Edit1", "UpDown1", 34, "Doba vyhodnocení konce volby [s]:", 1, 255, 1, 3)
                .edit;
    Edit4 =
        diallingRows.SpinRow("Edit4", "UpDown3", 36, "Minimální zavěšení [ms]:", 100, 25500, 100, 5)
            .edit;
    ComboBox16 = diallingRows.ComboRow("ComboBox16", 331, 331, "DTMF za hovoru", {0, 1});
    columns.AddLeft(dialling);

    QGroupBox* tones = Group(tab, "FXSToneGroup", 162, "Tony");
    CFormGrid toneRows(tones);
    ComboBox2 = toneRows.ComboRow("ComboBox2", 35, 35, "Tón po ukončení hovoru:", {0, 1});
    PageControl2 = kw::MakeTabs(tones, "PageControl2");
    toneRows.AddWide(PageControl2);
    m_DialTone = BuildToneSheet(
        kw::AddTabSheet(PageControl2, "TabSheet3", 166, "Oznamovací tón"),
        {"Edit8", "UpDown6", "Edit9", "UpDown7", "Label19", "CheckBox4", "ComboBox4"},
        {168, 169, 167, 170, 2}, ComboBox4);
    m_BusyTone = BuildToneSheet(
        kw::AddTabSheet(PageControl2, "TabSheet4", 172, "Obsazovací tón"),
        {"Edit10", "UpDown8", "Edit11", "UpDown9", "Label22", "CheckBox5", "ComboBox7"},
        {168, 169, 167, 171, 5}, ComboBox7);
    m_RingBackTone = BuildToneSheet(
        kw::AddTabSheet(PageControl2, "TabSheet5", 280, "RingBack tón"),
        {"Edit23", "UpDown19", "Edit24", "UpDown20", "Label42", "CheckBox8", "ComboBox13"},
        {168, 169, 167, 281, 5}, ComboBox13);
    Edit8 = m_DialTone.f1, Edit9 = m_DialTone.f2, Label19 = m_DialTone.f2Label;
    UpDown7 = m_DialTone.f2Spin, CheckBox4 = m_DialTone.box;
    Edit10 = m_BusyTone.f1, Edit11 = m_BusyTone.f2, Label22 = m_BusyTone.f2Label;
    UpDown9 = m_BusyTone.f2Spin, CheckBox5 = m_BusyTone.box;
    Edit23 = m_RingBackTone.f1, Edit24 = m_RingBackTone.f2, Label42 = m_RingBackTone.f2Label;
    UpDown20 = m_RingBackTone.f2Spin, CheckBox8 = m_RingBackTone.box;
    columns.AddLeft(tones);

    QGroupBox* autoCall = Group(tab, "FXSAutoCallGroup", 38, "Automatické volání");
    CFormGrid autoCallRows(autoCall);
    Edit2 = autoCallRows.EditRow("Edit2", 39, "Číslo pro automatické volání:", 20, 20);
    Edit3 =
        autoCallRows.SpinRow("Edit3", "UpDown2", 40, "Čas do automat. volání [s]:", 0, 255).edit;
    columns.AddRight(autoCall);

    QGroupBox* clip = Group(tab, "FXSClipGroup", 163, "CLIP");
    CFormGrid clipRows(clip);
    ComboBox3 = clipRows.ComboRow("ComboBox3", 45, 45, "Vysílání CLIP:", {0, 1});
    Edit5 = clipRows.EditRow("Edit5", 136, "Zaměnit znak '+' v CLI za:", 4, 4);
    ComboBox8 = clipRows.ComboRow("ComboBox8", 164, 164, "Frekvence vyzvánění", {50, 25});
    ComboBox9 = clipRows.ComboRow("ComboBox9", 165, 165, "Kadence vyzvánění", {0, 1, 2, 3});
    ComboBox12 = clipRows.ComboRow("ComboBox12", 165, 288, "Čas. vyzvánění DATA/FAX", {0, 1, 2, 3});
    columns.AddRight(clip);

    QGroupBox* signalling = Group(tab, "FXSSignallingGroup", 152, "Signalizace");
    CFormGrid signallingRows(signalling);
    CheckBox2 = signallingRows.CheckRow("CheckBox2", 46, "Signalizace průběhu hovoru přepólováním");
    ComboBox5 = signallingRows.ComboRow("ComboBox5", 149, 149,
                                        "Signalizace průbehu hovoru impulsem", {0, 1, 2, 3});
    ComboBox6 =
        signallingRows.ComboRow("ComboBox6", 148, 148, "Frekvence tarifních impulsu", {0, 1});
    ComboBox15 = signallingRows.ComboRow("ComboBox15", 366, 366, "Calling Party Control", {0, 1});
    columns.AddRight(signalling);
    columns.Finish();
}

void TFSLICParametry::BuildFxoTab() {
    QWidget* tab = TabSheet2;
    kw::CTwoColumns columns(tab);

    QGroupBox* dialling = Group(tab, "FXODiallingGroup", 47, "Volba");
    CFormGrid diallingRows(dialling);
    ComboBox10 = diallingRows.ComboRow("ComboBox10", 180, 180, "Druh vysílané volby:", {0, 1});
    CheckBox3 = diallingRows.CheckRow("CheckBox3", 183, "Signalizace konce volby pípnnutím");
    Edit6 =
        diallingRows.SpinRow("Edit6", "UpDown4", 179, "Doba vyhodnocení konce volby [s]:", 1, 255)
            .edit;
    Edit7 =
        diallingRows.SpinRow("Edit7", "UpDown5", 181, "Minimální zavěšení [ms]:", 100, 25500, 100)
            .edit;
    Edit12 =
        diallingRows.SpinRow("Edit12", "UpDown10", 177, "Počet zvonění před vyzvednutím:", 0, 255)
            .edit;
    Edit13 = diallingRows.SpinRow("Edit13", "UpDown11", 178, "Čas na první volbu", 1, 255).edit;
    Edit14 =
        diallingRows.SpinRow("Edit14", "UpDown12", 182, "Maximální zavěšení [ms]:", 1, 255).edit;
    ComboBox17 = diallingRows.ComboRow("ComboBox17", 331, 331, "DTMF za hovoru", {0, 1});
    columns.AddLeft(dialling);

    QGroupBox* signalling = Group(tab, "FXOSignallingGroup", 152, "Signalizace");
    CFormGrid signallingRows(signalling);
    const kw::SpinEdit busy =
        signallingRows.SpinRow("Edit15", "UpDown13", 185, "Detekce obsazovacího tónu", 0, 255);
    Edit15 = busy.edit, UpDown13 = busy.upDown;
    const kw::SpinEdit permanent = signallingRows.SpinRow(
        "Edit16", "UpDown14", 186, "Detekce trvalého tónu [ms]", 0, 8925, 35);
    Edit16 = permanent.edit, UpDown14 = permanent.upDown;
    columns.AddLeft(signalling);

    QGroupBox* volumes = Group(tab, "FXOVolumeGroup", 41, "Hlasitost");
    CFormGrid volumeRows(volumes);
    TrackBar4 = volumeRows.TrackRow("TrackBar4", 42, "Vysílání:", 1, 5);
    TrackBar3 = volumeRows.TrackRow("TrackBar3", 43, "Příjem:", 1, 5);
    columns.AddRight(volumes);

    QGroupBox* autoCall = Group(tab, "FXOAutoCallGroup", 192, "Automatické volání");
    CFormGrid autoCallRows(autoCall);
    Edit19 = autoCallRows.EditRow("Edit19", 193, "Číslo pro automatické volání:", 20, 20);
    Edit20 =
        autoCallRows.SpinRow("Edit20", "UpDown17", 194, "Čas do automat. volání [s]:", 0, 255).edit;
    columns.AddRight(autoCall);

    QGroupBox* flash = Group(tab, "FXOFlashGroup", 275, "GSM flash");
    CFormGrid flashRows(flash);
    Edit21 = flashRows.EditRow("Edit21", 276, "DTMF kód", 4, 4);
    Edit22 = flashRows.SpinRow("Edit22", "UpDown18", 277, "Délka FLASH [ms]", 100, 1500, 100).edit;
    columns.AddRight(flash);

    QGroupBox* tones = Group(tab, "FXOToneGroup", 162, "Oznamovací tón FXO");
    auto* toneLayout = new QVBoxLayout(tones);
    PageControl3 = kw::MakeTabs(tones, "PageControl3");
    toneLayout->addWidget(PageControl3);
    m_FxoDialTone = BuildToneSheet(
        kw::AddTabSheet(PageControl3, "TabSheet6", 166, "Oznamovací tón"),
        {"Edit17", "UpDown15", "Edit18", "UpDown16", "Label32", "CheckBox7", "ComboBox11"},
        {189, 190, 188, 191, 2}, ComboBox11);
    m_FxoRingBackTone = BuildToneSheet(
        kw::AddTabSheet(PageControl3, "TabSheet7", 280, "RingBack tón"),
        {"Edit26", "UpDown22", "Edit25", "UpDown21", "Label48", "CheckBox9", "ComboBox14"},
        {189, 190, 188, 281, 5}, ComboBox14);
    Edit17 = m_FxoDialTone.f1, Edit18 = m_FxoDialTone.f2, Label32 = m_FxoDialTone.f2Label;
    UpDown16 = m_FxoDialTone.f2Spin, CheckBox7 = m_FxoDialTone.box;
    Edit26 = m_FxoRingBackTone.f1, Edit25 = m_FxoRingBackTone.f2;
    Label48 = m_FxoRingBackTone.f2Label;
    UpDown21 = m_FxoRingBackTone.f2Spin, CheckBox9 = m_FxoRingBackTone.box;
    columns.AddRight(tones);
    columns.Finish();
}

TFSLICParametry::TTwoTone TFSLICParametry::BuildToneSheet(QWidget* sheet, const TToneNames& names,
                                                          const TToneWords& words,
                                                          QComboBox*& cadence) {
    CFormGrid rows(sheet);
    TTwoTone group{};
    group.f1 =
        rows.SpinRow(names.f1, names.f1Spin, words.f1, "Frekvence 1 [Hz]", kToneMin, kToneMax).edit;
    const kw::SpinEdit f2 = rows.SpinRow(names.f2, names.f2Spin, words.f2, "Frekvence 2 [Hz]",
                                         kToneMin, kToneMax, 1, 0, names.f2Label);
    group.f2 = f2.edit;
    group.f2Spin = f2.upDown;
    group.f2Label = sheet->findChild<QLabel*>(names.f2Label);
    group.box = rows.CheckRow(names.box, words.twoTone, "Dvouton");
    if (words.cadenceCount == 2)
        cadence = rows.ComboRow(names.cadence, words.cadence, words.cadence, "Kadence", {0, 1});
    else
        cadence =
            rows.ComboRow(names.cadence, words.cadence, words.cadence, "Kadence", {0, 1, 2, 3, 4});
    return group;
}

void TFSLICParametry::ConnectTwoTone(TTwoTone& group, void (TFSLICParametry::*click)(),
                                     void (TFSLICParametry::*f1Change)()) {
    connect(group.box, &QCheckBox::toggled, this, click);
    connect(group.f1, &QLineEdit::textChanged, this, f1Change);
}

// ---------------------------------------------------------------- loading

void TFSLICParametry::LoadPage() {
    TranslatePage();
    Parameters().ClearBindings();
    BindFxs();
    const std::string& variant = Parameters().GetValue("HWVer", 0);
    const bool hasFxo = kw::HasFxoLine(variant);
    if (hasFxo)
        BindFxo();
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheet2), hasFxo);
    // Qt fills the controls of hidden tab sheets as well, so one pass does.
    ToControls();
    PageControl1->setCurrentWidget(TabSheet1);

    // A group is two-tone exactly when it was stored with two frequencies.
    for (const TTwoTone* group :
         {&m_DialTone, &m_BusyTone, &m_FxoDialTone, &m_RingBackTone, &m_FxoRingBackTone}) {
        const QSignalBlocker quiet(group->box);
        group->box->setChecked(group->f1->text() != group->f2->text());
    }
    CheckBox4Click();
    CheckBox5Click();
    CheckBox7Click();
    CheckBox8Click();
    CheckBox9Click();
    kw::RefitPage(this);
}

void TFSLICParametry::BindFxs() {
    BindCombo("FXSTypeDial", 0, ComboBox1);
    BindTrack("FXSVolRec", 0, TrackBar1);
    BindTrack("FXSVolSend", 0, TrackBar2);
    BindCheck("FXSSigBeep", 0, CheckBox1, true);
    BindEdit("FXSTimeDial", 0, Edit1);
    BindEdit("FXSTimeToAutDial", 0, Edit3);
    BindEdit("FXSHangMin", 0, Edit4);
    BindCheck("FXSSigCall", 0, CheckBox2);
    BindCombo("FXSSendClip", 0, ComboBox3);
    BindEdit("FXSNumAutDial", 0, Edit2);
    BindEdit("FXSChangePlusTo", 0, Edit5);
    BindCombo("FXSFrekvTarImp", 0, ComboBox6);
    BindCombo("FXSSigOfCall", 0, ComboBox5);
    BindCombo("FXSCallPartyCtrl", 0, ComboBox15);
    BindCombo("FXSAlertFrekv", 0, ComboBox8);
    BindCombo("FXSAlertCadency", 0, ComboBox9);
    BindCombo("FXSAlertCadencyData", 0, ComboBox12);
    BindEdit("FXSDialToneF1", 0, Edit8);
    BindEdit("FXSDialToneF2", 0, Edit9);
    BindCombo("FXSDialToneCad", 0, ComboBox4);
    BindCombo("FXSConToneCad", 0, ComboBox7);
    BindEdit("FXSConToneF1", 0, Edit10);
    BindEdit("FXSConToneF2", 0, Edit11);
    BindCombo("FXSRBToneCad", 0, ComboBox13);
    BindEdit("FXSRBToneF1", 0, Edit23);
    BindEdit("FXSRBToneF2", 0, Edit24);
    BindCombo("FXSToneAfter", 0, ComboBox2);
    BindCombo("FXSDTMFType", 0, ComboBox16);
}

void TFSLICParametry::BindFxo() {
    BindTrack("FXOVolRec", 0, TrackBar3);
    BindTrack("FXOVolSend", 0, TrackBar4);
    BindEdit("FXOAlertCount", 0, Edit12);
    BindEdit("FXOTimeFor1Dial", 0, Edit13);
    BindEdit("FXOTimeForEDial", 0, Edit6);
    BindCombo("FXODialType", 0, ComboBox10);
    BindEdit("FXOMinTimeCancel", 0, Edit7);
    BindEdit("FXOMaxTimeDial", 0, Edit14);
    BindCheck("FXOSigEDialBeep", 0, CheckBox3, true);
    BindEdit("FXODetConTone", 0, Edit15);
    BindEdit("FXODetPermTone", 0, Edit16);
    BindEdit("FXODialToneF1", 0, Edit17);
    BindEdit("FXODialToneF2", 0, Edit18);
    BindCombo("FXODialToneCad", 0, ComboBox11);
    BindEdit("FXORBToneF1", 0, Edit26);
    BindEdit("FXORBToneF2", 0, Edit25);
    BindCombo("FXORBToneCad", 0, ComboBox14);
    BindEdit("FXONumAutDial", 0, Edit19);
    BindEdit("FXOTimeToAutDial", 0, Edit20);
    BindEdit("FXODTMFCode", 0, Edit21);
    BindEdit("FXODTMFLength", 0, Edit22);
    BindCombo("FXODTMFType", 0, ComboBox17);
}

void TFSLICParametry::StorePage() {
    Parameters().FromControls();
}

void TFSLICParametry::ResizePage(int width, int height) {
    kw::FitPageToArea(this, width, height);
}

// ---------------------------------------------------------------- two tones

void TFSLICParametry::TwoToneClick(const TTwoTone& group) {
    const bool twoTones = group.box->isChecked();
    group.f2Label->setEnabled(twoTones);
    group.f2->setEnabled(twoTones);
    group.f2Spin->setEnabled(twoTones);
    F1Change(group);
}

void TFSLICParametry::F1Change(const TTwoTone& group) {
    if (!group.box->isChecked())
        group.f2->setText(group.f1->text());
}

void TFSLICParametry::CheckBox4Click() {
    TwoToneClick(m_DialTone);
}
void TFSLICParametry::CheckBox5Click() {
    TwoToneClick(m_BusyTone);
}
void TFSLICParametry::CheckBox7Click() {
    TwoToneClick(m_FxoDialTone);
}
void TFSLICParametry::CheckBox8Click() {
    TwoToneClick(m_RingBackTone);
}
void TFSLICParametry::CheckBox9Click() {
    TwoToneClick(m_FxoRingBackTone);
}
void TFSLICParametry::Edit8Change() {
    F1Change(m_DialTone);
}
void TFSLICParametry::Edit10Change() {
    F1Change(m_BusyTone);
}
void TFSLICParametry::Edit17Change() {
    F1Change(m_FxoDialTone);
}
void TFSLICParametry::Edit23Change() {
    F1Change(m_RingBackTone);
}
void TFSLICParametry::Edit26Change() {
    F1Change(m_FxoRingBackTone);
}

// ---------------------------------------------------------------- skipping spins

void TFSLICParametry::JumpSpin(CUpDown* spin, int value) {
    spin->SetPosition(value);
    spin->Associate()->setText(QString::number(value));
}

bool TFSLICParametry::UpDown13ChangingEx(int newValue, bool up) {
    if (m_InChanging || newValue != kBusyToneSkipped)
        return true;
    m_InChanging = true;
    JumpSpin(UpDown13, up ? kBusyToneSkipped + 1 : 0);
    m_InChanging = false;
    return false;
}

bool TFSLICParametry::UpDown14ChangingEx(int newValue, bool up) {
    if (m_InChanging || newValue >= kPermToneLowest)
        return true;
    m_InChanging = true;
    JumpSpin(UpDown14, up ? kPermToneLowest : 0);
    m_InChanging = false;
    return false;
}
