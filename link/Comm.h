// The serial port component: one serial device of the system, opened by name or
// adopted as a descriptor from the dial-up layer, with line settings, reads and
// writes with time-outs, and line events delivered on the UI thread.
#pragma once

#include "CommTypes.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

class TCommEventThread;

class TCustomComm : public QObject {
    Q_OBJECT

public:
    explicit TCustomComm(QObject* parent = nullptr);
    ~TCustomComm() override;

    // Opens DeviceName exclusively (no other program, root included, shares it).
    void Open();
    // Adopts a descriptor opened elsewhere (a modem's data call); the line
    // settings stay as they are. The component closes it on CloseTAPI; when the
    // descriptor holds the device exclusively, the exclusive mode goes with it.
    void OpenTAPI(int descriptor, bool exclusive = false);
    void Close();
    void CloseTAPI() { Close(); }
    // Hands the open descriptor out instead of closing it (-1 when closed): the
    // component is closed, but nothing received is purged and the device stays
    // held exclusively, for the next owner to adopt with OpenTAPI.
    int Release();
    // Raises or drops DTR; false when the device has no modem-control lines, as
    // a pseudo-terminal has none.
    bool SetDtr(bool on);
    bool Enabled() const { return m_Fd >= 0; }

    // Bytes written, or -1 when they did not all leave within WriteTimeout; the
    // rest then stays queued and goes out later unless PurgeOut discards it.
    int Write(const void* bytes, int n);
    // Bytes read from what is waiting now (0 when nothing is); never blocks.
    int Read(void* buffer, int n);
    void PurgeIn();
    void PurgeOut();
    int InQueCount() const;
    int OutQueCount() const;

    const std::string& DeviceName() const { return m_DeviceName; }
    void SetDeviceName(const std::string& name);
    int ReadTimeout() const { return m_ReadTimeout; }
    void SetReadTimeout(int ms) { m_ReadTimeout = ms; }
    int WriteTimeout() const { return m_WriteTimeout; }
    void SetWriteTimeout(int ms) { m_WriteTimeout = ms; }
    int ReadBufSize() const { return m_ReadBufSize; }
    void SetReadBufSize(int size);
    int WriteBufSize() const { return m_WriteBufSize; }
    void SetWriteBufSize(int size);
    uint32_t MonitorEvents() const { return m_MonitorEvents; }
    void SetMonitorEvents(uint32_t events);

    // Line settings: an open port takes a change at once.
    TBaudrate BaudRate() const { return m_BaudRate; }
    void SetBaudRate(TBaudrate rate) { ChangeSetting(m_BaudRate, rate); }
    TParity Parity() const { return m_Parity; }
    void SetParity(TParity parity) { ChangeSetting(m_Parity, parity); }
    TStopbits Stopbits() const { return m_Stopbits; }
    void SetStopbits(TStopbits stopbits) { ChangeSetting(m_Stopbits, stopbits); }
    TDatabits Databits() const { return m_Databits; }
    void SetDatabits(TDatabits databits) { ChangeSetting(m_Databits, databits); }
    uint32_t Options() const { return m_Options; }
    void SetOptions(uint32_t options) { ChangeSetting(m_Options, options); }
    TFlowControl FlowControl() const { return m_FlowControl; }
    void SetFlowControl(TFlowControl flow) { ChangeSetting(m_FlowControl, flow); }
    const TCommEventChars& EventChars() const { return m_EventChars; }
    void SetEventChars(const TCommEventChars& chars) { ChangeSetting(m_EventChars, chars); }

    // Line events, called on the UI thread. A POSIX descriptor reports received
    // bytes, line errors and the loss of the line (hang-up, reported as a carrier
    // change); breaks and the modem status lines have no event source there.
    std::function<void(TCustomComm&, uint32_t errors)> OnError;
    std::function<void(TCustomComm&)> OnRlsd;
    std::function<void(TCustomComm&, int count)> OnRxChar;

    // Error bits passed to OnError.
    static constexpr uint32_t kLineGone = 1;

protected:
    bool event(QEvent* e) override;

private:
    friend class TCommEventThread;

    void RequireClosed() const;
    void StartEventThread();
    void ApplyTimeouts();
    void ApplyLineSettings();
    template <typename T> void ChangeSetting(T& setting, const T& value) {
        setting = value;
        if (Enabled())
            ApplyLineSettings();
    }
    void CheckQueues();
    void HandleLineEvent(uint32_t events);
    // Writes what the queue holds as far as the device takes it; false when the
    // device is gone. Caller holds m_IoLock.
    bool DrainPendingOutput();
    bool HasPendingOutput() const { return m_PendingBytes.load() > 0; }
    void DrainFromEventThread();
    void DiscardPendingOutput();

    std::string m_DeviceName = "Com2";
    int m_ReadTimeout = 1000;
    int m_WriteTimeout = 1000;
    int m_ReadBufSize = 4096;
    int m_WriteBufSize = 2048;
    uint32_t m_MonitorEvents = kAllCommEvents;
    TBaudrate m_BaudRate = br9600;
    TParity m_Parity = paNone;
    TStopbits m_Stopbits = sb10;
    TDatabits m_Databits = da8;
    uint32_t m_Options = 0;
    TFlowControl m_FlowControl = fcDefault;
    TCommEventChars m_EventChars;

    int m_Fd = -1;
    bool m_Locked = false; // we hold the exclusive lock and TIOCEXCL
    uint32_t m_Generation = 0;
    std::unique_ptr<TCommEventThread> m_EventThread;
    std::mutex m_IoLock;
    std::string m_PendingOut;
    std::atomic<size_t> m_PendingBytes{0};
    std::atomic<uint64_t> m_BytesRead{0};
};

// The serial port component the terminal owns.
class TComm final : public TCustomComm {
public:
    using TCustomComm::TCustomComm;
};
