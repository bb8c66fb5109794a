#include "MainWindow.h"

#include "About.h"
#include "DForm.h"
#include "EnableRules.h"
#include "Fatal.h"
#include "FileDialogs.h"
#include "Folders.h"
#include "GatewayProtocol.h"
#include "HardwareVariant.h"
#include "HintPause.h"
#include "Language.h"
#include "LanguageMenuQt.h"
#include "New.h"
#include "OwnAddress.h"
#include "ParameterCatalogue.h"
#include "ProgramFolder.h"
#include "QtUserPort.h"
#include "TranslateWidgets.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <cstdio>

namespace {

constexpr int kSpeedButtonWidth = 26;
constexpr int kSectionListWidth = 121;
constexpr int kFirstSectionWord = 4;
constexpr int kHintPauseMs = 120000;

// A glyph from the desktop's icon theme, else the toolkit's own.
QIcon Glyph(const char* themeName, QStyle::StandardPixmap fallback) {
    return QIcon::fromTheme(themeName, QApplication::style()->standardIcon(fallback));
}

// The short label of a language button.
const char* ButtonLabel(const char* id) {
    static const std::pair<const char*, const char*> labels[] = {
        {"Cze", "CZ"}, {"Eng", "EN"}, {"Slo", "SK"}, {"Ger", "DE"},
        {"Pol", "PL"}, {"Fin", "FI"}, {"Tur", "TR"}, {"Spa", "ES"}};
    for (const auto& [key, label] : labels)
        if (std::string_view(key) == id)
            return label;
    return id;
}

} // namespace

TFMain::TFMain(CLanguage& language) : m_Language(language) {
    setObjectName("FMain");
    kw::SetWidgetTag(this, 0);
    BuildControls();
    BuildMenus();

    // The data folder is created now; the program folder holds the languages.
    m_DataFolder = kw::DataFolder();
    m_ProgramFolder = kw::ProgramFolder();

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    m_LanguageMenu = std::make_unique<CLanguageMenuQt>(PopupMenu1, m_Language);
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
    // A Yes to the attach's firmware question upgrades before the command goes on.
    kw::InstallUnattendedUpgrade(m_Link, [this] { return UpgradeHost(); });

    FNew = new TFNew(m_Language, this);
    FOAplikaci = new TFOAplikaci(m_Language, m_ProgramFolder, this);
    for (int section = 0; section < kw::kSectionCount; ++section)
        SetSectionPage(section, kw::CreateSectionPage(section, *this, m_PageHolder));

    RefreshConfig();
}

TFMain::~TFMain() = default;

