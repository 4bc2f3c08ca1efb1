#pragma once
// Copies the plain-text documents into the program folder with CRLF line
// ends, so they read the same in any editor on Windows and Linux.

#include <QString>

namespace tavro::assets {

QByteArray withCrlf(const QByteArray& text);
void copyDocument(const QString& source, const QString& target);

}  // namespace tavro::assets
