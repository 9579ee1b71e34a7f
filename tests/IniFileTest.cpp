#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "TestFiles.h"
#include "common/FilePath.h"
#include "common/Text.h"
#include "gamedef/IniFile.h"

namespace {

std::string FixtureBytes(std::string_view name) {
  std::string bytes;
  ReadWholeFile(FixturePath(name), bytes, 1 << 20);
  return bytes;
}

}  // namespace

TEST(IniFileReading, FollowsTheProfileRules) {
  TempFolder folder;
  const std::u16string path = folder.Write("a.ini",
      "Orphan=before any section\n"
      "[Main]\n"
      "Plain=value\n"
      "  Spaced  =   padded value   \n"
      "Double=\"quoted \"\n"
      "Single='x'\n"
      "Half=\"open\n"
      "Inner=a \"b\" c\n"
      "Empty=\n"
      "Equals=a=b\n"
      "Dup=first\n"
      "dup=second\n"
      "no equals sign\n"
      "[main]\n"
      "Late=ignored: the first section of a name wins\n"
      " [ Other ] trailing\n"
      "Key=other\n");
  TIniFile ini(path);
  struct Case {
    std::u16string section, key, expected;
  };
  const Case cases[] = {
      {u"Main", u"Plain", u"value"},
      {u"MAIN", u"plain", u"value"},               // names ignore letter case
      {u"Main", u"Spaced", u"padded value"},
      {u"Main", u"Double", u"quoted "},
      {u"Main", u"Single", u"x"},
      {u"Main", u"Half", u"\"open"},
      {u"Main", u"Inner", u"a \"b\" c"},
      {u"Main", u"Empty", u""},                    // present and empty: not the default
      {u"Main", u"Equals", u"a=b"},
      {u"Main", u"Dup", u"first"},
      {u"Main", u"Late", u"(default)"},
      {u"Main", u"Orphan", u"(default)"},
      {u"Main", u"no equals sign", u"(default)"},
      {u"Other", u"Key", u"other"},
      {u"Missing", u"Key", u"(default)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ini.ReadString(c.section, c.key, u"(default)"), c.expected) << ToUtf8(c.key);
  }
}

TEST(IniFileReading, CutsLongValues) {
  TempFolder folder;
  const std::string longValue(3000, 'x');
  TIniFile ini(folder.Write("a.ini", "[S]\nLong=" + longValue + "\n"));
  EXPECT_EQ(ini.ReadString(u"S", u"Long", u"").size(), TIniFile::kMaxValueLength);
}

TEST(IniFileReading, ReadsIntegersAndBooleans) {
  TempFolder folder;
  TIniFile ini(folder.Write("a.ini",
                            "[N]\nDec=42\nNeg=-7\nPlus=+3\nHex=0x1F\nHexCaps=0XfF\nHexAll=0xFFFFFFFF\n"
                            "HexLong=0x123456789\nBare0x=0x\nWord=abc\nTrail=12abc\nBig=2147483648\n"
                            "Min=-2147483648\nEmpty=\nOne=1\nZero=0\nTwo=2\n"));
  struct Case {
    std::u16string key;
    int32_t expected;
  };
  const Case cases[] = {
      {u"Dec", 42},     {u"Neg", -7},     {u"Plus", 3},        {u"Hex", 31},      {u"HexCaps", 255},
      {u"HexAll", -1},  {u"HexLong", -5}, {u"Bare0x", -5},     {u"Word", -5},     {u"Trail", -5},
      {u"Big", -5},     {u"Min", INT32_MIN}, {u"Empty", -5},   {u"Absent", -5},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ini.ReadInteger(u"N", c.key, -5), c.expected) << ToUtf8(c.key);
  }
  EXPECT_TRUE(ini.ReadBool(u"N", u"One", false));
  EXPECT_TRUE(ini.ReadBool(u"N", u"Two", false));
  EXPECT_FALSE(ini.ReadBool(u"N", u"Zero", true));
  EXPECT_TRUE(ini.ReadBool(u"N", u"Absent", true));
  EXPECT_FALSE(ini.ReadBool(u"N", u"Word", false));
}

