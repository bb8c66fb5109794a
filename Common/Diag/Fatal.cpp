#include "Fatal.h"

#include <cstdio>
#include <cstdlib>

namespace kw {
namespace {

void PrintToStderr(const std::string& caption, const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
}

FatalHook g_hook = &PrintToStderr;

} // namespace

FatalHook SetFatalHook(FatalHook hook) {
    FatalHook previous = g_hook;
    g_hook = hook ? hook : &PrintToStderr;
    return previous;
}

void FatalError(const std::string& caption, const std::string& text) {
    g_hook(caption, text);
    std::exit(kFatalExitCode);
}

void AssertionFailed(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "Assertion failed: %s (%s:%d)\n", condition, file, line);
    std::fflush(stderr);
    std::abort();
}

} // namespace kw
