// Regenerates the help pictures under pages/pictures and the icons under resources/icons.
// Usage: zorvel-pictures <repository root>
#include "image_files.h"
#include "pictures.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

struct PictureJob {
    std::string relativePath;
    std::function<QImage()> render;
    bool (*write)(const QImage&, const QString&);
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <repository root>\n", argv[0]);
        return 2;
    }
    // The offscreen platform gives the same font rendering with or without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QDir root(QString::fromLocal8Bit(argv[1]));

    using namespace pictures;
    std::vector<PictureJob> jobs = {
        {"pages/pictures/logo.bmp", RenderLogo, WriteBmp24},
        {"pages/pictures/licence.jpg", RenderLicencePage, WriteJpegPage},
        {"pages/pictures/contact.jpg", RenderContactPage, WriteJpegPage},
        {"pages/pictures/tale.jpg", RenderTalePage, WriteJpegPage},
        {"pages/pictures/textbook.jpg", RenderTextbookPage, WriteJpegPage},
        {"pages/pictures/august.jpg", RenderAugustPage, WriteJpegPage},
        {"pages/pictures/assmann.jpg", RenderAssmannPage, WriteJpegPage},
        {"pages/pictures/air_humidity.jpg", RenderAirHumidityPage, WriteJpegPage},
        {"pages/pictures/water_vapour.jpg", RenderWaterVapourPage, WriteJpegPage},
        {"pages/pictures/temperature_scales.jpg", RenderTemperatureScalesPage, WriteJpegPage},
    };
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        jobs.push_back({"resources/icons/zorvel-" + std::to_string(size) + ".png",
                        [size] { return RenderIcon(size); }, WritePng});
    }

    int failures = 0;
    for (const PictureJob& job : jobs) {
        const QString path = root.filePath(QString::fromStdString(job.relativePath));
        QDir().mkpath(QFileInfo(path).absolutePath());
        const QImage image = job.render();
        if (!job.write(image, path)) {
            std::fprintf(stderr, "could not write %s\n", qPrintable(path));
            ++failures;
            continue;
        }
        std::printf("%s  %d x %d\n", job.relativePath.c_str(), image.width(), image.height());
    }
    return failures == 0 ? 0 : 1;
}
