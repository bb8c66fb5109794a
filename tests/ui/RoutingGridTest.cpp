// Working in the routing grids as a technician does: typing, moving with the
// keys, leaving cells and the grid, and picking enumerated values from lists.
#include "RoutingFixture.h"

#include "RoutingDelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace {

using kw::test::RoutingFixture;

class RoutingGrid : public RoutingFixture {
protected:
    RoutingGrid() { LoadVariant("A"); }

    void Click(CRoutingGrid* grid, int row, int column) {
        const QPoint at = grid->visualRect(grid->model()->index(row, column)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    }
    // The list open over an enumerated cell, or nullptr.
    static CListEditor* List(CRoutingGrid* grid) {
        return qobject_cast<CListEditor*>(grid->OpenEditor());
    }
    // Lets the list's closing be reported (it is queued behind the pick).
    static void Settle() { QApplication::processEvents(); }

    int Col(CRoutingGrid* grid, const char* param) { return grid->ColumnOf(param); }
};

TEST_F(RoutingGrid, TypingBeyondTheRangeShowsTheLimitAfterMovingOn) {
    const int call = Col(page.TabFXS, "FXSCallTime");
    SelectCell(page.TabFXS, 0, call);
    TypeIntoCell(page.TabFXS, "300", Qt::Key_Down);
    EXPECT_EQ(page.TabFXS->CellText(0, call), "255");
    EXPECT_EQ(page.TabFXS->currentRow(), 1);
    // The parameter changes only when the page is stored.
    EXPECT_EQ(host.parameters.GetValue("FXSCallTime", 0), "0");
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("FXSCallTime", 0), "255");
}

TEST_F(RoutingGrid, EveryWayOfLeavingACellNormalisesIt) {
    const int call = Col(page.TabGSM, "GSMCallTime");
    const int length = Col(page.TabGSM, "GSMSubString");
    // Tab moves right.
    SelectCell(page.TabGSM, 2, length);
    TypeIntoCell(page.TabGSM, "99", Qt::Key_Tab);
    EXPECT_EQ(page.TabGSM->CellText(2, length), "15");
    EXPECT_EQ(page.TabGSM->currentColumn(), length + 1);
    // Enter moves down.
    SelectCell(page.TabGSM, 3, call);
    TypeIntoCell(page.TabGSM, "1000", Qt::Key_Return);
    EXPECT_EQ(page.TabGSM->CellText(3, call), "255");
    EXPECT_EQ(page.TabGSM->currentRow(), 4);
    // A value settled by the editor's own closing, then the arrow of the grid.
    SelectCell(page.TabGSM, 5, call);
    TypeIntoCell(page.TabGSM, "777", Qt::Key_Escape);
    EXPECT_EQ(page.TabGSM->CellText(5, call), "0"); // Escape drops the edit
    page.TabGSM->SetCellText(5, call, "512");
    PressKey(page.TabGSM, Qt::Key_Up);
    EXPECT_EQ(page.TabGSM->CellText(5, call), "255");
    // The focus leaving the grid for another control.
    SelectCell(page.TabGSMDef, 0, 3);
    TypeIntoCell(page.TabGSMDef, "400", Qt::Key_Right); // Right stays inside the editor
    page.Edit10->setFocus();
    EXPECT_EQ(page.TabGSMDef->CellText(0, 3), "255");
    // Phone numbers lose characters they cannot hold.
    const int num = Col(page.TabGSM, "GSMNum");
    SelectCell(page.TabGSM, 0, num);
    TypeIntoCell(page.TabGSM, "+420 603-1", Qt::Key_Down);
    EXPECT_EQ(page.TabGSM->CellText(0, num), "+4206031");
}

