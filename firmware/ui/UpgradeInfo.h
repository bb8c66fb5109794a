// Shows the firmware version the gateway runs and the one about to replace it;
// the upgrade goes on only with Continue.
#pragma once

#include <QDialog>

#include <string>

class CLanguage;
class QLabel;

class TFUpgradeInfo : public QDialog {
    Q_OBJECT
public:
    static constexpr int kResultContinue = 1;
    static constexpr int kResultCancel = 2;

    TFUpgradeInfo(const CLanguage& language, QWidget* parent = nullptr);

    // Translates the dialog and shows both versions (gateway bytes, shown as
    // Windows-1252 text).
    void Activate(const std::string& current, const std::string& next);

public slots:
    // Escape and closing the window count as Cancel.
    void reject() override;

private:
    const CLanguage& m_Language;
    QLabel* m_CurrentVersion;
    QLabel* m_NextVersion;
};
