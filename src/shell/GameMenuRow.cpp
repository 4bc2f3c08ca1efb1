#include "shell/GameMenuRow.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QMouseEvent>

namespace tavro {
namespace {

constexpr int kRowWidth = 256;
constexpr int kRowHeight = 32;
constexpr int kCellHeight = 16;

// Arial whose character cell (ascent plus descent) is 16 pixels high: the
// largest pixel size whose line fits in the cell.
QFont rowFont() {
  QFont font(QStringLiteral("Arial"));
  int size = kCellHeight;
  font.setPixelSize(size);
  while (size > 8 && QFontMetrics(font).height() > kCellHeight) {
    font.setPixelSize(--size);
  }
  return font;
}

void setUpRow(QLabel& row) {
  row.setFixedSize(kRowWidth, kRowHeight);
  row.setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  row.setAutoFillBackground(false);
}

}  // namespace

GameMenuRow::GameMenuRow(QWidget* parent) : QLabel(parent), separator_(true) {
  setUpRow(*this);
}

GameMenuRow::GameMenuRow(QWidget* parent, const QString& caption, bool checked, bool enabled)
    : QLabel(parent) {
  setUpRow(*this);
  static const QFont font = rowFont();
  setFont(font);
  QPalette pal = palette();
  pal.setColor(QPalette::WindowText, Qt::white);
  pal.setColor(QPalette::Window, Qt::black);
  setPalette(pal);
  setText(QStringLiteral("   ") + caption + (checked ? QStringLiteral(" [V]") : QString()));
  setCursor(Qt::PointingHandCursor);
  setEnabled(enabled);
}

void GameMenuRow::setHighlighted(bool on) {
  if (separator_ || on == autoFillBackground()) {
    return;
  }
  setAutoFillBackground(on);
  update();
}

void GameMenuRow::enterEvent(QEnterEvent* event) {
  setHighlighted(true);
  QLabel::enterEvent(event);
}

void GameMenuRow::leaveEvent(QEvent* event) {
  setHighlighted(false);
  QLabel::leaveEvent(event);
}

void GameMenuRow::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    event->ignore();  // the context menu opens from the device window
    return;
  }
  if (event->button() == Qt::LeftButton && !separator_) {
    leftPressed_ = true;
  }
  // Taken, separators included: the rows lie over the device window's
  // picture controls and a press on one never reaches the window below.
  event->accept();
}

void GameMenuRow::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton || !leftPressed_) {
    return;
  }
  leftPressed_ = false;
  // Copies: a handler may fold the menu, which lets go of this row.
  const std::function<void()> click = onClick;
  const std::function<void()> release = onLeftRelease;
  if (rect().contains(event->position().toPoint()) && click) {
    click();
  }
  if (release) {
    release();
  }
}

}  // namespace tavro
