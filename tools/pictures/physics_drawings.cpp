#include "physics_drawings.h"

#include "canvas.h"

#include <QPainterPath>

#include <cmath>
#include <random>
#include <tuple>
#include <vector>

namespace pictures {
namespace {

const QColor kInk(30, 34, 44);
const QColor kAccent(52, 96, 160);
const QColor kWarm(196, 60, 40);

// Saturation vapour pressure over water with the pressure factor at 1013.25 hPa, as the
// calculator computes it.
double SaturationPressure(double t) {
    const double p = 1013.25;
    const double f = 1.0016 + 3.15e-6 * p - 0.074 / p;
    return f * 6.112 * std::exp(17.62 * t / (243.12 + t));
}

void Label(QPainter& painter, const QRectF& box, int flags, const QString& text, const QFont& font,
           QColor colour = kInk) {
    painter.save();
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(box, flags, text);
    painter.restore();
}

void Dot(QPainter& painter, QPointF at, QColor colour, double radius = 4.0) {
    painter.save();
    painter.setPen(QPen(Qt::white, 1.2));
    painter.setBrush(colour);
    painter.drawEllipse(at, radius, radius);
    painter.restore();
}

void DrawThermometerTube(QPainter& painter, double x, double top, double bottom, double fillY) {
    painter.save();
    const QRectF tube(x - 7.0, top, 14.0, bottom - top);
    QLinearGradient glass(QPointF(x - 7.0, 0), QPointF(x + 7.0, 0));
    glass.setColorAt(0.0, QColor(214, 222, 230));
    glass.setColorAt(0.35, QColor(255, 255, 255));
    glass.setColorAt(1.0, QColor(196, 204, 214));
    painter.setPen(QPen(QColor(120, 130, 142), 1.0));
    painter.setBrush(glass);
    painter.drawRoundedRect(tube, 7.0, 7.0);
    painter.drawEllipse(QPointF(x, bottom + 6.0), 12.0, 12.0);
    QLinearGradient liquid(QPointF(x - 4.0, 0), QPointF(x + 4.0, 0));
    liquid.setColorAt(0.0, QColor(170, 30, 24));
    liquid.setColorAt(0.4, QColor(236, 90, 70));
    liquid.setColorAt(1.0, QColor(150, 24, 20));
    painter.setPen(Qt::NoPen);
    painter.setBrush(liquid);
    painter.drawRect(QRectF(x - 3.0, fillY, 6.0, bottom + 4.0 - fillY));
    painter.drawEllipse(QPointF(x, bottom + 6.0), 9.0, 9.0);
    painter.setBrush(QColor(255, 255, 255, 150));
    painter.drawEllipse(QPointF(x - 3.5, bottom + 2.5), 2.6, 3.2);
    painter.restore();
}

} // namespace

void DrawVapourPressureChart(QPainter& painter, const QRectF& frame) {
    painter.save();
    const QFont axisFont = SansFont(15);
    const QFont noteFont = SansFont(15, false, true);
    Label(painter, QRectF(frame.left(), frame.top(), frame.width(), 22.0), Qt::AlignCenter,
          QStringLiteral("Налягане на наситената пара"), SansFont(16, true));
    const QRectF plot(frame.left() + 44.0, frame.top() + 34.0, frame.width() - 56.0,
                      frame.height() - 34.0 - 46.0);
    const double tMin = -20.0, tMax = 40.0, eMax = 80.0;
    auto at = [&](double t, double e) {
        return QPointF(plot.left() + (t - tMin) / (tMax - tMin) * plot.width(),
                       plot.bottom() - e / eMax * plot.height());
    };

    painter.fillRect(plot, QColor(250, 251, 253, 230));
    painter.setPen(QPen(QColor(214, 220, 230), 1.0));
    for (double t = tMin; t <= tMax; t += 10.0) {
        painter.drawLine(at(t, 0), at(t, eMax));
        Label(painter, QRectF(at(t, 0).x() - 20.0, plot.bottom() + 4.0, 40.0, 18.0),
              Qt::AlignHCenter | Qt::AlignTop, QString::number(t, 'f', 0).replace('-', u'−'),
              axisFont);
    }
    for (double e = 0; e <= eMax; e += 10.0) {
        painter.drawLine(at(tMin, e), at(tMax, e));
        Label(painter, QRectF(plot.left() - 40.0, at(tMin, e).y() - 9.0, 34.0, 18.0),
              Qt::AlignRight | Qt::AlignVCenter, QString::number(e, 'f', 0), axisFont);
    }
    painter.setPen(QPen(kInk, 1.4));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    Label(painter, QRectF(plot.left(), plot.bottom() + 22.0, plot.width(), 20.0),
          Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("t, °C"), SansFont(15, false, true));
    Label(painter, QRectF(plot.left() + 6.0, plot.top() + 2.0, 80.0, 20.0),
          Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("E, hPa"), SansFont(15, false, true));

    // The curve, with the region above it shaded: air cannot hold more vapour than that.
    QPainterPath curve;
    for (double t = tMin; t <= tMax + 0.01; t += 0.5) {
        const QPointF p = at(t, SaturationPressure(t));
        if (t == tMin) {
            curve.moveTo(p);
        } else {
            curve.lineTo(p);
        }
    }
    QPainterPath above = curve;
    above.lineTo(at(tMax, eMax));
    above.lineTo(at(tMin, eMax));
    above.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(52, 96, 160, 28));
    painter.drawPath(above);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kAccent, 2.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(curve);
    Label(painter, QRectF(at(-18, 66).x(), at(-18, 66).y(), 150.0, 60.0),
          Qt::AlignLeft | Qt::AlignTop, QStringLiteral("пара над\nнасищането\nкондензира"),
          noteFont, kAccent);
    Label(painter, QRectF(at(8, 68).x(), at(8, 68).y(), 120.0, 20.0), Qt::AlignLeft,
          QStringLiteral("E(t)"), SerifFont(17, true, true), kAccent);
    Label(painter, QRectF(at(24, 15).x(), at(24, 15).y(), 140.0, 40.0),
          Qt::AlignLeft | Qt::AlignTop, QStringLiteral("ненаситен\nвъздух"), noteFont);

