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
    "Com",       "IpCom",       "ActLanguage",  "Left",    "Top",          "Height",
    "Width",     "ModemNumber", "ConType",      "ModemId", "IpAddress",    "IpPort",
    "LastIpNum", "LastIpPassw", "LastIpSerial", "LastAPN", "LastInetUser", "LastInetPassw"};

TEST_F(MainWindow, FirstStartIsCentredAtDesignSizeWithDefaults) {
    TFMain& w = Start();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(w.size(), QSize(891, 715));
    EXPECT_EQ(w.pos(), QPoint((screen.width() - 891) / 2, (screen.height() - 715) / 2));
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
    EXPECT_FALSE(w.ListBox1->isEnabled());
    EXPECT_FALSE(w.SpeedButton4->isEnabled());
    EXPECT_FALSE(w.SpeedButton2->isEnabled());
    EXPECT_EQ(w.windowTitle(), "E0");
    EXPECT_EQ(w.StatusText(), "E246");
    EXPECT_EQ(w.CurrentPage(), nullptr);
    EXPECT_FALSE(w.PinChanged());
    EXPECT_EQ(w.Parameters().GetValue("FXSVolRec", 0), "3");

    EXPECT_TRUE(w.close());
    EXPECT_TRUE(w.Closing());
    const std::string ini = IniText();
    EXPECT_EQ(SettingsKeys(ini), kTableOrder);
    EXPECT_NE(ini.find("\nIpAddress=\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("\nWidth=891\n"), std::string::npos) << ini;
    struct stat st {};
    ASSERT_EQ(::stat(IniPath().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
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
            w.LinkStateNotify(connected, call);
            SCOPED_TRACE("type " + std::to_string(type) + " flags " + std::to_string(flags));
            const bool cable = type == 0;
            const bool link = cable || connected;
            bool connect = false;
            if (type == 1)
                connect = !connected && !call && phone;
            if (type == 2)
                connect = !connected && address;
            EXPECT_EQ(w.SpeedButton4->isEnabled(), loaded);
            EXPECT_EQ(w.SpeedButton7->isEnabled(), link);
            EXPECT_EQ(w.SpeedButton1->isEnabled(), link);
            EXPECT_EQ(w.SpeedButton2->isEnabled(), cable ? loaded : connected && loaded);
            EXPECT_EQ(w.SpeedButton6->isEnabled(), connect);
            EXPECT_EQ(w.SpeedButton8->isEnabled(), !cable && connected);
            EXPECT_EQ(w.SpeedButton9->isEnabled(), cable);
            EXPECT_EQ(w.Navazatspojeni1->isEnabled(), connect);
            EXPECT_EQ(w.Ukoncitspojeni1->isEnabled(), !cable && connected);
            EXPECT_EQ(w.Nacistzbrany1->isEnabled(), link);
            EXPECT_EQ(w.Ulozitdobrany1->isEnabled(), link);
            EXPECT_EQ(w.Upgradefirmware1->isEnabled(), link);
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
        EXPECT_EQ(w.ListBox1->isEnabled(), *variant != '\0') << variant;
    }
    // The variant reaches the word table: word 4 has a text of its own for C.
    w.SetHardwareVariant("C");
    w.RefreshConfig();
    EXPECT_EQ(w.ListBox1->item(0)->text(), "E4-for-C");
}

TEST_F(MainWindow, SectionSwitchStoresThePageLeftBeforeFillingTheNext) {
    std::vector<std::string> log;
    TFMain& w = StartWithConfiguration("A");
    auto* lines = new CTestPage(w, "lines", &log);
    auto* routing = new CTestPage(w, "routing", &log);
    w.SetSectionPage(kw::kSectionLines, lines);
    w.SetSectionPage(kw::kSectionRouting, routing);
    w.SetSectionPage(kw::kSectionSmsInput, nullptr); // a section without a page, below

    w.ListBox1->setCurrentRow(0);
    EXPECT_EQ(w.CurrentPage(), lines);
    EXPECT_EQ(w.ScrollBox1->widget(), lines);
    EXPECT_EQ(w.Panel1C->text(), "E4");
    const QSize area = w.ScrollBox1->viewport()->size();
    EXPECT_EQ(lines->lastWidth, area.width());
    EXPECT_EQ(lines->lastHeight, area.height());
    EXPECT_EQ(lines->pos(), QPoint(0, 0));

    lines->hangMinEdit->setText("1200");
    w.ListBox1->setCurrentRow(1);
    EXPECT_EQ(log, (std::vector<std::string>{"load lines", "store lines", "load routing"}));
    EXPECT_EQ(w.Parameters().GetValue("FXSHangMin", 0), "1200");
    EXPECT_EQ(routing->hangMinEdit->text(), "1200");
    EXPECT_FALSE(lines->isVisible());

    // A section without a page shows an empty area under its caption.
    w.ListBox1->setCurrentRow(2);
    EXPECT_EQ(w.CurrentPage(), nullptr);
    EXPECT_EQ(w.ScrollBox1->widget(), nullptr);
    EXPECT_EQ(w.Panel1C->text(), "E6");
    EXPECT_EQ(log.back(), "store routing");

    // Nothing changed by hand: switching leaves the modified flag alone.
    w.Parameters().m_Modified = false;
    w.ListBox1->setCurrentRow(0);
    w.ListBox1->setCurrentRow(1);
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
    w.SetSectionPage(kw::kSectionLines, page);
    w.ListBox1->setCurrentRow(0);
    page->hangMinEdit->setText("250");
    page->volumeList->setCurrentIndex(2);

    QToolButton* cze = w.LanguageButtons[0];
    QToolButton* eng = w.LanguageButtons[1];
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
    EXPECT_EQ(w.ListBox1->item(6)->text(), "C10");
    EXPECT_EQ(w.Panel1C->text(), "C4");
    EXPECT_EQ(w.StatusText(), "C246");
    EXPECT_EQ(w.Aplikace1->title(), "C242");
    EXPECT_EQ(w.SpeedButton6->toolTip(), "CH244");
    EXPECT_EQ(w.SpeedButton3->toolTip(), "C73");
    EXPECT_EQ(w.Nacistzesouboru1->text(), "C72");

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
    TFMain& w = Start();
    for (size_t i = 0; i < w.LanguageButtons.size(); ++i) {
        const bool installed = i < 2;
        EXPECT_EQ(w.LanguageButtons[i]->isEnabled(), installed) << i;
        EXPECT_FALSE(w.LanguageButtons[i]->isChecked()) << i; // none down: Xyz has no button
    }
    EXPECT_EQ(w.LanguageButtons[0]->toolTip(), "Czechish");
    EXPECT_EQ(w.LanguageButtons[1]->toolTip(), "Englishish");
    // A saved index past the list falls back to the first language.
    window.reset();
    WriteIni("[Settings]\nActLanguage=9\n");
    EXPECT_EQ(Start().Settings().ActLanguage, 0);
    EXPECT_TRUE(window->LanguageButtons[1]->isChecked());
}

TEST_F(MainWindow, ToolPanelHoldsTheSpeedButtonsInOrderWithTheirHints) {
    TFMain& w = Start();
    w.show();
    const char* order[] = {"SpeedButton5", "SpeedButton3",  "SpeedButton4", "SpeedButton6",
                           "SpeedButton8", "SpeedButton10", "SpeedButton1", "SpeedButton2",
                           "SpeedButton7", "SpeedButton9"};
    int lastX = -1;
    for (const char* name : order) {
        auto* button = w.Panel1->findChild<QToolButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_GT(button->x(), lastX) << name;
        EXPECT_EQ(button->width(), 26);
        lastX = button->x();
    }
    EXPECT_EQ(w.SpeedButton5->toolTip(), "E18");
    EXPECT_EQ(w.SpeedButton8->toolTip(), "EH245");
    EXPECT_EQ(w.SpeedButton10->toolTip(), "E335");
    EXPECT_EQ(w.SpeedButton9->toolTip(), "E336");
    EXPECT_EQ(w.Upgradefirmware1->text(), "E11");
    EXPECT_EQ(w.Brana1->title(), "E243");
    EXPECT_EQ(w.Aplikace1->actions().size(), 7);
    EXPECT_EQ(w.Brana1->actions().size(), 7);
    EXPECT_TRUE(w.Aplikace1->actions()[1]->isSeparator());
    EXPECT_EQ(w.Aplikace1->actions()[6], w.Ukoncit1);
    EXPECT_EQ(w.Brana1->actions()[6], w.Upgradefirmware1);
    EXPECT_EQ(w.ListBox1->count(), 7);
}

TEST_F(MainWindow, ExitClosesAndWritesTheSettings) {
    TFMain& w = Start();
    w.show();
    w.Settings().LastIpPassw = "secret";
    w.Ukoncit1->trigger();
    EXPECT_TRUE(w.Closing());
    EXPECT_FALSE(w.isVisible());
    EXPECT_NE(IniText().find("\nLastIpPassw=secret\n"), std::string::npos);
}

} // namespace
