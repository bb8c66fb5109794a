#include "TestPage.h"

#include "Parameters.h"
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
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setGeometry(10, 10, 100, 22);
    UpDown1 = new CUpDown(this);
    UpDown1->setObjectName("UpDown1");
    UpDown1->SetAssociate(Edit1);
    UpDown1->SetRange(100, 25500);
    UpDown1->SetIncrement(100);
    UpDown1->setGeometry(110, 10, 17, 22);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setGeometry(10, 40, 200, 60);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->addItems({"0", "1", "2"});
    SetWidgetTag(ComboBox1, 40);
    ComboBox1->setGeometry(10, 110, 120, 22);
    CheckBox1 = new QCheckBox(this);
    CheckBox1->setObjectName("CheckBox1");
    CheckBox1->setGeometry(10, 140, 120, 22);
    CheckBox2 = new QCheckBox(this);
    CheckBox2->setObjectName("CheckBox2");
    CheckBox2->setGeometry(10, 170, 120, 22);
    TrackBar1 = new QSlider(Qt::Horizontal, this);
    TrackBar1->setObjectName("TrackBar1");
    TrackBar1->setRange(0, 5);
    TrackBar1->setGeometry(10, 200, 120, 22);
}

void CTestPage::LoadPage() {
    if (m_Log)
        m_Log->push_back("load " + m_Name);
    TranslatePage();
    Parameters().ClearBindings();
    BindEdit("FXSHangMin", 0, Edit1);
    BindMemo("SMSText", 0, Memo1);
    BindCombo("FXSVolRec", 0, ComboBox1);
    BindCheck("AMREnabled", 0, CheckBox1);
    BindCheck("FXSSendClip", 0, CheckBox2, true);
    BindTrack("FXSVolSend", 0, TrackBar1);
    ToControls();
}

void CTestPage::StorePage() {
    if (m_Log)
        m_Log->push_back("store " + m_Name);
    Parameters().FromControls();
}

void CTestPage::ResizePage(int width, int height) {
    lastWidth = width;
    lastHeight = height;
}

} // namespace kw::test
