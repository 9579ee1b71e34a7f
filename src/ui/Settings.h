#pragma once
// The settings file beside the executable, "Velqorandis.ini": the main window's
// placement and splitters, the lists' switches, the confirmation and image
// switches, the game in use, three fonts and the windows' language. Read once
// at start, written once at the end.

#include <QColor>
#include <QFont>
#include <QPalette>
#include <cstdint>
#include <string>

#include "common/UiLanguage.h"

// A font with its colour, as the settings store it.
struct TFontSetting {
  QFont font;
  // The colour in the settings' encoding: 0x00BBGGRR for a plain colour, or
  // 0xFF000000 plus a system colour index (clWindowText = 8 is -16777208).
  // Kept encoded so that a system colour read from the file is written back
  // as a system colour while the user leaves it alone.
  int32_t color = kWindowText;

  static constexpr int32_t kWindowText = -16777208;

  friend bool operator==(const TFontSetting&, const TFontSetting&) = default;
};

// The design font of the main window: Tahoma, 8 points, the window text colour.
TFontSetting DesignFont();

struct TWindowSettings {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 800;
  int32_t height = 600;
  int32_t horizon = 200;   // height of the card text panel
  int32_t vertical = 300;  // width of the deck area
  bool cardListDoubleBuffered = true;
  std::u16string tcgName;
  bool noSaveCheck = true;  // ask before unsaved deck changes are thrown away
  bool cardListOwnerDraw = false;
  bool deckListOwnerDraw = false;
  bool showImage = false;
  TFontSetting cardList = DesignFont();
  TFontSetting deckList = DesignFont();
  TFontSetting cardText = DesignFont();
  TUiLanguage language = TUiLanguage::kAutomatic;  // applies at the next start

  friend bool operator==(const TWindowSettings&, const TWindowSettings&) = default;
};

// Reads the file; every missing or malformed value keeps the one in defaults.
// A font's face, size and colour default to the font in defaults; a style
// switched on in the file is added to it, one switched off leaves it as it is.
TWindowSettings ReadSettings(const std::u16string& path, const TWindowSettings& defaults);
// Writes every key. A failed write throws EIniFileException.
void WriteSettings(const std::u16string& path, const TWindowSettings& settings);

// The colour that an encoded setting stands for; system colours come from the palette.
QColor DecodeColor(int32_t color, const QPalette& palette = QPalette());
// A colour in the settings' encoding (always a plain colour).
int32_t EncodeColor(const QColor& color);
