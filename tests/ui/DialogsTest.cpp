// The Qt user port (message boxes, the progress window), the about box, the
// file-dialog filters and the centring of dialogs.
#include "About.h"
#include "AppSettings.h"
#include "FileDialogs.h"
#include "IniFile.h"
#include "MainWindowFixture.h"
#include "ModalAnswer.h"
#include "Progress.h"
#include "QtUserPort.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {

using kw::test::AnswerNextModal;
using kw::test::Control;
using Icon = CUserPort::Icon;
using Dialogs = kw::test::MainWindowFixture;

TEST_F(Dialogs, MessageBoxesTakeCaptionWordZeroTheWordAndItsDetails) {
    TFMain& w = Start();
    CQtUserPort qtPort(w, language, [&w](QWidget& d) { w.CenterDialog(d); });
    EXPECT_EQ(qtPort.MessageText(130, "%s\n'%s'", {"/tmp/a.sgd"}), "E130\n'/tmp/a.sgd'");
    EXPECT_EQ(qtPort.MessageText(130, "", {"x"}), "E130");
    EXPECT_EQ(qtPort.MessageText(130, "%s %n %s %s", {"a"}), "E130 %n a %s");

    QString seenTitle, seenText;
    QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
    AnswerNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        seenTitle = box->windowTitle();
        seenText = box->text();
        seenIcon = box->icon();
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_TRUE(qtPort.AskYesNo(Icon::Question, 334, {}, {}));
    EXPECT_EQ(seenTitle, "E0");
    EXPECT_EQ(seenText, "E334");
    EXPECT_EQ(seenIcon, QMessageBox::Question);

    AnswerNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        seenIcon = box->icon();
        seenText = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    qtPort.ShowMessage(Icon::Error, 129, "%s\n'%s'", {"f.sgd"});
    EXPECT_EQ(seenIcon, QMessageBox::Critical);
    EXPECT_EQ(seenText, "E129\n'f.sgd'");
}

