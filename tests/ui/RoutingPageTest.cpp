// The routing page as a whole: layouts per hardware variant, what loading and
// storing do to the parameters, the FXO tables' enabling, the banks tab and
// the mirrored operator console number.
#include "RoutingFixture.h"

#include "BankTime.h"
#include "RandomConfiguration.h"
#include "RoutingDelegate.h"
#include "TranslateWidgets.h"
#include "UpDown.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QToolTip>

#include <map>
#include <random>

namespace {

using kw::routing::TableId;
using kw::test::RoutingFixture;

using Snapshot = std::map<std::string, std::vector<std::string>>;

Snapshot Values(const CParameters& p) {
    Snapshot all;
    for (const auto& [name, rc] : p.Records())
        all[name] = rc.Values;
    return all;
}

class RoutingPage : public RoutingFixture {
protected:
    QLabel* Remain(int bank) const {
        return page.findChild<QLabel*>("BankRemain" + QString::number(bank + 1));
    }
    QLabel* BankNumber(int bank) const {
        return page.findChild<QLabel*>("BankNumber" + QString::number(bank + 1));
    }
};

TEST_F(RoutingPage, VariantAShowsTwelveFxsColumnsAndTheFxoTab) {
    LoadVariant("A");
    EXPECT_TRUE(sheets->isTabVisible(sheets->indexOf(Find<QWidget>("TabSheet2"))));
    ASSERT_EQ(fxsTable->columnCount(), 12);
    EXPECT_EQ(fxsDefaults->columnCount(), 11);
    EXPECT_EQ(fxsTable->ColumnOf("FXSDirection"), 3);
    EXPECT_EQ(fxsTable->ColumnOf("FXSBankNumber"), 11);
    EXPECT_EQ(fxsDefaults->ColumnOf("FXSDefDirection"), 2);
    EXPECT_EQ(fxoTable->columnCount(), 9);
    EXPECT_EQ(fxoDefaults->columnCount(), 8);
    EXPECT_EQ(gsmTable->columnCount(), 6);
    EXPECT_EQ(gsmDefaults->columnCount(), 4);
    EXPECT_EQ(fxsTable->rowCount(), 120);
    EXPECT_EQ(fxsTable->CellText(0, 0), "1.");
    EXPECT_EQ(fxsTable->CellText(119, 0), "120.");
    EXPECT_EQ(fxsDefaults->rowCount(), 1);
    EXPECT_EQ(fxsDefaults->CellText(0, 0), Word(31));
    EXPECT_EQ(fxoDefaults->CellText(0, 0), Word(223));
    EXPECT_EQ(gsmDefaults->CellText(0, 0), Word(228));
    // The FXS tab is the one on view after loading.
    EXPECT_EQ(sheets->currentWidget(), Find<QWidget>("TabSheet1"));
    EXPECT_FALSE(Find<QLabel>("Label29")->isHidden());
    EXPECT_FALSE(Find<QLineEdit>("Edit11")->isHidden());
    EXPECT_GT(Find<QLineEdit>("Edit13")->y(), Find<QLineEdit>("Edit11")->y());
    // The GSM direction lists carry all five directions with the texts of word 226.
    const TGridColumn& list = gsmTable->Column(gsmTable->ColumnOf("GSMDirection"));
    ASSERT_NE(list.row, nullptr);
    EXPECT_EQ(list.row->name, "ComboBox3");
    ASSERT_EQ(list.items.size(), 5u);
    EXPECT_EQ(list.items[4].toStdString(), host.language.GetItem(226, 4));
    EXPECT_EQ(gsmDefaults->Column(1).row->name, "ComboBox15");
}

TEST_F(RoutingPage, VariantEHasNoFxoTabElevenColumnsAndFourGsmDirections) {
    LoadVariant("A");
    const int fxoDialY = Find<QLineEdit>("Edit11")->y();
    const int labelY = Find<QLabel>("Label29")->y();
    LoadVariant("E");
    EXPECT_FALSE(sheets->isTabVisible(sheets->indexOf(Find<QWidget>("TabSheet2"))));
    ASSERT_EQ(fxsTable->columnCount(), 11);
    EXPECT_EQ(fxsDefaults->columnCount(), 10);
    EXPECT_EQ(fxsTable->ColumnOf("FXSDirection"), -1);
    EXPECT_EQ(fxsDefaults->ColumnOf("FXSDefDirection"), -1);
    EXPECT_EQ(fxsTable->ColumnOf("FXSNumLength"), 3);
    EXPECT_EQ(fxsTable->ColumnOf("FXSBankNumber"), 10);
    // Four directions without FXO, with the texts of word 330.
    for (CRoutingGrid* grid : {gsmTable, gsmDefaults}) {
        const TGridColumn& list =
            grid->Column(grid->ColumnOf(grid->IsDefault() ? "GSMDefDirection" : "GSMDirection"));
        ASSERT_NE(list.row, nullptr);
        EXPECT_EQ(list.row->items, (std::vector<int>{0, 2, 3, 4}));
        ASSERT_EQ(list.items.size(), 4u);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(list.items[i].toStdString(), host.language.GetItem(330, i));
    }
    // The time to dial on FXO is gone and the call-back time took its place.
    EXPECT_TRUE(Find<QLabel>("Label29")->isHidden());
    EXPECT_TRUE(Find<QLineEdit>("Edit11")->isHidden());
    EXPECT_TRUE(Find<CUpDown>("UpDown2")->isHidden());
    EXPECT_EQ(Find<QLineEdit>("Edit13")->y(), fxoDialY);
    EXPECT_EQ(Find<QLabel>("Label24")->y(), labelY);
    EXPECT_EQ(Find<CUpDown>("UpDown3")->y(), fxoDialY);
    // Back to A: the FXO tab and the direction column return.
    LoadVariant("A");
    EXPECT_EQ(fxsTable->columnCount(), 12);
    EXPECT_GT(Find<QLineEdit>("Edit13")->y(), fxoDialY);
}

TEST_F(RoutingPage, ColumnsTakeTheirDesignedWidthsAndHeaderWords) {
    LoadVariant("A");
    // A column is as wide as so many digits of the page's font, less a frame.
    const auto digits = [this](int count) {
        return count * page.fontMetrics().horizontalAdvance(QLatin1Char('0')) + 8 - 3;
    };
    const int edit17 = digits(13);
    const int edit18 = digits(4);
    const int combo7 = digits(14);
    const int combo3 = digits(12);
    EXPECT_EQ(fxsTable->columnWidth(0), edit18);
    EXPECT_EQ(fxsTable->columnWidth(1), edit17);
    EXPECT_EQ(fxsTable->columnWidth(3), combo7);
    EXPECT_EQ(fxoTable->columnWidth(3), combo7); // the FXO number length, as designed
    EXPECT_EQ(fxsDefaults->columnWidth(0), edit18 + edit17);
    EXPECT_EQ(fxsDefaults->columnWidth(2), combo7);
    EXPECT_EQ(gsmDefaults->columnWidth(0), edit18 + edit17 + combo3);
    EXPECT_EQ(gsmDefaults->columnWidth(1), gsmTable->columnWidth(3));
    // Header words, whole, whatever line breaks a narrow column needs.
    const int words[] = {24, 25, 26, 216, 27, 28, 29, 30, 150, 151, 290, 300};
    for (int c = 0; c < 12; ++c) {
        QString header = fxsTable->horizontalHeaderItem(c)->text();
        EXPECT_EQ(header.replace('\n', ' '), Word(words[c])) << c;
    }
    // Every grid shows all its columns without scrolling sideways.
    for (CRoutingGrid* grid : {fxsTable, fxsDefaults, gsmTable, gsmDefaults})
        EXPECT_GE(grid->width(), grid->FittingWidth()) << grid->objectName().toStdString();
}

TEST_F(RoutingPage, ColumnHintsAreTheSecondTextsOfTheHeaderWords) {
    LoadVariant("A");
    auto hint = [this](int word) { return QString::fromStdString(host.language.GetHint(word)); };
    EXPECT_TRUE(fxsTable->ColumnHint(0).isEmpty());
    EXPECT_EQ(fxsTable->ColumnHint(1), hint(25));
    EXPECT_EQ(fxsTable->ColumnHint(3), hint(216));
    EXPECT_EQ(fxsDefaults->ColumnHint(0), hint(31));
    EXPECT_EQ(fxsDefaults->ColumnHint(2), hint(216)); // column c shows TabFXS column c+1
    EXPECT_EQ(fxoDefaults->ColumnHint(0), hint(223));
    EXPECT_EQ(fxoDefaults->ColumnHint(1), hint(218));
    EXPECT_EQ(gsmDefaults->ColumnHint(0), hint(228));
    EXPECT_EQ(gsmDefaults->ColumnHint(1), hint(226));
    EXPECT_EQ(gsmDefaults->ColumnHint(2), hint(227));
    EXPECT_EQ(gsmDefaults->ColumnHint(3), hint(290));
    EXPECT_EQ(fxsTable->horizontalHeaderItem(10)->toolTip(), hint(290));
    // Resting the mouse over a cell shows its column's hint.
    for (int column : {2, 7}) {
        const QPoint at = fxsTable->visualRect(fxsTable->model()->index(3, column)).center();
        QHelpEvent help(QEvent::ToolTip, at, fxsTable->viewport()->mapToGlobal(at));
        QApplication::sendEvent(fxsTable->viewport(), &help);
        EXPECT_EQ(QToolTip::text(), fxsTable->ColumnHint(column));
    }
}

TEST_F(RoutingPage, FxoTablesAreDisabledUntilFxoDirectionSelectsTheTable) {
    LoadVariant("A");
    EXPECT_EQ(host.parameters.GetValue("FXODirection", 0), "0");
    EXPECT_FALSE(fxoTable->isEnabled());
    EXPECT_FALSE(fxoDefaults->isEnabled());
    // A disabled grid draws in the disabled text colour, which differs here.
    EXPECT_NE(fxoTable->palette().color(QPalette::Disabled, QPalette::Text),
              fxoTable->palette().color(QPalette::Active, QPalette::Text));
    Find<QComboBox>("ComboBox4")->setCurrentIndex(1); // as the user picks the second item
    EXPECT_TRUE(fxoTable->isEnabled());
    EXPECT_TRUE(fxoDefaults->isEnabled());
    Find<QComboBox>("ComboBox4")->setCurrentIndex(0);
    EXPECT_FALSE(fxoTable->isEnabled());

    host.parameters.SetValue("FXODirection", 0, "1");
    LoadVariant("A");
    EXPECT_TRUE(fxoTable->isEnabled());
    EXPECT_TRUE(fxoDefaults->isEnabled());
}

TEST_F(RoutingPage, StoringSetsModifiedEvenWithoutChanges) {
    page.StorePage(); // never loaded: nothing to take back
    EXPECT_FALSE(host.parameters.m_Modified);
    LoadVariant("A");
    ASSERT_FALSE(host.parameters.m_Modified);
    page.StorePage();
    EXPECT_TRUE(host.parameters.m_Modified);
}

class RoutingRoundTrip : public RoutingFixture,
                         public ::testing::WithParamInterface<const char*> {};

TEST_P(RoutingRoundTrip, ARandomConfigurationComesBackIdentical) {
    for (unsigned seed : {1u, 2u, 3u}) {
        std::mt19937 random(seed);
        kw::test::FillRandom(host.parameters, random);
        host.parameters.SetValue("HWVer", 0, GetParam());
        const Snapshot before = Values(host.parameters);
        LoadVariant(GetParam());
        page.StorePage();
        EXPECT_TRUE(Values(host.parameters) == before) << "seed " << seed;
        for (const auto& [name, values] : Values(host.parameters))
            EXPECT_EQ(values, before.at(name)) << name << " seed " << seed;
    }
}

INSTANTIATE_TEST_SUITE_P(Variants, RoutingRoundTrip, ::testing::Values("A", "C", "E", "G"),
                         [](const auto& info) { return std::string(info.param); });

TEST_F(RoutingPage, WithoutFxoLineTheHiddenParametersAreNeverStored) {
    LoadVariant("E");
    // Values changed behind the page's back after loading: a store that wrote
    // hidden columns or stale FXO grids would put the loaded values back.
    CParameters& p = host.parameters;
    p.SetValue("FXSDefDirection", 0, "3");
    p.SetValue("FXODefPermitted", 0, "1");
    p.SetValue("FXODefAdd", 0, "777");
    for (int r = 0; r < 120; ++r) {
        p.SetValue("FXSDirection", r, std::to_string(r % 4));
        p.SetValue("FXONumBegin", r, std::to_string(r));
        p.SetValue("FXOCallTime", r, "200");
    }
    page.StorePage();
    EXPECT_EQ(p.GetValue("FXSDefDirection", 0), "3");
    EXPECT_EQ(p.GetValue("FXODefPermitted", 0), "1");
    EXPECT_EQ(p.GetValue("FXODefAdd", 0), "777");
    for (int r = 0; r < 120; ++r) {
        EXPECT_EQ(p.GetValue("FXSDirection", r), std::to_string(r % 4));
        EXPECT_EQ(p.GetValue("FXONumBegin", r), std::to_string(r));
        EXPECT_EQ(p.GetValue("FXOCallTime", r), "200");
    }
    // The same change with an FXO line is overwritten by what the grids show.
    LoadVariant("A");
    p.SetValue("FXSDirection", 5, "3");
    page.StorePage();
    EXPECT_EQ(p.GetValue("FXSDirection", 5), "1");
}

TEST_F(RoutingPage, AValueNoItemCarriesShowsEmptyAndIsNormalisedOnStore) {
    // FXO as a GSM direction exists in the parameter but not in E's list.
    host.parameters.SetValue("GSMDirection", 4, "1");
    host.parameters.SetValue("GSMDirection", 5, "2");
    LoadVariant("E");
    const int dir = gsmTable->ColumnOf("GSMDirection");
    EXPECT_EQ(gsmTable->CellText(4, dir), "1");
    EXPECT_EQ(gsmTable->ShownText(4, dir), "");
    EXPECT_EQ(gsmTable->ShownText(5, dir).toStdString(), host.language.GetItem(330, 1));
    // Texts that no item carries, set into cells as a paste would.
    const int permitted = fxsTable->ColumnOf("FXSPermitted");
    fxsTable->SetCellText(0, permitted, "7");
    fxsTable->SetCellText(1, permitted, "yes");
    fxsTable->SetCellText(2, permitted, "1");
    EXPECT_EQ(fxsTable->ShownText(0, permitted), "");
    EXPECT_EQ(fxsTable->ShownText(1, permitted), "");
    EXPECT_EQ(fxsTable->ShownText(2, permitted).toStdString(), host.language.GetItem(26, 1));
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("GSMDirection", 4), "1");
    EXPECT_EQ(host.parameters.GetValue("FXSPermitted", 0), "1"); // clamped to the range
    EXPECT_EQ(host.parameters.GetValue("FXSPermitted", 1), "0"); // not a number
    EXPECT_EQ(host.parameters.GetValue("FXSPermitted", 2), "1");
}

