// The IP connect dialog: the gateway's phone number and identity and the GPRS
// settings its wake-up SMS carries. Start takes the fields only when the SMS
// can carry them as typed; otherwise it says why and stays open.
#pragma once

#include "IpSettings.h"

#include <QDialog>

class CLanguage;
class CUserPort;
class QLineEdit;

class TFIPConnect : public QDialog {
    Q_OBJECT
public:
    static constexpr int kResultStart = 100;
    static constexpr int kResultCancel = 1;

    TFIPConnect(const CLanguage& language, QWidget* parent = nullptr);

    // Translates the dialog and fills its fields from the last values used
    // (Windows-1252 bytes). `values` also gives the address and port the SMS
    // names, so Start can check its length; `user` is told why Start refuses.
    void Activate(const kw::TIpSettings& values, CUserPort& user);
    // After Start: the values with the six fields as typed.
    const kw::TIpSettings& Values() const { return m_Values; }

    // The serial number as stored: "NN-NNNN-NNNN" with its dashes, a digit not
    // typed as a space; empty when no digit was typed.
    QString SerialText() const;

public slots:
    // Escape and closing the window count as Cancel.
    void reject() override;

private:
    void StartClicked();

    const CLanguage& m_Language;
    CUserPort* m_User = nullptr;
    kw::TIpSettings m_Values;
    QLineEdit* m_NumberEdit;
    QLineEdit* m_SerialEdit;
    QLineEdit* m_PasswordEdit;
    QLineEdit* m_ApnEdit;
    QLineEdit* m_InetUserEdit;
    QLineEdit* m_InetPasswordEdit;
};