TEST(IniFileReading, ReadsCodePage932) {
  TIniFile ini(FixturePath("game-cp932.ini"));
  EXPECT_EQ(ini.ReadString(u"System", u"Name", u""), u"\u30C6\u30B9\u30C8\u30B2\u30FC\u30E0");
  EXPECT_EQ(ini.ReadString(u"System", u"UniqueKey", u""), u"No");
  EXPECT_EQ(ini.ReadString(u"System", u"TextKey", u""), u"Text,Flavor");
  EXPECT_EQ(ini.ReadInteger(u"System", u"Version", 0), 16);
  EXPECT_EQ(ini.ReadString(u"Param01", u"Key", u""), u"Name");
  EXPECT_EQ(ini.ReadString(u"CardData0002", u"Text", u""), u"\u30AB\u30FC\u30C9\u3092\uFF11\u679A\u5F15\u304F\u3002");
}

TEST(IniFileReading, ReadsUtf16WithByteOrderMark) {
  TIniFile ini(FixturePath("settings-utf16.ini"));
  EXPECT_EQ(ini.ReadInteger(u"Window", u"Top", 0), 20);
  EXPECT_EQ(ini.ReadString(u"Font", u"Name", u""), u"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF");
  EXPECT_EQ(ini.ReadString(u"plugin", u"name", u""), u"\u30C6\u30B9\u30C8\u30B2\u30FC\u30E0");
}

TEST(IniFileReading, SurvivesBrokenFiles) {
  TempFolder folder;
  EXPECT_EQ(TIniFile(folder.Path("missing.ini")).ReadString(u"S", u"K", u"dflt"), u"dflt");
  EXPECT_EQ(TIniFile(folder.Path("")).ReadInteger(u"S", u"K", 9), 9);  // a folder
  // NUL bytes, invalid code page 932 bytes, and a UTF-16 file with an odd byte.
  TIniFile nul(folder.Write("nul.ini", std::string("[S]\nK=a\0b\nL=\x81\n\x80=x\n", 18)));
  EXPECT_EQ(nul.ReadString(u"S", u"K", u""), std::u16string(u"a\0b", 3));
  EXPECT_EQ(nul.ReadString(u"S", u"L", u""), u"\uFFFD");
  TIniFile odd(folder.Write("odd.ini", std::string("\xFF\xFE[\0S\0]\0\n\0K\0=\0v\0\n", 17)));
  EXPECT_EQ(odd.ReadString(u"S", u"K", u""), u"v");
}

TEST(IniFileWriting, ChangesOnlyTheLineOfItsKey) {
  TempFolder folder;
  const std::string original = FixtureBytes("game-cp932.ini");
  const std::u16string path = folder.Write("game.ini", original);
  TIniFile ini(path);
  ini.WriteInteger(u"param01", u"width", 250);

  std::string expected = original;
  const std::string oldLine = "Width=180\r\n";
  expected.replace(expected.find(oldLine), oldLine.size(), "width=250\r\n");
  EXPECT_EQ(folder.Read("game.ini"), expected);
  EXPECT_EQ(ini.ReadInteger(u"Param01", u"Width", 0), 250);  // visible at once
  EXPECT_EQ(TIniFile(path).ReadInteger(u"Param01", u"Width", 0), 250);
}

TEST(IniFileWriting, AddsKeysSectionsAndFiles) {
  TempFolder folder;
  const std::u16string path = folder.Write("a.ini", "[A]\nX=1\n\n[B]\nY=2");
  TIniFile ini(path);
  ini.WriteString(u"A", u"New", u"\u540D\u524D");   // after the last key, before the blank line
  ini.WriteBool(u"B", u"Flag", false);              // the last line had no line end
  ini.WriteString(u"C", u"Z", u"3");
  EXPECT_EQ(folder.Read("a.ini"), "[A]\nX=1\nNew=\x96\xBC\x91\x4F\n\n[B]\nY=2\nFlag=0\n[C]\nZ=3\n");

  TIniFile fresh(folder.Path("fresh.ini"));
  fresh.WriteString(u"Plugin", u"Name", u"G");
  EXPECT_EQ(folder.Read("fresh.ini"), "[Plugin]\r\nName=G\r\n");
  EXPECT_EQ(TIniFile(folder.Path("fresh.ini")).ReadString(u"Plugin", u"Name", u""), u"G");
}

