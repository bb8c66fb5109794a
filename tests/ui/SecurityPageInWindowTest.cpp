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
    w.ListBox1->setCurrentRow(kw::kSectionSecurity);
    auto* page = qobject_cast<TFZabezpeceni*>(w.CurrentPage());
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->isVisible());
    EXPECT_EQ(page->findChild<QLineEdit*>("Edit6")->text(), "1234");

    page->findChild<QLineEdit*>("Edit6")->setText("5678");
    w.LanguageButtons[0]->click(); // Czech: store, then fill again
    EXPECT_EQ(w.Parameters().GetValue("PINVal", 0), "5678");
    EXPECT_TRUE(w.PinChanged());
    EXPECT_FALSE(w.ServisPasswChanged());
    EXPECT_FALSE(page->isVisible()) << "the page area stays empty";
    EXPECT_EQ(page->findChild<QLineEdit*>("Edit6")->text(), "5678");

    // A click on the section on view brings it back.
    const QRect item = w.ListBox1->visualItemRect(w.ListBox1->item(kw::kSectionSecurity));
    QTest::mouseClick(w.ListBox1->viewport(), Qt::LeftButton, {}, item.center());
    EXPECT_EQ(w.CurrentPage(), page);
    EXPECT_TRUE(page->isVisible());
    EXPECT_EQ(w.ScrollBox1->widget(), page);
}

TEST_F(SecurityInWindow, PassingThroughChangesNoFlag) {
    TFMain& w = StartWithConfiguration("E");
    w.show();
    w.ListBox1->setCurrentRow(kw::kSectionSecurity);
    w.ListBox1->setCurrentRow(kw::kSectionGsmSim);
    EXPECT_FALSE(w.PinChanged());
    EXPECT_FALSE(w.ServisPasswChanged());
    EXPECT_FALSE(w.Parameters().m_Modified);

    // The password alone.
    w.ListBox1->setCurrentRow(kw::kSectionSecurity);
    auto* page = qobject_cast<TFZabezpeceni*>(w.CurrentPage());
    ASSERT_NE(page, nullptr);
    page->findChild<QLineEdit*>("Edit7")->setText("12345");
    w.ListBox1->setCurrentRow(kw::kSectionSmsInput);
    EXPECT_FALSE(w.PinChanged());
    EXPECT_TRUE(w.ServisPasswChanged());
    EXPECT_EQ(w.Parameters().GetValue("ServisPassw", 0), "12345");
}

} // namespace
