#include "CliUserPort.h"

#include "FirmwareInfo.h"
#include "FormatText.h"
#include "Language.h"
#include "Words.h"

#include <cstdio>
#include <unistd.h>

namespace kw::cli {

CCliUserPort::CCliUserPort(const CLanguage* language, bool yes)
    : m_Language(language), m_Yes(yes), m_DrawsProgress(::isatty(STDERR_FILENO) != 0) {}

std::string CCliUserPort::Word(int word) const {
    if (m_Language != nullptr && m_Language->LoadedLang() >= 0)
        return m_Language->GetText(word);
    return "word " + std::to_string(word);
}

std::string CCliUserPort::Compose(int word, const std::string& format,
                                  const std::vector<std::string>& details) const {
    const bool loaded = m_Language != nullptr && m_Language->LoadedLang() >= 0;
    if (!loaded) {
        std::string text = Word(word);
        for (const std::string& detail : details)
            text += " (" + detail + ")";
        return text;
    }
    if (format.empty())
        return FormatText(Word(word), details);
    std::vector<std::string> args{Word(word)};
    args.insert(args.end(), details.begin(), details.end());
    return FormatText(format, args);
}

void CCliUserPort::ShowMessage(Icon, int word, const std::string& format,
                               const std::vector<std::string>& details) {
    m_Said.insert(word);
    EndProgressLine();
    std::fprintf(stderr, "kolbrawin-cli: %s\n", Compose(word, format, details).c_str());
}

bool CCliUserPort::AskYesNo(Icon icon, int word, const std::string& format,
                            const std::vector<std::string>& details) {
    // The command line never upgrades unasked: the firmware question is always answered No.
    const bool answer = word != word::kFirmwareInvalidUpgradeNow && m_Yes;
    ShowMessage(icon, word, format, details);
    std::fprintf(stderr, "kolbrawin-cli: answered %s\n", answer ? "Yes" : "No");
    return answer;
}

void CCliUserPort::ShowProgress(const std::string& text, bool) {
    ClearCancelled();
    m_CancelVisible = true;
    m_ProgressShown = true;
    m_ProgressText = text;
    m_Min = m_Max = m_Position = 0;
    DrawProgress();
}

void CCliUserPort::ShowProgressWord(int word, bool withBar) {
    ShowProgress(Word(word), withBar);
}

void CCliUserPort::SetProgressText(const std::string& text) {
    m_ProgressText = text;
    DrawProgress();
}

void CCliUserPort::SetProgressRange(int min, int max) {
    m_Min = min;
    m_Max = max;
    DrawProgress();
}

void CCliUserPort::SetProgressPosition(int position) {
    m_Position = position;
    DrawProgress();
}

void CCliUserPort::EndProgressLine() {
    if (m_ProgressDrawn) {
        std::fputc('\n', stderr);
        m_ProgressDrawn = false;
    }
}

void CCliUserPort::HideProgress() {
    EndProgressLine();
    m_ProgressShown = false;
}

void CCliUserPort::DrawProgress() {
    if (!m_DrawsProgress || !m_ProgressShown)
        return;
    std::string line = m_ProgressText;
    if (m_Max > m_Min) {
        const int percent = (m_Position - m_Min) * 100 / (m_Max - m_Min);
        line += ' ' + std::to_string(percent) + " %";
    }
    // \r and clearing the line redraw it in place.
    std::fprintf(stderr, "\r\033[K%s", line.c_str());
    std::fflush(stderr);
    m_ProgressDrawn = true;
}

void CCliUserPort::CancelProgress() {
    if (m_CancelVisible)
        PressCancel();
}

int CCliUserPort::PickEntry(const std::vector<std::string>& entries) {
    // The command that needs a choice takes it as an option; say what there was.
    EndProgressLine();
    for (const std::string& entry : entries)
        std::fprintf(stderr, "kolbrawin-cli: found %s\n", kw::PrintableText(entry).c_str());
    return -1;
}

bool CCliUserPort::ConfirmVersionChange(const std::string& current, const std::string& next) {
    EndProgressLine();
    std::fprintf(stderr, "kolbrawin-cli: gateway firmware %s, new firmware %s: %s\n",
                 kw::PrintableText(current).c_str(), kw::PrintableText(next).c_str(),
                 m_Yes ? "upgrading" : "not upgrading without --yes");
    return m_Yes;
}

} // namespace kw::cli
