// The psychrometer principle twice: as a tale and as a textbook lesson.
#include "canvas.h"
#include "physics_drawings.h"
#include "pictures.h"

namespace pictures {

QImage RenderTalePage() {
    QImage image = BlankImage(kPageWidth, kPageHeight, Qt::white);
    QPainter painter(&image);
    PrepareHighQuality(painter);
    const QRectF area = DrawNotebookPage(painter, QStringLiteral("Приказка за двата термометъра"));

    const double gap = 36.0;
    const double columnWidth = (area.width() - gap) / 2.0;
    const QFont font = SerifFont(20.5);
    const QString left = QStringLiteral(
        "<p>Имало едно време двама братя термометри, които живеели на една дъсчица в "
        "градината на стар метеоролог. Приличали си като две капки вода: еднакво стъкло, "
        "еднакъв живак, еднаква скала. Само по-малкият брат носел на главичката си шапчица "
        "от батист, чийто крайчец стигал до чашка с вода, и шапчицата му винаги била "
        "мокра.</p>"
        "<p>Всяка сутрин метеорологът записвал в тетрадката си по две числа. Сухият брат "
        "показвал колко е топъл въздухът. Мокрият почти винаги показвал по-малко.</p>"
        "<p>— Защо на мен винаги ми е по-студено, отколкото на теб? — питал малкият.</p>"
        "<p>— Защото от шапчицата ти се изпарява вода — отговарял големият. — А за да се "
        "изпари, водата взема топлина от теб. Колкото по-сух е въздухът, толкова по-бързо "
        "се изпарява тя и толкова повече те изстудява.</p>"
        "<p>— А когато въздухът е влажен?</p>");
    const QString right = QStringLiteral(
        "<p>— Тогава водата се изпарява бавно и ти почти ме догонваш. А ако въздухът е "
        "наситен с пара, изпарението спира и двамата показваме едно и също.</p>"
        "<p>Така метеорологът разбрал, че разликата между двамата братя разказва колко пара "
        "има във въздуха. Той събрал много измервания и написал уравнение, което от двете "
        "показания и от атмосферното налягане дава налягането на водната пара, а оттам — "
        "относителната влажност и точката на оросяване.</p>"
        "<p>Оттогава братята живеят един до друг в метеорологичните будки по целия свят под "
        "общото име психрометър (от гръцки „психрос“ — студен, и „метрон“ — мярка). А "
        "малкият брат се гордее с мократа си шапчица, защото без нея никой не би узнал колко "
        "е влажен въздухът.</p>"
        "<p>А ако и вие искате да узнаете, запишете показанията на двамата братя и ги "
        "въведете в Зорвел.</p>");
    DrawRichText(painter, left, area.topLeft(), columnWidth, font);
    const double rightHeight = DrawRichText(
        painter, right, area.topLeft() + QPointF(columnWidth + gap, 0.0), columnWidth, font);

    painter.setFont(SerifFont(20, true, true));
    painter.setPen(QColor(28, 44, 84));
    painter.drawText(
        QRectF(area.left() + columnWidth + gap, area.top() + rightHeight + 6.0, columnWidth, 30.0),
        Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Екипът на Зорвел"));
    return image;
}

QImage RenderTextbookPage() {
    QImage image = BlankImage(kPageWidth, kPageHeight, Qt::white);
    QPainter painter(&image);
    PrepareHighQuality(painter);
    const QRectF area = DrawNotebookPage(painter, QStringLiteral("Психрометърът — урок"));

    const double gap = 34.0;
    const double columnWidth = (area.width() - gap) / 2.0;
    Column left(painter, QRectF(area.left(), area.top(), columnWidth, area.height()));
    left.Paragraph(QStringLiteral(
        "<p>Психрометърът се състои от два еднакви термометъра. <b>Сухият</b> термометър "
        "показва температурата на въздуха <i>t</i>. Резервоарът на <b>мокрия</b> термометър "
        "е обвит с батист, напоен с дестилирана вода. Водата се изпарява и отнема топлина, "
        "затова показанието на мокрия термометър <i>t′</i> е по-ниско.</p>"));
    const double sketchHeight = 150.0;
    DrawWetBulbSketch(painter, QRectF(area.left(), left.Y(), columnWidth, sketchHeight));
    left.Skip(sketchHeight + 10.0);
    left.Paragraph(QStringLiteral(
        "<p>Колкото по-сух е въздухът, толкова по-силно е изпарението и толкова по-голяма е "
        "психрометричната разлика <i>t</i> − <i>t′</i>. Когато показанието на мокрия "
        "термометър се установи, топлината, която той получава от въздуха, е равна на "
        "топлината, отнета от изпарението. Това равновесие дава психрометричното "
        "уравнение:</p>"));
    left.Formula(QStringLiteral("<i>E′</i> − <i>е</i> = <i>A</i> · <i>P</i> · (<i>t</i> − "
                                "<i>t′</i>)"),
                 QStringLiteral("(1)"));
    left.Skip(6);
    left.Paragraph(QStringLiteral(
        "<b>Важно.</b> Батистът трябва да е чист и мокър, а термометрите — на сянка. "
        "Мокрият термометър се отчита, когато показанието му престане да спада."));

    Column right(painter,
                 QRectF(area.left() + columnWidth + gap, area.top(), columnWidth, area.height()));
    right.Paragraph(QStringLiteral(
        "<i>E′</i> е налягането на наситената пара при <i>t′</i>, <i>P</i> — атмосферното "
        "налягане, а <i>A</i> = <i>A</i><sub>0</sub> · (1 + 0.000944 · <i>t′</i>) — "
        "психрометричният коефициент; <i>A</i><sub>0</sub> = 0.000684 K<sup>−1</sup> с "
        "аспирация и 0.001328 K<sup>−1</sup> без аспирация. От (1) намираме парциалното "
        "налягане на водната пара:"));
    right.Formula(QStringLiteral("<i>е</i> = <i>E′</i> − <i>A</i> · <i>P</i> · (<i>t</i> − "
                                 "<i>t′</i>)"),
                  QStringLiteral("(2)"));
    right.Paragraph(QStringLiteral(
        "Относителната влажност сравнява <i>е</i> с налягането на наситената пара <i>E</i> "
        "при температурата на сухия термометър:"));
    right.Formula(QStringLiteral("<i>RH</i> = <i>е</i> / <i>E</i> · 100 %"), QStringLiteral("(3)"));
    right.Paragraph(QStringLiteral("<i>E</i> и <i>E′</i> се пресмятат по формулата на Магнус:"));
    right.Formula(QStringLiteral(
        "<i>E</i> = <i>f</i> · 6.112 · exp(17.62 · <i>t</i> / (243.12 + <i>t</i>))"));
    right.Paragraph(QStringLiteral(
        "<b>Пример.</b> <i>t</i> = 20.5 °C, <i>t′</i> = 18.3 °C, <i>P</i> = 981.1 hPa, "
        "с аспирация; <i>E′</i> = 21.08 hPa, <i>E</i> = 24.17 hPa.<br>"
        "<i>A</i> = 0.000684 · (1 + 0.000944 · 18.3) = 0.000696 K<sup>−1</sup><br>"
        "<i>е</i> = 21.08 − 0.000696 · 981.1 · 2.2 = 19.58 hPa<br>"
        "<i>RH</i> = 19.58 / 24.17 · 100 = 81.0 %"));
    right.Skip(10);
    right.Paragraph(QStringLiteral(
        "В Зорвел въвеждате <i>t</i>, <i>t′</i> и налягането <i>P</i> (или надморската "
        "височина), избирате вида на психрометъра и получавате <i>е</i>, <i>RH</i>, "
        "<i>T</i><sub>d</sub>, <i>E</i> и абсолютната влажност <i>F</i>."));
    return image;
}

} // namespace pictures
