// Takes a picture of the main window with the sample game, as a user sees it
// after choosing a few cards, with the statistics by a card parameter when one
// is named, or of the settings dialog above it; in the language that the
// desktop asks for (LANGUAGE=en gives English), as the program would choose it:
// window_screenshot [--settings] OUT.png [WIDTH HEIGHT [PARAMETER-KEY]]
#include <QAction>
#include <QCheckBox>
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QPixmap>
#include <QTableView>
#include <QTimer>
#include <filesystem>
#include <iostream>
#include <string_view>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "common/Text.h"
#include "gamedef/IniFile.h"
#include "ui/ConfigDialog.h"
#include "ui/PluginGUI.h"
#include "ui/StatsPanel.h"

int main(int argc, char** argv) {
  const bool settingsDialog = argc > 1 && std::string_view(argv[1]) == "--settings";
  if (settingsDialog) {
    --argc;
    ++argv;
  }
  if (argc < 2) {
    std::cerr << "usage: window_screenshot [--settings] OUT.png [WIDTH HEIGHT [PARAMETER-KEY]]\n";
    return 2;
  }
  QApplication application(argc, argv);
  ConfigureApplication();
  SpeakLanguage(SpokenLanguage(TUiLanguage::kAutomatic, PreferredLanguages()));
  // A program folder of its own: the sample game and a settings file that remembers it.
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "velqorandis-screenshot";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  std::filesystem::copy(SAMPLE_DIR, folder / "Plugin", std::filesystem::copy_options::recursive);
  const int width = argc > 3 ? std::atoi(argv[2]) : 1100;
  const int height = argc > 3 ? std::atoi(argv[3]) : 680;
  const std::u16string programFolder = FromUtf8(folder.string() + "/");
  TIniFile settings(programFolder + u"Velqorandis.ini");
  settings.WriteInteger(u"System", u"Width", width);
  settings.WriteInteger(u"System", u"Height", height);
  settings.WriteInteger(u"System", u"Horizon", 170);
  settings.WriteInteger(u"System", u"Vertical", 330);
  settings.WriteString(u"System", u"TcgName", TIniFile(programFolder + u"Plugin/sample.ini").ReadString(u"System", u"Name", u""));
  {  // the window ends (writing its settings) before its folder goes
    TfmMain window(PortableFolders(programFolder));
    window.show();
    TPluginGUI& plugin = window.Plugin();
    for (int row : {1, 1, 1, 6, 6, 15, 20, 20, 40}) plugin.AddCardToDeck(row, 0);
    plugin.AddCardToDeck(30, 1);
    plugin.RefreshDeckList(window.DeckTabs(), window.DeckList());
    TPluginGUI::SelectRow(window.DeckList(), 1);
    TPluginGUI::SelectRow(window.CardList(), 6);
    window.ShowChangedMark();
    if (argc > 4) {
      for (int row : {3, 3, 9, 12, 12, 25, 33, 50, 51, 51, 60, 72, 80, 80, 95, 110, 130, 150, 151}) plugin.AddCardToDeck(row, 0);
      window.DeckChanged();
      window.ToolButton(TfmMain::kStats)->trigger();  // the statistics button, pressed
      QComboBox* parameters = window.StatsPanel()->Parameters();
      parameters->setCurrentIndex(parameters->findData(QString::fromLocal8Bit(argv[4])));
    }
    TfmConfig settings(&window);
    settings.NoSaveCheck()->setChecked(window.ConfirmUnsaved());
    if (settingsDialog) settings.show();
    QTimer::singleShot(500, [&] {
      (settingsDialog ? static_cast<QWidget&>(settings) : window).grab().save(QString::fromLocal8Bit(argv[1]));
      window.Plugin().NewDeck();  // nothing to ask at the end
      application.quit();
    });
    application.exec();
  }
  std::filesystem::remove_all(folder);
  return 0;
}
