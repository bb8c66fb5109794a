#include "RoutingFixture.h"

#include "ProgramFolder.h"

#include <QApplication>
#include <QTabWidget>
#include <QTest>

namespace kw::test {

RoutingFixture::RoutingFixture() {
    // The language files are copied beside the test program when it is built.
    host.language.Init(kw::ProgramFolder());
    page.resize(TFDForm::kDesignWidth, TFDForm::kDesignHeight);
    page.show();
}

void RoutingFixture::LoadVariant(const std::string& variant) {
    const int english = host.language.FindLangById("Eng");
    EXPECT_GE(english, 0) << "English is not installed beside the test program";
    if (english >= 0)
        host.language.Load(english, variant);
    host.variant = variant;
    host.parameters.SetValue("HWVer", 0, variant);
    host.parameters.m_Modified = false;
    page.LoadPage();
    QApplication::processEvents();
}

void RoutingFixture::SelectCell(CRoutingGrid* grid, int row, int column) {
    grid->setFocus();
    grid->setCurrentCell(row, column);
}

void RoutingFixture::TypeIntoCell(CRoutingGrid* grid, const QString& text, Qt::Key then) {
    QTest::keyClicks(grid, text.left(1));
    QWidget* editor = grid->OpenEditor();
    ASSERT_NE(editor, nullptr) << "typing did not start an editor";
    QTest::keyClicks(editor, text.mid(1));
    QTest::keyClick(editor, then);
}

void RoutingFixture::PressKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(widget, key, modifiers);
}

} // namespace kw::test
