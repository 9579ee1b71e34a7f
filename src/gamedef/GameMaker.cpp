#include "gamedef/GameMaker.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "cards/CardParams.h"
#include "common/CodePage.h"
#include "common/Text.h"
#include "gamedef/CardFields.h"
#include "gamedef/Plugin.h"

namespace {

// The fields that are tried two and three at a time for the card key.
constexpr std::size_t kCombinedFields = 12;
constexpr std::size_t kCardListShortFields = 8;
constexpr std::size_t kDeckListShortFields = 2;

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// The field that the author means: by its name in the input, else by its key.
const TCardField* FindField(const std::vector<TCardField>& fields, std::u16string_view name) {
  for (const TCardField& field : fields) {
    if (field.field == name) return &field;
  }
  for (const TCardField& field : fields) {
    if (field.key == name) return &field;
  }
  return nullptr;
}

// ---- The card key ----

using Parts = std::vector<const TCardField*>;

bool HasBlank(const TCardField& field) {
  return std::any_of(field.values.begin(), field.values.end(), [](const std::u16string& value) {
    return std::any_of(value.begin(), value.end(), IsBlank);
  });
}

std::u16string Quoted(std::u16string_view text) { return u"\"" + std::u16string(text) + u"\""; }
std::u16string CardNumber(std::size_t row) { return u"card " + IntToText(static_cast<int64_t>(row) + 1); }

// The card keys that the fields' values make, joined with "-" and their
// blanks made "_", so that a deck file line keeps each key whole: one per
// card, or the first reason why they do not identify the cards.
struct KeyTrial {
  std::vector<std::u16string> keys;
  std::u16string fault;
};

KeyTrial TryKey(const Parts& parts, std::size_t cards) {
  KeyTrial trial;
  std::unordered_map<std::u16string, std::size_t> seen;
  for (std::size_t row = 0; row < cards; ++row) {
    std::u16string key;
    for (const TCardField* part : parts) {
      const std::u16string& value = part->values[row];
      if (value.empty()) {
        trial.fault = CardNumber(row) + u" has no value for " + Quoted(part->field);
        return trial;
      }
      if (!key.empty()) key += u'-';
      for (char16_t c : value) key += IsBlank(c) ? u'_' : c;
    }
    if (ToCp932(key).size() > TPlugin::kMaxDeckKeyBytes) {
      trial.fault = CardNumber(row) + u" has a key longer than deck files keep: " + Quoted(key);
      return trial;
    }
    const auto [other, inserted] = seen.try_emplace(key, row);
    if (!inserted) {
      trial.fault = CardNumber(other->second) + u" and " + CardNumber(row) + u" have the same key " + Quoted(key);
      return trial;
    }
    trial.keys.push_back(std::move(key));
  }
  return trial;
}

struct KeyChoice {
  Parts parts;
  std::vector<std::u16string> keys;
  TKeyOrigin origin;
};

// The first field whose values are the card keys; with `blanks`, the first
// whose values are the keys once made one word.
std::optional<KeyChoice> TrySingleFields(const std::vector<TCardField>& fields, bool blanks, std::size_t cards) {
  for (const TCardField& field : fields) {
    if (HasBlank(field) != blanks) continue;
    if (KeyTrial trial = TryKey({&field}, cards); trial.fault.empty()) {
      return KeyChoice{{&field}, std::move(trial.keys), blanks ? TKeyOrigin::kOneWord : TKeyOrigin::kUniqueField};
    }
  }
  return std::nullopt;
}

// The fewest of the fields, two and then three, that make the card keys.
std::optional<KeyChoice> TryCombinations(const Parts& fields, std::size_t cards) {
  const std::size_t n = fields.size();
  for (std::size_t a = 0; a < n; ++a) {
    for (std::size_t b = a + 1; b < n; ++b) {
      if (KeyTrial trial = TryKey({fields[a], fields[b]}, cards); trial.fault.empty()) {
        return KeyChoice{{fields[a], fields[b]}, std::move(trial.keys), TKeyOrigin::kCombination};
      }
    }
  }
  for (std::size_t a = 0; a < n; ++a) {
    for (std::size_t b = a + 1; b < n; ++b) {
      for (std::size_t c = b + 1; c < n; ++c) {
        if (KeyTrial trial = TryKey({fields[a], fields[b], fields[c]}, cards); trial.fault.empty()) {
          return KeyChoice{{fields[a], fields[b], fields[c]}, std::move(trial.keys), TKeyOrigin::kCombination};
        }
      }
    }
  }
  return std::nullopt;
}

// The first fields that are never empty (and, unless `blanks`, hold no blank).
Parts CombinableFields(const std::vector<TCardField>& fields, bool blanks) {
  Parts parts;
  for (const TCardField& field : fields) {
    const bool full = std::none_of(field.values.begin(), field.values.end(), [](const auto& v) { return v.empty(); });
    if (full && (blanks || !HasBlank(field)) && parts.size() < kCombinedFields) parts.push_back(&field);
  }
  return parts;
}

// Values that need no change make better keys than a single field of names or
// rules text made one word: fields without blanks are tried first, alone and
// together, and only then fields with blanks.
std::optional<KeyChoice> InferKey(const std::vector<TCardField>& fields, std::size_t cards) {
  for (const bool blanks : {false, true}) {
    if (auto choice = TrySingleFields(fields, blanks, cards)) return choice;
    if (auto choice = TryCombinations(CombinableFields(fields, blanks), cards)) return choice;
  }
  return std::nullopt;
}

std::optional<TGameError> GivenKey(const std::vector<TCardField>& fields, const std::vector<std::u16string>& names,
                                   std::size_t cards, KeyChoice& choice) {
  for (const std::u16string& name : names) {
    const TCardField* field = FindField(fields, name);
    if (field == nullptr) return TGameError{true, u"the card list has no field " + Quoted(name) + u" for the key"};
    choice.parts.push_back(field);
  }
  KeyTrial trial = TryKey(choice.parts, cards);
  if (!trial.fault.empty()) return TGameError{false, u"the key does not identify every card: " + trial.fault};
  choice.keys = std::move(trial.keys);
  choice.origin = TKeyOrigin::kGiven;
  return std::nullopt;
}

// The card key's field: the one field whose values are the keys, or a new
// field "Id" that holds them, placed first. Answers its index.
std::size_t PlaceKey(std::vector<TCardField>& fields, KeyChoice& choice) {
  const TCardField& first = *choice.parts.front();
  if (choice.parts.size() == 1 && first.values == choice.keys) return static_cast<std::size_t>(&first - fields.data());
  TKeySet taken;
  for (const TCardField& field : fields) taken.insert(field.key);
  TCardField id;
  id.key = FreeKey(u"Id", taken);
  id.name = id.key;
  id.values = std::move(choice.keys);
  InferKind(id);
  fields.insert(fields.begin(), std::move(id));
  return 0;
}

// ---- The text key ----

std::optional<TGameError> GivenText(const std::vector<TCardField>& fields, const std::vector<std::u16string>& names,
                                    std::vector<std::u16string>& textKey) {
  for (const std::u16string& name : names) {
    const TCardField* field = FindField(fields, name);
    if (field == nullptr) return TGameError{true, u"the card list has no field " + Quoted(name) + u" for the text"};
    if (std::find(textKey.begin(), textKey.end(), field->key) == textKey.end()) textKey.push_back(field->key);
  }
  return std::nullopt;
}

// The field with the longest values on average, other than the card key's.
std::u16string LongestField(const std::vector<TCardField>& fields, std::size_t keyIndex) {
  std::size_t best = keyIndex;
  std::size_t bestLength = 0;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    std::size_t length = 0;
    for (const std::u16string& value : fields[i].values) length += value.size();
    if (i != keyIndex && (best == keyIndex || length > bestLength)) {
      best = i;
      bestLength = length;
    }
  }
  return fields[best].key;
}

