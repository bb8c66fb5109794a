// The one exception of the link: a code says what went wrong. ShowLinkError
// turns it into the user's message.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

class CCOMTermExp : public std::exception {
public:
    enum Code : int8_t {
        NotConnected = 0,    // never raised by the transport
        Cancelled = 1,       // a wait found a cancel latch set
        TimedOut = 2,        // the line stayed silent for the whole reply time-out
        ParsingError = 3,    // ExtractBetween found no prefix or no suffix
        WriteFailed = 4,     // the command text or the terminator could not be written
        PortUnavailable = 5, // OpenPort cannot open the port
        ConnectionLost = 6,  // TCP: there is no linked connection
    };

    explicit CCOMTermExp(int8_t code, std::string advice = {})
        : m_Code(code), m_Advice(std::move(advice)) {}

    const char* what() const noexcept override { return ""; }
    int8_t Code() const { return m_Code; }
    // What the user can do about it, shown below the message (for instance how
    // to get access to a serial device); usually empty.
    const std::string& Advice() const { return m_Advice; }

private:
    int8_t m_Code;
    std::string m_Advice;
};
