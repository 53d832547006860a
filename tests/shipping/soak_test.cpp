// A long run of random user actions on the real program: typing any text (1 MB texts,
// NUL bytes, invalid UTF-8, emoji, right-to-left marks), Calculate, Clear, the unit and
// type menus, help pages opened, closed, saved and printed. Nothing may crash, leak or
// grow. ZORVEL_SOAK_TURNS sets the number of loop turns (default 1000; 20000 for the
// long run) measured after ZORVEL_SOAK_WARMUP turns of warm-up (default 5000),
// ZORVEL_SOAK_SEED the sequence.
#include "tests/support/program_driver.h"
#include "tests/support/widget_names.h"
#include "toolkit/testing/test_hooks.h"
#include "ui/commands.h"
#include "ui/program_ids.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

#if defined(__SANITIZE_ADDRESS__)
#define ZORVEL_SOAK_UNDER_ASAN 1
// From the sanitizer runtime's allocator interface.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
// AddressSanitizer keeps freed memory in quarantine (256 MB by default) to catch late uses;
// a small one still catches recent ones and keeps the run's footprint modest.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=16";
}
#endif

namespace {

constexpr int kCalculate = Id(ControlId::CalculateButton);
constexpr int kClear = Id(ControlId::ClearButton);
constexpr int kViewerPicture = Id(ControlId::PagePicture);
constexpr int kSave = Id(CommandId::SavePageCommand);
constexpr int kPrint = Id(CommandId::PrintPageCommand);
constexpr int kAbout = Id(CommandId::AboutCommand);
constexpr int kClock = Id(TimerId::ClockTimer);

long EnvironmentNumber(const char* name, long fallback) {
    const char* const text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::atol(text) : fallback;
}

long ResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

// What the run holds, in kB. Normally the resident memory; under AddressSanitizer, whose
// allocator keeps every freed chunk mapped for reuse, the bytes the program holds allocated.
#ifdef ZORVEL_SOAK_UNDER_ASAN
constexpr const char* kHeldMeasure = "allocated";
#else
constexpr const char* kHeldMeasure = "resident";
#endif

long HeldKb() {
#ifdef ZORVEL_SOAK_UNDER_ASAN
    return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024);
#else
    return ResidentKb();
#endif
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "zorvel-soak-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

// Texts a careless or hostile user might put into a field.
class TextMaker {
  public:
    explicit TextMaker(std::mt19937& random) : random_(random) {}

    std::string Next() {
        switch (Pick(9)) {
        case 0:
            return Number();
        case 1:
            return Number() + "   [°C]";
        case 2:
            return std::string("\xF0\x9F\x8C\xA1\xEF\xB8\x8F ") + Number() + " \xF0\x9F\x98\x80";
        case 3: // right-to-left mark and override around a number
            return "\xE2\x80\x8F" + Number() + "\xE2\x80\xAE" + "20.5";
        case 4: { // NUL bytes inside
            std::string text = Number();
            text.insert(text.size() / 2, 1, '\0');
            return text + std::string(3, '\0');
        }
        case 5: // invalid UTF-8: a stray continuation, a cut sequence, bytes never valid
            return std::string("\x80\xC3\x28\xFF\xFE", 5) + Number() + "\xE2\x82";
        case 6:
            return Bytes(Pick(64));
        case 7: // a megabyte pasted in
            return Pick(4) == 0 ? std::string(1 << 20, "9.-e\xD0"[Pick(5)]) + Number() : Number();
        default:
            return "";
        }
    }

  private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    std::string Number() {
        static const char kChars[] = "0123456789.-+eE ,$%";
        std::string text;
        const int length = 1 + Pick(12);
        for (int i = 0; i < length; ++i) {
            text += kChars[Pick(sizeof kChars - 1)];
        }
        return text;
    }

    std::string Bytes(int count) {
        std::string text;
        for (int i = 0; i < count; ++i) {
            text += static_cast<char>(Pick(256));
        }
        return text;
    }

