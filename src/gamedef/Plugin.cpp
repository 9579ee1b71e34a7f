#include "gamedef/Plugin.h"

#include <algorithm>

#include "cards/CardData.h"
#include "common/CodePage.h"
#include "common/FilePath.h"
#include "common/SafeFile.h"
#include "common/Text.h"
#include "common/TextLines.h"
#include "gamedef/IniFile.h"

namespace {

// The text after the line's first character, when that is `open`, up to the
// next `close`; empty otherwise or without a `close`.
std::u16string ExtractBetween(char16_t open, char16_t close, std::u16string_view line) {
  if (line.empty() || line[0] != open) return {};
  const std::size_t end = line.find(close, 1);
  return end == std::u16string_view::npos ? std::u16string() : std::u16string(line.substr(1, end - 1));
}

// A count right-aligned to a minimum width, as "%2d" and "%3d" write it.
std::u16string PaddedCount(int32_t count, std::size_t width) {
  std::u16string text = IntToText(count);
  if (text.size() < width) text.insert(0, width - text.size(), u' ');
  return text;
}

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// A card line read as "%d %s": a count (0 when the line does not begin with
// one) and the key, the next run of characters without white space.
struct CardLine {
  int32_t count = 0;
  std::u16string key;
};

CardLine ReadCardLine(std::string_view line) {
  CardLine result;
  std::size_t pos = 0;
  while (pos < line.size() && IsCSpace(line[pos])) ++pos;
  const std::size_t numberStart = pos;
  if (pos < line.size() && (line[pos] == '+' || line[pos] == '-')) ++pos;
  const std::size_t digitsStart = pos;
  while (pos < line.size() && line[pos] >= '0' && line[pos] <= '9') ++pos;
  if (pos == digitsStart) return result;
  result.count = TextToInt(FromCp932(line.substr(numberStart, pos - numberStart)));
  while (pos < line.size() && IsCSpace(line[pos])) ++pos;
  std::size_t keyEnd = pos;
  while (keyEnd < line.size() && !IsCSpace(line[keyEnd])) ++keyEnd;
  result.key = FromCp932(line.substr(pos, std::min(keyEnd - pos, TPlugin::kMaxDeckKeyBytes)));
  return result;
}

// Texts bound for a file or the clipboard hold only what code page 932 can.
std::u16string ThroughCodePage(std::u16string_view text) { return FromCp932(ToCp932(text)); }

}  // namespace

TPlugin::TPlugin(std::u16string pluginFolder) : pluginFolder_(std::move(pluginFolder)) {}

bool TPlugin::Load(const std::u16string& fileName) {
  Clear();
  fileName_ = fileName;
  TIniFile file(fileName);
  ReadSystem(file);
  if (name_.empty() || uniqueKey_.empty()) {
    Clear();
    return false;
  }
  params_.Load(file);
  const std::u16string folder = FolderOf(fileName_);
  std::vector<std::u16string> cardFiles;
  for (const std::u16string& name : cardList_) cardFiles.push_back(ResolveIgnoringCase(folder + name));
  ReadCardDataFiles(cardFiles, uniqueKey_, params_, cards_);
  cardSections_.Load(file, cardListFormat_);
  CompleteCardSections(cardSections_, params_, uniqueKey_, textKey_);
  deckSections_.Load(file, deckListFormat_);
  CompleteDeckSections(deckSections_, params_, uniqueKey_, textKey_);
  deck_.Load(file);
  history_.Reset(deck_);
  criteria_.Rebuild(params_);
  return true;
}

