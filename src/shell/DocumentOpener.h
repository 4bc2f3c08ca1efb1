#pragma once
// Hands a document or an address to the desktop's default handler (the verb
// "open"). The outcome is not reported: a desktop without a handler simply
// opens nothing.

#include <QString>
#include <QUrl>
#include <functional>

namespace tavro {

class DocumentOpener {
 public:
  // A bare file name ("Readme.txt", "Config.ini"), taken in the working directory.
  static void openDocument(const QString& name);
  // A web or "mailto:" address.
  static void openAddress(const QString& address);

  // The URL that openDocument hands over for a name.
  static QUrl documentUrl(const QString& name);

  // Replaces the desktop call (tests); an empty hook restores it.
  using Hook = std::function<void(const QUrl&)>;
  static void setHook(Hook hook);
};

}  // namespace tavro
