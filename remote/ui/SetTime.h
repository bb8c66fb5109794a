// The set-time dialog: a date and time for the GSM module's clock, checked
// before it goes anywhere; the monitor sends the clock text it forms.
#pragma once

#include <QDialog>

#include <array>
#include <ctime>
#include <functional>
#include <string>

class CLanguage;
class CUserPort;
class QLineEdit;

class TFSetTime : public QDialog {
    Q_OBJECT
public:
    // The modal results: a valid entry (its clock text is ready) and anything else.
    static constexpr int kResultSet = 1;
    static constexpr int kResultCancel = 2;

    // `user` shows why an entry is refused; `localTime` is the PC's clock.
    TFSetTime(const CLanguage& language, CUserPort& user, std::function<std::tm()> localTime,
              QWidget* parent = nullptr);

    // Each time before it is shown: translated, every field empty.
    void Activate();
    // "yy/MM/dd,hh:mm:00" after kResultSet.
    const std::string& ClockText() const { return m_ClockText; }

    void UseCurrentClicked();
    void SetTimeClicked();
    // Escape and the window's close box cancel, as the cancel button does.
    void reject() override;

private:
    enum Field { Day, Month, Year, Hour, Minute, kFieldCount };

    const CLanguage& m_Language;
    CUserPort& m_User;
    std::function<std::tm()> m_LocalTime;
    std::array<QLineEdit*, kFieldCount> m_Fields{};
    std::string m_ClockText;
};
