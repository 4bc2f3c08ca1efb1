#pragma once
// The in-window game menu of fullscreen mode: the menu button in the top-left
// corner unfolds a column of rows that mirror the context menu's entries.

#include <QPointer>
#include <array>
#include <vector>

#include "shell/GameMenuRow.h"
#include "shell/MenuEntry.h"

namespace tavro {

class TForm1;

class GameMenu {
 public:
  static constexpr int kRowCount = 13;

  explicit GameMenu(TForm1& form);
  ~GameMenu();
  GameMenu(const GameMenu&) = delete;
  GameMenu& operator=(const GameMenu&) = delete;

  // game_menu_entries: filled by the device window's creation (an early end
  // leaves it empty, and the menu unfolds without rows).
  void setEntries(const std::vector<MenuEntry>* entries) { entries_ = entries; }

  bool game_menu_open = false;

  // btn_game_menu_topClick: flips game_menu_open and shows the result.
  void btn_game_menu_topClick();
  // Unfolds when game_menu_open is true, folds when false.
  void Vid_Display_Game_Menu();
  // la_menu_itemMouseUp: folds the menu.
  void la_menu_itemMouseUp();

  // The rows while unfolded (row i stands for entry i); null otherwise.
  GameMenuRow* row(int i) const;
  bool hasRows() const { return unfolded_; }

 private:
  void unfold();
  void fold();

  TForm1& form_;
  const std::vector<MenuEntry>* entries_ = nullptr;
  std::array<QPointer<GameMenuRow>, kRowCount> rows_{};
  bool unfolded_ = false;
};

}  // namespace tavro
