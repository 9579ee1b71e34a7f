// Velqorandis: a deck editor for collectible trading card games.
#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <exception>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "common/FilePath.h"
#include "gamedef/ProgramFolders.h"
#include "ui/Settings.h"

namespace {

// The folders beside the executable, or the user's own ones (made and filled
// with the bundled game definitions at the first start).
TProgramFolders Folders() {
  const TProgramFolders folders = FindProgramFolders(
      ExecutableFolder(), QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdU16String(),
      QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdU16String());
  PrepareUserFolders(folders);  // a folder that cannot be made is told by the catalogue's scan
  return folders;
}

// The deck file named on the command line, or none. --help, --version and a
// wrong call end the program here; they need no display, so a core
// application object reads the command line before the window's one exists.
std::u16string DeckArgument(int argc, char** argv) {
  QCoreApplication core(argc, argv);
  NameApplication();
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("A deck editor for collectible trading card games."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("DECKFILE"), QStringLiteral("A deck file to open at the start."),
                               QStringLiteral("[DECKFILE]"));
  parser.process(core);
  const QStringList decks = parser.positionalArguments();
  if (decks.size() > 1) parser.showHelp(2);
  return decks.isEmpty() ? std::u16string() : QFileInfo(decks.first()).absoluteFilePath().toStdU16String();
}

}  // namespace

int main(int argc, char** argv) {
  const std::u16string deck = DeckArgument(argc, argv);
  QApplication application(argc, argv);
  ConfigureApplication();
  const TProgramFolders folders = Folders();
  SpeakLanguage(SpokenLanguage(ReadSettings(folders.settings, {}).language, PreferredLanguages()));

  std::unique_ptr<TfmMain> window;
  try {
    window = std::make_unique<TfmMain>(folders, deck);
  } catch (const std::exception& error) {
    // A missing Plugin folder ends the program after its message.
    QMessageBox::critical(nullptr, QStringLiteral("Velqorandis"), QCoreApplication::translate("TfmMain", error.what()));
    return 1;
  }
  window->show();
  return application.exec();
}