TEST(IniFileWriting, KeepsUtf16AndItsBytes) {
  TempFolder folder;
  const std::string original = FixtureBytes("settings-utf16.ini");
  const std::u16string path = folder.Write("s.ini", original);
  TIniFile(path).WriteInteger(u"Window", u"Top", 7);
  std::string expected = original;
  const std::string oldLine("T\0o\0p\0=\0" "2\0" "0\0", 12);
  expected.replace(expected.find(oldLine), oldLine.size(), std::string("T\0o\0p\0=\0" "7\0", 10));
  EXPECT_EQ(folder.Read("s.ini"), expected);
  TIniFile(path).WriteString(u"Font", u"Color", u"\u8D64");
  EXPECT_EQ(TIniFile(path).ReadString(u"Font", u"Color", u""), u"\u8D64");
  EXPECT_EQ(TIniFile(path).ReadString(u"Plugin", u"Name", u""), u"\u30C6\u30B9\u30C8\u30B2\u30FC\u30E0");
}

TEST(IniFileWriting, WidensToUtf16OnlyWhenAskedAndNeeded) {
  TempFolder folder;
  const std::string original = "[A]\r\nX=\x96\xBC\r\n";  // X=名
  const auto utf16 = [](std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    return bytes;
  };
  struct Case {
    TIniFile::Encoding encoding;
    std::u16string value;
    std::string bytes;
  };
  const Case cases[] = {
      {TIniFile::Encoding::kKeep, u"Game\uD55C\u20AC", original + "Y=Game??\r\n"},
      {TIniFile::Encoding::kWidenWhenNeeded, u"\u30B2\u30FC\u30E0", original + "Y=\x83\x51\x81\x5B\x83\x80\r\n"},
      {TIniFile::Encoding::kWidenWhenNeeded, u"Game\uD55C\u20AC", utf16(u"[A]\r\nX=\u540D\r\nY=Game\uD55C\u20AC\r\n")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.value));
    const std::u16string path = folder.Write("a.ini", original);
    TIniFile ini(path, c.encoding);
    ini.WriteString(u"A", u"Y", c.value);
    EXPECT_EQ(folder.Read("a.ini"), c.bytes);
    EXPECT_EQ(ini.ReadString(u"A", u"X", u""), u"\u540D");
    EXPECT_EQ(TIniFile(path).ReadString(u"A", u"X", u""), u"\u540D");
  }
  EXPECT_EQ(TIniFile(folder.Path("a.ini")).ReadString(u"A", u"Y", u""), u"Game\uD55C\u20AC");
}

TEST(IniFileWriting, ValuesCannotStartNewLines) {
  TempFolder folder;
  TIniFile ini(folder.Write("a.ini", "[S]\n"));
  ini.WriteString(u"S", u"K", u"a\r\n[T]\nX=1");
  EXPECT_EQ(TIniFile(folder.Path("a.ini")).ReadString(u"T", u"X", u"none"), u"none");
}

TEST(IniFileWriting, AFailedWriteThrowsAndKeepsTheFile) {
  TempFolder folder;
  const std::u16string path = folder.Write("ro/game.ini", "[S]\r\nK=old\r\n");
  chmod(folder.NativePath("ro").c_str(), 0555);
  HonourFilePermissions honour;
  TIniFile ini(path);
  try {
    ini.WriteString(u"S", u"K", u"new");
    FAIL() << "the write should fail";
  } catch (const EIniFileException& error) {
    EXPECT_EQ(error.Message(), path + u" に書き込めません");
    EXPECT_EQ(error.FileName(), path);
  }
  EXPECT_EQ(folder.Read("ro/game.ini"), "[S]\r\nK=old\r\n");
  EXPECT_EQ(ini.ReadString(u"S", u"K", u""), u"old");
}
