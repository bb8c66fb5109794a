// The main window: start-up and settings, enable rules and status texts, the
// caption, section switching and the language buttons.
#include "DForm.h"
#include "MainWindowFixture.h"
#include "OwnAddress.h"
#include "TestPage.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

#include <fstream>
#include <sys/stat.h>

namespace {

using kw::test::CTestPage;
using MainWindow = kw::test::MainWindowFixture;

// The keys of section "Settings" in the order the file holds them.
std::vector<std::string> SettingsKeys(const std::string& ini) {
    std::vector<std::string> keys;
    bool inSettings = false;
    size_t start = 0;
    while (start < ini.size()) {
        size_t end = ini.find('\n', start);
        if (end == std::string::npos)
            end = ini.size();
        const std::string line = ini.substr(start, end - start);
        if (!line.empty() && line[0] == '[')
            inSettings = line == "[Settings]";
        else if (inSettings && line.find('=') != std::string::npos)
            keys.push_back(line.substr(0, line.find('=')));
        start = end + 1;
    }
    return keys;
}

const std::vector<std::string> kTableOrder = {
    "Com",       "IpCom",        "ActLanguage",   "Left",        "Top",
    "Height",    "Width",        "ModemNumber",   "ConType",     "ModemId",
    "IpAddress", "IpPort",       "LastIpNum",     "LastIpPassw", "LastIpSerial",
    "LastAPN",   "LastInetUser", "LastInetPassw", "Trace",       "BackupsKept"};

TEST_F(MainWindow, FirstStartIsCentredAtDefaultSizeWithDefaults) {
    TFMain& w = Start();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    // As wide as the widest page needs (checked below), as high as designed.
    EXPECT_EQ(w.height(), 715);
    EXPECT_EQ(w.pos(), QPoint((screen.width() - w.width()) / 2, (screen.height() - 715) / 2));
    const kw::TAppSettings& s = w.Settings();
    EXPECT_EQ(s.ConType, 0);
    EXPECT_EQ(s.Com, "Com1");
    EXPECT_EQ(s.IpCom, "Com1");
    EXPECT_EQ(s.IpPort, 7200);
    EXPECT_EQ(s.ActLanguage, 0);
    EXPECT_EQ(w.OwnAddress(), kw::OwnIpv4Address());
    EXPECT_EQ(s.IpAddress, w.OwnAddress());
    EXPECT_NE(w.OwnAddress().rfind("127.", 0), 0u);

    // No configuration: section list, save and write off, caption word 0 alone.
    EXPECT_FALSE(SectionList().isEnabled());
    EXPECT_FALSE(Button("SpeedButton4").isEnabled());
    EXPECT_FALSE(Button("SpeedButton2").isEnabled());
    EXPECT_EQ(w.windowTitle(), "E0");
    EXPECT_EQ(w.StatusText(), "E246");
    EXPECT_EQ(w.Sections().CurrentPage(), nullptr);
    EXPECT_FALSE(w.PinChanged());
    EXPECT_EQ(w.Parameters().GetValue("FXSVolRec", 0), "3");

    EXPECT_TRUE(w.close());
    EXPECT_TRUE(w.GatewayCommands().Link().Closing());
    const std::string ini = IniText();
    EXPECT_EQ(SettingsKeys(ini), kTableOrder);
    EXPECT_NE(ini.find("\nIpAddress=\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("\nWidth=" + std::to_string(w.width()) + "\n"), std::string::npos) << ini;
    struct stat st {};
    ASSERT_EQ(::stat(IniPath().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

// In the installed languages, the window at its default size shows every page
// of every variant without scrolling sideways.
TEST_F(MainWindow, DefaultSizeShowsEveryPageWhole) {
    ::setenv("KOLBRAWIN_PROGRAM_DIR", KW_BIN_DIR, 1);
    for (const char* language : {"0", "1"})
        for (const char* variant : {"A", "C", "D", "E", "F", "G"}) {
            WriteIni(std::string("[Settings]\nActLanguage=") + language + "\n");
            StartWithConfiguration(variant).show();
            EXPECT_EQ(SectionList().width(), 121); // the rest goes to the pages
            for (int section = 0; section < kw::kSectionCount; ++section) {
                SCOPED_TRACE(std::string("language ") + language + " variant " + variant +
                             " section " + std::to_string(section));
                SectionList().setCurrentRow(section);
                const TFDForm* page = window->Sections().CurrentPage();
                ASSERT_NE(page, nullptr);
                EXPECT_LE(page->width(), PageArea().viewport()->width());
                EXPECT_FALSE(PageArea().horizontalScrollBar()->isVisible());
            }
            window.reset();
        }
}

TEST_F(MainWindow, ConnectionTypeOutsideTheRangeOrModemWithoutModemStartsAsCable) {
    for (const char* stored : {"5", "1", "-3", "261"}) {
        WriteIni(std::string("[Settings]\nConType=") + stored + "\n");
        TFMain& w = Start();
        EXPECT_EQ(w.Settings().ConType, 0) << stored;
        EXPECT_EQ(w.StatusText(), "E246") << stored;
        w.close();
        EXPECT_NE(IniText().find("\nConType=0\n"), std::string::npos) << stored;
        window.reset();
    }
    WriteIni("[Settings]\nConType=2\n");
    EXPECT_EQ(Start().Settings().ConType, 2);
}

TEST_F(MainWindow, SettingsComeBackInTableOrderAndOtherSectionsStay) {
    WriteIni("[Modems]\nCount=1\nName0=Line one\n\n"
             "[Settings]\nLastInetPassw=p,w \"x\"\nIpPort=7300\nCom=/dev/ttyUSB0\n"
             "Unknown=kept?\nIpAddress=10.9.8.7\nLeft=12\nTop=34\nWidth=1000\nHeight=800\n"
             "ConType=2\nModemNumber=+420123\nActLanguage=1\nLastAPN=internet\n");
    TFMain& w = Start();
    EXPECT_EQ(w.Settings().LastInetPassw, "p,w \"x\"");
    EXPECT_EQ(w.Settings().IpAddress, "10.9.8.7");
    EXPECT_EQ(w.Settings().ActLanguage, 1);
    EXPECT_EQ(w.windowTitle(), "C0");
    EXPECT_EQ(w.pos(), QPoint(12, 34));
    EXPECT_EQ(w.size(), QSize(1000, 800));
    w.close();
    const std::string ini = IniText();
    EXPECT_EQ(SettingsKeys(ini), kTableOrder) << ini;
    for (const char* line : {"\nCom=/dev/ttyUSB0\n", "\nIpPort=7300\n", "\nIpAddress=10.9.8.7\n",
                             "\nLastInetPassw=p,w \"x\"\n", "\nConType=2\n", "\nActLanguage=1\n",
                             "\nLeft=12\n", "\nTop=34\n", "\nModemNumber=+420123\n"})
        EXPECT_NE(ini.find(line), std::string::npos) << line << " in\n" << ini;
    EXPECT_NE(ini.find("[Modems]\nCount=1\nName0=Line one\n"), std::string::npos) << ini;

    // The computer's own address is not written: the next start finds it anew.
    window.reset();
    const std::string own = kw::OwnIpv4Address();
    WriteIni("[Settings]\nIpAddress=" + own + "\n");
    Start().Settings().IpAddress = own;
    window->close();
    EXPECT_NE(IniText().find("\nIpAddress=\n"), std::string::npos);
}

TEST_F(MainWindow, EnableRulesAndStatusFollowEveryConnectionState) {
    TFMain& w = Start();
    for (int type = 0; type <= 2; ++type)
        for (int flags = 0; flags < 64; ++flags) {
            const bool connected = flags & 1, call = flags & 2, dialing = flags & 4,
                       loaded = flags & 8, phone = flags & 16, address = flags & 32;
            w.Settings().ConType = static_cast<int8_t>(type);
            w.Settings().ModemNumber = phone ? "123" : "";
            w.Settings().IpAddress = address ? "10.0.0.1" : "";
            w.SetHardwareVariant(loaded ? "A" : "");
            w.SetDialing(dialing);
            w.GatewayCommands().Link().SetConnectionState(connected, call);
            SCOPED_TRACE("type " + std::to_string(type) + " flags " + std::to_string(flags));
            const bool cable = type == 0;
            const bool link = cable || connected;
            bool connect = false;
            if (type == 1)
                connect = !connected && !call && phone;
            if (type == 2)
                connect = !connected && address;
            EXPECT_EQ(Button("SpeedButton4").isEnabled(), loaded);
            EXPECT_EQ(Button("SpeedButton7").isEnabled(), link);
            EXPECT_EQ(Button("SpeedButton1").isEnabled(), link);
            EXPECT_EQ(Button("SpeedButton2").isEnabled(), cable ? loaded : connected && loaded);
            EXPECT_EQ(Button("SpeedButton6").isEnabled(), connect);
            EXPECT_EQ(Button("SpeedButton8").isEnabled(), !cable && connected);
            EXPECT_EQ(Button("SpeedButton9").isEnabled(), cable);
            EXPECT_EQ(Action("Navazatspojeni1").isEnabled(), connect);
            EXPECT_EQ(Action("Ukoncitspojeni1").isEnabled(), !cable && connected);
            EXPECT_EQ(Action("Nacistzbrany1").isEnabled(), link);
            EXPECT_EQ(Action("Ulozitdobrany1").isEnabled(), link);
            EXPECT_EQ(Action("Upgradefirmware1").isEnabled(), link);
            const char* status = cable       ? "E246"
                                 : connected ? "E247"
                                 : !call     ? "E248"
                                 : dialing   ? "E259"
                                             : "E258";
            EXPECT_EQ(w.StatusText(), status);
        }
}

TEST_F(MainWindow, CaptionNamesTheVariantAndItsCompatiblePartner) {
    TFMain& w = Start();
    const std::pair<const char*, const char*> cases[] = {
        {"A", "E0 - E326"}, {"D", "E0 - E326"}, {"C", "E0 - E327"}, {"F", "E0 - E327"},
        {"E", "E0 - E328"}, {"G", "E0 - E328"}, {"", "E0"},         {"X", "E0"}};
    for (const auto& [variant, caption] : cases) {
        w.SetHardwareVariant(variant);
        w.RefreshConfig();
        EXPECT_EQ(w.windowTitle(), caption) << variant;
        EXPECT_EQ(SectionList().isEnabled(), *variant != '\0') << variant;
    }
    // The variant reaches the word table: word 4 has a text of its own for C.
    w.SetHardwareVariant("C");
    w.RefreshConfig();
    EXPECT_EQ(SectionList().item(0)->text(), "E4-for-C");
}

TEST_F(MainWindow, SectionSwitchStoresThePageLeftBeforeFillingTheNext) {
    std::vector<std::string> log;
    TFMain& w = StartWithConfiguration("A");
    auto* lines = new CTestPage(w, "lines", &log);
    auto* routing = new CTestPage(w, "routing", &log);
    w.Sections().SetPage(kw::kSectionLines, lines);
    w.Sections().SetPage(kw::kSectionRouting, routing);
    w.Sections().SetPage(kw::kSectionSmsInput, nullptr); // a section without a page, below

    SectionList().setCurrentRow(0);
    EXPECT_EQ(w.Sections().CurrentPage(), lines);
    EXPECT_EQ(PageArea().widget(), lines);
    EXPECT_EQ(SectionCaption().text(), "E4");
    const QSize area = PageArea().viewport()->size();
    EXPECT_EQ(lines->lastWidth, area.width());
    EXPECT_EQ(lines->lastHeight, area.height());
    EXPECT_EQ(lines->pos(), QPoint(0, 0));

    lines->hangMinEdit->setText("1200");
    SectionList().setCurrentRow(1);
    EXPECT_EQ(log, (std::vector<std::string>{"load lines", "store lines", "load routing"}));
    EXPECT_EQ(w.Parameters().GetValue("FXSHangMin", 0), "1200");
    EXPECT_EQ(routing->hangMinEdit->text(), "1200");
    EXPECT_FALSE(lines->isVisible());

    // A section without a page shows an empty area under its caption.
    SectionList().setCurrentRow(2);
    EXPECT_EQ(w.Sections().CurrentPage(), nullptr);
    EXPECT_EQ(PageArea().widget(), nullptr);
    EXPECT_EQ(SectionCaption().text(), "E6");
    EXPECT_EQ(log.back(), "store routing");

    // Nothing changed by hand: switching leaves the modified flag alone.
    w.Parameters().m_Modified = false;
    SectionList().setCurrentRow(0);
    SectionList().setCurrentRow(1);
    EXPECT_FALSE(w.Parameters().m_Modified);

    // The refresh forgets the page without storing it and shows the section again.
    log.clear();
    routing->hangMinEdit->setText("2500");
    w.RefreshConfig();
    EXPECT_EQ(log, (std::vector<std::string>{"load routing"}));
    EXPECT_EQ(routing->hangMinEdit->text(), "1200");
}

TEST_F(MainWindow, LanguageSwitchKeepsTypedValues) {
    std::vector<std::string> log;
    TFMain& w = StartWithConfiguration("E");
    auto* page = new CTestPage(w, "lines", &log);
    w.Sections().SetPage(kw::kSectionLines, page);
    SectionList().setCurrentRow(0);
    page->hangMinEdit->setText("250");
    page->volumeList->setCurrentIndex(2);

    QToolButton* cze = &Button("BLCze");
    QToolButton* eng = &Button("BLEng");
    EXPECT_TRUE(eng->isChecked());
    cze->click();
    EXPECT_TRUE(cze->isChecked());
    EXPECT_FALSE(eng->isChecked());
    EXPECT_EQ(w.Settings().ActLanguage, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"load lines", "store lines", "load lines"}));
    EXPECT_EQ(page->hangMinEdit->text(), "200");
    EXPECT_EQ(page->volumeList->currentIndex(), 2);
    EXPECT_EQ(page->volumeList->currentText(), "C40_2");
    EXPECT_EQ(w.Parameters().GetValue("FXSVolRec", 0), "2");
    EXPECT_EQ(w.windowTitle(), "C0 - C328");
    EXPECT_EQ(SectionList().item(6)->text(), "C10");
    EXPECT_EQ(SectionCaption().text(), "C4");
    EXPECT_EQ(w.StatusText(), "C246");
    EXPECT_EQ(Menu("Aplikace1").title(), "C242");
    EXPECT_EQ(Button("SpeedButton6").toolTip(), "CH244");
    EXPECT_EQ(Button("SpeedButton3").toolTip(), "C73");
    EXPECT_EQ(Action("Nacistzesouboru1").text(), "C72");

    // Clicking the button that is down keeps it down.
    cze->click();
    EXPECT_TRUE(cze->isChecked());
}

TEST_F(MainWindow, LanguageButtonsFollowTheInstalledLanguages) {
    std::ofstream(programDir + "/L_Init.ini")
        << "[Settings]\nNumberOfLang=3\nNumberOfWords=400\n"
           "[Lang0]\nFile=Test-E.lng\nName=Englishish\nId=Eng\n"
           "[Lang1]\nFile=Test-C.lng\nName=Czechish\nId=Cze\n"
           "[Lang2]\nFile=Test-C.lng\nName=Other\nId=Xyz\n";
    WriteIni("[Settings]\nActLanguage=2\n");
    Start();
    for (size_t i = 0; i < TFMain::kLanguageButtons.size(); ++i) {
        QToolButton& button = Button(("BL" + std::string(TFMain::kLanguageButtons[i].id)).c_str());
        const bool installed = i < 2;
        EXPECT_EQ(button.isEnabled(), installed) << i;
        EXPECT_FALSE(button.isChecked()) << i; // none down: Xyz has no button
    }
    EXPECT_EQ(Button("BLCze").toolTip(), "Czechish");
    EXPECT_EQ(Button("BLEng").toolTip(), "Englishish");
    // A saved index past the list falls back to the first language.
    window.reset();
    WriteIni("[Settings]\nActLanguage=9\n");
    EXPECT_EQ(Start().Settings().ActLanguage, 0);
    EXPECT_TRUE(Button("BLEng").isChecked());
}

TEST_F(MainWindow, ToolPanelHoldsTheSpeedButtonsInOrderWithTheirHints) {
    Start().show();
    const char* order[] = {"SpeedButton5", "SpeedButton3",  "SpeedButton4", "SpeedButton6",
                           "SpeedButton8", "SpeedButton10", "SpeedButton1", "SpeedButton2",
                           "SpeedButton7", "SpeedButton9"};
    int lastX = -1;
    for (const char* name : order) {
        QToolButton& button =
            kw::test::Control<QToolButton>(kw::test::Control<QWidget>(*window, "Panel1"), name);
        EXPECT_GT(button.x(), lastX) << name;
        EXPECT_EQ(button.width(), 26);
        lastX = button.x();
    }
    EXPECT_EQ(Button("SpeedButton5").toolTip(), "E18");
    EXPECT_EQ(Button("SpeedButton8").toolTip(), "EH245");
    EXPECT_EQ(Button("SpeedButton10").toolTip(), "E335");
    EXPECT_EQ(Button("SpeedButton9").toolTip(), "E336");
    EXPECT_EQ(Action("Upgradefirmware1").text(), "E11");
    EXPECT_EQ(Menu("Brana1").title(), "E243");
    // Settings | connect, disconnect | backups, compare, export report | about, exit.
    EXPECT_EQ(Menu("Aplikace1").actions().size(), 11);
    // Load, save | read, write | upgrade | record traces, open traces folder.
    EXPECT_EQ(Menu("Brana1").actions().size(), 10);
    EXPECT_TRUE(Menu("Aplikace1").actions()[1]->isSeparator());
    EXPECT_EQ(Menu("Aplikace1").actions()[5], &Action("BackupsItem"));
    EXPECT_EQ(Menu("Aplikace1").actions()[6], &Action("CompareItem"));
    EXPECT_EQ(Menu("Aplikace1").actions()[7], &Action("ExportReportAction"));
    EXPECT_EQ(Menu("Aplikace1").actions()[10], &Action("Ukoncit1"));
    EXPECT_EQ(Menu("Brana1").actions()[6], &Action("Upgradefirmware1"));
    EXPECT_EQ(Menu("Brana1").actions()[8], &Action("RecordTracesItem"));
    EXPECT_TRUE(Action("RecordTracesItem").isCheckable());
    // The test languages end before these words: each shows its key.
    EXPECT_EQ(Action("RecordTracesItem").text(), "S479");
    EXPECT_EQ(Action("OpenTracesItem").text(), "S480");
    EXPECT_EQ(SectionList().count(), 7);
}

TEST_F(MainWindow, ExitClosesAndWritesTheSettings) {
    TFMain& w = Start();
    w.show();
    w.Settings().LastIpPassw = "secret";
    Action("Ukoncit1").trigger();
    EXPECT_TRUE(w.GatewayCommands().Link().Closing());
    EXPECT_FALSE(w.isVisible());
    EXPECT_NE(IniText().find("\nLastIpPassw=secret\n"), std::string::npos);
}

} // namespace
