#include "shell/GameMenu.h"

#include <QAction>

#include "device/window/unit1.h"
#include "shell/ErrorBox.h"

namespace tavro {
namespace {

constexpr QRect kFolded(0, 0, 36, 32);
constexpr QRect kUnfolded(0, 0, 256, 448);
constexpr int kRowHeight = 32;

}  // namespace

GameMenu::GameMenu(TForm1& form) : form_(form) {}

GameMenu::~GameMenu() {
  for (QPointer<GameMenuRow>& row : rows_) {
    delete row.data();
  }
}

void GameMenu::btn_game_menu_topClick() {
  game_menu_open = !game_menu_open;
  Vid_Display_Game_Menu();
}

void GameMenu::Vid_Display_Game_Menu() {
  if (game_menu_open) {
    unfold();
  } else {
    fold();
  }
}

void GameMenu::la_menu_itemMouseUp() {
  game_menu_open = false;
  Vid_Display_Game_Menu();
}

GameMenuRow* GameMenu::row(int i) const {
  if (i < 1 || i > kRowCount) {
    return nullptr;
  }
  return rows_[static_cast<std::size_t>(i - 1)].data();
}

void GameMenu::unfold() {
  fold();  // an unfolded menu is built afresh, with the check marks of now
  const std::size_t count =
      entries_ ? std::min<std::size_t>(entries_->size(), kRowCount) : std::size_t{0};
  for (std::size_t i = 0; i < count; ++i) {
    const MenuEntry& entry = (*entries_)[i];
    GameMenuRow* row = nullptr;
    if (entry.isSeparator()) {
      row = new GameMenuRow(&form_);
    } else {
      const bool checked = entry.action && entry.action->isChecked();
      const bool enabled = !entry.action || entry.action->isEnabled();
      row = new GameMenuRow(&form_, entry.caption, checked, enabled);
      if (enabled) {
        const std::function<void()> command = entry.command;
        row->onClick = [this, command] {
          if (command) {
            runHandler(command);
          }
        };
        row->onLeftRelease = [this] { runHandler([this] { la_menu_itemMouseUp(); }); };
      }
    }
    row->move(0, kRowHeight * static_cast<int>(i + 1));
    row->show();
    row->raise();
    rows_[i] = row;
  }
  unfolded_ = true;
  form_.gameMenuBackgroundControl().setGeometry(kUnfolded);
}

void GameMenu::fold() {
  if (!unfolded_) {
    return;
  }
  for (QPointer<GameMenuRow>& row : rows_) {
    if (row) {
      // A row may be handling its own release right now: it goes once that
      // event is over.
      row->hide();
      row->deleteLater();
    }
    row = nullptr;
  }
  unfolded_ = false;
  form_.gameMenuBackgroundControl().setGeometry(kFolded);
}

}  // namespace tavro
