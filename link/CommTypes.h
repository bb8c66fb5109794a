// Line settings, event types and the error of the serial port component.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

enum TBaudrate : uint8_t {
    br110,
    br300,
    br600,
    br1200,
    br2400,
    br4800,
    br9600,
    br14400,
    br19200,
    br38400,
    br56000,
    br57600,
    br115200,
    br128000,
    br256000
};
enum TParity : uint8_t { paNone, paOdd, paEven, paMark, paSpace };
enum TStopbits : uint8_t { sb10, sb15, sb20 };
enum TDatabits : uint8_t { da4, da5, da6, da7, da8 };
enum TFlowControl : uint8_t { fcNone, fcCTS, fcDTR, fcSoftware, fcDefault };
enum TCommOption : uint8_t {
    coParityCheck,
    coDsrSensitivity,
    coIgnoreXOff,
    coErrorChar,
    coNullStrip
};
enum TCommEventType : uint8_t {
    evBreak,
    evCts,
    evDsr,
    evError,
    evRing,
    evRlsd,
    evRxChar,
    evRxFlag,
    evTxEmpty
};

// Sets of the enumerations above, one bit per enumerator.
template <typename E> constexpr uint32_t Bit(E e) {
    return 1u << static_cast<unsigned>(e);
}
inline constexpr uint32_t kAllCommEvents = (1u << (evTxEmpty + 1)) - 1;

struct TCommEventChars {
    char XonChar = 17;
    char XoffChar = 19;
    char ErrorChar = 0;
    char EofChar = 0;
    char EvtChar = 0;
};

// The rate a TBaudrate names (br19200 -> 19200).
int BaudRateValue(TBaudrate rate);
// The TBaudrate of a rate in bits per second; false for a rate it does not name.
bool BaudRateCode(int value, TBaudrate& code);

// A failure of the serial port component: the message followed by
// " (Error: %d) " with the system error code, or -1 where there is none.
class ECommError : public std::runtime_error {
public:
    ECommError(const std::string& message, int code, std::string advice = {});
    int Code() const { return m_Code; }
    const std::string& Message() const { return m_Message; }
    // What the user can do about it (which group to join); usually empty.
    const std::string& Advice() const { return m_Advice; }

private:
    std::string m_Message;
    int m_Code;
    std::string m_Advice;
};
