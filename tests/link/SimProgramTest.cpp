// The real kolbrawin-gwsim process on a real pseudo-terminal, opened with plain
// POSIX calls as any serial program would.
#include "SimProcess.h"

#include "ConfigImage.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace kw::test {
namespace {

using Clock = std::chrono::steady_clock;

class Port {
public:
    explicit Port(const std::string& path) {
        m_Fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (m_Fd >= 0) {
            termios settings{};
            ::tcgetattr(m_Fd, &settings);
            ::cfmakeraw(&settings);
            ::tcsetattr(m_Fd, TCSANOW, &settings);
        }
    }
    ~Port() {
        if (m_Fd >= 0)
            ::close(m_Fd);
    }
    bool IsOpen() const { return m_Fd >= 0; }

    void Write(const std::string& bytes) {
        size_t done = 0;
        while (done < bytes.size()) {
            pollfd fd{m_Fd, POLLOUT, 0};
            if (::poll(&fd, 1, 5000) <= 0)
                break;
            const ssize_t n = ::write(m_Fd, bytes.data() + done, bytes.size() - done);
            if (n <= 0 && errno != EAGAIN)
                break;
            done += n > 0 ? size_t(n) : 0;
        }
        ASSERT_EQ(done, bytes.size());
    }

    // Reads until count bytes came, the line stays silent for silenceMs, or it
    // hangs up.
    std::string Read(size_t count, int silenceMs = 3000) {
        std::string bytes;
        while (bytes.size() < count) {
            pollfd fd{m_Fd, POLLIN, 0};
            if (::poll(&fd, 1, silenceMs) <= 0)
                break;
            char buffer[4096];
            const ssize_t n = ::read(m_Fd, buffer, std::min(sizeof buffer, count - bytes.size()));
            if (n <= 0) {
                m_HungUp = true;
                break;
            }
            bytes.append(buffer, size_t(n));
        }
        return bytes;
    }

    // What one read returns once anything has come (empty after silenceMs).
    std::string ReadOnce(int silenceMs = 3000) {
        pollfd fd{m_Fd, POLLIN, 0};
        if (::poll(&fd, 1, silenceMs) <= 0)
            return std::string();
        char buffer[4096];
        const ssize_t n = ::read(m_Fd, buffer, sizeof buffer);
        return n > 0 ? std::string(buffer, size_t(n)) : std::string();
    }

    std::string Ask(const std::string& command, size_t count) {
        Write(command);
        return Read(count);
    }

    // True once the other side has gone: poll reports a hang-up or read fails.
    bool WaitForHangUp(int timeoutMs) {
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!m_HungUp && Clock::now() < deadline) {
            pollfd fd{m_Fd, POLLIN, 0};
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (::poll(&fd, 1, int(std::max<long>(0, left.count()))) <= 0)
                break;
            if (fd.revents & (POLLHUP | POLLERR))
                return true;
            char buffer[4096];
            if (::read(m_Fd, buffer, sizeof buffer) <= 0 && errno != EAGAIN)
                return true;
        }
        return m_HungUp;
    }

private:
    int m_Fd = -1;
    bool m_HungUp = false;
};

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

TEST(SimProgram, AnswersACommandExchangeOnItsPseudoTerminal) {
    SimProcess sim({"--hw", "C", "--serial", "12-3456-7890"});
    ASSERT_TRUE(sim.Running());
    Port port(sim.LinkPath());
    ASSERT_TRUE(port.IsOpen());
    EXPECT_EQ(port.Ask("U", 1), "X");
    EXPECT_EQ(port.Ask("U", 1), "X");
    EXPECT_EQ(port.Ask("B", 3), std::string("BC\0", 3));
    EXPECT_EQ(port.Ask("D", 14), std::string("D12-3456-7890\0", 14));
    const std::string a = port.Ask("e", 2049);
    const std::string b = port.Ask("E", 8193);
    ASSERT_EQ(a.size(), 2049u);
    ASSERT_EQ(b.size(), 8193u);
    std::array<uint8_t, kImageSize> image{};
    std::copy(a.begin() + 1, a.end(), image.begin());
    std::copy(b.begin() + 1, b.end(), image.begin() + 4096);
    EXPECT_TRUE(RegionChecksumValid(image.data(), kRegionA));
    EXPECT_TRUE(RegionChecksumValid(image.data(), kRegionB));
    port.Write("A");
    ASSERT_TRUE(sim.WaitForLogLine("A"));
    EXPECT_EQ(sim.LogLines(), (std::vector<std::string>{"U", "U", "B", "D", "e", "E", "A"}));
    EXPECT_EQ(sim.Stop(), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(sim.LinkPath())));
}

