#include "SmerovaciTabulka.h"

#include "BankTime.h"
#include "Fatal.h"
#include "HardwareVariant.h"
#include "Language.h"
#include "Parameters.h"
#include "RoutingGrid.h"
#include "TranslateWidgets.h"
#include "Win1252.h"
#include "Words.h"

#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QTabWidget>

#include <algorithm>

using kw::routing::TableId;

CRoutingGrid* TFSmerovaciTabulka::Grid(TableId table) const {
    return m_Grids[static_cast<size_t>(table)];
}

void TFSmerovaciTabulka::LoadPage() {
    TranslatePage();
    CParameters& p = Parameters();
    const std::string variant = ConfigurationVariant();
    // An edit still open would later write its stale text over the new values.
    for (CRoutingGrid* grid : m_Grids)
        grid->CancelEditing();
    ShowVariant(variant);
    ShowBankTimes(!variant.empty());
    ToControls();
    FxoDirectionChanged();

    LayOutSettings();
    LayOutGrids(variant);
    for (CRoutingGrid* grid : m_Grids)
        grid->SetTexts(Language());
    m_LayoutVariant = variant;
    Grid(TableId::FXSDef)->Load(p);
    Grid(TableId::FXS)->Load(p);
    Grid(TableId::FXSDef)->setCurrentCell(0, 3);
    if (kw::HasFxoLine(variant)) {
        Grid(TableId::FXODef)->Load(p);
        Grid(TableId::FXO)->Load(p);
        Grid(TableId::FXODef)->setCurrentCell(0, 2);
    }
    Grid(TableId::GSMDef)->Load(p);
    Grid(TableId::GSM)->Load(p);
    Grid(TableId::GSMDef)->setCurrentCell(0, 2);
    MainTabs()->setCurrentIndex(0);
    // The page is as wide as designed or as its widest grid needs; a variant
    // with fewer columns gives the room back.
    layout()->activate();
    resize(std::max<int>(kDesignWidth, minimumSizeHint().width()), height());
    m_Loaded = true;
}

void TFSmerovaciTabulka::StorePage() {
    // Before the first load the grids hold nothing.
    if (!m_Loaded)
        return;
    CParameters& p = Parameters();
    const bool hasFxo = kw::HasFxoLine(m_LayoutVariant);
    for (CRoutingGrid* grid : m_Grids)
        grid->FinishEditing();
    // Without an FXO line the FXO tables and the FXS direction are not on
    // view, so their parameters keep what they hold.
    Grid(TableId::FXSDef)->StoreRow(p, 0);
    if (hasFxo)
        Grid(TableId::FXODef)->StoreRow(p, 0);
    Grid(TableId::GSMDef)->StoreRow(p, 0);
    for (int r = 0; r < kw::routing::kRoutingRows; ++r) {
        Grid(TableId::FXS)->StoreRow(p, r);
        if (hasFxo)
            Grid(TableId::FXO)->StoreRow(p, r);
        Grid(TableId::GSM)->StoreRow(p, r);
    }
    FromControls();
}

void TFSmerovaciTabulka::ResizePage(int width, int height) {
    (void)width;
    resize(this->width(), std::max(height, 8 * Grid(TableId::FXSDef)->height()));
}

void TFSmerovaciTabulka::ShowBankTimes(bool variantKnown) {
    const CParameters& p = Parameters();
    const QColor normal = palette().color(QPalette::WindowText);
    const QString unknown = QString::fromStdString(Language().GetText(kw::word::kNotKnown));
    for (int i = 0; i < kBanks; ++i) {
        QLabel* label = m_Banks[i].remain;
        bool red = false;
        if (variantKnown) {
            const kw::routing::TRemainTime t = kw::routing::FormatRemainTime(
                p.GetValue("RemainMins", i), p.GetValue("RemainSecs", i));
            label->setText(kw::BytesToQString(t.text));
            red = t.overdrawn;
        } else {
            label->setText(unknown);
        }
        QPalette colours = label->palette();
        colours.setColor(QPalette::WindowText, red ? QColor(Qt::red) : normal);
        label->setPalette(colours);
    }
    m_NextTransfer->setText(variantKnown
                                ? kw::BytesToQString(kw::routing::FormatTransferDate(
                                      p.GetValue("TransferYear", 0), p.GetValue("TransferMonth", 0),
                                      p.GetValue("TransferDay", 0)))
                                : unknown);
}

void TFSmerovaciTabulka::FxoDirectionChanged() {
    const int index = m_FxoDirection->currentIndex();
    const bool byTable = index >= 0 && kw::ComboItemValue(m_FxoDirection, index, index) == 1;
    // A disabled grid draws its texts in the grey of disabled text.
    Grid(TableId::FXO)->setEnabled(byTable);
    Grid(TableId::FXODef)->setEnabled(byTable);
}

void TFSmerovaciTabulka::ConsoleNumberEdited(QLineEdit* edited, QLineEdit* copy) {
    if (m_Mirroring)
        return;
    m_Mirroring = true;
    copy->setText(edited->text());
    m_Mirroring = false;
}
