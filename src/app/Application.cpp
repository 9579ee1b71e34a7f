#include "app/Application.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void NameApplication() {
  QCoreApplication::setApplicationName(QStringLiteral("Velqorandis"));
  QCoreApplication::setApplicationVersion(QStringLiteral(VELQORANDIS_VERSION));
}

void ConfigureApplication() {
  NameApplication();
  // The desktop entry and the icon of an installation go with the windows.
  QGuiApplication::setDesktopFileName(QStringLiteral(VELQORANDIS_APP_ID));
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addFile(QStringLiteral(":/icons/%1.png").arg(size));
  QApplication::setWindowIcon(icon);
  SpeakLanguage(TUiLanguage::kJapanese);
}

void SpeakLanguage(TUiLanguage spoken) {
  static QTranslator program;
  static QTranslator toolkit;
  static TUiLanguage speaking = TUiLanguage::kAutomatic;  // none yet
  if (spoken == speaking) return;  // the start's choice is most often the default's
  speaking = spoken;
  QCoreApplication::removeTranslator(&program);
  QCoreApplication::removeTranslator(&toolkit);
  // The program's source texts are Japanese and the toolkit's English: each
  // needs a translation in the other language. Without the toolkit's
  // translations installed its texts stay English.
  if (spoken == TUiLanguage::kEnglish) {
    if (program.load(QStringLiteral(":/i18n/velqorandis_en.qm"))) QCoreApplication::installTranslator(&program);
  } else if (toolkit.load(QStringLiteral("qt_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(&toolkit);
  }
}

std::vector<std::u16string> PreferredLanguages() {
  std::vector<std::u16string> tags;
  for (const QString& tag : QLocale::system().uiLanguages()) tags.push_back(tag.toStdU16String());
  return tags;
}
