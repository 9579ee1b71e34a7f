// The profile file reader and writer on arbitrary bytes.
#include <cstdint>

#include "FuzzFile.h"
#include "gamedef/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const FuzzFile file("profile.ini");
  TIniFile ini(file.Write(data, size));
  for (const char16_t* section : {u"System", u"Param00", u"", u"S"}) {
    ini.ReadString(section, u"Name", u"default");
    ini.ReadInteger(section, u"Key", 7);
    ini.ReadBool(section, u"Visibled", true);
  }
  // A write keeps the rest of the file; what it wrote reads back.
  try {
    ini.WriteString(u"System", u"Name", u"written");
    if (TIniFile(file.Path()).ReadString(u"System", u"Name", u"") != u"written") __builtin_trap();
  } catch (const EIniFileException&) {
  }
  return 0;
}
