// new-game: reads a card list (a JSON array of card objects, or CSV/TSV with
// a header row), has the model make a game of it, writes the two files into
// the output folder without replacing anything and reports what it inferred.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cards/CardParams.h"
#include "cli/Cli.h"
#include "common/CodePage.h"
#include "common/FilePath.h"
#include "common/SafeFile.h"
#include "common/Text.h"
#include "gamedef/CardListFile.h"
#include "gamedef/GameMaker.h"

namespace {

namespace fs = std::filesystem;

// Fields joined with "+" for the key.
std::vector<std::u16string> Split(const std::string& text, char separator) {
  std::vector<std::u16string> items;
  if (text.empty()) return items;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(separator, start);
    items.push_back(FromUtf8(text.substr(start, end - start)));
    if (end == std::string::npos) return items;
    start = end + 1;
  }
}

// Both files or neither: the card data file goes first and is taken away
// again when the game definition cannot be written.
bool WriteGame(const std::string& outFolder, const TGame& game) {
  std::error_code error;
  fs::create_directories(fs::path(outFolder), error);
  if (!fs::is_directory(fs::path(outFolder), error)) {
    std::cerr << "cannot make the folder " << outFolder << '\n';
    return false;
  }
  const fs::path definition = fs::path(outFolder) / game.definitionFileName;
  const fs::path cards = fs::path(outFolder) / game.cardFileName;
  for (const fs::path& path : {definition, cards}) {
    // A link there, even one to nowhere, would take the write elsewhere.
    if (fs::symlink_status(path, error).type() != fs::file_type::not_found) {
      std::cerr << path.string() << " already exists; nothing was written\n";
      return false;
    }
  }
  if (!ReplaceFileContents(FromUtf8(cards.string()), game.cardData)) {
    std::cerr << "cannot write " << cards.string() << '\n';
    return false;
  }
  if (!ReplaceFileContents(FromUtf8(definition.string()), game.definition)) {
    fs::remove(cards, error);
    std::cerr << "cannot write " << definition.string() << '\n';
    return false;
  }
  return true;
}

const char* KindName(int32_t type) {
  switch (type) {
    case TCardParamItem::kRange:
      return "number";
    case TCardParamItem::kChoice:
      return "choice";
    default:
      return "text";
  }
}

std::string KeyOrigin(const TGameReport& report) {
  std::string fields;
  for (const std::u16string& field : report.keyFields) fields += (fields.empty() ? "" : " + ") + ToUtf8(field);
  switch (report.keyOrigin) {
    case TKeyOrigin::kGiven:
      return "as given: " + fields;
    case TKeyOrigin::kUniqueField:
      return "the first field whose values identify every card";
    case TKeyOrigin::kOneWord:
      return "from " + fields + ", whose values identify every card, blanks made \"_\" for deck files";
    case TKeyOrigin::kCombination:
      return "from " + fields + " joined with \"-\", as no single field identifies every card";
  }
  return {};
}

void PrintReport(const TGame& game, const std::string& outFolder) {
  const TGameReport& report = game.report;
  std::cout << "wrote " << (fs::path(outFolder) / game.definitionFileName).string() << " and " << game.cardFileName
            << '\n';
  std::cout << "cards: " << report.cards;
  if (report.emptyRows > 0) std::cout << " (" << report.emptyRows << " empty rows left out)";
  std::cout << "\nparameters: " << report.params.size() << '\n';
  for (const TGameParam& param : report.params) {
    std::cout << "  " << ToUtf8(param.key) << '\t' << KindName(param.type);
    if (param.field.empty()) std::cout << "\tmade for the card key";
    else if (param.field != param.key) std::cout << "\tfrom the field \"" << ToUtf8(param.field) << '"';
    std::cout << '\n';
  }
  std::cout << "key: " << ToUtf8(report.uniqueKey) << " (" << KeyOrigin(report) << ")\n";
  std::cout << "text: " << ToUtf8(WriteCommaList(report.textKey))
            << (report.textGiven ? " (as given)\n" : " (the longest values on average)\n");
  std::cout << "characters code page 932 cannot hold, written as \"〓\": " << report.replacedCharacters << '\n';
  std::cout << "values cut to fit a card line: " << report.cutValues << '\n';
  std::cout << "\"<\" \">\" and leading \"=\" written in full-width form: " << report.escapedCharacters << '\n';
}

}  // namespace

int NewGame(const std::string& input, const std::string& name, const std::string& key, const std::string& text,
            const std::string& outFolder) {
  std::string bytes;
  if (!ReadWholeFile(FromUtf8(input), bytes, kMaxCardListBytes)) {
    std::cerr << "cannot read the card list " << input << " (missing, not a file, or over 64 MiB)\n";
    return kLoadFailed;
  }
  TCardTable table;
  std::u16string error;
  if (!ReadCardList(input, bytes, table, error)) {
    std::cerr << input << ": " << ToUtf8(error) << '\n';
    return kLoadFailed;
  }
  std::string().swap(bytes);
  TGame game;
  const TGameOptions options{FromUtf8(name), Split(key, '+'), ReadCommaList(FromUtf8(text))};
  if (const auto failure = MakeGame(std::move(table), options, game)) {
    std::cerr << input << ": " << ToUtf8(failure->message) << '\n';
    return failure->wrongCall ? kWrongCall : kLoadFailed;
  }
  if (!WriteGame(outFolder, game)) return kLoadFailed;
  PrintReport(game, outFolder);
  return 0;
}