    std::mt19937& random_;
};

class SoakRun {
  public:
    SoakRun(ProgramDriver& program, const fs::path& folder, unsigned seed)
        : program_(program), folder_(folder), random_(seed), texts_(random_) {
        for (int command = 1; command <= 30; ++command) {
            if (PageOfCommand(command)) {
                pageCommands_.push_back(command);
            }
        }
    }

    void OneAction() {
        const int choice = Pick(100);
        if (choice < 35) {
            Type();
        } else if (choice < 50) {
            Click(kCalculate);
        } else if (choice < 56) {
            Click(kClear);
        } else if (choice < 68) {
            static const int kSelections[] = {
                Id(CommandId::HpaCommand),       Id(CommandId::MbarCommand),
                Id(CommandId::MmhgCommand),      Id(CommandId::AltitudeCommand),
                Id(CommandId::AspiratedCommand), Id(CommandId::NonAspiratedCommand)};
            program_.Handle(toolkit::MenuEvent, kSelections[Pick(6)], 0);
        } else if (choice < 76) {
            program_.Handle(toolkit::MenuEvent, pageCommands_[Pick(pageCommands_.size())], 0);
        } else if (choice < 82) {
            CloseViewer();
        } else if (choice < 85) {
            Save(Pick(4) != 0);
        } else if (choice < 86 && Pick(8) == 0) {
            Print();
        } else if (choice < 87) {
            program_.Handle(toolkit::MenuEvent, kAbout, 0);
        } else {
            program_.Handle(toolkit::TimerEvent, kClock, 0);
        }
    }

    // Every kind of action once, so that what is held for the rest of the run (the nine
    // decoded pages, Qt's caches, the print engine) is in place before memory is measured.
    void WarmUp() {
        for (const int command : pageCommands_) {
            program_.Handle(toolkit::MenuEvent, command, 0);
            Save(true);
        }
        Save(false);
        Print();
        for (int field = 1; field <= 3; ++field) {
            toolkit::SetControlText(field, std::string(1 << 20, '7'));
            Click(kCalculate);
        }
        // Every script random bytes can spell (two-byte UTF-8 covers U+0080 to U+07FF),
        // emoji and direction marks, shown once, so that their fallback fonts are loaded.
        std::string scripts = "\xF0\x9F\x98\x80\xF0\x9F\x8C\xA1\xE2\x80\x8F\xE2\x80\xAE";
        for (char32_t code = 0x80; code < 0x800; code += 8) {
            scripts += static_cast<char>(0xC0 | (code >> 6));
            scripts += static_cast<char>(0x80 | (code & 0x3F));
        }
        toolkit::SetControlText(Id(ControlId::DryBulbField), scripts);
        program_.RunTurnsFor(200);
        Click(kClear);
        CloseViewer();
        program_.Handle(toolkit::MenuEvent, kAbout, 0);
    }

    // The same state for both measurements: no viewer, the fields rebuilt, Qt idle.
    void Settle() {
        CloseViewer();
        Click(kClear);
        program_.RunTurnsFor(120);
    }

    int savesCompleted = 0;
    int savesChecked = 0;
    int printsCompleted = 0;

  private:
    int Pick(std::size_t count) {
        return std::uniform_int_distribution<int>(0, static_cast<int>(count) - 1)(random_);
    }

    void Type() {
        const int field = 1 + Pick(3);
        auto* const edit = qobject_cast<QLineEdit*>(ProgramDriver::Control(field));
        ASSERT_NE(edit, nullptr);
        edit->setFocus(Qt::TabFocusReason);
        program_.Handle(toolkit::TimerEvent, kClock, 0); // the turn that empties it
        const std::string text = texts_.Next();
        switch (Pick(3)) {
        case 0: { // typed key by key: what a keyboard gives (a megabyte would take minutes)
            QString typed;
            for (const char c : text.substr(0, 40)) {
                if (c >= 0x20 && c < 0x7F) {
                    typed += QLatin1Char(c);
                }
            }
            QTest::keyClicks(edit, typed);
            break;
        }
        case 1: // pasted
            edit->insert(QString::fromUtf8(text.data(), static_cast<int>(text.size())));
            break;
        default: // the raw bytes through the toolkit
            toolkit::SetControlText(field, text);
            break;
        }
        program_.Handle(toolkit::TimerEvent, kClock, 0);
    }

