#include "ModalAnswer.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

namespace kw::test {

void AnswerNextModal(std::function<void(QWidget*)> answer, int triesLeft) {
    QTimer::singleShot(5, [answer = std::move(answer), triesLeft]() mutable {
        if (QWidget* modal = QApplication::activeModalWidget())
            answer(modal);
        else if (triesLeft > 0)
            AnswerNextModal(std::move(answer), triesLeft - 1);
        else
            ADD_FAILURE() << "no modal window appeared";
    });
}

} // namespace kw::test
