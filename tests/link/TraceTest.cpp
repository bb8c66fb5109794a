// Link traces of real exchanges with the simulated gateway: every command the
// gateway saw and every reply are in the file, the PIN and the passwords are
// not, and a full disk ends the trace with one warning while the read goes on.
#include "FileSizeLimit.h"
#include "GatewayProtocol.h"
#include "GatewayRig.h"
#include "LinkTrace.h"
#include "ParameterCatalogue.h"
#include "RandomConfiguration.h"
#include "TempDir.h"

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <sys/stat.h>

namespace {

using namespace kw::test;
using Icon = CUserPort::Icon;
using kw::TByteRange;
using Kind = kw::TLinkTapEvent::Kind;

constexpr int kSecret = -1;
using Stream = std::vector<int>;

// The bytes of one direction (">>" or "<<") as the trace file gives them, a
// hidden byte as kSecret.
Stream TraceStream(const std::string& trace, const std::string& direction) {
    Stream bytes;
    std::istringstream lines(trace);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string time, shown;
        fields >> time >> shown;
        if (shown != direction)
            continue;
        const size_t hexBegin = line.find(" | ") + 3;
        std::istringstream hex(line.substr(hexBegin, line.find(" | ", hexBegin) - hexBegin));
        for (std::string token; hex >> token;) {
            if (token != "[secret") {
                bytes.push_back(std::stoi(token, nullptr, 16));
                continue;
            }
            int count = 0;
            hex >> count >> token;
            bytes.insert(bytes.end(), size_t(count), kSecret);
        }
    }
    return bytes;
}

// `prefix` and then image[begin, end) as the trace should show them.
Stream Expected(char prefix, const Image& image, int32_t begin, int32_t end) {
    Stream bytes{uint8_t(prefix)};
    for (int32_t i = begin; i < end; ++i) {
        bool secret = false;
        for (const kw::ImageRegion& range : kw::SecretImageBytes())
            secret = secret || (i >= range.begin && i < range.begin + range.size);
        bytes.push_back(secret ? kSecret : image[size_t(i)]);
    }
    return bytes;
}

bool Holds(const Stream& stream, const Stream& part) {
    return std::search(stream.begin(), stream.end(), part.begin(), part.end()) != stream.end();
}

// No secret of `image` shows anywhere in the stream.
void ExpectNoSecretOf(const Image& image, const Stream& stream, const char* what) {
    for (const kw::ImageRegion& range : kw::SecretImageBytes()) {
        const Stream secret(image.begin() + range.begin, image.begin() + range.begin + range.size);
        EXPECT_FALSE(Holds(stream, secret)) << what << " shows the secret at " << range.begin;
    }
}

unsigned Mode(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

class Trace : public GatewayRig {
protected:
    // The one trace file the data folder holds.
    std::string OnlyTrace() const {
        std::vector<std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(temp.Path("data/traces")))
            files.push_back(entry.path().string());
        EXPECT_EQ(files.size(), 1u);
        return files.empty() ? std::string() : files[0];
    }
    kw::CLinkTrace::TargetSource InDataFolder() {
        return [this] { return kw::TraceInDataFolder(temp.Path("data"), sim.LinkPath()); };
    }

    TempDir temp;
};

TEST_F(Trace, ReadAndWriteShowEveryCommandAndReplyButNoSecret) {
    CParameters source;
    kw::RegisterCatalogue(source);
    std::mt19937 random(5);
    FillRandom(source, random);
    source.SetValue("PINVal", 0, "73915284");
    source.SetValue("ServisPassw", 0, "40917");
    source.SetValue("FXOFMPassw", 0, "61829374");
    const Image memory = EncodedImage(source);
    StartSim({"--serial", "SN-7"}, memory);
    {
        const kw::CLinkTrace trace(link.Tap(), InDataFolder());
        user.ExpectMessage(Icon::Information, 112);
        ASSERT_EQ(kw::ReadFromGateway(Host()).result, kw::TransferResult::Done);
        kw::ReleaseGateway(link);
    }
    ASSERT_TRUE(sim.WaitForLogLine("A"));
    const std::string path = OnlyTrace();
    EXPECT_EQ(Mode(path), 0600u);
    EXPECT_EQ(Mode(temp.Path("data/traces")), 0700u);
    const std::string text = ReadFileBytes(path);
    const Stream sent = TraceStream(text, ">>");
    const Stream received = TraceStream(text, "<<");

    // Every command the gateway logged went out, in its order.
    auto next = sent.begin();
    for (const std::string& line : sim.LogLines()) {
        next = std::find(next, sent.end(), int(uint8_t(line[0])));
        ASSERT_NE(next, sent.end()) << line << "\n" << text.substr(0, 2000);
        ++next;
    }
    // The replies, the identity and both regions, the secrets in region A hidden.
    EXPECT_TRUE(Holds(received, {'D', 'S', 'N', '-', '7', 0}));
    EXPECT_TRUE(Holds(received, Expected('e', memory, 0, kw::kRegionA.size)));
    EXPECT_TRUE(Holds(received, Expected('E', memory, kw::kRegionB.begin,
                                         kw::kRegionB.begin + kw::kRegionB.size)));
    ExpectNoSecretOf(memory, received, "the read's replies");
    for (const char* event : {"-- open ", "-- close"})
        EXPECT_NE(text.find(event), std::string::npos) << event;

    // A write with a new PIN: the region it sends shows without it.
    parameters.SetValue("PINVal", 0, "24681357");
    pinChanged = true;
    std::filesystem::remove(path);
    {
        const kw::CLinkTrace trace(link.Tap(), InDataFolder());
        user.ExpectMessage(Icon::Information, 114);
        ASSERT_EQ(kw::WriteToGateway(Host()).result, kw::TransferResult::Done);
    }
    const Image written = ReadImageFile(MemoryPath());
    const std::string writeText = ReadFileBytes(OnlyTrace());
    const Stream writeSent = TraceStream(writeText, ">>");
    EXPECT_TRUE(Holds(writeSent, Expected('g', written, 0, kw::kRegionA.size)));
    ExpectNoSecretOf(written, writeSent, "the write");
    ExpectNoSecretOf(written, TraceStream(writeText, "<<"), "the write's read-backs");
    EXPECT_EQ(writeText.find("73915284"), std::string::npos);
}

