// The main window's settings: read at the start, written at the end, and
// changed in the settings dialog; the window's placement on the screens.
#include <QAction>
#include <QCheckBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QSplitter>
#include <QTableView>
#include <QTextEdit>

#include "app/DeckCommands.h"
#include "app/MainWindow.h"
#include "common/WindowPlacement.h"
#include "gamedef/IniFile.h"
#include "ui/CellDelegate.h"
#include "ui/ConfigDialog.h"

namespace {

// The available areas of the screens, the primary screen first.
std::vector<TBounds> AvailableScreens() {
  std::vector<TBounds> screens;
  QScreen* primary = QGuiApplication::primaryScreen();
  for (QScreen* screen : QGuiApplication::screens()) {
    const QRect area = screen->availableGeometry();
    screens.insert(screen == primary ? screens.begin() : screens.end(), {area.x(), area.y(), area.width(), area.height()});
  }
  return screens;
}

}  // namespace

void TfmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (splittersPlaced_) return;
  splittersPlaced_ = true;
  // The card text panel's height and the deck area's width, as the settings hold them.
  const auto [lists, cardText] = SplitterParts(splitter1_->height(), horizon_);
  splitter1_->setSizes({lists, cardText});
  const auto [cardList, deckArea] = SplitterParts(splitter2_->width(), vertical_);
  splitter2_->setSizes({cardList, deckArea});
}

void TfmMain::ApplyFont(QWidget* control, const TFontSetting& font) {
  control->setFont(font.font);
  QPalette palette = control->palette();
  palette.setColor(QPalette::Text, DecodeColor(font.color, palette));
  control->setPalette(palette);
  if (auto* list = qobject_cast<QTableView*>(control)) {
    list->verticalHeader()->setDefaultSectionSize(QFontMetrics(font.font).height() + 4);
  }
}

void TfmMain::LoadSettings() {
  TWindowSettings defaults;
  defaults.cardList = fonts_[0];
  defaults.deckList = fonts_[1];
  defaults.cardText = fonts_[2];
  const TWindowSettings settings = ReadSettings(folders_.settings, defaults);
  // Bounds from another desktop or a damaged file must not put the window out of reach.
  const TBounds placed = PlaceWindow({settings.left, settings.top, settings.width, settings.height}, AvailableScreens());
  move(placed.left, placed.top);
  resize(placed.width, placed.height);
  horizon_ = settings.horizon;
  vertical_ = settings.vertical;
  splittersPlaced_ = false;
  SetGameName(settings.tcgName);
  confirmUnsaved_ = settings.noSaveCheck;
  cardDelegate_->SetOwnerDraw(settings.cardListOwnerDraw);
  deckDelegate_->SetOwnerDraw(settings.deckListOwnerDraw);
  toolButtons_[kImage]->setChecked(settings.showImage);
  deckCommands_->ReadRecent(folders_.settings);
  fonts_[0] = settings.cardList;
  fonts_[1] = settings.deckList;
  fonts_[2] = settings.cardText;
  ApplyFont(lvCardList_, fonts_[0]);
  ApplyFont(lvDeckList_, fonts_[1]);
  ApplyFont(richEdit1_, fonts_[2]);
  cardListDoubleBuffered_ = settings.cardListDoubleBuffered;
  language_ = settings.language;
}

TWindowSettings TfmMain::CurrentSettings() const {
  TWindowSettings settings;
  settings.left = pos().x();
  settings.top = pos().y();
  settings.width = width();
  settings.height = height();
  settings.horizon = splittersPlaced_ ? splitter1_->sizes().value(1) : horizon_;
  settings.vertical = splittersPlaced_ ? splitter2_->sizes().value(1) : vertical_;
  settings.cardListDoubleBuffered = cardListDoubleBuffered_;
  settings.tcgName = gameName_;
  settings.noSaveCheck = confirmUnsaved_;
  settings.cardListOwnerDraw = cardDelegate_->OwnerDraw();
  settings.deckListOwnerDraw = deckDelegate_->OwnerDraw();
  settings.showImage = toolButtons_[kImage]->isChecked();
  settings.cardList = fonts_[0];
  settings.deckList = fonts_[1];
  settings.cardText = fonts_[2];
  settings.language = language_;
  return settings;
}

void TfmMain::SaveSettings() {
  try {
    WriteSettings(folders_.settings, CurrentSettings());
    deckCommands_->WriteRecent(folders_.settings);
  } catch (const EIniFileException& error) {
    ShowWriteError(error);
  }
}

void TfmMain::EditSettings() {
  fmConfig_->SetFonts(fonts_[0], fonts_[1], fonts_[2]);
  fmConfig_->NoSaveCheck()->setChecked(confirmUnsaved_);
  fmConfig_->StatusHelp()->setChecked(noStatusHelp_);
  fmConfig_->SetLanguage(language_);
  if (!fmConfig_->Execute()) return;
  fonts_[0] = fmConfig_->CardListFont();
  fonts_[1] = fmConfig_->DeckListFont();
  fonts_[2] = fmConfig_->CardTextFont();
  ApplyFont(lvCardList_, fonts_[0]);
  ApplyFont(lvDeckList_, fonts_[1]);
  ApplyFont(richEdit1_, fonts_[2]);
  confirmUnsaved_ = fmConfig_->NoSaveCheck()->isChecked();
  noStatusHelp_ = fmConfig_->StatusHelp()->isChecked();
  language_ = fmConfig_->Language();
}
