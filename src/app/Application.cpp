#include "app/Application.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

void NameApplication() {
  QCoreApplication::setApplicationName(QStringLiteral("Velqorandis"));
  QCoreApplication::setApplicationVersion(QStringLiteral(VELQORANDIS_VERSION));
}

void ConfigureApplication(QApplication& application) {
  NameApplication();
  // The desktop entry and the icon of an installation go with the windows.
  QGuiApplication::setDesktopFileName(QStringLiteral(VELQORANDIS_APP_ID));
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addFile(QStringLiteral(":/icons/%1.png").arg(size));
  QApplication::setWindowIcon(icon);
  // The toolkit's own texts (standard buttons, file and font dialogs) in the
  // program's language. Without the translations installed they stay English.
  auto* toolkit = new QTranslator(&application);
  if (toolkit->load(QStringLiteral("qt_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(toolkit);
  }
}
