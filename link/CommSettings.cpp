// Line settings of the serial port component, mapped onto termios.
#include "Comm.h"

#include <cerrno>
#include <iterator>
#include <termios.h>

namespace {

const char* const kLineError = "Error updating DataControlBlock";

// By TBaudrate; 14400, 56000, 128000 and 256000 have no termios code.
constexpr speed_t kSpeedCodes[] = {B110,   B300,   B600, B1200,  B2400,   B4800, B9600, B0,
                                   B19200, B38400, B0,   B57600, B115200, B0,    B0};
// By TDatabits; four data bits: no UART driver of ours offers them.
constexpr tcflag_t kSizeFlags[] = {0, CS5, CS6, CS7, CS8};
// By TParity.
constexpr tcflag_t kParityFlags[] = {0, PARENB | PARODD, PARENB, PARENB | CMSPAR | PARODD,
                                     PARENB | CMSPAR};

} // namespace

void TCustomComm::ApplyTimeouts() {
    // Reads return at once with whatever is waiting.
    termios t{};
    if (::tcgetattr(m_Fd, &t) != 0)
        throw ECommError("Error updating CommTimeouts", errno);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    if (::tcsetattr(m_Fd, TCSANOW, &t) != 0)
        throw ECommError("Error updating CommTimeouts", errno);
}

void TCustomComm::ApplyLineSettings() {
    termios t{};
    if (::tcgetattr(m_Fd, &t) != 0)
        throw ECommError(kLineError, errno);
    // A value outside its enumeration is refused like one termios lacks.
    const speed_t speed = m_BaudRate < std::size(kSpeedCodes) ? kSpeedCodes[m_BaudRate] : B0;
    const tcflag_t size = m_Databits < std::size(kSizeFlags) ? kSizeFlags[m_Databits] : 0;
    // DTR/DSR handshaking has no termios flag; refusing it beats ignoring it.
    if (speed == B0 || size == 0 || m_Parity >= std::size(kParityFlags) || m_FlowControl == fcDTR)
        throw ECommError(kLineError, EINVAL);

    // Raw bytes in both directions: the gateway's protocol is binary.
    t.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL |
                                        IUCLC | IMAXBEL | INPCK | IGNPAR);
    t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag |= CREAD | CLOCAL;
    cfsetispeed(&t, speed);
    cfsetospeed(&t, speed);

    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB);
    t.c_cflag |= size | kParityFlags[m_Parity];
    // termios knows one and two stop bits; one and a half goes out as two.
    if (m_Stopbits != sb10)
        t.c_cflag |= CSTOPB;

    t.c_cc[VSTART] = static_cast<cc_t>(m_EventChars.XonChar);
    t.c_cc[VSTOP] = static_cast<cc_t>(m_EventChars.XoffChar);
    if (m_FlowControl != fcDefault) {
        t.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
        t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
        if (m_FlowControl == fcCTS)
            t.c_cflag |= CRTSCTS;
        if (m_FlowControl == fcSoftware)
            t.c_iflag |= IXON | IXOFF;
    }
    // DSR sensitivity, error-character replacement and zero stripping have no
    // termios counterpart; the program never asks for them.
    if (m_Options & Bit(coParityCheck))
        t.c_iflag |= INPCK;
    if ((m_Options & Bit(coIgnoreXOff)) && m_FlowControl == fcSoftware)
        t.c_iflag |= IXANY;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    if (::tcsetattr(m_Fd, TCSANOW, &t) != 0)
        throw ECommError(kLineError, errno);
}