// ---- Columns ----

struct Column {
  const TCardField* field;
  bool visible;
};

bool Contains(const std::vector<std::u16string>& keys, const std::u16string& key) {
  return std::find(keys.begin(), keys.end(), key) != keys.end();
}

// How much a field looks like the card's name: its name holds "name",
// "title" or "名", at the top of the card, or is exactly such a word.
int32_t NameLikeness(const TCardField& field) {
  const std::u16string name = FoldedText(field.field);
  if (name == u"name" || name == u"title" || name == u"名前" || name == u"カード名") return 3;
  const bool nameLike = name.find(u"name") != std::u16string::npos || name.find(u"title") != std::u16string::npos ||
                        name.find(u"名") != std::u16string::npos;
  if (!nameLike) return 0;
  return name.find(u'.') == std::u16string::npos ? 2 : 1;
}

// The field most like the card's name, other than the key and the text; none
// when no field looks like one.
const TCardField* NameField(const std::vector<TCardField>& fields, std::size_t keyIndex,
                            const std::vector<std::u16string>& textKey) {
  const TCardField* name = nullptr;
  int32_t likeness = 0;
  for (const TCardField& field : fields) {
    if (&field == &fields[keyIndex] || Contains(textKey, field.key)) continue;
    if (NameLikeness(field) > likeness) {
      likeness = NameLikeness(field);
      name = &field;
    }
  }
  return name;
}

// Fewer than half of the cards have a value.
bool IsSparse(const TCardField& field) {
  const auto filled = std::count_if(field.values.begin(), field.values.end(), [](const auto& v) { return !v.empty(); });
  return static_cast<std::size_t>(filled) * 2 < field.values.size();
}

