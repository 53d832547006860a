// Drawing pieces shared by the pictures: fonts, rich text blocks and the notebook sheet.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace pictures {

inline constexpr int kPageWidth = 1000;
inline constexpr int kPageHeight = 758;
// Body text stays at or above this size so it reads at 100 % on a small laptop screen.
inline constexpr double kBodyPx = 17.0;

QFont SansFont(double pixelSize, bool bold = false, bool italic = false);
QFont SerifFont(double pixelSize, bool bold = false, bool italic = false);

// A blank opaque canvas with antialiased painting set up by the caller.
QImage BlankImage(int width, int height, QColor fill);
void PrepareHighQuality(QPainter& painter);

// Lays out rich text (Qt's HTML subset) at `width` and draws it with its top left at
// `topLeft`. Returns the height the text took.
double DrawRichText(QPainter& painter, const QString& html, QPointF topLeft, double width,
                    const QFont& baseFont, QColor colour = Qt::black);
double RichTextHeight(const QString& html, double width, const QFont& baseFont);

// A formula on a pale band with an accent bar; `number` (may be empty) goes at the right.
// Returns the height of the band.
double DrawFormulaBox(QPainter& painter, const QString& html, QPointF topLeft, double width,
                      const QString& number = {});

// The shared look of the large help pages: a spiral-bound notebook sheet with binder rings
// along the top, a soft shadow on the right and bottom, the watermark and the bold title.
// Returns the area left for the content.
QRectF DrawNotebookPage(QPainter& painter, const QString& title);

// Soft shadow of a rounded rectangle, blurred on the canvas itself.
void DrawSoftShadow(QPainter& painter, const QRectF& rect, QPointF offset, double blurRadius,
                    QColor colour);

} // namespace pictures

namespace pictures {

// A run of headed paragraphs and formulas laid out down a column.
class Column {
  public:
    Column(QPainter& painter, QRectF area) : painter_(painter), area_(area), y_(area.top()) {}

    void Heading(const QString& text);
    void Paragraph(const QString& html, double pixelSize = kBodyPx);
    void Formula(const QString& html, const QString& number = {});
    void Skip(double pixels) { y_ += pixels; }
    double Y() const { return y_; }
    const QRectF& Area() const { return area_; }

  private:
    QPainter& painter_;
    QRectF area_;
    double y_;
};

} // namespace pictures
