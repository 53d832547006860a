#include "ui/commands.h"

#include "calc/main_window_texts.h"
#include "pages/embedded_pictures.h"
#include "pages/picture_store.h"
#include "toolkit/toolkit.h"
#include "ui/chart_view.h"
#include "ui/page_viewer.h"
#include "ui/program_ids.h"

#include <array>

namespace {

using enum CommandId;
using namespace main_window_texts;

struct UnitCommand {
    CommandId commandId;
    BarometerUnit unit;
    std::string_view statusText;
};

constexpr std::array UnitCommands{
    UnitCommand{HpaCommand, BarometerUnit::Hpa, StatusHpa},
    UnitCommand{MbarCommand, BarometerUnit::Mbar, StatusMbar},
    UnitCommand{MmhgCommand, BarometerUnit::Mmhg, StatusMmhg},
    UnitCommand{AltitudeCommand, BarometerUnit::Altitude, StatusAltitude},
};

struct TypeCommand {
    CommandId commandId;
    PsychrometerType type;
    std::string_view statusText;
};

constexpr std::array TypeCommands{
    TypeCommand{AspiratedCommand, PsychrometerType::Aspirated, StatusAspirated},
    TypeCommand{NonAspiratedCommand, PsychrometerType::NonAspirated, StatusNonAspirated},
};

struct PageEntry {
    CommandId commandId;
    PageCommand page;
};

constexpr std::array PageCommands{
    PageEntry{AirHumidityCommand, {Id(ImageId::PageAirHumidity), 1000, 758}},
    PageEntry{WaterVapourCommand, {Id(ImageId::PageWaterVapour), 1000, 758}},
    PageEntry{TemperatureScalesCommand, {Id(ImageId::PageTemperatureScales), 1000, 758}},
    PageEntry{TaleCommand, {Id(ImageId::PageTale), 1000, 758}},
    PageEntry{TextbookCommand, {Id(ImageId::PageTextbook), 1000, 758}},
    PageEntry{AugustCommand, {Id(ImageId::PageAugust), 1000, 758}},
    PageEntry{AssmannCommand, {Id(ImageId::PageAssmann), 1000, 758}},
    PageEntry{LicenceCommand, {Id(ImageId::PageLicence), 650, 654}},
    PageEntry{ContactCommand, {Id(ImageId::PageContact), 637, 480}},
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

void ToggleWetBulbCover(ProgramState& state) {
    state.wetBulbCover =
        state.wetBulbCover == WetBulbCover::Ice ? WetBulbCover::Water : WetBulbCover::Ice;
    ShowWetBulbCover(state.wetBulbCover);
}

} // namespace

void ShowWetBulbCover(WetBulbCover cover) {
    const bool iced = cover == WetBulbCover::Ice;
    toolkit::SetMenuItemChecked(Id(MenuBarId::MainMenuBar), Id(IceBulbCommand), iced);
    toolkit::SetStatusFieldText(Id(StatusBarId::MainStatusBar), Id(StatusFieldId::IceBulbField),
                                iced ? StatusIceBulb : std::string_view(), toolkit::Centred);
}

std::optional<PageCommand> PageOfCommand(int commandId) {
    for (const PageEntry& entry : PageCommands) {
        if (Id(entry.commandId) == commandId) {
            return entry.page;
        }
    }
    return std::nullopt;
}

void RunMenuCommand(ProgramState& state, int commandId) {
    for (const UnitCommand& command : UnitCommands) {
        if (Id(command.commandId) == commandId) {
            state.barometerUnit = command.unit;
            toolkit::SetStatusFieldText(Id(StatusBarId::MainStatusBar),
                                        Id(StatusFieldId::PressureUnitField), command.statusText,
                                        toolkit::Raised | toolkit::RightAligned);
            return;
        }
    }
    for (const TypeCommand& command : TypeCommands) {
        if (Id(command.commandId) == commandId) {
            state.psychrometerType = command.type;
            toolkit::SetStatusFieldText(Id(StatusBarId::MainStatusBar),
                                        Id(StatusFieldId::PsychrometerTypeField),
                                        command.statusText, toolkit::Centred);
            return;
        }
    }
    if (const auto page = PageOfCommand(commandId)) {
        OpenPage(state, *page);
        return;
    }
    switch (static_cast<CommandId>(commandId)) {
    case IceBulbCommand:
        ToggleWetBulbCover(state);
        break;
    case ChartCommand:
        OpenChart(state);
        break;
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
