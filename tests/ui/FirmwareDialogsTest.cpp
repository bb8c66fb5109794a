// The upgrade's two dialogs as the Qt user port shows them: the file choice
// with its sorted list, O.K., double click and Cancel, and the version dialog
// with Continue, Cancel and Escape.
#include "AskBinaries.h"
#include "MainWindowFixture.h"
#include "ModalAnswer.h"
#include "QtUserPort.h"
#include "UpgradeInfo.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

using kw::test::AnswerNextModal;
using kw::test::Control;
using FirmwareDialogs = kw::test::MainWindowFixture;

QStringList Names(const QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

TEST_F(FirmwareDialogs, ChoiceListsTheFilesSortedWithTheFirstSelected) {
    TFMain& w = Start();
    CQtUserPort qtPort(w, language, [&w](QWidget& d) { w.CenterDialog(d); });
    const std::vector<std::string> entries = {"Kolbra2.Bin", "kolbra10.bin", "Kolbra1.Bin"};

    AnswerNextModal([&](QWidget* modal) {
        auto* ask = dynamic_cast<TFAskBinaries*>(modal);
        ASSERT_NE(ask, nullptr);
        EXPECT_EQ(ask->windowTitle(), "E127");
        EXPECT_EQ(Control<QLabel>(*ask, "Label1").text(), "E126");
        EXPECT_EQ(Control<QPushButton>(*ask, "Button1").text(), "E1");
        EXPECT_EQ(Control<QPushButton>(*ask, "Button2").text(), "E2");
        EXPECT_EQ(Names(&Control<QListWidget>(*ask, "ListBox1")),
                  (QStringList{"Kolbra1.Bin", "kolbra10.bin", "Kolbra2.Bin"}));
        EXPECT_EQ(Control<QListWidget>(*ask, "ListBox1").currentRow(), 0);
        Control<QPushButton>(*ask, "Button1").click();
    });
    EXPECT_EQ(qtPort.PickEntry(entries), 2); // Kolbra1.Bin, third as given

    AnswerNextModal([&](QWidget* modal) {
        auto* ask = dynamic_cast<TFAskBinaries*>(modal);
        ASSERT_NE(ask, nullptr);
        QListWidgetItem* last = Control<QListWidget>(*ask, "ListBox1").item(2);
        Control<QListWidget>(*ask, "ListBox1").setCurrentItem(last);
        emit Control<QListWidget>(*ask, "ListBox1").itemDoubleClicked(last);
    });
    EXPECT_EQ(qtPort.PickEntry(entries), 0); // Kolbra2.Bin

    AnswerNextModal([](QWidget* modal) {
        auto* ask = dynamic_cast<TFAskBinaries*>(modal);
        ASSERT_NE(ask, nullptr);
        Control<QPushButton>(*ask, "Button2").click();
    });
    EXPECT_EQ(qtPort.PickEntry(entries), -1);

    AnswerNextModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    EXPECT_EQ(qtPort.PickEntry(entries), -1);
}

TEST_F(FirmwareDialogs, VersionDialogShowsBothVersionsAndGoesOnOnlyWithContinue) {
    TFMain& w = Start();
    CQtUserPort qtPort(w, language, [&w](QWidget& d) { w.CenterDialog(d); });

    AnswerNextModal([&](QWidget* modal) {
        auto* info = dynamic_cast<TFUpgradeInfo*>(modal);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->windowTitle(), "E11");
        EXPECT_EQ(Control<QLabel>(*info, "Label1").text(), "E344");
        EXPECT_EQ(Control<QLabel>(*info, "Label3").text(), "E345");
        EXPECT_EQ(Control<QLabel>(*info, "Label2").text(), "BOOT <b>");
        EXPECT_EQ(Control<QLabel>(*info, "Label4").text(), QString::fromUtf8("1.08\u00e9"));
        EXPECT_EQ(Control<QPushButton>(*info, "Button2").text(), "E346");
        EXPECT_EQ(Control<QPushButton>(*info, "Button3").text(), "E2");
        Control<QPushButton>(*info, "Button2").click();
    });
    // The gateway's bytes are shown as they are, markup and all.
    EXPECT_TRUE(qtPort.ConfirmVersionChange("BOOT <b>", "1.08\xE9"));

    AnswerNextModal([](QWidget* modal) {
        auto* info = dynamic_cast<TFUpgradeInfo*>(modal);
        ASSERT_NE(info, nullptr);
        Control<QPushButton>(*info, "Button3").click();
        EXPECT_EQ(info->result(), TFUpgradeInfo::kResultCancel);
    });
    EXPECT_FALSE(qtPort.ConfirmVersionChange("1.07", "1.08"));

    AnswerNextModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    EXPECT_FALSE(qtPort.ConfirmVersionChange("1.07", "1.08"));
}

} // namespace
