#pragma once
// One page of the printed instruction leaflet: paper, heading, page number
// and blocks of formatted text, 415 x 270 pixels. The bottom corners and the
// top-right corner stay free for the viewer's buttons.

#include <QImage>
#include <QPainter>
#include <QString>

namespace tavro::assets {

class ManualSheet {
 public:
  static constexpr int kWidth = 415;
  static constexpr int kHeight = 270;
  static constexpr int kMargin = 14;
  static constexpr int kTextTop = 38;      // below the heading
  static constexpr int kTextBottom = 244;  // above the footer line

  // At scale 2 the page is drawn at twice the resolution, in the same coordinates.
  ManualSheet(int pageNumber, const QString& heading, int scale = 1);

  // Rich text (a small HTML subset) laid out in a column; returns its height.
  int text(const QRect& column, const QString& html);
  QPainter& painter() { return painter_; }
  QImage finish();

 private:
  QImage image_;
  QPainter painter_;
};

}  // namespace tavro::assets
