// The page framework: a page's binding list, the bindings, normalisation on
// leaving a field, the up-down control, typing limits and the byte/text mapping.
#include "DForm.h"
#include "ParameterCatalogue.h"
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

// A binding to a text of the test's own instead of a control.
class FakeControl : public CParControl {
public:
    FakeControl(std::string name, std::string* shown)
        : CParControl(std::move(name), 0), m_Shown(shown) {}
    std::string ReadText() const override { return *m_Shown; }
    void WriteText(const std::string& text) override { *m_Shown = text; }

private:
    std::string* m_Shown;
};

TEST(BindingList, SkipsUnknownParametersAndOtherVariantsAndMarksOnlyRealChanges) {
    CParameters p;
    kw::RegisterCatalogue(p);
    std::string shown;
    std::string other = "x";
    std::string fxo = "y";
    CBindingList list;
    list.Add(new FakeControl("FXSHangMin", &shown));
    list.Add(new FakeControl("NotRegistered", &other));
    list.Add(new FakeControl("FXOMinTimeCancel", &fxo), kw::pages::Variants::FxoLine);
    // Nothing was filled yet, so nothing is taken back.
    list.FromControls(p);
    EXPECT_EQ(p.GetValue("FXSHangMin", 0), "500");
    EXPECT_FALSE(p.m_Modified);

    list.ToControls(p, "E");
    EXPECT_EQ(shown, "500");
    EXPECT_EQ(other, "x");
    EXPECT_EQ(fxo, "y"); // no FXO line on E
    ASSERT_EQ(list.Active().size(), 2u);
    list.FromControls(p);
    EXPECT_FALSE(p.m_Modified);
    shown = "550"; // normalises to the stored 500
    list.FromControls(p);
    EXPECT_FALSE(p.m_Modified);
    shown = "1234";
    list.FromControls(p);
    EXPECT_TRUE(p.m_Modified);
    EXPECT_EQ(p.GetValue("FXSHangMin", 0), "1200");
    EXPECT_EQ(p.GetValue("FXOMinTimeCancel", 0), "1500");

    list.ToControls(p, "A");
    EXPECT_EQ(fxo, "1500");
    EXPECT_EQ(list.Active().size(), 3u);
}

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
    EXPECT_EQ(page.hangMinEdit->text(), "500");
    page.hangMinEdit->setText("7");
    LeaveField(page.hangMinEdit);
    EXPECT_EQ(page.hangMinEdit->text(), "100");
    page.hangMinEdit->setText("250");
    LeaveField(page.hangMinEdit);
    EXPECT_EQ(page.hangMinEdit->text(), "200");
    EXPECT_EQ(host.parameters.GetValue("FXSHangMin", 0), "500");
    EXPECT_FALSE(host.parameters.m_Modified);
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("FXSHangMin", 0), "200");
    EXPECT_TRUE(host.parameters.m_Modified);
}

TEST_F(Bindings, AnEditBoundToAnUnknownParameterIsNotNormalised) {
    TFDForm bare(host);
    QLineEdit edit(&bare);
    bare.BindEdit("NoSuchParameter", 0, &edit);
    edit.setText("7");
    LeaveField(&edit);
    EXPECT_EQ(edit.text(), "7");
    bare.ToControls(); // skipped silently
    bare.FromControls();
    EXPECT_EQ(edit.text(), "7");
    EXPECT_FALSE(host.parameters.m_Modified);
}

TEST_F(Bindings, WritingAnEditMovesItsUpDownAndAStepStartsFromTheTypedNumber) {
    host.parameters.SetValue("FXSHangMin", 0, "1200");
    page.LoadPage();
    QLineEdit* edit = page.hangMinEdit;
    CUpDown* spin = page.hangMinSpin;
    EXPECT_EQ(spin->Position(), 1200);
    edit->setText("3000"); // typed, not yet normalised
    spin->StepUp();
    EXPECT_EQ(edit->text(), "3100");
    EXPECT_EQ(spin->Position(), 3100);
    edit->setText("junk");
    spin->StepDown();
    EXPECT_EQ(edit->text(), "3000");
    edit->setText("25500");
    spin->StepUp();
    EXPECT_EQ(edit->text(), "25500"); // stops at the end of the range
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(edit->text(), "25400");
    spin->SetWrap(true);
    edit->setText("25500");
    spin->StepUp();
    EXPECT_EQ(edit->text(), "100");
}

TEST_F(Bindings, WritingAnEditWithANonNumberPutsItsUpDownAtZero) {
    TFDForm bare(host);
    QLineEdit edit(&bare);
    CUpDown free(&bare);
    free.SetRange(-10, 10);
    free.SetPosition(5);
    free.SetAssociate(&edit);
    bare.BindEdit("SMSText", 0, &edit);
    host.parameters.SetValue("SMSText", 0, "hello");
    bare.ToControls();
    EXPECT_EQ(free.Position(), 0);
    EXPECT_EQ(edit.text(), "hello");
}

TEST_F(Bindings, ComboWithAnUnknownValueShowsItsFirstItemAndStoresItsValue) {
    page.volumeList->clear();
    page.volumeList->addItems({"1", "2", "4"});
    host.parameters.SetValue("FXSVolRec", 0, "5");
    page.LoadPage();
    EXPECT_EQ(page.volumeList->currentIndex(), 0);
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("FXSVolRec", 0), "1");
    host.parameters.SetValue("FXSVolRec", 0, "4");
    page.LoadPage();
    EXPECT_EQ(page.volumeList->currentIndex(), 2);
    // Translated, the items show words and keep their numbers.
    EXPECT_EQ(page.volumeList->itemData(2).toInt(), 4);
}

TEST_F(Bindings, InvertedCheckBoxShowsTheOppositeOfItsValue) {
    host.parameters.SetValue("FXSSendClip", 0, "0");
    host.parameters.SetValue("AMREnabled", 0, "0");
    page.LoadPage();
    EXPECT_TRUE(page.clipCheck->isChecked());
    EXPECT_FALSE(page.amrCheck->isChecked());
    page.clipCheck->setChecked(false);
    page.amrCheck->setChecked(true);
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
    EXPECT_EQ(page.volumeTrack->value(), 4);
    EXPECT_EQ(page.smsMemo->toPlainText(), QString::fromUtf8("Alarm\nin \u0160ach"));
    page.volumeTrack->setValue(1);
    page.smsMemo->setPlainText(QString::fromUtf8("Fire\n\u20ac"));
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
    QObject::connect(page.volumeList, &QComboBox::currentIndexChanged, [&] { ++changes; });
    QObject::connect(page.amrCheck, &QCheckBox::toggled, [&] { ++changes; });
    QObject::connect(page.volumeTrack, &QSlider::valueChanged, [&] { ++changes; });
    QObject::connect(page.hangMinEdit, &QLineEdit::textChanged, [&] { ++changes; });
    QObject::connect(page.smsMemo, &QPlainTextEdit::textChanged, [&] { ++changes; });
    host.parameters.SetValue("FXSVolRec", 0, "2");
    host.parameters.SetValue("AMREnabled", 0, "1");
    host.parameters.SetValue("FXSVolSend", 0, "5");
    host.parameters.SetValue("SMSText", 0, "text");
    page.LoadPage();
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(page.volumeList->currentIndex(), 2);
    EXPECT_EQ(page.smsMemo->toPlainText(), "text");
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
