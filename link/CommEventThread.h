// The background thread of an open serial port: it waits for line events and
// hands each to the UI thread, waiting until it has been handled so that
// received-data notifications never overlap. Terminate abandons a pending
// hand-off, so closing the port while bytes arrive cannot deadlock.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

class TCustomComm;

class TCommEventThread {
public:
    TCommEventThread(TCustomComm& comm, int fd, uint32_t events, uint32_t generation);
    ~TCommEventThread();
    TCommEventThread(const TCommEventThread&) = delete;
    TCommEventThread& operator=(const TCommEventThread&) = delete;

    // Ends the thread (purging both queues unless KeepQueues came first) and
    // joins it. UI thread.
    void Terminate();
    // The descriptor goes on to another owner: what it received stays queued.
    void KeepQueues() { m_Purge = false; }
    // The event handed over has run. UI thread.
    void Handled();
    // Output is queued and waits for the device to take it.
    void WakeForOutput();

private:
    void Run();
    // Hands events to the UI thread and waits; false when terminated meanwhile.
    bool HandOff(uint32_t events);
    void Wake();

    TCustomComm& m_Comm;
    const int m_Fd;
    const uint32_t m_Events;
    const uint32_t m_Generation;
    int m_WakeRead = -1;
    int m_WakeWrite = -1;
    std::mutex m_Lock;
    std::condition_variable m_Changed;
    bool m_Stop = false;
    bool m_Handled = false;
    std::atomic<bool> m_Purge{true};
    std::thread m_Thread;
};
