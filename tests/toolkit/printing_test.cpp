// Printing a known picture into a PDF and finding it where it was drawn.
#include "tests/support/toolkit_probe.h"
#include "toolkit/testing/test_hooks.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

using namespace toolkit;

// 40 x 20: left half red, right half blue; bottom-up B,G,R rows of 120 bytes.
std::vector<unsigned char> HalfRedHalfBlue() {
    std::vector<unsigned char> pixels(120 * 20);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x) {
            unsigned char* const pixel = &pixels[static_cast<std::size_t>(y * 120 + x * 3)];
            pixel[0] = x < 20 ? 0 : 255;
            pixel[1] = 0;
            pixel[2] = x < 20 ? 255 : 0;
        }
    }
    return pixels;
}

class Printing : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }
    void TearDown() override {
        StopPrinting();
        SetPrintToFile("");
    }
    QTemporaryDir folder;
};

TEST_F(Printing, NothingPrintsBeforeAPrinterIsChosen) {
    SetPrintToFile("");
    StopPrinting();
    EXPECT_EQ(PrinterOutput(), 0);
    EXPECT_FALSE(StartDrawing(PrinterOutput()));
}

TEST_F(Printing, APageGoesIntoThePdfWithThePictureWhereItWasDrawn) {
    const QString pdf = folder.filePath("page.pdf");
    SetPrintToFile(pdf.toStdString());
    ASSERT_TRUE(PrintDialog());
    // A4 at 600 dpi with no margins: 595 points wide.
    EXPECT_NEAR(PrinterPageWidth(), 4958, 3);
    ASSERT_TRUE(StartPrinting("Печат на Помагалото"));
    ASSERT_NE(PrinterOutput(), 0);
    ASSERT_TRUE(StartDrawing(PrinterOutput()));
    const std::vector<unsigned char> pixels = HalfRedHalfBlue();
    const PixelView picture{40, 20, 120, pixels.data()};
    DrawImage(picture, 600, 1200, 2400, 1200); // 1 x 2 inches from the corner, 4 x 2 inches
    DrawImage(picture, 3600, 3600, 0, 600);    // nothing
    DrawImage(picture, 3600, 3600, 600, -5);   // nothing
    StopDrawing();
    StopPrinting();
    EXPECT_EQ(PrinterOutput(), 0);

    // Rendered at 60 dpi every 10 printer pixels become one.
    const QString rendered = folder.filePath("page");
    const std::string command = "pdftoppm -r 60 -png -singlefile '" + pdf.toStdString() + "' '" +
                                rendered.toStdString() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const QImage page(rendered + ".png");
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR(page.width(), 496, 1);
    EXPECT_EQ(page.pixelColor(90, 150), QColor(255, 0, 0));      // inside the red half
    EXPECT_EQ(page.pixelColor(270, 150), QColor(0, 0, 255));     // inside the blue half
    EXPECT_EQ(page.pixelColor(55, 150), QColor(255, 255, 255));  // left of the picture
    EXPECT_EQ(page.pixelColor(90, 115), QColor(255, 255, 255));  // above it
    EXPECT_EQ(page.pixelColor(305, 150), QColor(255, 255, 255)); // right of it
    EXPECT_EQ(page.pixelColor(90, 245), QColor(255, 255, 255));  // below it
    EXPECT_EQ(page.pixelColor(375, 375), QColor(255, 255, 255)); // the empty draws
    EXPECT_EQ(page.pixelColor(61, 121), QColor(255, 0, 0));      // near its top-left corner

    // The picture went in without lossy recompression.
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.contains("/Title"));
    EXPECT_FALSE(bytes.contains("DCTDecode"));
}

TEST_F(Printing, AJobThatCannotStartFailsAndLeavesNoPageOpen) {
    SetPrintToFile(folder.filePath("missing-folder/page.pdf").toStdString());
    ASSERT_TRUE(PrintDialog());
    EXPECT_FALSE(StartPrinting("job"));
    EXPECT_EQ(PrinterOutput(), 0);
    EXPECT_FALSE(StartDrawing(1));
}

TEST_F(Printing, ANewChoiceReleasesThePrinterChosenEarlier) {
    SetPrintToFile(folder.filePath("first.pdf").toStdString());
    ASSERT_TRUE(PrintDialog());
    SetPrintToFile(folder.filePath("second.pdf").toStdString());
    ASSERT_TRUE(PrintDialog());
    ASSERT_TRUE(StartPrinting("job"));
    StopPrinting();
    EXPECT_TRUE(QFile::exists(folder.filePath("second.pdf")));
    EXPECT_FALSE(QFile::exists(folder.filePath("first.pdf")));
}

} // namespace
