// The routing page: the FXS, FXO and GSM routing tables of 120 rows with their
// default routes and single settings, and the free-minutes banks. The tables
// are copied between the grids and the parameters by the page itself; the
// single settings use the ordinary bindings.
#pragma once

#include "DForm.h"
#include "RoutingColumns.h"

#include <QPointer>

#include <array>
#include <string>

class CRoutingGrid;
class CUpDown;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QScrollArea;
class QTabWidget;
class QWidget;

class TFSmerovaciTabulka : public TFDForm {
    Q_OBJECT
public:
    static constexpr int kBanks = 4;

    explicit TFSmerovaciTabulka(CPageHost& host, QWidget* parent = nullptr);

    void LoadPage() override;
    void StorePage() override;
    void ResizePage(int width, int height) override;

    // The grid of a table.
    CRoutingGrid* Grid(kw::routing::TableId table) const;

    QTabWidget* PageControl1;
    QWidget* TabSheet1; // FXS
    QWidget* TabSheet2; // FXO
    QWidget* TabSheet3; // GSM
    QWidget* TabSheet4; // banks

    CRoutingGrid* TabFXS;
    CRoutingGrid* TabFXSDef;
    CRoutingGrid* TabFXO;
    CRoutingGrid* TabFXODef;
    CRoutingGrid* TabGSM;
    CRoutingGrid* TabGSMDef;

    // FXS settings.
    QGroupBox* GroupBox1;
    QLabel* Label1;
    QLineEdit* Edit2; // Kestrel
    // FXO settings.
    QGroupBox* GroupBox2;
    QLabel* Label2;
    QComboBox* ComboBox4; // FXODirection
    QLabel* Label3;
    QLineEdit* Edit14; // FXOFollowMeNum
    QLabel* Label4;
    QLineEdit* Edit16; // FXOAlertFMCount
    CUpDown* UpDown6;
    QLabel* Label5;
    QLineEdit* Edit15; // FXOFMPassw
    QLabel* Label6;
    QLineEdit* Edit3; // FXOHangUpCode
    QLabel* Label7;
    QLineEdit* Edit4; // shows Kestrel as Edit2 does
    // GSM settings.
    QGroupBox* GroupBox3;
    QLabel* Label23;
    QLineEdit* Edit10; // GSMDISATime
    CUpDown* UpDown1;
    QLabel* Label29;
    QLineEdit* Edit11; // GSMDialFXOTime
    CUpDown* UpDown2;
    QLabel* Label24;
    QLineEdit* Edit13; // GSMCallBackTime
    CUpDown* UpDown3;
    QLabel* Label25;
    QComboBox* ComboBox2; // GSMFaxTo
    QLabel* Label26;
    QComboBox* ComboBox14; // GSMDataTo
    // Banks.
    QLabel* Label27;
    QComboBox* ComboBox18; // PermittNoBank
    QLabel* Label28;
    QLineEdit* Edit9; // TransferDate
    QLabel* Label21;
    QLabel* Label22; // date of the next transfer
    QScrollArea* ScrollBox2;
    struct TBankRow {
        QLabel* number;
        QLineEdit* freeMins;
        QLineEdit* startTime;
        QLineEdit* timeAmount;
        QLabel* remain;
    };
    std::array<TBankRow, kBanks> m_Banks;

    // The variant the grids were last laid out for.
    const std::string& LayoutVariant() const { return m_LayoutVariant; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildTemplates();
    void BuildFxsTab();
    void BuildFxoTab();
    void BuildGsmTab();
    void BuildBanksTab();

    void LayOutGrids(bool hasFxo);
    void LayOutSettings(bool hasFxo);
    void LayOutBanks();
    void ShowBankTimes(bool variantKnown);

    void ComboBox4Change();
    void Edit2Change();
    void Edit4Change();

    std::string m_LayoutVariant;
    bool m_Loaded = false;
    bool m_Mirroring = false; // an edit is copying its text to the other
};
