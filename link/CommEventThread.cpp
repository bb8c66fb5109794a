#include "CommEventThread.h"

#include "Comm.h"
#include "CommLineEvent.h"

#include <QCoreApplication>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

// While received bytes wait that nobody reads (no handler took them), the
// descriptor stays readable; poll would return at once forever. The thread then
// looks every so often whether more bytes came, as a line event would report.
constexpr int kStalledCheckMs = 20;

int WaitingBytes(int fd) {
    int count = 0;
    return ::ioctl(fd, FIONREAD, &count) == 0 ? count : 0;
}

} // namespace

TCommEventThread::TCommEventThread(TCustomComm& comm, int fd, uint32_t events, uint32_t generation)
    : m_Comm(comm), m_Fd(fd), m_Events(events), m_Generation(generation) {
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_NONBLOCK | O_CLOEXEC) != 0)
        throw ECommError("Error accessing specified device", errno);
    m_WakeRead = pipeEnds[0];
    m_WakeWrite = pipeEnds[1];
    m_Thread = std::thread([this] { Run(); });
}

TCommEventThread::~TCommEventThread() {
    Terminate();
    ::close(m_WakeRead);
    ::close(m_WakeWrite);
}

void TCommEventThread::Terminate() {
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        m_Stop = true;
    }
    m_Changed.notify_all();
    Wake();
    if (m_Thread.joinable())
        m_Thread.join();
}

void TCommEventThread::Handled() {
    {
        std::lock_guard<std::mutex> lock(m_Lock);
        m_Handled = true;
    }
    m_Changed.notify_all();
}

void TCommEventThread::WakeForOutput() {
    Wake();
}

void TCommEventThread::Wake() {
    const char byte = 1;
    // A full pipe already holds a wake-up; nothing is lost by a failed write.
    [[maybe_unused]] const ssize_t written = ::write(m_WakeWrite, &byte, 1);
}

bool TCommEventThread::HandOff(uint32_t events) {
    std::unique_lock<std::mutex> lock(m_Lock);
    if (m_Stop)
        return false;
    m_Handled = false;
    QCoreApplication::postEvent(&m_Comm, new TCommLineEvent(events, m_Generation));
    m_Changed.wait(lock, [this] { return m_Handled || m_Stop; });
    return !m_Stop;
}

void TCommEventThread::Run() {
    const bool watchRx = (m_Events & Bit(evRxChar)) != 0;
    const bool watchLine = (m_Events & (Bit(evRlsd) | Bit(evError))) != 0;
    bool lineGone = false;
    bool stalled = false;
    int stalledCount = 0;
    uint64_t stalledReads = 0;

    for (;;) {
        {
            std::lock_guard<std::mutex> lock(m_Lock);
            if (m_Stop)
                break;
        }
        pollfd fds[2] = {{lineGone ? -1 : m_Fd, 0, 0}, {m_WakeRead, POLLIN, 0}};
        if (watchRx && !stalled)
            fds[0].events |= POLLIN;
        if (m_Comm.HasPendingOutput())
            fds[0].events |= POLLOUT;
        const int ready = ::poll(fds, 2, stalled ? kStalledCheckMs : -1);
        if (ready < 0) {
            if (errno != EINTR)
                ::poll(nullptr, 0, 100); // never seen; keeps a broken poll from spinning
            continue;
        }
        if (fds[1].revents != 0) {
            char drain[64];
            while (::read(m_WakeRead, drain, sizeof drain) > 0) {
            }
        }
        const short got = fds[0].revents;
        if (got & POLLOUT)
            m_Comm.DrainFromEventThread();
        if (got & (POLLHUP | POLLERR | POLLNVAL)) {
            // The device went away (adapter pulled, other end of a pseudo-terminal
            // closed). Report it once and stop watching it: a hung-up descriptor
            // stays "ready" for good.
            lineGone = true;
            uint32_t events = 0;
            if (watchLine)
                events |= Bit(evRlsd) | Bit(evError);
            if (watchRx && (got & POLLIN))
                events |= Bit(evRxChar);
            if (events != 0 && !HandOff(events))
                break;
            continue;
        }
        if (got & POLLIN) {
            const int count = WaitingBytes(m_Fd);
            const uint64_t readsBefore = m_Comm.m_BytesRead.load();
            if (count > 0 && !HandOff(Bit(evRxChar)))
                break;
            if (m_Comm.m_BytesRead.load() == readsBefore) {
                stalled = true;
                stalledCount = count;
                stalledReads = readsBefore;
            }
            continue;
        }
        if (stalled && ready == 0) {
            if (m_Comm.m_BytesRead.load() != stalledReads) {
                stalled = false;
                continue;
            }
            const int count = WaitingBytes(m_Fd);
            if (count > stalledCount) {
                stalledCount = count;
                if (!HandOff(Bit(evRxChar)))
                    break;
                if (m_Comm.m_BytesRead.load() != stalledReads)
                    stalled = false;
            }
        }
    }
    if (m_Purge)
        ::tcflush(m_Fd, TCIOFLUSH);
}
