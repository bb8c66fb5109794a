#include "MainWindow.h"

#include "About.h"
#include "AppLog.h"
#include "CompareWindow.h"
#include "ConnectionSettings.h"
#include "DForm.h"
#include "EnableRules.h"
#include "FileDialogs.h"
#include "Folders.h"
#include "HardwareVariant.h"
#include "HintPause.h"
#include "IpConnection.h"
#include "Language.h"
#include "LanguageMenuQt.h"
#include "ModemConnection.h"
#include "MonitorWindow.h"
#include "New.h"
#include "OwnAddress.h"
#include "ParameterCatalogue.h"
#include "ProgramFolder.h"
#include "QtUserPort.h"
#include "SectionArea.h"
#include "TranslateWidgets.h"
#include "Words.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kSpeedButtonWidth = 26;
constexpr int kSectionListWidth = 121;
constexpr int kHintPauseMs = 120000;

// A glyph from the desktop's icon theme, else the toolkit's own.
QIcon Glyph(const char* themeName, QStyle::StandardPixmap fallback) {
    return QIcon::fromTheme(themeName, QApplication::style()->standardIcon(fallback));
}

} // namespace

TFMain::TFMain(CLanguage& language) : m_Language(language) {
    setObjectName("FMain");
    kw::SetWidgetTag(this, 0);
    BuildToolPanel();
    BuildCentre();
    BuildMenus();

    // The data folder is created now; the program folder holds the languages.
    m_DataFolder = kw::DataFolder();
    m_ProgramFolder = kw::ProgramFolder();

    auto* languagePopup = new QMenu(this);
    languagePopup->setObjectName("PopupMenu1");
    m_LanguageMenu = std::make_unique<CLanguageMenuQt>(languagePopup, m_Language);
    m_Language.Init(m_ProgramFolder, m_LanguageMenu.get(),
                    [this](int lang, const std::string& variant) { ApplyLanguage(lang, variant); });

    m_QtPort = std::make_unique<CQtUserPort>(*this, m_Language,
                                             [this](QWidget& dialog) { CenterDialog(dialog); });
    m_Port = m_QtPort.get();
    m_QtFileDialogs = std::make_unique<CQtFileDialogs>(this);
    m_FileDialogs = m_QtFileDialogs.get();
    m_RunDialog = [](QDialog& dialog) { return dialog.exec(); };

    ReadSettings();
    EnableLanguageButtons();

    kw::RegisterCatalogue(m_Parameters);
    m_Parameters.ResetAll();
    m_PINChanged = false;
    m_ServisPasswChanged = false;

    kw::InstallHintPause(kHintPauseMs);
    m_Commands.Link().SetStateObserver([this] { EnableRules(); });
    m_IpConnection = std::make_unique<kw::CIpConnection>(kw::TIpWindow{
        *this, m_Language, m_Commands.Link(), m_Settings,
        [this]() -> CUserPort& { return *m_Port; },
        [this](QWidget& dialog) { CenterDialog(dialog); },
        [this](QDialog& dialog) { return RunDialog(dialog); }, [this] { EnableRules(); }});
    m_ModemConnection = std::make_unique<kw::CModemConnection>(kw::TModemWindow{
        *this, m_Language, m_Commands, m_Settings, [this]() -> CUserPort& { return *m_Port; },
        [this](QWidget& window) { CenterDialog(window); },
        [this](bool dialling) { m_Dialing = dialling; }, [this] { EnableRules(); }});
    m_ConnectionSettings = std::make_unique<kw::CConnectionSettings>(kw::TSettingsWindow{
        *this, m_Language, m_Commands, m_Settings, [this]() -> CUserPort& { return *m_Port; },
        [this](QWidget& dialog) { CenterDialog(dialog); },
        [this](QDialog& dialog) { return RunDialog(dialog); },
        [this] { m_ModemConnection->HangUp(); }, [this] { EnableRules(); },
        [this] {
            // The page on view is stored first, so nothing typed on it is lost.
            m_Sections->StoreCurrentPage();
            RefreshConfig();
            m_Sections->LoadCurrentPage();
        },
        [] { return kw::SystemPorts(); }});

    m_NewDialog = new TFNew(m_Language, this);
    m_AboutBox = new TFOAplikaci(m_Language, m_ProgramFolder, this);
    for (int section = 0; section < kw::kSectionCount; ++section)
        m_Sections->SetPage(section, kw::CreateSectionPage(section, *this, m_Sections));
    WatchPageEdits();

    RefreshConfig();
    PlaceWindow();
}

