#include "SmerovaciTabulka.h"

#include "HardwareVariant.h"
#include "BankTime.h"
#include "Fatal.h"
#include "Language.h"
#include "PageLayout.h"
#include "Parameters.h"
#include "RoutingGrid.h"
#include "TranslateWidgets.h"
#include "Win1252.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

using kw::routing::TableId;

namespace {

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The word shown where a value needs a configuration and none is held.
constexpr int kUnknownWord = 101;

} // namespace

TFSmerovaciTabulka::TFSmerovaciTabulka(CPageHost& host, QWidget* parent) : TFDForm(host, parent) {
    setObjectName("FSmerovaciTabulka");
    BuildTemplates();
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    auto* layout = new QVBoxLayout(this);
    kw::SetPageMargins(layout);
    layout->addWidget(PageControl1);
    BuildFxsTab();
    BuildFxoTab();
    BuildGsmTab();
    BuildBanksTab();

    connect(ComboBox4, &QComboBox::currentIndexChanged, this, [this] { ComboBox4Change(); });
    connect(Edit2, &QLineEdit::textChanged, this, [this] { Edit2Change(); });
    connect(Edit4, &QLineEdit::textChanged, this, [this] { Edit4Change(); });
    Edit4->installEventFilter(this);
    // Until the first load the grids show the layout of a line with FXO.
    LayOutGrids(true);
    resize(kDesignWidth, kDesignHeight);
}

CRoutingGrid* TFSmerovaciTabulka::Grid(TableId table) const {
    switch (table) {
    case TableId::FXS:
        return TabFXS;
    case TableId::FXSDef:
        return TabFXSDef;
    case TableId::FXO:
        return TabFXO;
    case TableId::FXODef:
        return TabFXODef;
    case TableId::GSM:
        return TabGSM;
    case TableId::GSMDef:
        return TabGSMDef;
    }
    KW_ASSERT(false);
    return nullptr;
}

void TFSmerovaciTabulka::LoadPage() {
    TranslatePage();
    CParameters& p = Parameters();
    const std::string variant = p.GetValue("HWVer", 0);
    const bool hasFxo = kw::HasFxoLine(variant);
    // An edit still open would later write its stale text over the new values.
    for (TableId t : {TableId::FXS, TableId::FXSDef, TableId::FXO, TableId::FXODef, TableId::GSM,
                      TableId::GSMDef})
        Grid(t)->CancelEditing();

    p.ClearBindings();
    BindEdit("Kestrel", 0, Edit2);
    if (hasFxo) {
        BindCombo("FXODirection", 0, ComboBox4);
        BindEdit("FXOFollowMeNum", 0, Edit14);
        BindEdit("FXOAlertFMCount", 0, Edit16);
        BindEdit("FXOFMPassw", 0, Edit15);
        BindEdit("FXOHangUpCode", 0, Edit3);
        BindEdit("GSMDialFXOTime", 0, Edit11);
    }
    BindEdit("GSMDISATime", 0, Edit10);
    BindEdit("GSMCallBackTime", 0, Edit13);
    BindCombo("GSMFaxTo", 0, ComboBox2);
    BindCombo("GSMDataTo", 0, ComboBox14);
    BindCombo("PermittNoBank", 0, ComboBox18);
    BindEdit("TransferDate", 0, Edit9);
    for (int i = 0; i < kBanks; ++i) {
        BindEdit("FreeMins", i, m_Banks[i].freeMins);
        BindEdit("StartTime", i, m_Banks[i].startTime);
        BindEdit("TimeAmount", i, m_Banks[i].timeAmount);
        m_Banks[i].number->setText(QString::number(i + 1) + QLatin1Char('.'));
    }
    ShowBankTimes(!variant.empty());
    ToControls();
    {
        // The FXO tab's copy of the operator console number follows Edit2.
        const QSignalBlocker quiet(Edit4);
        Edit4->setText(Edit2->text());
    }
    ComboBox4Change();

    LayOutSettings(hasFxo);
    LayOutGrids(hasFxo);
    for (TableId t : {TableId::FXS, TableId::FXSDef, TableId::FXO, TableId::FXODef, TableId::GSM,
                      TableId::GSMDef})
        Grid(t)->SetTexts(Language());
    m_LayoutVariant = variant;
    TabFXSDef->Load(p);
    TabFXS->Load(p);
    TabFXSDef->setCurrentCell(0, 3);
    if (hasFxo) {
        TabFXODef->Load(p);
        TabFXO->Load(p);
        TabFXODef->setCurrentCell(0, 2);
    }
    TabGSMDef->Load(p);
    TabGSM->Load(p);
    TabGSMDef->setCurrentCell(0, 2);
    PageControl1->setCurrentWidget(TabSheet1);
    // The page is as wide as designed or as its widest grid needs; a variant
    // with fewer columns gives the room back.
    layout()->activate();
    resize(std::max<int>(kDesignWidth, minimumSizeHint().width()), height());
    m_Loaded = true;
}

