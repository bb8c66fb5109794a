// What a link failure means to the user: one table from the exception's code
// to the language word the window shows, the code's name that word quotes and
// a one-line reason in English for the command line, and the event a link
// trace records.
#pragma once

#include "COMTermExp.h"

#include <string>

class CUserPort;

namespace kw {

struct TLinkErrorText {
    int word;           // the message; 0 shows nothing (Cancel)
    const char* name;   // quoted by the message; null: the error's advice instead
    const char* reason; // for the command line's final report
    const char* event;  // for a link trace
};

// The row of `code`; a code the link never raises gets the general one.
const TLinkErrorText& LinkErrorText(int8_t code);

// The command line's reason: the row's, or "link error N" for an unknown code.
std::string LinkErrorReason(int8_t code);

// The trace's event: the row's, or "link error N" for an unknown code.
std::string LinkFailureEvent(int8_t code);

// Tells the user about a link failure caught by a command handler.
void ShowLinkError(const CCOMTermExp& e, CUserPort& user);

} // namespace kw
