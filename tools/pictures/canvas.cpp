#include "canvas.h"

#include <QAbstractTextDocumentLayout>
#include <QPainterPath>
#include <QRegularExpression>
#include <QTextDocument>

#include <algorithm>
#include <cmath>
#include <vector>

namespace pictures {
namespace {

QFont MakeFont(const QString& family, double pixelSize, bool bold, bool italic) {
    QFont font(family);
    font.setPixelSize(static_cast<int>(std::lround(pixelSize)));
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// One horizontal and one vertical box-blur pass over every channel of a premultiplied
// image; three rounds approximate a Gaussian closely enough for a shadow.
void BoxBlur(QImage& image, int radius) {
    const int width = image.width();
    const int height = image.height();
    const int window = 2 * radius + 1;
    std::vector<int> sums(static_cast<std::size_t>(std::max(width, height)) * 4);
    auto pass = [&](bool horizontal) {
        const int lines = horizontal ? height : width;
        const int length = horizontal ? width : height;
        std::vector<QRgb> source(static_cast<std::size_t>(length));
        for (int line = 0; line < lines; ++line) {
            for (int i = 0; i < length; ++i) {
                source[static_cast<std::size_t>(i)] =
                    horizontal ? image.pixel(i, line) : image.pixel(line, i);
            }
            int a = 0, r = 0, g = 0, b = 0;
            for (int i = -radius; i <= radius; ++i) {
                const QRgb p = source[static_cast<std::size_t>(std::clamp(i, 0, length - 1))];
                a += qAlpha(p), r += qRed(p), g += qGreen(p), b += qBlue(p);
            }
            for (int i = 0; i < length; ++i) {
                const QRgb out = qRgba(r / window, g / window, b / window, a / window);
                if (horizontal) {
                    image.setPixel(i, line, out);
                } else {
                    image.setPixel(line, i, out);
                }
                const QRgb leaving =
                    source[static_cast<std::size_t>(std::clamp(i - radius, 0, length - 1))];
                const QRgb entering =
                    source[static_cast<std::size_t>(std::clamp(i + radius + 1, 0, length - 1))];
                a += qAlpha(entering) - qAlpha(leaving);
                r += qRed(entering) - qRed(leaving);
                g += qGreen(entering) - qGreen(leaving);
                b += qBlue(entering) - qBlue(leaving);
            }
        }
    };
    for (int round = 0; round < 3; ++round) {
        pass(true);
        pass(false);
    }
}

// Keeps a number with its unit, an equation's sides with its sign and a hyphenated word
// whole at line ends; Qt's layout would otherwise break "20.5 °C" or "по-малко" across two
// lines. Tags are left as they are.
QString Typeset(const QString& html) {
    static const QRegularExpression numberUnit(
        QStringLiteral("(\\d) (hPa|°C|°F|K(?!\\p{L})|g/m³|g(?!\\p{L})|m³|m/s|%|минути|г\\.)"));
    static const QRegularExpression equals(QStringLiteral(" ([=≤]) "));
    static const QRegularExpression hyphenated(QStringLiteral("(\\p{L})-(\\p{L})"));
    const QString wordJoiner(QChar(0x2060));
    QString out;
    qsizetype at = 0;
    while (at < html.size()) {
        const qsizetype tag = html.indexOf(QLatin1Char('<'), at);
        QString text = html.mid(at, tag < 0 ? -1 : tag - at);
        text.replace(numberUnit, QStringLiteral("\\1&nbsp;\\2"));
        text.replace(equals, QStringLiteral("&nbsp;\\1&nbsp;"));
        text.replace(hyphenated, QStringLiteral("\\1") + wordJoiner + QStringLiteral("-") +
                                     wordJoiner + QStringLiteral("\\2"));
        out += text;
        if (tag < 0) {
            break;
        }
        const qsizetype close = html.indexOf(QLatin1Char('>'), tag);
        out += html.mid(tag, close < 0 ? -1 : close - tag + 1);
        at = close < 0 ? html.size() : close + 1;
    }
    return out;
}

void PrepareDocument(QTextDocument& document, const QString& html, double width,
                     const QFont& baseFont, QColor colour) {
    document.setDocumentMargin(0);
    document.setDefaultFont(baseFont);
    document.setDefaultStyleSheet(QStringLiteral("p { margin-top: 0px; margin-bottom: 8px; }"
                                                 "body { color: %1; }")
                                      .arg(colour.name()));
    document.setHtml(QStringLiteral("<body>%1</body>").arg(Typeset(html)));
    document.setTextWidth(width);
}

void DrawBinderRing(QPainter& painter, double x, double sheetTop) {
    // Seen from the front, each coil is a narrow loop: its front half runs from the punched
    // hole over the top edge of the sheet, its back half shows only above that edge.
    const QPointF centre(x, sheetTop - 1.0);
    const double rx = 6.5;
    const double ry = 16.0;
    const QRectF loop(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry);
    const QPointF hole(x, sheetTop + 13.0);

    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(60, 62, 66));
    painter.drawEllipse(hole, 4.6, 4.0);

    QPainterPath back;
    back.arcMoveTo(loop, 90.0);
    back.arcTo(loop, 90.0, 180.0);
    painter.save();
    painter.setClipRect(QRectF(x - 20.0, sheetTop - 40.0, 40.0, 40.0));
    painter.setBrush(Qt::NoBrush);
    QLinearGradient backMetal(QPointF(x - rx, 0), QPointF(x, 0));
    backMetal.setColorAt(0.0, QColor(70, 72, 78));
    backMetal.setColorAt(0.5, QColor(170, 173, 178));
    backMetal.setColorAt(1.0, QColor(90, 93, 98));
    painter.setPen(QPen(QBrush(backMetal), 3.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(back);
    painter.restore();

    QPainterPath front;
    front.arcMoveTo(loop, 90.0);
    front.arcTo(loop, 90.0, -180.0);
    painter.save();
    painter.setClipRect(QRectF(x - 20.0, sheetTop, 40.0, 40.0));
    painter.setPen(QPen(QColor(0, 0, 0, 60), 3.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(front.translated(1.8, 1.6));
    painter.restore();
    QLinearGradient metal(QPointF(x - 2.0, 0), QPointF(x + rx + 2.0, 0));
    metal.setColorAt(0.0, QColor(120, 124, 130));
    metal.setColorAt(0.55, QColor(238, 240, 243));
    metal.setColorAt(1.0, QColor(104, 108, 114));
    painter.setPen(QPen(QBrush(metal), 3.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(front);
    painter.restore();
}

} // namespace

QFont SansFont(double pixelSize, bool bold, bool italic) {
    return MakeFont(QStringLiteral("Liberation Sans"), pixelSize, bold, italic);
}

QFont SerifFont(double pixelSize, bool bold, bool italic) {
    return MakeFont(QStringLiteral("Liberation Serif"), pixelSize, bold, italic);
}

QImage BlankImage(int width, int height, QColor fill) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

void PrepareHighQuality(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

double DrawRichText(QPainter& painter, const QString& html, QPointF topLeft, double width,
                    const QFont& baseFont, QColor colour) {
    QTextDocument document;
    PrepareDocument(document, html, width, baseFont, colour);
    painter.save();
    painter.translate(topLeft);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, colour);
    document.documentLayout()->draw(&painter, context);
    painter.restore();
    return document.size().height();
}

double RichTextHeight(const QString& html, double width, const QFont& baseFont) {
    QTextDocument document;
    PrepareDocument(document, html, width, baseFont, Qt::black);
    return document.size().height();
}

double DrawFormulaBox(QPainter& painter, const QString& html, QPointF topLeft, double width,
                      const QString& number) {
    const QFont formulaFont = SerifFont(21);
    const double padding = 9.0;
    const double numberWidth = number.isEmpty() ? 0.0 : 48.0;
    const double textWidth = width - 2 * padding - 8.0 - numberWidth;
    const double textHeight = RichTextHeight(html, textWidth, formulaFont);
    const double height = textHeight + 2 * padding;
    const QRectF band(topLeft, QSizeF(width, height));
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(236, 242, 250, 235));
    painter.drawRoundedRect(band, 5, 5);
    painter.setBrush(QColor(52, 96, 160));
    painter.drawRect(QRectF(band.left(), band.top(), 4.0, band.height()));
    painter.restore();
    DrawRichText(painter, html, topLeft + QPointF(padding + 8.0, padding), textWidth, formulaFont,
                 QColor(20, 24, 40));
    if (!number.isEmpty()) {
        painter.save();
        painter.setFont(SerifFont(21, true));
        painter.setPen(QColor(52, 96, 160));
        painter.drawText(
            QRectF(band.right() - numberWidth - padding, band.top(), numberWidth, band.height()),
            Qt::AlignRight | Qt::AlignVCenter, number);
        painter.restore();
    }
    return height;
}

void DrawSoftShadow(QPainter& painter, const QRectF& rect, QPointF offset, double blurRadius,
                    QColor colour) {
    const int margin = static_cast<int>(std::ceil(blurRadius * 3));
    const QRect area =
        rect.translated(offset).toAlignedRect().adjusted(-margin, -margin, margin, margin);
    QImage shadow(area.size(), QImage::Format_ARGB32_Premultiplied);
    shadow.fill(Qt::transparent);
    {
        QPainter shape(&shadow);
        shape.setRenderHint(QPainter::Antialiasing, true);
        shape.setPen(Qt::NoPen);
        shape.setBrush(colour);
        shape.drawRoundedRect(rect.translated(offset).translated(-area.topLeft()), 3, 3);
    }
    BoxBlur(shadow, static_cast<int>(std::lround(blurRadius)));
    painter.drawImage(area.topLeft(), shadow);
}

QRectF DrawNotebookPage(QPainter& painter, const QString& title) {
    const QRectF sheet(16.0, 24.0, 958.0, 708.0);

    // The desk under the sheet.
    QLinearGradient desk(QPointF(0, 0), QPointF(0, kPageHeight));
    desk.setColorAt(0.0, QColor(243, 243, 241));
    desk.setColorAt(1.0, QColor(232, 232, 229));
    painter.fillRect(QRectF(0, 0, kPageWidth, kPageHeight), desk);

    DrawSoftShadow(painter, sheet, QPointF(9, 10), 6.0, QColor(0, 0, 0, 110));

    painter.setPen(QPen(QColor(205, 205, 205), 1.0));
    painter.setBrush(Qt::white);
    painter.drawRect(sheet);

    // The maker's name across the sheet, light enough to read the text over it.
    painter.save();
    painter.setClipRect(sheet);
    painter.translate(sheet.center() + QPointF(0, 30));
    painter.rotate(-27.0);
    painter.setFont(SansFont(230, true));
    painter.setPen(QColor(238, 238, 238));
    painter.drawText(QRectF(-600, -160, 1200, 320), Qt::AlignCenter, QStringLiteral("Зорвел"));
    painter.restore();

    const int rings = 31;
    const double firstX = sheet.left() + 40.0;
    const double step = (sheet.width() - 80.0) / (rings - 1);
    for (int i = 0; i < rings; ++i) {
        DrawBinderRing(painter, firstX + i * step, sheet.top());
    }

    painter.setFont(SansFont(31, true));
    painter.setPen(QColor(28, 44, 84));
    const QRectF titleArea(sheet.left() + 30.0, sheet.top() + 36.0, sheet.width() - 60.0, 44.0);
    painter.drawText(titleArea, Qt::AlignCenter, title);
    painter.setPen(QPen(QColor(52, 96, 160), 1.6));
    const double ruleHalf = 150.0;
    painter.drawLine(QPointF(sheet.center().x() - ruleHalf, titleArea.bottom() + 4.0),
                     QPointF(sheet.center().x() + ruleHalf, titleArea.bottom() + 4.0));

    return QRectF(sheet.left() + 38.0, titleArea.bottom() + 20.0, sheet.width() - 76.0,
                  sheet.bottom() - titleArea.bottom() - 36.0);
}

} // namespace pictures

namespace pictures {

void Column::Heading(const QString& text) {
    if (y_ > area_.top()) {
        y_ += 6.0;
    }
    painter_.save();
    painter_.setFont(SansFont(21, true));
    painter_.setPen(QColor(28, 44, 84));
    const QRectF line(area_.left(), y_, area_.width(), 28.0);
    painter_.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, text);
    painter_.restore();
    y_ += 32.0;
}

void Column::Paragraph(const QString& html, double pixelSize) {
    y_ +=
        DrawRichText(painter_, html, QPointF(area_.left(), y_), area_.width(), SansFont(pixelSize));
}

void Column::Formula(const QString& html, const QString& number) {
    y_ += DrawFormulaBox(painter_, html, QPointF(area_.left(), y_), area_.width(), number);
    y_ += 10.0;
}

} // namespace pictures