void TFSmerovaciTabulka::StorePage() {
    // Before the first load the grids hold nothing and the binding list is
    // another page's.
    if (!m_Loaded)
        return;
    CParameters& p = Parameters();
    const bool hasFxo = kw::HasFxoLine(m_LayoutVariant);
    for (TableId t : {TableId::FXS, TableId::FXSDef, TableId::FXO, TableId::FXODef, TableId::GSM,
                      TableId::GSMDef})
        Grid(t)->FinishEditing();
    // Without an FXO line the FXO tables and the FXS direction are not on
    // view, so their parameters keep what they hold.
    TabFXSDef->StoreRow(p, 0);
    if (hasFxo)
        TabFXODef->StoreRow(p, 0);
    TabGSMDef->StoreRow(p, 0);
    for (int r = 0; r < kw::routing::kRoutingRows; ++r) {
        TabFXS->StoreRow(p, r);
        if (hasFxo)
            TabFXO->StoreRow(p, r);
        TabGSM->StoreRow(p, r);
    }
    p.FromControls();
}

void TFSmerovaciTabulka::ResizePage(int width, int height) {
    (void)width;
    resize(this->width(), std::max(height, 8 * TabFXSDef->height()));
}

void TFSmerovaciTabulka::ShowBankTimes(bool variantKnown) {
    const CParameters& p = Parameters();
    const QColor normal = palette().color(QPalette::WindowText);
    for (int i = 0; i < kBanks; ++i) {
        QLabel* label = m_Banks[i].remain;
        bool red = false;
        if (variantKnown) {
            const kw::routing::TRemainTime t = kw::routing::FormatRemainTime(
                p.GetValue("RemainMins", i), p.GetValue("RemainSecs", i));
            label->setText(kw::BytesToQString(t.text));
            red = t.overdrawn;
        } else {
            label->setText(Utf8(Language().GetText(kUnknownWord)));
        }
        QPalette colours = label->palette();
        colours.setColor(QPalette::WindowText, red ? QColor(Qt::red) : normal);
        label->setPalette(colours);
    }
    Label22->setText(variantKnown
                         ? kw::BytesToQString(kw::routing::FormatTransferDate(
                               p.GetValue("TransferYear", 0), p.GetValue("TransferMonth", 0),
                               p.GetValue("TransferDay", 0)))
                         : Utf8(Language().GetText(kUnknownWord)));
}

void TFSmerovaciTabulka::ComboBox4Change() {
    const int index = ComboBox4->currentIndex();
    const bool byTable = index >= 0 && kw::ComboItemValue(ComboBox4, index, index) == 1;
    // A disabled grid draws its texts in the grey of disabled text.
    TabFXO->setEnabled(byTable);
    TabFXODef->setEnabled(byTable);
}

void TFSmerovaciTabulka::Edit2Change() {
    if (m_Mirroring)
        return;
    m_Mirroring = true;
    Edit4->setText(Edit2->text());
    m_Mirroring = false;
}

void TFSmerovaciTabulka::Edit4Change() {
    if (m_Mirroring)
        return;
    m_Mirroring = true;
    Edit2->setText(Edit4->text());
    m_Mirroring = false;
}

bool TFSmerovaciTabulka::eventFilter(QObject* watched, QEvent* event) {
    // Edit4 is not bound (Edit2 carries the value), yet it settles its text on
    // leaving like every other field; Edit2 follows through the mirror.
    if (watched == Edit4 && event->type() == QEvent::FocusOut) {
        std::string text = kw::QStringToBytes(Edit4->text());
        Parameters().NormalizeByName("Kestrel", text);
        const QString shown = kw::BytesToQString(text);
        if (shown != Edit4->text())
            Edit4->setText(shown);
        return false;
    }
    return TFDForm::eventFilter(watched, event);
}
