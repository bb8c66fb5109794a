// The modem line dialog: name, device, speed and initialisation string of one
// data-modem line, for a new line or one to change or remove. A line is taken
// only with a name no other line has, a device, and no control characters.
#pragma once

#include "ModemLines.h"
#include "PortList.h"

#include <QDialog>

#include <functional>

class CLanguage;
class CUserPort;
class QComboBox;
class QLineEdit;
class QPushButton;

class TFModemLine : public QDialog {
    Q_OBJECT
public:
    TFModemLine(const CLanguage& language, std::function<CUserPort&()> user, QWidget* owner);

    // Edits line `index` of `lines`, or a new one when index is -1; the
    // ports come from `ports`.
    void Open(kw::CModemLines& lines, int index, const std::vector<kw::TPortInfo>& ports);
    // Stores what the dialog holds into the list (OK): false with a message
    // when the line cannot be taken.
    bool Take();
    // Removes the line being edited.
    void RemoveLine();

private:
    const CLanguage& m_Language;
    std::function<CUserPort&()> m_User;
    kw::CModemLines* m_Lines = nullptr;
    int m_Index = -1;
    QLineEdit* m_NameEdit;
    QComboBox* m_DeviceList;
    QComboBox* m_SpeedList;
    QLineEdit* m_InitEdit;
    QPushButton* m_RemoveButton;
};
