// kolbrawin: the configuration and service tool with its main window.
#include "AppLog.h"
#include "Fatal.h"
#include "Language.h"
#include "MainWindow.h"

#include <QApplication>
#include <QMessageBox>
#include <QSocketNotifier>

#include <csignal>
#include <exception>
#include <unistd.h>

namespace {

// Fatal reports of the model code: a message box over whatever is on screen.
void ShowFatal(const std::string& caption, const std::string& text) {
    qCCritical(kw::AppLog, "%s: %s", caption.c_str(), text.c_str());
    if (QApplication::instance() != nullptr)
        QMessageBox::critical(QApplication::activeWindow(), QString::fromStdString(caption),
                              QString::fromStdString(text));
}

// An exception that escapes an event handler is shown and the program goes on,
// rather than ending with the user's unsaved configuration.
class CApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            ShowFatalBox(e.what());
        } catch (...) {
            ShowFatalBox("unknown exception");
        }
        return false;
    }

private:
    static void ShowFatalBox(const char* what) {
        qCCritical(kw::AppLog, "%s", what);
        QMessageBox::critical(QApplication::activeWindow(), "KolbraWin", QString::fromUtf8(what));
    }
};

// Ctrl+C and a plain kill close the window as its close button would, so the
// settings are written; the signal only writes a byte the event loop reads.
int g_SignalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_SignalPipe[1], &byte, 1);
}

void CloseOnSignals(QWidget& window) {
    if (::pipe(g_SignalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_SignalPipe[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(g_SignalPipe[0], &byte, 1);
        window.close();
    });
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
}

} // namespace

int main(int argc, char* argv[]) {
    CApplication app(argc, argv);
    QApplication::setApplicationName("KolbraWin");
    kw::SetFatalHook(&ShowFatal);
    TFMain window(kw::Language());
    CloseOnSignals(window);
    window.show();
    return QApplication::exec();
}