TFMain::~TFMain() = default;

void TFMain::BuildToolPanel() {
    m_ToolPanel = new QWidget(this);
    m_ToolPanel->setObjectName("Panel1");
    auto* tools = new QHBoxLayout(m_ToolPanel);
    tools->setContentsMargins(4, 2, 4, 2);
    tools->setSpacing(1);
    struct Button {
        QToolButton* TFMain::*member;
        const char* name;
        const char* theme;
        QStyle::StandardPixmap fallback;
        void (TFMain::*clicked)();
    };
    // Left to right in this order.
    const Button buttons[] = {
        {&TFMain::m_SettingsButton, "SpeedButton5", "preferences-system",
         QStyle::SP_FileDialogDetailedView, &TFMain::ConnectionSettingsClicked},
        {&TFMain::m_LoadButton, "SpeedButton3", "document-open", QStyle::SP_DialogOpenButton,
         &TFMain::LoadFromFileClicked},
        {&TFMain::m_SaveButton, "SpeedButton4", "document-save", QStyle::SP_DialogSaveButton,
         &TFMain::SaveToFileClicked},
        {&TFMain::m_ConnectButton, "SpeedButton6", "network-connect", QStyle::SP_DriveNetIcon,
         &TFMain::ConnectClicked},
        {&TFMain::m_DisconnectButton, "SpeedButton8", "network-disconnect", QStyle::SP_BrowserStop,
         &TFMain::DisconnectClicked},
        {&TFMain::m_NewButton, "SpeedButton10", "document-new", QStyle::SP_FileIcon,
         &TFMain::NewConfigurationClicked},
        {&TFMain::m_ReadButton, "SpeedButton1", "go-down", QStyle::SP_ArrowDown,
         &TFMain::ReadFromGatewayClicked},
        {&TFMain::m_WriteButton, "SpeedButton2", "go-up", QStyle::SP_ArrowUp,
         &TFMain::WriteToGatewayClicked},
        {&TFMain::m_UpgradeButton, "SpeedButton7", "system-software-update",
         QStyle::SP_BrowserReload, &TFMain::UpgradeFirmwareClicked},
        {&TFMain::m_MonitorButton, "SpeedButton9", "utilities-system-monitor",
         QStyle::SP_ComputerIcon, &TFMain::MonitorClicked},
    };
    for (const Button& design : buttons) {
        auto* button = new QToolButton(m_ToolPanel);
        button->setObjectName(design.name);
        button->setAutoRaise(true);
        button->setIcon(Glyph(design.theme, design.fallback));
        button->setIconSize(QSize(18, 18));
        button->setFixedSize(kSpeedButtonWidth, kSpeedButtonWidth);
        if (design.clicked)
            connect(button, &QToolButton::clicked, this, design.clicked);
        tools->addWidget(button);
        this->*design.member = button;
    }
    tools->addStretch();
    for (size_t i = 0; i < kLanguageButtons.size(); ++i) {
        auto* button = new QToolButton(m_ToolPanel);
        const char* id = kLanguageButtons[i].id;
        button->setObjectName(QString("BL") + id);
        button->setText(kLanguageButtons[i].label);
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setMinimumHeight(kSpeedButtonWidth);
        button->setMinimumWidth(button->minimumSizeHint().width());
        button->setEnabled(false);
        connect(button, &QToolButton::clicked, this, [this, id] { LanguageButtonClicked(id); });
        tools->addWidget(button);
        m_LanguageButtons[i] = button;
    }
}

