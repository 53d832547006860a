// The program's status bars.
#include "internal/qt_state.h"
#include "internal/status_bar_widget.h"

namespace toolkit {

bool CreateStatusBar(int statusBarId, int windowId) {
    ToolkitState& state = State();
    state.statusBars.Remove(statusBarId);
    ToolkitWindow* const window = WindowById(windowId);
    if (window == nullptr) {
        return false;
    }
    auto* const bar = new StatusBarWidget(window->Client());
    bar->setObjectName(QStringLiteral("statusbar-%1").arg(statusBarId));
    bar->Place();
    bar->show();
    state.statusBars.Put(statusBarId,
                         BarEntry<StatusBarWidget>{WidgetHandle<StatusBarWidget>(bar), windowId});
    state.lastStatusBar = bar;
    return true;
}

void AddStatusField(int width) {
    if (StatusBarWidget* const bar = State().lastStatusBar.data()) {
        bar->AddField(width);
    }
}

void SetStatusFieldText(int statusBarId, int field, std::string_view text, unsigned options) {
    const BarEntry<StatusBarWidget>* const entry = State().statusBars.Find(statusBarId);
    if (entry != nullptr && entry->widget) {
        entry->widget->SetFieldText(field, ToQString(text), options);
    }
}

} // namespace toolkit
