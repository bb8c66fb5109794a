// The main window's frame: menus, tool panel, section list, status bar and
// language buttons around the section area. It owns the application settings,
// the parameter registry and the hardware variant code, keeps the enable rules
// and the status bar in step with the link's state, and hands the commands
// that talk to the gateway to its command runner.
#pragma once

#include "AppSettings.h"
#include "EditHistory.h"
#include "GatewayCommands.h"
#include "IniFile.h"
#include "PageHost.h"
#include "Parameters.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>

class CBackupsWindow;
class CCompareWindow;
class CFileDialogs;
class CLanguage;
namespace kw {
class CIpConnection;
class CModemConnection;
class CConnectionSettings;
} // namespace kw
class CLanguageMenuQt;
class CQtUserPort;
class CSectionArea;
class QDialog;
class QLabel;
class QListWidget;
class QMenu;
class QSplitter;
class QToolButton;
class TFMonitor;
class TFNew;
class TFOAplikaci;

class TFMain : public QMainWindow, public CPageHost {
    Q_OBJECT
public:
    // Builds the window in the start-up order: folders, language, settings,
    // language buttons, the catalogue at its defaults, the pages, the refresh
    // that applies the saved language, then the window's place. No
    // configuration is held yet.
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

    kw::TAppSettings& Settings() { return m_Settings; }
    // The computer's own address, found once at start; empty when it has none.
    const std::string& OwnAddress() const { return m_OwnAddress; }
    // After a read, load or new configuration: the one letter of HWVer.
    void SetHardwareVariant(const std::string& code) { m_HWVer = code; }
    // Its link holds the connection state; the window follows its notification.
    kw::CGatewayCommands& GatewayCommands() { return m_Commands; }
    CSectionArea& Sections() { return *m_Sections; }
    // The TCP/IP link: its dialogs and call-back server.
    kw::CIpConnection& IpConnection() { return *m_IpConnection; }
    kw::CModemConnection& ModemConnection() { return *m_ModemConnection; }
    kw::CConnectionSettings& ConnectionSettings() { return *m_ConnectionSettings; }
    void SetDialing(bool dialing) { m_Dialing = dialing; }

    // After a configuration change: forget the page on view without storing it,
    // apply the language for the variant, enable the section list when a
    // configuration is held and show the selected section again, enable rules.
    void RefreshConfig();
    void EnableRules();
    std::string StatusText() const;

    // --- Seams for tests ---
    // nullptr returns to the window's own Qt user port. Not owned.
    void SetUserPort(CUserPort* port);
    // nullptr returns to the Qt file dialogs. Not owned.
    void SetFileDialogs(CFileDialogs* dialogs);
    // How modal dialogs run (default: exec); a test answers them instead.
    void SetDialogRunner(std::function<int(QDialog&)> runner);

    // --- Commands of the tool panel and the menus ---
    void LoadFromFileClicked();
    void SaveToFileClicked();
    void NewConfigurationClicked();
    void ReadFromGatewayClicked();
    void WriteToGatewayClicked();
    void UpgradeFirmwareClicked();
    // The monitor window, on the cable only; nothing else runs while it is open.
    void MonitorClicked();
    // Connect and Disconnect by the connection type (nothing on the cable).
    void ConnectionSettingsClicked();
    void ConnectClicked();
    void DisconnectClicked();
    void AboutClicked();
    void ExitClicked();
    void BackupsClicked();
    void CompareClicked();
    void RecordTracesToggled(bool on);
    void OpenTracesFolderClicked();
    // Loads a configuration file into the editor as Load from file does.
    void LoadFile(const std::string& file);
    // Shows the page of `section` and, when it has one, the control named.
    void ShowControl(int section, const std::string& control);
    // Edit menu: one committed change back or forth; the page and the control
    // that show it come into view.
    void UndoClicked();
    void RedoClicked();
    // Takes a change the user committed on the page on view into the history
    // now instead of when the event loop comes round (tests, and before undo).
    void RecordCommittedEdit();
    const kw::CEditHistory& EditHistory() const { return m_History; }
    // Application > Export report…: the configuration as PDF or HTML.
    void ExportReportClicked();
    // A language button: "Cze", "Eng", "Slo", "Ger", "Pol", "Fin", "Tur" or "Spa".
    void LanguageButtonClicked(const char* id);

