// velqorandis-cli: the deck editor's model on the command line, for scripts and
// for checking game definitions, card data and deck files without the window.

#include <CLI/CLI.hpp>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <iostream>
#include <list>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cards/Markup.h"
#include "common/FilePath.h"
#include "common/Text.h"
#include "gamedef/Plugin.h"
#include "gamedef/PluginList.h"
#include "gamedef/ProgramFolders.h"
#include "cli/Cli.h"

namespace {

// ---- Arguments ----

// A malformed argument; thrown as CLI11's own error so that it is reported
// like any other wrong call.
[[noreturn]] void WrongArgument(const std::string& option, const std::string& message) {
  throw CLI::ValidationError(option, message);
}

// The argument split at its first separator.
std::pair<std::string, std::string> SplitAt(const std::string& argument, char separator, const std::string& option) {
  const std::size_t at = argument.find(separator);
  if (at == std::string::npos) WrongArgument(option, "'" + argument + "' has no '" + separator + "'");
  return {argument.substr(0, at), argument.substr(at + 1)};
}

int32_t ToIndex(const std::string& text, const std::string& option) {
  int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end) WrongArgument(option, "'" + text + "' is not a whole number");
  return value;
}

template <typename Texts>
json TextArray(const Texts& texts) {
  json array = json::array();
  for (const auto& text : texts) array.push_back(ToUtf8(text));
  return array;
}

// ---- catalogue ----

int Catalogue(const std::string& folder) {
  TPluginList list;
  if (!list.Scan(FromUtf8(folder))) {
    std::cerr << ToUtf8(kPathNotFound) << '\n';
    return kLoadFailed;
  }
  for (int32_t i = 0; i < list.Count(); ++i) {
    std::cout << ToUtf8(list.Item(i).Name) << '\t' << ToUtf8(list.Item(i).FileName) << '\n';
  }
  return 0;
}

// ---- show ----

json ParamsJson(const TCardParams& params) {
  json array = json::array();
  for (int32_t i = 0; i < params.Count(); ++i) {
    const TCardParamItem& param = *params.Item(i);
    array.push_back({{"key", ToUtf8(param.Key())},
                     {"name", ToUtf8(param.Name())},
                     {"type", param.Type()},
                     {"index", param.Index()},
                     {"width", param.Width()},
                     {"format", ToUtf8(param.Format())},
                     {"values", TextArray(param.Values())}});
  }
  return array;
}

json SectionsJson(const TSectionList& sections) {
  json array = json::array();
  for (int32_t i = 0; i < sections.Count(); ++i) {
    const TSectionItem& section = *sections.Item(i);
    array.push_back({{"name", ToUtf8(section.Name())},
                     {"keys", TextArray(section.Keys())},
                     {"width", section.Width()},
                     {"visible", section.Visible()}});
  }
  return array;
}

json LayersJson(const TDeckData& deck) {
  json array = json::array();
  for (int32_t i = 0; i < deck.LayerCount(); ++i) {
    const TDeckLayer& layer = deck.Layer(i);
    array.push_back(
        {{"name", ToUtf8(layer.Name())}, {"totalLimit", layer.TotalLimit()}, {"itemLimit", layer.ItemLimit()}});
  }
  return array;
}

// A failed load still shows what the game definition left behind.
int Show(const std::string& gameFile) {
  CliPlugin plugin;
  const bool loaded = plugin.Load(FromUtf8(gameFile));
  PrintJson({{"loaded", loaded},
             {"name", ToUtf8(plugin.Name())},
             {"uniqueKey", ToUtf8(plugin.UniqueKey())},
             {"textKey", TextArray(plugin.TextKey())},
             {"version", plugin.Version()},
             {"cardList", TextArray(plugin.CardList())},
             {"image", ToUtf8(plugin.Image())},
             {"imageArchives", TextArray(plugin.ImageArchives())},
             {"params", ParamsJson(plugin.Params())},
             {"cardSections", SectionsJson(plugin.CardSections())},
             {"deckSections", SectionsJson(plugin.DeckSections())},
             {"layers", LayersJson(plugin.Deck())},
             {"cardCount", plugin.Cards().Count()}});
  if (!loaded) std::cerr << "cannot load the game definition " << gameFile << '\n';
  return loaded ? 0 : kLoadFailed;
}

// ---- cards ----

struct CardsOptions {
  std::string game;
  std::vector<std::string> texts;
  std::vector<std::string> ranges;
  std::vector<std::string> choices;
  int32_t column = 0;
  bool descending = false;
};

// One search input: the parameter it names and what it puts in that
// parameter's criterion.
struct SearchInput {
  std::string option;
  int32_t kind;  // the kind of criterion the option fills
  std::string key;
  std::function<void(TSearchCriterion&)> fill;
};

