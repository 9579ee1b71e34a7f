#pragma once
// The decks last opened or saved, for each game, newest first, kept in the
// settings file in a section of their own ("RecentDecks").

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class TIniFile;

class TRecentDecks {
 public:
  static constexpr std::size_t kPerGame = 10;
  // Beyond this many in all (of every game), the oldest are forgotten.
  static constexpr std::size_t kInAll = 200;

  // The deck goes first in its game's list; the oldest beyond ten go.
  void Add(std::u16string_view game, std::u16string_view path);
  void Remove(std::u16string_view game, std::u16string_view path);
  // The game's decks, newest first.
  std::vector<std::u16string> For(std::u16string_view game) const;

  void Read(TIniFile& file);
  // A failed write throws EIniFileException.
  void Write(TIniFile& file) const;

 private:
  struct Entry {
    std::u16string game;
    std::u16string path;
  };
  std::vector<Entry> entries_;  // newest first, every game
};
