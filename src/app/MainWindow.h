#pragma once
// The main window: the toolbar, the card list, the deck area with its layer
// tabs, the card text box and the status bar; the start, the choice of the game
// definition, and the orderly end.

#include <QMainWindow>
#include <QPoint>
#include <QTimer>
#include <memory>
#include <string>

#include "cards/Markup.h"
#include "gamedef/PluginList.h"
#include "gamedef/ProgramFolders.h"
#include "ui/Settings.h"

class QAction;
class QFileDialog;
class QKeyEvent;
class QMouseEvent;
class QToolBar;
class QLabel;
class QMenu;
class QSplitter;
class QTabBar;
class QTableView;
class QTextEdit;
class TCellDelegate;
class TDeckCommands;
class TStatsPanel;
class TfmConfig;
class TfmPlugin;
class TPluginGUI;

// A missing game definition folder.
class EPathNotFound : public std::runtime_error {
 public:
  EPathNotFound();
};

class TfmMain : public QMainWindow {
  Q_OBJECT
 public:
  // The game definitions and the settings file lie in the folders. With a
  // start deck, the game it names is chosen (when the catalogue lists it)
  // and the deck is loaded; its load error is told as at any load.
  explicit TfmMain(TProgramFolders folders, const std::u16string& startDeck = {});
  ~TfmMain() override;

  // Picks a game definition (asking when forced or when the remembered one is
  // not listed) and loads it into the window.
  bool SelectGameDefinition(bool forceDialog);
  void RefreshCatalogue();
  void SetGameName(const std::u16string& name);
  const std::u16string& GameName() const { return gameName_; }
  // True when work may go on: the deck is saved, or the user agrees to lose it.
  bool ConfirmDiscard();
  void ShowResultCount(int32_t count);
  void ShowChangedMark();
  void StoreColumnWidths();
  void EditSettings();
  // Carries out one command: 0 close, 1 new deck, 2 open, 3 save, 4 search,
  // 5 settings, 6 switch game, 7 copy to the clipboard, 8 add the selected
  // card, 9 remove one copy of the selected deck entry, 13 undo, 14 redo,
  // 15 show or hide the statistics, 16 paste a deck list; others do nothing.
  void RunCommand(int command);
  // Shows the deck anew after it changed: the deck list and tabs, the changed
  // mark, undo and redo, the statistics.
  void DeckChanged();
  // The short help of a control in status bar panel 2, cleared after 1500 ms.
  void ShowStatusHelp(int tag);
  static QString StatusHelpText(int tag);
  QTimer* HelpTimer() { return &timer1_; }
  QFileDialog* OpenDialog() const { return openDialog1_; }
  QFileDialog* SaveDialog() const { return saveDialog1_; }

  static constexpr int kAddCard = 8;
  static constexpr int kRemoveCard = 9;
  static constexpr int kImage = 12;
  static constexpr int kUndo = 13;
  static constexpr int kRedo = 14;
  static constexpr int kStats = 15;
  static constexpr int kPaste = 16;

  TPluginGUI& Plugin() const { return *plugin_; }
  QTableView* CardList() const { return lvCardList_; }
  QTableView* DeckList() const { return lvDeckList_; }
  QTabBar* DeckTabs() const { return tabControl1_; }
  QTextEdit* CardText() const { return richEdit1_; }
  QLabel* StatusPanel(int index) const { return statusPanels_[index]; }
  QAction* ToolButton(int command) const;
  QMenu* CardListMenu() const { return popCardList_; }
  QMenu* DeckListMenu() const { return popDeckList_; }
  TfmPlugin* PluginDialog() const { return fmPlugin_; }
  TfmConfig* ConfigDialog() const { return fmConfig_; }
  TDeckCommands& DeckCommands() const { return *deckCommands_; }
  TStatsPanel* StatsPanel() const { return statsPanel_; }
  int32_t SortColumn() const { return sortColumn_; }
  bool SortDescending() const { return sortDescending_; }
  bool ConfirmUnsaved() const { return confirmUnsaved_; }
  bool NoStatusHelp() const { return noStatusHelp_; }

  // The text of the result count: the count right-aligned in five places.
  static QString ResultCountText(int32_t count);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // The property that gives a control its short help number.
  static constexpr char kHintTag[] = "hintTag";

  void BuildToolBar();
  void BuildLists();
  void BuildStatusBar();
  void BuildFileDialogs();
  bool KeyPressed(QObject* watched, QKeyEvent* key);
  void MouseReleased(QObject* watched, QMouseEvent* mouse);
  void PointerOver(QWidget* widget);
  void Connect();
  void LoadSettings();
  void SaveSettings();
  void ApplyFont(QWidget* control, const TFontSetting& font);
  TWindowSettings CurrentSettings() const;
  void ShowLoadedGame();
  void SortByColumn(int32_t column);
  void ApplySortMarks();
  void ChangeDeckTab();
  // The card text box shows the card of the list's selected row; without one
  // it is emptied when it showed that list's card.
  void ShowSelectedText(QTableView* list);
  void ShowStatistics(bool shown);
  void ShowWriteError(const std::exception& error);
  void ChooseGameOfDeck(const std::u16string& deckFile);

  TProgramFolders folders_;
  TRTFtoHtml markup_;
  std::u16string gameName_;
  bool confirmUnsaved_ = true;
  bool noStatusHelp_ = false;
  TUiLanguage language_ = TUiLanguage::kAutomatic;  // as chosen; the windows speak it from the next start
  int32_t sortColumn_ = -1;
  bool sortDescending_ = false;
  TFontSetting fonts_[3];  // card list, deck list, card text
  int32_t horizon_ = 200;
  int32_t vertical_ = 300;
  bool splittersPlaced_ = false;
  bool cardListDoubleBuffered_ = true;  // Qt paints every widget double-buffered; the switch is kept for the file

  QAction* toolButtons_[16] = {};
  QToolBar* toolBar_ = nullptr;
  QFileDialog* openDialog1_ = nullptr;
  QFileDialog* saveDialog1_ = nullptr;
  QTimer timer1_;
  QPoint cardListDownPoint_;
  QPoint deckListDownPoint_;
  QWidget* lastHintControl_ = nullptr;
  bool doubleClickRelease_ = false;  // the next release in a list ends a double click
  QTableView* textSource_ = nullptr;  // the list whose selected row the card text box shows
  QTableView* lvCardList_ = nullptr;
  QTableView* lvDeckList_ = nullptr;
  QTabBar* tabControl1_ = nullptr;
  QTextEdit* richEdit1_ = nullptr;
  QSplitter* splitter1_ = nullptr;  // card list and deck area above, card text box below
  QSplitter* splitter2_ = nullptr;  // card list left, deck area right
  QLabel* statusPanels_[3] = {};
  QMenu* popCardList_ = nullptr;
  QMenu* popDeckList_ = nullptr;
  TCellDelegate* cardDelegate_ = nullptr;
  TCellDelegate* deckDelegate_ = nullptr;
  TStatsPanel* statsPanel_ = nullptr;
  TDeckCommands* deckCommands_ = nullptr;

  TfmConfig* fmConfig_ = nullptr;
  TfmPlugin* fmPlugin_ = nullptr;
  std::unique_ptr<TPluginList> catalogue_;
  std::unique_ptr<TPluginGUI> plugin_;
};
