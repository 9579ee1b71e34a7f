// The settings file and the settings dialog with its font chooser.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QFontDialog>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <string>

#include "QtPrint.h"
#include "TestFiles.h"
#include "gamedef/IniFile.h"
#include "ui/ConfigDialog.h"
#include "ui/FontChooser.h"
#include "ui/Settings.h"

void PrintTo(const TFontSetting& setting, std::ostream* out) {
  *out << setting.font.toString().toStdString() << " colour " << setting.color;
}

namespace {

// Reads the file from an empty start, so that every value is the file's or the default.
TWindowSettings ReadFile(const TempFolder& folder, std::string_view text) {
  return ReadSettings(folder.Write("Velqorandis.ini", text), TWindowSettings{});
}

QFont MakeFont(const char* family, int size, bool bold, bool italic, bool underline, bool strikeOut) {
  QFont font(QString::fromLatin1(family), size);
  font.setBold(bold);
  font.setItalic(italic);
  font.setUnderline(underline);
  font.setStrikeOut(strikeOut);
  return font;
}

// The font with the name of its style in the DejaVu families, as a user picks
// it in the chooser's style list.
QFont WithStyleName(QFont font) {
  const bool serif = font.family().contains(QLatin1String("Serif"));
  const QString slant = serif ? QStringLiteral("Italic") : QStringLiteral("Oblique");
  if (font.bold()) {
    font.setStyleName(font.italic() ? QStringLiteral("Bold ") + slant : QStringLiteral("Bold"));
  } else {
    font.setStyleName(font.italic() ? slant : QStringLiteral("Book"));
  }
  return font;
}

// Runs the action on the modal dialog that is about to open, once it runs.
void OnNextModal(std::function<void(QDialog*)> action) {
  QTimer::singleShot(0, qApp, [action] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    action(dialog);
  });
}

QPushButton* ButtonWithText(QWidget* parent, const QString& text) {
  for (QPushButton* button : parent->findChildren<QPushButton*>()) {
    if (button->text() == text) return button;
  }
  return nullptr;
}

}  // namespace