// Read before the game loads, so that a malformed call is told as such.
std::vector<SearchInput> ReadSearchInputs(const CardsOptions& options) {
  std::vector<SearchInput> inputs;
  for (const std::string& argument : options.texts) {
    const auto [key, text] = SplitAt(argument, '=', "--text");
    inputs.push_back({"--text", TCardParamItem::kText, key, [text = FromUtf8(text)](TSearchCriterion& c) { c.text = text; }});
  }
  for (const std::string& argument : options.ranges) {
    const auto [key, bounds] = SplitAt(argument, '=', "--range");
    const auto [from, to] = SplitAt(bounds, ':', "--range");
    inputs.push_back({"--range", TCardParamItem::kRange, key, [from = FromUtf8(from), to = FromUtf8(to)](TSearchCriterion& c) {
                        c.lower = from;
                        c.upper = to;
                      }});
  }
  for (const std::string& argument : options.choices) {
    const auto [key, choice] = SplitAt(argument, '=', "--choice");
    inputs.push_back({"--choice", TCardParamItem::kChoice, key, [choice = FromUtf8(choice)](TSearchCriterion& c) { c.choice = choice; }});
  }
  return inputs;
}

void ApplySearch(TPlugin& plugin, const std::vector<SearchInput>& inputs) {
  plugin.Criteria().ResetAll();
  for (const SearchInput& input : inputs) {
    TSearchCriterion* criterion = plugin.Criteria().Find(FromUtf8(input.key));
    if (criterion == nullptr) WrongArgument(input.option, "no card parameter has the key '" + input.key + "'");
    // The window offers each parameter only the input of its own kind.
    if (criterion->kind != input.kind) WrongArgument(input.option, "the parameter '" + input.key + "' has another kind of criterion");
    criterion->ticked = true;
    input.fill(*criterion);
  }
  plugin.ApplySearch();
}

// A cell on one line of a tab-separated table.
std::string Escaped(std::u16string_view cell) {
  std::string text;
  for (char c : ToUtf8(cell)) {
    if (c == '\\') {
      text += "\\\\";
    } else if (c == '\t') {
      text += "\\t";
    } else if (c == '\n') {
      text += "\\n";
    } else {
      text += c;
    }
  }
  return text;
}

void PrintCardList(const TPlugin& plugin) {
  const TSectionList& sections = plugin.CardSections();
  const int32_t columns = sections.VisibleCount();
  for (int32_t i = 0; i < columns; ++i) std::cout << (i > 0 ? "\t" : "") << Escaped(sections.VisibleItem(i)->Name());
  std::cout << '\n';
  for (int32_t row = 0; row < plugin.ListResult().Count(); ++row) {
    const TCardItem& card = *plugin.ListResult().CardAt(row);
    for (int32_t i = 0; i < columns; ++i) {
      std::u16string cell;
      for (const std::u16string& key : sections.VisibleItem(i)->Keys()) cell += card.Value(key);
      std::cout << (i > 0 ? "\t" : "") << Escaped(cell);
    }
    std::cout << '\n';
  }
}

int Cards(const CardsOptions& options) {
  const std::vector<SearchInput> inputs = ReadSearchInputs(options);
  CliPlugin plugin;
  if (!LoadGame(plugin, options.game)) return kLoadFailed;
  plugin.FillAllCards();
  if (!inputs.empty()) ApplySearch(plugin, inputs);
  plugin.SortCardList(options.column, options.descending);
  PrintCardList(plugin);
  return 0;
}

// ---- card ----

int Card(const std::string& gameFile, const std::string& cardKey) {
  CliPlugin plugin;
  if (!LoadGame(plugin, gameFile)) return kLoadFailed;
  const TCardItem* card = plugin.Cards().Find(FromUtf8(cardKey));
  if (card == nullptr) {
    std::cerr << "no card has the key " << cardKey << '\n';
    return kLoadFailed;
  }
  json values = json::object();
  json plain = json::object();
  for (std::size_t i = 0; i < card->Count(); ++i) {
    const std::string key = ToUtf8(card->KeyAt(i));
    values[key] = ToUtf8(card->ValueAt(i));
    plain[key] = ToUtf8(card->PlainValue(card->KeyAt(i)));
  }
  PrintJson({{"values", values}, {"text", ToUtf8(plugin.CardText(*card))}, {"plain", plain}});
  return 0;
}

// ---- deck ----

// The deck as its file holds it, with line feeds.
int Deck(const std::string& gameFile, const std::string& deckFile, bool clipboard) {
  CliPlugin plugin;
  if (!LoadGame(plugin, gameFile) || !plugin.LoadDeck(FromUtf8(deckFile))) return kLoadFailed;
  if (clipboard) {
    std::cout << ToUtf8(plugin.DeckClipboardText());
  } else {
    PrintDeckFile(plugin);
  }
  return 0;
}

