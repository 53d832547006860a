// The menu bar and its drop-down menus.
#include "internal/qt_state.h"

namespace toolkit {
namespace {

void PlaceLastMenuBar() {
    if (ToolkitWindow* const window = WindowById(State().lastMenuBarWindow)) {
        window->PlaceChildren();
    }
}

} // namespace

bool CreateMenuBar(int menuId, int windowId) {
    ToolkitState& state = State();
    state.menuBars.Remove(menuId);
    ToolkitWindow* const window = WindowById(windowId);
    if (window == nullptr) {
        return false;
    }
    // A window carries one menu bar; a new one replaces the old.
    state.menuBars.RemoveIf([window](int, const BarEntry<QMenuBar>& entry) {
        return entry.widget.get() == window->MenuBar();
    });
    auto* const menuBar = new QMenuBar(window);
    menuBar->setObjectName(QStringLiteral("menubar-%1").arg(menuId));
    menuBar->setNativeMenuBar(false);
    window->AttachMenuBar(menuBar);
    state.menuBars.Put(menuId, BarEntry<QMenuBar>{WidgetHandle<QMenuBar>(menuBar), windowId});
    state.lastMenuBar = menuBar;
    state.lastMenuBarWindow = windowId;
    state.currentMenu = nullptr;
    return true;
}

void AddMenuTitle(std::string_view text) {
    ToolkitState& state = State();
    if (state.lastMenuBar) {
        state.currentMenu = state.lastMenuBar->addMenu(ToQString(text));
        // A separator is drawn wherever the program puts one, also last in a menu.
        state.currentMenu->setSeparatorsCollapsible(false);
        PlaceLastMenuBar();
    }
}

void AddMenuItem(int commandId, std::string_view text) {
    ToolkitState& state = State();
    QWidget* const menu = state.currentMenu ? static_cast<QWidget*>(state.currentMenu.data())
                                            : static_cast<QWidget*>(state.lastMenuBar.data());
    if (menu == nullptr) {
        return;
    }
    auto* const item = new QAction(ToQString(text), menu);
    const int windowId = state.lastMenuBarWindow;
    QObject::connect(item, &QAction::triggered, item, [commandId, windowId] {
        QueueEvent({MenuEvent, commandId, windowId, EventDetail::None});
    });
    menu->addAction(item);
    PlaceLastMenuBar();
}

void AddMenuCheckItem(int commandId, std::string_view text) {
    AddMenuItem(commandId, text);
    QMenu* const menu = State().currentMenu.data();
    if (menu == nullptr || menu->actions().isEmpty()) {
        return;
    }
    QAction* const item = menu->actions().back();
    item->setCheckable(true);
    // Named after its command, so that SetMenuItemChecked finds it.
    item->setObjectName(QStringLiteral("command-%1").arg(commandId));
}

void SetMenuItemChecked(int menuId, int commandId, bool checked) {
    const BarEntry<QMenuBar>* const bar = State().menuBars.Find(menuId);
    if (bar == nullptr || !bar->widget) {
        return;
    }
    const QString name = QStringLiteral("command-%1").arg(commandId);
    if (auto* const item = bar->widget->findChild<QAction*>(name)) {
        item->setChecked(checked);
    }
}

void AddMenuSeparator() {
    if (QMenu* const menu = State().currentMenu.data()) {
        menu->addSeparator();
    }
}

} // namespace toolkit
