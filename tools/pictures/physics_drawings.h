// Diagrams for the physics pages, each fitted into the frame it is given.
#pragma once

#include <QPainter>
#include <QRectF>

namespace pictures {

// Saturation vapour pressure against temperature, with the worked example marked.
void DrawVapourPressureChart(QPainter& painter, const QRectF& frame);
// A cubic metre of air holding vapour, and a cold glass gathering dew.
void DrawHumidityPictures(QPainter& painter, const QRectF& frame);
// The Kelvin, Celsius and Fahrenheit scales side by side with common reference points.
void DrawTemperatureScales(QPainter& painter, const QRectF& frame);
// Two thermometers, one with a wet sleeve, with the heat and vapour flows of the lesson.
void DrawWetBulbSketch(QPainter& painter, const QRectF& frame);

} // namespace pictures
