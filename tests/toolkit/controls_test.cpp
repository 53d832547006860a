// Controls: creation and replacement, their texts, looks, focus order and events.
#include "tests/support/toolkit_probe.h"

#include <QApplication>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using namespace toolkit;
using toolkit_test::DrainEvents;
using toolkit_test::OpenTestWindow;
using toolkit_test::SeenEvent;

class Controls : public ::testing::Test {
  protected:
    void SetUp() override {
        window = OpenTestWindow(0);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        CloseAllWindows();
        DrainEvents();
    }
    ToolkitWindow* window = nullptr;
};

TEST_F(Controls, CreatingAnIdTwiceLeavesOnlyTheSecond) {
    ASSERT_TRUE(CreateTextField(1, 10, 10, 100, 24, "first", 0));
    QPointer<QWidget> first = ControlById(1);
    ASSERT_TRUE(CreateLabel(1, 20, 50, 120, 30, "second", 0));
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(GetControlText(1), "second");
    EXPECT_EQ(ControlById(1)->geometry(), QRect(20, 50, 120, 30));
    EXPECT_EQ(window->Client()->findChildren<QWidget*>(QStringLiteral("control-1")).size(), 1);
    EXPECT_EQ(window->Client()->findChildren<QLineEdit*>().size(), 0);
}

TEST_F(Controls, TextFieldsAreSingleLineSunkenAndHonourTheirOptions) {
    ASSERT_TRUE(CreateTextField(1, 10, 10, 150, 24, "Tdry=", Centred));
    ASSERT_TRUE(CreateTextField(4, 10, 40, 150, 24, "F [g/m3]", Centred | ReadOnly));
    ASSERT_TRUE(CreateTextField(5, 10, 70, 150, 24, "left", 0));
    const auto* const input = qobject_cast<QLineEdit*>(ControlById(1));
    const auto* const output = qobject_cast<QLineEdit*>(ControlById(4));
    const auto* const plain = qobject_cast<QLineEdit*>(ControlById(5));
    ASSERT_TRUE(input && output && plain);
    EXPECT_TRUE(input->hasFrame());
    EXPECT_FALSE(input->isReadOnly());
    EXPECT_TRUE(output->isReadOnly());
    EXPECT_TRUE(input->alignment() & Qt::AlignHCenter);
    EXPECT_TRUE(plain->alignment() & Qt::AlignLeft);
    EXPECT_EQ(GetControlText(4), "F [g/m3]");
    EXPECT_EQ(input->geometry(), QRect(10, 10, 150, 24));
}

TEST_F(Controls, LabelsWrapAndShowAmpersandsAsTheyAre) {
    ASSERT_TRUE(CreateLabel(31, 0, 0, 80, 60, "A & B, дълъг текст на думи", Centred | Sunken));
    ASSERT_TRUE(CreateLabel(32, 0, 60, 80, 60, "<b>not bold</b>", 0));
    const auto* const label = qobject_cast<QLabel*>(ControlById(31));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_TRUE(label->wordWrap());
    EXPECT_EQ(label->text(), QString::fromUtf8("A & B, дълъг текст на думи"));
    EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(label->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(qobject_cast<QLabel*>(ControlById(32))->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(GetControlText(32), "<b>not bold</b>");
}

TEST_F(Controls, AFrameDrawsOnlyItsBorderAndLetsClicksThrough) {
    ASSERT_TRUE(CreateButton(45, 20, 20, 80, 30, "Изчисли"));
    SetWindowBackground(0, Rgb(17, 84, 13));
    ASSERT_TRUE(CreateFrame(9, 10, 10, 200, 100, Sunken));
    const auto* const frame = qobject_cast<QFrame*>(ControlById(9));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->frameShadow(), QFrame::Sunken);
    const QImage shot = window->Client()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(150, 80), QColor(17, 84, 13));
    // The frame lies over the button, which still takes the click.
    QTest::mouseClick(ControlById(45), Qt::LeftButton);
    EXPECT_EQ(DrainEvents(), (std::vector<SeenEvent>{{ControlEvent, 45, 0}}));
    EXPECT_EQ(window->Client()->childAt(40, 30), ControlById(45));
}

