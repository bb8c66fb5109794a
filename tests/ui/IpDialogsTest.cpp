// The IP connect dialog and the IP dialling window offscreen: what the connect
// dialog shows and takes, its typing limits, the refusals that keep it open,
// and the dialling window's Cancel in each of its forms.
#include "IPConnect.h"
#include "IpDialing.h"
#include "MainWindowFixture.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

using kw::test::Control;
using Icon = CUserPort::Icon;
using IpDialogs = kw::test::MainWindowFixture;

kw::TIpSettings LastValues() {
    kw::TIpSettings last;
    last.IpAddress = "10.0.0.2";
    last.LastIpNum = "+420777123456";
    last.LastIpSerial = "10-2024-0001";
    last.LastIpPassw = "pw";
    last.LastAPN = "intern\xE9t";             // e-acute: Windows-1252 in the settings
    last.LastInetUser = std::string(25, 'u'); // longer than typing allows
    last.LastInetPassw = "x";
    return last;
}

// Types into an edit as the user would; text the test toolkit cannot type as
// keys (beyond ASCII) is set instead.
void Retype(QLineEdit& edit, const QString& text) {
    for (const QChar c : text)
        if (c.unicode() > 0x7E) {
            edit.setText(text);
            return;
        }
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Delete);
    QTest::keyClicks(&edit, text);
}

TEST_F(IpDialogs, ConnectDialogShowsTheLastValuesAndTakesWhatWasTyped) {
    TFMain& w = Start();
    TFIPConnect dialog(language, &w);
    dialog.Activate(LastValues(), port);
    auto edit = [&](const char* name) -> QLineEdit& { return Control<QLineEdit>(dialog, name); };
    EXPECT_EQ(dialog.windowTitle(), "E353");
    EXPECT_EQ(Control<QPushButton>(dialog, "Button1").text(), "E353");
    EXPECT_EQ(Control<QPushButton>(dialog, "Button2").text(), "E2");
    EXPECT_EQ(edit("Edit1").text(), "+420777123456");
    EXPECT_EQ(edit("MaskEdit1").displayText(), "10-2024-0001");
    EXPECT_EQ(edit("Edit3").text(), QString::fromUtf8("intern\u00E9t"));
    EXPECT_EQ(edit("Edit4").text().size(), 25); // shown whole

    // Typing stops at each field's limit; the mask takes digits only.
    const struct {
        const char* edit;
        QString typed;
        QString kept;
    } typing[] = {
        {"Edit2", "abcdefg", "abcde"},
        {"Edit3", QString(31, 'a'), QString(30, 'a')},
        {"Edit5", QString(21, 'p'), QString(20, 'p')},
        {"MaskEdit1", "12x34567890123", "12-3456-7890"},
        {"Edit1", QString(40, '1'), QString(40, '1')},
    };
    for (const auto& t : typing) {
        SCOPED_TRACE(t.edit);
        Retype(edit(t.edit), t.typed);
        EXPECT_EQ(edit(t.edit).displayText(), t.kept);
    }
    // A value longer than the limit gets no longer, however it is typed at.
    edit("Edit4").end(false);
    QTest::keyClicks(&edit("Edit4"), "v");
    EXPECT_EQ(edit("Edit4").text(), QString(25, 'u'));
    Retype(edit("Edit4"), "user");
    Retype(edit("Edit3"), QString::fromUtf8("intern\u00E9t"));
    Retype(edit("Edit1"), "+420777000111");

    Control<QPushButton>(dialog, "Button1").click();
    EXPECT_EQ(dialog.result(), TFIPConnect::kResultStart);
    const kw::TIpSettings& taken = dialog.Values();
    EXPECT_EQ(taken.LastIpNum, "+420777000111");
    EXPECT_EQ(taken.LastIpSerial, "12-3456-7890");
    EXPECT_EQ(taken.LastIpPassw, "abcde");
    EXPECT_EQ(taken.LastAPN, "intern\xE9t");
    EXPECT_EQ(taken.LastInetUser, "user");
    EXPECT_EQ(taken.LastInetPassw, std::string(20, 'p'));
    EXPECT_EQ(taken.IpAddress, "10.0.0.2"); // not the dialog's to change

    // The serial number keeps its dashes; a digit not typed is a space; none is empty.
    const struct {
        QString typed;
        std::string stored;
    } serials[] = {{"1020", "10-20  -    "}, {"", ""}};
    for (const auto& serial : serials) {
        dialog.Activate(LastValues(), port);
        Retype(edit("MaskEdit1"), serial.typed);
        Control<QPushButton>(dialog, "Button1").click();
        EXPECT_EQ(dialog.Values().LastIpSerial, serial.stored);
    }
}

