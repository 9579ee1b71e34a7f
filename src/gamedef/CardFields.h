#pragma once
// The fields of a card list made fit for a game's files: each field's
// parameter key and caption, its values as the card data file keeps and
// gives them back, and the kind and column width that its values suggest.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "cards/CardParams.h"
#include "common/Text.h"
#include "gamedef/GameMaker.h"

struct TCardField {
  std::u16string field;  // as the input names it; empty for a field made by the maker
  std::u16string key;
  std::u16string name;
  std::vector<std::u16string> values;  // by card
  int32_t type = TCardParamItem::kText;
  int32_t width = 0;

  // Narrow enough for a choice box and for a column of the card list.
  bool IsShort() const;
};

// Parameter keys as the profile file matches them: ignoring letter case.
using TKeySet = std::unordered_set<std::u16string, IgnoreCaseHash, IgnoreCaseEqual>;

// The table's fields, their values made fit for the files and their kinds
// inferred. Line breaks become "<br>", "<", ">" and a leading "=" their
// full-width forms, what code page 932 cannot hold "〓", and values are cut
// to fit a card line; the report counts each, and the rows without any
// value, which are left out. The table's rows are emptied on the way.
std::vector<TCardField> ReadCardFields(TCardTable& table, TGameReport& report);

// Integers (or empty) make a number parameter, few distinct short values a
// choice, anything else text; the width follows the typical value.
void InferKind(TCardField& field);

// `key`, or the first of key_2, key_3... that is not taken yet; taken then.
std::u16string FreeKey(const std::u16string& key, TKeySet& taken);

// A caption as the profile reader gives it back: one line, no blanks around
// it and no enclosing quotation marks; empty when nothing is left.
std::u16string CaptionText(std::u16string_view text);