TEST_F(Controls, APictureTakesItsImagesSizeAndTurnsRowsTheRightWayUp) {
    // 2 x 2, bottom row first: bottom-left blue, bottom-right green, top-left red,
    // top-right white; rows padded to 8 bytes.
    const unsigned char pixels[] = {255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0};
    ASSERT_TRUE(CreatePicture(200, 30, 40, 0, 0, PixelView{2, 2, 8, pixels}));
    QWidget* const picture = ControlById(200);
    EXPECT_EQ(picture->geometry(), QRect(30, 40, 2, 2));
    const QImage shown = qobject_cast<QLabel*>(picture)->pixmap().toImage();
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(shown.pixelColor(1, 0), QColor(255, 255, 255));
    EXPECT_EQ(shown.pixelColor(0, 1), QColor(0, 0, 255));
    EXPECT_EQ(shown.pixelColor(1, 1), QColor(0, 255, 0));
    EXPECT_EQ(picture->focusPolicy(), Qt::NoFocus);
    QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(DrainEvents(), (std::vector<SeenEvent>{{ControlEvent, 200, 0}}));
}

TEST_F(Controls, APictureIsDrawnSmoothWhereALogicalPixelIsTwo) {
    // Black beside white: at twice the size the pixels at their edge are grey, not blocks.
    const unsigned char pixels[] = {0, 0, 0, 255, 255, 255, 0, 0};
    ASSERT_TRUE(CreatePicture(200, 0, 0, 0, 0, PixelView{2, 1, 8, pixels}));
    QImage drawn(4, 2, QImage::Format_RGB32);
    drawn.setDevicePixelRatio(2);
    ControlById(200)->render(&drawn);
    EXPECT_GT(qGray(drawn.pixel(1, 0)), 20);
    EXPECT_LT(qGray(drawn.pixel(2, 0)), 235);
}

TEST_F(Controls, SettingATextRaisesNoEventWhileTypingDoes) {
    ASSERT_TRUE(CreateTextField(1, 10, 10, 150, 24, "Tdry=", Centred));
    DrainEvents();
    SetControlText(1, "20.5");
    EXPECT_EQ(GetControlText(1), "20.5");
    EXPECT_TRUE(DrainEvents().empty());

    QWidget* const field = ControlById(1);
    field->setFocus();
    const std::vector<SeenEvent> entered = DrainEvents();
    EXPECT_EQ(entered, (std::vector<SeenEvent>{{ControlEvent, 1, 0}}));
    EXPECT_EQ(FocusedControl(), 1);

    QTest::keyClicks(field, "1");
    EXPECT_EQ(DrainEvents(), (std::vector<SeenEvent>{{ControlEvent, 1, 0}}));
    EXPECT_EQ(GetControlText(1), "120.5");
}

TEST_F(Controls, AFieldWrittenWithWhatItShowsIsLeftAloneUnlessTheUserMovedInIt) {
    ASSERT_TRUE(CreateTextField(1, 10, 10, 150, 24, "Tdry=", Centred));
    auto* const field = qobject_cast<QLineEdit*>(ControlById(1));
    SetControlText(1, "981.1  [hPa]");
    toolkit_test::PaintCounter paints(field);
    SetControlText(1, "981.1  [hPa]");
    EXPECT_EQ(paints.Paints(), 0);

    // A write still takes the view home, drops a selection and what there was to undo.
    field->setSelection(3, 4);
    SetControlText(1, "981.1  [hPa]");
    EXPECT_EQ(field->cursorPosition(), 0);
    EXPECT_FALSE(field->hasSelectedText());
    field->setCursorPosition(5);
    QTest::keyClicks(field, "7");
    field->undo();
    ASSERT_TRUE(field->isRedoAvailable());
    SetControlText(1, "981.1  [hPa]");
    EXPECT_FALSE(field->isRedoAvailable());
    EXPECT_EQ(field->cursorPosition(), 0);
    EXPECT_EQ(GetControlText(1), "981.1  [hPa]");
}

TEST_F(Controls, ButtonPressesAndFocusChangesOfFieldsBecomeControlEvents) {
    ASSERT_TRUE(CreateTextField(2, 10, 10, 150, 24, "", 0));
    ASSERT_TRUE(CreateButton(66, 10, 40, 80, 30, "Изчисти"));
    ControlById(2)->setFocus();
    ControlById(66)->setFocus(); // field 2 loses the focus
    QTest::mouseClick(ControlById(66), Qt::LeftButton);
    // gained, lost, pressed: three events even though the first two name the same field
    EXPECT_EQ(DrainEvents(),
              (std::vector<SeenEvent>{
                  {ControlEvent, 2, 0}, {ControlEvent, 2, 0}, {ControlEvent, 66, 0}}));
    EXPECT_EQ(FocusedControl(), 66);
}

TEST_F(Controls, FocusedControlIsMinusOneWhenNoneOfOursHasTheFocus) {
    ASSERT_TRUE(CreateLabel(31, 0, 0, 50, 20, "label", 0));
    window->setFocus();
    EXPECT_EQ(FocusedControl(), -1);
}

