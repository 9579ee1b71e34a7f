#include "deck/RecentDecks.h"

#include <algorithm>

#include "common/Text.h"
#include "gamedef/IniFile.h"

namespace {

constexpr std::u16string_view kSection = u"RecentDecks";

std::u16string KeyOf(std::size_t index) { return u"Deck" + IntToText(static_cast<int64_t>(index) + 1); }

}  // namespace

void TRecentDecks::Add(std::u16string_view game, std::u16string_view path) {
  Remove(game, path);
  entries_.insert(entries_.begin(), {std::u16string(game), std::u16string(path)});
  std::size_t ofGame = 0;
  std::erase_if(entries_, [&](const Entry& entry) { return entry.game == game && ++ofGame > kPerGame; });
  if (entries_.size() > kInAll) entries_.resize(kInAll);
}

void TRecentDecks::Remove(std::u16string_view game, std::u16string_view path) {
  std::erase_if(entries_, [&](const Entry& entry) { return entry.game == game && entry.path == path; });
}

std::vector<std::u16string> TRecentDecks::For(std::u16string_view game) const {
  std::vector<std::u16string> paths;
  for (const Entry& entry : entries_) {
    if (entry.game == game) paths.push_back(entry.path);
  }
  return paths;
}

void TRecentDecks::Read(TIniFile& file) {
  entries_.clear();
  const int32_t count = std::clamp(file.ReadInteger(kSection, u"Count", 0), 0, static_cast<int32_t>(kInAll));
  for (int32_t i = 0; i < count; ++i) {
    const std::vector<std::u16string> item = ReadCommaList(file.ReadString(kSection, KeyOf(i), u""));
    if (item.size() == 2 && !item[0].empty() && !item[1].empty()) entries_.push_back({item[0], item[1]});
  }
}

void TRecentDecks::Write(TIniFile& file) const {
  std::vector<std::pair<std::u16string, std::u16string>> values{{u"Count", IntToText(static_cast<int64_t>(entries_.size()))}};
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    values.emplace_back(KeyOf(i), WriteCommaList({entries_[i].game, entries_[i].path}));
  }
  file.WriteStrings(kSection, values);
}
