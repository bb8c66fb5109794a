// kw-screen-grab OUT.png: saves what the X display shows as a PNG once the
// picture has settled, for checks that look at a program started on its own
// (the window manager frames and paints the window in its own time).
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QThread>

#include <cstdio>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: kw-screen-grab OUT.png\n", stderr);
        return 2;
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        std::fputs("kw-screen-grab: no screen\n", stderr);
        return 1;
    }
    // Two grabs in a row that agree mean nothing is being drawn any more.
    constexpr int kAttempts = 50;
    constexpr int kPauseMs = 200;
    QImage previous;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const QImage shot = screen->grabWindow(0).toImage();
        if (!previous.isNull() && shot == previous) {
            if (!shot.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
                std::fprintf(stderr, "kw-screen-grab: cannot write %s\n", argv[1]);
                return 1;
            }
            return 0;
        }
        previous = shot;
        QThread::msleep(kPauseMs);
    }
    std::fprintf(stderr, "kw-screen-grab: the screen kept changing for %d s\n",
                 kAttempts * kPauseMs / 1000);
    return 1;
}