// ---- build ----

// One deck command of the command line: its echo ("add 0:EV-001") and the
// call that answers it.
struct DeckOperation {
  std::string echo;
  std::function<std::string(TPlugin&)> apply;
};

// The card's row in the card list, or -1 (which the deck refuses).
int32_t RowOf(const TPlugin& plugin, const std::string& cardKey) {
  const std::u16string key = FromUtf8(cardKey);
  for (int32_t row = 0; row < plugin.ListResult().Count(); ++row) {
    if (plugin.ListResult().CardAt(row)->Value(plugin.UniqueKey()) == key) return row;
  }
  std::cerr << "no card has the key " << cardKey << '\n';
  return -1;
}

DeckOperation ReadOperation(const std::string& name, const std::string& argument) {
  const std::string option = "--" + name;
  const auto [layerText, rest] = SplitAt(argument, ':', option);
  const int32_t layer = ToIndex(layerText, option);
  const std::string echo = name + " " + argument;
  if (name == "add") {
    return {echo, [layer, cardKey = rest](TPlugin& plugin) {
              return std::to_string(plugin.AddCardToDeck(RowOf(plugin, cardKey), layer));
            }};
  }
  if (name == "remove") {
    const int32_t row = ToIndex(rest, option);
    return {echo, [layer, row](TPlugin& plugin) { return std::to_string(plugin.RemoveDeckEntry(layer, row)); }};
  }
  const auto [fromText, toText] = SplitAt(rest, ':', option);
  const int32_t from = ToIndex(fromText, option);
  const int32_t to = ToIndex(toText, option);
  return {echo, [layer, from, to](TPlugin& plugin) {
            return std::string(plugin.MoveDeckEntry(layer, from, to) ? "true" : "false");
          }};
}

// The deck commands in the order they stand on the command line.
std::vector<DeckOperation> ReadOperations(const CLI::App& build) {
  std::vector<DeckOperation> operations;
  std::map<const CLI::Option*, std::size_t> seen;
  for (const CLI::Option* option : build.parse_order()) {
    const std::string name = option->get_single_name();
    if (name != "add" && name != "remove" && name != "move") continue;
    operations.push_back(ReadOperation(name, option->results().at(seen[option]++)));
  }
  return operations;
}

// Starts from the deck file or an empty deck.
int Build(const CLI::App& build) {
  const std::vector<DeckOperation> operations = ReadOperations(build);
  CliPlugin plugin;
  if (!LoadGame(plugin, build.get_option("GAMEDEF")->as<std::string>())) return kLoadFailed;
  plugin.FillAllCards();
  const CLI::Option* deck = build.get_option("--deck");
  if (*deck && !plugin.LoadDeck(FromUtf8(deck->as<std::string>()))) return kLoadFailed;
  for (const DeckOperation& operation : operations) {
    std::cout << operation.echo << ' ' << operation.apply(plugin) << '\n';
  }
  PrintDeckFile(plugin);
  const CLI::Option* save = build.get_option("--save");
  return *save ? SaveDeck(plugin, save->as<std::string>()) : 0;
}

// ---- markup ----

std::string ColorText(TColor color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(color & 0xFFFFFF));
  return text;
}

json TagsJson(const std::list<TAG>& tags) {
  json array = json::array();
  for (const TAG& tag : tags) {
    array.push_back({{"position", tag.position},
                     {"name", ToUtf8(tag.name)},
                     {"bold", tag.bold},
                     {"italic", tag.italic},
                     {"underline", tag.underline},
                     {"color", ColorText(tag.color)},
                     {"size", tag.size}});
  }
  return array;
}

