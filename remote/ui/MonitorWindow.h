// The monitor window: what the polling loop finds out about the gateway's GSM
// module, row by row, and the buttons that hand the loop a new SMS centre
// number and module clock. Modal and for the cable only; the loop runs inside
// the window's first timer and ends before the window's modal call returns.
#pragma once

#include "Monitor.h"
#include "MonitorDisplay.h"

#include <QDialog>
#include <QTimer>

#include <array>
#include <ctime>
#include <functional>
#include <string>

class CCOMTerminal;
class CLanguage;
class CUserPort;
class QLabel;
class QProgressBar;
class TFSetTime;
class TFSMSCentrum;

class TFMonitor : public QDialog {
    Q_OBJECT
public:
    // The modal results: closed by the user (or the program) and closed
    // because the port did not open.
    static constexpr int kResultClosed = 2;
    static constexpr int kResultPortFailed = 3;

    struct THost {
        CCOMTerminal& terminal;
        CUserPort& user;  // why the port did not open, refused entries
        std::string port; // the cable's port (the "Com" setting)
        // Ends a cable exchange that a configuration read left open.
        std::function<void()> releaseGateway;
        // Places the two service dialogs over the main window.
        std::function<void(QWidget&)> centre;
        std::function<std::tm()> localTime = kw::LocalTimeNow;
    };

    TFMonitor(const CLanguage& language, THost host, QWidget* parent = nullptr);
    ~TFMonitor() override;

    // Before it is shown: translated, every row back to "not known yet", and
    // the first timer armed; the loop starts 500 ms later.
    void Activate();
    // A language switch: captions and every row in the new language.
    void Translate();

    void CloseClicked();
    void SmsCentreClicked();
    void SetTimeClicked();
    void SynchroniseClicked();
    // Escape and the window's close box close it as the close button does.
    void reject() override;

    kw::CMonitor& Monitor() { return m_Monitor; }
    const kw::CMonitorRows& Rows() const { return m_Rows; }

private:
    void FirstTimerTick();
    void ShowRow(kw::MonitorRow row);

    const CLanguage& m_Language;
    THost m_Host;
    kw::CMonitorRows m_Rows;
    kw::CMonitor m_Monitor;
    QTimer m_FirstTimer;

    // One value label per row; the signal row's is the text shown in place
    // of the bar.
    std::array<QLabel*, kw::kMonitorRowCount> m_ValueLabels{};
    QProgressBar* m_SignalBar = nullptr;
    QLabel* m_SignalDecibels = nullptr;
    TFSMSCentrum* m_SmsCentreDialog = nullptr;
    TFSetTime* m_SetTimeDialog = nullptr;
};
