#include "PtyLine.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace kw::sim {
namespace {

std::string Reason(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

void CloseFd(int& fd) {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

PtyLine::~PtyLine() {
    Drop();
}

void PtyLine::RemoveLink() {
    if (m_Link.empty())
        return;
    char target[PATH_MAX];
    const ssize_t n = ::readlink(m_Link.c_str(), target, sizeof target - 1);
    if (n > 0 && std::string(target, size_t(n)) == m_SlaveName)
        ::unlink(m_Link.c_str());
    m_Link.clear();
}

bool PtyLine::Open(const std::string& linkPath, std::string& error, bool keepSlave) {
    struct stat existing {};
    if (::lstat(linkPath.c_str(), &existing) == 0 && !S_ISLNK(existing.st_mode)) {
        error = linkPath + ": exists and is not a symlink";
        return false;
    }
    m_Master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_Master < 0 || ::grantpt(m_Master) != 0 || ::unlockpt(m_Master) != 0) {
        error = Reason("pseudo-terminal");
        return false;
    }
    char name[128];
    if (::ptsname_r(m_Master, name, sizeof name) != 0) {
        error = Reason("ptsname");
        return false;
    }
    m_SlaveName = name;
    m_KeptSlave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_KeptSlave < 0) {
        error = Reason(name);
        return false;
    }
    termios settings{};
    ::tcgetattr(m_KeptSlave, &settings);
    ::cfmakeraw(&settings);
    ::cfsetispeed(&settings, B19200);
    ::cfsetospeed(&settings, B19200);
    ::tcsetattr(m_KeptSlave, TCSANOW, &settings);
    ::fcntl(m_Master, F_SETFL, ::fcntl(m_Master, F_GETFL) | O_NONBLOCK);
    if (!keepSlave)
        CloseFd(m_KeptSlave);

    // Replace a stale symlink in one step, so the path never names nothing.
    const std::string temporary = linkPath + ".new" + std::to_string(::getpid());
    ::unlink(temporary.c_str());
    if (::symlink(name, temporary.c_str()) != 0) {
        error = Reason(linkPath.c_str());
        return false;
    }
    if (::rename(temporary.c_str(), linkPath.c_str()) != 0) {
        error = Reason(linkPath.c_str());
        ::unlink(temporary.c_str());
        return false;
    }
    m_Link = linkPath;
    return true;
}

int PtyLine::Unread() const {
    int count = 0;
    if (m_KeptSlave < 0 || ::ioctl(m_KeptSlave, FIONREAD, &count) != 0)
        return 0;
    return count;
}

void PtyLine::Drop() {
    // Once closed, the slave's name may be handed to another pseudo-terminal;
    // the symlink must not lead a reopening tool there.
    RemoveLink();
    CloseFd(m_Master);
    CloseFd(m_KeptSlave);
}

} // namespace kw::sim