TEST(SettingsFile, WithoutFileEverythingIsDefault) {
  TempFolder folder;
  const TWindowSettings s = ReadSettings(folder.Path("Velqorandis.ini"), TWindowSettings{});
  EXPECT_EQ(s.left, 0);
  EXPECT_EQ(s.top, 0);
  EXPECT_EQ(s.width, 800);
  EXPECT_EQ(s.height, 600);
  EXPECT_EQ(s.horizon, 200);
  EXPECT_EQ(s.vertical, 300);
  EXPECT_TRUE(s.cardListDoubleBuffered);
  EXPECT_EQ(s.tcgName, u"");
  EXPECT_TRUE(s.noSaveCheck);
  EXPECT_FALSE(s.cardListOwnerDraw);
  EXPECT_FALSE(s.deckListOwnerDraw);
  EXPECT_FALSE(s.showImage);
  for (const TFontSetting* font : {&s.cardList, &s.deckList, &s.cardText}) {
    EXPECT_EQ(font->font.family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(font->font.pointSize(), 8);
    EXPECT_FALSE(font->font.bold() || font->font.italic() || font->font.underline() || font->font.strikeOut());
    EXPECT_EQ(font->color, -16777208);
  }
}

TEST(SettingsFile, RoundTripKeepsEveryValue) {
  TempFolder folder;
  TWindowSettings written;
  written.left = -20;
  written.top = 35;
  written.width = 1024;
  written.height = 0;
  written.horizon = 150;
  written.vertical = 420;
  written.cardListDoubleBuffered = false;
  written.tcgName = u"ヴァンガード・テスト";
  written.noSaveCheck = false;
  written.cardListOwnerDraw = true;
  written.deckListOwnerDraw = true;
  written.showImage = true;
  written.cardList = {MakeFont("DejaVu Sans", 12, true, true, false, false), 0x00336699};
  written.deckList = {MakeFont("DejaVu Serif", 9, false, false, true, true), -16777208};
  written.cardText = {MakeFont("IPAGothic", 30, true, false, true, false), 0};
  const std::u16string path = folder.Path("Velqorandis.ini");
  WriteSettings(path, written);
  EXPECT_EQ(ReadSettings(path, TWindowSettings{}), written);
}

TEST(SettingsFile, WritesEveryKeyInOrderWithItsSpelling) {
  TempFolder folder;
  TWindowSettings settings;
  settings.tcgName = u"テスト";
  settings.cardText.font.setBold(true);
  settings.cardText.font.setStrikeOut(true);
  settings.cardText.color = 255;
  WriteSettings(folder.Path("Velqorandis.ini"), settings);

  std::string text = folder.Read("Velqorandis.ini");
  std::erase(text, '\r');
  const std::string font = "Font=Tahoma\nSize=8\nColor=-16777208\nBold=0\nItalic=0\nUnderline=0\nStrileOut=0\n";
  EXPECT_EQ(text,
            "[System]\nLeft=0\nTop=0\nWidth=800\nHeight=600\nHorizon=200\nVertical=300\n"
            "CardListDoubleBuffered=1\nTcgName=\x83\x65\x83\x58\x83\x67\nNoSaveCheck=1\n"
            "CardListOwnerDraw=0\nDeckListOwnerDraw=0\nShowImage=0\n"
            "[CardList]\n" + font + "[DeckList]\n" + font +
            "[CardText]\nFont=Tahoma\nSize=8\nColor=255\nBold=1\nItalic=0\nUnderline=0\nStrileOut=1\n");
}

// The windows' language has a section of its own, which a file gets only
// once the user chooses a language, and then keeps.
TEST(SettingsFile, LanguageHasASectionOfItsOwn) {
  TempFolder folder;
  const std::u16string path = folder.Path("Velqorandis.ini");
  TWindowSettings settings;
  settings.language = TUiLanguage::kEnglish;
  WriteSettings(path, settings);
  EXPECT_TRUE(folder.Read("Velqorandis.ini").ends_with("[Language]\r\nLanguage=en\r\n"));
  EXPECT_EQ(ReadSettings(path, {}).language, TUiLanguage::kEnglish);
  settings.language = TUiLanguage::kAutomatic;
  WriteSettings(path, settings);
  EXPECT_TRUE(folder.Read("Velqorandis.ini").ends_with("[Language]\r\nLanguage=auto\r\n"));
  EXPECT_EQ(ReadSettings(path, {}).language, TUiLanguage::kAutomatic);
  folder.Write("Velqorandis.ini", "[Language]\r\nLanguage=ja\r\n");
  EXPECT_EQ(ReadSettings(path, {}).language, TUiLanguage::kJapanese);
}

TEST(SettingsFile, ANameOutsideCodePage932IsKept) {
  TempFolder folder;
  const std::u16string path = folder.Write("Velqorandis.ini", "[System]\r\nTcgName=Old\r\n");
  TWindowSettings settings;
  settings.tcgName = u"Game\uD55C\uAD6D\u20AC";
  WriteSettings(path, settings);
  EXPECT_EQ(folder.Read("Velqorandis.ini").substr(0, 2), "\xFF\xFE");  // UTF-16LE with its byte-order mark
  EXPECT_EQ(ReadSettings(path, TWindowSettings{}), settings);
}

TEST(SettingsFile, FontStylesAddWhatIsSwitchedOn) {
  struct Case {
    const char* keys;
    bool bold, italic, underline, strikeOut;
  };
  const Case cases[] = {
      {"Bold=1\nItalic=0\n", true, false, false, false},
      {"Italic=1\nUnderline=1\n", false, true, true, false},
      {"StrikeOut=1\n", false, false, false, false},  // not the key that is read
      {"StrileOut=1\n", false, false, false, true},
      {"Bold=2\nItalic=-1\n", true, true, false, false},
      {"Bold=yes\nItalic=\n", false, false, false, false},
  };
  TempFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    const QFont font = ReadFile(folder, std::string("[CardText]\n") + c.keys).cardText.font;
    EXPECT_EQ(font.bold(), c.bold);
    EXPECT_EQ(font.italic(), c.italic);
    EXPECT_EQ(font.underline(), c.underline);
    EXPECT_EQ(font.strikeOut(), c.strikeOut);
  }

  // A style switched off in the file leaves one the font already has.
  TWindowSettings italic;
  italic.cardText.font.setItalic(true);
  EXPECT_TRUE(ReadSettings(folder.Write("Velqorandis.ini", "[CardText]\nItalic=0\n"), italic).cardText.font.italic());
}

