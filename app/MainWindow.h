// The main window: owner of the application settings, the parameter registry,
// the hardware variant code, the connection flags, the section pages and the
// progress window. It runs the commands of the tool panel and the two menus,
// switches the section pages and keeps the enable rules and the status bar in
// step with the connection state.
#pragma once

#include "AppSettings.h"
#include "COMTerminal.h"
#include "ConfigTransfer.h"
#include "FirmwareUpgrade.h"
#include "GatewayLink.h"
#include "IniFile.h"
#include "PageHost.h"
#include "Parameters.h"
#include "SectionPages.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class CFileDialogs;
class CLanguage;
class CLanguageMenuQt;
class CQtUserPort;
class QDialog;
class QLabel;
class QListWidget;
class QMenu;
class QScrollArea;
class QSplitter;
class QToolButton;
class TFDForm;
class TFNew;
class TFOAplikaci;

class TFMain : public QMainWindow, public CPageHost {
    Q_OBJECT
public:
    // Builds the window in the start-up order: folders, language, settings,
    // language buttons, the catalogue at its defaults, the pages, then the
    // refresh that applies the saved language. No configuration is held yet.
    explicit TFMain(CLanguage& language);
    ~TFMain() override;

    // --- CPageHost ---
    CParameters& Parameters() override { return m_Parameters; }
    CLanguage& Language() override { return m_Language; }
    CUserPort& UserPort() override { return *m_Port; }
    const std::string& HardwareVariant() const override { return m_HWVer; }
    bool PinChanged() const override { return m_PINChanged; }
    void SetPinChanged(bool changed) override { m_PINChanged = changed; }
    bool ServisPasswChanged() const override { return m_ServisPasswChanged; }
    void SetServisPasswChanged(bool changed) override { m_ServisPasswChanged = changed; }
    // top = main top + (main height - dialog height) / 2, left likewise, never below 0.
    void CenterDialog(QWidget& dialog) override;

    // --- State held for the link, transfer and dial-up code ---
    kw::TAppSettings& Settings() { return m_Settings; }
    const kw::TAppSettings& Settings() const { return m_Settings; }
    // The computer's own address, found once at start; empty when it has none.
    const std::string& OwnAddress() const { return m_OwnAddress; }
    const std::string& DataFolder() const { return m_DataFolder; }
    const std::string& ProgramFolder() const { return m_ProgramFolder; }
    // After a read, load or new configuration: the one letter of HWVer.
    void SetHardwareVariant(const std::string& code) { m_HWVer = code; }
    // The link state and the link facade: the connection flags, the exchange-open
    // flag, the closing flag and the cancel latches live there.
    kw::CGatewayLink& Link() { return m_Link; }
    CCOMTerminal& Terminal() { return m_Terminal; }
    bool Connected() const { return m_Link.m_Connected; }
    void SetConnected(bool connected) { m_Link.m_Connected = connected; }
    bool CallInProgress() const { return m_Link.m_CallInProgress; }
    bool Dialing() const { return m_Dialing; }
    void SetDialing(bool dialing) { m_Dialing = dialing; }
    // The serial cable's exchange is open (the gateway waits for commands).
    bool ExchangeOpen() const { return m_Link.m_ExchangeOpen; }
    void SetExchangeOpen(bool open) { m_Link.m_ExchangeOpen = open; }
    // Set when the window has closed; ends the idle waits of the link.
    bool Closing() const { return m_Link.m_Closing; }
    // A Read, Write or Upgrade is running.
    bool GatewayBusy() const { return m_GatewayBusy; }

    // --- Operations the other commands call ---
    // The link's state notification: stores both flags, runs the enable rules.
    void LinkStateNotify(bool connected, bool callInProgress);
    // After a configuration change: forget the page on view without storing it,
    // apply the language for the variant, enable the section list when a
    // configuration is held and show the selected section again, enable rules.
    void RefreshConfig();
    void EnableRules();
    void ApplyLanguage(int lang, const std::string& variant);
    // StorePage / LoadPage of the page on view, if any.
    void StoreCurrentPage();
    void LoadCurrentPage();
    TFDForm* CurrentPage() const { return m_CurrentPage; }
    int CurrentSection() const;
    // The shared progress window, through the user port.
    void ShowProgress(const std::string& text, bool withBar);
    void ShowProgressWord(int word, bool withBar);
    void HideProgress();
    std::string StatusText() const;

    // --- Seams for tests ---
    // nullptr returns to the window's own Qt user port. Not owned.
    void SetUserPort(CUserPort* port);
    // nullptr returns to the Qt file dialogs. Not owned.
    void SetFileDialogs(CFileDialogs* dialogs);
    // How modal dialogs run (default: exec); a test answers them instead.
    void SetDialogRunner(std::function<int(QDialog&)> runner);
    // Puts a page in place of a section's page; the window takes ownership.
    void SetSectionPage(int section, TFDForm* page);
    TFDForm* SectionPage(int section) const;