void TFMain::BuildCentre() {
    m_SectionList = new QListWidget(this);
    m_SectionList->setObjectName("ListBox1");
    for (int i = 0; i < kw::kSectionCount; ++i)
        m_SectionList->addItem(QString());
    connect(m_SectionList, &QListWidget::currentRowChanged, this, &TFMain::ShowSelectedSection);
    // Choosing the section on view again brings back a page that closed itself.
    connect(m_SectionList, &QListWidget::itemClicked, this, [this] {
        const TFDForm* page = m_Sections->CurrentPage();
        if (page == nullptr || !page->isVisible())
            ShowSelectedSection();
    });
    m_Sections = new CSectionArea(this);

    m_Splitter = new QSplitter(Qt::Horizontal, this);
    m_Splitter->setObjectName("Splitter1");
    m_Splitter->addWidget(m_SectionList);
    m_Splitter->addWidget(m_Sections);
    m_Splitter->setStretchFactor(1, 1);
    m_Splitter->setCollapsible(0, false);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_ToolPanel);
    layout->addWidget(m_Splitter, 1);
    setCentralWidget(central);

    m_StatusText = new QLabel(this);
    m_StatusText->setObjectName("StatusBar1Text");
    statusBar()->setObjectName("StatusBar1");
    statusBar()->addWidget(m_StatusText, 1);
}

void TFMain::BuildMenus() {
    auto item = [this](QMenu* menu, const char* name, void (TFMain::*handler)()) {
        QAction* action = menu->addAction(QString());
        action->setObjectName(name);
        if (handler)
            connect(action, &QAction::triggered, this, handler);
        return action;
    };
    m_ApplicationMenu = menuBar()->addMenu(QString());
    m_ApplicationMenu->setObjectName("Aplikace1");
    m_SettingsAction = item(m_ApplicationMenu, "Nastaveni2", &TFMain::ConnectionSettingsClicked);
    m_ApplicationMenu->addSeparator();
    m_ConnectAction = item(m_ApplicationMenu, "Navazatspojeni1", &TFMain::ConnectClicked);
    m_DisconnectAction = item(m_ApplicationMenu, "Ukoncitspojeni1", &TFMain::DisconnectClicked);
    m_ApplicationMenu->addSeparator();
    m_BackupsAction = item(m_ApplicationMenu, "BackupsItem", &TFMain::BackupsClicked);
    m_CompareAction = item(m_ApplicationMenu, "CompareItem", &TFMain::CompareClicked);
    m_ApplicationMenu->addSeparator();
    m_AboutAction = item(m_ApplicationMenu, "Oaplikaci1", &TFMain::AboutClicked);
    m_ExitAction = item(m_ApplicationMenu, "Ukoncit1", &TFMain::ExitClicked);

    m_GatewayMenu = menuBar()->addMenu(QString());
    m_GatewayMenu->setObjectName("Brana1");
    m_LoadAction = item(m_GatewayMenu, "Nacistzesouboru1", &TFMain::LoadFromFileClicked);
    m_SaveAction = item(m_GatewayMenu, "Ulozitdosouboru1", &TFMain::SaveToFileClicked);
    m_GatewayMenu->addSeparator();
    m_ReadAction = item(m_GatewayMenu, "Nacistzbrany1", &TFMain::ReadFromGatewayClicked);
    m_WriteAction = item(m_GatewayMenu, "Ulozitdobrany1", &TFMain::WriteToGatewayClicked);
    m_GatewayMenu->addSeparator();
    m_UpgradeAction = item(m_GatewayMenu, "Upgradefirmware1", &TFMain::UpgradeFirmwareClicked);
    m_GatewayMenu->addSeparator();
    m_RecordTracesAction = item(m_GatewayMenu, "RecordTracesItem", nullptr);
    m_RecordTracesAction->setCheckable(true);
    connect(m_RecordTracesAction, &QAction::toggled, this, &TFMain::RecordTracesToggled);
    m_OpenTracesAction = item(m_GatewayMenu, "OpenTracesItem", &TFMain::OpenTracesFolderClicked);
    BuildEditMenu();
}

