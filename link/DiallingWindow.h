// The window that shows how a modem call is set up or torn down: a list of
// lines and a button that closes it. The dial-up talks to it only through this
// interface; the program shows a dialog, the command line prints the lines.
#pragma once

#include <string>

namespace kw {

class CDiallingWindow {
public:
    virtual ~CDiallingWindow() = default;

    // Shows the window with its list emptied (caption word 273, button word 2).
    // Other windows take no input while it is shown.
    virtual void Show() = 0;
    // Adds the text of language word `word`, followed by " '<quoted>'" when
    // `quoted` is not empty.
    virtual void AddLine(int word, const std::string& quoted = {}) = 0;
    // False once the user or the program has closed the window.
    virtual bool Visible() const = 0;
    // The program closes it (the call is up).
    virtual void Close() = 0;
    // Leaves the lines to be read: returns once the user has closed the window.
    // Where nobody can close it (the command line) it returns at once.
    virtual void WaitUntilClosed() = 0;
};

// The text of a line: the word's text and the quoted detail, "%s '%s'".
std::string DiallingLineText(const std::string& wordText, const std::string& quoted);

} // namespace kw
