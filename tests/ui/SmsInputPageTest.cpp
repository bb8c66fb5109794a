// The SMS input page: its four bindings, the delay spins
// settling typed values when left, and the SMS text memo carrying any 8-bit
// text through load and store while its limit counts a line break as CR LF.
#include "LogickyVstup.h"
#include "PageFixture.h"
#include "PageTestSupport.h"
#include "RandomConfiguration.h"
#include "UpDown.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace kw::test;

class SmsInputPage : public PageFixture<TFLogickyVstup> {
protected:
    SmsInputPage() { LoadInstalledLanguage(host.language, "Eng", "A"); }

    void TypeIntoMemo(const QString& keys) {
        memo->setFocus();
        memo->moveCursor(QTextCursor::End);
        QTest::keyClicks(memo, keys);
    }

    QPlainTextEdit* memo = Find<QPlainTextEdit>("Memo2");
    QLineEdit* sendAfter = Find<QLineEdit>("Edit1");
    QLineEdit* idle = Find<QLineEdit>("Edit7");
};

TEST_F(SmsInputPage, BindsItsFourFields) {
    Reload();
    EXPECT_EQ(BoundNames(),
              SortedNames({"PhoneNumForSMS", "SMSText", "SendAfterMS", "TimeOfIdleS"}));
}

TEST_F(SmsInputPage, DelaysSettleWhenLeftAndReachTheParameterOnStore) {
    host.parameters.SetValue("SendAfterMS", 0, "1200");
    Reload();
    auto* sendAfterSpin = Find<CUpDown>("UpDown1");
    EXPECT_EQ(sendAfter->text(), "1200");
    EXPECT_EQ(sendAfterSpin->Position(), 1200);
    struct Case {
        QLineEdit* edit;
        const char* typed;
        const char* shown;
    };
    for (const Case& c : {Case{sendAfter, "250", "200"}, Case{sendAfter, "99999", "25500"},
                          Case{sendAfter, "7", "0"}, Case{idle, "2555", "2550"},
                          Case{idle, "15", "10"}, Case{idle, "x", "0"}}) {
        TypeInto(c.edit, c.typed);
        EXPECT_EQ(c.edit->text(), c.typed);
        LeaveField(c.edit);
        EXPECT_EQ(c.edit->text(), c.shown) << c.typed;
    }
    // Leaving a field does not store it yet.
    EXPECT_EQ(host.parameters.GetValue("SendAfterMS", 0), "1200");
    sendAfterSpin->StepUp();
    EXPECT_EQ(sendAfter->text(), "100");
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
        LeaveField(memo);
        page.StorePage();
        EXPECT_EQ(host.parameters.GetValue("SMSText", 0), text);
        EXPECT_FALSE(host.parameters.m_Modified);
    }
    host.parameters.SetValue("SMSText", 0, "one\r\ntwo");
    Reload();
    EXPECT_EQ(memo->toPlainText(), "one\ntwo");
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
    Reload();
    TypeIntoMemo(QString(45, 'a'));
    EXPECT_EQ(memo->toPlainText(), QString(40, 'a'));
    // Full: not even a line break fits.
    QTest::keyClick(memo, Qt::Key_Return);
    EXPECT_EQ(memo->toPlainText(), QString(40, 'a'));

    memo->setPlainText(QString(38, 'b'));
    TypeIntoMemo("");
    QTest::keyClick(memo, Qt::Key_Return); // 38 + CR LF = 40
    EXPECT_EQ(memo->toPlainText(), QString(38, 'b') + "\n");
    TypeIntoMemo("c");
    QTest::keyClick(memo, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(memo->toPlainText(), QString(38, 'b') + "\n");

    memo->setPlainText(QString(39, 'd'));
    TypeIntoMemo("");
    QTest::keyClick(memo, Qt::Key_Return); // would make 41 bytes
    EXPECT_EQ(memo->toPlainText(), QString(39, 'd'));
    TypeIntoMemo("e");
    EXPECT_EQ(memo->toPlainText(), QString(39, 'd') + "e");

    // Typing in the middle of several lines: what was there stays.
    memo->setPlainText("12345\n67890");
    memo->moveCursor(QTextCursor::Start);
    QTest::keyClicks(memo, QString(40, 'z'));
    EXPECT_EQ(memo->toPlainText(), QString(28, 'z') + "12345\n67890");
    page.StorePage();
    EXPECT_EQ(host.parameters.GetValue("SMSText", 0).size(), 40u);

    // A paste keeps what fits; a line break that does not fit whole is dropped.
    memo->setPlainText(QString(36, 'p'));
    QApplication::clipboard()->setText("abc\ndef");
    TypeIntoMemo("");
    QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(memo->toPlainText(), QString(36, 'p') + "abc");
}

} // namespace
