// The serial port component on real pseudo-terminals: its failure table,
// exclusive open, line settings, events on the UI thread, and a line that goes
// away or keeps sending while the port closes.
#include "Comm.h"
#include "EventLoopWait.h"
#include "PtyPeer.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>

namespace {

using kw::test::PtyPeer;
using kw::test::RunEventsFor;
using kw::test::RunEventsUntil;

// Runs `open` and returns the error it raised (empty message when none).
template <typename F> std::pair<std::string, int> ErrorOf(F open) {
    try {
        open();
    } catch (const ECommError& e) {
        return {e.what(), e.Code()};
    }
    return {"", 0};
}

double CpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

TEST(Comm, RefusesWhatIsNoSerialDevice) {
    kw::test::TempDir dir;
    dir.Write("file", "not a port");
    ASSERT_EQ(::mkfifo(dir.Path("fifo").c_str(), 0600), 0);
    for (const char* name : {"file", "fifo"}) {
        TComm comm;
        comm.SetDeviceName(dir.Path(name));
        const auto [message, code] = ErrorOf([&] { comm.Open(); });
        EXPECT_EQ(message, "Invalid device handle, access denied (Error: -1) ") << name;
        EXPECT_EQ(code, -1);
        EXPECT_FALSE(comm.Enabled());
    }
    TComm missing;
    missing.SetDeviceName(dir.Path("none"));
    const auto [message, code] = ErrorOf([&] { missing.Open(); });
    EXPECT_EQ(message, "Error accessing specified device (Error: 2) ");
    EXPECT_EQ(code, ENOENT);
}

TEST(Comm, PermissionDeniedNamesTheGroupToJoin) {
    // A pseudo-terminal's slave belongs to root and the group tty (mode 620):
    // an unprivileged user may not open it for reading. The test runs that
    // user in a child process, forked while this test runs no other thread.
    int master = -1;
    int slave = -1;
    char name[256] = {};
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    const std::string path = name;
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    int channel[2];
    ASSERT_EQ(::pipe(channel), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(channel[0]);
        std::string report = "no failure";
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
            report = "cannot drop privileges";
        } else {
            TComm comm;
            comm.SetDeviceName(path);
            try {
                comm.Open();
            } catch (const ECommError& e) {
                report = e.what() + std::string("|") + e.Advice();
            }
        }
        [[maybe_unused]] const ssize_t written = ::write(channel[1], report.data(), report.size());
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string report;
    char bytes[512];
    for (ssize_t n; (n = ::read(channel[0], bytes, sizeof bytes)) > 0;)
        report.append(bytes, static_cast<size_t>(n));
    ::close(channel[0]);
    ::waitpid(child, nullptr, 0);
    ::close(master);
    ::close(slave);
    if (report == "cannot drop privileges")
        GTEST_SKIP() << "the tests do not run as root here";
    const std::string group = ::getgrgid(info.st_gid)->gr_name;
    EXPECT_EQ(report.substr(0, report.find('|')), "Error accessing specified device (Error: 13) ");
    EXPECT_NE(report.find("group '" + group + "'"), std::string::npos) << report;
    EXPECT_NE(report.find("usermod -aG " + group), std::string::npos) << report;
}

TEST(Comm, AnOpenPortRefusesReopeningAndRenaming) {
    PtyPeer peer;
    TComm comm;
    comm.SetDeviceName(peer.Path());
    comm.Open();
    ASSERT_TRUE(comm.Enabled());
    EXPECT_EQ(ErrorOf([&] { comm.Open(); }).first, "Port already assigned (open) (Error: -1) ");
    EXPECT_EQ(ErrorOf([&] { comm.OpenTAPI(peer.Slave()); }).second, -1);
    comm.SetDeviceName(peer.Path()); // the same name changes nothing
    EXPECT_EQ(ErrorOf([&] { comm.SetDeviceName("/dev/null"); }).first,
              "Port already assigned (open) (Error: -1) ");
    EXPECT_EQ(ErrorOf([&] { comm.SetReadBufSize(10); }).second, -1);
    EXPECT_EQ(ErrorOf([&] { comm.SetMonitorEvents(0); }).second, -1);
    comm.Close();
    comm.SetDeviceName("/dev/null");
    EXPECT_EQ(comm.DeviceName(), "/dev/null");
}

TEST(Comm, NobodyElseOpensAPortInUse) {
    PtyPeer peer;
    TComm first;
    first.SetDeviceName(peer.Path());
    first.Open();
    TComm second;
    second.SetDeviceName(peer.Path());
    const auto [message, code] = ErrorOf([&] { second.Open(); });
    EXPECT_EQ(message, "Error accessing specified device (Error: 16) ");
    EXPECT_EQ(code, EBUSY);
    first.Close();
    second.Open(); // free again once closed
    EXPECT_TRUE(second.Enabled());
}

TEST(Comm, LineSettingsReachTheDevice) {
    PtyPeer peer;
    TComm comm;
    comm.SetDeviceName(peer.Path());
    comm.SetBaudRate(br19200); // closed: only stored
    comm.SetFlowControl(fcNone);
    termios before{};
    ::tcgetattr(peer.Slave(), &before);
    before.c_iflag |= IXON | ICRNL;
    ::tcsetattr(peer.Slave(), TCSANOW, &before);
    comm.Open();
    termios t{};
    ASSERT_EQ(::tcgetattr(peer.Slave(), &t), 0);
    EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B19200));
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | ICRNL), 0u);
    EXPECT_EQ(t.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));

    comm.SetBaudRate(br57600); // open: applied at once
    comm.SetStopbits(sb20);
    ::tcgetattr(peer.Slave(), &t);
    EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B57600));
    EXPECT_NE(t.c_cflag & CSTOPB, 0u);
    // A rate termios lacks, and parity, which a pseudo-terminal refuses.
    EXPECT_EQ(ErrorOf([&] { comm.SetBaudRate(br14400); }).first,
              "Error updating DataControlBlock (Error: 22) ");
    comm.SetBaudRate(br57600);
    EXPECT_EQ(ErrorOf([&] { comm.SetParity(paEven); }).second, EINVAL);
}

