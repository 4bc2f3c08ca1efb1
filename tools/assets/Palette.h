#pragma once
// The colours of the default skin, shared by every drawing so the handheld,
// its manual and the side-window pictures look like one product.

#include <QColor>

namespace tavro::assets::palette {

inline const QColor kKey(0xFF, 0x00, 0xFF);        // the window's transparency key
inline const QColor kBodyLight(0x3C, 0x8C, 0x9E);  // teal shell, lit edge
inline const QColor kBodyDark(0x1E, 0x55, 0x66);   // teal shell, shaded edge
inline const QColor kBodyEdge(0x12, 0x33, 0x3D);   // outline of the shell
inline const QColor kFacePlate(0xE6, 0xE2, 0xD3);  // cream plate around the screen
inline const QColor kBezel(0x2E, 0x33, 0x38);      // dark frame of the LCD
inline const QColor kLcd(0xC4, 0xCF, 0xB2);        // pale grey-green panel
inline const QColor kLcdDark(0xB2, 0xBE, 0x9F);    // panel, shaded corner
inline const QColor kInk(0x1A, 0x22, 0x1E);        // a segment that is on
inline const QColor kCapOrange(0xF2, 0x8C, 0x28);  // big arrow buttons
inline const QColor kCapOrangeDark(0xB8, 0x5E, 0x12);
inline const QColor kCapGrey(0x50, 0x57, 0x5E);  // small mode buttons
inline const QColor kCapGreyDark(0x2C, 0x31, 0x36);
inline const QColor kLabel(0xF4, 0xF1, 0xE4);  // printed labels on the shell
inline const QColor kStar(0xFF, 0xD3, 0x3A);   // star yellow in colour drawings
inline const QColor kStarEdge(0xC8, 0x8A, 0x00);
inline const QColor kRobot(0xB9, 0xC6, 0xD0);  // robot metal in colour drawings
inline const QColor kRobotDark(0x5D, 0x6B, 0x78);
inline const QColor kNight(0x08, 0x29, 0x52);  // night blue of the splash and about windows
inline const QColor kDay(0x18, 0x52, 0x94);

}  // namespace tavro::assets::palette
