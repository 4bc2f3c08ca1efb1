#pragma once
// A text row of the unfolded game menu: transparent until the pointer enters
// it, then a solid black band. A left click runs the row's command; the left
// button's release, wherever it happens, then asks for the menu to fold.

#include <QLabel>
#include <functional>

namespace tavro {

class GameMenuRow : public QLabel {
  Q_OBJECT

 public:
  // An empty row (a separator): no text, no highlight, no handlers.
  explicit GameMenuRow(QWidget* parent);
  // A command row; "checked" appends " [V]" to the caption.
  GameMenuRow(QWidget* parent, const QString& caption, bool checked, bool enabled);

  std::function<void()> onClick;        // the entry's command
  std::function<void()> onLeftRelease;  // la_menu_itemMouseUp

  bool isHighlighted() const { return autoFillBackground(); }
  bool isSeparator() const { return separator_; }

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void setHighlighted(bool on);

  bool separator_ = false;
  bool leftPressed_ = false;
};

}  // namespace tavro
