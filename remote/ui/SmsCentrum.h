// The SMS centre dialog: a new service centre number for the GSM module,
// refused when it could not travel inside the module's command line.
#pragma once

#include <QDialog>

#include <string>

class CLanguage;
class CUserPort;
class QLineEdit;

class TFSMSCentrum : public QDialog {
    Q_OBJECT
public:
    static constexpr int kResultOk = 1;
    static constexpr int kResultCancel = 2;

    // `user` shows why a number is refused.
    TFSMSCentrum(const CLanguage& language, CUserPort& user, QWidget* parent = nullptr);

    // Each time before it is shown: translated, the field holding `number`
    // (bytes as the module gave them) and the focus.
    void Activate(const std::string& number);
    // The field's text as the bytes sent to the module.
    std::string Number() const;

    void OkClicked();
    void reject() override;

private:
    const CLanguage& m_Language;
    CUserPort& m_User;
    QLineEdit* m_NumberEdit;
};
