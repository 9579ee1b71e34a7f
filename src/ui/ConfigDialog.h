#pragma once
// The settings dialog "設定ダイアログ": the three fonts, two switches (and one
// that does nothing), the windows' language, and the About page.

#include <QDialog>

#include "ui/Settings.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QTabWidget;

class TfmConfig : public QDialog {
  Q_OBJECT
 public:
  explicit TfmConfig(QWidget* owner);

  // Shows the dialog modally; true when it was closed with OK.
  bool Execute();

  // The font buttons show their fonts and keep the chosen ones (with colour).
  void SetFonts(const TFontSetting& cardList, const TFontSetting& deckList, const TFontSetting& cardText);
  const TFontSetting& CardListFont() const { return fonts_[0]; }
  const TFontSetting& DeckListFont() const { return fonts_[1]; }
  const TFontSetting& CardTextFont() const { return fonts_[2]; }

  QCheckBox* NoSaveCheck() const { return cbNoSaveCheck_; }
  QCheckBox* StatusHelp() const { return cbStatusHelp_; }

  // The windows' language as chosen, which applies at the next start.
  void SetLanguage(TUiLanguage language);
  TUiLanguage Language() const;
  QComboBox* LanguageBox() const { return language_; }

  // The web page that the About page links to.
  static constexpr char kDistributionPage[] = "https://github.com/velqorandis/velqorandis";

 private:
  QWidget* FontPage();
  QWidget* OtherPage();
  QWidget* AboutPage();
  void ShowFont(int index);
  void PickFont(int index);

  QTabWidget* pageControl_ = nullptr;
  QPushButton* fontButtons_[3] = {};
  TFontSetting fonts_[3] = {DesignFont(), DesignFont(), DesignFont()};
  QCheckBox* checkBox1_ = nullptr;  // shown only: nothing reads or stores it
  QCheckBox* cbStatusHelp_ = nullptr;
  QCheckBox* cbNoSaveCheck_ = nullptr;
  QComboBox* language_ = nullptr;  // automatic, Japanese, English
  bool confirmed_ = false;  // set by OK only
};
