// What the page's script calls: the module's C functions, each answering with a text
// (JSON or SVG) or with bytes whose place and size the next calls tell.
#include "calc/main_window_texts.h"
#include "pages/embedded_pictures.h"
#include "pages/picture_store.h"
#include "web/calculator_session.h"
#include "web/json_text.h"
#include "web/logbook_run.h"
#include "web/page_texts.h"

#include <emscripten.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>

namespace {

// The page's one calculator, as the window's program state is the program's.
CalculatorSession& Session() {
    static CalculatorSession session;
    return session;
}

// What the last call answered with, until the next call; the script copies it out at once.
std::string& Answer() {
    static std::string answer;
    return answer;
}

const char* Answering(std::string text) {
    Answer() = std::move(text);
    return Answer().c_str();
}

// Kept between the calls that hand a logbook's results out.
LogbookRun& LastRun() {
    static LogbookRun run;
    return run;
}

std::string FileBytes(const char* path) {
    std::string bytes;
    if (std::FILE* file = std::fopen(path, "rb")) {
        char buffer[1 << 16];
        std::size_t read = 0;
        while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            bytes.append(buffer, read);
        }
        std::fclose(file);
    }
    return bytes;
}

EM_JS(void, TellProgress, (double rows, double bytes), {
    if (Module["onLogbookProgress"]) {
        Module["onLogbookProgress"](rows, bytes);
    }
});

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* zorvel_texts() {
    return Answering(PageTextsJson());
}

EMSCRIPTEN_KEEPALIVE int zorvel_enter_field(int field) {
    return field >= 0 && field <= 2 && Session().Enter(static_cast<InputField>(field)) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE const char* zorvel_calculate(const char* pressure, const char* dryBulb,
                                                  const char* wetBulb, int unit, int type,
                                                  int iced) {
    return Answering(Session().Press(pressure, dryBulb, wetBulb, static_cast<BarometerUnit>(unit),
                                     static_cast<PsychrometerType>(type),
                                     iced != 0 ? WetBulbCover::Ice : WetBulbCover::Water));
}

EMSCRIPTEN_KEEPALIVE void zorvel_clear() {
    Session().Clear();
}

EMSCRIPTEN_KEEPALIVE const char* zorvel_chart_svg() {
    return Answering(Session().ChartSvg());
}

// The picture file as the program carries it, for the page to show.
EMSCRIPTEN_KEEPALIVE const unsigned char* zorvel_picture(int imageId) {
    return EmbeddedImage(imageId).data();
}

EMSCRIPTEN_KEEPALIVE int zorvel_picture_size(int imageId) {
    return static_cast<int>(EmbeddedImage(imageId).size());
}

// The page saved as the desktop program saves it: decoded from the carried file and
// written by SaveImageAsJpeg, here into the module's memory file system. The bytes are in
// the answer; their size is returned, 0 when the save failed.
EMSCRIPTEN_KEEPALIVE int zorvel_save_page(int imageId) {
    constexpr const char* Path = "/tmp/zorvel-page.jpg";
    Answer().clear();
    // Emscripten's file system starts with a umask of 0777: the saved file would be
    // unreadable, even to the module itself.
    umask(022);
    const bool saved = LoadEmbeddedImage(imageId, EmbeddedImage(imageId)) != nullptr &&
                       SaveImageAsJpeg(imageId, Path) == 1;
    if (saved) {
        Answer() = FileBytes(Path);
    }
    std::remove(Path);
    ReleaseAllImages(); // a page is 2 MB of pixels, and the next save decodes afresh
    return static_cast<int>(Answer().size());
}

EMSCRIPTEN_KEEPALIVE const char* zorvel_answer() {
    return Answer().data();
}

EMSCRIPTEN_KEEPALIVE const char*
zorvel_convert_logbook(const unsigned char* data, int size, const char* unit, const char* type,
                       const char* bulb, const char* delimiter, const char* decimal,
                       const char* inputEncoding, const char* outputEncoding, int withChart) {
    LastRun() = {};
    LastRun() = RunLogbook(data, static_cast<std::size_t>(size),
                           {unit, type, bulb, delimiter, decimal, inputEncoding, outputEncoding},
                           withChart != 0, [](std::uint64_t rows, std::uint64_t bytes) {
                               TellProgress(static_cast<double>(rows), static_cast<double>(bytes));
                           });
    return Answering(RunReportJson(LastRun()));
}

EMSCRIPTEN_KEEPALIVE const char* zorvel_logbook_table() {
    return LastRun().table.data();
}

EMSCRIPTEN_KEEPALIVE int zorvel_logbook_table_size() {
    return static_cast<int>(LastRun().table.size());
}

EMSCRIPTEN_KEEPALIVE const char* zorvel_logbook_chart() {
    return LastRun().chart.c_str();
}

// Frees the last logbook's table and chart once the script has copied them.
EMSCRIPTEN_KEEPALIVE void zorvel_logbook_done() {
    LastRun() = {};
}

} // extern "C"
