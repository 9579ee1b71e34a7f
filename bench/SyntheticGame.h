#pragma once
// A synthetic game for the benchmarks: a game definition in a Plugin folder and
// two card data files, in code page 932, with Japanese names and texts and
// markup in some values.

#include <cstddef>
#include <string>

struct SyntheticGame {
  SyntheticGame() = default;
  SyntheticGame(SyntheticGame&& other) noexcept;
  ~SyntheticGame();  // removes the files

  std::string root;               // the temporary folder that holds Plugin
  std::u16string folder;          // the Plugin folder, ending with "/"
  std::u16string definition;      // the game definition file
  std::u16string cardFiles[2];    // the card data files
  std::size_t cardCount = 0;
  std::size_t utf16Bytes = 0;     // UTF-16 size of all the cards' keys and values
};

// Writes the game into a new temporary folder.
SyntheticGame MakeSyntheticGame(std::size_t cardCount);
