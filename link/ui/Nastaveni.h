// The connection settings dialog: the way to the gateway (cable, modem call,
// TCP/IP), each with its group of settings in one place, exactly one shown.
// The address and port fields are put right when they are left.
#pragma once

#include <QDialog>

#include <functional>
#include <string>

class CLanguage;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kw {
class CModemLines;

// "192.168.1" → "192.168.1.0", "300.1.2.3.4" → "255.1.2.3": each of at most
// four dot-separated parts is its leading number, 0 to 255.
std::string NormalisedAddress(const std::string& text);
// The decimal value, 1 to 65535.
int NormalisedServerPort(const std::string& text);
} // namespace kw

class TFNastaveni : public QDialog {
    Q_OBJECT
public:
    static constexpr int kOkResult = 100;

    TFNastaveni(const CLanguage& language, QWidget* owner);

    // Translates the texts and shows the group of the checked type.
    void FormActivate();
    // Fills the line list with the lines' names; selects `wanted`, else the
    // first. Without a line the modem choice is disabled.
    void FillLines(const kw::CModemLines& lines, const std::string& wanted);
    // 0 cable, 1 modem call, 2 TCP/IP.
    void SetConType(int type);
    int ConType() const;
    // The selected line's name, or empty.
    std::string LineName() const;

    QComboBox& CablePortList() { return *m_CablePortList; }
    QComboBox& GsmPortList() { return *m_GsmPortList; }
    QLineEdit& NumberEdit() { return *m_NumberEdit; }
    QLineEdit& AddressEdit() { return *m_AddressEdit; }
    QLineEdit& ServerPortEdit() { return *m_ServerPortEdit; }
    QRadioButton& ModemChoice() { return *m_ModemChoice; }

    // Configure (the selected line's name) and Modem lines (a new line): the
    // settings command opens the line dialog and fills the list again.
    std::function<void(const std::string& lineName)> configureLine;
    std::function<void()> addLine;

    // Leaving the address and the port field.
    void Edit2Exit();
    void Edit3Exit();

private:
    const CLanguage& m_Language;
    QGroupBox* m_DeviceGroup;
    QRadioButton* m_CableChoice;
    QRadioButton* m_ModemChoice;
    QRadioButton* m_TcpIpChoice;
    QGroupBox* m_CableGroup;
    QGroupBox* m_ModemGroup;
    QGroupBox* m_IpGroup;
    QComboBox* m_CablePortList;
    QComboBox* m_LineList;
    QPushButton* m_ConfigureButton;
    QPushButton* m_ModemLinesButton;
    QLineEdit* m_NumberEdit;
    QComboBox* m_GsmPortList;
    QLineEdit* m_AddressEdit;
    QLineEdit* m_ServerPortEdit;
};
