// The SMS input page: its four bindings with their limits, the delay spins
// settling typed values when left, and the SMS text memo carrying any 8-bit
// text through load and store while its limit counts a line break as CR LF.
#include "LogickyVstup.h"
#include "PageTestSupport.h"
#include "Parameters.h"
#include "RandomConfiguration.h"
#include "TestHost.h"
#include "TypingLimit.h"
#include "UpDown.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace kw::test;

class SmsInputPage : public ::testing::Test {
protected:
    SmsInputPage() : page(host) { LoadInstalledLanguage(host.language, "Eng", "A"); }

    void Load() {
        host.parameters.m_Modified = false;
        page.LoadPage();
    }
    void TypeIntoMemo(const QString& keys) {
        page.Memo2->setFocus();
        page.Memo2->moveCursor(QTextCursor::End);
        QTest::keyClicks(page.Memo2, keys);
    }

    CTestHost host;
    TFLogickyVstup page;
};

TEST_F(SmsInputPage, BindsItsFourFieldsInOrderWithTheirLimits) {
    Load();
    std::vector<std::string> names;
    for (const auto& binding : host.parameters.Bindings())
        names.push_back(binding->Name());
    EXPECT_EQ(names, (std::vector<std::string>{"PhoneNumForSMS", "SMSText", "SendAfterMS",
                                               "TimeOfIdleS"}));
    EXPECT_EQ(kw::TypingLimit(page.Edit5), 16);
    EXPECT_EQ(kw::TypingLimit(page.Memo2), 40);
    EXPECT_EQ(kw::TypingLimit(page.Edit1), 5);
    EXPECT_EQ(kw::TypingLimit(page.Edit7), 4);
    EXPECT_EQ(page.UpDown1->Associate(), page.Edit1);
    EXPECT_EQ(page.UpDown1->Min(), 0);
    EXPECT_EQ(page.UpDown1->Max(), 25500);
    EXPECT_EQ(page.UpDown1->Increment(), 100);
    EXPECT_EQ(page.UpDown7->Associate(), page.Edit7);
    EXPECT_EQ(page.UpDown7->Max(), 2550);
    EXPECT_EQ(page.UpDown7->Increment(), 10);
    EXPECT_EQ(page.findChild<QPlainTextEdit*>("Memo2"), page.Memo2);
    EXPECT_EQ(page.findChild<QLineEdit*>("Edit7"), page.Edit7);
}

TEST_F(SmsInputPage, DelaysSettleWhenLeftAndReachTheParameterOnStore) {
    host.parameters.SetValue("SendAfterMS", 0, "1200");
    Load();
    EXPECT_EQ(page.Edit1->text(), "1200");
    EXPECT_EQ(page.UpDown1->Position(), 1200);
    struct Case {
        QLineEdit* edit;
        const char* typed;
        const char* shown;
    };
    for (const Case& c : {Case{page.Edit1, "250", "200"}, Case{page.Edit1, "99999", "25500"},
                          Case{page.Edit1, "7", "0"}, Case{page.Edit7, "2555", "2550"},
                          Case{page.Edit7, "15", "10"}, Case{page.Edit7, "x", "0"}}) {
        TypeInto(c.edit, c.typed);
        EXPECT_EQ(c.edit->text(), c.typed);
        LeaveField(c.edit);
        EXPECT_EQ(c.edit->text(), c.shown) << c.typed;
    }
    // Leaving a field does not store it yet.
    EXPECT_EQ(host.parameters.GetValue("SendAfterMS", 0), "1200");
    page.UpDown1->StepUp();
    EXPECT_EQ(page.Edit1->text(), "100");
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("SendAfterMS", 0), "100");
    EXPECT_EQ(host.parameters.GetValue("TimeOfIdleS", 0), "0");
    EXPECT_TRUE(host.parameters.m_Modified);
}

TEST_F(SmsInputPage, AnyEightBitTextSurvivesLoadAndStore) {
    // Line breaks, a CR and an LF on their own, a no-break space, NUL, tab and
    // the bytes Windows-1252 leaves undefined.
    using namespace std::string_literals;
    const std::string texts[] = {
        "Alarm!\r\nDoor open\r\n"s,
        "a\rb\nc\n\r\r\n\r\n"s,
        "no\xA0"s + "break\x00tab\t\x81\x8D\x8F\x90\x9D\x80\xFF"s,
        "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"s,
        std::string(60, 'x'), // longer than the field: shown and kept whole
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        host.parameters.SetValue("SMSText", 0, text);
        ASSERT_EQ(host.parameters.GetValue("SMSText", 0), text);
        ExpectLoadStoreKeepsRegistry(page, host.parameters);
        // Leaving the memo settles nothing in a text that is already settled.
        LeaveField(page.Memo2);
        page.StorePage();
        EXPECT_EQ(host.parameters.GetValue("SMSText", 0), text);
        EXPECT_FALSE(host.parameters.m_Modified);
    }
    host.parameters.SetValue("SMSText", 0, "one\r\ntwo");
    Load();
    EXPECT_EQ(page.Memo2->toPlainText(), "one\ntwo");
}

TEST_F(SmsInputPage, RandomConfigurationsSurviveLoadAndStore) {
    std::mt19937 random(5);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        FillRandom(host.parameters, random);
        ExpectLoadStoreKeepsRegistry(page, host.parameters);
    }
}

TEST_F(SmsInputPage, TheTextStopsAtFortyBytesWithLineBreaksCountingTwo) {
    Load();
    TypeIntoMemo(QString(45, 'a'));
    EXPECT_EQ(page.Memo2->toPlainText(), QString(40, 'a'));
    // Full: not even a line break fits.
    QTest::keyClick(page.Memo2, Qt::Key_Return);
    EXPECT_EQ(page.Memo2->toPlainText(), QString(40, 'a'));

    page.Memo2->setPlainText(QString(38, 'b'));
    TypeIntoMemo("");
    QTest::keyClick(page.Memo2, Qt::Key_Return); // 38 + CR LF = 40
    EXPECT_EQ(page.Memo2->toPlainText(), QString(38, 'b') + "\n");
    TypeIntoMemo("c");
    QTest::keyClick(page.Memo2, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(page.Memo2->toPlainText(), QString(38, 'b') + "\n");

    page.Memo2->setPlainText(QString(39, 'd'));
    TypeIntoMemo("");
    QTest::keyClick(page.Memo2, Qt::Key_Return); // would make 41 bytes
    EXPECT_EQ(page.Memo2->toPlainText(), QString(39, 'd'));
    TypeIntoMemo("e");
    EXPECT_EQ(page.Memo2->toPlainText(), QString(39, 'd') + "e");

    // Typing in the middle of several lines: what was there stays.
    page.Memo2->setPlainText("12345\n67890");
    page.Memo2->moveCursor(QTextCursor::Start);
    QTest::keyClicks(page.Memo2, QString(40, 'z'));
    EXPECT_EQ(page.Memo2->toPlainText(), QString(28, 'z') + "12345\n67890");
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("SMSText", 0).size(), 40u);

    // A paste keeps what fits; a line break that does not fit whole is dropped.
    page.Memo2->setPlainText(QString(36, 'p'));
    QApplication::clipboard()->setText("abc\ndef");
    TypeIntoMemo("");
    QTest::keyClick(page.Memo2, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(page.Memo2->toPlainText(), QString(36, 'p') + "abc");
}

} // namespace
