#include "ConfigWriter.h"

#include <QStringList>

#include "ImageIo.h"

namespace tavro::assets {

namespace {

// Control names of the Image sections, in section order.
QString controlName(int n) {
  static const char* const kFixed[] = {
      "",
      "im_background",
      "im_background_screen_top",
      "btn_game_a_down",
      "btn_game_a_top",
      "btn_game_b_down",
      "btn_game_b_top",
      "btn_time_down",
      "btn_time_top",
      "btn_set_top",
      "btn_left_down",
      "btn_left_top",
      "btn_right_down",
      "btn_right_top",
      "im_panel_game_a",
      "im_panel_game_b",
  };
  static const char* const kPanel[] = {
      "im_panel_time_colon", "im_panel_time_am", "im_panel_time_pm",
      "im_panel_time_1",     "im_panel_time_2",  "im_panel_bell",
      "im_panel_alarm",      "im_panel_chrono",  "im_panel_date"};
  if (n <= 15) return kFixed[n];
  if (n <= 25) return QStringLiteral("im_panel_miss_%1").arg(n - 15, 2, 10, QChar('0'));
  if (n <= 29) return QStringLiteral("im_panel_digit_pos_%1").arg(n - 25);
  if (n <= 38) return kPanel[n - 30];
  if (n <= 48) return QStringLiteral("im_panel_number_%1").arg(n - 39);
  if (n <= 57) return QStringLiteral("im_hero_%1_%2").arg((n - 49) % 3 + 1).arg((n - 49) / 3 + 1);
  if (n <= 72) return QStringLiteral("im_item_%1_%2").arg((n - 58) % 3 + 1).arg((n - 58) / 3 + 1);
  static const char* const kKinds[] = {"got", "miss", "target"};
  return QStringLiteral("im_item_%1_%2").arg((n - 73) % 3 + 1).arg(kKinds[(n - 73) / 3]);
}

QString drawingNote(int n) {
  if (n == 9) return "opaque, picture stretched to the control";
  if (n == 3 || n == 5 || n == 7 || n == 10 || n == 12) {
    return "opaque: a bitmap is drawn whole (pressed picture, hidden at rest)";
  }
  if (n >= 4 && n <= 13) return "opaque: a PNG follows its alpha (top picture, mouse target)";
  if (n >= 26 && n <= 29) return "transparent; no picture of its own: it shows a copy of a digit";
  if (n >= 39 && n <= 48) return "transparent; the digit picture copied into the digit positions";
  return "transparent: a bitmap leaves out its bottom-left colour";
}

}  // namespace

QString configText(const SkinLayout& layout) {
  QStringList l;
  l << "; Tavro50 skin configuration."
    << "; Lines starting with ';' are comments. Folders are relative to the folder"
    << "; the game is started from; a trailing backslash is optional."
    << "; Colours are $00BBGGRR. File names 'nil' or empty mean: no picture."
    << ""
    << "[Common]"
    << "; Folder of the pictures named in the Image sections."
    << "SkinDir=Graphics\\Skin\\"
    << "; Size of the game area in pixels (the window size in windowed mode)."
    << "GameWidth=561"
    << "GameHeight=374"
    << ""
    << "[Fullscreen]"
    << "; Used only in fullscreen mode (F12)."
    << "; Folder of the backdrop and of the logo."
    << "BackdropDir=Graphics\\Backdrops\\"
    << "; Picture filling the screen behind the handheld (nil: none)."
    << "BackdropFile=night_sky.jpg"
    << "; 0: draw the backdrop at its own size, centred; 1: stretch it to the screen."
    << "BackdropStretch=0"
    << "; Screen colour where neither the backdrop nor the handheld covers it."
    << "BgColor=$00000000"
    << "; Distance of the game area from the screen's left and top edges in pixels,"
    << "; or Center (also 0 or any word) to centre it."
    << "GameOffsetX=Center"
    << "GameOffsetY=Center"
    << "; Small picture in a corner of the screen (nil: none)."
    << "LogoFile=logo.png"
    << "; Corner of the logo: 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right."
    << "LogoPosition=1"
    << ""
    << "[VideoMode]"
    << "; Used only in windowed mode: pixels of exactly this colour are see-through,"
    << "; which gives the window the outline of the handheld."
    << "TranspColor=$00ff00ff"
    << ""
    << "; Image1 to Image81 place the pictures of the handheld. Each has"
    << "; Filename (in SkinDir), Left and Top (relative to the game area),"
    << "; Width and Height (the size of the control; the picture is cut off there)."
    << "; Later numbers do not necessarily lie on top: the stacking order is fixed.";
  for (int n = 1; n <= 81; ++n) {
    const auto it = layout.find(n);
    const SkinEntry entry = it == layout.end() ? SkinEntry{} : it->second;
    l << "" << QStringLiteral("[Image%1]").arg(n)
      << QStringLiteral("; %1, %2").arg(controlName(n), drawingNote(n))
      << "Filename=" + entry.filename << QStringLiteral("Left=%1").arg(entry.rect.left())
      << QStringLiteral("Top=%1").arg(entry.rect.top())
      << QStringLiteral("Width=%1").arg(entry.rect.width())
      << QStringLiteral("Height=%1").arg(entry.rect.height());
  }
  l << ""
    << "[Manual]"
    << "; Folder of the manual pages 1.bmp to 8.bmp."
    << "ManualDir=Graphics\\Manual\\"
    << "; Size of the manual window and of every page."
    << "ManualWidth=415"
    << "ManualHeight=270"
    << "";
  return l.join("\r\n");
}

void writeConfig(const QString& path, const SkinLayout& layout) {
  writeFile(path, configText(layout).toUtf8());
}

}  // namespace tavro::assets
