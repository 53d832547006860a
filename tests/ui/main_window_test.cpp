// The built main window as a user (and a screen reader) meets it: where each control sits,
// what it says, how it looks, the menus, the status bar, and Clear.
#include "tests/support/main_window_fixture.h"
#include "tests/support/widget_names.h"
#include "toolkit/toolkit.h"
#include "ui/main_window.h"
#include "ui/main_window_layout.h"
#include "ui/program_ids.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRect>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <array>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

const QColor Green(17, 84, 13);
const QColor White(255, 255, 255);

const std::vector<int> AllControls = {200, 1,  2,  3,  9,  31, 50, 32, 33, 34, 35, 36, 37,
                                      45,  43, 66, 38, 39, 40, 41, 42, 4,  5,  6,  7,  8};

QString Q(const char* text) {
    return QString::fromUtf8(text);
}

QWidget* MainWindow() {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->windowTitle() == Q(" Зорвел - Софтуер за работа с психрометър ")) {
            return top;
        }
    }
    return nullptr;
}

// The toolkit names each control widget after its id.
QWidget* Control(int id) {
    QWidget* window = MainWindow();
    return window == nullptr ? nullptr : window->findChild<QWidget*>(ControlName(id));
}

// The status bar's fields, left to right.
QList<QLabel*> StatusFields() {
    QWidget* window = MainWindow();
    if (window == nullptr) {
        return {};
    }
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (child->inherits("toolkit::StatusBarWidget")) {
            return child->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
        }
    }
    return {};
}

TEST_F(MainWindowTest, LayoutIsMeasuredOnTheMaximizedWindowBeforeTheMenuBar) {
    const LayoutBasis& layout = State().layout;
    const LayoutBasis expected = ComputeLayoutBasis(layout.W, layout.H);
    EXPECT_EQ(layout.W, toolkit::InnerWidth(0));
    // Once the menu bar is attached its height is counted back in.
    EXPECT_EQ(layout.H, toolkit::InnerHeight(0));
    EXPECT_EQ(layout.W, 1366);
    EXPECT_GT(layout.H, 700);
    EXPECT_EQ(layout.Left, expected.Left);
    EXPECT_EQ(layout.Top, expected.Top);
    EXPECT_EQ(layout.Column, expected.Column);
    EXPECT_EQ(layout.ColumnWidth, expected.ColumnWidth);
    EXPECT_EQ(layout.HalfHeight, expected.HalfHeight);
    EXPECT_EQ(layout.SmallFontBase, expected.SmallFontBase);
    EXPECT_EQ(layout.LargeFontBase, expected.LargeFontBase);
}

TEST_F(MainWindowTest, EveryControlSitsAtItsRectangle) {
    for (const int id : AllControls) {
        QWidget* widget = Control(id);
        ASSERT_NE(widget, nullptr) << "control " << id;
        const Rect r = ControlRect(State().layout, ControlId{id});
        if (id == 200) {
            // The logo takes its image's size.
            EXPECT_EQ(widget->geometry(), QRect(r.x, r.y, 125, 59));
        } else {
            EXPECT_EQ(widget->geometry(), QRect(r.x, r.y, r.w, r.h)) << "control " << id;
        }
        EXPECT_TRUE(widget->isVisible()) << "control " << id;
    }
}

