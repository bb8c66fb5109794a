// The security page inside the main window: it closes itself whenever it is
// stored, even by a language switch, and comes back when its section is
// chosen again; the change flags follow only the code that was changed.
#include "MainWindowFixture.h"
#include "Parameters.h"
#include "Zabezpeceni.h"

#include <QLineEdit>
#include <QListWidget>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>

namespace {

using SecurityInWindow = kw::test::MainWindowFixture;

TEST_F(SecurityInWindow, StoringClosesThePageUntilItsSectionIsChosenAgain) {
    TFMain& w = StartWithConfiguration("A");
    w.show();
    w.Parameters().SetValue("PINVal", 0, "1234");
    SectionList().setCurrentRow(kw::kSectionSecurity);
    auto* page = qobject_cast<TFZabezpeceni*>(w.Sections().CurrentPage());
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->isVisible());
    EXPECT_EQ(page->findChild<QLineEdit*>("Edit6")->text(), "1234");

    page->findChild<QLineEdit*>("Edit6")->setText("5678");
    Button("BLCze").click(); // Czech: store, then fill again
    EXPECT_EQ(w.Parameters().GetValue("PINVal", 0), "5678");
    EXPECT_TRUE(w.PinChanged());
    EXPECT_FALSE(w.ServisPasswChanged());
    EXPECT_FALSE(page->isVisible()) << "the page area stays empty";
    EXPECT_EQ(page->findChild<QLineEdit*>("Edit6")->text(), "5678");

    // A click on the section on view brings it back.
    const QRect item = SectionList().visualItemRect(SectionList().item(kw::kSectionSecurity));
    QTest::mouseClick(SectionList().viewport(), Qt::LeftButton, {}, item.center());
    EXPECT_EQ(w.Sections().CurrentPage(), page);
    EXPECT_TRUE(page->isVisible());
    EXPECT_EQ(PageArea().widget(), page);
}

TEST_F(SecurityInWindow, PassingThroughChangesNoFlag) {
    TFMain& w = StartWithConfiguration("E");
    w.show();
    SectionList().setCurrentRow(kw::kSectionSecurity);
    SectionList().setCurrentRow(kw::kSectionGsmSim);
    EXPECT_FALSE(w.PinChanged());
    EXPECT_FALSE(w.ServisPasswChanged());
    EXPECT_FALSE(w.Parameters().m_Modified);

    // The password alone.
    SectionList().setCurrentRow(kw::kSectionSecurity);
    auto* page = qobject_cast<TFZabezpeceni*>(w.Sections().CurrentPage());
    ASSERT_NE(page, nullptr);
    page->findChild<QLineEdit*>("Edit7")->setText("12345");
    SectionList().setCurrentRow(kw::kSectionSmsInput);
    EXPECT_FALSE(w.PinChanged());
    EXPECT_TRUE(w.ServisPasswChanged());
    EXPECT_EQ(w.Parameters().GetValue("ServisPassw", 0), "12345");
}

} // namespace
