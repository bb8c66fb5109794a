// A small section page for the main-window and binding tests: an edit with an
// up-down control, a memo, a drop-down list, two check boxes and a track bar,
// bound to real parameters when the page is made, and a log of every LoadPage
// and StorePage.
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

    QLineEdit* hangMinEdit;  // FXSHangMin: 100 to 25500 in steps of 100
    CUpDown* hangMinSpin;    // associated with hangMinEdit
    QPlainTextEdit* smsMemo; // SMSText
    QComboBox* volumeList;   // FXSVolRec: items 0, 1, 2
    QCheckBox* amrCheck;     // AMREnabled
    QCheckBox* clipCheck;    // FXSSendClip, inverted
    QSlider* volumeTrack;    // FXSVolSend
    int lastWidth = 0;
    int lastHeight = 0;

private:
    std::string m_Name;
    std::vector<std::string>* m_Log;
};

} // namespace kw::test