kw::TGatewayCommandHost TFMain::CommandHost() {
    return {m_Parameters,
            m_HWVer,
            m_PINChanged,
            m_ServisPasswChanged,
            m_Settings,
            m_ProgramFolder,
            m_DataFolder,
            [this]() -> CUserPort& { return *m_Port; },
            [this] { m_Sections->StoreCurrentPage(); },
            [this] {
                RefreshConfig();
                m_Sections->LoadCurrentPage();
            },
            [this] { EnableRules(); },
            [this] { close(); }};
}

// ---------------------------------------------------------------- settings

void TFMain::ReadSettings() {
    // A missing or unreadable file gives the defaults; nothing is reported.
    m_Ini.Load(kw::SettingsFilePath(m_DataFolder));
    m_OwnAddress = kw::OwnIpv4Address();
    kw::TSettingsContext context;
    // A saved modem call turns into the cable only when no data-modem line exists.
    kw::CModemLines& lines = m_Commands.Link().Terminal().Telephony().Lines();
    lines.Read(m_Ini);
    context.modemAvailable = lines.Count() > 0;
    context.ownAddress = m_OwnAddress;
    m_Settings = kw::ReadSettings(m_Ini, context);
    m_RecordTracesAction->setChecked(m_Settings.Trace);
}

void TFMain::PlaceWindow() {
    // By default the section area shows the widest page without scrolling
    // sideways; the pages know their widths once they speak the language.
    const int areaWidth = m_Sections->WidthForWidestPage();
    kw::TSettingsContext context;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        context.screenWidth = screen->geometry().width();
        context.screenHeight = screen->geometry().height();
    }
    context.windowWidth = kSectionListWidth + m_Splitter->handleWidth() + areaWidth;
    kw::ReadWindowPlace(m_Ini, context, m_Settings);
    m_Splitter->setSizes({kSectionListWidth, areaWidth});
    move(m_Settings.Left, m_Settings.Top);
    resize(m_Settings.Width, m_Settings.Height);
}

void TFMain::WriteSettings() {
    const QRect frame = isMaximized() || isMinimized() ? normalGeometry() : QRect(pos(), size());
    m_Settings.Left = frame.x();
    m_Settings.Top = frame.y();
    m_Settings.Width = frame.width();
    m_Settings.Height = frame.height();
    kw::WriteSettings(m_Ini, m_Settings, m_OwnAddress);
    const kw::CModemLines& lines = m_Commands.Link().Terminal().Telephony().Lines();
    if (lines.Changed())
        lines.Write(m_Ini);
    std::string error;
    // Owner-only: the file holds the passwords last typed for IP connections.
    if (!m_Ini.Save(kw::SettingsFilePath(m_DataFolder), kw::CIniFile::Access::OwnerOnly, &error))
        qCWarning(kw::SettingsLog, "settings not saved: %s", error.c_str());
}

void TFMain::EnableLanguageButtons() {
    for (size_t i = 0; i < kLanguageButtons.size(); ++i) {
        const int lang = m_Language.FindLangById(kLanguageButtons[i].id);
        m_LanguageButtons[i]->setEnabled(lang >= 0);
        if (lang >= 0)
            m_LanguageButtons[i]->setToolTip(QString::fromStdString(m_Language.GetLangName(lang)));
    }
}

// ---------------------------------------------------------------- language

QString TFMain::Text(int word) const {
    return QString::fromStdString(m_Language.GetText(word));
}