    // The worked example: e = 19.6 hPa at t = 20.5 °C gives E = 24.2 hPa and Td = 17.1 °C.
    const double t = 20.5, e = 19.58, td = 17.12;
    const QPointF sample = at(t, e);
    painter.setPen(QPen(kWarm, 1.3, Qt::DashLine));
    painter.drawLine(sample, at(td, e));
    painter.drawLine(at(td, e), at(td, 0));
    painter.drawLine(sample, at(t, SaturationPressure(t)));
    Dot(painter, at(td, e), kAccent);
    Dot(painter, at(t, SaturationPressure(t)), kAccent);
    Dot(painter, sample, kWarm, 5.0);
    Label(painter, QRectF(sample.x() + 7.0, sample.y() - 4.0, 60.0, 20.0), Qt::AlignLeft,
          QStringLiteral("е"), SerifFont(18, true, true), kWarm);
    Label(painter, QRectF(at(t, 24.2).x() + 7.0, at(t, 24.2).y() - 16.0, 60.0, 20.0), Qt::AlignLeft,
          QStringLiteral("E"), SerifFont(18, true, true), kAccent);
    Label(painter, QRectF(at(td, 0).x() - 34.0, at(td, 0).y() - 24.0, 32.0, 20.0), Qt::AlignRight,
          QStringLiteral("Td"), SerifFont(17, true, true), kWarm);
    painter.restore();
}

