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
    const int call = Col(fxsTable, "FXSCallTime");
    SelectCell(fxsTable, 0, call);
    TypeIntoCell(fxsTable, "300", Qt::Key_Down);
    EXPECT_EQ(fxsTable->CellText(0, call), "255");
    EXPECT_EQ(fxsTable->currentRow(), 1);
    // The parameter changes only when the page is stored.
    EXPECT_EQ(host.parameters.GetValue("FXSCallTime", 0), "0");
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("FXSCallTime", 0), "255");
}

TEST_F(RoutingGrid, EveryWayOfLeavingACellNormalisesIt) {
    const int call = Col(gsmTable, "GSMCallTime");
    const int length = Col(gsmTable, "GSMSubString");
    // Tab moves right.
    SelectCell(gsmTable, 2, length);
    TypeIntoCell(gsmTable, "99", Qt::Key_Tab);
    EXPECT_EQ(gsmTable->CellText(2, length), "15");
    EXPECT_EQ(gsmTable->currentColumn(), length + 1);
    // Enter moves down.
    SelectCell(gsmTable, 3, call);
    TypeIntoCell(gsmTable, "1000", Qt::Key_Return);
    EXPECT_EQ(gsmTable->CellText(3, call), "255");
    EXPECT_EQ(gsmTable->currentRow(), 4);
    // A value settled by the editor's own closing, then the arrow of the grid.
    SelectCell(gsmTable, 5, call);
    TypeIntoCell(gsmTable, "777", Qt::Key_Escape);
    EXPECT_EQ(gsmTable->CellText(5, call), "0"); // Escape drops the edit
    gsmTable->SetCellText(5, call, "512");
    PressKey(gsmTable, Qt::Key_Up);
    EXPECT_EQ(gsmTable->CellText(5, call), "255");
    // The focus leaving the grid for another control.
    SelectCell(gsmDefaults, 0, 3);
    TypeIntoCell(gsmDefaults, "400", Qt::Key_Right); // Right stays inside the editor
    Find<QLineEdit>("Edit10")->setFocus();
    EXPECT_EQ(gsmDefaults->CellText(0, 3), "255");
    // Phone numbers lose characters they cannot hold.
    const int num = Col(gsmTable, "GSMNum");
    SelectCell(gsmTable, 0, num);
    TypeIntoCell(gsmTable, "+420 603-1", Qt::Key_Down);
    EXPECT_EQ(gsmTable->CellText(0, num), "+4206031");
}

TEST_F(RoutingGrid, KeysMoveAsInASpreadsheet) {
    SelectCell(fxsTable, 0, 1);
    PressKey(fxsTable, Qt::Key_Right);
    EXPECT_EQ(fxsTable->currentColumn(), 2);
    PressKey(fxsTable, Qt::Key_Down);
    EXPECT_EQ(fxsTable->currentRow(), 1);
    PressKey(fxsTable, Qt::Key_Return);
    EXPECT_EQ(fxsTable->currentRow(), 2);
    PressKey(fxsTable, Qt::Key_Tab);
    EXPECT_EQ(fxsTable->currentColumn(), 3);
    // The row numbers are never a cell to stand on.
    SelectCell(fxsTable, 4, 1);
    PressKey(fxsTable, Qt::Key_Left);
    EXPECT_EQ(fxsTable->currentColumn(), 1);
    // Tab at the end of a row goes on at the start of the next.
    SelectCell(fxsTable, 4, 11);
    PressKey(fxsTable, Qt::Key_Tab);
    EXPECT_EQ(fxsTable->currentRow(), 5);
    EXPECT_EQ(fxsTable->currentColumn(), 1);
    // Delete empties a text cell.
    fxsTable->SetCellText(5, 1, "123");
    PressKey(fxsTable, Qt::Key_Delete);
    EXPECT_EQ(fxsTable->CellText(5, 1), "");
    // F2 edits the cell as it stands.
    fxsTable->SetCellText(5, 1, "12");
    PressKey(fxsTable, Qt::Key_F2);
    auto* edit = qobject_cast<QLineEdit*>(fxsTable->OpenEditor());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), "12");
    QTest::keyClicks(edit, "3");
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ(fxsTable->CellText(5, 1), "123");
    EXPECT_EQ(fxsTable->currentRow(), 4);
}

TEST_F(RoutingGrid, ClickingAnEnumeratedCellOpensItsListEveryTime) {
    const int permitted = Col(fxsTable, "FXSPermitted");
    Click(fxsTable, 1, permitted);
    CListEditor* list = List(fxsTable);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->view()->isVisible());
    EXPECT_EQ(list->count(), 2);
    QTest::keyClick(list->view(), Qt::Key_Down);
    QTest::keyClick(list->view(), Qt::Key_Return);
    Settle();
    EXPECT_EQ(List(fxsTable), nullptr);
    EXPECT_EQ(fxsTable->CellText(1, permitted), "1");
    // The same, already selected cell: its list opens again.
    ASSERT_EQ(fxsTable->currentRow(), 1);
    Click(fxsTable, 1, permitted);
    list = List(fxsTable);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->view()->isVisible());
    EXPECT_EQ(list->SelectedValue(), 1);
    // Escape closes the list and changes nothing.
    QTest::keyClick(list->view(), Qt::Key_Escape);
    Settle();
    EXPECT_EQ(List(fxsTable), nullptr);
    EXPECT_EQ(fxsTable->CellText(1, permitted), "1");
}

