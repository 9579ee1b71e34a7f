#pragma once
// A small game definition in a scratch program folder, and a game definition
// object that records its deck load messages.

#include <string>
#include <vector>

#include "TestFiles.h"
#include "gamedef/Plugin.h"

class RecordingPlugin : public TPlugin {
 public:
  using TPlugin::TPlugin;
  std::vector<std::u16string> messages;

 protected:
  void ReportDeckLoadError(std::u16string_view message) override { messages.emplace_back(message); }
};

// The deck in one line: "Main:001x2,003x1 Side:".
std::string DeckSummary(const TDeckData& deck);

// Plugin/mini.ini with cards in two card data files: 001 to 005, where the
// second file replaces 003. Cards carry their own Limit in several forms.
class MiniGame {
 public:
  MiniGame();
  std::u16string PluginFolder() const { return folder.Path("Plugin/"); }
  std::u16string Definition() const { return folder.Path("Plugin/mini.ini"); }

  TempFolder folder;
};
