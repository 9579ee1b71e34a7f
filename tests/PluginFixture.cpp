#include "PluginFixture.h"

#include "common/Text.h"

std::string DeckSummary(const TDeckData& deck) {
  std::string summary;
  for (int32_t i = 0; i < deck.LayerCount(); ++i) {
    const TDeckLayer& layer = deck.Layer(i);
    summary += (i > 0 ? " " : "") + ToUtf8(layer.Name()) + ":";
    for (int32_t e = 0; e < layer.EntryCount(); ++e) {
      summary += (e > 0 ? "," : "") + ToUtf8(layer.Entry(e).Key()) + "x" + std::to_string(layer.Entry(e).Count());
    }
  }
  return summary;
}

MiniGame::MiniGame() {
  folder.Write("Plugin/mini.ini",
               "[System]\r\nName=Mini\r\nUniqueKey=No\r\nTextKey=Text,Flavor\r\nVersion=3\r\n"
               "CardList=cards-a.txt,CARDS-B.TXT\r\nImage=mini.zip,missing.zip\r\n"
               "[Param00]\r\nKey=No\r\nName=Number\r\nType=1\r\n"
               "[Param01]\r\nKey=Name\r\nName=Card name\r\nType=1\r\n"
               "[Param02]\r\nKey=Cost\r\nName=Cost\r\nType=2\r\n"
               "[Param03]\r\nKey=Color\r\nName=Colour\r\nType=3\r\n"
               "[Param04]\r\nKey=Text\r\nName=Card text\r\n"
               "[DeckListSection00]\r\nKey=Name\r\n[DeckListSection01]\r\nKey=Cost\r\n"
               "[DeckLayer00]\r\nName=Main\r\nTotalLimit=10\r\nItemLimit=3\r\n"
               "[DeckLayer01]\r\nName=Side\r\nTotalLimit=5\r\nItemLimit=2\r\n");
  folder.Write("Plugin/cards-a.txt",
               "[CardData001]\r\nNo=001\r\nName=Alpha\r\nCost=3\r\nColor=Red\r\nText=<b>Swift</b>\r\nFlavor=Fast.\r\nLimit=5\r\n"
               "[CardData002]\r\nNo=002\r\nName=Beta\r\nCost=10\r\nColor=Blue\r\nLimit=-1\r\n"
               "[CardData003]\r\nNo=003\r\nName=Gamma old\r\nCost=1\r\nColor=Red\r\n"
               "[CardData004]\r\nNo=004\r\nName=Delta\r\nCost=9\r\nColor=red\r\nLimit=<b>4</b>\r\n");
  folder.Write("Plugin/cards-b.txt",
               "[CardData003]\r\nNo=003\r\nName=Gamma\r\nCost=\r\nColor=Green\r\nLimit=word\r\n"
               "[CardData005]\r\nNo=005\r\nName=Epsilon\r\nCost=2\r\nColor=Blue\r\n");
  folder.Write("Plugin/Mini.zip", "not really a zip");
}
