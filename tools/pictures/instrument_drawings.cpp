#include "instrument_drawings.h"

#include "canvas.h"

#include <QPainterPath>

#include <cmath>
#include <random>

namespace pictures {
namespace {

// All four drawings are designed on this grid and scaled uniformly into their frame.
constexpr QSizeF kDesign(240.0, 440.0);

void FitDesign(QPainter& painter, const QRectF& frame) {
    const double scale =
        std::min(frame.width() / kDesign.width(), frame.height() / kDesign.height());
    painter.translate(frame.center());
    painter.scale(scale, scale);
    painter.translate(-kDesign.width() / 2.0, -kDesign.height() / 2.0);
}

QPen InkPen(double width = 1.4) {
    return QPen(QColor(25, 25, 30), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A numbered call-out: a leader from the circled number to the part it names.
void CallOut(QPainter& painter, int number, QPointF label, QPointF target) {
    painter.save();
    const double radius = 9.0;
    const QPointF direction = target - label;
    const double length = std::hypot(direction.x(), direction.y());
    const QPointF start = label + direction * (radius / length);
    painter.setPen(QPen(QColor(25, 25, 30), 0.9));
    painter.drawLine(start, target);
    painter.setBrush(QColor(25, 25, 30));
    painter.drawEllipse(target, 1.6, 1.6);
    painter.setBrush(Qt::white);
    painter.setPen(QPen(QColor(25, 25, 30), 1.1));
    painter.drawEllipse(label, radius, radius);
    painter.setFont(SansFont(12, true));
    painter.drawText(QRectF(label.x() - radius, label.y() - radius, 2 * radius, 2 * radius),
                     Qt::AlignCenter, QString::number(number));
    painter.restore();
}

// A glass thermometer drawn as lines: stem, capillary and bulb.
void LineThermometer(QPainter& painter, double x, double top, double bulbY) {
    painter.setPen(InkPen());
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(x - 6.0, top, 12.0, bulbY - top - 6.0), 5.0, 5.0);
    painter.drawEllipse(QPointF(x, bulbY), 9.0, 11.0);
    painter.setPen(QPen(QColor(25, 25, 30), 1.8));
    painter.drawLine(QPointF(x, bulbY - 10.0), QPointF(x, top + 110.0));
    painter.setPen(QPen(QColor(25, 25, 30), 0.8));
    for (int i = 0; i <= 20; ++i) {
        const double y = top + 18.0 + i * 11.0;
        const double tick = (i % 5 == 0) ? 7.0 : 4.0;
        painter.drawLine(QPointF(x + 6.0, y), QPointF(x + 6.0 + tick, y));
    }
}

void Arrow(QPainter& painter, QPointF from, QPointF to, QColor colour) {
    painter.save();
    painter.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(from, to);
    const QPointF d = to - from;
    const double length = std::hypot(d.x(), d.y());
    const QPointF unit = d / length;
    const QPointF normal(-unit.y(), unit.x());
    QPolygonF head;
    head << to << to - unit * 7.0 + normal * 3.5 << to - unit * 7.0 - normal * 3.5;
    painter.setBrush(colour);
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(head);
    painter.restore();
}

// --- shaded pieces for the illustrations ---

void StudioBackdrop(QPainter& painter, const QRectF& frame, QColor top, QColor bottom) {
    QLinearGradient wall(frame.topLeft(), frame.bottomLeft());
    wall.setColorAt(0.0, top);
    wall.setColorAt(1.0, bottom);
    painter.fillRect(frame, wall);
    QRadialGradient light(
        QPointF(frame.left() + frame.width() * 0.35, frame.top() + frame.height() * 0.3),
        frame.height() * 0.75);
    light.setColorAt(0.0, QColor(255, 255, 255, 70));
    light.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.fillRect(frame, light);
}

// The inside of a white louvred weather screen, lit from the upper left.
void ScreenLouvres(QPainter& painter, const QRectF& frame) {
    painter.fillRect(frame, QColor(206, 206, 200));
    const double slat = 22.0;
    for (double y = frame.top() - slat / 2; y < frame.bottom(); y += slat) {
        QLinearGradient band(QPointF(0, y), QPointF(0, y + slat));
        band.setColorAt(0.0, QColor(250, 250, 246));
        band.setColorAt(0.55, QColor(226, 226, 220));
        band.setColorAt(0.8, QColor(150, 150, 144));
        band.setColorAt(1.0, QColor(96, 96, 92));
        painter.fillRect(QRectF(frame.left(), y, frame.width(), slat), band);
    }
    // The corner posts of the screen.
    for (const double x : {frame.left(), frame.right() - 16.0}) {
        QLinearGradient post(QPointF(x, 0), QPointF(x + 16.0, 0));
        post.setColorAt(0.0, QColor(200, 200, 194));
        post.setColorAt(0.5, QColor(245, 245, 240));
        post.setColorAt(1.0, QColor(170, 170, 164));
        painter.fillRect(QRectF(x, frame.top(), 16.0, frame.height()), post);
    }
    QRadialGradient light(QPointF(frame.left() + frame.width() * 0.3, frame.top()),
                          frame.height() * 0.9);
    light.setColorAt(0.0, QColor(255, 255, 255, 40));
    light.setColorAt(1.0, QColor(0, 0, 0, 70));
    painter.fillRect(frame, light);
}

// Fine grain and a darker rim, as a camera would give; a fixed seed keeps it reproducible.
void PhotoFinish(QPainter& painter, const QRectF& frame, unsigned seed) {
    QRadialGradient vignette(frame.center(), std::hypot(frame.width(), frame.height()) * 0.6);
    vignette.setColorAt(0.6, QColor(0, 0, 0, 0));
    vignette.setColorAt(1.0, QColor(0, 0, 0, 90));
    painter.fillRect(frame, vignette);

    std::mt19937 random(seed);
    std::uniform_real_distribution<double> x(frame.left(), frame.right());
    std::uniform_real_distribution<double> y(frame.top(), frame.bottom());
    std::uniform_int_distribution<int> shade(0, 1);
    painter.save();
    painter.setPen(Qt::NoPen);
    const int grains = static_cast<int>(frame.width() * frame.height() / 30.0);
    for (int i = 0; i < grains; ++i) {
        painter.setBrush(shade(random) ? QColor(255, 255, 255, 14) : QColor(0, 0, 0, 16));
        painter.drawRect(QRectF(x(random), y(random), 1.0, 1.0));
    }
    painter.restore();

    painter.setPen(QPen(QColor(30, 30, 30), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame.adjusted(0.5, 0.5, -0.5, -0.5));
}

QLinearGradient ChromeAcross(double left, double right) {
    QLinearGradient chrome(QPointF(left, 0), QPointF(right, 0));
    chrome.setColorAt(0.0, QColor(70, 74, 80));
    chrome.setColorAt(0.18, QColor(190, 195, 202));
    chrome.setColorAt(0.32, QColor(250, 251, 252));
    chrome.setColorAt(0.5, QColor(160, 166, 174));
    chrome.setColorAt(0.78, QColor(110, 115, 122));
    chrome.setColorAt(1.0, QColor(55, 58, 63));
    return chrome;
}

// A glass thermometer with a mercury thread, scale and highlights.
void GlassThermometer(QPainter& painter, double x, double top, double bulbY, double mercuryTop) {
    const QRectF stem(x - 6.0, top, 12.0, bulbY - top - 4.0);
    QLinearGradient glass(QPointF(x - 6.0, 0), QPointF(x + 6.0, 0));
    glass.setColorAt(0.0, QColor(200, 210, 215, 200));
    glass.setColorAt(0.3, QColor(250, 252, 252, 230));
    glass.setColorAt(0.7, QColor(225, 232, 236, 200));
    glass.setColorAt(1.0, QColor(160, 170, 178, 210));
    painter.setPen(QPen(QColor(120, 128, 135), 0.7));
    painter.setBrush(glass);
    painter.drawRoundedRect(stem, 5.5, 5.5);
    // Milk-glass scale plate inside the stem.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(248, 246, 238));
    painter.drawRect(QRectF(x + 0.5, top + 8.0, 4.5, bulbY - top - 22.0));
    painter.setPen(QPen(QColor(40, 40, 40), 0.5));
    for (int i = 0; i <= 40; ++i) {
        const double y = top + 12.0 + i * 5.5;
        painter.drawLine(QPointF(x + 1.0, y), QPointF(x + (i % 5 == 0 ? 4.6 : 3.0), y));
    }
    // Mercury thread and bulb.
    QLinearGradient mercury(QPointF(x - 1.2, 0), QPointF(x + 1.2, 0));
    mercury.setColorAt(0.0, QColor(120, 124, 130));
    mercury.setColorAt(0.5, QColor(240, 242, 245));
    mercury.setColorAt(1.0, QColor(90, 94, 100));
    painter.setPen(Qt::NoPen);
    painter.setBrush(mercury);
    painter.drawRect(QRectF(x - 1.3, mercuryTop, 2.6, bulbY - mercuryTop));
    QRadialGradient bulb(QPointF(x - 3.0, bulbY - 4.0), 11.0);
    bulb.setColorAt(0.0, QColor(255, 255, 255));
    bulb.setColorAt(0.35, QColor(185, 190, 198));
    bulb.setColorAt(1.0, QColor(70, 74, 80));
    painter.setBrush(bulb);
    painter.drawEllipse(QPointF(x, bulbY), 8.5, 10.5);
    // Highlight along the glass.
    painter.setPen(QPen(QColor(255, 255, 255, 200), 1.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(x - 3.5, top + 6.0), QPointF(x - 3.5, bulbY - 16.0));
}

void MuslinSleeve(QPainter& painter, double x, double bulbY, double height) {
    const QRectF sleeve(x - 11.0, bulbY - 16.0, 22.0, height);
    QLinearGradient cloth(QPointF(x - 11.0, 0), QPointF(x + 11.0, 0));
    cloth.setColorAt(0.0, QColor(170, 172, 168));
    cloth.setColorAt(0.35, QColor(250, 250, 246));
    cloth.setColorAt(1.0, QColor(150, 152, 150));
    painter.setPen(QPen(QColor(130, 130, 125), 0.6));
    painter.setBrush(cloth);
    painter.drawRoundedRect(sleeve, 7.0, 7.0);
    painter.setPen(QPen(QColor(160, 160, 155, 160), 0.6));
    for (double y = sleeve.top() + 4.0; y < sleeve.bottom() - 3.0; y += 4.0) {
        painter.drawLine(QPointF(sleeve.left() + 2.0, y), QPointF(sleeve.right() - 2.0, y + 1.5));
    }
}

} // namespace

void DrawAugustLineDrawing(QPainter& painter, const QRectF& frame) {
    painter.save();
    FitDesign(painter, frame);
    painter.setPen(InkPen());
    painter.setBrush(Qt::white);
    // Base and back board.
    painter.drawRect(QRectF(30.0, 404.0, 180.0, 14.0));
    painter.drawRect(QRectF(62.0, 24.0, 116.0, 380.0));
    painter.drawEllipse(QPointF(120.0, 36.0), 4.0, 4.0); // hanging hole
    // Two thermometers.
    LineThermometer(painter, 92.0, 52.0, 330.0);
    LineThermometer(painter, 148.0, 52.0, 330.0);
    // Muslin on the right bulb and its wick into the water cup.
    painter.setPen(InkPen(1.1));
    painter.setBrush(Qt::white);
    const QRectF sleeve(136.0, 314.0, 24.0, 34.0);
    painter.drawRoundedRect(sleeve, 7.0, 7.0);
    for (double y = sleeve.top() + 5.0; y < sleeve.bottom() - 2.0; y += 5.0) {
        painter.drawLine(QPointF(sleeve.left() + 2.0, y), QPointF(sleeve.right() - 2.0, y + 2.0));
    }
    QPainterPath wick;
    wick.moveTo(148.0, 348.0);
    wick.cubicTo(146.0, 360.0, 152.0, 368.0, 149.0, 392.0);
    painter.setPen(InkPen(2.2));
    painter.drawPath(wick);
    painter.setPen(InkPen());
    QPolygonF cup;
    cup << QPointF(128.0, 364.0) << QPointF(170.0, 364.0) << QPointF(166.0, 404.0)
        << QPointF(132.0, 404.0);
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(cup);
    painter.setPen(QPen(QColor(25, 25, 30), 0.8, Qt::DashLine));
    painter.drawLine(QPointF(130.5, 378.0), QPointF(167.5, 378.0));

    CallOut(painter, 1, QPointF(22.0, 120.0), QPointF(90.0, 150.0));
    CallOut(painter, 2, QPointF(218.0, 120.0), QPointF(150.0, 150.0));
    CallOut(painter, 3, QPointF(218.0, 300.0), QPointF(158.0, 326.0));
    CallOut(painter, 4, QPointF(218.0, 384.0), QPointF(166.0, 390.0));
    CallOut(painter, 5, QPointF(22.0, 240.0), QPointF(101.0, 250.0));
    CallOut(painter, 6, QPointF(22.0, 330.0), QPointF(66.0, 340.0));
    painter.restore();
}

void DrawAugustIllustration(QPainter& painter, const QRectF& frame) {
    painter.save();
    painter.setClipRect(frame);
    ScreenLouvres(painter, frame);
    FitDesign(painter, frame);
    // Shadow of the instrument on the wall behind it.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 70));
    painter.drawRoundedRect(QRectF(72.0, 32.0, 118.0, 384.0), 6.0, 6.0);
    // Varnished wooden board.
    QLinearGradient wood(QPointF(62.0, 0), QPointF(178.0, 0));
    wood.setColorAt(0.0, QColor(96, 56, 26));
    wood.setColorAt(0.25, QColor(168, 108, 56));
    wood.setColorAt(0.6, QColor(140, 86, 40));
    wood.setColorAt(1.0, QColor(82, 46, 20));
    painter.setBrush(wood);
    painter.drawRoundedRect(QRectF(62.0, 24.0, 116.0, 380.0), 4.0, 4.0);
    painter.setPen(QPen(QColor(70, 38, 14, 90), 0.8));
    for (int i = 0; i < 9; ++i) {
        QPainterPath grain;
        const double gx = 68.0 + i * 12.5;
        grain.moveTo(gx, 26.0);
        grain.cubicTo(gx + 6.0, 140.0, gx - 5.0, 260.0, gx + 3.0, 402.0);
        painter.drawPath(grain);
    }
    // Enamelled scale plates behind the thermometers.
    painter.setPen(QPen(QColor(150, 140, 120), 0.6));
    painter.setBrush(QColor(240, 236, 224));
    painter.drawRoundedRect(QRectF(78.0, 46.0, 30.0, 262.0), 2.0, 2.0);
    painter.drawRoundedRect(QRectF(134.0, 46.0, 30.0, 262.0), 2.0, 2.0);
    painter.setPen(QPen(QColor(50, 50, 50), 0.5));
    for (int i = 0; i <= 24; ++i) {
        const double y = 56.0 + i * 10.0;
        const double tick = (i % 5 == 0) ? 9.0 : 5.0;
        painter.drawLine(QPointF(80.0, y), QPointF(80.0 + tick, y));
        painter.drawLine(QPointF(136.0, y), QPointF(136.0 + tick, y));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 45));
    painter.drawRoundedRect(QRectF(93.0, 44.0, 12.0, 300.0), 6.0, 6.0);
    painter.drawRoundedRect(QRectF(149.0, 44.0, 12.0, 300.0), 6.0, 6.0);
    GlassThermometer(painter, 96.0, 40.0, 332.0, 150.0);
    GlassThermometer(painter, 152.0, 40.0, 332.0, 172.0);
    MuslinSleeve(painter, 152.0, 332.0, 32.0);
    // Wick and glass cup with water.
    QPainterPath wick;
    wick.moveTo(152.0, 362.0);
    wick.cubicTo(150.0, 372.0, 156.0, 380.0, 152.0, 396.0);
    painter.setPen(QPen(QColor(235, 235, 230), 3.0, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(wick);
    QPolygonF cup;
    cup << QPointF(130.0, 366.0) << QPointF(174.0, 366.0) << QPointF(170.0, 404.0)
        << QPointF(134.0, 404.0);
    QLinearGradient water(QPointF(0, 380.0), QPointF(0, 404.0));
    water.setColorAt(0.0, QColor(150, 190, 220, 170));
    water.setColorAt(1.0, QColor(70, 120, 170, 200));
    painter.setPen(Qt::NoPen);
    painter.setBrush(water);
    painter.drawPolygon(QPolygonF() << QPointF(131.5, 380.0) << QPointF(172.5, 380.0)
                                    << QPointF(170.0, 404.0) << QPointF(134.0, 404.0));
    QLinearGradient cupGlass(QPointF(130.0, 0), QPointF(174.0, 0));
    cupGlass.setColorAt(0.0, QColor(255, 255, 255, 120));
    cupGlass.setColorAt(0.2, QColor(255, 255, 255, 30));
    cupGlass.setColorAt(0.85, QColor(255, 255, 255, 20));
    cupGlass.setColorAt(1.0, QColor(255, 255, 255, 110));
    painter.setBrush(cupGlass);
    painter.setPen(QPen(QColor(230, 235, 240, 200), 0.9));
    painter.drawPolygon(cup);
    // Brass base on a shelf.
    QLinearGradient brass(QPointF(0, 404.0), QPointF(0, 418.0));
    brass.setColorAt(0.0, QColor(250, 220, 140));
    brass.setColorAt(0.5, QColor(180, 136, 50));
    brass.setColorAt(1.0, QColor(110, 80, 24));
    painter.setPen(Qt::NoPen);
    painter.setBrush(brass);
    painter.drawRoundedRect(QRectF(30.0, 404.0, 180.0, 14.0), 3.0, 3.0);
    painter.setBrush(QColor(0, 0, 0, 80));
    painter.drawEllipse(QRectF(26.0, 416.0, 196.0, 14.0));
    painter.resetTransform();
    PhotoFinish(painter, frame, 172u);
    painter.restore();
}

void DrawAssmannLineDrawing(QPainter& painter, const QRectF& frame) {
    painter.save();
    FitDesign(painter, frame);
    painter.setPen(InkPen());
    painter.setBrush(Qt::white);
    // Winding key and clockwork fan head.
    painter.drawRect(QRectF(114.0, 6.0, 12.0, 10.0));
    painter.drawRoundedRect(QRectF(104.0, 2.0, 32.0, 6.0), 2.0, 2.0);
    painter.drawRoundedRect(QRectF(80.0, 16.0, 80.0, 62.0), 10.0, 10.0);
    for (int i = 0; i < 5; ++i) {
        painter.drawLine(QPointF(86.0, 40.0 + i * 6.0), QPointF(98.0, 40.0 + i * 6.0));
        painter.drawLine(QPointF(142.0, 40.0 + i * 6.0), QPointF(154.0, 40.0 + i * 6.0));
    }
    // Central air duct, drawn cut open.
    painter.drawRect(QRectF(108.0, 78.0, 24.0, 262.0));
    painter.setPen(QPen(QColor(25, 25, 30), 0.8, Qt::DashLine));
    painter.drawLine(QPointF(113.0, 80.0), QPointF(113.0, 336.0));
    painter.drawLine(QPointF(127.0, 80.0), QPointF(127.0, 336.0));
    // Side rails holding the thermometers.
    painter.setPen(InkPen());
    painter.drawRect(QRectF(56.0, 86.0, 128.0, 8.0));
    // Thermometers.
    LineThermometer(painter, 70.0, 70.0, 372.0);
    LineThermometer(painter, 170.0, 70.0, 372.0);
    // Connecting piece from the two shields into the duct.
    painter.setPen(InkPen());
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(82.0, 336.0, 76.0, 18.0));
    // Double radiation shields round the bulbs, open at the bottom (cut-away).
    for (const double x : {70.0, 170.0}) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(InkPen());
        painter.drawRect(QRectF(x - 18.0, 344.0, 36.0, 72.0));
        painter.setPen(QPen(QColor(25, 25, 30), 0.9, Qt::DashLine));
        painter.drawRect(QRectF(x - 13.0, 350.0, 26.0, 64.0));
    }
    // Muslin on the right bulb.
    painter.setPen(InkPen(1.0));
    const QRectF sleeve(160.0, 356.0, 20.0, 30.0);
    painter.drawRoundedRect(sleeve, 6.0, 6.0);
    for (double y = sleeve.top() + 5.0; y < sleeve.bottom() - 2.0; y += 5.0) {
        painter.drawLine(QPointF(sleeve.left() + 2.0, y), QPointF(sleeve.right() - 2.0, y + 2.0));
    }
    // The air's path: in at the bottom, past the bulbs, up the duct, out at the fan.
    const QColor air(40, 100, 190);
    Arrow(painter, QPointF(70.0, 436.0), QPointF(70.0, 418.0), air);
    Arrow(painter, QPointF(170.0, 436.0), QPointF(170.0, 418.0), air);
    Arrow(painter, QPointF(120.0, 300.0), QPointF(120.0, 240.0), air);
    Arrow(painter, QPointF(120.0, 150.0), QPointF(120.0, 90.0), air);
    Arrow(painter, QPointF(80.0, 48.0), QPointF(60.0, 48.0), air);
    Arrow(painter, QPointF(160.0, 48.0), QPointF(180.0, 48.0), air);

    CallOut(painter, 1, QPointF(206.0, 24.0), QPointF(158.0, 30.0));
    CallOut(painter, 2, QPointF(40.0, 10.0), QPointF(106.0, 6.0));
    CallOut(painter, 3, QPointF(22.0, 190.0), QPointF(68.0, 200.0));
    CallOut(painter, 4, QPointF(218.0, 190.0), QPointF(172.0, 200.0));
    CallOut(painter, 5, QPointF(218.0, 330.0), QPointF(178.0, 362.0));
    CallOut(painter, 6, QPointF(22.0, 400.0), QPointF(52.0, 396.0));
    CallOut(painter, 7, QPointF(218.0, 262.0), QPointF(131.0, 262.0));
    painter.restore();
}

void DrawAssmannIllustration(QPainter& painter, const QRectF& frame) {
    painter.save();
    painter.setClipRect(frame);
    StudioBackdrop(painter, frame, QColor(205, 200, 190), QColor(120, 112, 100));
    FitDesign(painter, frame);
    // Soft shadow on the backdrop.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 45));
    painter.drawRoundedRect(QRectF(68.0, 24.0, 150.0, 410.0), 20.0, 20.0);
    // Thermometers first: the chrome parts stand in front of them.
    GlassThermometer(painter, 70.0, 70.0, 372.0, 170.0);
    GlassThermometer(painter, 170.0, 70.0, 372.0, 196.0);
    // Chrome rails, duct and connecting piece.
    painter.setPen(QPen(QColor(60, 62, 66), 0.6));
    painter.setBrush(ChromeAcross(108.0, 132.0));
    painter.drawRect(QRectF(108.0, 78.0, 24.0, 262.0));
    QLinearGradient rail(QPointF(0, 86.0), QPointF(0, 94.0));
    rail.setColorAt(0.0, QColor(240, 242, 245));
    rail.setColorAt(1.0, QColor(90, 95, 100));
    painter.setBrush(rail);
    painter.drawRect(QRectF(56.0, 86.0, 128.0, 8.0));
    QLinearGradient bridge(QPointF(0, 336.0), QPointF(0, 354.0));
    bridge.setColorAt(0.0, QColor(245, 246, 248));
    bridge.setColorAt(0.5, QColor(150, 155, 162));
    bridge.setColorAt(1.0, QColor(80, 84, 90));
    painter.setBrush(bridge);
    painter.drawRect(QRectF(82.0, 336.0, 76.0, 18.0));
    // Polished shields round the bulbs.
    for (const double x : {70.0, 170.0}) {
        painter.setBrush(ChromeAcross(x - 18.0, x + 18.0));
        painter.drawRoundedRect(QRectF(x - 18.0, 344.0, 36.0, 72.0), 3.0, 3.0);
        painter.setBrush(QColor(30, 32, 36));
        painter.drawEllipse(QRectF(x - 15.0, 410.0, 30.0, 8.0));
    }
    // Fan head with its key.
    painter.setBrush(ChromeAcross(80.0, 160.0));
    painter.drawRoundedRect(QRectF(80.0, 16.0, 80.0, 62.0), 10.0, 10.0);
    painter.setBrush(QColor(30, 32, 36));
    for (int i = 0; i < 5; ++i) {
        painter.drawRoundedRect(QRectF(88.0, 38.0 + i * 6.5, 12.0, 3.0), 1.5, 1.5);
        painter.drawRoundedRect(QRectF(140.0, 38.0 + i * 6.5, 12.0, 3.0), 1.5, 1.5);
    }
    painter.setBrush(ChromeAcross(114.0, 126.0));
    painter.drawRect(QRectF(114.0, 6.0, 12.0, 10.0));
    painter.setBrush(ChromeAcross(104.0, 136.0));
    painter.drawRoundedRect(QRectF(104.0, 2.0, 32.0, 6.0), 2.0, 2.0);
    painter.resetTransform();
    PhotoFinish(painter, frame, 173u);
    painter.restore();
}

} // namespace pictures