TEST_F(MainWindowTest, FieldsLabelsAndButtonsShowTheirTexts) {
    for (int id = 1; id <= 8; ++id) {
        auto* field = qobject_cast<QLineEdit*>(Control(id));
        ASSERT_NE(field, nullptr) << "field " << id;
        EXPECT_EQ(field->text(), PlaceholderOf(id));
        EXPECT_EQ(field->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
        EXPECT_EQ(field->isReadOnly(), id >= 4) << "field " << id;
    }
    const std::map<int, QString> labels = {
        {31, Q(" Инструкция за работа")},
        {50, Q(" Входни данни")},
        {36, Q("5. Поставете показалеца на мишката в полето P/h и въведете атмосферното "
               "налягане с дименсия 0.1. Например 981.1 [hPa]. Ако нямате барометър - въведете "
               "надморската височина на мястото. ")},
        {37, Q(" След като въведете входните данни в съответните полета - натиснете бутона "
               "<Изчисли>, за да получите резултата.")},
        {43, Q(" Ако искате да продължите с нова конфигурация на психрометъра или дименсия на "
               "барометъра - натиснете бутона <Изчисти>.")},
        {38, Q(" Абсолютна влажност на въздуха")},
        {39, Q(" Относителна влажност на въздуха")},
        {40, Q(" Точка на оросяване")},
        {41, Q(" Налягане на наситените водни пари")},
        {42, Q(" Парциално налягане на водните пари")},
    };
    for (const auto& [id, text] : labels) {
        auto* label = qobject_cast<QLabel*>(Control(id));
        ASSERT_NE(label, nullptr) << "label " << id;
        EXPECT_EQ(label->text(), text) << "label " << id;
        EXPECT_TRUE(label->wordWrap()) << "label " << id;
    }
    for (const int id : {32, 33, 34, 35}) {
        auto* label = qobject_cast<QLabel*>(Control(id));
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(label->text().startsWith(QString::number(id - 31) + ". "));
    }
    for (const int id : {31, 50, 38, 39, 40, 41, 42}) {
        EXPECT_TRUE(qobject_cast<QLabel*>(Control(id))->alignment() & Qt::AlignHCenter) << id;
    }
    for (const int id : {32, 37, 43}) {
        EXPECT_FALSE(qobject_cast<QLabel*>(Control(id))->alignment() & Qt::AlignHCenter) << id;
    }
    EXPECT_EQ(Showing(Q("Изчисли")), Control(Id(ControlId::CalculateButton)));
    EXPECT_EQ(Showing(Q("Изчисти")), Control(Id(ControlId::ClearButton)));
}

struct FontExpectation {
    int fontId;
    bool bold;
    bool italic;
    bool underline;
};

TEST_F(MainWindowTest, FontsHaveTheirSizesAndStyles) {
    const FontExpectation font4{4, true, true, true};
    const FontExpectation font3{3, true, false, false};
    const FontExpectation font1{1, true, false, false};
    const FontExpectation font6{6, true, true, false};
    const FontExpectation font2{2, true, true, false};
    std::map<int, FontExpectation> byControl = {{31, font4}, {45, font1}, {66, font1}, {37, font1}};
    for (const int id : {32, 33, 34, 35, 36, 50}) {
        byControl.emplace(id, font3);
    }
    for (const int id : {38, 39, 40, 41, 42, 43}) {
        byControl.emplace(id, font6);
    }
    for (int id = 1; id <= 8; ++id) {
        byControl.emplace(id, font2);
    }
    for (const auto& [id, expected] : byControl) {
        QWidget* widget = Control(id);
        ASSERT_NE(widget, nullptr);
        const double dpi = widget->logicalDpiY();
        const int points = FontSize(State().layout, FontId{expected.fontId});
        const QFont font = widget->font();
        EXPECT_EQ(font.pixelSize(), static_cast<int>(std::lround(points * dpi / 72)))
            << "control " << id << " font " << expected.fontId;
        EXPECT_EQ(font.bold(), expected.bold) << "control " << id;
        EXPECT_EQ(font.italic(), expected.italic) << "control " << id;
        EXPECT_EQ(font.underline(), expected.underline) << "control " << id;
    }
    for (const int fontId : {1, 2, 3, 4, 6}) {
        EXPECT_NE(toolkit::FontHandle(fontId), nullptr) << "font " << fontId;
    }
}

// Colours as they reach the screen: a corner of the label is its background, and the
// text colour shows in full in the cores of the glyphs.
struct Painted {
    QColor corner;
    int pixelsOf(const QColor& colour) const {
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                count += image.pixelColor(x, y).rgb() == colour.rgb() ? 1 : 0;
            }
        }
        return count;
    }
    QImage image;
};

Painted Paint(int id) {
    QWidget* widget = Control(id);
    const QImage image = widget->grab().toImage();
    return {image.pixelColor(image.width() - 5, image.height() - 5), image};
}

TEST_F(MainWindowTest, InstructionsAreWhiteOnGreenAndTheCalculateHintGreenOnWhite) {
    for (const int id : {31, 32, 33, 34, 35, 36, 50}) {
        const Painted painted = Paint(id);
        EXPECT_EQ(painted.corner.rgb(), Green.rgb()) << "label " << id;
        EXPECT_GT(painted.pixelsOf(White), 10) << "label " << id;
    }
    const Painted hint = Paint(37);
    EXPECT_EQ(hint.corner.rgb(), White.rgb());
    EXPECT_GT(hint.pixelsOf(Green), 10);
}