void TPlugin::ReadSystem(TIniFile& file) {
  name_ = file.ReadString(u"System", u"Name", u"");
  uniqueKey_ = file.ReadString(u"System", u"UniqueKey", u"No");
  textKey_ = ReadCommaList(file.ReadString(u"System", u"TextKey", u"Text"));
  version_ = file.ReadInteger(u"System", u"Version", 0);
  // Only the part after the last folder separator counts. Without the key the
  // game definition is its own card data file: its bare file name, one item
  // even when it holds a blank, a comma or a quotation mark.
  if (file.ValueExists(u"System", u"CardList")) {
    cardList_ = ReadCommaList(FileNameOf(file.ReadString(u"System", u"CardList", u"")));
  } else {
    cardList_ = {FileNameOf(fileName_)};
  }
  image_ = file.ReadString(u"System", u"Image", u"");
  cardListFormat_ = file.ReadString(u"System", u"CardListFormat", u"CardListSection%02d");
  deckListFormat_ = file.ReadString(u"System", u"DeckListFormat", u"DeckListSection%02d");
  imageArchives_.clear();
  for (const std::u16string& archive : ReadCommaList(image_)) {
    imageArchives_.push_back(ResolveIgnoringCase(pluginFolder_ + archive));
  }
}

void TPlugin::Clear() {
  name_.clear();
  fileName_.clear();
  uniqueKey_.clear();
  image_.clear();
  textKey_.clear();
  cardList_.clear();
  version_ = 0;
  params_.Clear();
  cards_.Clear();
  cardSections_.Clear();
  deckSections_.Clear();
  deck_.RemoveLayers();
  history_.Reset(deck_);
  listResult_.Clear();
  criteria_.Clear();
}

bool TPlugin::ReadCardData(const std::u16string& fileName) {
  return ::ReadCardData(fileName, uniqueKey_, params_, cards_);
}

void TPlugin::FillAllCards() {
  listResult_.Clear();
  for (const auto& [key, card] : cards_) listResult_.Append(&card);
}

void TPlugin::SortCardList(int32_t column, bool descending) {
  if (const TSectionItem* section = cardSections_.VisibleItem(column)) listResult_.Sort(section->Keys(), descending);
}

void TPlugin::ApplySearch() { SearchCards(cards_, params_, criteria_, listResult_); }

std::u16string TPlugin::CardText(const TCardItem& card) const {
  std::u16string text;
  for (const std::u16string& key : textKey_) {
    text += card.Value(key);
    text += u'\n';
  }
  return text;
}

bool TPlugin::NewDeck() {
  deck_.ClearEntries();  // every changed flag is cleared with the entries
  // A new deck is a step of its own, and like a loaded one it starts unchanged.
  history_.Record(deck_);
  history_.MarkSaved(deck_);
  return true;
}

int32_t TPlugin::AddCardToDeck(int32_t row, int32_t layer) {
  if (row < 0 || row >= listResult_.Count() || layer < 0 || layer >= deck_.LayerCount()) return -1;
  const TCardItem& card = *listResult_.CardAt(row);
  const int32_t entry = deck_.Layer(layer).Add(card.Value(uniqueKey_), CardLimit(card));
  if (entry >= 0) history_.Record(deck_);
  return entry;
}

int32_t TPlugin::RemoveDeckEntry(int32_t layer, int32_t row) {
  if (layer < 0 || layer >= deck_.LayerCount() || row < 0 || row >= deck_.Layer(layer).EntryCount()) return 0;
  const int32_t remains = deck_.Layer(layer).Remove(row);
  history_.Record(deck_);
  return remains;
}

bool TPlugin::MoveDeckEntry(int32_t layer, int32_t from, int32_t to) {
  if (layer < 0 || layer >= deck_.LayerCount() || deck_.Layer(layer).Swap(from, to) != 0) return false;
  history_.Record(deck_);
  return true;
}

TImportReport TPlugin::ImportDeck(std::u16string_view text, int32_t layer) {
  TImportReport report =
      ImportDeckText(text, {cards_, listResult_, cardSections_, deckSections_, uniqueKey_}, deck_, layer);
  if (report.copies > 0) history_.Record(deck_);
  return report;
}

std::optional<TDeckPlace> TPlugin::UndoDeck() { return history_.Undo(deck_); }

std::optional<TDeckPlace> TPlugin::RedoDeck() { return history_.Redo(deck_); }

void TPlugin::ReportDeckLoadError(std::u16string_view) {}

bool TPlugin::FailDeckLoad(std::u16string_view message) {
  ReportDeckLoadError(message);
  deck_.ClearEntries();
  history_.Record(deck_);  // the load emptied the deck: a step of its own
  history_.MarkSaved(deck_);
  return false;
}

