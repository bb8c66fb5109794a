// The SMS input page ("SMS vstup"): the SMS the gateway sends when its logical
// input closes (number and text) and the two delays around sending it.
#pragma once

#include "DForm.h"

class CUpDown;
class QLineEdit;
class QPlainTextEdit;

class TFLogickyVstup : public TFDForm {
    Q_OBJECT
public:
    explicit TFLogickyVstup(CPageHost& host, QWidget* parent = nullptr);

    void LoadPage() override;
    void StorePage() override;
    void ResizePage(int width, int height) override;

    QLineEdit* Edit5;      // PhoneNumForSMS
    QPlainTextEdit* Memo2; // SMSText
    QLineEdit* Edit1;      // SendAfterMS
    CUpDown* UpDown1;
    QLineEdit* Edit7; // TimeOfIdleS
    CUpDown* UpDown7;
};