TEST(SimProgram, PortCanBeClosedAndOpenedAgainWithoutAHangUp) {
    SimProcess sim(std::vector<std::string>{});
    ASSERT_TRUE(sim.Running());
    for (int i = 0; i < 3; ++i) {
        Port port(sim.LinkPath());
        ASSERT_TRUE(port.IsOpen());
        EXPECT_EQ(port.Ask("U", 1), "X") << "open " << i;
    }
}

TEST(SimProgram, MemoryFilePersistsAcceptedWrites) {
    SimProcess sim;
    const std::string memory = sim.Path("memory.bin");
    ASSERT_TRUE(sim.Start({"--memory", memory}));
    std::string regionA;
    {
        Port port(sim.LinkPath());
        regionA = port.Ask("e", 2049).substr(1);
        ASSERT_EQ(regionA.size(), 2048u);
        regionA[10] = char(regionA[10] ^ 0x55);
        std::array<uint8_t, kImageSize> image{};
        std::copy(regionA.begin(), regionA.end(), image.begin());
        StoreRegionChecksum(image.data(), kRegionA);
        regionA.assign(image.begin(), image.begin() + 2048);
        EXPECT_EQ(port.Ask("g" + regionA, 1), "X");
    }
    ASSERT_TRUE(sim.WaitForLogLine("g X"));
    EXPECT_EQ(sim.Stop(), 0);
    const std::vector<uint8_t> saved = FileBytes(memory);
    ASSERT_EQ(saved.size(), size_t(kImageSize));
    EXPECT_EQ(std::string(saved.begin(), saved.begin() + 2048), regionA);

    // A second run starts from the saved memory.
    ASSERT_TRUE(sim.Start({"--memory", memory}));
    Port port(sim.LinkPath());
    EXPECT_EQ(port.Ask("e", 2049).substr(1), regionA);
}

TEST(SimProgram, DroppedLineIsAHangUpForTheTool) {
    SimProcess sim({"--fault", "drop-after:1000"});
    ASSERT_TRUE(sim.Running());
    Port port(sim.LinkPath());
    EXPECT_EQ(port.Ask("e", 2049).size(), 1000u);
    EXPECT_TRUE(port.WaitForHangUp(5000));
    EXPECT_TRUE(sim.WaitForLogLine("drop after 1000 bytes sent"));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(sim.LinkPath())));
    EXPECT_EQ(sim.Stop(), 0);
}

TEST(SimProgram, PacedLineTakesTheLineTimeOfTheReply) {
    SimProcess sim({"--baud", "19200"});
    ASSERT_TRUE(sim.Running());
    Port port(sim.LinkPath());
    const auto start = Clock::now();
    EXPECT_EQ(port.Ask("e", 2049).size(), 2049u);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    // 2050 bytes cross the line, 10 bits each: at least 1.07 s however fast the machine.
    EXPECT_GE(seconds, 2050 * 10 / 19200.0 - 0.01);
}

TEST(SimProgram, DelayedReplyWaitsBeforeItsFirstByte) {
    SimProcess sim({"--fault", "delay:U:300"});
    ASSERT_TRUE(sim.Running());
    Port port(sim.LinkPath());
    const auto start = Clock::now();
    EXPECT_EQ(port.Ask("U", 1), "X");
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(300));
}

TEST(SimProgram, TrickledReplyComesByteByByte) {
    SimProcess sim({"--fault", "trickle:100"});
    ASSERT_TRUE(sim.Running());
    Port port(sim.LinkPath());
    port.Write("C");
    std::vector<std::string> pieces;
    std::string all;
    while (all.size() < 6) {
        const std::string piece = port.ReadOnce();
        if (piece.empty())
            break;
        pieces.push_back(piece);
        all += piece;
    }
    EXPECT_EQ(all, std::string("C1.07\0", 6));
    EXPECT_EQ(pieces.size(), 6u);
}

TEST(SimProgram, RefusesBadStartsWithAReason) {
    SimProcess sim;
    const std::string memory = sim.Path("short.bin");
    std::ofstream(memory) << "too short";
    const std::string program = SimProcess::ProgramPath();
    const std::string base = program + " --link " + sim.Path("gw") + " ";
    auto status = [](const std::string& command) {
        const int raw = std::system((command + " 2>/dev/null >/dev/null").c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    };
    EXPECT_EQ(status(base + "--memory " + memory), 1);
    EXPECT_EQ(status(base + "--fault nonsense"), 2);
    EXPECT_EQ(status(program), 2);
    EXPECT_EQ(status(program + " --help"), 0);
    std::filesystem::create_directory(sim.Path("dir"));
    EXPECT_EQ(status(program + " --link " + sim.Path("dir")), 1);
}

} // namespace
} // namespace kw::test
