// Every id the program gives the toolkit, named once. The toolkit counts in plain ints (it
// serves any program); the program speaks in these names and converts at the call with Id
// (common/id.h). The image ids are the picture store's, in pages/embedded_pictures.h.
// The numbers are fixed: the menu commands, for one, were numbered before the mBar item
// was added, which is why it stands second with id 18.
#pragma once

#include "common/id.h"

enum class WindowId : int {
    MainWindow = 0,
    PageViewerWindow = 199,
};

// The main window's controls, and the picture of the page viewer.
enum class ControlId : int {
    DryBulbField = 1,
    WetBulbField = 2,
    PressureField = 3,
    AbsoluteHumidityField = 4,
    RelativeHumidityField = 5,
    DewPointField = 6,
    SaturationPressureField = 7,
    VapourPressureField = 8,
    InputFrame = 9,
    InstructionTitle = 31,
    InstructionStep1 = 32,
    InstructionStep2 = 33,
    InstructionStep3 = 34,
    InstructionStep4 = 35,
    InstructionStep5 = 36,
    CalculateHint = 37,
    AbsoluteHumidityCaption = 38,
    RelativeHumidityCaption = 39,
    DewPointCaption = 40,
    SaturationPressureCaption = 41,
    VapourPressureCaption = 42,
    ClearHint = 43,
    CalculateButton = 45,
    InputCaption = 50,
    ClearButton = 66,
    PagePicture = 111,
    LogoPicture = 200,
};

enum class FontId : int {
    ButtonFont = 1,      // the Calculate hint and the two buttons
    FieldFont = 2,       // the input and output fields
    InstructionFont = 3, // the instruction steps and the input caption
    TitleFont = 4,       // the instruction title
    CaptionFont = 6,     // the result captions and the Clear hint
};

// Fonts of drawn pictures, in the same table as FontId's: the chart's texts, loaded again
// for each size they come in.
enum class PictureFontId : int { ChartFont = 7 };

// Menu items of the main window and toolbar buttons of the page viewer.
enum class CommandId : int {
    HpaCommand = 1,
    MmhgCommand = 2,
    AltitudeCommand = 3,
    AspiratedCommand = 4,
    NonAspiratedCommand = 5,
    AirHumidityCommand = 7,
    WaterVapourCommand = 8,
    TemperatureScalesCommand = 9,
    MbarCommand = 18,
    IceBulbCommand = 19,
    ChartCommand = 20,
    TaleCommand = 23,
    TextbookCommand = 24,
    AugustCommand = 25,
    AssmannCommand = 26,
    LicenceCommand = 27,
    AboutCommand = 28,
    ContactCommand = 29,
    QuitCommand = 30,
    SavePageCommand = 1001,
    PrintPageCommand = 1002,
};

enum class MenuBarId : int { MainMenuBar = 0 };
enum class ToolBarId : int { ViewerToolBar = 0 };
enum class StatusBarId : int { MainStatusBar = 0 };

// The fields of the main window's status bar, left to right.
enum class StatusFieldId : int {
    TemperatureUnitField = 0,
    PressureUnitField = 1,
    IceBulbField = 2, // empty unless the wet bulb is iced
    PsychrometerTypeField = 3,
    ClockField = 4,
};

enum class TimerId : int { ClockTimer = 123 };

// The picture store's id of the drawn chart, beside the catalogue's image ids.
enum class PictureId : int { ChartPicture = 180 };