void TFMain::ApplyLanguage(int lang, const std::string& variant) {
    // An index the list does not hold (no index file, or fewer languages than
    // when it was saved) falls back to the first language.
    if (lang < 0 || lang >= m_Language.LangNum())
        lang = 0;
    m_Settings.ActLanguage = lang;
    for (size_t i = 0; i < kLanguageButtons.size(); ++i) {
        const int index = m_Language.FindLangById(kLanguageButtons[i].id);
        if (index >= 0)
            m_LanguageButtons[i]->setChecked(index == lang);
    }
    if (m_Language.LangNum() > 0)
        m_Language.Load(lang, variant);
    else
        qCWarning(kw::AppLog, "no languages listed in %s%s", m_ProgramFolder.c_str(),
                  CLanguage::kIndexFile);
    kw::TranslateForm(this, m_Language);
    m_Sections->StoreCurrentPage();
    m_Sections->LoadCurrentPage();
    SetOwnTexts();
    UpdateCaption();
    if (m_MonitorWindow)
        m_MonitorWindow->Translate();
    // The status bar speaks the language too.
    EnableRules();
}

void TFMain::SetOwnTexts() {
    namespace word = kw::word;
    for (int i = 0; i < kw::kSectionCount; ++i)
        m_SectionList->item(i)->setText(Text(word::kFirstSectionName + i));
    if (m_SectionList->currentRow() >= 0)
        m_Sections->SetCaption(m_SectionList->currentItem()->text());
    auto hint = [this](int id) { return QString::fromStdString(m_Language.GetHint(id)); };
    m_SettingsButton->setToolTip(Text(word::kSettings));
    m_LoadButton->setToolTip(Text(word::kLoadFromFileHint));
    m_SaveButton->setToolTip(Text(word::kSaveToFileHint));
    m_ConnectButton->setToolTip(hint(word::kConnect));
    m_DisconnectButton->setToolTip(hint(word::kDisconnect));
    m_NewButton->setToolTip(Text(word::kNewConfigurationHint));
    m_ReadButton->setToolTip(Text(word::kReadFromGatewayHint));
    m_WriteButton->setToolTip(Text(word::kWriteToGatewayHint));
    m_UpgradeButton->setToolTip(Text(word::kUpgradeFirmwareHint));
    m_MonitorButton->setToolTip(Text(word::kMonitorHint));
    m_ApplicationMenu->setTitle(Text(word::kApplicationMenu));
    m_GatewayMenu->setTitle(Text(word::kGatewayMenu));
    m_SettingsAction->setText(Text(word::kSettings));
    m_ConnectAction->setText(Text(word::kConnect));
    m_DisconnectAction->setText(Text(word::kDisconnect));
    m_AboutAction->setText(Text(word::kAbout));
    m_ExitAction->setText(Text(word::kExit));
    m_LoadAction->setText(Text(word::kLoadFromFile));
    m_SaveAction->setText(Text(word::kSaveToFile));
    m_ReadAction->setText(Text(word::kReadFromGateway));
    m_WriteAction->setText(Text(word::kWriteToGateway));
    m_UpgradeAction->setText(Text(word::kUpgradeFirmware));
    m_BackupsAction->setText(Text(word::kBackups));
    m_CompareAction->setText(Text(word::kCompare));
    m_RecordTracesAction->setText(Text(word::kRecordTraces));
    m_OpenTracesAction->setText(Text(word::kOpenTracesFolder));
    if (m_CompareWindow)
        m_CompareWindow->Translate();
    SetEditTexts();
}

void TFMain::UpdateCaption() {
    const int variantWord = kw::VariantNameWord(m_HWVer);
    QString caption = Text(kw::word::kProgramName);
    if (variantWord != 0)
        caption += " - " + Text(variantWord);
    setWindowTitle(caption);
}