bool TPlugin::LoadDeck(const std::u16string& fileName) {
  std::string contents;
  if (!ReadWholeFile(fileName, contents, kMaxDeckFileSize)) {
    ReportDeckLoadError(kDeckCannotOpen);
    return false;
  }
  deck_.ClearEntries();
  int32_t position = -2;  // -2 before the header, -1 before the first layer line
  TextLines lines(contents, kDeckPieceBytes);
  std::string_view line;
  while (lines.Next(line)) {
    if (!line.empty() && line[0] == '=') {
      if (position != -2) return FailDeckLoad(kDeckSecondGameName);
      if (ExtractBetween(u'=', u'=', FromCp932(line)) != name_) return FailDeckLoad(kDeckWrongGame);
      position = -1;
    } else if (!line.empty() && line[0] == '[') {
      // A layer line needs the header before it and a layer of that name at its place.
      ++position;
      if (position < 0 || position >= deck_.LayerCount() ||
          ExtractBetween(u'[', u']', FromCp932(line)) != deck_.Layer(position).Name()) {
        return FailDeckLoad(kDeckWrongLayer);
      }
    } else {
      const CardLine card = ReadCardLine(line);
      if (card.count <= 0) continue;
      if (position < 0) return FailDeckLoad(kDeckWrongLayer);
      // Copies beyond the limits are dropped; once one is refused, so are the rest.
      deck_.Layer(position).AddCopies(card.key, card.count);
    }
  }
  deck_.SetChanged(false);
  history_.Record(deck_);
  history_.MarkSaved(deck_);
  return true;
}

std::optional<std::u16string> TPlugin::DeckGameName(const std::u16string& fileName) {
  std::string contents;
  if (!ReadWholeFile(fileName, contents, kMaxDeckFileSize)) return std::nullopt;
  TextLines lines(contents, kDeckPieceBytes);
  std::string_view line;
  while (lines.Next(line)) {
    if (!line.empty() && line[0] == '=') return ExtractBetween(u'=', u'=', FromCp932(line));
  }
  return std::nullopt;
}

bool TPlugin::SaveDeck(const std::u16string& fileName) {
  const std::string text = ToCp932(u"=" + name_ + u"=\n" + DeckText());
  std::string bytes;
  bytes.reserve(text.size() + text.size() / 8);
  for (char c : text) {
    if (c == '\n') bytes += '\r';
    bytes += c;
  }
  if (!ReplaceFileContents(fileName, bytes)) return false;
  deck_.SetChanged(false);
  history_.MarkSaved(deck_);
  return true;
}

std::u16string TPlugin::DeckText() const {
  std::u16string text;
  for (int32_t i = 0; i < deck_.LayerCount(); ++i) {
    const TDeckLayer& layer = deck_.Layer(i);
    text += u"\n[" + layer.Name() + u"]\n";
    for (int32_t e = 0; e < layer.EntryCount(); ++e) {
      text += PaddedCount(layer.Entry(e).Count(), 2) + u"\t" + layer.Entry(e).Key() + u"\n";
    }
  }
  return ThroughCodePage(text);
}

std::u16string TPlugin::DeckClipboardText() const {
  std::u16string text;
  for (int32_t i = 0; i < deck_.LayerCount(); ++i) {
    const TDeckLayer& layer = deck_.Layer(i);
    text += u"\n[" + layer.Name() + u"]\n";
    for (int32_t e = 0; e < layer.EntryCount(); ++e) {
      const TDeckItem& entry = layer.Entry(e);
      // A key that is not in the database (deck files are not checked) shows empty values.
      const TCardItem* card = cards_.Find(entry.Key());
      text += PaddedCount(entry.Count(), 3) + u" ";
      for (int32_t s = 0; s < deckSections_.Count(); ++s) {
        text += u' ';
        for (const std::u16string& key : deckSections_.Item(s)->Keys()) {
          if (card != nullptr) text += card->Value(key);
        }
      }
      text += u'\n';
    }
  }
  return ThroughCodePage(text);
}
