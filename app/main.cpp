// kolbrawin: the configuration and service tool with its main window.
#include "AppLog.h"
#include "Fatal.h"
#include "Language.h"
#include "MainWindow.h"
#include "ProgramFolder.h"
#include "ProgramIcon.h"
#include "ProgramVersion.h"

#include <QApplication>
#include <QMessageBox>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <unistd.h>

namespace {

const char* const kUsage =
    "usage: kolbrawin [toolkit options]\n"
    "       kolbrawin --help | --version\n"
    "\n"
    "The configuration and service tool for GSM gateways, with its main window.\n"
    "\n"
    "  --help     show this text and exit\n"
    "  --version  show the version and exit\n"
    "\n"
    "Other options go to the toolkit (for example -platform offscreen).\n"
    "Settings are kept in KolbraWin.ini in the data folder: \"KolbraWin program\"\n"
    "under the documents folder, else $XDG_DATA_HOME/kolbrawin.\n"
    "Environment: KOLBRAWIN_DATA_DIR names the data folder, KOLBRAWIN_PROGRAM_DIR\n"
    "the folder with the language files. See kolbrawin(1).\n";

// --help and --version are answered before any window exists, so they work
// without a display. Returns the exit code, or -1 to start the program.
int AnswerInformationOptions(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("kolbrawin %s\n", kw::kProgramVersion);
            return 0;
        }
    }
    return -1;
}

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
    if (const int answered = AnswerInformationOptions(argc, argv); answered >= 0)
        return answered;
    CApplication app(argc, argv);
    QApplication::setApplicationName("KolbraWin");
    QApplication::setApplicationVersion(kw::kProgramVersion);
    // The desktop pairs the window with its menu entry and icon by this name.
    QGuiApplication::setDesktopFileName(kw::kDesktopId);
    QApplication::setWindowIcon(kw::ProgramIcon(kw::DataRootBeside(kw::ExecutableFolder())));
    kw::SetFatalHook(&ShowFatal);
    TFMain window(kw::Language());
    CloseOnSignals(window);
    window.show();
    return QApplication::exec();
}
