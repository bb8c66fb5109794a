// The routing page inside the main window: chosen from the section list, its
// edits survive a section and a language switch, and the page area scrolls
// to show all of it.
#include "MainWindowFixture.h"
#include "RoutingGrid.h"
#include "SmerovaciTabulka.h"

#include <QListWidget>
#include <QScrollArea>
#include <QTest>

namespace {

using kw::test::MainWindowFixture;

class RoutingInMainWindow : public MainWindowFixture {};

TEST_F(RoutingInMainWindow, EditsSurviveSectionAndLanguageSwitches) {
    TFMain& w = StartWithConfiguration("E");
    SectionList().setCurrentRow(kw::kSectionRouting);
    auto* page = qobject_cast<TFSmerovaciTabulka*>(w.Sections().CurrentPage());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(PageArea().widget(), page);
    EXPECT_EQ(page->TabFXS->columnCount(), 11);
    // The page is never narrower than its grids: the area scrolls instead.
    EXPECT_GE(page->width(), page->TabFXS->FittingWidth());
    EXPECT_GE(page->height(), PageArea().viewport()->height());

    const int call = page->TabFXS->ColumnOf("FXSCallTime");
    page->TabFXS->setFocus();
    page->TabFXS->setCurrentCell(2, call);
    QTest::keyClicks(page->TabFXS, "9");
    ASSERT_NE(page->TabFXS->OpenEditor(), nullptr);
    QTest::keyClicks(page->TabFXS->OpenEditor(), "99");
    // Another section while the edit is still open.
    SectionList().setCurrentRow(kw::kSectionLines);
    EXPECT_EQ(w.Parameters().GetValue("FXSCallTime", 2), "255");

    SectionList().setCurrentRow(kw::kSectionRouting);
    EXPECT_EQ(page->TabFXS->CellText(2, call), "255");
    page->TabGSMDef->SetCellText(0, 3, "17");
    w.LanguageButtonClicked("Cze");
    EXPECT_EQ(w.Parameters().GetValue("GSMDefCallTime", 0), "17");
    EXPECT_EQ(page->TabGSMDef->CellText(0, 3), "17");
    EXPECT_EQ(page->TabFXS->horizontalHeaderItem(0)->text(), "C24");
}

} // namespace