// Hardly two cards share a value (nine in ten values differ): a number or
// code that tells the cards apart rather than describes them.
bool TellsCardsApart(const TCardField& field) {
  std::unordered_set<std::u16string_view> distinct;
  std::size_t filled = 0;
  for (const std::u16string& value : field.values) {
    if (value.empty()) continue;
    ++filled;
    distinct.insert(value);
  }
  return distinct.size() * 10 > filled * 9;
}

// The card key and the card's name first, then the short fields that most
// cards have a value for and after them, hidden, the others, which the
// column menu can show.
std::vector<Column> CardListColumns(const std::vector<TCardField>& fields, std::size_t keyIndex,
                                    const std::vector<std::u16string>& textKey) {
  std::vector<Column> columns{{&fields[keyIndex], true}};
  const TCardField* name = NameField(fields, keyIndex, textKey);
  if (name != nullptr) columns.push_back({name, true});
  std::vector<Column> hidden;
  for (const TCardField& field : fields) {
    if (&field == &fields[keyIndex] || &field == name) continue;
    const bool shown = field.IsShort() && !Contains(textKey, field.key) && !IsSparse(field) &&
                       columns.size() <= kCardListShortFields;
    (shown ? columns : hidden).push_back({&field, shown});
  }
  columns.insert(columns.end(), hidden.begin(), hidden.end());
  return columns;
}

// The card's name (the card key when no field looks like one), then one or
// two short fields that most cards have a value for: numbers, then choices,
// then text. The
// fields that make the card key, and others that tell the cards apart, tell
// little about a card in a deck.
std::vector<Column> DeckListColumns(const std::vector<TCardField>& fields, std::size_t keyIndex,
                                    const std::vector<std::u16string>& textKey, const std::vector<std::u16string>& keyParts) {
  const TCardField* name = NameField(fields, keyIndex, textKey);
  if (name == nullptr) name = &fields[keyIndex];
  std::vector<Column> columns{{name, true}};
  std::vector<const TCardField*> candidates;
  for (const TCardField& field : fields) {
    const bool other = &field != name && &field != &fields[keyIndex] && !Contains(textKey, field.key) &&
                       !Contains(keyParts, field.key);
    if (other && field.IsShort() && !IsSparse(field) && !TellsCardsApart(field)) candidates.push_back(&field);
  }
  for (const int32_t kind : {TCardParamItem::kRange, TCardParamItem::kChoice, TCardParamItem::kText}) {
    for (const TCardField* field : candidates) {
      if (columns.size() > kDeckListShortFields) break;
      if (field->type == kind) columns.push_back({field, true});
    }
  }
  return columns;
}

// ---- Files ----

std::u16string Numbered(std::u16string_view prefix, std::size_t n, std::size_t digits) {
  std::u16string number = IntToText(static_cast<int64_t>(n));
  if (number.size() < digits) number.insert(0, digits - number.size(), u'0');
  return std::u16string(prefix) + number;
}

// A profile file's text; every value is already one line the code page holds.
class ProfileText {
 public:
  void Section(std::u16string_view name) {
    if (!text_.empty()) text_ += u"\r\n";
    text_ += u"[" + std::u16string(name) + u"]\r\n";
  }
  void Value(std::u16string_view key, std::u16string_view value) {
    text_ += std::u16string(key) + u"=" + std::u16string(value) + u"\r\n";
  }
  std::string Bytes() const { return ToCp932(text_); }

 private:
  std::u16string text_;
};

void WriteColumns(ProfileText& file, std::u16string_view prefix, const std::vector<Column>& columns) {
  for (std::size_t i = 0; i < columns.size(); ++i) {
    file.Section(Numbered(prefix, i, 2));
    file.Value(u"Key", columns[i].field->key);
    file.Value(u"Name", columns[i].field->name);
    file.Value(u"Width", IntToText(columns[i].field->width));
    file.Value(u"Visibled", columns[i].visible ? u"1" : u"0");
  }
}

void WriteLayer(ProfileText& file, std::size_t n, std::u16string_view name, int32_t totalLimit, int32_t itemLimit) {
  file.Section(Numbered(u"DeckLayer", n, 2));
  file.Value(u"Name", name);
  file.Value(u"TotalLimit", IntToText(totalLimit));
  file.Value(u"ItemLimit", IntToText(itemLimit));
}

struct Definition {
  std::u16string name;
  std::u16string cardFile;
  std::size_t keyIndex;
  std::vector<std::u16string> keyParts;
  std::vector<std::u16string> textKey;
};

