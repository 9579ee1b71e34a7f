#include "app/Application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

void ConfigureApplication(QApplication& application) {
  QApplication::setApplicationName(QStringLiteral("Velqorandis"));
  // The toolkit's own texts (standard buttons, file and font dialogs) in the
  // program's language. Without the translations installed they stay English.
  auto* toolkit = new QTranslator(&application);
  if (toolkit->load(QStringLiteral("qt_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(toolkit);
  }
}