TEST(SettingsFile, ColourFromFile) {
  TempFolder folder;
  const TWindowSettings s = ReadFile(folder, "[CardList]\nColor=255\n[DeckList]\nColor=-16777208\n");
  EXPECT_EQ(DecodeColor(s.cardList.color), QColor(255, 0, 0));
  EXPECT_EQ(DecodeColor(s.deckList.color), QPalette().color(QPalette::Text));
  EXPECT_EQ(s.deckList.color, -16777208);
}

TEST(SettingsFile, MalformedValuesKeepDefaults) {
  TempFolder folder;
  const TWindowSettings s = ReadFile(folder,
                                     "[System]\nLeft=abc\nTop=\nWidth=0x\nHeight=99999999999\n"
                                     "CardListDoubleBuffered=on\nNoSaveCheck=\n"
                                     "[CardList]\nSize=big\nColor=red\n"
                                     "[DeckList]\nSize=0\n[CardText]\nSize=-12\n");
  const TWindowSettings defaults;
  EXPECT_EQ(s, defaults);
}

TEST(SettingsFile, AFontSizeBeyondWhatCanBeDrawnIsCut) {
  TempFolder folder;
  EXPECT_EQ(ReadFile(folder, "[CardList]\nSize=2147483647\n").cardList.font.pointSize(), 1638);
  EXPECT_EQ(ReadFile(folder, "[CardList]\nSize=1638\n").cardList.font.pointSize(), 1638);
}

TEST(SettingsFile, FailedWriteThrowsAndKeepsTheOldFile) {
  TempFolder folder;
  const std::string old = "[System]\r\nLeft=5\r\n";
  const std::u16string path = folder.Write("ro/Velqorandis.ini", old);
  std::filesystem::permissions(folder.NativePath("ro"), std::filesystem::perms(0555));
  {
    HonourFilePermissions honour;
    EXPECT_THROW(WriteSettings(path, TWindowSettings{}), EIniFileException);
  }
  EXPECT_EQ(folder.Read("ro/Velqorandis.ini"), old);
}

TEST(SettingsColour, DecodesPlainAndSystemColours) {
  QPalette palette;
  const QPalette::ColorRole roles[] = {QPalette::Text,   QPalette::Base,       QPalette::Highlight,
                                       QPalette::Button, QPalette::ButtonText, QPalette::Window,
                                       QPalette::WindowText, QPalette::HighlightedText};
  for (int i = 0; i < std::ssize(roles); ++i) palette.setColor(roles[i], QColor(i, 100, 200));
  struct Case {
    int32_t encoded;
    QColor expected;
  };
  const Case cases[] = {
      {255, QColor(255, 0, 0)},
      {0x00FF0000, QColor(0, 0, 255)},
      {0x00102030, QColor(0x30, 0x20, 0x10)},
      {-16777208, palette.color(QPalette::Text)},        // window text
      {-16777216 + 5, palette.color(QPalette::Base)},    // window background
      {-16777216 + 13, palette.color(QPalette::Highlight)},
      {-16777216 + 14, palette.color(QPalette::HighlightedText)},
      {-16777216 + 15, palette.color(QPalette::Button)},
      {-16777216 + 18, palette.color(QPalette::ButtonText)},
      {-16777216 + 4, palette.color(QPalette::Window)},  // menu
      {-16777216 + 7, palette.color(QPalette::WindowText)},
      {-16777216 + 200, palette.color(QPalette::Text)},  // no such system colour
      {INT32_MIN, palette.color(QPalette::Text)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.encoded);
    EXPECT_EQ(DecodeColor(c.encoded, palette), c.expected);
  }
  EXPECT_EQ(EncodeColor(QColor(0x30, 0x20, 0x10)), 0x00102030);
}

