#include "cards/Sections.h"

#include <algorithm>
#include <limits>

#include "cards/CardParams.h"
#include "common/SectionPattern.h"
#include "common/Text.h"
#include "gamedef/IniFile.h"

TSectionItem::TSectionItem(std::u16string name, std::u16string_view keyText, int32_t width, bool visible)
    : keys_(ReadCommaList(keyText)), width_(width), name_(std::move(name)), visible_(visible) {}

int32_t TSectionList::Load(const std::u16string& fileName, std::u16string_view pattern) {
  TIniFile file(fileName);
  return Load(file, pattern);
}

int32_t TSectionList::Load(TIniFile& file, std::u16string_view pattern) {
  const auto names = SectionPattern::Parse(pattern);
  for (int32_t n = 0; names && n < std::numeric_limits<int32_t>::max(); ++n) {
    const std::u16string section = names->Format(n);
    const std::u16string key = file.ReadString(section, u"Key", u"");
    if (key.empty()) break;
    Add(std::make_unique<TSectionItem>(file.ReadString(section, u"Name", u""), key,
                                       file.ReadInteger(section, u"Width", 100),
                                       file.ReadBool(section, u"Visibled", true)));
  }
  return Count();
}

void TSectionList::Save(const std::u16string& fileName, std::u16string_view pattern) const {
  TIniFile file(fileName);
  Save(file, pattern);
}

void TSectionList::Save(TIniFile& file, std::u16string_view pattern) const {
  const auto names = SectionPattern::Parse(pattern);
  if (!names) return;
  for (int32_t i = 0; i < Count(); ++i) {
    const std::u16string section = names->Format(i);
    const TSectionItem& item = *Item(i);
    file.WriteStrings(section, {{u"Key", WriteCommaList(item.Keys())},
                                {u"Width", IntToText(item.Width())},
                                {u"Visibled", item.Visible() ? u"1" : u"0"}});
  }
}

int32_t TSectionList::VisibleCount() const {
  return static_cast<int32_t>(std::count_if(items_.begin(), items_.end(), [](const auto& item) { return item->Visible(); }));
}

TSectionItem* TSectionList::VisibleItem(int32_t n) const {
  if (n < 0) return nullptr;
  for (const auto& item : items_) {
    if (item->Visible() && n-- == 0) return item.get();
  }
  return nullptr;
}

namespace {

void AddGeneratedColumns(TSectionList& sections, const TCardParams& params, std::u16string_view uniqueKey,
                         const std::vector<std::u16string>& textKeys) {
  // The card key comes first; when no parameter is named by it, the column
  // still shows the card key, captioned with the key itself.
  const TCardParamItem* unique = params.Find(uniqueKey);
  if (unique != nullptr) {
    sections.Add(std::make_unique<TSectionItem>(unique->Name(), unique->Key(), 100, true));
  } else {
    sections.Add(std::make_unique<TSectionItem>(std::u16string(uniqueKey), WriteCommaList({std::u16string(uniqueKey)}), 100, true));
  }
  for (int32_t i = 0; i < params.Count(); ++i) {
    const TCardParamItem& param = *params.Item(i);
    const bool isText = std::any_of(textKeys.begin(), textKeys.end(),
                                    [&](const std::u16string& key) { return EqualsIgnoreCase(key, param.Key()); });
    if (param.Key() == uniqueKey || isText) continue;
    sections.Add(std::make_unique<TSectionItem>(param.Name(), param.Key(), 100, true));
  }
}

// The caption for a column whose own is to be filled in: the name of the
// parameter of its first key, or else its keys as written in the file.
std::u16string CaptionFromSchema(const TSectionItem& section, const TCardParams& params) {
  const TCardParamItem* param = section.Keys().empty() ? nullptr : params.Find(section.Keys()[0]);
  return param != nullptr ? param->Name() : WriteCommaList(section.Keys());
}

}  // namespace

void CompleteCardSections(TSectionList& sections, const TCardParams& params, std::u16string_view uniqueKey,
                          const std::vector<std::u16string>& textKeys) {
  if (sections.Count() == 0) AddGeneratedColumns(sections, params, uniqueKey, textKeys);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TSectionItem& section = *sections.Item(i);
    if (section.Name().empty() || section.Name() == u"0") section.SetName(CaptionFromSchema(section, params));
  }
}

void CompleteDeckSections(TSectionList& sections, const TCardParams& params, std::u16string_view uniqueKey,
                          const std::vector<std::u16string>& textKeys) {
  if (sections.VisibleCount() == 0) AddGeneratedColumns(sections, params, uniqueKey, textKeys);
  for (int32_t i = 0; i < sections.Count(); ++i) {
    TSectionItem& section = *sections.Item(i);
    if (section.Name().empty()) section.SetName(CaptionFromSchema(section, params));
  }
}
