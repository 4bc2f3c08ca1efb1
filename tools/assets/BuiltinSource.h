#pragma once
// Writes the C++ source that holds the built-in pictures as PNG bytes and
// implements tavro::builtin::picture().

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

namespace tavro::assets {

QByteArray builtinSource(const std::vector<std::pair<QString, QByteArray>>& pngs);
void writeBuiltinSource(const QString& path);

}  // namespace tavro::assets