void DrawHumidityPictures(QPainter& painter, const QRectF& frame) {
    painter.save();
    const QFont captionFont = SansFont(15.5);
    // A cubic metre of air seen at an angle, with the vapour it holds as fine dots.
    const double side = 128.0;
    const QPointF depth(52.0, -34.0);
    const QPointF front(frame.center().x() - (side + depth.x()) / 2.0, frame.top() + 54.0);
    const QRectF face(front, QSizeF(side, side));
    QPolygonF top, right;
    top << face.topLeft() << face.topLeft() + depth << face.topRight() + depth << face.topRight();
    right << face.topRight() << face.topRight() + depth << face.bottomRight() + depth
          << face.bottomRight();
    painter.setPen(QPen(kAccent, 1.4));
    painter.setBrush(QColor(214, 228, 246, 210));
    painter.drawPolygon(top);
    painter.setBrush(QColor(182, 204, 234, 210));
    painter.drawPolygon(right);
    painter.setBrush(QColor(232, 240, 251, 210));
    painter.drawRect(face);
    std::mt19937 random(174u);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 70; ++i) {
        const QPointF p(face.left() + 8.0 + u(random) * (side - 16.0),
                        face.top() + 8.0 + u(random) * (side - 16.0));
        painter.setBrush(QColor(52, 110, 190, 170));
        painter.drawEllipse(p, 2.6, 2.6);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 225));
    painter.drawRoundedRect(QRectF(face.center() - QPointF(34.0, 17.0), QSizeF(68.0, 34.0)), 6.0,
                            6.0);
    Label(painter, face, Qt::AlignCenter, QStringLiteral("1 m³"), SansFont(24, true), kInk);
    const double firstCaption = face.bottom() + 12.0;
    const double cubeText = DrawRichText(
        painter,
        QStringLiteral("Абсолютната влажност е масата на парата (точките) в един кубичен "
                       "метър: при 20 °C и 50 % относителна влажност тя е около 8.6 g."),
        QPointF(frame.left(), firstCaption), frame.width(), captionFont);

    // A glass of iced water gathering dew on the outside.
    const double glassTop = firstCaption + cubeText + 36.0;
    const double cx = frame.center().x();
    const double glassHeight = 150.0;
    QPolygonF glass;
    glass << QPointF(cx - 56.0, glassTop) << QPointF(cx + 56.0, glassTop)
          << QPointF(cx + 44.0, glassTop + glassHeight)
          << QPointF(cx - 44.0, glassTop + glassHeight);
    QLinearGradient water(QPointF(0, glassTop + 30.0), QPointF(0, glassTop + glassHeight));
    water.setColorAt(0.0, QColor(168, 206, 236));
    water.setColorAt(1.0, QColor(92, 146, 200));
    painter.setPen(Qt::NoPen);
    painter.setBrush(water);
    painter.drawPolygon(QPolygonF() << QPointF(cx - 52.0, glassTop + 30.0)
                                    << QPointF(cx + 52.0, glassTop + 30.0)
                                    << QPointF(cx + 44.0, glassTop + glassHeight)
                                    << QPointF(cx - 44.0, glassTop + glassHeight));
    for (const auto& [dx, dy, angle] :
         {std::tuple{-26.0, 26.0, 12.0}, {8.0, 22.0, -8.0}, {-8.0, 52.0, 20.0}}) {
        painter.save();
        painter.translate(cx + dx, glassTop + dy + 14.0);
        painter.rotate(angle);
        painter.setPen(QPen(QColor(255, 255, 255, 200), 1.2));
        painter.setBrush(QColor(230, 244, 252, 200));
        painter.drawRoundedRect(QRectF(-14.0, -12.0, 28.0, 24.0), 4.0, 4.0);
        painter.restore();
    }
    QLinearGradient pane(QPointF(cx - 56.0, 0), QPointF(cx + 56.0, 0));
    pane.setColorAt(0.0, QColor(255, 255, 255, 150));
    pane.setColorAt(0.18, QColor(255, 255, 255, 40));
    pane.setColorAt(0.8, QColor(255, 255, 255, 30));
    pane.setColorAt(1.0, QColor(255, 255, 255, 140));
    painter.setPen(QPen(QColor(120, 150, 180), 1.6));
    painter.setBrush(pane);
    painter.drawPolygon(glass);
    // Dew drops on the outside of the glass.
    std::uniform_real_distribution<double> along(0.08, 0.95);
    std::uniform_real_distribution<double> across(-1.0, 1.0);
    for (int i = 0; i < 38; ++i) {
        const double v = along(random);
        const double halfWidth = 56.0 - 12.0 * v - 6.0;
        const QPointF p(cx + across(random) * halfWidth, glassTop + v * glassHeight);
        const double r = 1.8 + 2.2 * u(random);
        painter.setPen(QPen(QColor(80, 120, 160, 160), 0.8));
        painter.setBrush(QColor(210, 232, 248, 220));
        painter.drawEllipse(p, r * 0.8, r);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawEllipse(p + QPointF(-r * 0.3, -r * 0.35), r * 0.25, r * 0.3);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 40));
    painter.drawEllipse(QPointF(cx, glassTop + glassHeight + 4.0), 60.0, 6.0);
    DrawRichText(painter,
                 QStringLiteral("Чаша с лед се запотява: стъклото е по-студено от точката на "
                                "оросяване и парата от въздуха около него кондензира."),
                 QPointF(frame.left(), glassTop + glassHeight + 18.0), frame.width(), captionFont);
    painter.restore();
}