    // --- Commands ---
    void BSettingClick();      // connection settings
    void EzRgnBtn4Click();     // load a configuration file
    void EzRgnBtn5Click();     // save a configuration file
    void SpeedButton6Click();  // connect
    void SpeedButton8Click();  // disconnect
    void SpeedButton10Click(); // new configuration
    void EzRgnBtn2Click();     // read from the gateway
    void EzRgnBtn3Click();     // write to the gateway
    void EzRgnBtn1Click();     // firmware upgrade
    void SpeedButton9Click();  // monitor
    void BHelpClick();         // about box
    void BExitClick();         // exit
    // A language button: "Cze", "Eng", "Slo", "Ger", "Pol", "Fin", "Tur" or "Spa".
    void LanguageButtonClick(const char* id);
    // The section list's click: store the page left, fill and show the new one.
    void ListBox1Click();

    // --- Controls, by their form names ---
    QWidget* Panel1;
    QToolButton* SpeedButton1;
    QToolButton* SpeedButton2;
    QToolButton* SpeedButton3;
    QToolButton* SpeedButton4;
    QToolButton* SpeedButton5;
    QToolButton* SpeedButton6;
    QToolButton* SpeedButton7;
    QToolButton* SpeedButton8;
    QToolButton* SpeedButton9;
    QToolButton* SpeedButton10;
    // In the order of kLanguageIds.
    std::array<QToolButton*, 8> LanguageButtons;
    QListWidget* ListBox1;
    QSplitter* Splitter1;
    QLabel* Panel1C;
    QScrollArea* ScrollBox1;
    QLabel* StatusBar1Text;
    QMenu* Aplikace1;
    QMenu* Brana1;
    QAction* Nastaveni2;
    QAction* Navazatspojeni1;
    QAction* Ukoncitspojeni1;
    QAction* Oaplikaci1;
    QAction* Ukoncit1;
    QAction* Nacistzesouboru1;
    QAction* Ulozitdosouboru1;
    QAction* Nacistzbrany1;
    QAction* Ulozitdobrany1;
    QAction* Upgradefirmware1;
    TFNew* FNew;
    TFOAplikaci* FOAplikaci;

    // The language identifiers of the language buttons, in button order.
    static constexpr std::array<const char*, 8> kLanguageIds = {"Cze", "Eng", "Slo", "Ger",
                                                                "Pol", "Fin", "Tur", "Spa"};

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildMenus();
    void ReadSettings();
    void WriteSettings();
    void EnableLanguageButtons();
    void SetOwnTexts();
    void UpdateCaption();
    void ForgetPage();
    void FormClose();
    // The link follows the settings: the cable's port and the connection type.
    void SyncLinkSettings();
    kw::TTransferHost TransferHost();
    // Runs a command that talks to the gateway. Its waits handle window events,
    // so a second click could start another exchange in the middle of this one:
    // while one runs, the others are ignored, and a close waits for its end.
    void RunGatewayCommand(const std::function<void()>& command);
    kw::TUpgradeHost UpgradeHost();
    int RunDialog(QDialog& dialog);
    QString Text(int word) const;

    CLanguage& m_Language;
    CParameters m_Parameters;
    kw::CIniFile m_Ini;
    kw::TAppSettings m_Settings;
    std::string m_DataFolder;
    std::string m_ProgramFolder;
    std::string m_OwnAddress;
    std::string m_HWVer;
    bool m_Dialing = false;
    bool m_GatewayBusy = false;   // a gateway command is running
    bool m_CloseRequested = false; // the window closes when it has ended
    bool m_PINChanged = false;
    bool m_ServisPasswChanged = false;
    CCOMTerminal m_Terminal;
    kw::CGatewayLink m_Link{m_Terminal};
    std::vector<uint8_t> m_Firmware; // the whole firmware file of an upgrade

    std::array<TFDForm*, kw::kSectionCount> m_Pages{};
    TFDForm* m_CurrentPage = nullptr;
    QWidget* m_PageHolder = nullptr; // keeps the pages that are not on view

    QMenu* PopupMenu1 = nullptr; // the language menu; no control opens it
    std::unique_ptr<CLanguageMenuQt> m_LanguageMenu;
    std::unique_ptr<CQtUserPort> m_QtPort;
    CUserPort* m_Port = nullptr;
    std::unique_ptr<CFileDialogs> m_QtFileDialogs;
    CFileDialogs* m_FileDialogs = nullptr;
    std::function<int(QDialog&)> m_RunDialog;
};