void TFMain::BuildControls() {
    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    auto* tools = new QHBoxLayout(Panel1);
    tools->setContentsMargins(4, 2, 4, 2);
    tools->setSpacing(1);
    auto speedButton = [&](const char* name, const char* theme, QStyle::StandardPixmap fallback,
                           void (TFMain::*handler)()) {
        auto* button = new QToolButton(Panel1);
        button->setObjectName(name);
        button->setAutoRaise(true);
        button->setIcon(Glyph(theme, fallback));
        button->setIconSize(QSize(18, 18));
        button->setFixedSize(kSpeedButtonWidth, kSpeedButtonWidth);
        connect(button, &QToolButton::clicked, this, handler);
        tools->addWidget(button);
        return button;
    };
    // Left to right in this order.
    SpeedButton5 = speedButton("SpeedButton5", "preferences-system",
                               QStyle::SP_FileDialogDetailedView, &TFMain::BSettingClick);
    SpeedButton3 = speedButton("SpeedButton3", "document-open", QStyle::SP_DialogOpenButton,
                               &TFMain::EzRgnBtn4Click);
    SpeedButton4 = speedButton("SpeedButton4", "document-save", QStyle::SP_DialogSaveButton,
                               &TFMain::EzRgnBtn5Click);
    SpeedButton6 = speedButton("SpeedButton6", "network-connect", QStyle::SP_DriveNetIcon,
                               &TFMain::SpeedButton6Click);
    SpeedButton8 = speedButton("SpeedButton8", "network-disconnect", QStyle::SP_BrowserStop,
                               &TFMain::SpeedButton8Click);
    SpeedButton10 = speedButton("SpeedButton10", "document-new", QStyle::SP_FileIcon,
                                &TFMain::SpeedButton10Click);
    SpeedButton1 =
        speedButton("SpeedButton1", "go-down", QStyle::SP_ArrowDown, &TFMain::EzRgnBtn2Click);
    SpeedButton2 =
        speedButton("SpeedButton2", "go-up", QStyle::SP_ArrowUp, &TFMain::EzRgnBtn3Click);
    SpeedButton7 = speedButton("SpeedButton7", "system-software-update", QStyle::SP_BrowserReload,
                               &TFMain::EzRgnBtn1Click);
    SpeedButton9 = speedButton("SpeedButton9", "utilities-system-monitor", QStyle::SP_ComputerIcon,
                               &TFMain::SpeedButton9Click);
    tools->addStretch();
    for (size_t i = 0; i < kLanguageIds.size(); ++i) {
        auto* button = new QToolButton(Panel1);
        const char* id = kLanguageIds[i];
        button->setObjectName(QString("BL") + id);
        button->setText(ButtonLabel(id));
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setMinimumHeight(kSpeedButtonWidth);
        button->setMinimumWidth(button->minimumSizeHint().width());
        button->setEnabled(false);
        connect(button, &QToolButton::clicked, this, [this, id] { LanguageButtonClick(id); });
        tools->addWidget(button);
        LanguageButtons[i] = button;
    }

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    for (int i = 0; i < kw::kSectionCount; ++i)
        ListBox1->addItem(QString());
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this] { ListBox1Click(); });
    // Choosing the section on view again brings back a page that closed itself.
    connect(ListBox1, &QListWidget::itemClicked, this, [this] {
        if (m_CurrentPage == nullptr || !m_CurrentPage->isVisible())
            ListBox1Click();
    });

    auto* pageArea = new QWidget(this);
    pageArea->setObjectName("Panel2");
    Panel1C = new QLabel(pageArea);
    Panel1C->setObjectName("Panel1C");
    QFont bold = Panel1C->font();
    bold.setBold(true);
    Panel1C->setFont(bold);
    Panel1C->setAutoFillBackground(true);
    QPalette caption = Panel1C->palette();
    caption.setColor(QPalette::Window, caption.color(QPalette::Active, QPalette::Highlight));
    caption.setColor(QPalette::WindowText,
                     caption.color(QPalette::Active, QPalette::HighlightedText));
    Panel1C->setPalette(caption);
    Panel1C->setContentsMargins(6, 3, 6, 3);
    ScrollBox1 = new QScrollArea(pageArea);
    ScrollBox1->setObjectName("ScrollBox1");
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->viewport()->installEventFilter(this);
    auto* pageLayout = new QVBoxLayout(pageArea);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->setSpacing(0);
    pageLayout->addWidget(Panel1C);
    pageLayout->addWidget(ScrollBox1, 1);

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName("Splitter1");
    Splitter1->addWidget(ListBox1);
    Splitter1->addWidget(pageArea);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({kSectionListWidth, kw::kDesignWidth - kSectionListWidth});
    Splitter1->setCollapsible(0, false);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1);
    layout->addWidget(Splitter1, 1);
    setCentralWidget(central);

    StatusBar1Text = new QLabel(this);
    StatusBar1Text->setObjectName("StatusBar1Text");
    statusBar()->setObjectName("StatusBar1");
    statusBar()->addWidget(StatusBar1Text, 1);

    m_PageHolder = new QWidget(this);
    m_PageHolder->setObjectName("PageHolder");
    m_PageHolder->hide();
}

