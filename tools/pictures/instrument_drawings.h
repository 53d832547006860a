// Our drawings of the two psychrometers: numbered line drawings and shaded illustrations.
// Each draws into `frame`, keeping its proportions and centring itself there.
#pragma once

#include <QPainter>
#include <QRectF>

namespace pictures {

void DrawAugustLineDrawing(QPainter& painter, const QRectF& frame);
void DrawAugustIllustration(QPainter& painter, const QRectF& frame);
void DrawAssmannLineDrawing(QPainter& painter, const QRectF& frame);
void DrawAssmannIllustration(QPainter& painter, const QRectF& frame);

} // namespace pictures
