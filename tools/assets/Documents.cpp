#include "Documents.h"

#include <QFile>
#include <stdexcept>

#include "ImageIo.h"

namespace tavro::assets {

QByteArray withCrlf(const QByteArray& text) {
  QByteArray out;
  out.reserve(text.size() + text.size() / 20);
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

void copyDocument(const QString& source, const QString& target) {
  QFile in(source);
  if (!in.open(QIODevice::ReadOnly)) {
    throw std::runtime_error("cannot read " + source.toStdString());
  }
  writeFile(target, withCrlf(in.readAll()));
}

}  // namespace tavro::assets