int Markup(const std::string& text) {
  TRTFtoHtml markup;
  try {
    const std::u16string plain = markup.Parse(FromUtf8(text));
    PrintJson({{"plain", ToUtf8(plain)}, {"tags", TagsJson(markup.Tags())}});
  } catch (const EMarkupError& error) {
    PrintJson({{"error", error.what()}, {"plain", ToUtf8(error.Text())}, {"tags", TagsJson(markup.Tags())}});
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Velqorandis: game definitions, cards and decks on the command line", "velqorandis-cli"};
  app.require_subcommand(1);
  // A wrong call shows what went wrong and how the command is called.
  app.failure_message(CLI::FailureMessage::help);

  std::string folder;
  CLI::App* catalogue = app.add_subcommand("catalogue", "List the game definitions of a folder");
  catalogue->add_option("FOLDER", folder, "Folder of game definitions (default: the one the window uses)");

  std::string game;
  CLI::App* show = app.add_subcommand("show", "Show a game definition as JSON");
  show->add_option("GAMEDEF", game, "Game definition file")->required();

  CardsOptions cardsOptions;
  CLI::App* cards = app.add_subcommand("cards", "List the cards as the card list shows them");
  cards->add_option("GAMEDEF", cardsOptions.game, "Game definition file")->required();
  cards->add_option("--text", cardsOptions.texts, "Text search, KEY=TEXT")->allow_extra_args(false);
  cards->add_option("--range", cardsOptions.ranges, "Number range, KEY=FROM:TO")->allow_extra_args(false);
  cards->add_option("--choice", cardsOptions.choices, "Choice, KEY=VALUE")->allow_extra_args(false);
  cards->add_option("--sort", cardsOptions.column, "Visible column to sort by, from 0");
  cards->add_flag("--descending", cardsOptions.descending, "Sort in descending order");

  std::string cardKey;
  CLI::App* card = app.add_subcommand("card", "Show one card as JSON");
  card->add_option("GAMEDEF", game, "Game definition file")->required();
  card->add_option("CARDKEY", cardKey, "The card's key")->required();

  std::string deckFile;
  bool clipboard = false;
  CLI::App* deck = app.add_subcommand("deck", "Show a deck file");
  deck->add_option("GAMEDEF", game, "Game definition file")->required();
  deck->add_option("DECKFILE", deckFile, "Deck file")->required();
  deck->add_flag("--clipboard", clipboard, "Show the deck as it is copied to the clipboard");

  CLI::App* build = app.add_subcommand("build", "Edit a deck with deck commands, in the given order");
  build->add_option("GAMEDEF", "Game definition file")->required();
  build->add_option("--deck", "Deck file to start from");
  // Each may repeat; ReadOperations takes their values in command-line order.
  build->add_option("--add", "Add a copy of a card")->type_name("LAYER:CARDKEY")->take_all();
  build->add_option("--remove", "Take one copy of an entry away")->type_name("LAYER:ROW")->take_all();
  build->add_option("--move", "Exchange two entries")->type_name("LAYER:FROM:TO")->take_all();
  build->add_option("--save", "Save the deck to this file");

  bool asJson = false;
  CLI::App* check = app.add_subcommand("check", "Report what loading a game definition silently skips or drops");
  check->add_option("GAMEDEF", game, "Game definition file")->required();
  check->add_flag("--json", asJson, "The findings as a JSON list");

  std::string textFile;
  std::string saveFile;
  CLI::App* import = app.add_subcommand("import", "Read a deck list as text into a new deck");
  import->add_option("GAMEDEF", game, "Game definition file")->required();
  import->add_option("TEXTFILE", textFile, "Deck list, in UTF-8 or code page 932")->required();
  import->add_option("--save", saveFile, "Save the deck to this file");

  std::string key;
  int32_t layer = -1;
  CLI::App* stats = app.add_subcommand("stats", "Show a deck's make-up by a card parameter as JSON");
  stats->add_option("GAMEDEF", game, "Game definition file")->required();
  stats->add_option("DECKFILE", deckFile, "Deck file")->required();
  stats->add_option("--by", key, "Key of the card parameter")->required();
  stats->add_option("--layer", layer, "Only this layer, from 0");

  std::string cardList;
  std::string gameName;
  std::string keyFields;
  std::string textFields;
  std::string outFolder;
  CLI::App* newGame = app.add_subcommand("new-game", "Make a game definition from a card list in JSON, CSV or TSV");
  newGame->add_option("INPUT", cardList, "Card list: a JSON array of card objects, or CSV/TSV with a header row")->required();
  newGame->add_option("--name", gameName, "The game's name")->required();
  newGame->add_option("--key", keyFields, "The field that identifies a card, or fields joined with +")->type_name("FIELD[+FIELD...]");
  newGame->add_option("--text", textFields, "The fields of the card text")->type_name("FIELD,...");
  newGame->add_option("--out", outFolder, "Folder for the new files, made if missing")->required();

  std::string text;
  CLI::App* markup = app.add_subcommand("markup", "Parse card value markup");
  markup->add_option("TEXT", text, "Text with markup")->required();

  try {
    app.parse(argc, argv);
    if (*catalogue) return Catalogue(folder.empty() ? ToUtf8(WindowFolders().plugin) : folder);
    if (*show) return Show(game);
    if (*cards) return Cards(cardsOptions);
    if (*card) return Card(game, cardKey);
    if (*deck) return Deck(game, deckFile, clipboard);
    if (*build) return Build(*build);
    if (*import) return Import(game, textFile, saveFile);
    if (*check) return Check(game, asJson);
    if (*stats) return Stats(game, deckFile, key, layer);
    if (*newGame) return NewGame(cardList, gameName, keyFields, textFields, outFolder);
    return Markup(text);
  } catch (const CLI::ParseError& error) {
    return app.exit(error) == 0 ? 0 : kWrongCall;
  }
}
