// The part of the progress window every user port keeps alike: the Cancel
// latch and the handler a press of Cancel tells (the link owner's latches).
#pragma once

#include "UserPort.h"

class CCancellableUserPort : public CUserPort {
public:
    bool ProgressCancelled() const final { return m_Cancelled; }
    void SetCancelHandler(std::function<void()> handler) final {
        m_CancelHandler = std::move(handler);
    }
    // A press of the progress window's Cancel: latched until the next window
    // opens, and told to the handler.
    void PressCancel() {
        m_Cancelled = true;
        if (m_CancelHandler)
            m_CancelHandler();
    }

protected:
    // A progress window opened: its Cancel has not been pressed yet.
    void ClearCancelled() { m_Cancelled = false; }

private:
    std::function<void()> m_CancelHandler;
    bool m_Cancelled = false;
};