void TFMain::BuildMenus() {
    auto item = [this](QMenu* menu, const char* name, void (TFMain::*handler)()) {
        QAction* action = menu->addAction(QString());
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    Aplikace1 = menuBar()->addMenu(QString());
    Aplikace1->setObjectName("Aplikace1");
    Nastaveni2 = item(Aplikace1, "Nastaveni2", &TFMain::BSettingClick);
    Aplikace1->addSeparator();
    Navazatspojeni1 = item(Aplikace1, "Navazatspojeni1", &TFMain::SpeedButton6Click);
    Ukoncitspojeni1 = item(Aplikace1, "Ukoncitspojeni1", &TFMain::SpeedButton8Click);
    Aplikace1->addSeparator();
    Oaplikaci1 = item(Aplikace1, "Oaplikaci1", &TFMain::BHelpClick);
    Ukoncit1 = item(Aplikace1, "Ukoncit1", &TFMain::BExitClick);

    Brana1 = menuBar()->addMenu(QString());
    Brana1->setObjectName("Brana1");
    Nacistzesouboru1 = item(Brana1, "Nacistzesouboru1", &TFMain::EzRgnBtn4Click);
    Ulozitdosouboru1 = item(Brana1, "Ulozitdosouboru1", &TFMain::EzRgnBtn5Click);
    Brana1->addSeparator();
    Nacistzbrany1 = item(Brana1, "Nacistzbrany1", &TFMain::EzRgnBtn2Click);
    Ulozitdobrany1 = item(Brana1, "Ulozitdobrany1", &TFMain::EzRgnBtn3Click);
    Brana1->addSeparator();
    Upgradefirmware1 = item(Brana1, "Upgradefirmware1", &TFMain::EzRgnBtn1Click);
}

// ---------------------------------------------------------------- settings

void TFMain::ReadSettings() {
    // A missing or unreadable file gives the defaults; nothing is reported.
    m_Ini.Load(kw::SettingsFilePath(m_DataFolder));
    m_OwnAddress = kw::OwnIpv4Address();
    kw::TSettingsContext context;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        context.screenWidth = screen->geometry().width();
        context.screenHeight = screen->geometry().height();
    }
    // No data-modem line is known until the dial-up layer lists them.
    context.modemAvailable = false;
    context.ownAddress = m_OwnAddress;
    m_Settings = kw::ReadSettings(m_Ini, context);
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
    std::string error;
    // Owner-only: the file holds the passwords last typed for IP connections.
    if (!m_Ini.Save(kw::SettingsFilePath(m_DataFolder), kw::CIniFile::Access::OwnerOnly, &error))
        std::fprintf(stderr, "KolbraWin: settings not saved: %s\n", error.c_str());
}

