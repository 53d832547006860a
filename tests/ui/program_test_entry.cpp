// The program as shipped, started the way a test needs it: the same start and loop, with
// the message boxes captured in a file, and, when ZORVEL_TEST_SAVE_AS names a file, the
// first help page opened, saved under that name through the real dialog and the program
// closed again, all as a user would click it.
#include "lifecycle/fatal_error_trap.h"
#include "pages/page_viewer.h"
#include "tests/support/message_box_hook.h"
#include "ui/start_program.h"
#include "ui/toolkit/toolkit.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

#include <cstdlib>

namespace {

constexpr int AirHumidityCommand = 7;
constexpr int MainWindow = 0;

// One step per tick of the program's own event loop (or of the dialog's).
void DriveSave() {
    const char* const target = std::getenv("ZORVEL_TEST_SAVE_AS");
    if (target == nullptr || *target == '\0') {
        return;
    }
    auto* const tick = new QTimer(qApp);
    QObject::connect(tick, &QTimer::timeout, tick, [tick, target, step = 0]() mutable {
        switch (step) {
        case 0:
            toolkit::PostEvent(toolkit::MenuEvent, AirHumidityCommand, MainWindow);
            ++step;
            break;
        case 1:
            toolkit::PostEvent(toolkit::MenuEvent, SavePageCommand, PageViewerWindow);
            ++step;
            break;
        case 2:
            if (auto* const dialog =
                    qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                if (auto* const name = dialog->findChild<QLineEdit*>("fileNameEdit")) {
                    name->setText(QString::fromUtf8(target));
                    ++step;
                    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
                }
            }
            break;
        case 3:
            // Back in the loop: the save has ended, one way or another.
            if (QApplication::activeModalWidget() == nullptr) {
                toolkit::PostEvent(toolkit::CloseEvent, MainWindow, MainWindow);
                tick->stop();
            }
            break;
        }
    });
    tick->start(200);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(DriveSave)

int main(int argc, char** argv) {
    UseMessageBoxLogFromEnvironment();
    if (const int reportStatus = RunFatalReportIfAsked(argc, argv); reportStatus >= 0) {
        return reportStatus;
    }
    return StartProgram(argc, argv);
}
