#include "TestPage.h"

#include "TranslateWidgets.h"
#include "UpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>

namespace kw::test {

CTestPage::CTestPage(CPageHost& host, std::string name, std::vector<std::string>* log)
    : TFDForm(host), m_Name(std::move(name)), m_Log(log) {
    hangMinEdit = new QLineEdit(this);
    hangMinEdit->setObjectName("Edit1");
    hangMinEdit->setGeometry(10, 10, 100, 22);
    hangMinSpin = new CUpDown(this);
    hangMinSpin->setObjectName("UpDown1");
    hangMinSpin->SetAssociate(hangMinEdit);
    hangMinSpin->SetRange(100, 25500);
    hangMinSpin->SetIncrement(100);
    hangMinSpin->setGeometry(110, 10, 17, 22);
    smsMemo = new QPlainTextEdit(this);
    smsMemo->setObjectName("Memo1");
    smsMemo->setGeometry(10, 40, 200, 60);
    volumeList = new QComboBox(this);
    volumeList->setObjectName("ComboBox1");
    volumeList->addItems({"0", "1", "2"});
    SetWidgetTag(volumeList, 40);
    volumeList->setGeometry(10, 110, 120, 22);
    amrCheck = new QCheckBox(this);
    amrCheck->setObjectName("CheckBox1");
    amrCheck->setGeometry(10, 140, 120, 22);
    clipCheck = new QCheckBox(this);
    clipCheck->setObjectName("CheckBox2");
    clipCheck->setGeometry(10, 170, 120, 22);
    volumeTrack = new QSlider(Qt::Horizontal, this);
    volumeTrack->setObjectName("TrackBar1");
    volumeTrack->setRange(0, 5);
    volumeTrack->setGeometry(10, 200, 120, 22);

    BindEdit("FXSHangMin", 0, hangMinEdit);
    BindMemo("SMSText", 0, smsMemo);
    BindCombo("FXSVolRec", 0, volumeList);
    BindCheck("AMREnabled", 0, amrCheck);
    BindCheck("FXSSendClip", 0, clipCheck, true);
    BindTrack("FXSVolSend", 0, volumeTrack);
}

void CTestPage::LoadPage() {
    if (m_Log)
        m_Log->push_back("load " + m_Name);
    TranslatePage();
    ToControls();
}

void CTestPage::StorePage() {
    if (m_Log)
        m_Log->push_back("store " + m_Name);
    FromControls();
}

void CTestPage::ResizePage(int width, int height) {
    lastWidth = width;
    lastHeight = height;
}

} // namespace kw::test
