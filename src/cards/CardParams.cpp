#include "cards/CardParams.h"

#include <limits>

#include "common/SectionPattern.h"
#include "gamedef/IniFile.h"

TCardParamItem::TCardParamItem(std::u16string key, std::u16string name, int32_t type)
    : key_(std::move(key)), name_(std::move(name)), type_(type) {}

bool TCardParams::Load(const std::u16string& fileName) {
  TIniFile file(fileName);
  return Load(file);
}

bool TCardParams::Load(TIniFile& file) {
  static const SectionPattern pattern = *SectionPattern::Parse(u"Param%02d");
  for (int32_t n = 0; n < std::numeric_limits<int32_t>::max(); ++n) {
    const std::u16string section = pattern.Format(n);
    std::u16string key = file.ReadString(section, u"Key", u"");
    std::u16string name = file.ReadString(section, u"Name", u"");
    const int32_t type = file.ReadInteger(section, u"Type", TCardParamItem::kNone);
    if (key.empty() || name.empty() || type == TCardParamItem::kEndOfList) break;
    auto item = std::make_unique<TCardParamItem>(std::move(key), std::move(name), type);
    item->SetIndex(n);
    item->SetWidth(file.ReadInteger(section, u"Width", 100));
    item->SetFormat(file.ReadString(section, u"Format", u""));
    items_.push_back(std::move(item));
  }
  return true;
}

TCardParamItem* TCardParams::Item(int32_t index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return items_[static_cast<std::size_t>(index)].get();
}

TCardParamItem* TCardParams::Find(std::u16string_view key) const {
  for (const auto& item : items_) {
    if (item->Key() == key) return item.get();
  }
  return nullptr;
}