// The chooser opens on the font's own weight and slant, in every language, so
// that OK without a change gives the same font back.
TEST(FontChooser, StartsFromTheFontsOwnStyle) {
  for (const char* family : {"DejaVu Serif", "DejaVu Sans"}) {
    for (const bool bold : {false, true}) {
      for (const bool italic : {false, true}) {
        SCOPED_TRACE(std::string(family) + (bold ? " bold" : "") + (italic ? " italic" : ""));
        const TFontSetting start{MakeFont(family, 11, bold, italic, false, false), 0x00123456};
        OnNextModal([](QDialog* chooser) { chooser->accept(); });
        const std::optional<TFontSetting> chosen = ChooseFont(nullptr, start);
        ASSERT_TRUE(chosen);
        EXPECT_EQ(*chosen, start);
      }
    }
  }
}

TEST(FontChooser, ReturnsFaceSizeStylesAndColour) {
  const QFont picked = MakeFont("DejaVu Serif", 15, false, true, true, true);
  struct Case {
    TFontSetting start;
    QColor newColour;  // invalid: the colour is left alone
    int32_t expected;
  };
  const Case cases[] = {
      {DesignFont(), QColor(), -16777208},                       // a system colour stays one
      {DesignFont(), QColor(1, 2, 3), 0x00030201},
      {{DesignFont().font, 0x0000FF}, QColor(), 0x0000FF},
  };
  for (const Case& c : cases) {
    OnNextModal([&](QDialog* chooser) {
      chooser->findChild<QFontDialog*>()->setCurrentFont(WithStyleName(picked));
      if (c.newColour.isValid()) {
        OnNextModal([&](QDialog* colours) {
          static_cast<QColorDialog*>(colours)->setCurrentColor(c.newColour);
          colours->accept();
        });
        ButtonWithText(chooser, QStringLiteral("色(&C)..."))->click();
      }
      chooser->accept();
    });
    const std::optional<TFontSetting> chosen = ChooseFont(nullptr, c.start);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->font, picked);
    EXPECT_EQ(chosen->color, c.expected);
  }

  // Escape in the font part cancels the whole chooser.
  OnNextModal([](QDialog* chooser) {
    QTest::keyClick(chooser->findChild<QFontDialog*>(), Qt::Key_Escape);
    EXPECT_FALSE(chooser->isVisible());
    if (chooser->isVisible()) chooser->reject();
  });
  EXPECT_FALSE(ChooseFont(nullptr, DesignFont()));
}

TEST(ConfigDialog, PagesAndTheirFirstChoice) {
  TfmConfig dialog(nullptr);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("設定ダイアログ"));
  auto* pages = dialog.findChild<QTabWidget*>();
  ASSERT_EQ(pages->count(), 3);
  EXPECT_EQ(pages->tabText(0), QStringLiteral("フォント"));
  EXPECT_EQ(pages->tabText(2), QStringLiteral("About"));
  EXPECT_EQ(pages->tabText(pages->currentIndex()), QStringLiteral("その他"));
  EXPECT_EQ(dialog.StatusHelp()->text(), QStringLiteral("マウスを載せた時、簡易ヘルプを表示しない"));
  EXPECT_EQ(dialog.NoSaveCheck()->text(), QStringLiteral("未保存時に確認ダイアログの表示"));
  auto* link = dialog.findChild<QLabel*>(QStringLiteral("LinkLabel1"));
  EXPECT_TRUE(link->text().contains(QString::fromLatin1(TfmConfig::kDistributionPage)));
  EXPECT_TRUE(link->openExternalLinks());
}

