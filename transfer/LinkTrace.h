// A link trace for support: what the link's tap hears, one line per burst,
// written as it happens so a crash loses nothing. Each line has the time to the
// millisecond and the direction (">>" sent, "<<" received, "--" an event); a
// burst has its byte count, its bytes in hex and as text. A secret shows only
// its length. Consecutive raw writes make one burst. Files are owner-only. A
// file that cannot be written (a full disk) ends that trace, told once; the
// exchange goes on.
#pragma once

#include "LinkTap.h"

#include <chrono>
#include <functional>
#include <string>

namespace kw {

// Where the next trace goes: a path, or why there is none. Both empty: no
// trace is wanted now.
struct TTraceTarget {
    std::string path;
    std::string error;
};

class CLinkTrace {
public:
    using TargetSource = std::function<TTraceTarget()>;

    // Listens to `tap` for as long as it lives. A file starts at the first
    // event heard while `source` names one.
    CLinkTrace(CLinkTap& tap, TargetSource source);
    ~CLinkTrace();
    CLinkTrace(const CLinkTrace&) = delete;
    CLinkTrace& operator=(const CLinkTrace&) = delete;

    // The current file ends; the next event asks the source again.
    void EndFile();
    // Told once per file that failed, with the path and why.
    void SetFailureHandler(std::function<void(const std::string& why)> handler) {
        m_FailureHandler = std::move(handler);
    }
    // The file written now or last; empty before any.
    const std::string& Path() const { return m_Path; }

private:
    void Hear(const TLinkTapEvent& event);
    bool Ready();
    void FlushRaw();
    void WriteBurst(std::chrono::system_clock::time_point when, const char* direction,
                    const std::string& bytes, const std::vector<TByteRange>& secret);
    void WriteLine(std::chrono::system_clock::time_point when, const std::string& text);
    void Fail(const std::string& why);

    TargetSource m_Source;
    std::function<void(const std::string&)> m_FailureHandler;
    int m_File = -1;
    bool m_Failed = false; // this file failed: nothing more until EndFile
    std::string m_Path;
    // Raw writes not yet written: they join until something else happens.
    std::string m_Raw;
    std::vector<TByteRange> m_RawSecret;
    std::chrono::system_clock::time_point m_RawSince;
    CTapListener m_Listener; // last: it goes first, before what it writes to
};

// <data folder>/traces/<YYYY-MM-DD_HH-MM-SS>-<port>.log, the folder made
// owner-only; a port name is reduced to letters, digits, '-' and '_'.
TTraceTarget TraceInDataFolder(const std::string& dataFolder, const std::string& port);

// One trace line's text for a burst: "<count> | <hex> | <text>", a secret range
// shown as "[secret N bytes]" in both.
std::string TraceBurstText(const std::string& bytes, const std::vector<TByteRange>& secret);

} // namespace kw
