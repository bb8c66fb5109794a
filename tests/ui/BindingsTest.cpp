// The page framework: bindings, normalisation on leaving a field, the up-down
// control, typing limits and the byte/text mapping.
#include "DForm.h"
#include "TestHost.h"
#include "TestPage.h"
#include "TypingLimit.h"
#include "UpDown.h"
#include "Win1252.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using kw::test::CTestHost;
using kw::test::CTestPage;

void LeaveField(QWidget* control) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(control, &out);
}

class Bindings : public ::testing::Test {
protected:
    Bindings() : page(host, "p", nullptr) {}
    CTestHost host;
    CTestPage page;
};

TEST(TextMapping, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const QString text = kw::BytesToQString(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text[0x80], QChar(0x20AC)); // euro sign
    EXPECT_EQ(text[0x8A], QChar(0x0160)); // S with caron
    EXPECT_EQ(text[0x81], QChar(0x0081)); // undefined in the code page: kept as is
    EXPECT_EQ(text[0xE8], QChar(0x00E8));
    EXPECT_EQ(kw::QStringToBytes(text), all);
    EXPECT_EQ(kw::QStringToBytes(QString::fromUtf8("a\u4e2db")), "a?b");
}

TEST(TextMapping, MemoLineBreaksAreCrLfInTheValue) {
    // A CR or LF on its own is no line break: it shows as its control picture
    // and comes back as the same byte.
    EXPECT_EQ(kw::MemoBytesToQString("one\r\ntwo\rthree\nfour"),
              QString::fromUtf8("one\ntwo\u240dthree\u240afour"));
    EXPECT_EQ(kw::MemoQStringToBytes(kw::MemoBytesToQString("a\rb\nc\n\r\r\n")), "a\rb\nc\n\r\r\n");
    EXPECT_EQ(kw::MemoQStringToBytes("one\ntwo"), "one\r\ntwo");
    EXPECT_EQ(kw::MemoQStringToBytes(kw::MemoBytesToQString("a\r\n\r\nb")), "a\r\n\r\nb");
}

TEST_F(Bindings, EditIsNormalisedWhenLeftButTheParameterWaitsForStore) {
    page.LoadPage();
    EXPECT_EQ(page.Edit1->text(), "500");
    page.Edit1->setText("7");
    LeaveField(page.Edit1);
    EXPECT_EQ(page.Edit1->text(), "100");
    page.Edit1->setText("250");
    LeaveField(page.Edit1);
    EXPECT_EQ(page.Edit1->text(), "200");
    EXPECT_EQ(host.parameters.GetValue("FXSHangMin", 0), "500");
    EXPECT_FALSE(host.parameters.m_Modified);
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("FXSHangMin", 0), "200");
    EXPECT_TRUE(host.parameters.m_Modified);
}

TEST_F(Bindings, AnEditBoundToAnUnknownParameterIsNotNormalised) {
    host.parameters.ClearBindings();
    page.BindEdit("NoSuchParameter", 0, page.Edit1);
    page.Edit1->setText("7");
    LeaveField(page.Edit1);
    EXPECT_EQ(page.Edit1->text(), "7");
    page.ToControls(); // skipped silently
    host.parameters.FromControls();
    EXPECT_EQ(page.Edit1->text(), "7");
    EXPECT_FALSE(host.parameters.m_Modified);
}

TEST_F(Bindings, WritingAnEditMovesItsUpDownAndAStepStartsFromTheTypedNumber) {
    host.parameters.SetValue("FXSHangMin", 0, "1200");
    page.LoadPage();
    EXPECT_EQ(page.UpDown1->Position(), 1200);
    page.Edit1->setText("3000"); // typed, not yet normalised
    page.UpDown1->StepUp();
    EXPECT_EQ(page.Edit1->text(), "3100");
    EXPECT_EQ(page.UpDown1->Position(), 3100);
    page.Edit1->setText("junk");
    page.UpDown1->StepDown();
    EXPECT_EQ(page.Edit1->text(), "3000");
    page.Edit1->setText("25500");
    page.UpDown1->StepUp();
    EXPECT_EQ(page.Edit1->text(), "25500"); // stops at the end of the range
    QTest::keyClick(page.Edit1, Qt::Key_Down);
    EXPECT_EQ(page.Edit1->text(), "25400");
    page.UpDown1->SetWrap(true);
    page.Edit1->setText("25500");
    page.UpDown1->StepUp();
    EXPECT_EQ(page.Edit1->text(), "100");
}

TEST_F(Bindings, WritingAnEditWithANonNumberPutsItsUpDownAtZero) {
    CUpDown free(&page);
    free.SetRange(-10, 10);
    free.SetPosition(5);
    free.SetAssociate(page.Edit1);
    host.parameters.ClearBindings();
    page.BindEdit("SMSText", 0, page.Edit1);
    host.parameters.SetValue("SMSText", 0, "hello");
    page.ToControls();
    EXPECT_EQ(free.Position(), 0);
    EXPECT_EQ(page.Edit1->text(), "hello");
}

TEST_F(Bindings, ComboWithAnUnknownValueShowsItsFirstItemAndStoresItsValue) {
    page.ComboBox1->clear();
    page.ComboBox1->addItems({"1", "2", "4"});
    host.parameters.SetValue("FXSVolRec", 0, "5");
    page.LoadPage();
    EXPECT_EQ(page.ComboBox1->currentIndex(), 0);
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("FXSVolRec", 0), "1");
    host.parameters.SetValue("FXSVolRec", 0, "4");
    page.LoadPage();
    EXPECT_EQ(page.ComboBox1->currentIndex(), 2);
    // Translated, the items show words and keep their numbers.
    EXPECT_EQ(page.ComboBox1->itemData(2).toInt(), 4);
}

