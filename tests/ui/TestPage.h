// A small section page for the main-window and binding tests: one edit with an
// up-down control, one memo, one drop-down list and two check boxes, bound to
// real parameters, and a log of every LoadPage and StorePage.
#pragma once

#include "DForm.h"

#include <string>
#include <vector>

class CUpDown;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QSlider;

namespace kw::test {

class CTestPage : public TFDForm {
public:
    CTestPage(CPageHost& host, std::string name, std::vector<std::string>* log);

    void LoadPage() override;
    void StorePage() override;
    void ResizePage(int width, int height) override;

    QLineEdit* Edit1;      // FXSHangMin: 100 to 25500 in steps of 100
    CUpDown* UpDown1;      // associated with Edit1
    QPlainTextEdit* Memo1; // SMSText
    QComboBox* ComboBox1;  // FXSVolRec: items 0, 1, 2
    QCheckBox* CheckBox1;  // AMREnabled
    QCheckBox* CheckBox2;  // FXSSendClip, inverted
    QSlider* TrackBar1;    // FXSVolSend
    int lastWidth = 0;
    int lastHeight = 0;

private:
    std::string m_Name;
    std::vector<std::string>* m_Log;
};

} // namespace kw::test
