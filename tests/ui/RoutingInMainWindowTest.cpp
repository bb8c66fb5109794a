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
    EXPECT_EQ(page->Grid(kw::routing::TableId::FXS)->columnCount(), 11);
    // The page is never narrower than its grids: the area scrolls instead.
    EXPECT_GE(page->width(), page->Grid(kw::routing::TableId::FXS)->FittingWidth());
    EXPECT_GE(page->height(), PageArea().viewport()->height());

    const int call = page->Grid(kw::routing::TableId::FXS)->ColumnOf("FXSCallTime");
    page->Grid(kw::routing::TableId::FXS)->setFocus();
    page->Grid(kw::routing::TableId::FXS)->setCurrentCell(2, call);
    QTest::keyClicks(page->Grid(kw::routing::TableId::FXS), "9");
    ASSERT_NE(page->Grid(kw::routing::TableId::FXS)->OpenEditor(), nullptr);
    QTest::keyClicks(page->Grid(kw::routing::TableId::FXS)->OpenEditor(), "99");
    // Another section while the edit is still open.
    SectionList().setCurrentRow(kw::kSectionLines);
    EXPECT_EQ(w.Parameters().GetValue("FXSCallTime", 2), "255");

    SectionList().setCurrentRow(kw::kSectionRouting);
    EXPECT_EQ(page->Grid(kw::routing::TableId::FXS)->CellText(2, call), "255");
    page->Grid(kw::routing::TableId::GSMDef)->SetCellText(0, 3, "17");
    w.LanguageButtonClicked("Cze");
    EXPECT_EQ(w.Parameters().GetValue("GSMDefCallTime", 0), "17");
    EXPECT_EQ(page->Grid(kw::routing::TableId::GSMDef)->CellText(0, 3), "17");
    EXPECT_EQ(page->Grid(kw::routing::TableId::FXS)->horizontalHeaderItem(0)->text(), "C24");
}

} // namespace