TEST_F(RoutingGrid, ListsOfDefaultTablesWriteTheirOwnCell) {
    host.parameters.SetValue("FXODirection", 0, "1");
    LoadVariant("A");
    const int end = Col(fxoDefaults, "FXODefNumEnd");
    Click(fxoDefaults, 0, end);
    CListEditor* list = List(fxoDefaults);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->itemText(1).toStdString(), host.language.GetItem(220, 1));
    QTest::keyClick(list->view(), Qt::Key_Down);
    QTest::keyClick(list->view(), Qt::Key_Return);
    Settle();
    EXPECT_EQ(fxoDefaults->CellText(0, end), "1");
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("FXODefNumEnd", 0), "1");
    EXPECT_EQ(host.parameters.GetValue("FXONumEnd", 0), "0");
}

TEST_F(RoutingGrid, TheKeyboardOpensListsToo) {
    const int dir = Col(fxsTable, "FXSDirection");
    SelectCell(fxsTable, 0, dir);
    // Arrow keys only move over an enumerated cell.
    PressKey(fxsTable, Qt::Key_Down);
    EXPECT_EQ(List(fxsTable), nullptr);
    EXPECT_EQ(fxsTable->currentRow(), 1);
    for (auto [key, mods] : {std::pair{Qt::Key_F2, Qt::KeyboardModifiers{}},
                             std::pair{Qt::Key_Down, Qt::KeyboardModifiers{Qt::AltModifier}},
                             std::pair{Qt::Key_Space, Qt::KeyboardModifiers{}}}) {
        PressKey(fxsTable, key, mods);
        CListEditor* list = List(fxsTable);
        ASSERT_NE(list, nullptr) << key;
        EXPECT_TRUE(list->view()->isVisible()) << key;
        QTest::keyClick(list->view(), Qt::Key_Escape);
        Settle();
        EXPECT_EQ(List(fxsTable), nullptr) << key;
    }
    // Typing a letter opens the list at the first item it starts; Enter takes it.
    const QString third = fxsTable->Column(dir).items[3];
    QTest::keyClicks(fxsTable, third.left(1));
    CListEditor* list = List(fxsTable);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->view()->isVisible());
    EXPECT_EQ(fxsTable->CellText(1, dir), "0"); // nothing taken yet
    QTest::keyClick(list->view(), Qt::Key_Down);
    QTest::keyClick(list->view(), Qt::Key_Down);
    QTest::keyClick(list->view(), Qt::Key_Down);
    QTest::keyClick(list->view(), Qt::Key_Return);
    Settle();
    EXPECT_EQ(fxsTable->CellText(1, dir), "3");
    // Back in the grid, the keys move on.
    // (The window's focus child: offscreen, closing a popup leaves no window active.)
    EXPECT_EQ(page.focusWidget(), fxsTable);
    PressKey(fxsTable, Qt::Key_Down);
    EXPECT_EQ(fxsTable->currentRow(), 2);
}

TEST_F(RoutingGrid, StoringTakesAnEditStillInProgress) {
    const int add = Col(fxsTable, "FXSAdd");
    SelectCell(fxsTable, 7, add);
    QTest::keyClicks(fxsTable, "0");
    ASSERT_NE(fxsTable->OpenEditor(), nullptr);
    QTest::keyClicks(fxsTable->OpenEditor(), "42x");
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("FXSAdd", 7), "042");
    EXPECT_EQ(fxsTable->OpenEditor(), nullptr);
    EXPECT_EQ(fxsTable->CellText(7, add), "042");
}

TEST_F(RoutingGrid, LoadingDropsAnEditStillInProgress) {
    const int add = Col(fxsTable, "FXSAdd");
    SelectCell(fxsTable, 3, add);
    QTest::keyClicks(fxsTable, "9");
    ASSERT_NE(fxsTable->OpenEditor(), nullptr);
    // A configuration read from the gateway arrives meanwhile.
    host.parameters.SetValue("FXSAdd", 3, "555");
    LoadVariant("A");
    EXPECT_EQ(fxsTable->OpenEditor(), nullptr);
    EXPECT_EQ(fxsTable->CellText(3, add), "555");
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("FXSAdd", 3), "555");
}

TEST_F(RoutingGrid, DisabledFxoTablesTakeNoInput) {
    ASSERT_FALSE(fxoTable->isEnabled());
    sheets->setCurrentWidget(Find<QWidget>("TabSheet2"));
    Click(fxoTable, 0, Col(fxoTable, "FXOPermitted"));
    EXPECT_EQ(fxoTable->OpenEditor(), nullptr);
    QTest::keyClicks(fxoTable, "12");
    EXPECT_EQ(fxoTable->OpenEditor(), nullptr);
}

} // namespace
