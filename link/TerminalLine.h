// A line the terminal can talk through instead of its serial port: fuzz targets
// and tests answer in-process on it, with no device and no event thread.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class CTerminalLine {
public:
    virtual ~CTerminalLine() = default;

    // As the port's Open and Close; Open raises ECommError when it refuses.
    virtual void Open(const std::string& devicePath) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // As the port's Write: raises ECommError while closed, -1 when the bytes are lost.
    virtual int Write(const void* bytes, int n) = 0;

    // The terminal's received-characters handler, installed on opening.
    std::function<void(const uint8_t* bytes, int n)> m_Received;
};
