#pragma once
// Where things sit on the 561 x 374 handheld: the LCD panel and its segment
// grid, and the buttons. The body drawing, the segment drawings and the
// Config.ini writer all take their coordinates from here.

#include <QPoint>
#include <QRect>

namespace tavro::assets::geometry {

inline constexpr int kGameWidth = 561;
inline constexpr int kGameHeight = 374;

// The shell: a rounded landscape body inset from the picture's edge.
inline const QRect kBody(6, 8, 549, 358);
inline constexpr int kBodyRadius = 34;

// The LCD panel (pale green) and the bezel around it.
inline const QRect kLcd(156, 38, 250, 232);
inline const QRect kBezel = kLcd.adjusted(-14, -14, 14, 14);

// Column centres of the playfield, relative to the panel.
inline constexpr int kColumnX[3] = {45, 125, 205};
// The ground line on which the robot stands, relative to the panel.
inline constexpr int kGround = 226;

// Digit cells of the panel, relative to the panel; every digit picture has this size.
inline constexpr int kDigitWidth = 18;
inline constexpr int kDigitHeight = 30;
inline constexpr int kDigitX[4] = {88, 109, 137, 158};
inline constexpr int kDigitY = 5;

// A button of the shell: its cap's centre and size; round caps have w == h.
struct ButtonSpec {
  const char* name;  // file name stem, e.g. "game_a"
  QPoint centre;
  int w;
  int h;
  bool round;
  const char* label;
};

inline const ButtonSpec kGameA{"game_a", {488, 96}, 46, 18, false, "GAME A"};
inline const ButtonSpec kGameB{"game_b", {488, 148}, 46, 18, false, "GAME B"};
inline const ButtonSpec kTime{"time", {73, 96}, 46, 18, false, "TIME"};
inline const ButtonSpec kSet{"set", {73, 146}, 14, 14, true, "ALARM SET"};
inline const ButtonSpec kLeft{"left", {73, 250}, 62, 62, true, "LEFT"};
inline const ButtonSpec kRight{"right", {488, 250}, 62, 62, true, "RIGHT"};

// The rectangle of a button's pictures: the cap, its well and its rim.
inline QRect buttonRect(const ButtonSpec& b) {
  const int m = b.round && b.w > 30 ? 8 : 6;
  return QRect(b.centre.x() - b.w / 2 - m, b.centre.y() - b.h / 2 - m, b.w + 2 * m, b.h + 2 * m);
}

}  // namespace tavro::assets::geometry
