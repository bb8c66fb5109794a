// A dialling window for tests: it notes what it is told ("show", the lines as
// "269 '123'", "close", "wait") and plays the user, who closes it when a line
// of a chosen word appears or when the dial-up waits for it.
#pragma once

#include "DiallingWindow.h"

#include <functional>
#include <string>
#include <vector>

namespace kw::test {

class ScriptedDiallingWindow : public CDiallingWindow {
public:
    void Show() override {
        log.push_back("show");
        m_Visible = true;
    }
    void AddLine(int word, const std::string& quoted) override {
        log.push_back(std::to_string(word) + (quoted.empty() ? "" : " '" + quoted + "'"));
        if (word == closeOnWord)
            m_Visible = false;
        if (onLine)
            onLine(word);
    }
    bool Visible() const override { return m_Visible; }
    void Close() override {
        log.push_back("close");
        m_Visible = false;
    }
    void WaitUntilClosed() override {
        log.push_back("wait");
        m_Visible = false;
    }

    // The lines only, without show, close and wait.
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (const std::string& entry : log)
            if (entry != "show" && entry != "close" && entry != "wait")
                lines.push_back(entry);
        return lines;
    }

    std::vector<std::string> log;
    int closeOnWord = -1;            // the user closes the window when this word shows
    std::function<void(int)> onLine; // told each line's word

private:
    bool m_Visible = false;
};

} // namespace kw::test