TEST_F(Trace, AFullDiskEndsTheTraceWithOneWarningAndTheReadGoesOn) {
    StartSim({});
    std::vector<std::string> failures;
    kw::CLinkTrace trace(link.Tap(), InDataFolder());
    trace.SetFailureHandler([&](const std::string& why) { failures.push_back(why); });
    user.ExpectMessage(Icon::Information, 112);
    {
        const FileSizeLimit full(600);
        ASSERT_EQ(kw::ReadFromGateway(Host()).result, kw::TransferResult::Done);
    }
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find(trace.Path()), std::string::npos) << failures[0];
    EXPECT_EQ(parameters.GetValue("HWVer", 0), "A");
    // The next exchange traces again.
    trace.EndFile();
    kw::ReleaseGateway(link);
    trace.EndFile();
    EXPECT_EQ(failures.size(), 1u);
    EXPECT_NE(ReadFileBytes(trace.Path()).find("-- close"), std::string::npos);
}

// The tap's secret ranges follow the reply however it is cut into bursts, and
// a trace line shows a secret only by its length.
TEST(TraceLines, SecretsShowOnlyTheirLengthWhereverTheBurstsBreak) {
    kw::CLinkTap tap;
    std::vector<kw::TLinkTapEvent> heard;
    tap.Add([&](const kw::TLinkTapEvent& event) { heard.push_back(event); });
    tap.HideInNext({{1, 2}}, {{5, 4}});
    tap.Sent(Kind::Raw, "wxyz", 4, 0);
    tap.Sent(Kind::Command, "", 0, 0); // a wait keeps the reply's secrets
    const uint8_t reply[] = "0123456789";
    tap.Received(reply, 3, 0);
    tap.Received(reply + 3, 4, 3);
    tap.Received(reply + 7, 3, 7);
    tap.Sent(Kind::Command, "A", 1, 0); // the next command ends them
    tap.Received(reply, 10, 0);

    struct Case {
        Kind kind;
        std::string line;
    };
    const std::vector<Case> expected = {
        {Kind::Raw, "4 | 77 [secret 2 bytes] 7A | w[secret 2 bytes]z"},
        {Kind::Command, "0 |  | "},
        {Kind::Received, "3 | 30 31 32 | 012"},
        {Kind::Received, "4 | 33 34 [secret 2 bytes] | 34[secret 2 bytes]"},
        {Kind::Received, "3 | [secret 2 bytes] 39 | [secret 2 bytes]9"},
        {Kind::Command, "1 | 41 | A"},
        {Kind::Received, "10 | 30 31 32 33 34 35 36 37 38 39 | 0123456789"},
    };
    ASSERT_EQ(heard.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(heard[i].kind, expected[i].kind) << i;
        EXPECT_EQ(kw::TraceBurstText(heard[i].bytes, heard[i].secret), expected[i].line) << i;
    }
    EXPECT_EQ(kw::TraceBurstText(std::string("\r\n\0~", 4), {kw::kAllBytes}),
              "4 | [secret 4 bytes] | [secret 4 bytes]");
    EXPECT_EQ(kw::TraceBurstText(std::string("\r\n\0~", 4), {}), "4 | 0D 0A 00 7E | ...~");
}

} // namespace