TEST_F(RoutingPage, EnumeratedCellsShowWordsAndHoldNumbers) {
    host.parameters.SetValue("FXSDirection", 0, "2");
    host.parameters.SetValue("FXSDefNumEnd", 0, "1");
    LoadVariant("A");
    const int dir = fxsTable->ColumnOf("FXSDirection");
    EXPECT_EQ(fxsTable->CellText(0, dir), "2");
    EXPECT_EQ(fxsTable->ShownText(0, dir).toStdString(), host.language.GetItem(216, 2));
    const int end = fxsDefaults->ColumnOf("FXSDefNumEnd");
    EXPECT_EQ(fxsDefaults->ShownText(0, end).toStdString(), host.language.GetItem(28, 1));
}

TEST(BankTime, BitSevenMarksADebtAndSecondsStopAt59) {
    const kw::routing::TRemainTime debt = kw::routing::FormatRemainTime("12", "133"); // 0x85
    EXPECT_EQ(debt.text, "-12:05");
    EXPECT_TRUE(debt.overdrawn);
    EXPECT_EQ(kw::routing::FormatRemainTime("12", "255").text, "-12:59");
    EXPECT_EQ(kw::routing::FormatRemainTime("0", "128").text, "-0:00");
    const kw::routing::TRemainTime over = kw::routing::FormatRemainTime("7", "75");
    EXPECT_EQ(over.text, "7:59");
    EXPECT_FALSE(over.overdrawn);
    EXPECT_EQ(kw::routing::FormatRemainTime("65535", "9").text, "65535:09");
    EXPECT_EQ(kw::routing::FormatTransferDate("24", "7", "1"), "24/07/01");
}

