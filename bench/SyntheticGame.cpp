#include "SyntheticGame.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <vector>

#include "common/CodePage.h"
#include "common/Text.h"

namespace {

const std::vector<std::u16string> kElements = {u"炎", u"氷", u"雷", u"風", u"闇", u"光", u"森", u"海", u"鋼", u"星"};
const std::vector<std::u16string> kBeings = {u"剣士", u"魔女", u"竜", u"騎士", u"精霊", u"巨人", u"弓手", u"僧侶", u"盗賊", u"獣"};
const std::vector<std::u16string> kColors = {u"赤", u"青", u"緑", u"白", u"黒"};
const std::vector<std::u16string> kKinds = {u"ユニット", u"魔法", u"装備", u"地形"};
const std::vector<std::u16string> kRarities = {u"C", u"U", u"R", u"SR"};
const std::vector<std::u16string> kPhrases = {
    u"カードを１枚引く。", u"相手のユニット１体を破壊する。", u"このターン、攻撃力を＋２０００する。",
    u"山札の上から３枚を見る。", u"自分の手札を１枚捨てる。", u"<b>速攻</b>", u"<font color=red>召喚時</font>：",
    u"<i>このカードは破壊されない。</i>", u"相手は次のターン攻撃できない。", u"墓地からカードを１枚戻す。"};

void WriteFile(const std::filesystem::path& path, const std::u16string& text) {
  const std::string bytes = ToCp932(text);
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::u16string Number(std::size_t n, int width) {
  std::u16string digits = IntToText(static_cast<int64_t>(n));
  if (static_cast<int>(digits.size()) < width) digits.insert(0, static_cast<std::size_t>(width) - digits.size(), u'0');
  return digits;
}

std::u16string Definition() {
  std::u16string text =
      u"[System]\r\nName=シンセティック\r\nUniqueKey=No\r\nTextKey=Text,Flavor\r\nCardList=cards1.txt,cards2.txt\r\n"
      u"Image=synthetic.zip\r\n\r\n";
  const char16_t* params[][3] = {{u"No", u"番号", u"1"},        {u"Name", u"名前", u"1"},   {u"Kana", u"読み", u"1"},
                                 {u"Cost", u"コスト", u"2"},    {u"Power", u"パワー", u"2"}, {u"Color", u"色", u"3"},
                                 {u"Kind", u"種類", u"3"},      {u"Rarity", u"レア", u"3"}, {u"Set", u"収録", u"3"},
                                 {u"Artist", u"絵師", u"1"},    {u"Text", u"テキスト", u"0"}, {u"Flavor", u"フレーバー", u"0"}};
  for (int i = 0; i < 12; ++i) {
    text += u"[Param" + Number(static_cast<std::size_t>(i), 2) + u"]\r\nKey=" + params[i][0] + u"\r\nName=" +
            params[i][1] + u"\r\nType=" + params[i][2] + u"\r\n\r\n";
  }
  text += u"[CardListSection00]\r\nKey=No\r\n[CardListSection01]\r\nKey=Name\r\nWidth=160\r\n"
          u"[CardListSection02]\r\nKey=Cost,Power\r\n[CardListSection03]\r\nKey=Color\r\n\r\n"
          u"[DeckListSection00]\r\nKey=Name\r\n[DeckListSection01]\r\nKey=Cost\r\n\r\n"
          u"[DeckLayer00]\r\nName=メイン\r\nTotalLimit=50\r\nItemLimit=4\r\n"
          u"[DeckLayer01]\r\nName=サイド\r\nTotalLimit=15\r\nItemLimit=4\r\n";
  return text;
}

}  // namespace

SyntheticGame::SyntheticGame(SyntheticGame&& other) noexcept
    : root(std::move(other.root)),
      folder(std::move(other.folder)),
      definition(std::move(other.definition)),
      cardFiles{std::move(other.cardFiles[0]), std::move(other.cardFiles[1])},
      cardCount(other.cardCount),
      utf16Bytes(other.utf16Bytes) {
  other.root.clear();
}

SyntheticGame::~SyntheticGame() {
  std::error_code ignored;
  if (!root.empty()) std::filesystem::remove_all(root, ignored);
}

SyntheticGame MakeSyntheticGame(std::size_t cardCount) {
  std::string pattern = (std::filesystem::temp_directory_path() / "velqorandis-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a folder");
  const std::filesystem::path folder = std::filesystem::path(pattern) / "Plugin";
  std::filesystem::create_directories(folder);

  SyntheticGame game;
  game.root = pattern;
  game.folder = FromUtf8(folder.string() + "/");
  game.definition = game.folder + u"synthetic.ini";
  game.cardCount = cardCount;
  WriteFile(folder / "synthetic.ini", Definition());

  std::mt19937 random(12345);
  auto pick = [&](const std::vector<std::u16string>& items) -> const std::u16string& {
    return items[random() % items.size()];
  };
  std::u16string files[2];
  for (std::size_t n = 0; n < cardCount; ++n) {
    const std::u16string no = u"SY" + Number(n, 6);
    std::u16string body;
    for (int k = 0; k < 2 + static_cast<int>(random() % 3); ++k) body += pick(kPhrases);
    const std::pair<std::u16string, std::u16string> values[] = {
        {u"No", no},
        {u"Name", pick(kElements) + u"の" + pick(kBeings) + Number(random() % 1000, 1)},
        {u"Kana", u"かーど" + Number(random() % 1000, 3)},
        {u"Cost", Number(random() % 11, 1)},
        {u"Power", Number((random() % 13) * 1000, 1)},
        {u"Color", pick(kColors)},
        {u"Kind", pick(kKinds)},
        {u"Rarity", pick(kRarities)},
        {u"Set", u"第" + Number(random() % 20 + 1, 1) + u"弾"},
        {u"Artist", u"絵師" + Number(random() % 200, 3)},
        {u"Text", body},
        {u"Flavor", u"「" + pick(kElements) + u"の力を見よ」"},
        {u"Image", no + u".jpg"},
    };
    // Like real card data files, each file holds one run of card numbers (one expansion).
    std::u16string& file = files[n * 2 / cardCount];
    file += u"[CardData" + Number(n, 6) + u"]\r\n";
    for (const auto& [key, value] : values) {
      file += key + u"=" + value + u"\r\n";
      game.utf16Bytes += (key.size() + value.size()) * 2;
    }
  }
  for (int i = 0; i < 2; ++i) {
    const std::string name = "cards" + std::to_string(i + 1) + ".txt";
    WriteFile(folder / name, files[i]);
    game.cardFiles[i] = game.folder + FromUtf8(name);
  }
  return game;
}
