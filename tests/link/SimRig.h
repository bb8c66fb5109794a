// A gateway model under test with its log and write notifications collected.
#pragma once

#include "GatewayFaults.h"
#include "GatewayModel.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace kw::test {

inline const sim::MemoryImage& DefaultMemory() {
    static const sim::MemoryImage memory = sim::DefaultMemoryImage();
    return memory;
}

struct SimRig {
    explicit SimRig(const sim::GatewayIdentity& identity = {},
                    const sim::GatewayFaults& faults = {},
                    const sim::MemoryImage& memory = DefaultMemory())
        : model(identity, faults, memory) {
        model.SetListener({[this](const std::string& line) { log.push_back(line); },
                           [this] { ++memoryWrites; }, [this] { ++flashWrites; },
                           [this] { ++exchangesEnded; }});
    }

    std::string Send(const std::string& bytes) {
        std::string reply;
        model.Receive(bytes, reply);
        return reply;
    }

    sim::GatewayModel model;
    std::vector<std::string> log;
    int memoryWrites = 0;
    int flashWrites = 0;
    int exchangesEnded = 0;
};

inline std::string Bytes(const uint8_t* data, size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

inline std::string Le16(int value) {
    return {char(value & 0xFF), char((value >> 8) & 0xFF)};
}
inline std::string Be16(int value) {
    return {char((value >> 8) & 0xFF), char(value & 0xFF)};
}

// Faults as the --fault options name them; a malformed one fails the test.
inline sim::GatewayFaults Faults(std::initializer_list<const char*> options) {
    sim::GatewayFaults faults;
    for (const char* option : options)
        EXPECT_EQ(sim::ParseFault(option, faults), "") << option;
    return faults;
}

} // namespace kw::test