TEST_F(RoutingPage, BanksShowRemainingTimesAndTheNextTransfer) {
    CParameters& p = host.parameters;
    p.SetValue("RemainMins", 0, "12");
    p.SetValue("RemainSecs", 0, "133"); // 0x85
    p.SetValue("RemainMins", 1, "300");
    p.SetValue("RemainSecs", 1, "75");
    p.SetValue("TransferYear", 0, "24");
    p.SetValue("TransferMonth", 0, "12");
    p.SetValue("TransferDay", 0, "5");
    p.SetValue("FreeMins", 2, "65535");
    LoadVariant("A");
    const QColor red(Qt::red);
    EXPECT_EQ(Remain(0)->text(), "-12:05");
    EXPECT_EQ(Remain(0)->palette().color(QPalette::WindowText), red);
    EXPECT_EQ(Remain(1)->text(), "300:59");
    EXPECT_NE(Remain(1)->palette().color(QPalette::WindowText), red);
    EXPECT_EQ(Find<QLabel>("Label22")->text(), "24/12/05");
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(BankNumber(i)->text(), QString::number(i + 1) + ".");
    EXPECT_EQ(Find<QLineEdit>("BankFreeMins3")->text(), "65535");
    // A debt paid off turns the colour back.
    p.SetValue("RemainSecs", 0, "5");
    LoadVariant("A");
    EXPECT_EQ(Remain(0)->text(), "12:05");
    EXPECT_NE(Remain(0)->palette().color(QPalette::WindowText), red);
    // No configuration held: the displays say so.
    LoadVariant("");
    EXPECT_EQ(Remain(0)->text(), Word(101));
    EXPECT_EQ(Find<QLabel>("Label22")->text(), Word(101));
}