TEST_F(Controls, ColoursApplyAndMinusOneRestoresTheDefault) {
    SetWindowBackground(0, Rgb(17, 84, 13));
    ASSERT_TRUE(CreateLabel(38, 0, 0, 100, 30, "caption", Centred));
    ASSERT_TRUE(CreateTextField(4, 0, 40, 100, 24, "out", ReadOnly));
    QWidget* const label = ControlById(38);
    QWidget* const field = ControlById(4);
    const QColor defaultText = label->palette().color(QPalette::WindowText);
    // A label paints the platform's face colour, not the green window behind it.
    const QColor face = QApplication::palette().color(QPalette::Window);
    ASSERT_NE(face, QColor(17, 84, 13));
    EXPECT_EQ(label->grab().toImage().pixelColor(2, 2), face);

    SetControlColour(38, TextColour, Rgb(255, 255, 255));
    SetControlColour(38, BackgroundColour, Rgb(17, 84, 13));
    SetControlColour(4, BackgroundColour, Rgb(0x12, 0x34, 0x56));
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(255, 255, 255));
    EXPECT_EQ(label->grab().toImage().pixelColor(2, 2), QColor(17, 84, 13));
    EXPECT_EQ(field->palette().color(QPalette::Base), QColor(0x12, 0x34, 0x56));

    SetControlColour(38, TextColour, DefaultColour);
    SetControlColour(38, BackgroundColour, DefaultColour);
    EXPECT_EQ(label->palette().color(QPalette::WindowText), defaultText);
    EXPECT_EQ(label->grab().toImage().pixelColor(2, 2), face);
}

TEST_F(Controls, FontsTooltipsAndAccessibleTexts) {
    ASSERT_TRUE(CreateButton(45, 0, 0, 100, 30, "Изчисли"));
    ASSERT_TRUE(LoadFont(1, "Arial Bold", 13, 0));
    SetControlFont(45, FontHandle(1));
    EXPECT_TRUE(ControlById(45)->font().bold());
    EXPECT_EQ(ControlById(45)->font().pixelSize(), FontHandle(1)->qfont.pixelSize());

    SetToolTip(45, "first tip");
    SetToolTip(45, "Натиснете & изчакайте");
    EXPECT_EQ(ControlById(45)->toolTip(), QString::fromUtf8("Натиснете & изчакайте"));
    SetToolTip(45, "<b>x</b>");
    EXPECT_NE(ControlById(45)->toolTip(), "<b>x</b>"); // shown as text, not markup

    SetAccessibleText(45, "Изчисли", "Пресмята влажността");
    EXPECT_EQ(ControlById(45)->accessibleName(), QString::fromUtf8("Изчисли"));
    EXPECT_EQ(ControlById(45)->accessibleDescription(), QString::fromUtf8("Пресмята влажността"));
}

class TabOrder : public Controls {
  protected:
    void SetUp() override {
        Controls::SetUp();
        ASSERT_TRUE(CreateTextField(1, 10, 10, 100, 24, "", Centred));
        ASSERT_TRUE(CreateLabel(31, 10, 40, 100, 24, "label", 0));
        ASSERT_TRUE(CreateTextField(4, 10, 70, 100, 24, "", ReadOnly));
        ASSERT_TRUE(CreateFrame(9, 0, 0, 200, 200, Sunken));
        ASSERT_TRUE(CreateButton(45, 10, 100, 100, 24, "Изчисли"));
        const unsigned char pixel[4] = {0, 0, 0, 0};
        ASSERT_TRUE(CreatePicture(200, 150, 10, 0, 0, PixelView{1, 1, 4, pixel}));
        ASSERT_TRUE(CreateTextField(2, 10, 130, 100, 24, "", 0));
    }
    int Tab(bool backwards = false) {
        QWidget* const target = QApplication::focusWidget() ? QApplication::focusWidget() : window;
        QTest::keyClick(target, Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
        return FocusedControl();
    }
};

TEST_F(TabOrder, TabVisitsFieldsAndButtonsInCreationOrderAndWraps) {
    EXPECT_EQ(FocusedControl(), -1);
    EXPECT_EQ(Tab(), 1); // nothing focused: the first
    EXPECT_EQ(Tab(), 4); // read-only fields take part, labels and frames do not
    EXPECT_EQ(Tab(), 45);
    EXPECT_EQ(Tab(), 2); // pictures do not either
    EXPECT_EQ(Tab(), 1); // wraps from the last to the first
}

TEST_F(TabOrder, ShiftTabGoesBackAndWrapsFromTheFirstToTheLast) {
    EXPECT_EQ(FocusedControl(), -1);
    EXPECT_EQ(Tab(true), 2); // nothing focused: backwards starts at the last
    ControlById(1)->setFocus();
    EXPECT_EQ(Tab(true), 2);
    EXPECT_EQ(Tab(true), 45);
    EXPECT_EQ(Tab(true), 4);
    EXPECT_EQ(Tab(true), 1);
}

TEST_F(TabOrder, DisabledHiddenAndReplacedControlsFollowTheRule) {
    ControlById(4)->setEnabled(false);
    ControlById(45)->hide();
    ControlById(1)->setFocus();
    EXPECT_EQ(Tab(), 2);
    // Re-creating control 1 puts it last in the order.
    ASSERT_TRUE(CreateTextField(1, 10, 10, 100, 24, "", 0));
    EXPECT_EQ(Tab(), 1);
    EXPECT_EQ(Tab(), 2);
}

} // namespace

