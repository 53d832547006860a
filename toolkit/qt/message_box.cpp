// The program's message boxes.
#include "internal/state.h"
#include "toolkit/testing/test_hooks.h"

#include <QMessageBox>

#include <fstream>

namespace toolkit {

void SetMessageBoxLog(std::string_view path) {
    State().messageBoxLog = std::string(path);
}

int MessageBox(std::string_view title, std::string_view text, unsigned /*flags*/) {
    const std::string& log = State().messageBoxLog;
    if (!log.empty()) {
        std::ofstream(log, std::ios::app | std::ios::binary) << title << '|' << text << '\n';
        return 1;
    }
    if (!Started()) {
        return 0;
    }
    UseBulgarianQtTexts();
    QWidget* const owner = QApplication::activeWindow();
    QMessageBox box(QMessageBox::NoIcon, ToQString(title), ToQString(text), QMessageBox::Ok, owner);
    box.setObjectName(QStringLiteral("message-box"));
    box.setTextFormat(Qt::PlainText);
    // Caption with close box, no maximize box.
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    // Every other window of the program waits until the box is closed.
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    return 1;
}

} // namespace toolkit
