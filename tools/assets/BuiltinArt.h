#pragma once
// The pictures compiled into the program: game menu, splash window pieces,
// about portrait, manual viewer buttons and the application icon.

#include <QImage>
#include <QString>
#include <utility>
#include <vector>

namespace tavro::assets {

QImage gameMenuPicture();
QImage splashBackground();
QImage splashBox();
QImage splashButton(const QString& text, bool donate, bool disabled);
QImage aboutPortrait();
QImage appIcon();

enum class ManualGlyph { Close, Left, Right };
QImage manualButton(ManualGlyph glyph, bool pressed);

// Every built-in picture with its lookup name.
std::vector<std::pair<QString, QImage>> builtinPictures();

}  // namespace tavro::assets