void TFMain::LanguageButtonClicked(const char* id) {
    const int lang = m_Language.FindLangById(id);
    if (lang >= 0)
        ApplyLanguage(lang, m_HWVer);
}

// ---------------------------------------------------------------- state

void TFMain::ShowSelectedSection() {
    const int section = m_SectionList->currentRow();
    if (section >= 0)
        m_Sections->Show(section, m_SectionList->item(section)->text());
}

void TFMain::RefreshConfig() {
    m_Sections->Forget();
    ApplyLanguage(m_Settings.ActLanguage, m_HWVer);
    const bool loaded = !m_HWVer.empty();
    m_SectionList->setEnabled(loaded);
    if (loaded)
        ShowSelectedSection();
    EnableRules();
    StartNewHistory();
}

void TFMain::EnableRules() {
    const kw::CGatewayLink& link = m_Commands.Link();
    kw::TConnectionState state;
    state.conType = m_Settings.ConType;
    state.connected = link.Connected();
    state.callInProgress = link.CallInProgress();
    state.dialing = m_Dialing;
    state.configLoaded = !m_HWVer.empty();
    state.hasPhoneNumber = !m_Settings.ModemNumber.empty();
    state.hasCallbackAddress = !m_Settings.IpAddress.empty();
    const kw::TEnabledCommands e = kw::EnableRules(state);
    m_SaveButton->setEnabled(e.save);
    m_UpgradeButton->setEnabled(e.upgrade);
    m_ReadButton->setEnabled(e.read);
    m_WriteButton->setEnabled(e.write);
    m_ConnectButton->setEnabled(e.connect);
    m_DisconnectButton->setEnabled(e.disconnect);
    m_MonitorButton->setEnabled(e.monitor);
    m_ConnectAction->setEnabled(e.connect);
    m_DisconnectAction->setEnabled(e.disconnect);
    m_ReadAction->setEnabled(e.menuLink);
    m_WriteAction->setEnabled(e.menuLink);
    m_UpgradeAction->setEnabled(e.menuLink);
    m_CompareAction->setEnabled(state.configLoaded);
    m_StatusText->setText(Text(e.statusWord));
}

std::string TFMain::StatusText() const {
    return m_StatusText->text().toStdString();
}

// ---------------------------------------------------------------- dialogs

void TFMain::CenterDialog(QWidget& dialog) {
    const QRect main = frameGeometry();
    const QSize size = dialog.size();
    const int top = std::max(0, main.top() + (main.height() - size.height()) / 2);
    const int left = std::max(0, main.left() + (main.width() - size.width()) / 2);
    dialog.move(left, top);
}

int TFMain::RunDialog(QDialog& dialog) {
    return m_RunDialog(dialog);
}

void TFMain::SetUserPort(CUserPort* port) {
    m_Port = port ? port : m_QtPort.get();
}

void TFMain::SetFileDialogs(CFileDialogs* dialogs) {
    m_FileDialogs = dialogs ? dialogs : m_QtFileDialogs.get();
}

void TFMain::SetDialogRunner(std::function<int(QDialog&)> runner) {
    m_RunDialog = runner ? std::move(runner) : [](QDialog& dialog) { return dialog.exec(); };
}

// ---------------------------------------------------------------- commands

void TFMain::LoadFromFileClicked() {
    const std::optional<std::string> file = m_FileDialogs->AskOpen(Text(kw::word::kOpenFileFilter));
    if (file)
        LoadFile(*file);
}

void TFMain::LoadFile(const std::string& file) {
    if (m_Parameters.LoadFromFile(file)) {
        m_PINChanged = false;
        m_ServisPasswChanged = false;
    } else {
        m_Port->ShowMessage(CUserPort::Icon::Error, kw::word::kCannotLoadFile, "%s\n'%s'", {file});
    }
    m_HWVer = kw::SettleVariantAfterLoad(m_Parameters);
    RefreshConfig();
}

