#pragma once
// The key settings window: one list per button, refusing a setting in which
// two buttons share a key; accepting stores the choices, derives the key
// codes and rewrites the device window's button hints.

#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "input/KeyTable.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace tavro {

class SettingsStore;

// What the window asks of the device window.
struct KeysActions {
  std::function<void(const ButtonHints&)> setHints;
  std::function<void(bool enabled)> setDeviceEnabled;
};

class TKeysForm : public QWidget {
  Q_OBJECT

 public:
  // The bindings and key names must be loaded already; the lists are filled
  // from them here only.
  TKeysForm(std::array<KeyBinding, kButtonCount>& bindings,
            const std::array<std::string, kBindableKeyCount + 1>& keyNames, SettingsStore& settings,
            KeysActions actions, QWidget* parent = nullptr);

  // The "Key settings" command: centred, shown (not modal), device disabled.
  void openCentred();

  // Colours the labels; true when two lists show the same entry or a list
  // shows none.
  bool CheckKeys();
  void cbChange();
  void btn_acceptClick();

  QLabel* la_main;
  QLabel* la_controls;
  std::array<QComboBox*, kButtonCount> cb{};  // cb_1 .. cb_5
  std::array<QLabel*, kButtonCount> la{};     // la_1 .. la_5
  QPushButton* btn_accept;

 protected:
  // A hide hands the keyboard back to the device window first.
  void setVisible(bool visible) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  bool FormKeyDown(QKeyEvent* event);  // true when the key was taken here
  void closeWindow();
  // Key preview also for the dropped-down lists, from the first show on: a
  // list builds its drop-down when it is first asked for it.
  void watchLists();

  std::array<KeyBinding, kButtonCount>& bindings_;
  const std::array<std::string, kBindableKeyCount + 1>& keyNames_;
  SettingsStore& settings_;
  KeysActions actions_;
  bool listsWatched_ = false;
};

}  // namespace tavro
