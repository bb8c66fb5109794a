// A user port for fuzz targets: records every message by its word, answers
// every question the same way, and presses Cancel when told to.
#pragma once

#include "UserPort.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace kw::fuzz {

class CRecordingUserPort : public CUserPort {
public:
    // `answer` answers every question; `impatient` presses Cancel whenever the
    // window offers it again after hiding it, as the quickest user would.
    CRecordingUserPort(bool answer, bool impatient) : m_Answer(answer), m_Impatient(impatient) {}

    // Words shown or asked, in order.
    const std::vector<int>& Said() const { return m_Said; }
    bool Said(int word) const { return std::count(m_Said.begin(), m_Said.end(), word) > 0; }
    int Times(int word) const {
        return static_cast<int>(std::count(m_Said.begin(), m_Said.end(), word));
    }
    void PressCancel() {
        m_Cancelled = true;
        if (m_CancelHandler)
            m_CancelHandler();
    }

    void ShowMessage(Icon, int word, const std::string&, const std::vector<std::string>&) override {
        m_Said.push_back(word);
    }
    bool AskYesNo(Icon, int word, const std::string&, const std::vector<std::string>&) override {
        m_Said.push_back(word);
        return m_Answer;
    }
    void ShowProgress(const std::string&, bool) override {
        m_Cancelled = false;
        m_CancelVisible = true;
    }
    void ShowProgressWord(int, bool withBar) override { ShowProgress({}, withBar); }
    void SetProgressText(const std::string&) override {}
    void SetProgressRange(int, int) override {}
    void SetProgressPosition(int) override {}
    void SetProgressCancelVisible(bool visible) override {
        const bool offeredAgain = visible && !m_CancelVisible;
        m_CancelVisible = visible;
        if (offeredAgain && m_Impatient)
            PressCancel();
    }
    void HideProgress() override {}
    bool ProgressCancelled() const override { return m_Cancelled; }
    void SetCancelHandler(std::function<void()> handler) override {
        m_CancelHandler = std::move(handler);
    }
    void CancelProgress() override {
        if (m_CancelVisible)
            PressCancel();
    }
    std::string Word(int word) const override { return "W" + std::to_string(word); }
    int PickEntry(const std::vector<std::string>& entries) override {
        return entries.empty() ? -1 : 0;
    }
    bool ConfirmVersionChange(const std::string&, const std::string&) override { return m_Answer; }

private:
    bool m_Answer;
    bool m_Impatient;
    std::vector<int> m_Said;
    std::function<void()> m_CancelHandler;
    bool m_Cancelled = false;
    bool m_CancelVisible = true;
};

} // namespace kw::fuzz