namespace {

using namespace toolkit;
using toolkit_test::DrainEvents;
using toolkit_test::OpenTestWindow;
using toolkit_test::SeenEvent;

class EnterKey : public ::testing::Test {
  protected:
    void SetUp() override {
        window = OpenTestWindow(0);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(CreateTextField(1, 10, 10, 150, 24, "", 0));
        ASSERT_TRUE(CreateButton(45, 10, 40, 80, 30, "Изчисли"));
        ASSERT_TRUE(CreateButton(66, 100, 40, 80, 30, "Изчисти"));
        DrainEvents();
    }
    void TearDown() override {
        CloseAllWindows();
        DrainEvents();
    }
    ToolkitWindow* window = nullptr;
};

TEST_F(EnterKey, EnterOrReturnInAFieldPressesTheDefaultButtonAsAClickDoes) {
    SetDefaultButton(45);
    QWidget* const field = ControlById(1);
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_Return, Qt::NoModifier},
                                         std::pair{Qt::Key_Enter, Qt::KeypadModifier}}) {
        field->setFocus();
        DrainEvents();
        QTest::keyClick(field, key, modifiers);
        // As with a click, the field loses the focus to the button, which is pressed.
        EXPECT_EQ(DrainEvents(),
                  (std::vector<SeenEvent>{{ControlEvent, 1, 0}, {ControlEvent, 45, 0}}));
        EXPECT_EQ(FocusedControl(), 45);
    }
}

TEST_F(EnterKey, WithoutADefaultButtonEnterInAFieldDoesNothing) {
    QWidget* const field = ControlById(1);
    field->setFocus();
    DrainEvents();
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(DrainEvents().empty());
    // A default button that is not a button is no default button.
    SetDefaultButton(1);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(DrainEvents().empty());
}

TEST_F(EnterKey, EnterReturnAndSpacePressAFocusedButton) {
    for (const int id : {45, 66}) {
        ControlById(id)->setFocus();
        DrainEvents();
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
            QTest::keyClick(ControlById(id), key);
            EXPECT_EQ(DrainEvents(), (std::vector<SeenEvent>{{ControlEvent, id, 0}}))
                << "button " << id << " key " << key;
        }
    }
}

TEST_F(EnterKey, ALabelStartsItsTextAtItsTopEdgeInsideItsBorder) {
    ASSERT_TRUE(
        CreateLabel(38, 10, 80, 200, 40, "Абсолютна влажност на въздуха", Centred | Sunken));
    auto* const label = qobject_cast<QLabel*>(ControlById(38));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->indent(), 0);
    EXPECT_EQ(label->margin(), 0);
    EXPECT_TRUE(label->alignment().testFlag(Qt::AlignTop));
    EXPECT_EQ(label->contentsRect().top(), label->frameWidth());
}

TEST_F(EnterKey, AScaledPictureHasTheSizeAskedForAndSmoothPixels) {
    // Two columns, black and white: scaled down smoothly the middle turns grey.
    const int width = 4;
    const int height = 2;
    const int rowSize = 12;
    std::vector<unsigned char> pixels(rowSize * height, 0);
    for (int row = 0; row < height; ++row) {
        for (int x = 2; x < 4; ++x) {
            for (int c = 0; c < 3; ++c) {
                pixels[row * rowSize + x * 3 + c] = 255;
            }
        }
    }
    const PixelView image{width, height, rowSize, pixels.data()};
    ASSERT_TRUE(CreateScaledPicture(111, 5, 5, 3, 1, image));
    auto* const picture = qobject_cast<QLabel*>(ControlById(111));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->geometry(), QRect(5, 5, 3, 1));
    const QImage shown = picture->pixmap().toImage();
    ASSERT_EQ(shown.size(), QSize(3, 1));
    const int middle = qGray(shown.pixel(1, 0));
    EXPECT_GT(middle, 20);
    EXPECT_LT(middle, 235);
}

} // namespace
