#include "LogickyVstup.h"

#include "PageLayout.h"
#include "Parameters.h"
#include "TranslateWidgets.h"
#include "TypingLimit.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

// The longest SMS text the gateway keeps; a line break counts as its two bytes.
constexpr int kSmsTextMax = 40;

} // namespace

TFLogickyVstup::TFLogickyVstup(CPageHost& host, QWidget* parent) : TFDForm(host, parent) {
    setObjectName("FLogickyVstup");
    kw::CTwoColumns columns(this);

    QGroupBox* sms = kw::MakeGroup(this, "GroupBox1", 49, "SMS");
    kw::CFormGrid smsRows(sms);
    Edit5 = smsRows.EditRow("Edit5", 50, "Tel. číslo pro SMS:", 16, 16);
    smsRows.AddWide(kw::MakeLabel(sms, "Memo2Label", 51, "SMS text:"));
    Memo2 = new QPlainTextEdit(sms);
    Memo2->setObjectName("Memo2");
    kw::SetWidgetTag(Memo2, 51);
    kw::SetShowHint(Memo2, true);
    // Tab leaves the text as in the other fields; the SMS has no use for tabs typed.
    Memo2->setTabChangesFocus(true);
    // Long lines wrap at the memo's width, so sideways scrolling is never needed.
    Memo2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Room for the whole 40 characters in a few lines without scrolling.
    const int lineHeight = Memo2->fontMetrics().lineSpacing();
    Memo2->setMinimumHeight(4 * lineHeight + 12);
    Memo2->setMaximumHeight(6 * lineHeight + 12);
    kw::LimitTyping(Memo2, kSmsTextMax);
    smsRows.AddWide(Memo2);
    columns.AddLeft(sms);

    QGroupBox* delays = kw::MakeGroup(this, "GroupBox2", 52, "Prodlevy");
    kw::CFormGrid delayRows(delays);
    const kw::SpinEdit sendAfter = delayRows.SpinRow(
        "Edit1", "UpDown1", 53, "Odeslat při sepnutí delší než [ms]:", 0, 25500, 100, 5);
    Edit1 = sendAfter.edit;
    UpDown1 = sendAfter.upDown;
    const kw::SpinEdit idle =
        delayRows.SpinRow("Edit7", "UpDown7", 54, "Čas klidu po odeslání [s]:", 0, 2550, 10, 4);
    Edit7 = idle.edit;
    UpDown7 = idle.upDown;
    columns.AddRight(delays);
    columns.Finish();
}

void TFLogickyVstup::LoadPage() {
    TranslatePage();
    Parameters().ClearBindings();
    BindEdit("PhoneNumForSMS", 0, Edit5);
    BindMemo("SMSText", 0, Memo2);
    BindEdit("SendAfterMS", 0, Edit1);
    BindEdit("TimeOfIdleS", 0, Edit7);
    ToControls();
    kw::RefitPage(this);
}

void TFLogickyVstup::StorePage() {
    Parameters().FromControls();
}

void TFLogickyVstup::ResizePage(int width, int height) {
    kw::FitPageToArea(this, width, height);
}
