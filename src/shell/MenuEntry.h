#pragma once
// One entry of the device window's context menu, as both menus use it: the
// caption without its shortcut text, the menu action (check mark and enabled
// state) and the command it runs. Separators have the caption "-" and no
// command.

#include <QString>
#include <functional>

class QAction;

namespace tavro {

struct MenuEntry {
  QString caption;
  QAction* action = nullptr;
  std::function<void()> command;

  bool isSeparator() const { return caption == QLatin1String("-"); }
};

}  // namespace tavro
