#pragma once
// Card lists as CSV or TSV text: a header row that names the fields, then one
// row per card. A field in double quotation marks may hold the separator,
// line breaks and doubled quotation marks (RFC 4180); blank lines are skipped.

#include <string>
#include <string_view>

#include "gamedef/GameMaker.h"

// Tabs separate the fields when the first line holds tabs and no commas.
bool HeaderUsesTabs(std::u16string_view text);

// False, with the reason in `error`, when the text makes no table: a quoted
// field that never closes, a row with more values than the header has fields,
// or more fields or values than a table may hold.
bool ReadCsvTable(std::u16string_view text, char16_t separator, TCardTable& table, std::u16string& error);
