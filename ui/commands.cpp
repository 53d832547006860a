#include "ui/commands.h"

#include "pages/embedded_pictures.h"
#include "ui/page_viewer.h"
#include "pages/picture_store.h"
#include "toolkit/toolkit.h"

#include <array>

namespace {

constexpr int StatusBar = 0;
constexpr int UnitField = 1;
constexpr int TypeField = 3;

constexpr int QuitCommand = 30;
constexpr int AboutCommand = 28;

struct UnitCommand {
    int commandId;
    BarometerUnit unit;
    std::string_view statusText;
};

constexpr std::array UnitCommands{
    UnitCommand{1, BarometerUnit::Hpa, "  Работите с налягане в [hPa]   "},
    UnitCommand{18, BarometerUnit::Mbar, "  Работите с налягане в [mBar]   "},
    UnitCommand{2, BarometerUnit::Mmhg, "  Работите с налягане в [mmHg]   "},
    UnitCommand{3, BarometerUnit::Altitude, "  Работите с надморска височина в [m]   "},
};

struct TypeCommand {
    int commandId;
    PsychrometerType type;
    std::string_view statusText;
};

constexpr std::array TypeCommands{
    TypeCommand{4, PsychrometerType::Aspirated, "Използвате психрометър с аспирация"},
    TypeCommand{5, PsychrometerType::NonAspirated, "Използвате психрометър без аспирация"},
};

struct PageEntry {
    int commandId;
    PageCommand page;
};

constexpr std::array PageCommands{
    PageEntry{7, {PageAirHumidity, 1000, 758}},       PageEntry{8, {PageWaterVapour, 1000, 758}},
    PageEntry{9, {PageTemperatureScales, 1000, 758}}, PageEntry{23, {PageTale, 1000, 758}},
    PageEntry{24, {PageTextbook, 1000, 758}},         PageEntry{25, {PageAugust, 1000, 758}},
    PageEntry{26, {PageAssmann, 1000, 758}},          PageEntry{27, {PageLicence, 650, 654}},
    PageEntry{29, {PageContact, 637, 480}},
};

void OpenPage(ProgramState& state, const PageCommand& page) {
    // Decoded afresh each time; the viewer copies the pixels, so replacing the stored
    // copy cannot disturb a viewer that is still open.
    if (!LoadEmbeddedImage(page.pageId, EmbeddedImage(page.pageId))) {
        return;
    }
    OpenPageViewer(page.pageId, page.width, page.height);
    // Every page, the licence and contact pages included, becomes the one the viewer's
    // Save and Print act on: they must act on the page the user is looking at.
    state.currentPage = page.pageId;
}

} // namespace

const std::string_view AboutText =
    "Зорвел, версия 1.1\n"
    "\n"
    "Калкулатор за психрометър със сух и мокър термометър. От показанията на сухия и "
    "мокрия термометър в градуси Целзий и от атмосферното налягане в [hPa], [mBar] или "
    "[mmHg] (или от надморската височина на мястото в [m], ако нямате барометър) "
    "програмата изчислява абсолютната и относителната влажност на въздуха, точката на "
    "оросяване, налягането на наситените водни пари и парциалното налягане на водните "
    "пари.\n"
    "\n"
    "Програмата е безплатна (freeware) и се разпространява при условията на "
    "лицензионното споразумение от менюто „Помагало“.";

std::optional<PageCommand> PageOfCommand(int commandId) {
    for (const PageEntry& entry : PageCommands) {
        if (entry.commandId == commandId) {
            return entry.page;
        }
    }
    return std::nullopt;
}

void RunMenuCommand(ProgramState& state, int commandId) {
    for (const UnitCommand& command : UnitCommands) {
        if (command.commandId == commandId) {
            state.barometerUnit = command.unit;
            toolkit::SetStatusFieldText(StatusBar, UnitField, command.statusText,
                                        toolkit::Raised | toolkit::RightAligned);
            return;
        }
    }
    for (const TypeCommand& command : TypeCommands) {
        if (command.commandId == commandId) {
            state.psychrometerType = command.type;
            toolkit::SetStatusFieldText(StatusBar, TypeField, command.statusText, toolkit::Centred);
            return;
        }
    }
    if (const auto page = PageOfCommand(commandId)) {
        OpenPage(state, *page);
        return;
    }
    switch (commandId) {
    case AboutCommand:
        toolkit::MessageBox(AboutCaption, AboutText);
        break;
    case QuitCommand:
        state.quitRequested = true;
        break;
    case SavePageCommand:
        SavePage(state.currentPage);
        break;
    case PrintPageCommand:
        PrintPage(state.currentPage);
        break;
    default:
        break;
    }
}
