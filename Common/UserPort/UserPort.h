// How transfers, attach, upgrade, wake-up, dial-up, monitor and the file
// commands talk to the user. The GUI answers with dialogs, the command line
// with terminal output and flags, tests with a scripted double that states
// every message it expects. No code behind this interface opens a dialog itself.
#pragma once

#include <functional>
#include <string>
#include <vector>

class CUserPort {
public:
    enum class Icon { Error, Information, Warning, Question };

    virtual ~CUserPort() = default;

    // A message box with caption word 0. Its text is the text of language word
    // `word`. With an empty `format`, that text is itself the format and the
    // details fill its %s/%i in order; otherwise `format` is filled with the
    // word's text first and then the details ("%s\n'%s'" with a file name).
    virtual void ShowMessage(Icon icon, int word, const std::string& format = {},
                             const std::vector<std::string>& details = {}) = 0;
    // The same text with Yes and No buttons; true for Yes.
    virtual bool AskYesNo(Icon icon, int word, const std::string& format = {},
                          const std::vector<std::string>& details = {}) = 0;

    // The shared progress window, shown without being modal. Showing it clears
    // its cancelled flag and makes its Cancel button visible again.
    virtual void ShowProgress(const std::string& text, bool withBar) = 0;
    virtual void ShowProgressWord(int word, bool withBar) = 0;
    virtual void SetProgressText(const std::string& text) = 0;
    virtual void SetProgressRange(int min, int max) = 0;
    virtual void SetProgressPosition(int position) = 0;
    virtual void SetProgressCancelVisible(bool visible) = 0;
    virtual void HideProgress() = 0;
    // True once the window's Cancel was pressed since it was last shown.
    virtual bool ProgressCancelled() const = 0;
    // Called when Cancel is pressed: the link owner sets its latches here.
    virtual void SetCancelHandler(std::function<void()> handler) = 0;
    // As a press of Cancel, for a window that is closing or a time limit that
    // ran out; does nothing while the Cancel button is hidden.
    virtual void CancelProgress() = 0;

    // The text of a language word, for labels the caller composes itself.
    virtual std::string Word(int word) const = 0;

    // Picks one of several entries (firmware files); -1 when the user declines.
    virtual int PickEntry(const std::vector<std::string>& entries) = 0;
    // Shows the current and the new firmware version; true to go on.
    virtual bool ConfirmVersionChange(const std::string& current, const std::string& next) = 0;
};
