// Drawn pictures on a QImage, smoothed.
#include "internal/qt_state.h"
#include "toolkit/drawing_geometry.h"

#include <QFontMetricsF>

namespace toolkit {

struct DrawnPicture::Impl {
    QImage image;
};

namespace {

constexpr int MaxSide = 32767;

QColor ToQColor(Colour colour) {
    return QColor::fromRgb(static_cast<QRgb>(colour) & 0xFFFFFFu);
}

// A new painter per call: a QImage may not be painted on by two at once, and none stays
// open between the program's calls.
class Painter {
  public:
    explicit Painter(QImage& image) : painter_(&image) {
        painter_.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    }
    QPainter* operator->() { return &painter_; }

  private:
    QPainter painter_;
};

// Grey smoothing only: coloured fringes would show on paper and in a saved picture.
QFont PictureFont(const Font& font) {
    QFont picture = font.qfont;
    picture.setStyleStrategy(
        static_cast<QFont::StyleStrategy>(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    return picture;
}

QPolygonF ToPolygon(std::span<const Point> points) {
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const Point& point : points) {
        polygon << QPointF(point.x, point.y);
    }
    return polygon;
}

} // namespace

DrawnPicture::DrawnPicture(int width, int height) {
    if (!Started() || width < 1 || height < 1 || width > MaxSide || height > MaxSide) {
        return;
    }
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) {
        return;
    }
    image.fill(Qt::white);
    impl_ = std::make_unique<Impl>(Impl{std::move(image)});
}

DrawnPicture::~DrawnPicture() = default;
DrawnPicture::DrawnPicture(DrawnPicture&&) noexcept = default;
DrawnPicture& DrawnPicture::operator=(DrawnPicture&&) noexcept = default;

void DrawnPicture::Polyline(std::span<const Point> points, const Pen& pen) {
    if (!impl_ || points.size() < 2) {
        return;
    }
    Painter painter(impl_->image);
    QPen qpen(ToQColor(pen.colour), std::max(pen.width, 1.0));
    qpen.setCapStyle(Qt::FlatCap);
    qpen.setJoinStyle(Qt::RoundJoin);
    painter->setPen(qpen);
    painter->setBrush(Qt::NoBrush);
    painter->drawPolyline(ToPolygon(points));
}

void DrawnPicture::FillCircle(Point centre, double radius, Colour colour) {
    if (!impl_ || radius <= 0) {
        return;
    }
    Painter painter(impl_->image);
    painter->setPen(Qt::NoPen);
    painter->setBrush(ToQColor(colour));
    painter->drawEllipse(QPointF(centre.x, centre.y), radius, radius);
}

void DrawnPicture::Text(int fontId, std::string_view text, Point at, unsigned anchor,
                        Colour colour) {
    const std::unique_ptr<Font>* const font = State().fonts.Find(fontId);
    if (!impl_ || font == nullptr || text.empty()) {
        return;
    }
    const QFont qfont = PictureFont(**font);
    const QString qtext = ToQString(text);
    const QFontMetricsF metrics(qfont);
    const Point start = BaselineStart(anchor, metrics.horizontalAdvance(qtext), metrics.ascent(),
                                      metrics.descent());
    Painter painter(impl_->image);
    painter->setFont(qfont);
    painter->setPen(ToQColor(colour));
    painter->drawText(QPointF(at.x + start.x, at.y + start.y), qtext);
}

PixelBuffer DrawnPicture::Pixels() const {
    if (!impl_) {
        return {};
    }
    const QImage& image = impl_->image;
    return BufferFromTopDownRgb32(reinterpret_cast<const std::uint32_t*>(image.constBits()),
                                  image.width(), image.height(),
                                  static_cast<int>(image.bytesPerLine() / 4));
}

} // namespace toolkit
