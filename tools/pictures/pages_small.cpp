// The logo, the licence and contact pages, and the application icons.
#include "canvas.h"
#include "pictures.h"

#include <QPainterPath>

namespace pictures {
namespace {

QLinearGradient GoldGradient(QPointF top, QPointF bottom) {
    QLinearGradient gold(top, bottom);
    gold.setColorAt(0.0, QColor(255, 236, 150));
    gold.setColorAt(0.45, QColor(228, 176, 40));
    gold.setColorAt(0.55, QColor(196, 138, 16));
    gold.setColorAt(1.0, QColor(240, 196, 80));
    return gold;
}

// Lettering as an outline centred in `box`, filled with `fill` over a dark drop shadow.
void DrawShadowedLettering(QPainter& painter, const QString& text, const QFont& font,
                           const QRectF& box, const QBrush& fill, QPointF shadowOffset,
                           QColor shadowColour, QColor outline) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF bounds = path.boundingRect();
    path.translate(box.center() - bounds.center());
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(shadowColour);
    painter.drawPath(path.translated(shadowOffset));
    painter.setBrush(fill);
    painter.setPen(outline.alpha() > 0 ? QPen(outline, 0.8) : QPen(Qt::NoPen));
    painter.drawPath(path);
    painter.restore();
}

} // namespace

QImage RenderLogo() {
    QImage image = BlankImage(125, 59, Qt::white);
    QPainter painter(&image);
    PrepareHighQuality(painter);
    painter.setPen(QPen(QColor(160, 160, 160), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0.5, 0.5, 124.0, 58.0));
    const QRectF box(4, 4, 117, 51);
    DrawShadowedLettering(painter, QStringLiteral("Зорвел"), SerifFont(33, true), box,
                          GoldGradient(QPointF(0, 14), QPointF(0, 44)), QPointF(1.6, 1.8),
                          QColor(45, 38, 30), QColor(120, 82, 8));
    return image;
}

QImage RenderIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    PrepareHighQuality(painter);
    const double s = size;
    const QRectF square(0.5, 0.5, s - 1.0, s - 1.0);
    QLinearGradient paper(square.topLeft(), square.bottomLeft());
    paper.setColorAt(0.0, QColor(253, 251, 244));
    paper.setColorAt(1.0, QColor(240, 235, 220));
    painter.setPen(QPen(QColor(196, 170, 110), std::max(1.0, s / 64.0)));
    painter.setBrush(paper);
    painter.drawRoundedRect(square, s * 0.12, s * 0.12);

    const bool withName = size >= 128;
    const QRectF letterBox = withName ? QRectF(0, s * 0.06, s, s * 0.66) : square;
    const double letterPx = withName ? s * 0.62 : (size <= 16 ? s * 0.98 : s * 0.86);
    DrawShadowedLettering(painter, QStringLiteral("З"), SerifFont(letterPx, true), letterBox,
                          GoldGradient(letterBox.topLeft(), letterBox.bottomLeft()),
                          QPointF(s / 48.0, s / 40.0), QColor(60, 45, 20, 200),
                          size >= 32 ? QColor(120, 82, 8) : QColor(0, 0, 0, 0));
    if (withName) {
        DrawShadowedLettering(painter, QStringLiteral("Зорвел"), SerifFont(s * 0.2, true),
                              QRectF(0, s * 0.68, s, s * 0.26),
                              GoldGradient(QPointF(0, s * 0.7), QPointF(0, s * 0.92)),
                              QPointF(s / 128.0, s / 110.0), QColor(60, 45, 20, 200),
                              QColor(120, 82, 8));
    }
    return image;
}

