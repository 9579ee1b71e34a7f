#include "ui/Settings.h"

#include <QString>
#include <algorithm>
#include <string_view>

#include "cards/MarkupLayout.h"
#include "gamedef/IniFile.h"

namespace {

constexpr std::u16string_view kSystem = u"System";
constexpr std::u16string_view kCardList = u"CardList";
constexpr std::u16string_view kDeckList = u"DeckList";
constexpr std::u16string_view kCardText = u"CardText";
// The windows' language, in a section of its own.
constexpr std::u16string_view kLanguage = u"Language";

// The palette colour standing for a classic system colour index.
QColor SystemColor(int index, const QPalette& palette) {
  switch (index) {
    case 2:   // active caption
    case 13:  // highlight
    case 29:  // menu highlight
      return palette.color(QPalette::Highlight);
    case 4:   // menu
    case 30:  // menu bar
      return palette.color(QPalette::Window);
    case 5:  // window background
      return palette.color(QPalette::Base);
    case 7:  // menu text
      return palette.color(QPalette::WindowText);
    case 9:   // caption text
    case 14:  // highlight text
      return palette.color(QPalette::HighlightedText);
    case 15:  // button face
      return palette.color(QPalette::Button);
    case 16:  // button shadow
      return palette.color(QPalette::Dark);
    case 17:  // grey text
      return palette.color(QPalette::Disabled, QPalette::Text);
    case 18:  // button text
      return palette.color(QPalette::ButtonText);
    case 20:  // button highlight
      return palette.color(QPalette::Light);
    case 21:  // 3D dark shadow
      return palette.color(QPalette::Shadow);
    case 22:  // 3D light
      return palette.color(QPalette::Midlight);
    case 23:  // tooltip text
      return palette.color(QPalette::ToolTipText);
    case 24:  // tooltip background
      return palette.color(QPalette::ToolTipBase);
    case 26:  // hot-tracked item
      return palette.color(QPalette::Link);
    default:  // window text (8) and every index without a counterpart
      return palette.color(QPalette::Text);
  }
}

void ReadFontSection(TIniFile& file, std::u16string_view section, TFontSetting& setting) {
  QFont& font = setting.font;
  font.setFamily(QString::fromStdU16String(file.ReadString(section, u"Font", font.family().toStdU16String())));
  // A font has no size of zero or below; such a value keeps the current size.
  // A size beyond what can be drawn is cut to the largest that can.
  const int32_t size = file.ReadInteger(section, u"Size", font.pointSize());
  if (size > 0) font.setPointSize(std::min(size, kMaxFontPoints));
  setting.color = file.ReadInteger(section, u"Color", setting.color);
  if (file.ReadBool(section, u"Bold", false)) font.setBold(true);
  if (file.ReadBool(section, u"Italic", false)) font.setItalic(true);
  if (file.ReadBool(section, u"Underline", false)) font.setUnderline(true);
  if (file.ReadBool(section, u"StrileOut", false)) font.setStrikeOut(true);
}

std::u16string Flag(bool on) { return on ? u"1" : u"0"; }

void WriteFontSection(TIniFile& file, std::u16string_view section, const TFontSetting& setting) {
  const QFont& font = setting.font;
  file.WriteStrings(section, {{u"Font", font.family().toStdU16String()},
                              {u"Size", IntToText(font.pointSize())},
                              {u"Color", IntToText(setting.color)},
                              {u"Bold", Flag(font.bold())},
                              {u"Italic", Flag(font.italic())},
                              {u"Underline", Flag(font.underline())},
                              {u"StrileOut", Flag(font.strikeOut())}});
}

}  // namespace

TFontSetting DesignFont() { return {QFont(QStringLiteral("Tahoma"), 8), TFontSetting::kWindowText}; }

TWindowSettings ReadSettings(const std::u16string& path, const TWindowSettings& defaults) {
  TIniFile file(path);
  TWindowSettings s = defaults;
  s.left = file.ReadInteger(kSystem, u"Left", s.left);
  s.top = file.ReadInteger(kSystem, u"Top", s.top);
  s.width = file.ReadInteger(kSystem, u"Width", s.width);
  s.height = file.ReadInteger(kSystem, u"Height", s.height);
  s.horizon = file.ReadInteger(kSystem, u"Horizon", s.horizon);
  s.vertical = file.ReadInteger(kSystem, u"Vertical", s.vertical);
  s.cardListDoubleBuffered = file.ReadBool(kSystem, u"CardListDoubleBuffered", s.cardListDoubleBuffered);
  s.tcgName = file.ReadString(kSystem, u"TcgName", s.tcgName);
  s.noSaveCheck = file.ReadBool(kSystem, u"NoSaveCheck", s.noSaveCheck);
  s.cardListOwnerDraw = file.ReadBool(kSystem, u"CardListOwnerDraw", s.cardListOwnerDraw);
  s.deckListOwnerDraw = file.ReadBool(kSystem, u"DeckListOwnerDraw", s.deckListOwnerDraw);
  s.showImage = file.ReadBool(kSystem, u"ShowImage", s.showImage);
  ReadFontSection(file, kCardList, s.cardList);
  ReadFontSection(file, kDeckList, s.deckList);
  ReadFontSection(file, kCardText, s.cardText);
  s.language = ReadUiLanguage(file.ReadString(kLanguage, kLanguage, UiLanguageText(s.language)));
  return s;
}

void WriteSettings(const std::u16string& path, const TWindowSettings& s) {
  // A game name or font face that code page 932 cannot hold is not lost as "?".
  TIniFile file(path, TIniFile::Encoding::kWidenWhenNeeded);
  file.WriteStrings(kSystem, {{u"Left", IntToText(s.left)},
                              {u"Top", IntToText(s.top)},
                              {u"Width", IntToText(s.width)},
                              {u"Height", IntToText(s.height)},
                              {u"Horizon", IntToText(s.horizon)},
                              {u"Vertical", IntToText(s.vertical)},
                              {u"CardListDoubleBuffered", Flag(s.cardListDoubleBuffered)},
                              {u"TcgName", s.tcgName},
                              {u"NoSaveCheck", Flag(s.noSaveCheck)},
                              {u"CardListOwnerDraw", Flag(s.cardListOwnerDraw)},
                              {u"DeckListOwnerDraw", Flag(s.deckListOwnerDraw)},
                              {u"ShowImage", Flag(s.showImage)}});
  WriteFontSection(file, kCardList, s.cardList);
  WriteFontSection(file, kDeckList, s.deckList);
  WriteFontSection(file, kCardText, s.cardText);
  // A file whose user never chose a language stays as it always was.
  if (s.language != TUiLanguage::kAutomatic || file.ValueExists(kLanguage, kLanguage)) {
    file.WriteString(kLanguage, kLanguage, UiLanguageText(s.language));
  }
}

QColor DecodeColor(int32_t color, const QPalette& palette) {
  // A negative value is a system colour; its index is the low byte.
  if (color < 0) return SystemColor(color & 0xFF, palette);
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

int32_t EncodeColor(const QColor& color) { return color.red() | color.green() << 8 | color.blue() << 16; }