TEST_F(RoutingGrid, KeysMoveAsInASpreadsheet) {
    SelectCell(page.TabFXS, 0, 1);
    PressKey(page.TabFXS, Qt::Key_Right);
    EXPECT_EQ(page.TabFXS->currentColumn(), 2);
    PressKey(page.TabFXS, Qt::Key_Down);
    EXPECT_EQ(page.TabFXS->currentRow(), 1);
    PressKey(page.TabFXS, Qt::Key_Return);
    EXPECT_EQ(page.TabFXS->currentRow(), 2);
    PressKey(page.TabFXS, Qt::Key_Tab);
    EXPECT_EQ(page.TabFXS->currentColumn(), 3);
    // The row numbers are never a cell to stand on.
    SelectCell(page.TabFXS, 4, 1);
    PressKey(page.TabFXS, Qt::Key_Left);
    EXPECT_EQ(page.TabFXS->currentColumn(), 1);
    // Tab at the end of a row goes on at the start of the next.
    SelectCell(page.TabFXS, 4, 11);
    PressKey(page.TabFXS, Qt::Key_Tab);
    EXPECT_EQ(page.TabFXS->currentRow(), 5);
    EXPECT_EQ(page.TabFXS->currentColumn(), 1);
    // Delete empties a text cell.
    page.TabFXS->SetCellText(5, 1, "123");
    PressKey(page.TabFXS, Qt::Key_Delete);
    EXPECT_EQ(page.TabFXS->CellText(5, 1), "");
    // F2 edits the cell as it stands.
    page.TabFXS->SetCellText(5, 1, "12");
    PressKey(page.TabFXS, Qt::Key_F2);
    auto* edit = qobject_cast<QLineEdit*>(page.TabFXS->OpenEditor());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), "12");
    QTest::keyClicks(edit, "3");
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ(page.TabFXS->CellText(5, 1), "123");
    EXPECT_EQ(page.TabFXS->currentRow(), 4);
}

TEST_F(RoutingGrid, ClickingAnEnumeratedCellOpensItsListEveryTime) {
    const int permitted = Col(page.TabFXS, "FXSPermitted");
    Click(page.TabFXS, 1, permitted);
    CListEditor* list = List(page.TabFXS);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->view()->isVisible());
    EXPECT_EQ(list->count(), 2);
    QTest::keyClick(list->view(), Qt::Key_Down);
    QTest::keyClick(list->view(), Qt::Key_Return);
    Settle();
    EXPECT_EQ(List(page.TabFXS), nullptr);
    EXPECT_EQ(page.TabFXS->CellText(1, permitted), "1");
    // The same, already selected cell: its list opens again.
    ASSERT_EQ(page.TabFXS->currentRow(), 1);
    Click(page.TabFXS, 1, permitted);
    list = List(page.TabFXS);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->view()->isVisible());
    EXPECT_EQ(list->SelectedValue(), 1);
    // Escape closes the list and changes nothing.
    QTest::keyClick(list->view(), Qt::Key_Escape);
    Settle();
    EXPECT_EQ(List(page.TabFXS), nullptr);
    EXPECT_EQ(page.TabFXS->CellText(1, permitted), "1");
}

TEST_F(RoutingGrid, ListsOfDefaultTablesWriteTheirOwnCell) {
    host.parameters.SetValue("FXODirection", 0, "1");
    LoadVariant("A");
    const int end = Col(page.TabFXODef, "FXODefNumEnd");
    Click(page.TabFXODef, 0, end);
    CListEditor* list = List(page.TabFXODef);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->itemText(1).toStdString(), host.language.GetItem(220, 1));
    QTest::keyClick(list->view(), Qt::Key_Down);
    QTest::keyClick(list->view(), Qt::Key_Return);
    Settle();
    EXPECT_EQ(page.TabFXODef->CellText(0, end), "1");
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("FXODefNumEnd", 0), "1");
    EXPECT_EQ(host.parameters.GetValue("FXONumEnd", 0), "0");
}

