#include "Comm.h"

#include "CommEventThread.h"
#include "CommLineEvent.h"
#include "LinkLog.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <grp.h>
#include <iterator>
#include <poll.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

const char* const kAlreadyOpen = "Port already assigned (open)";
const char* const kAccessError = "Error accessing specified device";

// errno values meaning the device itself is gone (USB adapter pulled, the other
// end of a pseudo-terminal closed): the line is dead, not our request wrong.
bool DeviceGone(int error) {
    return error == EIO || error == ENXIO || error == ENODEV || error == EPIPE;
}

std::string UserName() {
    const passwd* user = ::getpwuid(::getuid());
    return user != nullptr ? user->pw_name : "$USER";
}

// Tells who may open the device and how to join them.
std::string PermissionAdvice(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return {};
    const group* owner = ::getgrgid(info.st_gid);
    if (owner == nullptr)
        return {};
    const std::string name = owner->gr_name;
    return "Access to " + path + " is denied. The device belongs to the group '" + name +
           "'; join it with \"sudo usermod -aG " + name + " " + UserName() +
           "\", then log out and in again.";
}

} // namespace

namespace {

constexpr int kRates[] = {110,   300,   600,   1200,  2400,   4800,   9600,  14400,
                          19200, 38400, 56000, 57600, 115200, 128000, 256000};

} // namespace

int BaudRateValue(TBaudrate rate) {
    return kRates[rate];
}

bool BaudRateCode(int value, TBaudrate& code) {
    for (size_t i = 0; i < std::size(kRates); ++i) {
        if (kRates[i] == value) {
            code = static_cast<TBaudrate>(i);
            return true;
        }
    }
    return false;
}

ECommError::ECommError(const std::string& message, int code, std::string advice)
    : std::runtime_error(message + " (Error: " + std::to_string(code) + ") "), m_Message(message),
      m_Code(code), m_Advice(std::move(advice)) {}

TCustomComm::TCustomComm(QObject* parent) : QObject(parent) {}

TCustomComm::~TCustomComm() {
    Close();
}

void TCustomComm::RequireClosed() const {
    if (Enabled())
        throw ECommError(kAlreadyOpen, -1);
}

void TCustomComm::Open() {
    RequireClosed();
    const int fd = ::open(m_DeviceName.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        throw ECommError(kAccessError, error,
                         error == EACCES ? PermissionAdvice(m_DeviceName) : std::string());
    }
    if (!::isatty(fd)) {
        ::close(fd);
        throw ECommError("Invalid device handle, access denied", -1);
    }
    // TIOCEXCL keeps other programs out, but not root; the lock covers that.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        throw ECommError(kAccessError, error);
    }
    ::ioctl(fd, TIOCEXCL);
    m_Fd = fd;
    m_Locked = true;
    try {
        StartEventThread();
        ApplyTimeouts();
        ApplyLineSettings();
        CheckQueues();
    } catch (...) {
        Close();
        throw;
    }
    qCDebug(kw::LinkLog) << "opened" << m_DeviceName.c_str();
}

void TCustomComm::OpenTAPI(int descriptor, bool exclusive) {
    RequireClosed();
    if (descriptor < 0 || ::fcntl(descriptor, F_GETFD) < 0)
        throw ECommError(kAccessError, descriptor < 0 ? EBADF : errno);
    if (!::isatty(descriptor))
        throw ECommError("Invalid device handle, access denied", -1);
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (flags < 0 || ::fcntl(descriptor, F_SETFL, flags | O_NONBLOCK) < 0)
        throw ECommError(kAccessError, errno);
    m_Fd = descriptor;
    m_Locked = exclusive;
    try {
        StartEventThread();
        ApplyTimeouts();
        CheckQueues();
    } catch (...) {
        Close();
        throw;
    }
}

void TCustomComm::StartEventThread() {
    ++m_Generation;
    m_EventThread = std::make_unique<TCommEventThread>(*this, m_Fd, m_MonitorEvents, m_Generation);
}

void TCustomComm::Close() {
    if (!Enabled())
        return;
    m_EventThread.reset(); // joins; purges both queues on its way out
    DiscardPendingOutput();
    if (m_Locked) {
        // The exclusive mode stays with the terminal while anybody else holds
        // it open (the simulator does), so it is dropped explicitly.
        ::ioctl(m_Fd, TIOCNXCL);
        ::flock(m_Fd, LOCK_UN);
    }
    ::close(m_Fd);
    qCDebug(kw::LinkLog) << "closed" << m_DeviceName.c_str();
    m_Fd = -1;
    m_Locked = false;
    ++m_Generation; // events still queued for this opening are ignored
}

int TCustomComm::Release() {
    if (!Enabled())
        return -1;
    m_EventThread->KeepQueues();
    m_EventThread.reset();
    DiscardPendingOutput();
    const int descriptor = m_Fd;
    qCDebug(kw::LinkLog) << "handed over" << m_DeviceName.c_str();
    m_Fd = -1;
    m_Locked = false;
    ++m_Generation;
    return descriptor;
}

bool TCustomComm::SetDtr(bool on) {
    int bits = TIOCM_DTR;
    return Enabled() && ::ioctl(m_Fd, on ? TIOCMBIS : TIOCMBIC, &bits) == 0;
}

