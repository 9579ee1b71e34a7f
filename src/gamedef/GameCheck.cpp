#include "gamedef/GameCheck.h"

#include <algorithm>
#include <filesystem>

#include "cards/CardParams.h"
#include "cards/ImageArchive.h"
#include "cards/Sections.h"
#include "common/FilePath.h"
#include "common/SectionPattern.h"
#include "common/Text.h"
#include "gamedef/IniFile.h"
#include "gamedef/Plugin.h"
#include "gamedef/PluginList.h"

namespace {

using Severity = TFinding::Severity;

constexpr int32_t kLookAhead = 1000;    // numbered sections looked for past the end of a list
constexpr std::size_t kNamedPictures = 5;

std::u16string Quoted(std::u16string_view text) { return u"\"" + std::u16string(text) + u"\""; }

class DefinitionCheck {
 public:
  DefinitionCheck(const std::u16string& fileName, std::vector<TFinding>& findings)
      : fileName_(fileName), file_(fileName), findings_(findings), plugin_(FolderOf(fileName)) {}

  void Run() {
    CheckListing();
    const std::u16string uniqueKey = file_.ReadString(u"System", u"UniqueKey", u"No");
    if (uniqueKey.empty()) {
      Add(u"UniqueKey", Severity::kError, u"UniqueKey is empty: the game definition does not load");
      return;
    }
    if (!plugin_.Load(fileName_)) return;  // told above: no Name
    CheckParams();
    CheckSystemKeys();
    CheckColumns(u"CardListFormat", u"CardListSection%02d", plugin_.CardSections());
    CheckColumns(u"DeckListFormat", u"DeckListSection%02d", plugin_.DeckSections());
    CheckLayers();
    std::vector<std::u16string> cardFiles;
    for (const std::u16string& name : plugin_.CardList()) cardFiles.push_back(ResolveIgnoringCase(FolderOf(fileName_) + name));
    CheckCardDataFiles(cardFiles, {plugin_.UniqueKey(), plugin_.Params(), fileName_, LineOf(u"CardList"), findings_});
    CheckImages();
  }

 private:
  // Where the System key stands, else the System section, else the first line.
  int32_t LineOf(std::u16string_view key) {
    if (const int32_t line = file_.LineOf(u"System", key)) return line;
    return std::max(1, file_.LineOf(u"System"));
  }
  void Add(std::u16string_view key, Severity severity, std::u16string message) {
    findings_.push_back({fileName_, LineOf(key), severity, std::move(message)});
  }
  void AddAt(int32_t line, Severity severity, std::u16string message) {
    findings_.push_back({fileName_, std::max(1, line), severity, std::move(message)});
  }
  bool IsParameter(std::u16string_view key) const { return plugin_.Params().Find(key) != nullptr; }
  bool SomeCardHas(std::u16string_view key) const {
    return std::any_of(plugin_.Cards().begin(), plugin_.Cards().end(),
                       [&](const auto& entry) { return !entry.second.Value(key).empty(); });
  }

  // What keeps the catalogue from listing the file, or from ever loading it.
  void CheckListing() {
    const std::u16string name = FileNameOf(fileName_);
    if (name.size() < 4 || name.compare(name.size() - 4, 4, u".ini") != 0) {
      AddAt(1, Severity::kError, u"the catalogue lists only files whose names end in \".ini\" exactly: this one is not listed");
    }
    const std::u16string gameName = file_.ReadString(u"System", u"Name", u"");
    if (gameName.empty()) {
      Add(u"Name", Severity::kError, u"System has no Name: the catalogue does not list this file");
      return;
    }
    TPluginList catalogue;
    catalogue.Scan(FolderOf(fileName_));
    const TPluginItem* first = catalogue.FindByName(gameName);
    if (first != nullptr && FileNameOf(first->FileName) != FileNameOf(fileName_)) {
      Add(u"Name", Severity::kError,
          u"the name " + Quoted(gameName) + u" is also the name of " + Quoted(FileNameOf(first->FileName)) +
              u", which comes first in the folder: only that one is ever loaded");
    }
  }

  // The parameters end at the first section that fails; sections after it are never read.
  void CheckParams() {
    const TCardParams& params = plugin_.Params();
    const auto names = *SectionPattern::Parse(u"Param%02d");
    for (int32_t i = 0; i < params.Count(); ++i) {
      const int32_t type = params.Item(i)->Type();
      if (type < 0 || type > 3) {
        AddAt(file_.LineOf(names.Format(i), u"Type"), Severity::kWarning,
              u"Type " + IntToText(type) + u" is no kind of search criterion (1 text, 2 number range, 3 choice, 0 none): "
              u"the parameter gets no search panel");
      }
      for (int32_t j = 0; j < i; ++j) {
        if (params.Item(j)->Key() == params.Item(i)->Key()) {
          AddAt(file_.LineOf(names.Format(i), u"Key"), Severity::kWarning,
                u"the key " + Quoted(params.Item(i)->Key()) + u" is the key of " + names.Format(j) +
                    u" too: lookups by key find only the first");
        }
      }
    }
    const std::u16string end = names.Format(params.Count());
    if (file_.ReadInteger(end, u"Type", 0) == TCardParamItem::kEndOfList) return;  // an end written on purpose
    ReportCutList(names, params.Count(), u"the parameters");
  }

  // A list of numbered sections that ends early while later sections exist.
  void ReportCutList(const SectionPattern& names, int32_t end, std::u16string_view what) {
    for (int32_t n = end + 1; n <= end + kLookAhead; ++n) {
      const int32_t later = file_.LineOf(names.Format(n));
      if (later == 0) continue;
      const int32_t endLine = file_.LineOf(names.Format(end));
      AddAt(endLine > 0 ? endLine : later, Severity::kWarning,
            std::u16string(what) + u" end at " + names.Format(end) +
                (endLine > 0 ? u", which lacks a key they need" : u", which is missing") + u": " + names.Format(n) +
                u" and the sections after it are never read");
      return;
    }
  }