TEST_F(RoutingGrid, TheKeyboardOpensListsToo) {
    const int dir = Col(page.TabFXS, "FXSDirection");
    SelectCell(page.TabFXS, 0, dir);
    // Arrow keys only move over an enumerated cell.
    PressKey(page.TabFXS, Qt::Key_Down);
    EXPECT_EQ(List(page.TabFXS), nullptr);
    EXPECT_EQ(page.TabFXS->currentRow(), 1);
    for (auto [key, mods] : {std::pair{Qt::Key_F2, Qt::KeyboardModifiers{}},
                             std::pair{Qt::Key_Down, Qt::KeyboardModifiers{Qt::AltModifier}},
                             std::pair{Qt::Key_Space, Qt::KeyboardModifiers{}}}) {
        PressKey(page.TabFXS, key, mods);
        CListEditor* list = List(page.TabFXS);
        ASSERT_NE(list, nullptr) << key;
        EXPECT_TRUE(list->view()->isVisible()) << key;
        QTest::keyClick(list->view(), Qt::Key_Escape);
        Settle();
        EXPECT_EQ(List(page.TabFXS), nullptr) << key;
    }
    // Typing a letter opens the list at the first item it starts; Enter takes it.
    const QString third = page.TabFXS->Column(dir).list->itemText(3);
    QTest::keyClicks(page.TabFXS, third.left(1));
    CListEditor* list = List(page.TabFXS);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->view()->isVisible());
    EXPECT_EQ(page.TabFXS->CellText(1, dir), "0"); // nothing taken yet
    QTest::keyClick(list->view(), Qt::Key_Down);
    QTest::keyClick(list->view(), Qt::Key_Down);
    QTest::keyClick(list->view(), Qt::Key_Down);
    QTest::keyClick(list->view(), Qt::Key_Return);
    Settle();
    EXPECT_EQ(page.TabFXS->CellText(1, dir), "3");
    // Back in the grid, the keys move on.
    // (The window's focus child: offscreen, closing a popup leaves no window active.)
    EXPECT_EQ(page.focusWidget(), page.TabFXS);
    PressKey(page.TabFXS, Qt::Key_Down);
    EXPECT_EQ(page.TabFXS->currentRow(), 2);
}

TEST_F(RoutingGrid, StoringTakesAnEditStillInProgress) {
    const int add = Col(page.TabFXS, "FXSAdd");
    SelectCell(page.TabFXS, 7, add);
    QTest::keyClicks(page.TabFXS, "0");
    ASSERT_NE(page.TabFXS->OpenEditor(), nullptr);
    QTest::keyClicks(page.TabFXS->OpenEditor(), "42x");
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("FXSAdd", 7), "042");
    EXPECT_EQ(page.TabFXS->OpenEditor(), nullptr);
    EXPECT_EQ(page.TabFXS->CellText(7, add), "042");
}

TEST_F(RoutingGrid, LoadingDropsAnEditStillInProgress) {
    const int add = Col(page.TabFXS, "FXSAdd");
    SelectCell(page.TabFXS, 3, add);
    QTest::keyClicks(page.TabFXS, "9");
    ASSERT_NE(page.TabFXS->OpenEditor(), nullptr);
    // A configuration read from the gateway arrives meanwhile.
    host.parameters.SetValue("FXSAdd", 3, "555");
    LoadVariant("A");
    EXPECT_EQ(page.TabFXS->OpenEditor(), nullptr);
    EXPECT_EQ(page.TabFXS->CellText(3, add), "555");
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("FXSAdd", 3), "555");
}

TEST_F(RoutingGrid, DisabledFxoTablesTakeNoInput) {
    ASSERT_FALSE(page.TabFXO->isEnabled());
    page.PageControl1->setCurrentWidget(page.TabSheet2);
    Click(page.TabFXO, 0, Col(page.TabFXO, "FXOPermitted"));
    EXPECT_EQ(page.TabFXO->OpenEditor(), nullptr);
    QTest::keyClicks(page.TabFXO, "12");
    EXPECT_EQ(page.TabFXO->OpenEditor(), nullptr);
}

} // namespace
