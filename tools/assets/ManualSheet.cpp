#include "ManualSheet.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QTextDocument>

#include "LcdArt.h"
#include "Palette.h"

namespace tavro::assets {

namespace {

const QColor kPaper(0xFB, 0xFA, 0xF3);
const QColor kHeadingInk(0x10, 0x3A, 0x6E);

}  // namespace

ManualSheet::ManualSheet(int pageNumber, const QString& heading, int scale)
    : image_(kWidth * scale, kHeight * scale, QImage::Format_RGB32) {
  image_.fill(kPaper);
  painter_.begin(&image_);
  painter_.scale(scale, scale);
  painter_.setRenderHint(QPainter::Antialiasing);
  painter_.setRenderHint(QPainter::TextAntialiasing);
  // heading with a star mark, kept clear of the close button in the top-right corner
  painter_.setPen(Qt::NoPen);
  painter_.setBrush(palette::kStar);
  painter_.drawPath(starPath(QPointF(kMargin + 6, 17), 7, 3, 0));
  QFont font("Liberation Sans");
  font.setPixelSize(16);
  font.setBold(true);
  painter_.setFont(font);
  painter_.setPen(kHeadingInk);
  painter_.drawText(QRect(kMargin + 18, 6, kWidth - 2 * kMargin - 50, 24),
                    Qt::AlignLeft | Qt::AlignVCenter, heading);
  painter_.setPen(QPen(kHeadingInk, 1.2));
  painter_.drawLine(QPointF(kMargin, 32.5), QPointF(kWidth - kMargin - 24, 32.5));
  // footer: a thin rule and the page number between the arrow buttons
  painter_.setPen(QPen(QColor(0xB8, 0xB4, 0xA4), 1));
  painter_.drawLine(QPointF(40, 250.5), QPointF(kWidth - 40, 250.5));
  QFont small("Liberation Sans");
  small.setPixelSize(10);
  painter_.setFont(small);
  painter_.setPen(QColor(0x60, 0x5C, 0x50));
  painter_.drawText(QRect(40, 252, kWidth - 80, 16), Qt::AlignCenter,
                    QStringLiteral("Tavro50 \u00B7 %1 / 8").arg(pageNumber));
}

int ManualSheet::text(const QRect& column, const QString& html) {
  QTextDocument doc;
  QFont font("Liberation Sans");
  font.setPixelSize(11);
  doc.setDefaultFont(font);
  doc.setDocumentMargin(0);
  doc.setDefaultStyleSheet(
      "p { margin-top: 0px; margin-bottom: 4px; color: #26231C; }"
      "b { color: #103A6E; }"
      "td { padding-right: 6px; padding-bottom: 1px; color: #26231C; }"
      "li { margin-bottom: 2px; color: #26231C; }"
      "ul { margin-left: 12px; -qt-list-indent: 0; }");
  doc.setHtml(html);
  doc.setTextWidth(column.width());
  painter_.save();
  painter_.translate(column.topLeft());
  QAbstractTextDocumentLayout::PaintContext context;
  context.clip = QRectF(0, 0, column.width(), column.height());
  doc.documentLayout()->draw(&painter_, context);
  painter_.restore();
  return int(doc.size().height());
}

QImage ManualSheet::finish() {
  painter_.end();
  return image_;
}

}  // namespace tavro::assets
