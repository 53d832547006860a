// Every picture the program carries, each rendered from scratch.
#pragma once

#include <QImage>

namespace pictures {

QImage RenderLogo();        // 125 x 59
QImage RenderLicencePage(); // 650 x 654
QImage RenderContactPage(); // 634 x 475
QImage RenderTalePage();    // 1000 x 758 each from here on
QImage RenderTextbookPage();
QImage RenderAugustPage();
QImage RenderAssmannPage();
QImage RenderAirHumidityPage();
QImage RenderWaterVapourPage();
QImage RenderTemperatureScalesPage();
QImage RenderIcon(int size); // square, size x size

} // namespace pictures
