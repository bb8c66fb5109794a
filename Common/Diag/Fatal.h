// Programming-error checks and fatal reports for code that may not use Qt.
// The program installs a hook (a message box in the GUI, stderr in the CLI);
// without one, reports go to stderr.
#pragma once

#include <string>

namespace kw {

using FatalHook = void (*)(const std::string& caption, const std::string& text);

// Installs the hook that shows fatal reports; returns the previous one.
FatalHook SetFatalHook(FatalHook hook);

// Shows the report through the hook, then ends the program with a non-zero code.
[[noreturn]] void FatalError(const std::string& caption, const std::string& text);

[[noreturn]] void AssertionFailed(const char* condition, const char* file, int line);

// Exit code of a fatal report: a programming error, never a normal end.
inline constexpr int kFatalExitCode = 70;

} // namespace kw

// Stays on in release builds: a broken invariant must never run on silently.
#define KW_ASSERT(cond)                                                                            \
    do {                                                                                           \
        if (!(cond))                                                                               \
            ::kw::AssertionFailed(#cond, __FILE__, __LINE__);                                      \
    } while (0)

// As KW_ASSERT, naming the condition with the text given (messages keep their
// exact wording whatever the formatting of the code).
#define KW_ASSERT_TEXT(cond, text)                                                                 \
    do {                                                                                           \
        if (!(cond))                                                                               \
            ::kw::AssertionFailed(text, __FILE__, __LINE__);                                       \
    } while (0)
