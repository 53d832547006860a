// Everything the Qt toolkit holds between calls. One instance, owned by State(); the
// application object lives in the first base, so that it goes after every Qt object.
#pragma once

#include "internal/backend.h"
#include "internal/status_bar_widget.h"
#include "internal/widget_handle.h"
#include "internal/window_widget.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QToolBar>
#include <QTranslator>

#include <array>
#include <memory>
#include <string>

namespace toolkit {

struct Font {
    QFont qfont;
};

struct WindowEntry {
    WidgetHandle<ToolkitWindow> widget;
    int owner = -1;
    // What OpenWindow was asked for: a Hidden window is shown by RevealWindow with it.
    unsigned options = 0;
    QSize inner;
};

struct ControlEntry {
    WidgetHandle<QWidget> widget;
    int windowId = -1;
    ControlKind kind = ControlKind::Label;
    FontRef font = nullptr; // as the program gave it; a label may show it smaller
};

template <class W> struct BarEntry {
    WidgetHandle<W> widget;
    int windowId = -1;
};

struct PrintJob {
    std::unique_ptr<QPrinter> printer;
    std::unique_ptr<QPainter> painter; // alive while a page is open
    bool drawing = false;
};

struct QtApplication {
    // What the application object is built from (it keeps references to them).
    std::string programName;
    std::array<char*, 2> qtArguments{};
    int qtArgumentCount = 0;
    std::unique_ptr<QApplication> application;
};

struct ToolkitState : QtApplication,
                      ObjectTables<WindowEntry, ControlEntry, BarEntry<QMenuBar>,
                                   BarEntry<StatusBarWidget>, BarEntry<QToolBar>> {
    std::unique_ptr<QTranslator> translator; // Qt's own texts in Bulgarian
    bool translationTried = false;
    QIcon programIcon;

    IdTable<std::unique_ptr<Font>> fonts;

    // Where AddMenuTitle / AddMenuItem / AddStatusField / AddToolBarButton go.
    QPointer<QMenuBar> lastMenuBar;
    int lastMenuBarWindow = -1;
    QPointer<QMenu> currentMenu;
    QPointer<StatusBarWidget> lastStatusBar;
    QPointer<QToolBar> lastToolBar;
    int lastToolBarWindow = -1;

    PrintJob print;
};

ToolkitState& State();

// Qt's own dialogs and menus (file, print, the questions they ask, a text field's context
// menu) speak Bulgarian like the rest of the program, whatever the user's locale. Loads
// the translation the first time it is called: before the first dialog and before the
// loop first waits for the user, so nothing of Qt's is ever seen in English.
void UseBulgarianQtTexts();

ToolkitWindow* WindowById(int windowId);
QWidget* ControlById(int controlId);
ControlEntry* ControlEntryById(int controlId);
// The program's id of a control widget, -1 when it is none of the program's controls.
int ControlIdOf(const QWidget* widget);

// Every label given font shows its whole text, in a smaller face if it must.
void FitLabelFonts(FontRef font);
// The controls given the font of fontId stop naming it: it is about to go.
void ForgetFont(int fontId);

QString ToQString(std::string_view text);
std::string ToUtf8(const QString& text);

} // namespace toolkit
