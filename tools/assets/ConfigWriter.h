#pragma once
// Writes Config.ini: every section and key, each explained by comment lines,
// folders written with backslashes, CRLF line ends.

#include <QString>

#include "SkinLayout.h"

namespace tavro::assets {

QString configText(const SkinLayout& layout);
void writeConfig(const QString& path, const SkinLayout& layout);

}  // namespace tavro::assets
