#pragma once
// What the commands of velqorandis-cli share: the game as the tool holds it,
// loading and saving with their messages, JSON output and the exit statuses.

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "gamedef/Plugin.h"
#include "gamedef/ProgramFolders.h"

// Objects keep their members in the order they are written.
using json = nlohmann::ordered_json;

inline constexpr int kLoadFailed = 1;
inline constexpr int kWrongCall = 2;

// The folders that the window would use (image archives lie in its game definition folder).
TProgramFolders WindowFolders();

// The game as the tool holds it: deck load messages, which the window shows
// in a message box, go to standard error.
class CliPlugin : public TPlugin {
 public:
  CliPlugin();

 protected:
  void ReportDeckLoadError(std::u16string_view message) override;
};

// False, with a message, when the game definition does not load.
bool LoadGame(TPlugin& plugin, const std::string& fileName);
// 0, or kLoadFailed with a message when the file cannot be written.
int SaveDeck(TPlugin& plugin, const std::string& fileName);
void PrintJson(const json& value);
// The deck as its file holds it.
void PrintDeckFile(const TPlugin& plugin);

// The commands of their own files.
int Check(const std::string& gameFile, bool asJson);
// key: a field, or fields joined with "+"; text: fields separated by ",";
// either empty to let the tool choose.
int NewGame(const std::string& input, const std::string& name, const std::string& key, const std::string& text,
            const std::string& outFolder);
int Import(const std::string& gameFile, const std::string& textFile, const std::string& saveFile);
int Stats(const std::string& gameFile, const std::string& deckFile, const std::string& key, int32_t layer);