    void Click(int buttonId) {
        QWidget* const button = ProgramDriver::Control(buttonId);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        program_.Handle(toolkit::TimerEvent, kClock, 0);
    }

    static QAction* ToolBarAction(int commandId) {
        const QString name = CommandName(commandId);
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (QAction* action = widget->findChild<QAction*>(name)) {
                return action;
            }
        }
        return nullptr;
    }

    void CloseViewer() {
        if (QWidget* const picture = ProgramDriver::Control(kViewerPicture)) {
            picture->window()->close(); // a close request, as the close box makes
        }
        program_.Handle(toolkit::TimerEvent, kClock, 0);
    }

    // Answers the save dialog once it is up: a new file name in the scratch folder, or
    // Cancel.
    void AnswerSaveDialog(const QString& path, bool accept, int attemptsLeft) {
        auto* const dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            if (QWidget* other = QApplication::activeModalWidget()) {
                other->close();
            }
            if (attemptsLeft > 0) {
                QTimer::singleShot(20,
                                   [=, this] { AnswerSaveDialog(path, accept, attemptsLeft - 1); });
            }
            return;
        }
        if (accept) {
            dialog->selectFile(path);
            // The name box decides what is saved; the whole path makes the folder certain.
            if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
                name->setText(path);
            }
            static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides it
        } else {
            dialog->reject();
        }
    }

    void Save(bool accept) {
        QAction* const save = ToolBarAction(kSave);
        if (save == nullptr) {
            return; // no viewer open
        }
        const fs::path target = folder_ / ("page-" + std::to_string(saveNumber_++) + ".jpg");
        QTimer::singleShot(20, [=, this] {
            AnswerSaveDialog(QString::fromStdString(target.string()), accept, 100);
        });
        save->trigger(); // queues the command; the next turns handle it
        program_.Handle(toolkit::TimerEvent, kClock, 0);
        if (accept && fs::exists(target)) {
            ++savesCompleted;
            const std::string jpeg = ReadFile(target);
            EXPECT_GE(jpeg.size(), 4u);
            EXPECT_EQ(jpeg.substr(0, 2), "\xFF\xD8");
            EXPECT_EQ(jpeg.substr(jpeg.size() - 2), "\xFF\xD9");
            ++savesChecked;
            fs::remove(target);
        }
    }

    void Print() {
        QAction* const print = ToolBarAction(kPrint);
        if (print == nullptr) {
            return;
        }
        const fs::path pdf = folder_ / "print.pdf";
        toolkit::SetPrintToFile(pdf.string());
        print->trigger();
        program_.Handle(toolkit::TimerEvent, kClock, 0);
        toolkit::SetPrintToFile("");
        if (fs::exists(pdf) && ReadFile(pdf).rfind("%PDF", 0) == 0) {
            ++printsCompleted;
        }
        fs::remove(pdf);
    }

    ProgramDriver& program_;
    fs::path folder_;
    std::mt19937 random_;
    TextMaker texts_;
    std::vector<int> pageCommands_;
    int saveNumber_ = 0;
};

// A dialog nobody answers would hold the loop for ever: close any that stays open for a
// second or more, and count it as a failure.
class DialogWatchdog {
  public:
    DialogWatchdog() {
        timer_.setInterval(1000);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* const modal = QApplication::activeModalWidget();
            if (modal != nullptr && modal == lastSeen_) {
                ++stuck;
                modal->close();
            }
            lastSeen_ = modal;
        });
        timer_.start();
    }
    int stuck = 0;

  private:
    QTimer timer_;
    // Guarded: a dialog built later at the same address is another dialog.
    QPointer<QWidget> lastSeen_;
};

