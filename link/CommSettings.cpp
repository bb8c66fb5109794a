// Line settings of the serial port component, mapped onto termios.
#include "Comm.h"

#include <cerrno>
#include <termios.h>

namespace {

const char* const kLineError = "Error updating DataControlBlock";

speed_t SpeedCode(TBaudrate rate) {
    switch (rate) {
    case br110:
        return B110;
    case br300:
        return B300;
    case br600:
        return B600;
    case br1200:
        return B1200;
    case br2400:
        return B2400;
    case br4800:
        return B4800;
    case br9600:
        return B9600;
    case br19200:
        return B19200;
    case br38400:
        return B38400;
    case br57600:
        return B57600;
    case br115200:
        return B115200;
    default:
        return B0; // 14400, 56000, 128000 and 256000 have no termios code
    }
}

tcflag_t SizeFlag(TDatabits bits) {
    switch (bits) {
    case da5:
        return CS5;
    case da6:
        return CS6;
    case da7:
        return CS7;
    case da8:
        return CS8;
    default:
        return 0; // four data bits: no UART driver of ours offers them
    }
}

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
    const speed_t speed = SpeedCode(m_BaudRate);
    const tcflag_t size = SizeFlag(m_Databits);
    // DTR/DSR handshaking has no termios flag; refusing it beats ignoring it.
    if (speed == B0 || size == 0 || m_FlowControl == fcDTR)
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
    t.c_cflag |= size;
    switch (m_Parity) {
    case paNone:
        break;
    case paOdd:
        t.c_cflag |= PARENB | PARODD;
        break;
    case paEven:
        t.c_cflag |= PARENB;
        break;
    case paMark:
        t.c_cflag |= PARENB | CMSPAR | PARODD;
        break;
    case paSpace:
        t.c_cflag |= PARENB | CMSPAR;
        break;
    }
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

void TCustomComm::SetBaudRate(TBaudrate rate) {
    m_BaudRate = rate;
    if (Enabled())
        ApplyLineSettings();
}

void TCustomComm::SetParity(TParity parity) {
    m_Parity = parity;
    if (Enabled())
        ApplyLineSettings();
}

void TCustomComm::SetStopbits(TStopbits stopbits) {
    m_Stopbits = stopbits;
    if (Enabled())
        ApplyLineSettings();
}

void TCustomComm::SetDatabits(TDatabits databits) {
    m_Databits = databits;
    if (Enabled())
        ApplyLineSettings();
}

void TCustomComm::SetOptions(uint32_t options) {
    m_Options = options;
    if (Enabled())
        ApplyLineSettings();
}

void TCustomComm::SetFlowControl(TFlowControl flow) {
    m_FlowControl = flow;
    if (Enabled())
        ApplyLineSettings();
}

void TCustomComm::SetEventChars(const TCommEventChars& chars) {
    m_EventChars = chars;
    if (Enabled())
        ApplyLineSettings();
}
