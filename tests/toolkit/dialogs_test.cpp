// Message boxes and the save-file dialog, driven as a user would.
#include "tests/support/toolkit_probe.h"
#include "toolkit/testing/test_hooks.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

using namespace toolkit;
using toolkit_test::DrainEvents;
using toolkit_test::OpenTestWindow;
using toolkit_test::WhenModalOpens;

// A click that goes the way a user's does, through the platform window, where modal
// boxes block it.
void ClickThroughThePlatform(QWidget* control) {
    const QPoint centre = control->mapTo(control->window(), control->rect().center());
    QTest::mouseClick(control->window()->windowHandle(), Qt::LeftButton, {}, centre);
}

// Types into the dialog's name field as a user does.
void TypeFileName(QFileDialog* dialog, const QString& name) {
    // The dialog fills its list from another thread and may touch the name field when
    // it is done; let it settle first.
    QTest::qWait(200);
    auto* const field = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(field, nullptr);
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    field->insert(name); // QTest types ASCII only
    // A matching existing name opens the completion list; a user would close it.
    if (field->completer() != nullptr && field->completer()->popup() != nullptr) {
        field->completer()->popup()->hide();
    }
}

class Dialogs : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        ASSERT_NE(OpenTestWindow(0), nullptr);
    }
    void TearDown() override {
        SetMessageBoxLog("");
        CloseAllWindows();
        DrainEvents();
    }
    QTemporaryDir folder;
};