TEST_F(MainWindowTest, ToolTipsAndAccessibleTextsDescribeFieldsAndButtons) {
    const std::map<int, QString> tips = {
        {1, Q("Тук се въвежда температурата от сухия термометър в градуси Целзий.")},
        {2, Q("Тук се въвежда температурата от мокрия термометър в градуси Целзий.")},
        {3, Q("Тук се въвежда атмосферното налягане или надморската височина на мястото.")},
        {45, Q("Натиснете бутона, за да бъдат изчислени характеристиките на влажността на "
               "въздуха")},
        {66, Q("Натиснете бутона, за да бъдат изчистени въведените данни и да работите отново")},
        {4, Q("Тук се получава стойността на абсолютната влажност на въздуха")},
        {5, Q("Тук се получава стойността на относителната влажност на въздуха")},
        {6, Q("Тук се получава стойността на точката на оросяване в градуси Целзий")},
        {7, Q("Тук се получава налягането на наситените водни пари")},
        {8, Q("Тук се получава парциалвото налягане на водните пари")},
    };
    for (const auto& [id, tip] : tips) {
        QWidget* widget = Control(id);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->toolTip(), tip) << "control " << id;
        EXPECT_EQ(widget->accessibleDescription(), tip) << "control " << id;
        EXPECT_FALSE(widget->accessibleName().isEmpty()) << "control " << id;
    }
    EXPECT_EQ(Control(Id(ControlId::DryBulbField))->accessibleName(), Q("Tdry="));
    EXPECT_EQ(Control(Id(ControlId::AbsoluteHumidityField))->accessibleName(),
              Q("Абсолютна влажност на въздуха"));
    EXPECT_EQ(Control(Id(ControlId::VapourPressureField))->accessibleName(),
              Q("Парциално налягане на водните пари"));
    EXPECT_EQ(Control(Id(ControlId::CalculateButton))->accessibleName(), Q("Изчисли"));
    EXPECT_EQ(Control(Id(ControlId::ClearButton))->accessibleName(), Q("Изчисти"));
    for (const int id : {9, 31, 32, 37, 38, 43, 50}) {
        EXPECT_TRUE(Control(id)->toolTip().isEmpty()) << "control " << id;
    }
}

struct MenuLine {
    QString text; // empty for a separator
    int commandId;
};

// What a title or item shows: its text less the "&" before the letter that chooses it.
QString Shown(const QAction* action) {
    return QString(action->text()).remove('&');
}

// Every title, and every item of one menu, is chosen by a Cyrillic letter of its own.
void ExpectKeysOfTheirOwn(const QList<QAction*>& lines) {
    QString keys;
    for (const QAction* const line : lines) {
        const QString text = line->text();
        const QString key = text.mid(text.indexOf('&') + 1, 1).toUpper();
        if (!line->isSeparator()) {
            EXPECT_TRUE(text.contains('&') && key.front().script() == QChar::Script_Cyrillic &&
                        !keys.contains(key))
                << text.toStdString();
            keys += key;
        }
    }
}

// Triggers the action and reads back which command the loop would see.
int CommandOf(QAction* action) {
    action->trigger();
    while (toolkit::WaitEvent() != toolkit::MenuEvent) {
    }
    return toolkit::EventObject();
}