// Limits that suit many games; the author edits them.
std::string DefinitionBytes(const std::vector<TCardField>& fields, const Definition& game) {
  ProfileText file;
  file.Section(u"System");
  file.Value(u"Name", game.name);
  file.Value(u"UniqueKey", fields[game.keyIndex].key);
  file.Value(u"TextKey", WriteCommaList(game.textKey));
  file.Value(u"CardList", game.cardFile);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    file.Section(Numbered(u"Param", i, 2));
    file.Value(u"Key", fields[i].key);
    file.Value(u"Name", fields[i].name);
    file.Value(u"Type", IntToText(fields[i].type));
  }
  WriteColumns(file, u"CardListSection", CardListColumns(fields, game.keyIndex, game.textKey));
  WriteColumns(file, u"DeckListSection", DeckListColumns(fields, game.keyIndex, game.textKey, game.keyParts));
  WriteLayer(file, 0, u"Main", 60, 4);
  WriteLayer(file, 1, u"Side", 15, 4);
  return file.Bytes();
}

// One section per card; empty values are left out, as a card without the key
// reads the same.
std::string CardDataBytes(const std::vector<TCardField>& fields, std::size_t cards) {
  std::string bytes;
  for (std::size_t row = 0; row < cards; ++row) {
    bytes += (row > 0 ? "\r\n[" : "[") + ToCp932(Numbered(u"CardData", row + 1, 5)) + "]\r\n";
    for (const TCardField& field : fields) {
      if (field.values[row].empty()) continue;
      AppendToCp932(field.key, bytes);
      bytes += '=';
      AppendToCp932(field.values[row], bytes);
      bytes += "\r\n";
    }
  }
  return bytes;
}

std::vector<TGameParam> ReportedParams(const std::vector<TCardField>& fields) {
  std::vector<TGameParam> params;
  for (const TCardField& field : fields) params.push_back({field.field, field.key, field.type, field.width});
  return params;
}

std::vector<std::u16string> FieldNames(const Parts& parts) {
  std::vector<std::u16string> names;
  for (const TCardField* part : parts) names.push_back(part->field);
  return names;
}

std::vector<std::u16string> FieldKeys(const Parts& parts) {
  std::vector<std::u16string> keys;
  for (const TCardField* part : parts) keys.push_back(part->key);
  return keys;
}

}  // namespace

std::optional<TGameError> MakeGame(TCardTable table, const TGameOptions& options, TGame& game) {
  TGameReport& report = game.report;
  const std::u16string name = CaptionText(options.name);
  if (name.empty()) return TGameError{true, u"the game needs a name"};
  if (table.fields.empty()) return TGameError{false, u"the card list has no fields"};
  std::vector<TCardField> fields = ReadCardFields(table, report);
  report.cards = fields.front().values.size();
  if (report.cards == 0) return TGameError{false, u"the card list has no cards"};

  std::vector<std::u16string> textKey;
  if (auto error = GivenText(fields, options.textFields, textKey)) return error;
  KeyChoice key;
  if (!options.keyFields.empty()) {
    if (auto error = GivenKey(fields, options.keyFields, report.cards, key)) return error;
  } else if (auto inferred = InferKey(fields, report.cards)) {
    key = std::move(*inferred);
  } else {
    return TGameError{false, u"no field, nor two or three fields together, identify every card; name the key with --key"};
  }
  report.keyOrigin = key.origin;
  report.keyFields = FieldNames(key.parts);
  const std::vector<std::u16string> keyParts = FieldKeys(key.parts);
  const std::size_t keyIndex = PlaceKey(fields, key);
  if (textKey.empty()) textKey.push_back(LongestField(fields, keyIndex));

  const std::string stem = GameFileStem(options.name);
  game.definitionFileName = stem + ".ini";
  game.cardFileName = stem + "-cards.txt";
  game.definition = DefinitionBytes(fields, {name, FromUtf8(game.cardFileName), keyIndex, keyParts, textKey});
  game.cardData = CardDataBytes(fields, report.cards);
  report.params = ReportedParams(fields);
  report.uniqueKey = fields[keyIndex].key;
  report.textKey = textKey;
  report.textGiven = !options.textFields.empty();
  return std::nullopt;
}

std::string GameFileStem(std::u16string_view name) {
  constexpr std::size_t kMaxStemLength = 64;
  std::string stem;
  for (char16_t c : name) {
    const bool fits = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'-' || c == u'_';
    if (fits) {
      stem += static_cast<char>(c);
    } else if (!stem.empty() && stem.back() != '_') {
      stem += '_';
    }
  }
  // A leading "-" would read as an option on a command line.
  const std::size_t first = stem.find_first_not_of("-_");
  const std::size_t last = stem.find_last_not_of("-_");
  stem = first == std::string::npos ? std::string() : stem.substr(first, last - first + 1).substr(0, kMaxStemLength);
  return stem.empty() ? "game" : stem;
}