TEST(Comm, ReadsWritesAndQueueCounts) {
    PtyPeer peer;
    TComm comm;
    EXPECT_EQ(comm.InQueCount(), -1);
    EXPECT_EQ(comm.OutQueCount(), -1);
    EXPECT_EQ(ErrorOf([&] { comm.Write("x", 1); }).first, "Write error (Error: 9) ");
    comm.SetDeviceName(peer.Path());
    comm.Open();
    char buffer[16];
    EXPECT_EQ(comm.Read(buffer, sizeof buffer), 0); // nothing waiting: at once
    EXPECT_EQ(comm.Write("hello", 5), 5);
    ASSERT_TRUE(peer.WaitForReceived(5));
    EXPECT_EQ(peer.Received(), "hello");
    peer.Send("abc");
    ASSERT_TRUE(RunEventsUntil([&] { return comm.InQueCount() == 3; }));
    EXPECT_EQ(comm.Read(buffer, sizeof buffer), 3);
    EXPECT_EQ(std::string(buffer, 3), "abc");
    peer.Send("zz");
    ASSERT_TRUE(RunEventsUntil([&] { return comm.InQueCount() == 2; }));
    comm.PurgeIn();
    EXPECT_EQ(comm.InQueCount(), 0);
}

TEST(Comm, ReceivedBytesAreAnnouncedOnTheUiThread) {
    PtyPeer peer;
    TComm comm;
    comm.SetDeviceName(peer.Path());
    std::string got;
    bool onUiThread = true;
    const auto uiThread = std::this_thread::get_id();
    comm.OnRxChar = [&](TCustomComm& port, int count) {
        onUiThread = onUiThread && std::this_thread::get_id() == uiThread;
        char bytes[64];
        const int n = port.Read(bytes, std::min<int>(count, sizeof bytes));
        got.append(bytes, static_cast<size_t>(std::max(n, 0)));
    };
    comm.Open();
    peer.Send("first");
    ASSERT_TRUE(RunEventsUntil([&] { return got == "first"; }));
    peer.Send(std::string(300, 'x'));
    ASSERT_TRUE(RunEventsUntil([&] { return got.size() == 305; }));
    EXPECT_TRUE(onUiThread);
}

TEST(Comm, UnreadBytesDoNotKeepTheThreadBusy) {
    // Nobody reads what arrives: the event thread must not hand the same bytes
    // over again and again, but must announce new ones.
    PtyPeer peer;
    TComm comm;
    comm.SetDeviceName(peer.Path());
    int announcements = 0;
    int lastCount = 0;
    comm.OnRxChar = [&](TCustomComm&, int count) {
        ++announcements;
        lastCount = count;
    };
    comm.Open();
    peer.Send("abc");
    ASSERT_TRUE(RunEventsUntil([&] { return announcements >= 1; }));
    RunEventsFor(200);
    EXPECT_LE(announcements, 2);
    peer.Send("de");
    ASSERT_TRUE(RunEventsUntil([&] { return lastCount == 5; }));
}

