// The psychrometric chart in the window, on a laptop screen where the viewer shows it
// smaller: drawn, following the calculations, saved.
#include "pages/picture_store.h"
#include "tests/support/loop_fixture.h"
#include "tests/support/widget_names.h"
#include "toolkit/toolkit.h"
#include "ui/program_ids.h"

#include <QApplication>
#include <QFileDialog>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int ChartPicture = Id(PictureId::ChartPicture);

class ChartWindowTest : public LoopTest {
  protected:
    void OpenChart() { Choose(CommandId::ChartCommand, "Психрометрична диаграма"); }

    void Calculate(const char* dry, const char* wet, const char* pressure) {
        // The user comes back to the main window from the chart's.
        QApplication::setActiveWindow(Window(WindowId::MainWindow));
        const std::pair<ControlId, const char*> fields[] = {{ControlId::DryBulbField, dry},
                                                            {ControlId::WetBulbField, wet},
                                                            {ControlId::PressureField, pressure}};
        for (const auto& [id, text] : fields) {
            QLineEdit* const field = FieldOfWindow(id);
            ASSERT_NE(field, nullptr);
            QTest::mouseClick(field, Qt::LeftButton);
            // By the next clock tick a turn has seen the field entered.
            ASSERT_TRUE(TurnsUntil(toolkit::TimerEvent, Id(TimerId::ClockTimer)));
            // After a refused press the field keeps its text: typing replaces it.
            QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(field, text);
        }
        Click(ControlId::CalculateButton);
    }

    static std::vector<unsigned char> HeldPixels() {
        const ImageRef held = ImageHandleOf(ChartPicture);
        return held ? held->pixels : std::vector<unsigned char>{};
    }

    static QImage Shown() {
        QWidget* const viewer = Window(WindowId::PageViewerWindow);
        auto* const picture = viewer ? viewer->findChild<QLabel*>(ControlName(111)) : nullptr;
        return picture ? picture->pixmap().toImage() : QImage();
    }
};

TEST_F(ChartWindowTest, AnOpenChartFollowsANewCalculationInPlace) {
    OpenChart();
    QWidget* const viewer = Window(WindowId::PageViewerWindow);
    ASSERT_NE(viewer, nullptr);
    // Before any calculation: the empty chart, shown smaller as a page is on this screen.
    const QImage emptyShown = Shown();
    ASSERT_LT(emptyShown.width(), 1000);
    int crossed = 0; // grid lines, curves and the frame across the middle
    for (int x = 0; x < emptyShown.width(); ++x) {
        crossed += emptyShown.pixel(x, emptyShown.height() / 2) != qRgb(255, 255, 255) ? 1 : 0;
    }
    EXPECT_GT(crossed, 15) << "a drawn chart, not a blank sheet";
    viewer->move(viewer->pos() + QPoint(20, 0));
    const QPoint placed = viewer->pos();
    const std::vector<unsigned char> empty = HeldPixels();

    Calculate("20.5", "18.3", "981.1");
    EXPECT_EQ(toolkit::GetControlText(Id(ControlId::RelativeHumidityField)), "81.0 [%]");
    EXPECT_EQ(Window(WindowId::PageViewerWindow), viewer) << "the same viewer, not a new one";
    EXPECT_EQ(viewer->pos(), placed);
    const std::vector<unsigned char> sample = HeldPixels();
    ASSERT_EQ(sample.size(), empty.size());
    EXPECT_NE(sample, empty);
    EXPECT_NE(Shown(), emptyShown);

    // A refused reading leaves the chart of the last accepted one.
    Calculate("10", "12", "981.1");
    EXPECT_EQ(HeldPixels(), sample);
    Calculate("25", "15", "981.1");
    EXPECT_NE(HeldPixels(), sample);
}

TEST_F(ChartWindowTest, AClosedChartIsNotOpenedByACalculationAndSurvivesClear) {
    Calculate("20.5", "18.3", "981.1");
    EXPECT_EQ(ViewerCount(), 0);
    OpenChart();
    const std::vector<unsigned char> sample = HeldPixels();
    CloseBox(WindowId::PageViewerWindow);
    Click(ControlId::ClearButton);
    OpenChart();
    EXPECT_EQ(HeldPixels(), sample) << "Clear empties the fields, not the chart";
}

TEST_F(ChartWindowTest, SaveWritesTheChartAsAJpegOfItsOwnSize) {
    Calculate("20.5", "18.3", "981.1");
    OpenChart();
    const std::filesystem::path target = std::filesystem::temp_directory_path() /
                                         ("zorvel-chart-" + std::to_string(getpid()) + ".jpg");
    auto* const poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, &target] {
        if (auto* const dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(QString::fromStdString(target.string()));
            QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
        }
    });
    poll->start(20);
    PressToolBarButton(CommandId::SavePageCommand);
    EXPECT_TRUE(Messages().empty());
    QImageReader reader(QString::fromStdString(target.string()));
    EXPECT_EQ(reader.format(), "jpeg");
    const QImage saved = reader.read();
    std::filesystem::remove(target);
    EXPECT_EQ(saved.size(), QSize(1000, 758));
    EXPECT_EQ(State().currentPage, ChartPicture);
}

} // namespace
