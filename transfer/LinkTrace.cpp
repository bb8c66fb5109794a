#include "LinkTrace.h"

#include "PrivateFolder.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kw {
namespace {

using Clock = std::chrono::system_clock;

// A raw burst longer than this is written and a new one begun.
constexpr size_t kMaxRawBurst = 4096;

std::string SecretText(int32_t size) {
    return "[secret " + std::to_string(size) + " bytes]";
}

std::string ClockText(Clock::time_point when) {
    const std::time_t seconds = Clock::to_time_t(when);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch()).count() %
        1000;
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min,
                  local.tm_sec, int(ms));
    return text;
}

std::string PlainPortName(const std::string& port) {
    std::string name;
    for (const char c : port)
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            c == '-' || c == '_')
            name += c;
    return name.empty() ? "link" : name.substr(0, 40);
}

} // namespace

std::string TraceBurstText(const std::string& bytes, const std::vector<TByteRange>& secret) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string hex;
    std::string text;
    hex.reserve(bytes.size() * 3);
    text.reserve(bytes.size());
    size_t i = 0;
    while (i < bytes.size()) {
        const TByteRange* hidden = nullptr;
        for (const TByteRange& range : secret)
            if (range.begin == int64_t(i) && range.size > 0)
                hidden = &range;
        if (!hex.empty())
            hex += ' ';
        if (hidden != nullptr) {
            const size_t size = std::min<size_t>(size_t(hidden->size), bytes.size() - i);
            hex += SecretText(int32_t(size));
            text += SecretText(int32_t(size));
            i += size;
            continue;
        }
        const auto byte = static_cast<uint8_t>(bytes[i++]);
        hex += kHex[byte >> 4];
        hex += kHex[byte & 15];
        text += byte >= 0x20 && byte < 0x7F ? char(byte) : '.';
    }
    return std::to_string(bytes.size()) + " | " + hex + " | " + text;
}

TTraceTarget TraceInDataFolder(const std::string& dataFolder, const std::string& port) {
    const std::filesystem::path folder = std::filesystem::path(dataFolder) / "traces";
    TTraceTarget target;
    if (!OwnerOnlyFolder(folder, target.error))
        return target;
    const std::string stem =
        (folder / (FileTimeText(std::time(nullptr)) + "-" + PlainPortName(port))).string();
    // A second exchange within the same second gets a number.
    target.path = stem + ".log";
    for (int n = 2; std::filesystem::exists(std::filesystem::symlink_status(target.path)); ++n)
        target.path = stem + "_" + std::to_string(n) + ".log";
    return target;
}

CLinkTrace::CLinkTrace(CLinkTap& tap, TargetSource source)
    : m_Source(std::move(source)),
      m_Listener(tap, [this](const TLinkTapEvent& event) { Hear(event); }) {}

CLinkTrace::~CLinkTrace() {
    EndFile();
}

void CLinkTrace::EndFile() {
    FlushRaw();
    if (m_File >= 0)
        ::close(m_File);
    m_File = -1;
    m_Failed = false;
}

bool CLinkTrace::Ready() {
    if (m_File >= 0)
        return true;
    if (m_Failed)
        return false;
    const TTraceTarget target = m_Source();
    if (target.path.empty()) {
        if (!target.error.empty())
            Fail(target.error);
        return false;
    }
    m_Path = target.path;
    m_File = ::open(m_Path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (m_File < 0) {
        Fail(m_Path + ": " + std::strerror(errno));
        return false;
    }
    ::fchmod(m_File, 0600); // a file that was there keeps no wider rights
    char started[32];
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(started, sizeof started, "%Y-%m-%d %H:%M:%S", &local);
    const std::string header = std::string("# link trace started ") + started + "\n";
    if (::write(m_File, header.data(), header.size()) != ssize_t(header.size()))
        Fail(m_Path + ": " + std::strerror(errno));
    return m_File >= 0;
}

void CLinkTrace::Hear(const TLinkTapEvent& event) {
    if (m_File < 0 && m_Failed)
        return;
    const Clock::time_point now = Clock::now();
    if (event.kind == TLinkTapEvent::Kind::Raw) {
        if (m_Raw.size() + event.bytes.size() > kMaxRawBurst)
            FlushRaw();
        if (m_Raw.empty())
            m_RawSince = now;
        for (const TByteRange& range : event.secret)
            m_RawSecret.push_back({range.begin + int32_t(m_Raw.size()), range.size});
        m_Raw += event.bytes;
        return;
    }
    FlushRaw();
    switch (event.kind) {
    case TLinkTapEvent::Kind::Command:
        if (event.bytes.empty())
            WriteLine(now, "-- wait " + std::to_string(event.timeOut) + " ms");
        else
            WriteBurst(now, ">>", event.bytes, event.secret);
        return;
    case TLinkTapEvent::Kind::Received:
        WriteBurst(now, "<<", event.bytes, event.secret);
        return;
    case TLinkTapEvent::Kind::Event:
        WriteLine(now, "-- " + event.bytes);
        return;
    case TLinkTapEvent::Kind::Raw:
        return;
    }
}

void CLinkTrace::FlushRaw() {
    if (m_Raw.empty())
        return;
    WriteBurst(m_RawSince, ">>", m_Raw, m_RawSecret);
    m_Raw.clear();
    m_RawSecret.clear();
}

void CLinkTrace::WriteBurst(Clock::time_point when, const char* direction, const std::string& bytes,
                            const std::vector<TByteRange>& secret) {
    WriteLine(when, std::string(direction) + " " + TraceBurstText(bytes, secret));
}

void CLinkTrace::WriteLine(Clock::time_point when, const std::string& text) {
    if (!Ready())
        return;
    const std::string line = ClockText(when) + " " + text + "\n";
    size_t done = 0;
    while (done < line.size()) {
        const ssize_t n = ::write(m_File, line.data() + done, line.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            Fail(m_Path + ": " + (n < 0 ? std::strerror(errno) : "nothing could be written"));
            return;
        }
        done += size_t(n);
    }
}

void CLinkTrace::Fail(const std::string& why) {
    if (m_File >= 0)
        ::close(m_File);
    m_File = -1;
    m_Failed = true;
    if (m_FailureHandler)
        m_FailureHandler(why);
}

} // namespace kw