void TCustomComm::CheckQueues() {
    // There are no queue sizes to request; the kernel's queues only have to be
    // there, which asking for their fill proves.
    int count = 0;
    if (m_ReadBufSize <= 0 || m_WriteBufSize <= 0)
        throw ECommError("Error initializing Read/Write Buffers", EINVAL);
    if (::ioctl(m_Fd, FIONREAD, &count) != 0 || ::ioctl(m_Fd, TIOCOUTQ, &count) != 0)
        throw ECommError("Error initializing Read/Write Buffers", errno);
}

int TCustomComm::Write(const void* bytes, int n) {
    std::unique_lock<std::mutex> lock(m_IoLock);
    if (!Enabled())
        throw ECommError("Write error", EBADF);
    if (n <= 0)
        return 0;
    m_PendingOut.append(static_cast<const char*>(bytes), static_cast<size_t>(n));
    m_PendingBytes = m_PendingOut.size();
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        if (!DrainPendingOutput())
            return -1;
        if (m_PendingOut.empty())
            return n;
        const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now() - start)
                                .count();
        if (waited >= m_WriteTimeout) {
            m_EventThread->WakeForOutput(); // it sends the rest when the device takes it
            return -1;
        }
        pollfd out{m_Fd, POLLOUT, 0};
        ::poll(&out, 1, static_cast<int>(m_WriteTimeout - waited));
    }
}

bool TCustomComm::DrainPendingOutput() {
    while (!m_PendingOut.empty()) {
        const ssize_t written = ::write(m_Fd, m_PendingOut.data(), m_PendingOut.size());
        if (written > 0) {
            m_PendingOut.erase(0, static_cast<size_t>(written));
            continue;
        }
        const int error = errno;
        if (written < 0 && (error == EAGAIN || error == EINTR))
            break;
        m_PendingOut.clear();
        m_PendingBytes = 0;
        if (written < 0 && !DeviceGone(error))
            throw ECommError("Write error", error);
        return false;
    }
    m_PendingBytes = m_PendingOut.size();
    return true;
}

void TCustomComm::DrainFromEventThread() {
    std::lock_guard<std::mutex> lock(m_IoLock);
    try {
        DrainPendingOutput();
    } catch (const ECommError&) {
        // Nobody to tell on this thread; the bytes are gone and the waiting
        // side sees the silence.
    }
}

void TCustomComm::DiscardPendingOutput() {
    std::lock_guard<std::mutex> lock(m_IoLock);
    m_PendingOut.clear();
    m_PendingBytes = 0;
}

int TCustomComm::Read(void* buffer, int n) {
    std::lock_guard<std::mutex> lock(m_IoLock);
    if (!Enabled())
        throw ECommError("Read error", EBADF);
    if (n <= 0)
        return 0;
    // Reads return at once with what is waiting; ReadTimeout never comes into
    // play (the time-outs are set that way on opening).
    const ssize_t got = ::read(m_Fd, buffer, static_cast<size_t>(n));
    if (got > 0) {
        m_BytesRead += static_cast<uint64_t>(got);
        return static_cast<int>(got);
    }
    if (got == 0 || errno == EAGAIN || errno == EINTR)
        return 0;
    if (DeviceGone(errno))
        return -1;
    throw ECommError("Read error", errno);
}

void TCustomComm::PurgeIn() {
    if (Enabled())
        ::tcflush(m_Fd, TCIFLUSH);
}

void TCustomComm::PurgeOut() {
    if (!Enabled())
        return;
    DiscardPendingOutput();
    ::tcflush(m_Fd, TCOFLUSH);
}

int TCustomComm::InQueCount() const {
    if (!Enabled())
        return -1;
    int count = 0;
    return ::ioctl(m_Fd, FIONREAD, &count) == 0 ? count : 0;
}

int TCustomComm::OutQueCount() const {
    if (!Enabled())
        return -1;
    int count = 0;
    if (::ioctl(m_Fd, TIOCOUTQ, &count) != 0)
        count = 0;
    return count + static_cast<int>(m_PendingBytes.load());
}

bool TCustomComm::event(QEvent* e) {
    if (e->type() != TCommLineEvent::Type())
        return QObject::event(e);
    const auto* line = static_cast<TCommLineEvent*>(e);
    if (!Enabled() || line->m_Generation != m_Generation)
        return true; // sent before the port was closed
    const uint32_t generation = m_Generation;
    HandleLineEvent(line->m_Events);
    // A handler may have closed (and even reopened) the port meanwhile.
    if (m_EventThread && generation == m_Generation)
        m_EventThread->Handled();
    return true;
}

void TCustomComm::HandleLineEvent(uint32_t events) {
    const int count = InQueCount();
    if ((events & Bit(evError)) && OnError)
        OnError(*this, kLineGone);
    if ((events & Bit(evRlsd)) && OnRlsd)
        OnRlsd(*this);
    if ((events & Bit(evRxChar)) && count > 0 && OnRxChar)
        OnRxChar(*this, count);
}

void TCustomComm::SetDeviceName(const std::string& name) {
    if (name == m_DeviceName)
        return;
    RequireClosed();
    m_DeviceName = name;
}

void TCustomComm::SetReadBufSize(int size) {
    RequireClosed();
    m_ReadBufSize = size;
}

void TCustomComm::SetWriteBufSize(int size) {
    RequireClosed();
    m_WriteBufSize = size;
}

void TCustomComm::SetMonitorEvents(uint32_t events) {
    RequireClosed();
    m_MonitorEvents = events;
}