TEST_F(MainWindowTest, MenusCarryTheirItemsSeparatorsAndCommandIds) {
    QWidget* window = MainWindow();
    ASSERT_NE(window, nullptr);
    auto* bar = window->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    const std::vector<std::pair<QString, std::vector<MenuLine>>> expected = {
        {Q("Скала на барометъра"),
         {{Q("Данни от барометър в [hPa]"), 1},
          {Q("Данни от барометър в [mBar]"), 18},
          {Q("Данни от барометър в [mmHg]"), 2},
          {Q("По надморска височина в [m]"), 3},
          {{}, 0}}},
        {Q("Вид на психрометъра"),
         {{Q("С аспирация"), 4},
          {Q("Без аспирация"), 5},
          {{}, 0},
          {Q("Заледен мокър термометър"), 19},
          {{}, 0}}},
        {Q("Дефиниции "),
         {{Q("За влажност на въздуха"), 7},
          {Q("За водни пари"), 8},
          {Q("Температурни скали"), 9},
          {{}, 0}}},
        {Q("Помагало"),
         {{Q("Психрометър - като приказка"), 23},
          {Q("Психрометър - като учебник"), 24},
          {Q("Психрометър на Август"), 25},
          {Q("Психрометър на Асман"), 26},
          {{}, 0},
          {Q("Лицензионно споразумение"), 27},
          {{}, 0},
          {Q("За софтуера"), 28},
          {Q("За връзка с нас"), 29},
          {{}, 0}}},
        {Q("Диаграма"), {{Q("Психрометрична диаграма"), 20}, {{}, 0}}},
        {Q("Изход"), {{Q("Изход от програмата"), 30}}},
    };
    const QList<QAction*> titles = bar->actions();
    ASSERT_EQ(titles.size(), static_cast<qsizetype>(expected.size()));
    ExpectKeysOfTheirOwn(titles);
    for (std::size_t m = 0; m < expected.size(); ++m) {
        EXPECT_EQ(Shown(titles[m]), expected[m].first);
        QMenu* menu = titles[m]->menu();
        ASSERT_NE(menu, nullptr);
        const QList<QAction*> items = menu->actions();
        ExpectKeysOfTheirOwn(items);
        ASSERT_EQ(items.size(), static_cast<qsizetype>(expected[m].second.size()))
            << expected[m].first.toStdString();
        for (qsizetype i = 0; i < items.size(); ++i) {
            const MenuLine& line = expected[m].second[i];
            if (line.text.isEmpty()) {
                EXPECT_TRUE(items[i]->isSeparator());
                continue;
            }
            EXPECT_EQ(Shown(items[i]), line.text);
            EXPECT_EQ(CommandOf(items[i]), line.commandId) << line.text.toStdString();
            EXPECT_EQ(toolkit::EventWindow(), 0);
        }
    }
}

TEST_F(MainWindowTest, F10AndAltWithATitlesLetterOpenMenusAndALetterChoosesAnItem) {
    QWidget* const window = MainWindow();
    const QList<QAction*> titles = window->findChild<QMenuBar*>()->actions();
    QMenu* const units = titles[0]->menu();
    QTest::keyClick(window, Qt::Key_F10);
    ASSERT_TRUE(QTest::qWaitFor([units] { return units->isVisible(); }, 2000));
    QTest::keyClick(units, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([units] { return !units->isVisible(); }, 2000));
    // Alt+В opens "Вид на психрометъра", and Б in it chooses "Без аспирация".
    QTest::sendKeyEvent(QTest::Click, window, Qt::Key(u'В'), QString(u'в'), Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&titles] { return titles[1]->menu()->isVisible(); }, 2000));
    QTest::sendKeyEvent(QTest::Click, titles[1]->menu(), Qt::Key(u'Б'), QString(u'б'), {});
    while (toolkit::WaitEvent() != toolkit::MenuEvent) {
    }
    EXPECT_EQ(toolkit::EventObject(), Id(CommandId::NonAspiratedCommand));
}

TEST_F(MainWindowTest, ClockTimerTicksOnTheMainWindow) {
    // A watchdog event ends the wait should the timer never fire.
    constexpr int Watchdog = -7;
    QTimer::singleShot(3000, [] { toolkit::PostEvent(toolkit::ControlEvent, Watchdog, -1); });
    toolkit::EventKind kind = toolkit::NoEvent;
    do {
        kind = toolkit::WaitEvent();
    } while (kind != toolkit::TimerEvent &&
             !(kind == toolkit::ControlEvent && toolkit::EventObject() == Watchdog));
    EXPECT_EQ(kind, toolkit::TimerEvent);
    EXPECT_EQ(toolkit::EventObject(), 123);
    EXPECT_EQ(toolkit::EventWindow(), 0);
}

