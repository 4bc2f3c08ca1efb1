#pragma once
// The picture file and the place of each of the 81 skin images, filled in by
// the drawing modules and written out as the Image sections of Config.ini.

#include <QRect>
#include <QString>
#include <map>

namespace tavro::assets {

struct SkinEntry {
  QString filename;  // empty: the control has no picture of its own
  QRect rect;        // place and size in the game area
};

using SkinLayout = std::map<int, SkinEntry>;  // keyed by the Image section number

}  // namespace tavro::assets