TEST_F(Bindings, InvertedCheckBoxShowsTheOppositeOfItsValue) {
    host.parameters.SetValue("FXSSendClip", 0, "0");
    host.parameters.SetValue("AMREnabled", 0, "0");
    page.LoadPage();
    EXPECT_TRUE(page.CheckBox2->isChecked());
    EXPECT_FALSE(page.CheckBox1->isChecked());
    page.CheckBox2->setChecked(false);
    page.CheckBox1->setChecked(true);
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("FXSSendClip", 0), "1");
    EXPECT_EQ(host.parameters.GetValue("AMREnabled", 0), "1");
}

TEST_F(Bindings, TrackBarAndMemoCarryTheirValues) {
    host.parameters.SetValue("FXSVolSend", 0, "4");
    host.parameters.SetValue("SMSText", 0,
                             "Alarm\r\nin \x8A"
                             "ach");
    page.LoadPage();
    EXPECT_EQ(page.TrackBar1->value(), 4);
    EXPECT_EQ(page.Memo1->toPlainText(), QString::fromUtf8("Alarm\nin \u0160ach"));
    page.TrackBar1->setValue(1);
    page.Memo1->setPlainText(QString::fromUtf8("Fire\n\u20ac"));
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("FXSVolSend", 0), "1");
    EXPECT_EQ(host.parameters.GetValue("SMSText", 0), "Fire\r\n\x80");
}

TEST_F(Bindings, AnUnchangedPageLeavesTheModifiedFlagAlone) {
    host.parameters.SetValue("FXSVolRec", 0, "2");
    page.LoadPage();
    host.parameters.m_Modified = false;
    page.StorePage();
    EXPECT_FALSE(host.parameters.m_Modified);
    host.parameters.m_Modified = true;
    page.LoadPage();
    page.StorePage();
    EXPECT_TRUE(host.parameters.m_Modified);
}

TEST_F(Bindings, LoadingValuesRaisesNoChangeSignals) {
    int changes = 0;
    QObject::connect(page.ComboBox1, &QComboBox::currentIndexChanged, [&] { ++changes; });
    QObject::connect(page.CheckBox1, &QCheckBox::toggled, [&] { ++changes; });
    QObject::connect(page.TrackBar1, &QSlider::valueChanged, [&] { ++changes; });
    QObject::connect(page.Edit1, &QLineEdit::textChanged, [&] { ++changes; });
    host.parameters.SetValue("FXSVolRec", 0, "2");
    host.parameters.SetValue("AMREnabled", 0, "1");
    host.parameters.SetValue("FXSVolSend", 0, "5");
    bool fillingSeen = false;
    QObject::connect(page.Memo1, &QPlainTextEdit::textChanged,
                     [&] { fillingSeen = page.IsFilling(); });
    page.LoadPage();
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(fillingSeen);
    EXPECT_FALSE(page.IsFilling());
    EXPECT_EQ(page.ComboBox1->currentIndex(), 2);
}

TEST(TypingLimit, LimitsWhatIsTypedButNeverWhatCodeSets) {
    QLineEdit edit;
    kw::LimitTyping(&edit, 5);
    edit.setText("1234567"); // a value longer than the field: shown whole
    EXPECT_EQ(edit.text(), "1234567");
    edit.setFocus();
    edit.end(false);
    QTest::keyClicks(&edit, "8");
    EXPECT_EQ(edit.text(), "1234567");
    QTest::keyClick(&edit, Qt::Key_Backspace); // shortening is always allowed
    EXPECT_EQ(edit.text(), "123456");
    edit.setText("12");
    edit.end(false);
    QTest::keyClicks(&edit, "3456789");
    EXPECT_EQ(edit.text(), "12345");
    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, "x");
    EXPECT_EQ(edit.text(), "12345");
    edit.selectAll();
    QTest::keyClicks(&edit, "abcdefg"); // typing over a selection replaces it
    EXPECT_EQ(edit.text(), "abcde");
    EXPECT_EQ(kw::TypingLimit(&edit), 5);
    kw::LimitTyping(&edit, 0);
    QTest::keyClicks(&edit, "fg");
    EXPECT_EQ(edit.text(), "abcdefg");
}

TEST(TypingLimit, PastingIsCutToTheRoomLeft) {
    QLineEdit edit;
    kw::LimitTyping(&edit, 6);
    edit.setText("abc");
    edit.end(false);
    QApplication::clipboard()->setText("123456");
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), "abc123");
}

TEST(TypingLimit, MemoTypingStopsAtTheLimit) {
    QPlainTextEdit memo;
    kw::LimitTyping(&memo, 4);
    memo.setPlainText("abcdefgh"); // code may set more
    EXPECT_EQ(memo.toPlainText(), "abcdefgh");
    memo.setPlainText("ab");
    memo.moveCursor(QTextCursor::End);
    QTest::keyClicks(&memo, "cdef");
    EXPECT_EQ(memo.toPlainText(), "abcd");
    QTest::keyClick(&memo, Qt::Key_Backspace);
    EXPECT_EQ(memo.toPlainText(), "abc");
}

} // namespace
