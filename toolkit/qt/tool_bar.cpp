// The program's toolbars with the standard save and print images.
#include "internal/qt_state.h"

#include <QToolButton>

// Resources of a static library have to be registered by hand.
static void RegisterToolkitIcons() {
    Q_INIT_RESOURCE(icons);
}

namespace toolkit {
namespace {

// The icon theme's image where one is installed, otherwise the one we carry, so that a
// button is never blank.
QIcon StandardImage(int standardImage) {
    static const bool registered = (RegisterToolkitIcons(), true);
    (void)registered;
    switch (standardImage) {
    case StandardImageSave:
        return QIcon::fromTheme(QStringLiteral("document-save"),
                                QIcon(QStringLiteral(":/toolkit/save.png")));
    case StandardImagePrint:
        return QIcon::fromTheme(QStringLiteral("document-print"),
                                QIcon(QStringLiteral(":/toolkit/print.png")));
    default:
        return {};
    }
}

} // namespace

bool CreateToolBar(int toolBarId, int windowId) {
    ToolkitState& state = State();
    state.toolBars.Remove(toolBarId);
    ToolkitWindow* const window = WindowById(windowId);
    if (window == nullptr) {
        return false;
    }
    auto* const bar = new QToolBar(window);
    bar->setObjectName(QStringLiteral("toolbar-%1").arg(toolBarId));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(24, 24));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    window->AttachToolBar(bar);
    state.toolBars.Put(toolBarId, BarEntry<QToolBar>{WidgetHandle<QToolBar>(bar), windowId});
    state.lastToolBar = bar;
    state.lastToolBarWindow = windowId;
    return true;
}

void AddToolBarButton(int commandId, int standardImage, std::string_view toolTip) {
    ToolkitState& state = State();
    QToolBar* const bar = state.lastToolBar.data();
    if (bar == nullptr) {
        return;
    }
    auto* const action = new QAction(StandardImage(standardImage), QString(), bar);
    action->setObjectName(QStringLiteral("command-%1").arg(commandId));
    if (!toolTip.empty()) {
        action->setToolTip(ToQString(toolTip));
    }
    const int windowId = state.lastToolBarWindow;
    QObject::connect(action, &QAction::triggered, action, [commandId, windowId] {
        QueueEvent({MenuEvent, commandId, windowId, EventDetail::None});
    });
    bar->addAction(action);
    if (auto* const button = qobject_cast<QToolButton*>(bar->widgetForAction(action))) {
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    if (ToolkitWindow* const window = WindowById(windowId)) {
        window->RefitToolStrip();
    }
}

} // namespace toolkit
