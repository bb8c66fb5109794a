// Answers the next modal window a test's code opens, from inside its event loop.
#pragma once

#include <functional>

class QWidget;

namespace kw::test {

// Once the next modal window is up, hands it to `answer`; gives up (with a test
// failure) after a bounded number of event-loop turns.
void AnswerNextModal(std::function<void(QWidget*)> answer, int triesLeft = 200);

} // namespace kw::test
