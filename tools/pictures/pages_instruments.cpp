// The August and the Assmann psychrometers, each in three columns: a numbered line drawing
// with its legend, a description, and a shaded illustration of the instrument.
#include "canvas.h"
#include "instrument_drawings.h"
#include "pictures.h"

#include <algorithm>
#include <functional>

namespace pictures {
namespace {

struct InstrumentPage {
    QString title;
    std::function<void(QPainter&, const QRectF&)> lineDrawing;
    QString legend;
    QString description;
    std::function<void(QPainter&, const QRectF&)> illustration;
    QString caption;
};

QImage RenderInstrumentPage(const InstrumentPage& page) {
    QImage image = BlankImage(kPageWidth, kPageHeight, Qt::white);
    QPainter painter(&image);
    PrepareHighQuality(painter);
    const QRectF area = DrawNotebookPage(painter, page.title);

    const double gap = 22.0;
    const double drawingWidth = 262.0;
    const double photoWidth = 252.0;
    const double textWidth = area.width() - drawingWidth - photoWidth - 2 * gap;
    const QRectF drawingColumn(area.left(), area.top(), drawingWidth, area.height());
    const QRectF textColumn(drawingColumn.right() + gap, area.top(), textWidth, area.height());
    const QRectF photoColumn(textColumn.right() + gap, area.top(), photoWidth, area.height());

    const QFont legendFont = SansFont(15.5);
    const double legendHeight = RichTextHeight(page.legend, drawingWidth, legendFont);
    const QRectF drawingFrame(drawingColumn.left(), drawingColumn.top(), drawingWidth,
                              drawingColumn.height() - legendHeight - 8.0);
    page.lineDrawing(painter, drawingFrame);
    DrawRichText(painter, page.legend, QPointF(drawingColumn.left(), drawingFrame.bottom() + 8.0),
                 drawingWidth, legendFont);

    // Thin rules between the columns, as in a printed table.
    painter.setPen(QPen(QColor(190, 196, 206), 1.0));
    painter.drawLine(QPointF(textColumn.left() - gap / 2, area.top()),
                     QPointF(textColumn.left() - gap / 2, area.bottom()));
    painter.drawLine(QPointF(photoColumn.left() - gap / 2, area.top()),
                     QPointF(photoColumn.left() - gap / 2, area.bottom()));

    DrawRichText(painter, page.description, textColumn.topLeft(), textWidth, SansFont(kBodyPx));

    const QFont captionFont = SansFont(15.5, false, true);
    const double captionHeight = RichTextHeight(page.caption, photoWidth, captionFont);
    // The illustrations are drawn 6 units wide to 11 high; the frame keeps that shape.
    const double photoHeight =
        std::min(photoColumn.height() - captionHeight - 10.0, photoWidth * 11.0 / 6.0);
    const QRectF photoFrame(photoColumn.left(), photoColumn.top(), photoWidth, photoHeight);
    page.illustration(painter, photoFrame);
    DrawRichText(painter, page.caption, QPointF(photoColumn.left(), photoFrame.bottom() + 8.0),
                 photoWidth, captionFont, QColor(60, 60, 60));
    return image;
}

} // namespace

QImage RenderAugustPage() {
    return RenderInstrumentPage({
        QStringLiteral("Психрометър на Август"),
        DrawAugustLineDrawing,
        QStringLiteral("<b>1</b> — сух термометър<br><b>2</b> — мокър термометър<br>"
                       "<b>3</b> — батист<br><b>4</b> — съд с дестилирана вода<br>"
                       "<b>5</b> — скала<br><b>6</b> — дъска и основа"),
        QStringLiteral(
            "<p>Германският физик Ернст Фердинанд Август описва уреда през 1825 г. и го "
            "нарича психрометър.</p>"
            "<p>Два еднакви живачни термометъра са закрепени отвесно един до друг. "
            "Резервоарът на мокрия термометър е обвит с батист, чийто край е потопен в съд "
            "с дестилирана вода, така че платът остава влажен.</p>"
            "<p>Уредът стои в метеорологична будка, която го пази от слънце и валежи. "
            "Въздухът около термометрите се движи свободно, без вентилатор, затова "
            "коефициентът е по-голям: <i>A</i><sub>0</sub> = 0.001328 K<sup>−1</sup>.</p>"
            "<p>Уредът е прост и не се нуждае от захранване, но при тихо време около мокрия "
            "термометър се задържа влажен въздух, затова показанията му зависят от вятъра.</p>"
            "<p>Отчетете първо мокрия, после сухия термометър и в Зорвел изберете "
            "„Без&nbsp;аспирация“.</p>"),
        DrawAugustIllustration,
        QStringLiteral("Психрометър на Август: два термометъра на дървена дъска"),
    });
}

QImage RenderAssmannPage() {
    return RenderInstrumentPage({
        QStringLiteral("Психрометър на Асман"),
        DrawAssmannLineDrawing,
        QStringLiteral("<b>1</b> — вентилатор с пружинен механизъм<br><b>2</b> — ключ за "
                       "навиване<br><b>3</b> — сух термометър<br><b>4</b> — мокър "
                       "термометър<br><b>5</b> — батист<br><b>6</b> — двойни защитни "
                       "тръби<br><b>7</b> — въздуховод"),
        QStringLiteral(
            "<p>Аспирационният психрометър е създаден от германския метеоролог Рихард Асман "
            "в края на XIX век.</p>"
            "<p>Двата термометъра са в полирани метални тръби, които отразяват слънчевите "
            "лъчи. Навитият вентилатор засмуква въздух отдолу, покрай резервоарите, с "
            "постоянна скорост около 2–3 m/s и го изхвърля през главата на уреда.</p>"
            "<p>Тъй като обдухването е известно и постоянно, показанията почти не зависят от "
            "вятъра: <i>A</i><sub>0</sub> = 0.000684 K<sup>−1</sup>.</p>"
            "<p>При измерване уредът се държи с протегната ръка или се окачва на около 2 m "
            "над земята, далеч от тялото на наблюдателя.</p>"
            "<p>Намокрете батиста, навийте вентилатора, изчакайте 3–4 минути и в Зорвел "
            "изберете „С&nbsp;аспирация“.</p>"),
        DrawAssmannIllustration,
        QStringLiteral("Психрометър на Асман: полирани тръби и вентилатор"),
    });
}

} // namespace pictures