void DrawTemperatureScales(QPainter& painter, const QRectF& frame) {
    painter.save();
    struct Point {
        double celsius;
        QString name;
    };
    const std::vector<Point> points = {
        {100.0, QStringLiteral("кипене\nна водата")},  {37.0, QStringLiteral("човешко\nтяло")},
        {20.0, QStringLiteral("стайна\nтемпература")}, {0.0, QStringLiteral("топене\nна леда")},
        {-40.0, QStringLiteral("−40 °C =\n−40 °F")},
    };
    const double namesWidth = 106.0;
    const double columnWidth = (frame.width() - namesWidth) / 3.0;
    const double headerHeight = 30.0;
    const double tubeTop = frame.top() + headerHeight + 8.0;
    const double tubeBottom = frame.bottom() - 26.0;
    const double cMax = 112.0, cMin = -52.0;
    auto yOf = [&](double c) {
        return tubeTop + 10.0 + (cMax - c) / (cMax - cMin) * (tubeBottom - tubeTop - 20.0);
    };
    const QStringList headers = {QStringLiteral("K"), QStringLiteral("°C"), QStringLiteral("°F")};
    for (int i = 0; i < 3; ++i) {
        const double x = frame.left() + namesWidth + columnWidth * i + 18.0;
        Label(painter, QRectF(x - 30.0, frame.top(), 60.0, headerHeight), Qt::AlignCenter,
              headers[i], SansFont(20, true), kAccent);
        DrawThermometerTube(painter, x, tubeTop, tubeBottom, yOf(20.0));
    }
    const QFont valueFont = SansFont(15);
    for (const Point& point : points) {
        const double y = yOf(point.celsius);
        painter.setPen(QPen(QColor(150, 160, 176), 1.0, Qt::DashLine));
        painter.drawLine(QPointF(frame.left() + namesWidth - 6.0, y), QPointF(frame.right(), y));
        Label(painter, QRectF(frame.left() - 6.0, y - 20.0, namesWidth - 4.0, 40.0),
              Qt::AlignRight | Qt::AlignVCenter, point.name, SansFont(15, false, true));
        const double kelvin = point.celsius + 273.15;
        const double fahrenheit = point.celsius * 9.0 / 5.0 + 32.0;
        const QStringList values = {
            QString::number(kelvin, 'f', 2), QString::number(point.celsius, 'f', 0),
            QString::number(fahrenheit, 'f', std::fmod(fahrenheit, 1.0) == 0.0 ? 0 : 1)};
        for (int i = 0; i < 3; ++i) {
            const double x = frame.left() + namesWidth + columnWidth * i + 18.0;
            painter.setPen(QPen(kInk, 1.4));
            painter.drawLine(QPointF(x + 7.0, y), QPointF(x + 13.0, y));
            QString text = values[i];
            text.replace('-', u'−');
            painter.save();
            painter.setFont(valueFont);
            const QRectF box(x + 15.0, y - 19.0, columnWidth - 20.0, 18.0);
            painter.fillRect(painter.fontMetrics()
                                 .boundingRect(box.toRect(), Qt::AlignLeft | Qt::AlignBottom, text)
                                 .adjusted(-2, 0, 2, 0),
                             QColor(255, 255, 255, 220));
            painter.setPen(kInk);
            painter.drawText(box, Qt::AlignLeft | Qt::AlignBottom, text);
            painter.restore();
        }
    }
    painter.restore();
}

