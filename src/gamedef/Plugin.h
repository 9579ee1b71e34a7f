#pragma once
// The loaded game definition: its System keys and everything it owns — the
// card parameter schema, the card database, the card list result, the column
// sections of both lists, the deck and the search criteria — with the deck
// commands, deck files and the card list operations.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cards/CardListReference.h"
#include "cards/CardParams.h"
#include "cards/Sections.h"
#include "deck/Deck.h"
#include "deck/DeckHistory.h"
#include "deck/DeckImport.h"
#include "search/CardListResult.h"
#include "search/Search.h"

class TIniFile;

// Deck file load errors, shown in a message box titled kDeckLoadErrorTitle.
inline constexpr std::u16string_view kDeckLoadErrorTitle = u"データロードエラー";
inline constexpr std::u16string_view kDeckCannotOpen = u"ファイルを開けませんでした";
inline constexpr std::u16string_view kDeckSecondGameName = u"２つ目のＴＣＧ名設定";
inline constexpr std::u16string_view kDeckWrongGame = u"ＴＣＧが違います";
inline constexpr std::u16string_view kDeckWrongLayer = u"領域名が違う";

class TPlugin {
 public:
  // pluginFolder: the folder of the game definitions in use, ending with "/";
  // the image archives lie there.
  explicit TPlugin(std::u16string pluginFolder);
  virtual ~TPlugin() = default;
  TPlugin(const TPlugin&) = delete;
  TPlugin& operator=(const TPlugin&) = delete;

  // Loads the game definition, replacing the loaded one; false (and empty)
  // when its Name or UniqueKey is empty.
  bool Load(const std::u16string& fileName);
  void Clear();
  bool ReadCardData(const std::u16string& fileName);

  const std::u16string& Name() const { return name_; }
  const std::u16string& UniqueKey() const { return uniqueKey_; }
  const std::vector<std::u16string>& CardList() const { return cardList_; }
  int32_t Version() const { return version_; }
  const std::u16string& Image() const { return image_; }
  const std::u16string& FileName() const { return fileName_; }
  const std::vector<std::u16string>& TextKey() const { return textKey_; }
  const std::u16string& CardListFormat() const { return cardListFormat_; }
  const std::u16string& DeckListFormat() const { return deckListFormat_; }
  // The image archives: each name of Image in the game definition folder.
  // They are replaced at every load, also one that fails.
  const std::vector<std::u16string>& ImageArchives() const { return imageArchives_; }

  TCardParams& Params() { return params_; }
  const TCardParams& Params() const { return params_; }
  TDeckData& Deck() { return deck_; }
  const TDeckData& Deck() const { return deck_; }
  const TCardListReference& Cards() const { return cards_; }
  TCardListResult& ListResult() { return listResult_; }
  const TCardListResult& ListResult() const { return listResult_; }
  TSectionList& CardSections() { return cardSections_; }
  const TSectionList& CardSections() const { return cardSections_; }
  TSectionList& DeckSections() { return deckSections_; }
  const TSectionList& DeckSections() const { return deckSections_; }
  TSearchCriteria& Criteria() { return criteria_; }

  // The card list.
  void FillAllCards();
  // Sorts by the keys of visible card-list column `column`; a number that
  // names no visible column leaves the order as it is.
  void SortCardList(int32_t column, bool descending);
  // Refills the result with the cards that the criteria accept.
  void ApplySearch();
  // The card text: the card's values for the text keys, each with a line feed.
  std::u16string CardText(const TCardItem& card) const;

  // Deck commands. Indexes outside the result, the layers or the entries
  // refuse (-1, 0 or false) instead of touching anything.
  bool NewDeck();
  int32_t AddCardToDeck(int32_t row, int32_t layer);
  int32_t RemoveDeckEntry(int32_t layer, int32_t row);
  bool MoveDeckEntry(int32_t layer, int32_t from, int32_t to);
  // Each deck command, a new deck, a load and an import is one step of the
  // history, which starts anew with every game. Undo and redo answer where
  // the deck changed, or nothing when there is no step to go.
  std::optional<TDeckPlace> UndoDeck();
  std::optional<TDeckPlace> RedoDeck();
  const TDeckHistory& History() const { return history_; }
  // Adds the cards of a deck list as text (see ImportDeckText), one step of
  // the history; cards without a heading go to the layer given.
  TImportReport ImportDeck(std::u16string_view text, int32_t layer);

  // Deck files in code page 932. A failed load reports its message through
  // ReportDeckLoadError and leaves an empty deck; a save replaces the file
  // whole or not at all.
  bool LoadDeck(const std::u16string& fileName);
  bool SaveDeck(const std::u16string& fileName);
  std::u16string DeckText() const;
  // The game that a deck file names in its header line, or none when the file
  // cannot be read or has no header.
  static std::optional<std::u16string> DeckGameName(const std::u16string& fileName);
  std::u16string DeckClipboardText() const;

  static constexpr std::size_t kMaxDeckFileSize = std::size_t{64} << 20;
  static constexpr std::size_t kDeckPieceBytes = 1023;
  static constexpr std::size_t kMaxDeckKeyBytes = 127;

 protected:
  // Where deck file load errors go; the window shows them in a message box.
  virtual void ReportDeckLoadError(std::u16string_view message);

 private:
  void ReadSystem(TIniFile& file);
  bool FailDeckLoad(std::u16string_view message);

  std::u16string pluginFolder_;
  std::u16string name_;
  std::u16string uniqueKey_;
  std::vector<std::u16string> cardList_;
  int32_t version_ = 0;
  std::u16string image_;
  std::u16string fileName_;
  std::vector<std::u16string> textKey_;
  std::u16string cardListFormat_;
  std::u16string deckListFormat_;
  std::vector<std::u16string> imageArchives_;
  TCardParams params_;
  TDeckData deck_;
  TDeckHistory history_;
  TCardListReference cards_;
  TCardListResult listResult_;
  TSectionList cardSections_;
  TSectionList deckSections_;
  TSearchCriteria criteria_;
};
