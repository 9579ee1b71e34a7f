// The card data reader on arbitrary bytes.
#include <cstdint>

#include "FuzzFile.h"
#include "cards/CardData.h"
#include "cards/CardListReference.h"
#include "cards/CardParams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const char schema[] = "[Param00]\nKey=No\nName=n\nType=1\n[Param01]\nKey=Name\nName=a\nType=3\n";
  static const FuzzFile schemaFile("schema.ini");
  static const std::u16string schemaPath = schemaFile.Write(reinterpret_cast<const uint8_t*>(schema), sizeof schema - 1);
  TCardParams params;
  params.Load(schemaPath);
  static const FuzzFile file("cards.txt");
  TCardListReference cards;
  ReadCardData(file.Write(data, size), u"No", params, cards);
  for (const auto& [key, card] : cards) {
    if (key.empty() || card.Value(u"No") != key) __builtin_trap();
  }
  params.Item(1)->Values();
  return 0;
}
