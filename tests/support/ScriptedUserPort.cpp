#include "ScriptedUserPort.h"

#include <gtest/gtest.h>

namespace kw::test {
namespace {

const char* IconName(CUserPort::Icon icon) {
    switch (icon) {
    case CUserPort::Icon::Error:
        return "error";
    case CUserPort::Icon::Information:
        return "information";
    case CUserPort::Icon::Warning:
        return "warning";
    case CUserPort::Icon::Question:
        return "question";
    }
    return "?";
}

std::string Describe(bool question, CUserPort::Icon icon, int word,
                     const std::vector<std::string>& details) {
    std::string text = std::string(question ? "question " : "message ") + IconName(icon) +
                       " word " + std::to_string(word);
    for (const auto& detail : details)
        text += " [" + detail + "]";
    return text;
}

} // namespace

ScriptedUserPort::~ScriptedUserPort() {
    for (const Expected& e : m_Expected)
        ADD_FAILURE() << "expected but never shown: "
                      << Describe(e.question, e.icon, e.word, e.details);
}

ScriptedUserPort& ScriptedUserPort::ExpectMessage(Icon icon, int word) {
    m_Expected.push_back({false, icon, word, {}, false, false});
    return *this;
}

ScriptedUserPort& ScriptedUserPort::ExpectMessage(Icon icon, int word,
                                                  std::vector<std::string> details) {
    m_Expected.push_back({false, icon, word, std::move(details), true, false});
    return *this;
}

ScriptedUserPort& ScriptedUserPort::ExpectQuestion(Icon icon, int word, bool answer) {
    m_Expected.push_back({true, icon, word, {}, false, answer});
    return *this;
}

ScriptedUserPort& ScriptedUserPort::ExpectQuestion(Icon icon, int word,
                                                   std::vector<std::string> details, bool answer) {
    m_Expected.push_back({true, icon, word, std::move(details), true, answer});
    return *this;
}

bool ScriptedUserPort::Take(bool question, Icon icon, int word,
                            const std::vector<std::string>& details) {
    const std::string shown = Describe(question, icon, word, details);
    if (m_Expected.empty()) {
        ADD_FAILURE() << "unexpected " << shown;
        return false;
    }
    const Expected e = m_Expected.front();
    m_Expected.pop_front();
    const bool matches = e.question == question && e.icon == icon && e.word == word &&
                         (!e.checkDetails || e.details == details);
    if (!matches) {
        ADD_FAILURE() << "expected " << Describe(e.question, e.icon, e.word, e.details)
                      << "\n    but got " << shown;
        return false;
    }
    return e.answer;
}

void ScriptedUserPort::ShowMessage(Icon icon, int word, const std::string&,
                                   const std::vector<std::string>& details) {
    Take(false, icon, word, details);
}

bool ScriptedUserPort::AskYesNo(Icon icon, int word, const std::string&,
                                const std::vector<std::string>& details) {
    return Take(true, icon, word, details);
}

void ScriptedUserPort::ShowProgress(const std::string& text, bool withBar) {
    progressLog.push_back("show " + text + (withBar ? " bar" : ""));
    progressVisible = true;
    cancelVisible = true;
    progressPosition = 0;
    ClearCancelled();
}

void ScriptedUserPort::ShowProgressWord(int word, bool withBar) {
    ShowProgress(std::to_string(word), withBar);
}

void ScriptedUserPort::SetProgressText(const std::string& text) {
    progressLog.push_back("text " + text);
}

void ScriptedUserPort::SetProgressRange(int min, int max) {
    progressLog.push_back("range " + std::to_string(min) + " " + std::to_string(max));
}

void ScriptedUserPort::SetProgressPosition(int position) {
    progressPosition = position;
    progressLog.push_back("pos " + std::to_string(position));
}

void ScriptedUserPort::SetProgressCancelVisible(bool visible) {
    cancelVisible = visible;
    progressLog.push_back(visible ? "cancel shown" : "cancel hidden");
}

void ScriptedUserPort::HideProgress() {
    if (progressVisible)
        progressLog.push_back("hide");
    progressVisible = false;
}

void ScriptedUserPort::CancelProgress() {
    if (progressVisible && cancelVisible)
        PressCancel();
}

std::string ScriptedUserPort::Word(int word) const {
    return 'W' + std::to_string(word);
}

int ScriptedUserPort::PickEntry(const std::vector<std::string>& entries) {
    pickedFrom = entries;
    return m_PickAnswer;
}

bool ScriptedUserPort::ConfirmVersionChange(const std::string& current, const std::string& next) {
    versionsShown = {current, next};
    return m_VersionAnswer;
}

} // namespace kw::test
