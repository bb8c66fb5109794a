// kolbrawin: the configuration and service tool with its main window.
#include "Fatal.h"
#include "Language.h"
#include "MainWindow.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <exception>

namespace {

// Fatal reports of the model code: a message box over whatever is on screen.
void ShowFatal(const std::string& caption, const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
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
        std::fprintf(stderr, "KolbraWin: %s\n", what);
        QMessageBox::critical(QApplication::activeWindow(), "KolbraWin", QString::fromUtf8(what));
    }
};

} // namespace

int main(int argc, char* argv[]) {
    CApplication app(argc, argv);
    QApplication::setApplicationName("KolbraWin");
    kw::SetFatalHook(&ShowFatal);
    TFMain window(kw::Language());
    window.show();
    return QApplication::exec();
}