TEST_F(RoutingPage, TheOperatorConsoleNumberIsMirroredWithoutPingPong) {
    host.parameters.SetValue("Kestrel", 0, "55");
    LoadVariant("A");
    EXPECT_EQ(Find<QLineEdit>("Edit2")->text(), "55");
    EXPECT_EQ(Find<QLineEdit>("Edit4")->text(), "55");
    int edit2Changes = 0;
    int edit4Changes = 0;
    QObject::connect(Find<QLineEdit>("Edit2"), &QLineEdit::textChanged, [&] { ++edit2Changes; });
    QObject::connect(Find<QLineEdit>("Edit4"), &QLineEdit::textChanged, [&] { ++edit4Changes; });
    Find<QLineEdit>("Edit2")->setText("123");
    EXPECT_EQ(Find<QLineEdit>("Edit4")->text(), "123");
    EXPECT_EQ(edit2Changes, 1);
    EXPECT_EQ(edit4Changes, 1);
    Find<QLineEdit>("Edit4")->setText("4567");
    EXPECT_EQ(Find<QLineEdit>("Edit2")->text(), "4567");
    EXPECT_EQ(edit2Changes, 2);
    EXPECT_EQ(edit4Changes, 2);
    // Leaving Edit4 settles its text as the parameter would, and Edit2 follows.
    Find<QLineEdit>("Edit4")->setText("12a3");
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(Find<QLineEdit>("Edit4"), &out);
    EXPECT_EQ(Find<QLineEdit>("Edit4")->text(), "123");
    EXPECT_EQ(Find<QLineEdit>("Edit2")->text(), "123");
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("Kestrel", 0), "123");
}