TEST_F(Dialogs, AMessageBoxIsModalWithOneOkButtonAndNoIcon) {
    QString seenTitle;
    QString seenText;
    int buttons = -1;
    bool noIcon = false;
    bool modal = false;
    ASSERT_TRUE(CreateButton(45, 10, 10, 80, 30, "Изчисли"));
    WhenModalOpens([&](QWidget* modalWidget) {
        auto* const box = qobject_cast<QMessageBox*>(modalWidget);
        ASSERT_NE(box, nullptr);
        seenTitle = box->windowTitle();
        seenText = box->text();
        buttons = static_cast<int>(box->buttons().size());
        noIcon = box->icon() == QMessageBox::NoIcon;
        modal = box->windowModality() == Qt::ApplicationModal;
        // A click meant for the program's window goes nowhere while the box is open.
        ClickThroughThePlatform(ControlById(45));
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(MessageBox("Проблем!", "Въведете & число", 0), 1);
    EXPECT_EQ(seenTitle, QString::fromUtf8("Проблем!"));
    EXPECT_EQ(seenText, QString::fromUtf8("Въведете & число"));
    EXPECT_EQ(buttons, 1);
    EXPECT_TRUE(noIcon);
    EXPECT_TRUE(modal);
    EXPECT_TRUE(DrainEvents().empty());
    ClickThroughThePlatform(ControlById(45)); // and is taken again afterwards
    EXPECT_EQ(DrainEvents().size(), 1u);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(Dialogs, TheMessageBoxLogTakesTheBoxInsteadOfAWindow) {
    const std::string log = folder.filePath("boxes.log").toStdString();
    SetMessageBoxLog(log);
    EXPECT_EQ(MessageBox("Проблем!", "първо", 0), 1);
    EXPECT_EQ(MessageBox("Опа-а!", "второ", 0), 1);
    std::ifstream in(log, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "Проблем!|първо\nОпа-а!|второ\n");
}

TEST_F(Dialogs, CancellingTheSaveDialogGivesAnEmptyPath) {
    QString proposed;
    QStringList filters;
    QString selectedFilter;
    WhenModalOpens([&](QWidget* modalWidget) {
        auto* const dialog = qobject_cast<QFileDialog*>(modalWidget);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("Запис на Помагалото"));
        filters = dialog->nameFilters();
        selectedFilter = dialog->selectedNameFilter();
        proposed = dialog->selectedFiles().value(0);
        dialog->reject();
    });
    const std::filesystem::path before = std::filesystem::current_path();
    EXPECT_EQ(SaveFileDialog("Запис на Помагалото", "Помагало_.jpg",
                             "Pic (*.jpg)|*.jpg|All (*.*)|*.*", 1),
              "");
    EXPECT_EQ(std::filesystem::current_path(), before);
    EXPECT_EQ(filters, (QStringList{"Pic (*.jpg)", "All (*.*)"}));
    EXPECT_EQ(selectedFilter, "All (*.*)");
    EXPECT_EQ(QFileInfo(proposed).fileName(), QString::fromUtf8("Помагало_.jpg"));
    EXPECT_EQ(QFileInfo(proposed).absolutePath(), QDir::currentPath());
}

TEST_F(Dialogs, ANameWithoutExtensionComesBackAsTyped) {
    WhenModalOpens([&](QWidget* modalWidget) {
        auto* const dialog = qobject_cast<QFileDialog*>(modalWidget);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(QDir(dialog->directory()).absolutePath(), folder.path());
        TypeFileName(dialog, QString::fromUtf8("страница"));
        static_cast<QDialog*>(dialog)->accept();
    });
    const std::string defaultFile = folder.filePath("bad:name.jpg").toStdString();
    const std::filesystem::path before = std::filesystem::current_path();
    EXPECT_EQ(SaveFileDialog("Запис", defaultFile, "Pic (*.jpg)|*.jpg", 0),
              folder.filePath(QString::fromUtf8("страница")).toStdString());
    EXPECT_EQ(std::filesystem::current_path(), before);
}

TEST_F(Dialogs, ReplacingAnExistingFileIsAskedAbout) {
    const QString existing = folder.filePath("page.jpg");
    std::ofstream(existing.toStdString()) << "the user's file";

    bool asked = false;
    WhenModalOpens([&](QWidget* modalWidget) {
        auto* const dialog = qobject_cast<QFileDialog*>(modalWidget);
        ASSERT_NE(dialog, nullptr);
        QTest::qWait(200); // the proposed name is the existing file: the user just saves
        // The question is a box of its own; answering it Yes lets the name through.
        WhenModalOpens([&](QWidget* question) {
            auto* const box = qobject_cast<QMessageBox*>(question);
            asked = box != nullptr;
            if (box != nullptr) {
                box->button(QMessageBox::Yes)->click();
            }
        });
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(SaveFileDialog("Запис", existing.toStdString(), "Pic (*.jpg)|*.jpg", 0),
              existing.toStdString());
    EXPECT_TRUE(asked);
}

TEST_F(Dialogs, AnsweringNoToReplacingKeepsTheDialogOpen) {
    const QString existing = folder.filePath("page.jpg");
    std::ofstream(existing.toStdString()) << "the user's file";
    bool stillOpenAfterNo = false;
    WhenModalOpens([&](QWidget* modalWidget) {
        auto* const dialog = qobject_cast<QFileDialog*>(modalWidget);
        ASSERT_NE(dialog, nullptr);
        QTest::qWait(200); // the proposed name is the existing file: the user just saves
        WhenModalOpens([&, dialog](QWidget* question) {
            auto* const box = qobject_cast<QMessageBox*>(question);
            ASSERT_NE(box, nullptr);
            box->button(QMessageBox::No)->click();
            QTimer::singleShot(50, dialog, [&, dialog] {
                stillOpenAfterNo = dialog->isVisible();
                dialog->reject();
            });
        });
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(SaveFileDialog("Запис", existing.toStdString(), "Pic (*.jpg)|*.jpg", 0), "");
    EXPECT_TRUE(stillOpenAfterNo);
}

} // namespace

namespace {

using namespace toolkit;
using toolkit_test::WhenModalOpens;

bool HasCyrillic(const QString& text) {
    for (const QChar letter : text) {
        if (letter.script() == QChar::Script_Cyrillic) {
            return true;
        }
    }
    return false;
}

class BulgarianDialogs : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        ASSERT_NE(toolkit_test::OpenTestWindow(0), nullptr);
    }
    void TearDown() override {
        CloseAllWindows();
        toolkit_test::DrainEvents();
    }
    QTemporaryDir folder;
};

// The locale of these tests is C.UTF-8: the dialogs speak Bulgarian whatever it is.
TEST_F(BulgarianDialogs, TheSaveDialogAndItsOverwriteQuestionSpeakBulgarian) {
    const QString existing = folder.filePath("page.jpg");
    std::ofstream(existing.toStdString()) << "the user's file";
    QString acceptText;
    QString cancelText;
    QString question;
    QString yesText;
    WhenModalOpens([&](QWidget* modalWidget) {
        auto* const dialog = qobject_cast<QFileDialog*>(modalWidget);
        ASSERT_NE(dialog, nullptr);
        auto* const buttons = dialog->findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        ASSERT_NE(buttons->button(QDialogButtonBox::Save), nullptr);
        acceptText = buttons->button(QDialogButtonBox::Save)->text();
        cancelText = buttons->button(QDialogButtonBox::Cancel)->text();
        QTest::qWait(200);
        WhenModalOpens([&](QWidget* box) {
            auto* const questionBox = qobject_cast<QMessageBox*>(box);
            ASSERT_NE(questionBox, nullptr);
            question = questionBox->text();
            yesText = questionBox->button(QMessageBox::Yes)->text();
            questionBox->button(QMessageBox::No)->click();
            QTimer::singleShot(50, dialog, [dialog] { dialog->reject(); });
        });
        static_cast<QDialog*>(dialog)->accept();
    });
    SaveFileDialog("Запис", existing.toStdString(), "Pic (*.jpg)|*.jpg", 0);
    EXPECT_TRUE(HasCyrillic(acceptText)) << acceptText.toStdString();
    EXPECT_TRUE(HasCyrillic(cancelText)) << cancelText.toStdString();
    EXPECT_TRUE(HasCyrillic(question)) << question.toStdString();
    EXPECT_FALSE(question.contains("already exists")) << question.toStdString();
    EXPECT_TRUE(HasCyrillic(yesText)) << yesText.toStdString();
}

// The translation is read after start-up, but before the loop first waits for the user:
// a text field's context menu is Qt's own, and never seen in English.
TEST_F(BulgarianDialogs, AFieldsContextMenuSpeaksBulgarianOnceTheLoopWaits) {
    ToolkitState& state = State();
    if (state.translator) {
        QCoreApplication::removeTranslator(state.translator.get());
        state.translator.reset();
    }
    state.translationTried = false;
    QLineEdit field;
    const auto firstItem = [&field] {
        const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
        return menu->actions().value(0) ? menu->actions().value(0)->text() : QString();
    };
    ASSERT_FALSE(HasCyrillic(firstItem())) << "the translation should not be there yet";
    QTimer::singleShot(0, [] { PostEvent(TimerEvent, 123, 0); });
    EXPECT_EQ(WaitEvent(), TimerEvent);
    EXPECT_TRUE(HasCyrillic(firstItem())) << firstItem().toStdString();
}

} // namespace
