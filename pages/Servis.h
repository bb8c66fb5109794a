// The service page ("Servis"): the gateway's identity as read-only displays,
// the service SMS, the serial-port permission and the data call limit, plus
// remote supervision (variants C, F, E, G) and power supply reports (E, F, G).
#pragma once

#include "DForm.h"

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

class TFServis : public TFDForm {
    Q_OBJECT
public:
    explicit TFServis(CPageHost& host, QWidget* parent = nullptr);

    void LoadPage() override;
    void StorePage() override;
    void ResizePage(int width, int height) override;

    // The service SMS number was edited: both mirrors show the new text.
    void Edit2Change();

    QLabel* Label5; // HWVer
    QLabel* Label6; // SWVer
    QLabel* Label7; // SerialNum
    QLabel* Label8; // OperLock
    QCheckBox* CheckBox1;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLabel* Label19; // mirror of Edit2 in the service SMS group
    QLineEdit* Edit13;
    QGroupBox* SupervisionGroup;
    std::array<QLineEdit*, 5> ModemNumEdits;  // Edit3 … Edit7
    std::array<QLineEdit*, 5> SubStringEdits; // Edit8 … Edit12
    QGroupBox* PowerGroup;
    QComboBox* ComboBox11;
    QLineEdit* Edit14;
    QLabel* Label17; // mirror of Edit2 in the power group

private:
    void ShowServiceNumber(const std::string& number);
};