TEST_F(RoutingPage, SingleSettingsAreBoundPerVariant) {
    CParameters& p = host.parameters;
    p.SetValue("GSMDialFXOTime", 0, "700");
    p.SetValue("FXOFollowMeNum", 0, "603");
    p.SetValue("GSMCallBackTime", 0, "9");
    LoadVariant("A");
    EXPECT_EQ(Find<QLineEdit>("Edit11")->text(), "700");
    EXPECT_EQ(Find<CUpDown>("UpDown2")->Position(), 700);
    EXPECT_EQ(Find<QLineEdit>("Edit14")->text(), "603");
    EXPECT_EQ(Find<QLineEdit>("Edit13")->text(), "9");
    Find<QLineEdit>("Edit11")->setText("850");
    Find<QLineEdit>("Edit14")->setText("604");
    page.StorePage();
    EXPECT_EQ(p.GetValue("GSMDialFXOTime", 0), "800");
    EXPECT_EQ(p.GetValue("FXOFollowMeNum", 0), "604");
    // Without an FXO line those controls are not bound: whatever they show stays out.
    LoadVariant("E");
    Find<QLineEdit>("Edit11")->setText("2000");
    Find<QLineEdit>("Edit14")->setText("999");
    page.StorePage();
    EXPECT_EQ(p.GetValue("GSMDialFXOTime", 0), "800");
    EXPECT_EQ(p.GetValue("FXOFollowMeNum", 0), "604");
}

TEST_F(RoutingPage, ResizeKeepsTheWidthAndNeverGoesBelowEightDefaultRows) {
    LoadVariant("A");
    const int width = page.width();
    page.ResizePage(300, 2000);
    EXPECT_EQ(page.width(), width);
    EXPECT_EQ(page.height(), 2000);
    page.ResizePage(300, 10);
    EXPECT_GE(page.height(), 8 * fxsDefaults->height());
    EXPECT_GE(page.height(), page.minimumHeight());
    EXPECT_EQ(page.width(), width);
}

} // namespace
