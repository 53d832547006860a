// The save-file dialog.
#include "internal/qt_state.h"
#include "toolkit/save_dialog_setup.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace toolkit {
namespace {

// A name is taken only in a folder that exists: otherwise the user is told, and the
// dialog stays open for another try instead of closing on a save that must fail.
class ExistingFolderDialog final : public QFileDialog {
  public:
    using QFileDialog::QFileDialog;

    void accept() override {
        const QString chosen = selectedFiles().value(0);
        if (!chosen.isEmpty()) {
            const QString folder = QFileInfo(chosen).absolutePath();
            if (!QFileInfo(folder).isDir()) {
                MessageBox(ToUtf8(windowTitle()), "Папката „" +
                                                      ToUtf8(QDir::toNativeSeparators(folder)) +
                                                      "“ не съществува.");
                return;
            }
        }
        QFileDialog::accept();
    }
};

} // namespace

std::string SaveFileDialog(std::string_view title, std::string_view defaultFile,
                           std::string_view pattern, int patternIndex) {
    if (!Started()) {
        return {};
    }
    UseBulgarianQtTexts();
    const DefaultFile proposal = SplitDefaultFile(defaultFile);
    ExistingFolderDialog dialog(QApplication::activeWindow(), ToQString(title));
    dialog.setObjectName(QStringLiteral("save-file-dialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Replacing a file the user has is asked about first (Qt's own confirmation), and
    // a name typed without extension stays as typed (no default suffix).
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    const QDir folder(proposal.folder.empty() ? QDir::currentPath() : ToQString(proposal.folder));
    dialog.setDirectory(folder);

    QStringList nameFilters;
    for (const FileFilter& filter : ParseFilterPattern(pattern)) {
        nameFilters << ToQString(DialogNameFilter(filter));
    }
    if (!nameFilters.isEmpty()) {
        dialog.setNameFilters(nameFilters);
        if (patternIndex >= 0 && patternIndex < nameFilters.size()) {
            dialog.selectNameFilter(nameFilters[patternIndex]);
        }
    }
    if (!proposal.proposedName.empty()) {
        dialog.selectFile(folder.filePath(ToQString(proposal.proposedName)));
    }
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? std::string() : ToUtf8(chosen.front());
}

} // namespace toolkit