void TFMain::SaveToFileClicked() {
    m_Sections->StoreCurrentPage();
    const std::optional<std::string> file =
        m_FileDialogs->AskSave(Text(kw::word::kSaveFileFilter), "sgd");
    if (!file)
        return;
    if (m_Parameters.SaveToFile(*file))
        m_Parameters.m_Modified = false;
    else
        m_Port->ShowMessage(CUserPort::Icon::Error, kw::word::kCannotSaveFile, "%s\n'%s'", {*file});
}

void TFMain::NewConfigurationClicked() {
    m_Sections->StoreCurrentPage();
    if (!m_HWVer.empty() && m_Parameters.m_Modified &&
        !m_Port->AskYesNo(CUserPort::Icon::Question, kw::word::kDiscardChanges))
        return;
    m_NewDialog->Activate(m_HWVer);
    CenterDialog(*m_NewDialog);
    if (RunDialog(*m_NewDialog) != TFNew::kResultOk)
        return;
    m_HWVer = m_NewDialog->ChosenVariant();
    m_Parameters.ResetAll();
    m_Parameters.SetValue("HWVer", 0, m_HWVer);
    RefreshConfig();
    m_Parameters.m_Modified = false;
}

void TFMain::ReadFromGatewayClicked() {
    m_Commands.Read();
}

void TFMain::WriteToGatewayClicked() {
    if (m_Commands.Busy() || !ConfirmChangesBeforeWrite())
        return;
    m_Commands.Write();
}

void TFMain::UpgradeFirmwareClicked() {
    m_Commands.Upgrade();
}

void TFMain::MonitorClicked() {
    if (m_Settings.ConType != kw::CGatewayLink::SerialCable)
        return;
    // The runner's guard: no read, write or upgrade while the monitor holds
    // the port, and no monitor while one of them runs.
    m_Commands.Run([this] {
        TFMonitor monitor(m_Language,
                          {m_Commands.Link().Terminal(), *m_Port, m_Settings.Com,
                           [this] { m_Commands.ReleaseGateway(); },
                           [this](QWidget& dialog) { CenterDialog(dialog); }},
                          this);
        m_MonitorWindow = &monitor;
        monitor.Activate();
        CenterDialog(monitor);
        RunDialog(monitor);
    });
}

void TFMain::ConnectionSettingsClicked() {
    if (!m_Commands.Busy())
        m_ConnectionSettings->Run();
}

void TFMain::ConnectClicked() {
    switch (m_Settings.ConType) {
    case kw::CGatewayLink::ModemCall:
        m_ModemConnection->Connect();
        break;
    case kw::CGatewayLink::TcpIp:
        m_IpConnection->Connect();
        break;
    default:
        break; // the cable needs no connecting
    }
}

void TFMain::DisconnectClicked() {
    switch (m_Settings.ConType) {
    case kw::CGatewayLink::ModemCall:
        m_ModemConnection->Disconnect();
        break;
    case kw::CGatewayLink::TcpIp:
        m_IpConnection->Disconnect();
        break;
    default:
        break;
    }
}

void TFMain::AboutClicked() {
    m_AboutBox->Activate();
    CenterDialog(*m_AboutBox);
    RunDialog(*m_AboutBox);
}

void TFMain::ExitClicked() {
    // A wait in progress ends before the window goes.
    m_Commands.Link().PressExit();
    close();
}

// ---------------------------------------------------------------- closing

void TFMain::closeEvent(QCloseEvent* event) {
    // The monitor's loop ends first; the window closes once it has.
    if (m_MonitorWindow)
        m_MonitorWindow->CloseClicked();
    if (!m_Commands.MayClose()) {
        event->ignore();
        return;
    }
    if (!m_Commands.Link().Closing()) {
        m_IpConnection->Close();
        // A modem left off-hook keeps the line busy and costs money.
        m_ModemConnection->Close();
        m_Commands.Release();
        WriteSettings();
    }
    event->accept();
}
