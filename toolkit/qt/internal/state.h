// Everything the toolkit holds between calls. One instance, owned by State(); the
// application object comes before every other Qt member so that it goes last.
#pragma once

#include "internal/event_queue.h"
#include "internal/id_table.h"
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

enum class ControlKind { TextField, Label, Frame, Button, Picture };

struct WindowEntry {
    WidgetHandle<ToolkitWindow> widget;
    int owner = -1;
};

struct ControlEntry {
    WidgetHandle<QWidget> widget;
    int window = -1;
    ControlKind kind = ControlKind::Label;
};

template <class W> struct BarEntry {
    WidgetHandle<W> widget;
    int window = -1;
};

struct PrintJob {
    std::unique_ptr<QPrinter> printer;
    std::unique_ptr<QPainter> painter; // alive while a page is open
    bool drawing = false;
};

struct ToolkitState {
    // What the application object is built from (it keeps references to them).
    std::string programName;
    std::array<char*, 2> qtArguments{};
    int qtArgumentCount = 0;
    std::unique_ptr<QApplication> application;
    std::unique_ptr<QTranslator> translator; // Qt's own texts in Bulgarian
    bool translationTried = false;
    QIcon programIcon;

    EventQueue events;
    Event lastEvent;

    IdTable<WindowEntry> windows;
    IdTable<ControlEntry> controls;
    IdTable<std::unique_ptr<Font>> fonts;
    IdTable<BarEntry<QMenuBar>> menuBars;
    IdTable<BarEntry<StatusBarWidget>> statusBars;
    IdTable<BarEntry<QToolBar>> toolBars;

    int gadgetTarget = -1;
    // Where AddMenuTitle / AddMenuItem / AddStatusField / AddToolBarButton go.
    QPointer<QMenuBar> lastMenuBar;
    int lastMenuBarWindow = -1;
    QPointer<QMenu> currentMenu;
    QPointer<StatusBarWidget> lastStatusBar;
    QPointer<QToolBar> lastToolBar;
    int lastToolBarWindow = -1;

    std::string messageBoxLog;
    std::string printToPdf;
    PrintJob print;
};

ToolkitState& State();
bool Started();

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

void QueueEvent(const Event& event);

QString ToQString(std::string_view text);
std::string ToUtf8(const QString& text);

} // namespace toolkit
