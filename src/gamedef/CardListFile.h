#pragma once
// A card list that an author already has, read into a table of fields and
// cards: a JSON array of card objects, or CSV or TSV with a header row.

#include <string>
#include <string_view>

#include "gamedef/GameMaker.h"

// JSON when the first character that is not blank opens an array; otherwise
// TSV when the file name ends in ".tsv" or the header row holds tabs and no
// commas, else CSV. The bytes are UTF-8 (code page 932 is taken too). In
// JSON, a nested object's fields become "outer.inner" and the values that an
// array holds under one field are joined with ", ". False, with the reason
// in `error`, when the bytes make no table.
bool ReadCardList(std::string_view fileName, std::string_view bytes, TCardTable& table, std::u16string& error);