    // The language buttons in order: the language each chooses and its label.
    struct TLanguageButton {
        const char* id;
        const char* label;
    };
    static constexpr std::array<TLanguageButton, 8> kLanguageButtons = {{{"Cze", "CZ"},
                                                                         {"Eng", "EN"},
                                                                         {"Slo", "SK"},
                                                                         {"Ger", "DE"},
                                                                         {"Pol", "PL"},
                                                                         {"Fin", "FI"},
                                                                         {"Tur", "TR"},
                                                                         {"Spa", "ES"}}};

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildToolPanel();
    void BuildCentre();
    void BuildMenus();
    kw::TGatewayCommandHost CommandHost();
    void ReadSettings();
    void PlaceWindow();
    void WriteSettings();
    void EnableLanguageButtons();
    void ApplyLanguage(int lang, const std::string& variant);
    void SetOwnTexts();
    void UpdateCaption();
    // The section list's choice: the page left is stored, the new one filled.
    void ShowSelectedSection();
    int RunDialog(QDialog& dialog);
    // Before Write: against the newest backup read from the editor's gateway,
    // the values that change, to write or not. True to go on.
    bool ConfirmChangesBeforeWrite();
    CCompareWindow& CompareWindow();
    void CompareWith(const CParameters& other, const QString& name);
    void CompareWithFile();
    void CompareWithFileAt(const std::string& file);
    void CompareWithGateway();
    // --- Undo and redo (MainWindowEdit.cpp) ---
    void BuildEditMenu();
    void SetEditTexts();
    // Hears the pages' committed edits and gives the routing page its file dialogs.
    void WatchPageEdits();
    void EditCommitted();
    // After a load, read or new configuration: the history starts again.
    void StartNewHistory();
    void ApplyHistoryState(const kw::TConfigState& state, const kw::TConfigState& left);
    void ShowChangedValue(const kw::TChangedValue& change);
    void EnableEditActions();
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
    bool m_PINChanged = false;
    bool m_ServisPasswChanged = false;
    kw::CGatewayCommands m_Commands{CommandHost()};

    QWidget* m_ToolPanel = nullptr;
    QToolButton* m_SettingsButton = nullptr;
    QToolButton* m_LoadButton = nullptr;
    QToolButton* m_SaveButton = nullptr;
    QToolButton* m_ConnectButton = nullptr;
    QToolButton* m_DisconnectButton = nullptr;
    QToolButton* m_NewButton = nullptr;
    QToolButton* m_ReadButton = nullptr;
    QToolButton* m_WriteButton = nullptr;
    QToolButton* m_UpgradeButton = nullptr;
    QToolButton* m_MonitorButton = nullptr;
    std::array<QToolButton*, kLanguageButtons.size()> m_LanguageButtons{};
    QListWidget* m_SectionList = nullptr;
    QSplitter* m_Splitter = nullptr;
    CSectionArea* m_Sections = nullptr;
    QLabel* m_StatusText = nullptr;
    QMenu* m_ApplicationMenu = nullptr;
    QMenu* m_GatewayMenu = nullptr;
    QAction* m_SettingsAction = nullptr;
    QAction* m_ConnectAction = nullptr;
    QAction* m_DisconnectAction = nullptr;
    QAction* m_AboutAction = nullptr;
    QAction* m_ExitAction = nullptr;
    QAction* m_LoadAction = nullptr;
    QAction* m_SaveAction = nullptr;
    QAction* m_ReadAction = nullptr;
    QAction* m_WriteAction = nullptr;
    QAction* m_UpgradeAction = nullptr;
    QAction* m_BackupsAction = nullptr;
    QAction* m_CompareAction = nullptr;
    QAction* m_RecordTracesAction = nullptr;
    QAction* m_OpenTracesAction = nullptr;
    CBackupsWindow* m_BackupsWindow = nullptr;
    CCompareWindow* m_CompareWindow = nullptr;
    QMenu* m_EditMenu = nullptr;
    QAction* m_UndoAction = nullptr;
    QAction* m_RedoAction = nullptr;
    QAction* m_ExportReportAction = nullptr;
    kw::CEditHistory m_History;
    bool m_EditCheckDue = false;  // a committed edit waits to be recorded
    bool m_NewHistoryDue = false; // a configuration came: the history starts again
    bool m_Recording = false;     // the page on view is being stored for the history
    TFNew* m_NewDialog = nullptr;
    TFOAplikaci* m_AboutBox = nullptr;
    QPointer<TFMonitor> m_MonitorWindow; // while it is open

    std::unique_ptr<CLanguageMenuQt> m_LanguageMenu; // a menu no control opens
    std::unique_ptr<CQtUserPort> m_QtPort;
    CUserPort* m_Port = nullptr;
    std::unique_ptr<CFileDialogs> m_QtFileDialogs;
    CFileDialogs* m_FileDialogs = nullptr;
    std::function<int(QDialog&)> m_RunDialog;
    // After the command runner: it works on the runner's link.
    std::unique_ptr<kw::CIpConnection> m_IpConnection;
    std::unique_ptr<kw::CModemConnection> m_ModemConnection;
    std::unique_ptr<kw::CConnectionSettings> m_ConnectionSettings;
};
