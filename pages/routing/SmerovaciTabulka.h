// The routing page ("Smerovani"): the FXS, FXO and GSM routing tables of 120
// rows with their default routes and single settings, and the free-minutes
// banks (config/pages/RoutingPage.cpp). The tables are copied between the grids
// and the parameters by the page itself; the single settings are bound. The
// FXO tables take input only while FXO calls are routed by table, and the
// operator console number shows on the FXS and the FXO sheet alike.
#pragma once

#include "DeclaredPage.h"
#include "RoutingColumns.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

class CRoutingGrid;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

class TFSmerovaciTabulka : public TFDeclaredPage {
    Q_OBJECT
public:
    static constexpr int kBanks = 4;

    explicit TFSmerovaciTabulka(CPageHost& host, QWidget* parent = nullptr);

    void LoadPage() override;
    void StorePage() override;
    void ResizePage(int width, int height) override;

    CRoutingGrid* Grid(kw::routing::TableId table) const;

    // Asks for the spreadsheet file to write (save) or read; nullopt when the
    // user cancels. The main window answers with its file dialogs.
    using FileAsker = std::function<std::optional<std::string>(bool save)>;
    void SetFileAsker(FileAsker asker) { m_AskFile = std::move(asker); }
    // The routing table of the sheet in view as a spreadsheet, and back: an
    // import changes nothing unless every cell is good, and then shows the
    // table anew. Each reports its failure to the user; true on success.
    bool ExportTableTo(const std::string& file);
    bool ImportTableFrom(const std::string& file);
    void ExportTableClicked();
    void ImportTableClicked();

signals:
    // The page's values changed other than by an edit of one of its controls
    // (an import): one step for undo.
    void TableImported();

protected:
    QWidget* PlaceGroup(const kw::pages::TGroup& group, QWidget* in) override;

private:
    // The read-only texts of a bank: its number and its remaining time.
    struct TBankDisplays {
        QLabel* number;
        QLabel* remain;
    };

    void BuildBankDisplays();
    void BuildTableButtons();
    void StackSheets();
    // The rows built in a group box or on a sheet, in declaration order.
    std::vector<kw::TBuiltRow> RowsIn(const QWidget* container) const;

    void LayOutGrids(const std::string& variant);
    void LayOutSettings();
    void LayOutBanks();
    void ShowBankTimes(bool variantKnown);

    // FXO calls routed by table (the second item): the FXO tables take input.
    void FxoDirectionChanged();
    // Either copy of the operator console number edited: the other follows.
    void ConsoleNumberEdited(QLineEdit* edited, QLineEdit* copy);

    std::array<CRoutingGrid*, 6> m_Grids{};
    QScrollArea* m_BankArea = nullptr;
    std::array<TBankDisplays, kBanks> m_Banks{};
    QLabel* m_NextTransferCaption = nullptr;
    QLabel* m_NextTransfer = nullptr;
    QComboBox* m_FxoDirection = nullptr;
    QLineEdit* m_ConsoleNumber = nullptr;     // on the FXS sheet
    QLineEdit* m_ConsoleNumberCopy = nullptr; // on the FXO sheet
    QPushButton* m_ExportButton = nullptr;
    QPushButton* m_ImportButton = nullptr;
    FileAsker m_AskFile;

    std::string m_LayoutVariant; // the variant the grids were last laid out for
    bool m_Loaded = false;
    bool m_Mirroring = false; // an edit is copying its text to the other
};