TEST(Comm, ALineThatGoesAwayNeitherSpinsNorBlocks) {
    PtyPeer peer;
    TComm comm;
    comm.SetDeviceName(peer.Path());
    bool lost = false;
    comm.OnRlsd = [&](TCustomComm&) { lost = true; };
    comm.Open();
    peer.HangUp();
    ASSERT_TRUE(RunEventsUntil([&] { return lost; }));
    const double cpuBefore = CpuSeconds();
    RunEventsFor(500);
    EXPECT_LT(CpuSeconds() - cpuBefore, 0.1) << "the event thread spins on a dead line";
    char buffer[8];
    EXPECT_EQ(comm.Write("x", 1), -1); // no exception: the waits will time out
    EXPECT_EQ(comm.Read(buffer, sizeof buffer), 0);
    comm.Close();
    EXPECT_FALSE(comm.Enabled());
}

TEST(Comm, ClosingWhileBytesArriveNeverDeadlocks) {
    PtyPeer peer;
    TComm comm;
    comm.SetDeviceName(peer.Path());
    int handled = 0;
    comm.OnRxChar = [&](TCustomComm& port, int count) {
        char bytes[256];
        port.Read(bytes, std::min<int>(count, sizeof bytes));
        ++handled;
    };
    peer.Flood(1u << 30);
    for (int round = 0; round < 40; ++round) {
        comm.Open();
        // Let the event thread hand something over and block in the hand-off,
        // then close without handling it.
        ASSERT_TRUE(RunEventsUntil([&] { return comm.InQueCount() > 0; }));
        comm.Close();
        comm.Open();
        RunEventsUntil([&] { return handled > round; }, 500);
        comm.Close();
    }
    EXPECT_GT(handled, 0);
    // Closing from inside the handler too.
    comm.OnRxChar = [&](TCustomComm& port, int) { port.Close(); };
    comm.Open();
    ASSERT_TRUE(RunEventsUntil([&] { return !comm.Enabled(); }));
    peer.Flood(0);
}

TEST(Comm, AdoptsADescriptor) {
    PtyPeer peer;
    TComm comm;
    EXPECT_EQ(ErrorOf([&] { comm.OpenTAPI(-1); }).first,
              "Error accessing specified device (Error: 9) ");
    kw::test::TempDir dir;
    dir.Write("file", "x");
    const int file = ::open(dir.Path("file").c_str(), O_RDWR);
    EXPECT_EQ(ErrorOf([&] { comm.OpenTAPI(file); }).first,
              "Invalid device handle, access denied (Error: -1) ");
    ::close(file);
    const int fd = ::open(peer.Path().c_str(), O_RDWR | O_NOCTTY);
    comm.OpenTAPI(fd);
    EXPECT_TRUE(comm.Enabled());
    EXPECT_EQ(comm.Write("ok", 2), 2);
    ASSERT_TRUE(peer.WaitForReceived(2));
    comm.CloseTAPI();
    EXPECT_FALSE(comm.Enabled());
    EXPECT_EQ(::fcntl(fd, F_GETFD), -1); // closed with the port
}

} // namespace

namespace {

TEST(Comm, AWriteThatTimesOutStaysPendingUntilPurged) {
    // Nobody reads the master at first: the line fills up and the write times
    // out, but its bytes are not lost; they go out once the other end reads.
    int master = -1;
    int slave = -1;
    char name[256] = {};
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    TComm comm;
    comm.SetDeviceName(name);
    comm.SetWriteTimeout(100);
    comm.Open();
    const std::string bytes(300000, 'w');
    EXPECT_EQ(comm.Write(bytes.data(), static_cast<int>(bytes.size())), -1);
    EXPECT_GT(comm.OutQueCount(), 0);
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    size_t got = 0;
    const bool all = RunEventsUntil(
        [&] {
            char chunk[65536];
            for (ssize_t n; (n = ::read(master, chunk, sizeof chunk)) > 0;)
                got += static_cast<size_t>(n);
            return got == bytes.size();
        },
        5000);
    EXPECT_TRUE(all) << got << " of " << bytes.size();

    // A purge drops what is still queued.
    EXPECT_EQ(comm.Write(bytes.data(), static_cast<int>(bytes.size())), -1);
    comm.PurgeOut();
    EXPECT_EQ(comm.OutQueCount(), 0);
    comm.Close();
    ::close(master);
    ::close(slave);
}

} // namespace
