// The user port of the command line: messages on stderr in English from the
// language files, answers to questions from the command's flags, the progress
// window as a line on stderr when that is a terminal, Cancel pressed by code.
#pragma once

#include "CancellableUserPort.h"

#include <set>
#include <string>

class CLanguage;

namespace kw::cli {

class CCliUserPort : public CCancellableUserPort {
public:
    // `language` may be null or hold no loaded language: messages then name
    // their word numbers. `yes` answers the questions a flag may answer.
    CCliUserPort(const CLanguage* language, bool yes);

    // Whether language word `word` was shown or asked.
    bool Said(int word) const { return m_Said.count(word) != 0; }

    void ShowMessage(Icon icon, int word, const std::string& format,
                     const std::vector<std::string>& details) override;
    bool AskYesNo(Icon icon, int word, const std::string& format,
                  const std::vector<std::string>& details) override;
    void ShowProgress(const std::string& text, bool withBar) override;
    void ShowProgressWord(int word, bool withBar) override;
    void SetProgressText(const std::string& text) override;
    void SetProgressRange(int min, int max) override;
    void SetProgressPosition(int position) override;
    void SetProgressCancelVisible(bool visible) override { m_CancelVisible = visible; }
    void CancelProgress() override;
    void HideProgress() override;
    std::string Word(int word) const override;
    int PickEntry(const std::vector<std::string>& entries) override;
    bool ConfirmVersionChange(const std::string& current, const std::string& next) override;

private:
    std::string Compose(int word, const std::string& format,
                        const std::vector<std::string>& details) const;
    void DrawProgress();
    // Ends a progress line drawn in place, so the next output starts afresh.
    void EndProgressLine();

    const CLanguage* m_Language;
    bool m_Yes;
    bool m_DrawsProgress; // stderr is a terminal
    std::set<int> m_Said;
    bool m_ProgressShown = false;
    bool m_ProgressDrawn = false;
    std::string m_ProgressText;
    int m_Min = 0;
    int m_Max = 0;
    int m_Position = 0;
    bool m_CancelVisible = true;
};

} // namespace kw::cli