QImage RenderLicencePage() {
    QImage image = BlankImage(650, 654, Qt::white);
    QPainter painter(&image);
    PrepareHighQuality(painter);
    painter.setFont(SansFont(24, true));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(20, 16, 610, 34), Qt::AlignCenter,
                     QStringLiteral("Лицензионно споразумение"));
    painter.setFont(SansFont(15, false, true));
    painter.drawText(QRectF(20, 50, 610, 22), Qt::AlignCenter,
                     QStringLiteral("Зорвел — психрометричен калкулатор, версия 1.1"));
    const QString text = QStringLiteral(
        "<p><b>1. Предмет.</b> Това споразумение урежда използването на програмата Зорвел "
        "(„програмата“) заедно с помощните ѝ страници и изображения.</p>"
        "<p><b>2. Безплатно ползване.</b> Програмата е безплатна. Можете да я инсталирате и "
        "използвате на произволен брой компютри за лични, учебни и служебни цели, без да "
        "плащате възнаграждение.</p>"
        "<p><b>3. Разпространение.</b> Можете да копирате и разпространявате програмата "
        "безплатно, само в непроменен вид и заедно с това споразумение. Продажбата ѝ или "
        "включването ѝ в платен продукт изисква писмено съгласие на Екипа на Зорвел.</p>"
        "<p><b>4. Ограничения.</b> Не се разрешава промяна, декомпилиране или разглобяване на "
        "програмата, освен доколкото приложимото право го позволява.</p>"
        "<p><b>5. Авторски права.</b> Правата върху програмата, текстовете и изображенията "
        "принадлежат на Екипа на Зорвел.</p>"
        "<p><b>6. Без гаранция.</b> Програмата се предоставя „такава, каквато е“, без "
        "каквито и да е гаранции. Резултатите от изчисленията са с информативен характер; "
        "проверявайте ги, преди да ги използвате за отговорни решения.</p>"
        "<p><b>7. Отговорност.</b> Екипът на Зорвел не носи отговорност за преки или косвени "
        "вреди от използването или невъзможността за използване на програмата.</p>"
        "<p><b>8. Приемане.</b> Като инсталирате или използвате програмата, Вие приемате "
        "условията на това споразумение. Ако не сте съгласни с тях, изтрийте програмата.</p>"
        "<p><b>9. Заключителни разпоредби.</b> За въпросите, които това споразумение не "
        "урежда, се прилага българското законодателство.</p>");
    const double used = DrawRichText(painter, text, QPointF(26, 84), 598, SansFont(16));
    painter.setFont(SansFont(15, false, true));
    painter.setPen(QColor(60, 60, 60));
    painter.drawText(QRectF(26, 84 + used + 4, 598, 22), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("© Екипът на Зорвел"));
    return image;
}

QImage RenderContactPage() {
    QImage image = BlankImage(634, 475, Qt::black);
    QPainter painter(&image);
    PrepareHighQuality(painter);
    QRadialGradient backdrop(QPointF(300, 190), 430);
    backdrop.setColorAt(0.0, QColor(112, 114, 118));
    backdrop.setColorAt(0.55, QColor(64, 65, 68));
    backdrop.setColorAt(1.0, QColor(24, 24, 26));
    painter.fillRect(image.rect(), backdrop);

    painter.setFont(SansFont(30, true));
    painter.setPen(Qt::white);
    painter.drawText(QRectF(20, 22, 594, 40), Qt::AlignCenter, QStringLiteral("За връзка с нас"));

    const QString details = QStringLiteral(
        "<p style='font-size:21px'><b>Екипът на Зорвел</b></p>"
        "<p>Зорвел — психрометричен калкулатор, версия 1.1</p>"
        "<p>Електронна поща: <b>zorvel@example.org</b><br>"
        "Уебсайт: <b>https://zorvel.example.org</b></p>"
        "<p>Пишете ни за грешки, предложения и въпроси за психрометрията. Отговаряме на "
        "български и на английски език.</p>");
    const QFont cardFont = SansFont(17);
    const double cardWidth = 494.0;
    const double textHeight = RichTextHeight(details, cardWidth - 44.0, cardFont);
    const QRectF card(70, 84, cardWidth, textHeight + 30.0);
    DrawSoftShadow(painter, card, QPointF(4, 5), 5.0, QColor(0, 0, 0, 150));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(236, 237, 240));
    painter.drawRoundedRect(card, 10, 10);
    DrawRichText(painter, details, card.topLeft() + QPointF(22, 18), card.width() - 44, cardFont);

    painter.setFont(SansFont(17, false, true));
    painter.setPen(Qt::white);
    painter.drawText(QRectF(260, 330, 350, 60), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Благодарим, че използвате Зорвел!"));

    QLinearGradient metal(QPointF(0, 380), QPointF(0, 450));
    metal.setColorAt(0.0, QColor(250, 251, 252));
    metal.setColorAt(0.45, QColor(170, 175, 182));
    metal.setColorAt(0.5, QColor(110, 114, 120));
    metal.setColorAt(1.0, QColor(215, 218, 222));
    DrawShadowedLettering(painter, QStringLiteral("Зорвел"), SerifFont(64, true),
                          QRectF(22, 376, 250, 80), metal, QPointF(2.5, 3.0), QColor(0, 0, 0, 170),
                          QColor(60, 62, 66));
    return image;
}

} // namespace pictures