TEST(Soak, RandomUserActionsNeitherCrashNorGrow) {
    DialogWatchdog watchdog;
    const long turns = EnvironmentNumber("ZORVEL_SOAK_TURNS", 1000);
    const auto seed = static_cast<unsigned>(EnvironmentNumber("ZORVEL_SOAK_SEED", 20261208));
    ScratchFolder folder;
    ASSERT_FALSE(folder.path().empty());
    const fs::path messages = folder.path() / "messages.txt";
    toolkit::SetMessageBoxLog(messages.string());

    ProgramDriver program;
    SoakRun run(program, folder.path(), seed);
    run.WarmUp();
    // Qt's caches (pixmaps, glyphs of whatever scripts the random texts spell, text
    // layouts) fill up over the first few thousand turns and then stay put.
    const long warmUp = program.Turns() + EnvironmentNumber("ZORVEL_SOAK_WARMUP", 5000);
    long residentAfterWarmUp = -1;
    while (program.Turns() < turns + warmUp) {
        run.OneAction();
        if (testing::Test::HasFatalFailure()) {
            return;
        }
        if (residentAfterWarmUp < 0 && program.Turns() >= warmUp) {
            run.Settle();
            residentAfterWarmUp = HeldKb();
        }
    }
    run.Settle();
    const long residentAtEnd = HeldKb();
    RecordProperty("turns", std::to_string(program.Turns()));
    RecordProperty("growth_kb", std::to_string(residentAtEnd - residentAfterWarmUp));
    std::printf("soak: %ld turns, seed %u, %s %ld kB after warm-up, %ld kB at the end "
                "(resident %ld kB); %d saves, %d prints\n",
                program.Turns(), seed, kHeldMeasure, residentAfterWarmUp, residentAtEnd,
                ResidentKb(), run.savesCompleted, run.printsCompleted);
    EXPECT_LE(residentAtEnd - residentAfterWarmUp, 5 * 1024) << "memory grew";
    EXPECT_EQ(watchdog.stuck, 0) << "a dialog was left open";
    EXPECT_EQ(run.savesChecked, run.savesCompleted);
    if (turns >= 1000) {
        EXPECT_GT(run.savesCompleted, 0) << "the run never saved a page";
    }

    // Only the saved pages may have been written; they were removed as they were checked,
    // so neither they nor any temporary file of a save remains.
    std::vector<std::string> left;
    for (const auto& item : fs::directory_iterator(folder.path())) {
        if (item.path() != messages) {
            left.push_back(item.path().filename().string());
        }
    }
    EXPECT_TRUE(left.empty()) << left.front();

    // After all that the calculator still works: Clear, the sample readings, Calculate.
    program.Handle(toolkit::MenuEvent, Id(CommandId::HpaCommand), 0);
    program.Handle(toolkit::MenuEvent, Id(CommandId::AspiratedCommand), 0);
    QTest::mouseClick(ProgramDriver::Control(kClear), Qt::LeftButton);
    program.Handle(toolkit::TimerEvent, kClock, 0);
    const char* const readings[] = {"20.5", "18.3", "981.1"};
    for (int field = 1; field <= 3; ++field) {
        ProgramDriver::Control(field)->setFocus(Qt::TabFocusReason);
        program.Handle(toolkit::TimerEvent, kClock, 0);
        toolkit::SetControlText(field, readings[field - 1]);
    }
    std::filesystem::remove(messages);
    QTest::mouseClick(ProgramDriver::Control(kCalculate), Qt::LeftButton);
    program.Handle(toolkit::TimerEvent, kClock, 0);
    EXPECT_EQ(toolkit::GetControlText(Id(ControlId::RelativeHumidityField)), "81.0 [%]");
    EXPECT_FALSE(fs::exists(messages)) << ReadFile(messages);
    toolkit::SetMessageBoxLog("");
}

} // namespace