void DrawWetBulbSketch(QPainter& painter, const QRectF& frame) {
    painter.save();
    const double bulbY = frame.bottom() - 34.0;
    const double left = frame.left() + frame.width() * 0.3;
    const double right = frame.left() + frame.width() * 0.7;
    DrawThermometerTube(painter, left, frame.top() + 10.0, bulbY, frame.top() + 60.0);
    DrawThermometerTube(painter, right, frame.top() + 10.0, bulbY, frame.top() + 74.0);
    // The wet sleeve.
    painter.setPen(QPen(QColor(120, 130, 140), 1.0));
    painter.setBrush(QColor(236, 240, 244));
    painter.drawRoundedRect(QRectF(right - 16.0, bulbY - 22.0, 32.0, 44.0), 10.0, 10.0);
    painter.setPen(QPen(QColor(150, 170, 190), 1.0));
    for (double y = bulbY - 16.0; y < bulbY + 18.0; y += 6.0) {
        painter.drawLine(QPointF(right - 13.0, y), QPointF(right + 13.0, y + 2.0));
    }
    Label(painter, QRectF(left - 40.0, bulbY + 16.0, 80.0, 20.0), Qt::AlignCenter,
          QStringLiteral("t"), SerifFont(19, true, true));
    Label(painter, QRectF(right - 40.0, bulbY + 16.0, 80.0, 20.0), Qt::AlignCenter,
          QStringLiteral("t′"), SerifFont(19, true, true));
    // Vapour leaving the sleeve, heat arriving from the air.
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        QPainterPath wave;
        const double x0 = right + 22.0 + i * 12.0;
        wave.moveTo(x0, bulbY - 4.0);
        wave.cubicTo(x0 + 8.0, bulbY - 14.0, x0 - 4.0, bulbY - 24.0, x0 + 6.0, bulbY - 38.0);
        painter.setPen(QPen(kAccent, 1.8, Qt::SolidLine, Qt::RoundCap));
        painter.drawPath(wave);
    }
    Label(painter, QRectF(right + 20.0, bulbY - 62.0, 100.0, 20.0), Qt::AlignLeft,
          QStringLiteral("пара"), SansFont(15, false, true), kAccent);
    painter.setPen(QPen(kWarm, 2.0, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 2; ++i) {
        const double y = bulbY - 8.0 + i * 16.0;
        const QPointF from(right - 52.0, y), to(right - 20.0, y);
        painter.drawLine(from, to);
        painter.drawLine(to, to + QPointF(-6.0, -4.0));
        painter.drawLine(to, to + QPointF(-6.0, 4.0));
    }
    Label(painter, QRectF(right - 110.0, bulbY - 42.0, 100.0, 20.0), Qt::AlignRight,
          QStringLiteral("топлина"), SansFont(15, false, true), kWarm);
    painter.restore();
}

} // namespace pictures
