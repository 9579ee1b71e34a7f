#include "cli/Cli.h"

#include <iostream>

#include "common/FilePath.h"
#include "common/Text.h"

TProgramFolders WindowFolders() { return FindProgramFolders(ExecutableFolder(), XdgDataHome(), XdgConfigHome()); }

CliPlugin::CliPlugin() : TPlugin(WindowFolders().plugin) {}

void CliPlugin::ReportDeckLoadError(std::u16string_view message) {
  std::cerr << ToUtf8(kDeckLoadErrorTitle) << ": " << ToUtf8(message) << '\n';
}

bool LoadGame(TPlugin& plugin, const std::string& fileName) {
  if (plugin.Load(FromUtf8(fileName))) return true;
  std::cerr << "cannot load the game definition " << fileName << '\n';
  return false;
}

int SaveDeck(TPlugin& plugin, const std::string& fileName) {
  if (plugin.SaveDeck(FromUtf8(fileName))) return 0;
  std::cerr << "cannot save the deck to " << fileName << '\n';
  return kLoadFailed;
}

void PrintJson(const json& value) { std::cout << value.dump(2) << '\n'; }

void PrintDeckFile(const TPlugin& plugin) { std::cout << ToUtf8(u"=" + plugin.Name() + u"=\n" + plugin.DeckText()); }
