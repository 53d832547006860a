#include "ui/toolkit/internal/status_bar_widget.h"

#include "ui/toolkit/internal/window_widget.h"
#include "ui/toolkit/status_layout.h"
#include "ui/toolkit/toolkit.h"

#include <QApplication>

#include <algorithm>

namespace toolkit {
namespace {

// Room between a right-aligned text and its field's border.
constexpr int RightAlignedIndent = 4;

bool WindowIsSizeable(const QWidget& bar) {
    const auto* const window = qobject_cast<const ToolkitWindow*>(bar.window());
    return window != nullptr && window->IsResizable();
}

} // namespace

StatusBarWidget::StatusBarWidget(QWidget* client) : QFrame(client), grip_(new QSizeGrip(this)) {
    setFrameStyle(QFrame::NoFrame);
    // A status bar paints its own face in the platform's colours, whatever the window
    // behind it is painted in; its fields show through to that face.
    QPalette palette = this->palette();
    const QPalette defaults = QApplication::palette(this);
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (const auto role : {QPalette::Window, QPalette::WindowText}) {
            palette.setColor(group, role, defaults.color(group, role));
        }
    }
    setPalette(palette);
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
}

void StatusBarWidget::AddField(int width) {
    if (FieldCount() >= MaxFields) {
        return;
    }
    auto* const field = new QLabel(this);
    field->setObjectName(QStringLiteral("status-field-%1").arg(FieldCount()));
    field->setTextFormat(Qt::PlainText);
    field->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    field->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    field->show();
    widths_.push_back(width);
    fields_.push_back(field);
    PlaceFields();
}

void StatusBarWidget::SetFieldText(int index, const QString& text, unsigned options) {
    QLabel* const field = Field(index);
    if (field == nullptr) {
        return;
    }
    if ((options & toolkit::Raised) != 0) {
        field->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    } else if ((options & toolkit::Borderless) != 0) {
        field->setFrameStyle(QFrame::NoFrame);
    } else {
        field->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    }
    Qt::Alignment horizontal = Qt::AlignLeft;
    int rightIndent = 0;
    if ((options & toolkit::Centred) != 0) {
        horizontal = Qt::AlignHCenter;
    } else if ((options & toolkit::RightAligned) != 0) {
        horizontal = Qt::AlignRight;
        rightIndent = RightAlignedIndent;
    }
    field->setAlignment(horizontal | Qt::AlignVCenter);
    field->setContentsMargins(2, 0, 2 + rightIndent, 0);
    field->setText(text);
}

QLabel* StatusBarWidget::Field(int index) const {
    return index >= 0 && index < FieldCount() ? fields_[static_cast<std::size_t>(index)] : nullptr;
}

std::vector<int> StatusBarWidget::RightEdges() const {
    return StatusFieldRightEdges(widths_, UsableWidth());
}

int StatusBarWidget::UsableWidth() const {
    return StatusUsableWidth(width(), height(), WindowIsSizeable(*this), window()->isMaximized());
}

void StatusBarWidget::Place() {
    const QWidget* const client = parentWidget();
    const int barHeight = std::max(MinHeight, fontMetrics().height() + 8);
    setGeometry(0, client->height() - barHeight, client->width(), barHeight);
    raise();
    PlaceFields();
}

void StatusBarWidget::PlaceFields() {
    const bool gripShown = WindowIsSizeable(*this) && !window()->isMaximized();
    grip_->setVisible(gripShown);
    if (gripShown) {
        const int side = height() - 3;
        grip_->setGeometry(width() - side, height() - side, side, side);
    }
    const std::vector<int> edges = RightEdges();
    int left = 0;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        fields_[i]->setGeometry(left, 2, std::max(0, edges[i] - left), height() - 2);
        left = edges[i];
    }
}

} // namespace toolkit
