// The three pages on the physics behind the calculator: air humidity, water vapour and the
// temperature scales. Each puts its text on the left and a diagram on the right.
#include "canvas.h"
#include "physics_drawings.h"
#include "pictures.h"

namespace pictures {
namespace {

constexpr double kDiagramWidth = 330.0;
constexpr double kColumnGap = 30.0;

QRectF TextColumn(const QRectF& area) {
    return QRectF(area.left(), area.top(), area.width() - kDiagramWidth - kColumnGap,
                  area.height());
}

QRectF DiagramColumn(const QRectF& area) {
    return QRectF(area.right() - kDiagramWidth, area.top(), kDiagramWidth, area.height());
}

} // namespace

QImage RenderAirHumidityPage() {
    QImage image = BlankImage(kPageWidth, kPageHeight, Qt::white);
    QPainter painter(&image);
    PrepareHighQuality(painter);
    const QRectF area = DrawNotebookPage(painter, QStringLiteral("За влажност на въздуха"));

    Column column(painter, TextColumn(area));
    column.Paragraph(
        QStringLiteral("Въздухът винаги съдържа водна пара. Колко е тя, описват три величини."));
    column.Skip(2);
    column.Heading(QStringLiteral("Абсолютна влажност F"));
    column.Paragraph(
        QStringLiteral("Масата на водната пара в един кубичен метър въздух, в g/m³. Пресмята се от "
                       "парциалното налягане на парата <i>е</i> (hPa) и температурата на въздуха "
                       "<i>t</i> (°C):"));
    column.Formula(QStringLiteral("<i>F</i> = 214 · <i>е</i> / (<i>t</i> + 273.3)"));
    column.Heading(QStringLiteral("Относителна влажност RH"));
    column.Paragraph(QStringLiteral(
        "Парциалното налягане на парата <i>е</i> като процент от налягането на наситената "
        "пара <i>E</i> при същата температура. При 100 % въздухът е наситен и не може да "
        "поеме повече пара."));
    column.Formula(QStringLiteral("<i>RH</i> = <i>е</i> / <i>E</i> · 100 %"));
    column.Heading(QStringLiteral("Точка на оросяване Td"));
    column.Paragraph(QStringLiteral(
        "Температурата, до която трябва да се охлади въздухът при неизменни налягане и "
        "количество пара, за да стане наситен. При по-силно охлаждане парата "
        "кондензира: появяват се роса, мъгла или запотено стъкло."));
    column.Formula(
        QStringLiteral("γ = ln(<i>RH</i> / 100) + 17.271 · <i>t</i> / (237.7 + <i>t</i>)<br>"
                       "<i>T</i><sub>d</sub> = 237.7 · γ / (17.271 − γ)"));
    column.Paragraph(QStringLiteral(
        "<b>Пример.</b> При <i>t</i> = 20.5 °C и <i>е</i> = 19.6 hPa: "
        "<i>F</i> = 14.3 g/m³, <i>RH</i> = 81.0 %, <i>T</i><sub>d</sub> = 17.1 °C."));

    DrawHumidityPictures(painter, DiagramColumn(area));
    return image;
}

QImage RenderWaterVapourPage() {
    QImage image = BlankImage(kPageWidth, kPageHeight, Qt::white);
    QPainter painter(&image);
    PrepareHighQuality(painter);
    const QRectF area = DrawNotebookPage(painter, QStringLiteral("За водни пари"));

    Column column(painter, TextColumn(area));
    column.Paragraph(QStringLiteral(
        "Водата непрекъснато се изпарява от моретата, реките, почвата и растенията. "
        "Атмосферното налягане <i>P</i> е сбор от парциалните налягания на газовете във "
        "въздуха (закон на Далтон); едно от тях е налягането на водната пара."));
    column.Skip(6);
    column.Heading(QStringLiteral("Налягане на наситената пара E"));
    column.Paragraph(QStringLiteral(
        "Най-голямото налягане, което водната пара може да има над равна водна повърхност "
        "при температура <i>t</i> (°C). Ако парата стане повече, излишъкът кондензира. "
        "<i>E</i> расте бързо с температурата: 6.1 hPa при 0 °C, 23.4 hPa при 20 °C, "
        "42.5 hPa при 30 °C. Множителят <i>f</i> отчита влиянието на атмосферното налягане "
        "<i>P</i> (hPa):"));
    column.Formula(QStringLiteral(
        "<i>E</i> = <i>f</i> · 6.112 · exp(17.62 · <i>t</i> / (243.12 + <i>t</i>))<br>"
        "<i>f</i> = 1.0016 + 3.15·10<sup>−6</sup> · <i>P</i> − 0.074 / <i>P</i>"));
    column.Heading(QStringLiteral("Парциално налягане на парата е"));
    column.Paragraph(QStringLiteral(
        "Налягането, което парата би имала, ако сама заемаше целия обем. Психрометърът го "
        "дава от показанията на сухия термометър <i>t</i> и на мокрия термометър <i>t′</i>; "
        "<i>E′</i> е наситеното налягане при <i>t′</i>:"));
    column.Formula(
        QStringLiteral("<i>е</i> = <i>E′</i> − <i>A</i> · <i>P</i> · (<i>t</i> − <i>t′</i>)<br>"
                       "<i>A</i> = <i>A</i><sub>0</sub> · (1 + 0.000944 · <i>t′</i>)"));
    column.Paragraph(QStringLiteral(
        "<i>A</i><sub>0</sub> = 0.000684 K<sup>−1</sup> с аспирация и 0.001328 K<sup>−1</sup> "
        "без аспирация. Винаги <i>е</i> ≤ <i>E</i>; при <i>е</i> = <i>E</i> въздухът е "
        "наситен."));

    const QRectF diagram = DiagramColumn(area);
    const double chartHeight = 330.0;
    DrawVapourPressureChart(painter,
                            QRectF(diagram.topLeft(), QSizeF(diagram.width(), chartHeight)));
    DrawRichText(
        painter,
        QStringLiteral("Въздух с <i>t</i> = 20.5 °C и <i>е</i> = 19.6 hPa лежи под кривата: той "
                       "може да поеме още пара, до <i>E</i> = 24.2 hPa. Ако се охлажда, без да "
                       "губи пара, достига кривата при <i>T</i><sub>d</sub> = 17.1 °C — "
                       "точката на оросяване."),
        QPointF(diagram.left(), diagram.top() + chartHeight + 14.0), diagram.width(),
        SansFont(15.5));
    return image;
}

QImage RenderTemperatureScalesPage() {
    QImage image = BlankImage(kPageWidth, kPageHeight, Qt::white);
    QPainter painter(&image);
    PrepareHighQuality(painter);
    const QRectF area = DrawNotebookPage(painter, QStringLiteral("Температурни скали"));

    Column column(painter, TextColumn(area));
    column.Heading(QStringLiteral("Скала на Келвин (K)"));
    column.Paragraph(QStringLiteral(
        "Абсолютната термодинамична скала. Нулата ѝ, 0 K = −273.15 °C, е абсолютната нула — "
        "най-ниската възможна температура. Едно деление е равно на един градус по Целзий."));
    column.Heading(QStringLiteral("Скала на Целзий (°C)"));
    column.Paragraph(QStringLiteral(
        "При нормално атмосферно налягане 1013.25 hPa ледът се топи при 0 °C, а водата кипи "
        "при 100 °C. Термометрите на психрометъра се отчитат в °C."));
    column.Heading(QStringLiteral("Скала на Фаренхайт (°F)"));
    column.Paragraph(QStringLiteral(
        "Ледът се топи при 32 °F, а водата кипи при 212 °F; между тях има 180 деления, затова "
        "един градус по Фаренхайт е 5/9 от градуса по Целзий. Абсолютната нула е при "
        "−459.67 °F."));
    column.Skip(4);
    column.Heading(QStringLiteral("Превръщане"));
    column.Formula(QStringLiteral("<i>T</i> [K] = <i>t</i> [°C] + 273.15"));
    column.Formula(QStringLiteral("<i>t</i> [°C] = <i>T</i> [K] − 273.15"));
    column.Formula(QStringLiteral("<i>t</i> [°F] = 9/5 · <i>t</i> [°C] + 32"));
    column.Formula(QStringLiteral("<i>t</i> [°C] = 5/9 · (<i>t</i> [°F] − 32)"));
    column.Paragraph(QStringLiteral("<b>Пример.</b> 20.5 °C = 293.65 K = 68.9 °F."));

    DrawTemperatureScales(painter, DiagramColumn(area));
    return image;
}

} // namespace pictures