TEST_F(Dialogs, ProgressWindowStaysInFrontAndItsCancelLatches) {
    TFMain& w = Start();
    w.SetUserPort(nullptr); // the window's own Qt user port
    w.show();
    int handlerCalls = 0;
    w.UserPort().SetCancelHandler([&] { ++handlerCalls; });
    auto& qtPort = dynamic_cast<CQtUserPort&>(w.UserPort());

    w.UserPort().ShowProgressWord(104, true);
    TFProgress* progress = qtPort.ProgressWindow();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->parentWidget(), &w);
    EXPECT_EQ(progress->windowType(), Qt::Tool);
    EXPECT_FALSE(progress->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(progress->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_FALSE(progress->isModal());
    EXPECT_TRUE(progress->isVisible());
    EXPECT_EQ(Control<QLabel>(*progress, "Label1").text(), "E104");
    EXPECT_EQ(Control<QPushButton>(*progress, "Button1").text(), "E2");
    EXPECT_FALSE(Control<QProgressBar>(*progress, "ProgressBar1").isHidden());
    EXPECT_FALSE(Control<QPushButton>(*progress, "Button1").isHidden());
    w.UserPort().SetProgressPosition(40);
    EXPECT_EQ(Control<QProgressBar>(*progress, "ProgressBar1").value(), 40);
    EXPECT_FALSE(w.UserPort().ProgressCancelled());

    Control<QPushButton>(*progress, "Button1").click();
    EXPECT_EQ(handlerCalls, 1);
    EXPECT_TRUE(w.UserPort().ProgressCancelled());
    w.UserPort().HideProgress();
    EXPECT_EQ(qtPort.ProgressWindow(), nullptr);
    // The latch outlives the window until the next one opens.
    EXPECT_TRUE(w.UserPort().ProgressCancelled());
    w.UserPort().ShowProgress("again", false);
    EXPECT_FALSE(w.UserPort().ProgressCancelled());
    EXPECT_TRUE(Control<QProgressBar>(*qtPort.ProgressWindow(), "ProgressBar1").isHidden());
    w.UserPort().SetProgressCancelVisible(false);
    EXPECT_TRUE(Control<QPushButton>(*qtPort.ProgressWindow(), "Button1").isHidden());
    qtPort.ProgressWindow()->reject(); // Escape without a Cancel button does nothing
    EXPECT_FALSE(w.UserPort().ProgressCancelled());
    w.UserPort().HideProgress();
    w.UserPort().HideProgress(); // twice is harmless
}

TEST_F(Dialogs, AboutBoxShowsVersionTitleContactsAndTheLogoWhenPresent) {
    QImage logo(40, 30, QImage::Format_RGB32);
    logo.fill(Qt::darkBlue);
    ASSERT_TRUE(logo.save(QString::fromStdString(programDir + "/ExtLogo.bmp"), "BMP"));
    TFMain& w = Start();
    bool ran = false;
    w.SetDialogRunner([&](QDialog& dialog) {
        auto* about = dynamic_cast<TFOAplikaci*>(&dialog);
        EXPECT_NE(about, nullptr);
        if (about == nullptr)
            return 0;
        ran = true;
        EXPECT_EQ(Control<QLabel>(*about, "Label1").text(), "2.13");
        EXPECT_EQ(Control<QLabel>(*about, "Label6").text(), "E0");
        EXPECT_EQ(about->windowTitle(), "E19");
        EXPECT_EQ(Control<QLabel>(*about, "Image1").pixmap().size(), QSize(40, 30));
        EXPECT_EQ(Control<QPushButton>(*about, "Button1").text(), "E3");
        QStringList contacts;
        for (QLabel* label : about->findChildren<QLabel*>())
            if (label->property("tag").toInt() >= 140)
                contacts << label->text();
        EXPECT_EQ(contacts, (QStringList{"E140", "E141", "E142", "E143", "E144", "E145", "E146"}));
        Control<QPushButton>(*about, "Button1").click();
        return about->result();
    });
    Action("Oaplikaci1").trigger();
    EXPECT_TRUE(ran);
}

TEST_F(Dialogs, DialogsAreCentredOverTheMainWindowButNeverOffTheOrigin) {
    TFMain& w = Start();
    w.setGeometry(100, 80, 900, 700);
    QWidget dialog(nullptr, Qt::Dialog);
    dialog.resize(300, 200);
    w.CenterDialog(dialog);
    const QRect frame = w.frameGeometry();
    EXPECT_EQ(dialog.pos(), QPoint(frame.left() + (frame.width() - 300) / 2,
                                   frame.top() + (frame.height() - 200) / 2));
    w.move(-500, -400);
    w.CenterDialog(dialog);
    EXPECT_EQ(dialog.pos(), QPoint(0, 0));
}

TEST_F(Dialogs, QtFileDialogsOfferTheFiltersAndAddTheDefaultSuffix) {
    TFMain& w = Start();
    CQtFileDialogs dialogs(&w);
    QStringList seenFilters;
    QString seenSuffix;
    AnswerNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        seenFilters = dialog->nameFilters();
        seenSuffix = dialog->defaultSuffix();
        EXPECT_EQ(dialog->selectedNameFilter(), seenFilters.value(0));
        dialog->selectFile(QString::fromStdString(temp.Path("new-name")));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const auto saved = dialogs.AskSave("Config (*.sgd);;All (*)", "sgd");
    EXPECT_EQ(seenFilters, (QStringList{"Config (*.sgd)", "All (*)"}));
    EXPECT_EQ(seenSuffix, "sgd");
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(*saved, temp.Path("new-name.sgd"));

    temp.Write("there.sgd", "HWVer=\"A\"\r\n");
    AnswerNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
        dialog->selectFile(QString::fromStdString(temp.Path("there.sgd")));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    EXPECT_EQ(dialogs.AskOpen("Config|*.sgd"), temp.Path("there.sgd"));
    AnswerNextModal([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    EXPECT_EQ(dialogs.AskOpen("Config|*.sgd"), std::nullopt);
}

TEST(FileDialogFilters, BothFilterFormsBecomeQtNameFilters) {
    EXPECT_EQ(kw::DialogFilters("Config (*.sgd)|*.sgd|All files|*.*"),
              (QStringList{"Config (*.sgd)", "All files (*.*)"}));
    EXPECT_EQ(kw::DialogFilters("Config|*.sgd;*.txt"), (QStringList{"Config (*.sgd *.txt)"}));
    EXPECT_EQ(kw::DialogFilters("Config (*.sgd);;All (*)"),
              (QStringList{"Config (*.sgd)", "All (*)"}));
    EXPECT_EQ(kw::DialogFilters("Config|"), (QStringList{"Config ()"}));
}

TEST(AppSettings, ModemConnectionStaysWhenAModemIsKnown) {
    kw::CIniFile ini;
    ini.Parse("[Settings]\nConType=1\nIpAddress=\n");
    kw::TSettingsContext context{1920, 1080, true, "192.0.2.7", 891};
    kw::TAppSettings s = kw::ReadSettings(ini, context);
    EXPECT_EQ(s.ConType, 1);
    EXPECT_EQ(s.IpAddress, "192.0.2.7");
    kw::ReadWindowPlace(ini, context, s);
    EXPECT_EQ(s.Left, (1920 - 891) / 2);
    EXPECT_EQ(s.Top, (1080 - 715) / 2);
    EXPECT_EQ(s.Width, 891);
    EXPECT_EQ(s.Height, 715);
    context.modemAvailable = false;
    EXPECT_EQ(kw::ReadSettings(ini, context).ConType, 0);
    context.screenWidth = 800; // narrower than the window: halved toward zero
    kw::ReadWindowPlace(ini, context, s);
    EXPECT_EQ(s.Left, -45);
}

} // namespace