TEST(ConfigDialog, ExecuteIsTrueOnlyForOK) {
  struct Case {
    const char* how;
    std::function<void(QDialog*)> close;
    bool expected;
  };
  const Case cases[] = {
      {"OK", [](QDialog* d) { d->findChild<QPushButton*>(QStringLiteral("OKBtn"))->click(); }, true},
      {"Cancel", [](QDialog* d) { d->findChild<QPushButton*>(QStringLiteral("CancelBtn"))->click(); }, false},
      {"Escape", [](QDialog* d) { QTest::keyClick(d, Qt::Key_Escape); }, false},
      {"close box", [](QDialog* d) { d->close(); }, false},
      {"Enter", [](QDialog* d) { QTest::keyClick(d, Qt::Key_Return); }, true},
  };
  TfmConfig dialog(nullptr);
  auto* pages = dialog.findChild<QTabWidget*>();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    OnNextModal(c.close);
    EXPECT_EQ(dialog.Execute(), c.expected);
  }

  // The page shown last is the one shown next time.
  OnNextModal([pages](QDialog* d) {
    pages->setCurrentIndex(2);
    d->reject();
  });
  dialog.Execute();
  OnNextModal([](QDialog* d) { d->reject(); });
  dialog.Execute();
  EXPECT_EQ(pages->currentIndex(), 2);
}

TEST(ConfigDialog, FontButtonsShowTheirFonts) {
  const TFontSetting cardList{MakeFont("DejaVu Sans", 11, true, false, false, false), 0x000000FF};
  const TFontSetting deckList{MakeFont("DejaVu Serif", 14, false, true, false, false), 0x00FF0000};
  const TFontSetting cardText{MakeFont("IPAGothic", 9, false, false, true, true), -16777208};
  TfmConfig dialog(nullptr);
  dialog.SetFonts(cardList, deckList, cardText);
  EXPECT_EQ(dialog.CardListFont(), cardList);
  EXPECT_EQ(dialog.DeckListFont(), deckList);
  EXPECT_EQ(dialog.CardTextFont(), cardText);
  const std::pair<const char16_t*, const TFontSetting*> buttons[] = {
      {u"カードリスト", &cardList}, {u"デッキリスト", &deckList}, {u"カードテキスト", &cardText}};
  for (const auto& [caption, font] : buttons) {
    QPushButton* button = ButtonWithText(&dialog, QString::fromUtf16(caption));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->font(), font->font);
    EXPECT_EQ(button->palette().color(QPalette::ButtonText), DecodeColor(font->color, dialog.palette()));
  }
}

TEST(ConfigDialog, MouseReleaseOnAFontButtonChoosesItsFont) {
  struct Case {
    Qt::MouseButton mouse;
    bool confirm;
  };
  const Case cases[] = {{Qt::LeftButton, true}, {Qt::RightButton, true}, {Qt::MiddleButton, false}};
  TfmConfig dialog(nullptr);
  dialog.show();
  QPushButton* button = ButtonWithText(&dialog, QStringLiteral("デッキリスト"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mouse);
    const TFontSetting start{MakeFont("DejaVu Sans", 10, false, false, false, false), 0x00123456};
    dialog.SetFonts(DesignFont(), start, DesignFont());
    const QFont picked = MakeFont("DejaVu Serif", 16, true, false, false, false);
    QFont startedFrom;
    OnNextModal([&](QDialog* chooser) {
      auto* fonts = chooser->findChild<QFontDialog*>();
      startedFrom = fonts->currentFont();
      fonts->setCurrentFont(WithStyleName(picked));
      c.confirm ? chooser->accept() : chooser->reject();
    });
    QTest::mouseClick(button, c.mouse);
    EXPECT_EQ(startedFrom.family(), start.font.family());
    EXPECT_EQ(startedFrom.pointSize(), start.font.pointSize());
    EXPECT_FALSE(startedFrom.bold());
    EXPECT_FALSE(startedFrom.italic());
    const TFontSetting expected = c.confirm ? TFontSetting{picked, start.color} : start;
    EXPECT_EQ(dialog.DeckListFont(), expected);
    EXPECT_EQ(button->font(), expected.font);
    EXPECT_EQ(dialog.CardListFont(), DesignFont());
  }
}

TEST(ConfigDialog, KeyboardOnAFontButtonOpensNothing) {
  TfmConfig dialog(nullptr);
  dialog.show();
  QPushButton* button = ButtonWithText(&dialog, QStringLiteral("カードリスト"));
  bool opened = false;
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, &dialog, [&opened] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      opened = true;
      modal->close();
    }
  });
  guard.start(0);
  button->setFocus();
  QTest::keyClick(button, Qt::Key_Space);
  EXPECT_FALSE(opened);
  EXPECT_TRUE(dialog.isVisible());
}
