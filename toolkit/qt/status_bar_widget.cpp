#include "internal/status_bar_widget.h"

#include "internal/window_widget.h"
#include "toolkit/status_layout.h"
#include "toolkit/toolkit.h"

#include <QApplication>
#include <QFontMetrics>

#include <algorithm>

namespace toolkit {
namespace {

// Room between a right-aligned text and its field's border.
constexpr int RightAlignedIndent = 4;

// The smallest face a field's text is shrunk to before it may be cut off after all.
constexpr qreal MinFieldPointSize = 6.0;
constexpr qreal PointSizeStep = 0.5;

// On a narrow screen an automatic field can be narrower than its text (1024 pixels leave
// 237 for "Използвате психрометър с аспирация"): the whole text in a smaller face reads
// better than one cut off at both ends.
void FitTextIntoField(QLabel& field, const QFont& barFont) {
    QFont font = barFont;
    const int room = field.contentsRect().width();
    const QString text = field.text();
    while (font.pointSizeF() > MinFieldPointSize &&
           QFontMetrics(font).horizontalAdvance(text) > room) {
        font.setPointSizeF(std::max(MinFieldPointSize, font.pointSizeF() - PointSizeStep));
    }
    field.setFont(font);
}

// Frame, alignment and margins of a field for the options of SetStatusFieldText.
void ApplyLook(QLabel& field, unsigned options) {
    if ((options & toolkit::Raised) != 0) {
        field.setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    } else if ((options & toolkit::Borderless) != 0) {
        field.setFrameStyle(QFrame::NoFrame);
    } else {
        field.setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    }
    Qt::Alignment horizontal = Qt::AlignLeft;
    int rightIndent = 0;
    if ((options & toolkit::Centred) != 0) {
        horizontal = Qt::AlignHCenter;
    } else if ((options & toolkit::RightAligned) != 0) {
        horizontal = Qt::AlignRight;
        rightIndent = RightAlignedIndent;
    }
    field.setAlignment(horizontal | Qt::AlignVCenter);
    field.setContentsMargins(2, 0, 2 + rightIndent, 0);
}

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
    // The field's margins are its only padding, so that its text can be fitted to it.
    field->setIndent(0);
    field->show();
    widths_.push_back(width);
    fields_.push_back(field);
    options_.push_back(NoOptionsYet);
    PlaceFields();
}

void StatusBarWidget::SetFieldText(int index, const QString& text, unsigned options) {
    QLabel* const field = Field(index);
    if (field == nullptr) {
        return;
    }
    // The clock writes its field ten times a second and changes it once: a field that
    // already shows the text in the same look is left alone, so that such a write costs
    // no layout, no measuring and no repaint.
    unsigned& shownOptions = options_[static_cast<std::size_t>(index)];
    if (shownOptions == options && field->text() == text) {
        return;
    }
    if (shownOptions != options) {
        ApplyLook(*field, options);
        shownOptions = options;
    }
    field->setText(text);
    // A text that can only be read whole in a wider field moves the fields' edges.
    const std::vector<int> edges = RightEdges();
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (fields_[i]->geometry().x() + fields_[i]->width() != edges[i]) {
            PlaceFields();
            return;
        }
    }
    FitTextIntoField(*field, font());
}

QLabel* StatusBarWidget::Field(int index) const {
    return index >= 0 && index < FieldCount() ? fields_[static_cast<std::size_t>(index)] : nullptr;
}

std::vector<int> StatusBarWidget::RightEdges() const {
    QFont smallest = font();
    smallest.setPointSizeF(MinFieldPointSize);
    std::vector<int> wanted;
    std::vector<int> least;
    for (const QLabel* const field : fields_) {
        const QString text = field->text();
        const QMargins margins = field->contentsMargins();
        const int around = margins.left() + margins.right() + 2 * field->frameWidth();
        wanted.push_back(text.isEmpty() ? 0
                                        : QFontMetrics(font()).horizontalAdvance(text) + around);
        least.push_back(text.isEmpty() ? 0
                                       : QFontMetrics(smallest).horizontalAdvance(text) + around);
    }
    return StatusFieldRightEdges(widths_, UsableWidth(), wanted, least);
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
        FitTextIntoField(*fields_[i], font());
        left = edges[i];
    }
}

} // namespace toolkit
