#include "HintPause.h"

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

namespace kw {
namespace {

class CHintPause : public QObject {
public:
    explicit CHintPause(QObject* parent) : QObject(parent) { setObjectName("kwHintPause"); }
    int m_Pause = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        // A widget with a duration of its own, or without a hint, is left to the toolkit.
        if (widget->toolTip().isEmpty() || widget->toolTipDuration() > 0)
            return false;
        const auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos(), widget->toolTip(), widget, QRect(), m_Pause);
        return true;
    }
};

} // namespace

void InstallHintPause(int milliseconds) {
    auto* app = QCoreApplication::instance();
    if (app == nullptr)
        return;
    auto* pause = app->findChild<QObject*>("kwHintPause", Qt::FindDirectChildrenOnly);
    if (pause == nullptr) {
        pause = new CHintPause(app);
        app->installEventFilter(pause);
    }
    static_cast<CHintPause*>(pause)->m_Pause = milliseconds;
}

} // namespace kw