// Start refuses what the SMS could not carry as typed, says why, and stays open.
TEST_F(IpDialogs, ConnectDialogRefusesWhatTheSmsCannotCarry) {
    TFMain& w = Start();
    TFIPConnect dialog(language, &w);
    const struct {
        const char* edit;
        QString typed;
        int word;
        std::vector<std::string> details;
    } cases[] = {
        {"Edit1", "+42077712a", 400, {}},
        {"Edit3", "web;x", 401, {"W410"}},
        {"Edit4", QString::fromUtf8("a\u2192b"), 402, {"W411", "\u2192"}},
        {"Edit2", QString::fromUtf8("\u2192"), 403, {"W408"}},
        {"Edit5", "ab~", 403, {"W412"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        dialog.Activate(LastValues(), port);
        Retype(Control<QLineEdit>(dialog, "Edit4"), "user");
        Retype(Control<QLineEdit>(dialog, c.edit), c.typed);
        dialog.setResult(0);
        port.ExpectMessage(Icon::Error, c.word, c.details);
        Control<QPushButton>(dialog, "Button1").click();
        EXPECT_TRUE(port.AllMessagesShown());
        EXPECT_EQ(dialog.result(), 0);
    }
    // Cancel and Escape close it with 1.
    dialog.Activate(LastValues(), port);
    Control<QPushButton>(dialog, "Button2").click();
    EXPECT_EQ(dialog.result(), TFIPConnect::kResultCancel);
    dialog.setResult(0);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), TFIPConnect::kResultCancel);
}

TEST_F(IpDialogs, DiallingWindowStaysUntilTheProgramClosesItAndCancelsInEveryForm) {
    TFMain& w = Start();
    w.show();
    TFIpDialing dialling(language, &w);
    dialling.Open();
    EXPECT_EQ(dialling.windowTitle(), "E273");
    EXPECT_EQ(Control<QPushButton>(dialling, "Button1").text(), "E2");
    EXPECT_EQ(dialling.windowType(), Qt::Tool);
    EXPECT_FALSE(dialling.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(dialling.isModal());
    EXPECT_TRUE(dialling.isVisible());
    dialling.AddLine("E354");
    dialling.AddLine("E358");
    EXPECT_EQ(dialling.Lines(), (QStringList{"E354", "E358"}));

    int cancels = 0;
    dialling.SetCancelAction([&] {
        ++cancels;
        dialling.CloseByProgram();
    });
    const struct {
        const char* name;
        std::function<void()> press;
    } forms[] = {
        {"the button", [&] { Control<QPushButton>(dialling, "Button1").click(); }},
        {"Escape", [&] { QTest::keyClick(&dialling, Qt::Key_Escape); }},
        {"the window manager's close", [&] { dialling.close(); }},
    };
    for (const auto& form : forms) {
        SCOPED_TRACE(form.name);
        cancels = 0;
        dialling.Open();
        EXPECT_TRUE(dialling.Lines().isEmpty());
        EXPECT_FALSE(dialling.ClosingByProgram());
        form.press();
        EXPECT_EQ(cancels, 1);
        EXPECT_FALSE(dialling.isVisible());
        EXPECT_TRUE(dialling.ClosingByProgram());
    }
    // The program's own close is no Cancel.
    cancels = 0;
    dialling.Open();
    dialling.CloseByProgram();
    EXPECT_FALSE(dialling.isVisible());
    EXPECT_EQ(cancels, 0);
}

} // namespace
