#pragma once
// The manual viewer: a borderless, stay-on-top window that shows the eight
// manual pages one at a time, with drawn close and arrow buttons. Everything
// is drawn in one paint from a small list of picture controls.

#include <QImage>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <array>
#include <string>

#include "skin/ManualLoader.h"

namespace tavro {

// The six drawn button pictures, in stacking order (each _down under its _up).
enum class ManualButton : int { CloseDown = 0, CloseUp, LeftDown, LeftUp, RightDown, RightUp };

class TManualForm : public QWidget, private ManualTarget {
  Q_OBJECT

 public:
  // Loads the pages at once (FormCreate); load errors are shown in an error box.
  // The pixels of pages that pass every check are decoded at the first show.
  explicit TManualForm(const std::string& configFile, QWidget* parent = nullptr);

  // "View manual": centred the first time, later where it was left; on the page last shown.
  void showManual();

  int currentPage() const { return current_page; }
  bool buttonVisible(ManualButton b) const { return buttons_[index(b)].visible; }
  QRect buttonRect(ManualButton b) const { return buttons_[index(b)].rect; }
  // Page n's picture, decoded first if it waits (see decodePages).
  const QImage& pageImage(int n) {
    decodePages();
    return pages_[n - 1].image;
  }
  // Whether page files checked at creation still wait to be decoded (until the
  // first show, paint or pageImage).
  bool pagesWaiting() const { return pages_waiting_; }
  // A key release waiting to be told apart from an auto-repeat.
  bool keyReleasePending() const { return pending_release_ != 0; }

  void Vid_Show_Page();
  void Inp_left_down();
  void Inp_left_up();
  void Inp_right_down();
  void Inp_right_up();
  void Inp_esc_down();
  void Inp_esc_up();

 protected:
  // A hide hands the keyboard back to the device window first.
  void setVisible(bool visible) override;
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct PictureControl {
    QRect rect;
    QImage image;
    QImage hiRes;  // twice image's size, drawn in its place on a screen of ratio 2
    bool visible = true;
  };
  // What took the last left-button press: the page (a drag) or a button.
  enum class PressTarget { None, Page, Close, Left, Right };

  static int index(ManualButton b) { return static_cast<int>(b); }
  PictureControl& button(ManualButton b) { return buttons_[index(b)]; }
  void setButtonVisible(ManualButton b, bool visible);
  void placeButtons();
  PressTarget hitTest(const QPoint& p) const;
  void flushKeyRelease();  // runs the waiting key release, if any
  // Decodes the pages whose files were taken at creation, in page order; an
  // error is shown in an error box and leaves the pages from the failing one on empty.
  void decodePages();

  // ManualTarget
  void setClientHeight(int height) override;
  void setClientWidth(int width) override;
  void placePageTop(int width, int height) override;
  void setPage(int n, Picture picture) override;
  qreal screenPixelRatio() const override;
  void setHiResPage(int n, Picture variant) override;
  void sizePage(int n, int width, int height) override;
  bool takePageFile(int n, const std::string& windowsPath) override;

  int current_page = 1;
  QPoint drag_origin;
  bool system_drag_tried_ = false;  // the window system was asked to move the window
  PressTarget press_target_ = PressTarget::None;
  bool shown_before_ = false;
  int pending_release_ = 0;  // Qt key whose release waits
  QTimer release_timer_;
  std::array<PictureControl, kManualPageCount> pages_;  // im_page_01 .. im_page_08
  PictureControl page_top_;                             // im_page_top
  QRect frame_;                                         // sh_page_top
  std::array<PictureControl, 6> buttons_;
  std::array<std::string, kManualPageCount> page_files_;  // pages waiting to be decoded
  bool pages_waiting_ = false;
};

}  // namespace tavro