void TFMain::EnableLanguageButtons() {
    for (size_t i = 0; i < kLanguageIds.size(); ++i) {
        const int lang = m_Language.FindLangById(kLanguageIds[i]);
        LanguageButtons[i]->setEnabled(lang >= 0);
        if (lang >= 0)
            LanguageButtons[i]->setToolTip(QString::fromStdString(m_Language.GetLangName(lang)));
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
    for (size_t i = 0; i < kLanguageIds.size(); ++i) {
        const int index = m_Language.FindLangById(kLanguageIds[i]);
        if (index >= 0)
            LanguageButtons[i]->setChecked(index == lang);
    }
    if (m_Language.LangNum() > 0)
        m_Language.Load(lang, variant);
    else
        std::fprintf(stderr, "KolbraWin: no languages listed in %s%s\n", m_ProgramFolder.c_str(),
                     CLanguage::kIndexFile);
    kw::TranslateForm(this, m_Language);
    if (m_CurrentPage) {
        m_CurrentPage->StorePage();
        m_CurrentPage->LoadPage();
    }
    SetOwnTexts();
    UpdateCaption();
    // The status bar speaks the language too.
    EnableRules();
}

void TFMain::SetOwnTexts() {
    for (int i = 0; i < kw::kSectionCount; ++i)
        ListBox1->item(i)->setText(Text(kFirstSectionWord + i));
    if (ListBox1->currentRow() >= 0)
        Panel1C->setText(ListBox1->currentItem()->text());
    auto hint = [this](int word) { return QString::fromStdString(m_Language.GetHint(word)); };
    SpeedButton5->setToolTip(Text(18));
    SpeedButton3->setToolTip(Text(73));
    SpeedButton4->setToolTip(Text(74));
    SpeedButton6->setToolTip(hint(244));
    SpeedButton8->setToolTip(hint(245));
    SpeedButton10->setToolTip(Text(335));
    SpeedButton1->setToolTip(Text(69));
    SpeedButton2->setToolTip(Text(70));
    SpeedButton7->setToolTip(Text(68));
    SpeedButton9->setToolTip(Text(336));
    Aplikace1->setTitle(Text(242));
    Brana1->setTitle(Text(243));
    Nastaveni2->setText(Text(18));
    Navazatspojeni1->setText(Text(244));
    Ukoncitspojeni1->setText(Text(245));
    Oaplikaci1->setText(Text(19));
    Ukoncit1->setText(Text(21));
    Nacistzesouboru1->setText(Text(72));
    Ulozitdosouboru1->setText(Text(71));
    Nacistzbrany1->setText(Text(12));
    Ulozitdobrany1->setText(Text(13));
    Upgradefirmware1->setText(Text(11));
}

void TFMain::UpdateCaption() {
    const int variantWord = kw::VariantNameWord(m_HWVer);
    QString caption = Text(0);
    if (variantWord != 0)
        caption += " - " + Text(variantWord);
    setWindowTitle(caption);
}

void TFMain::LanguageButtonClick(const char* id) {
    const int lang = m_Language.FindLangById(id);
    if (lang >= 0)
        ApplyLanguage(lang, m_HWVer);
}

// ---------------------------------------------------------------- pages

void TFMain::SetSectionPage(int section, TFDForm* page) {
    KW_ASSERT(section >= 0 && section < kw::kSectionCount);
    if (m_Pages[section] == page)
        return;
    if (m_Pages[section] == m_CurrentPage && m_CurrentPage != nullptr)
        ForgetPage();
    delete m_Pages[section];
    m_Pages[section] = page;
    if (page) {
        page->hide();
        page->setParent(m_PageHolder);
    }
}

TFDForm* TFMain::SectionPage(int section) const {
    KW_ASSERT(section >= 0 && section < kw::kSectionCount);
    return m_Pages[section];
}

int TFMain::CurrentSection() const {
    return ListBox1->currentRow();
}

void TFMain::ForgetPage() {
    if (QWidget* shown = ScrollBox1->takeWidget()) {
        shown->hide();
        shown->setParent(m_PageHolder);
    }
    m_CurrentPage = nullptr;
}

void TFMain::StoreCurrentPage() {
    if (m_CurrentPage)
        m_CurrentPage->StorePage();
}

void TFMain::LoadCurrentPage() {
    if (m_CurrentPage)
        m_CurrentPage->LoadPage();
}

void TFMain::ListBox1Click() {
    const int section = ListBox1->currentRow();
    if (section < 0)
        return;
    if (m_CurrentPage) {
        m_CurrentPage->StorePage();
        ForgetPage();
    }
    Panel1C->setText(ListBox1->item(section)->text());
    TFDForm* page = m_Pages[section];
    if (page == nullptr)
        return;
    page->move(0, 0);
    page->LoadPage();
    ScrollBox1->setWidget(page);
    page->show();
    m_CurrentPage = page;
    const QSize area = ScrollBox1->viewport()->size();
    page->ResizePage(area.width(), area.height());
}

bool TFMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ScrollBox1->viewport() && event->type() == QEvent::Resize && m_CurrentPage) {
        const QSize area = ScrollBox1->viewport()->size();
        m_CurrentPage->ResizePage(area.width(), area.height());
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------- state

void TFMain::RefreshConfig() {
    ForgetPage();
    ApplyLanguage(m_Settings.ActLanguage, m_HWVer);
    const bool loaded = !m_HWVer.empty();
    ListBox1->setEnabled(loaded);
    if (loaded && ListBox1->currentRow() >= 0)
        ListBox1Click();
    EnableRules();
}

void TFMain::LinkStateNotify(bool connected, bool callInProgress) {
    m_Link.m_Connected = connected;
    m_Link.m_CallInProgress = callInProgress;
    EnableRules();
}

void TFMain::EnableRules() {
    kw::TConnectionState state;
    state.conType = m_Settings.ConType;
    state.connected = m_Link.m_Connected;
    state.callInProgress = m_Link.m_CallInProgress;
    state.dialing = m_Dialing;
    state.configLoaded = !m_HWVer.empty();
    state.hasPhoneNumber = !m_Settings.ModemNumber.empty();
    state.hasCallbackAddress = !m_Settings.IpAddress.empty();
    const kw::TEnabledCommands e = kw::EnableRules(state);
    SpeedButton4->setEnabled(e.save);
    SpeedButton7->setEnabled(e.upgrade);
    SpeedButton1->setEnabled(e.read);
    SpeedButton2->setEnabled(e.write);
    SpeedButton6->setEnabled(e.connect);
    SpeedButton8->setEnabled(e.disconnect);
    SpeedButton9->setEnabled(e.monitor);
    Navazatspojeni1->setEnabled(e.connect);
    Ukoncitspojeni1->setEnabled(e.disconnect);
    Nacistzbrany1->setEnabled(e.menuLink);
    Ulozitdobrany1->setEnabled(e.menuLink);
    Upgradefirmware1->setEnabled(e.menuLink);
    StatusBar1Text->setText(Text(e.statusWord));
}

std::string TFMain::StatusText() const {
    return StatusBar1Text->text().toStdString();
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

void TFMain::ShowProgress(const std::string& text, bool withBar) {
    m_Port->ShowProgress(text, withBar);
}

void TFMain::ShowProgressWord(int word, bool withBar) {
    m_Port->ShowProgressWord(word, withBar);
}

void TFMain::HideProgress() {
    m_Port->HideProgress();
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

void TFMain::EzRgnBtn4Click() {
    const std::optional<std::string> file = m_FileDialogs->AskOpen(Text(332));
    if (!file)
        return;
    if (m_Parameters.LoadFromFile(*file)) {
        m_PINChanged = false;
        m_ServisPasswChanged = false;
    } else {
        m_Port->ShowMessage(CUserPort::Icon::Error, 130, "%s\n'%s'", {*file});
    }
    m_HWVer = kw::SettleVariantAfterLoad(m_Parameters);
    RefreshConfig();
}

void TFMain::EzRgnBtn5Click() {
    StoreCurrentPage();
    const std::optional<std::string> file = m_FileDialogs->AskSave(Text(128), "sgd");
    if (!file)
        return;
    if (m_Parameters.SaveToFile(*file))
        m_Parameters.m_Modified = false;
    else
        m_Port->ShowMessage(CUserPort::Icon::Error, 129, "%s\n'%s'", {*file});
}

void TFMain::SpeedButton10Click() {
    StoreCurrentPage();
    if (!m_HWVer.empty() && m_Parameters.m_Modified &&
        !m_Port->AskYesNo(CUserPort::Icon::Question, 334))
        return;
    FNew->Activate(m_HWVer);
    CenterDialog(*FNew);
    if (RunDialog(*FNew) != TFNew::kResultOk)
        return;
    m_HWVer = FNew->ChosenVariant();
    m_Parameters.ResetAll();
    m_Parameters.SetValue("HWVer", 0, m_HWVer);
    RefreshConfig();
    m_Parameters.m_Modified = false;
}

void TFMain::BHelpClick() {
    FOAplikaci->Activate();
    CenterDialog(*FOAplikaci);
    RunDialog(*FOAplikaci);
}

void TFMain::BExitClick() {
    // A wait in progress ends before the window goes.
    m_Link.PressExit();
    close();
}

// The link commands. Their buttons and menu items already follow the enable
// rules; the serial-link, dial-up, monitor and firmware work fills them in.
void TFMain::BSettingClick() {
    // Connection settings dialog: comes with the connection settings.
}

void TFMain::SpeedButton6Click() {
    // Connect a modem or TCP/IP link: comes with the connection settings.
}

void TFMain::SpeedButton8Click() {
    // Disconnect: comes with the connection settings.
}

void TFMain::SyncLinkSettings() {
    m_Link.m_ComPort = m_Settings.Com;
    m_Link.m_ConType = m_Settings.ConType;
}

kw::TTransferHost TFMain::TransferHost() {
    SyncLinkSettings();
    return kw::TTransferHost{m_Link,
                             m_Parameters,
                             *m_Port,
                             m_HWVer,
                             m_PINChanged,
                             m_ServisPasswChanged,
                             [this] { StoreCurrentPage(); },
                             [this] {
                                 RefreshConfig();
                                 LoadCurrentPage();
                             }};
}

void TFMain::RunGatewayCommand(const std::function<void()>& command) {
    if (m_GatewayBusy)
        return;
    m_GatewayBusy = true;
    command();
    m_GatewayBusy = false;
    EnableRules();
    if (m_CloseRequested)
        close();
}

void TFMain::EzRgnBtn2Click() {
    RunGatewayCommand([this] { kw::ReadFromGateway(TransferHost()); });
}

void TFMain::EzRgnBtn3Click() {
    RunGatewayCommand([this] { kw::WriteToGateway(TransferHost()); });
}

kw::TUpgradeHost TFMain::UpgradeHost() {
    SyncLinkSettings();
    return kw::TUpgradeHost{m_Link, *m_Port, m_ProgramFolder, m_Firmware};
}

void TFMain::EzRgnBtn1Click() {
    RunGatewayCommand([this] { kw::UpgradeCommand(UpgradeHost()); });
}

void TFMain::SpeedButton9Click() {
    // Monitor window, cable only: comes with the monitor.
}

// ---------------------------------------------------------------- closing

void TFMain::closeEvent(QCloseEvent* event) {
    if (m_GatewayBusy) {
        // Closing counts as Cancel where Cancel is offered; a firmware transfer,
        // which hides it, runs to its end. The window closes after the command.
        m_CloseRequested = true;
        m_Port->CancelProgress();
        event->ignore();
        return;
    }
    if (!m_Link.m_Closing)
        FormClose();
    event->accept();
}

void TFMain::FormClose() {
    // The gateway waits for its end of exchange after a read; it must not be
    // left in the middle of one when the program goes.
    SyncLinkSettings();
    kw::ReleaseGateway(m_Link);
    WriteSettings();
    m_Link.m_Closing = true;
}
