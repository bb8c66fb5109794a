// A user port for tests: each message the code under test may show is stated
// beforehand with the answer to give; anything unexpected fails the test.
// Progress calls are recorded for inspection, and Cancel can be pressed.
#pragma once

#include "CancellableUserPort.h"

#include <deque>
#include <string>
#include <vector>

namespace kw::test {

class ScriptedUserPort : public CCancellableUserPort {
public:
    struct Expected {
        bool question; // AskYesNo rather than ShowMessage
        Icon icon;
        int word;
        std::vector<std::string> details; // compared only when checkDetails
        bool checkDetails;
        bool answer;
    };

    ~ScriptedUserPort() override; // fails the test if expected messages never came

    // Expect ShowMessage(icon, word, ...); details are checked when given.
    ScriptedUserPort& ExpectMessage(Icon icon, int word);
    ScriptedUserPort& ExpectMessage(Icon icon, int word, std::vector<std::string> details);
    // Expect AskYesNo(icon, word, ...) and answer it.
    ScriptedUserPort& ExpectQuestion(Icon icon, int word, bool answer);
    ScriptedUserPort& ExpectQuestion(Icon icon, int word, std::vector<std::string> details,
                                     bool answer);
    // Answers for the choice and version dialogs.
    void SetPickAnswer(int index) { m_PickAnswer = index; }
    void SetVersionAnswer(bool yes) { m_VersionAnswer = yes; }

    bool AllMessagesShown() const { return m_Expected.empty(); }

    void ShowMessage(Icon icon, int word, const std::string& format,
                     const std::vector<std::string>& details) override;
    bool AskYesNo(Icon icon, int word, const std::string& format,
                  const std::vector<std::string>& details) override;
    void ShowProgress(const std::string& text, bool withBar) override;
    void ShowProgressWord(int word, bool withBar) override;
    void SetProgressText(const std::string& text) override;
    void SetProgressRange(int min, int max) override;
    void SetProgressPosition(int position) override;
    void SetProgressCancelVisible(bool visible) override;
    void HideProgress() override;
    void CancelProgress() override;
    std::string Word(int word) const override;
    int PickEntry(const std::vector<std::string>& entries) override;
    bool ConfirmVersionChange(const std::string& current, const std::string& next) override;

    // What the progress window went through, one line per call ("show 104 bar",
    // "text ...", "range 0 10", "pos 3", "cancel hidden", "hide").
    std::vector<std::string> progressLog;
    bool progressVisible = false;
    bool cancelVisible = false;
    int progressPosition = 0;
    std::vector<std::string> pickedFrom;
    std::vector<std::string> versionsShown;

private:
    bool Take(bool question, Icon icon, int word, const std::vector<std::string>& details);

    std::deque<Expected> m_Expected;
    int m_PickAnswer = -1;
    bool m_VersionAnswer = false;
};

} // namespace kw::test