TEST_F(MainWindowTest, StatusBarShowsUnitsAndTypeWithAnEmptyClock) {
    const QList<QLabel*> fields = StatusFields();
    ASSERT_EQ(fields.size(), 5);
    EXPECT_EQ(fields[0]->text(), Q(" Работите с температура в  [°C]"));
    EXPECT_EQ(fields[1]->text(), Q("  Работите с налягане в [hPa]   "));
    EXPECT_EQ(fields[2]->text(), QString());
    EXPECT_EQ(fields[3]->text(), Q("Използвате психрометър с аспирация"));
    EXPECT_EQ(fields[4]->text(), QString());
    EXPECT_TRUE(fields[1]->alignment() & Qt::AlignRight);
    EXPECT_TRUE(fields[3]->alignment() & Qt::AlignHCenter);
    EXPECT_FALSE(fields[0]->alignment() & (Qt::AlignRight | Qt::AlignHCenter));
    // Fixed widths 250, 200 and 100; the two automatic fields share the rest.
    EXPECT_EQ(fields[0]->width(), 250);
    EXPECT_EQ(fields[2]->width(), 200);
    EXPECT_EQ(fields[4]->width(), 100);
    EXPECT_LE(std::abs(fields[1]->width() - fields[3]->width()), 1);
}

TEST_F(MainWindowTest, LabelsHaveTheirBorders) {
    for (const int id : {37, 43, 38, 39, 40, 41, 42}) {
        auto* label = qobject_cast<QLabel*>(Control(id));
        ASSERT_NE(label, nullptr);
        EXPECT_NE(label->frameShape(), QFrame::NoFrame) << "label " << id;
    }
    for (const int id : {31, 32, 33, 34, 35, 36, 50}) {
        auto* label = qobject_cast<QLabel*>(Control(id));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->frameShape(), QFrame::NoFrame) << "label " << id;
    }
}

int CountOf(const char* className) {
    int count = 0;
    for (QWidget* widget : LiveWidgets()) {
        count += widget->inherits(className) ? 1 : 0;
    }
    return count;
}

TEST_F(MainWindowTest, ClearTwiceLeavesExactlyOneOfEverything) {
    const std::size_t widgets = LiveWidgets().size();
    const int timers = MainWindow()->findChildren<QTimer*>().size();
    Rebuild();
    Rebuild();
    EXPECT_EQ(LiveWidgets().size(), widgets);
    EXPECT_EQ(MainWindow()->findChildren<QTimer*>().size(), timers);
    EXPECT_EQ(CountOf("QLineEdit"), 8);
    EXPECT_EQ(CountOf("QPushButton"), 2);
    EXPECT_EQ(CountOf("QMenuBar"), 1);
    for (int id = 1; id <= 8; ++id) {
        EXPECT_NE(Showing(PlaceholderOf(id)), nullptr) << "field " << id;
    }
    EXPECT_NE(Showing(Q(" Инструкция за работа")), nullptr);
}

TEST_F(MainWindowTest, ClearBringsBackTheDefaultSelectionsAndKeepsTheMainWindowAsTarget) {
    State().barometerUnit = BarometerUnit::Mmhg;
    State().psychrometerType = PsychrometerType::NonAspirated;
    State().input.resultsCurrent = true;
    State().input.emptiedOnEntry = {true, false, true};
    State().input.pressCount = {4, 5, 6};
    toolkit::SetControlText(Id(ControlId::AbsoluteHumidityField), "14.3 [g/m3]");
    toolkit::SetStatusFieldText(Id(StatusBarId::MainStatusBar),
                                Id(StatusFieldId::PressureUnitField),
                                "  Работите с налягане в [mmHg]  ", toolkit::Raised);
    toolkit::SetStatusFieldText(Id(StatusBarId::MainStatusBar),
                                Id(StatusFieldId::PsychrometerTypeField),
                                "Използвате психрометър без аспирация", toolkit::Centred);
    Rebuild();
    const QList<QLabel*> fields = StatusFields();
    ASSERT_EQ(fields.size(), 5);
    EXPECT_EQ(fields[1]->text(), Q("  Работите с налягане в [hPa]   "));
    EXPECT_EQ(fields[3]->text(), Q("Използвате психрометър с аспирация"));
    EXPECT_EQ(State().barometerUnit, BarometerUnit::Hpa);
    EXPECT_EQ(State().psychrometerType, PsychrometerType::Aspirated);
    EXPECT_FALSE(State().input.resultsCurrent);
    // Fields back at their initial texts empty on entry again, with no press counted.
    EXPECT_EQ(State().input.emptiedOnEntry, (std::array<bool, 3>{false, false, false}));
    EXPECT_EQ(State().input.pressCount, (std::array<unsigned, 3>{0, 0, 0}));
    EXPECT_EQ(toolkit::GetControlText(Id(ControlId::AbsoluteHumidityField)), "F [g/m3]");
    EXPECT_EQ(State().keptGadgetTarget, 0);
}

} // namespace
