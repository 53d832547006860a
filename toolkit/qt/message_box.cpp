// The program's message boxes.
#include "internal/qt_state.h"

#include <QMessageBox>

namespace toolkit {

int ShowMessageBox(std::string_view title, std::string_view text, unsigned /*flags*/) {
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
