// The GSM & SIM page ("GSM & SIM"): caller-id, roaming, hand-over, network mode
// and AMR of the gateway's module, the GPRS access point, manual network
// registration, the prepaid-credit check, and read-only displays of the
// operator lock and of the service SMS number.
#pragma once

#include "DForm.h"

class CUpDown;
class QComboBox;
class QLabel;
class QLineEdit;

class TFGSMSIM : public TFDForm {
    Q_OBJECT
public:
    explicit TFGSMSIM(CPageHost& host, QWidget* parent = nullptr);

    void LoadPage() override;
    void StorePage() override;
    void ResizePage(int width, int height) override;

    QComboBox* ComboBox1; // CLIRInk
    QComboBox* ComboBox2; // RoamPerm
    QComboBox* ComboBox3; // CallHandOver
    QLineEdit* Edit6;     // GprsApn
    QLineEdit* Edit5;     // ManualReg
    QComboBox* ComboBox5; // UMTSGSM
    QComboBox* ComboBox7; // AMREnabled
    QLabel* Label8;       // operator lock, shown only
    // The credit check.
    QLineEdit* Edit1; // CallsCadence
    CUpDown* UpDown1;
    QLineEdit* Edit2; // CreditCode
    QLineEdit* Edit3; // MinCredit
    CUpDown* UpDown3;
    QLineEdit* Edit4; // CreditAnswer
    CUpDown* UpDown4;
    QLabel* Label17; // service SMS number, shown only
};
