#pragma once
// Card data files: INI-like text in code page 932 whose sections with
// "CardData" in their name each hold one card, read in one pass.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class TCardParams;
class TCardListReference;

// Reads one card data file into the database, storing each card under its
// value for the unique key (a card without one is dropped) and feeding every
// value of a schema parameter to that parameter's distinct values. False when
// the file cannot be read; the database is not cleared first.
bool ReadCardData(std::u16string_view fileName, std::u16string_view uniqueKey, TCardParams& params,
                  TCardListReference& cards);

// Reads several card data files in their order, as ReadCardData one after the
// other would; files that cannot be read are skipped.
void ReadCardDataFiles(const std::vector<std::u16string>& fileNames, std::u16string_view uniqueKey,
                       TCardParams& params, TCardListReference& cards);

// Lines are read into a buffer of 2048 bytes: longer lines come in pieces.
constexpr std::size_t kCardDataPieceBytes = 2047;
constexpr std::size_t kMaxCardDataFileSize = std::size_t{1} << 30;