  void CheckSystemKeys() {
    if (!IsParameter(plugin_.UniqueKey())) {
      Add(u"UniqueKey", Severity::kWarning,
          u"UniqueKey " + Quoted(plugin_.UniqueKey()) + u" names no parameter: cards are found by it, but it cannot be "
          u"searched and gets no column of its own");
    }
    for (const std::u16string& key : plugin_.TextKey()) {
      if (!IsParameter(key)) {
        Add(u"TextKey", Severity::kWarning,
            u"TextKey " + Quoted(key) + u" names no parameter" +
                (SomeCardHas(key) ? u"" : u", and no card has a value for it: the card text stays empty there"));
      }
    }
  }

  void CheckColumns(std::u16string_view formatKey, std::u16string_view standard, const TSectionList& sections) {
    const std::u16string format = file_.ReadString(u"System", formatKey, standard);
    const auto names = SectionPattern::Parse(format);
    if (!names) {
      Add(formatKey, Severity::kWarning,
          std::u16string(formatKey) + u" " + Quoted(format) + u" is not one integer conversion such as %02d: no column "
          u"section is read");
      return;
    }
    for (int32_t i = 0; i < sections.Count(); ++i) {
      const int32_t line = file_.LineOf(names->Format(i), u"Key");
      if (line == 0) break;  // the columns made from the parameters
      for (const std::u16string& key : sections.Item(i)->Keys()) {
        if (IsParameter(key)) continue;
        AddAt(line, Severity::kWarning,
              u"the column key " + Quoted(key) + u" names no parameter" +
                  (SomeCardHas(key) ? u": the column shows it, but it cannot be searched"
                                    : u", and no card has a value for it: the column stays empty there"));
      }
    }
  }

  void CheckLayers() {
    const TDeckData& deck = plugin_.Deck();
    const std::u16string format = file_.ReadString(u"System", u"DeckLayerFormat", u"DeckLayer%02d");
    const auto names = SectionPattern::Parse(format);
    if (!names) {
      Add(u"DeckLayerFormat", Severity::kWarning,
          u"DeckLayerFormat " + Quoted(format) + u" is not one integer conversion such as %02d: the deck has no layer");
      return;
    }
    if (deck.LayerCount() == 0) {
      Add(u"Name", Severity::kWarning, u"there is no deck layer (" + names->Format(0) + u"): nothing can be added to a deck");
    }
    const bool someCardLimit = std::any_of(plugin_.Cards().begin(), plugin_.Cards().end(),
                                           [](const auto& entry) { return CardLimit(entry.second) > 0; });
    for (int32_t i = 0; i < deck.LayerCount(); ++i) {
      const TDeckLayer& layer = deck.Layer(i);
      const std::u16string section = names->Format(i);
      if (layer.TotalLimit() <= 0) {
        AddAt(file_.LineOf(section, u"TotalLimit"), Severity::kWarning,
              u"TotalLimit " + IntToText(layer.TotalLimit()) + u" lets nothing be added to the layer " + Quoted(layer.Name()));
      } else if (layer.ItemLimit() <= 0 && !someCardLimit) {
        AddAt(file_.LineOf(section, u"ItemLimit"), Severity::kWarning,
              u"ItemLimit " + IntToText(layer.ItemLimit()) + u" lets no card be added to the layer " + Quoted(layer.Name()) +
                  u" (no card has a Limit of its own)");
      }
    }
    ReportCutList(*names, deck.LayerCount(), u"the deck layers");
  }

  void CheckImages() {
    std::vector<TImageArchiveIndex> archives;
    for (const std::u16string& archive : plugin_.ImageArchives()) {
      archives.emplace_back();
      if (!archives.back().Open(archive)) {
        archives.pop_back();
        Add(u"Image", Severity::kWarning, u"the image archive " + Quoted(archive) + u" is missing or is no zip archive");
      }
    }
    if (plugin_.ImageArchives().empty()) return;
    std::vector<std::u16string> missing;
    std::size_t count = 0;
    for (const auto& [key, card] : plugin_.Cards()) {
      const std::u16string picture = card.PlainValue(u"Image");
      if (picture.empty() ||
          std::any_of(archives.begin(), archives.end(), [&](const TImageArchiveIndex& a) { return a.Holds(picture); })) {
        continue;
      }
      if (++count <= kNamedPictures) missing.push_back(Quoted(picture) + u" (" + key + u")");
    }
    if (count == 0) return;
    std::u16string named;
    for (const std::u16string& picture : missing) named += (named.empty() ? u"" : u", ") + picture;
    Add(u"Image", Severity::kWarning,
        IntToText(static_cast<int64_t>(count)) + u" cards name pictures that no image archive holds, such as " + named);
  }

  const std::u16string& fileName_;
  TIniFile file_;
  std::vector<TFinding>& findings_;
  TPlugin plugin_;
};

}  // namespace

std::vector<TFinding> CheckGameDefinition(const std::u16string& fileName) {
  std::vector<TFinding> findings;
  std::string bytes;
  if (!ReadWholeFile(fileName, bytes, TIniFile::kMaxFileSize)) {
    std::error_code error;
    const bool exists = std::filesystem::exists(NativePath(fileName), error);
    findings.push_back({fileName, 1, Severity::kError, exists ? u"the file cannot be read" : u"the file does not exist"});
    return findings;
  }
  DefinitionCheck(fileName, findings).Run();
  return findings;
}
