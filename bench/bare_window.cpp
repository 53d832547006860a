// The floor for start-up and memory: a Qt program that shows one maximized window and
// nothing else. With --report-peak it prints its peak resident memory in kB once the
// window has been shown for a moment, and ends. With --tick it runs a 100 ms timer that
// does nothing, the floor for the calculator's idle clock.
#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle("Bare window");
    // Without a window manager a maximized window keeps its size hint; take the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window.setGeometry(screen->availableGeometry());
    }
    window.showMaximized();
    if (argc > 1 && std::strcmp(argv[1], "--report-peak") == 0) {
        QTimer::singleShot(500, &application, [&application] {
            std::ifstream status("/proc/self/status");
            std::string line;
            while (std::getline(status, line)) {
                if (line.rfind("VmHWM:", 0) == 0) {
                    std::printf("%ld\n", std::stol(line.substr(6)));
                }
            }
            application.quit();
        });
    }
    QTimer tick;
    if (argc > 1 && std::strcmp(argv[1], "--tick") == 0) {
        QObject::connect(&tick, &QTimer::timeout, [] {});
        tick.start(100);
    }
    return application.exec();
}
