#pragma once
// The list binder: the loaded game definition bound to the main window's card
// list, deck list, deck tabs, column menus and card text box.

#include <memory>
#include <string>
#include <string_view>

#include "gamedef/Plugin.h"

class QHeaderView;
class QMenu;
class QTabBar;
class QTableView;
class QTextEdit;
class QPoint;
class TListModel;
class TRTFtoHtml;
class TfmCardImage;
class TfmSearch;

class TPluginGUI : public TPlugin {
 public:
  TPluginGUI(std::u16string pluginFolder, TRTFtoHtml& markup);
  ~TPluginGUI() override;

  TListModel* CardModel() const { return cardModel_.get(); }
  TListModel* DeckModel() const { return deckModel_.get(); }

  TfmSearch& SearchDialog() const { return *search_; }
  TfmCardImage& CardImage() const { return *cardImage_; }

  // Load, then the image window takes the archives and the search dialog's
  // panels are rebuilt, whether or not the load succeeded.
  bool LoadGameDefinition(const std::u16string& fileName);
  void CloseGameDefinition();
  // Runs the search dialog; when it is confirmed, the card list result is
  // refilled with the cards that meet its criteria. Always true.
  bool ApplySearch();

  // Pops the picture of a card up near the screen point: the card of a card
  // list row (layer -1) or of a deck entry of that layer.
  void PopupCardImage(int32_t layer, int32_t row, const QPoint& at);
  void HideCardImage();

  // The columns and the column menu of each list; the list and menu are kept.
  void BuildCardColumns(QTableView* list, QMenu* menu);
  void BuildDeckColumns(QTableView* list, QMenu* menu);
  // The lists' column widths into the sections, then the sections into the
  // game definition file. A failed write throws EIniFileException.
  void StoreCardColumnWidths();
  void StoreDeckColumnWidths();

  void RefreshCardList(QTableView* list);
  void RefreshDeckList(QTabBar* tabs, QTableView* list);
  void FillDeckTabs(QTabBar* tabs);
  // Switches the deck list to the current tab's layer and its remembered row.
  void ShowDeckLayer(QTabBar* tabs, QTableView* list);
  // Remembers the deck list's row in the layer whose tab is being left.
  void LeaveDeckLayer(QTableView* list);
  // Both lists without rows and columns, the deck area without tabs.
  void EmptyLists(QTabBar* tabs);
  int32_t CurrentLayer() const { return currentLayer_; }

  std::u16string CardCellText(int32_t row, int32_t column) const;
  std::u16string DeckCellText(int32_t layer, int32_t row, int32_t column) const;
  void ShowCardText(int32_t row, QTextEdit* box);
  void ShowDeckEntryText(int32_t layer, int32_t row, QTextEdit* box);
  // Selects the card of the deck entry in the card list, when the current
  // search has it; nothing happens otherwise.
  void LocateInCardList(int32_t layer, int32_t deckRow, QTableView* cardList);

  // The selected row of a list, or -1; selecting -1 clears the selection.
  static int32_t SelectedRow(const QTableView* list);
  static void SelectRow(QTableView* list, int32_t row);

 protected:
  void ReportDeckLoadError(std::u16string_view message) override;

 private:
  void FillColumns(QTableView* list, TListModel* model, const TSectionList& sections, bool withCountColumn);
  void FillMenu(QMenu* menu, const TSectionList& sections, bool cardList);
  void ToggleColumn(bool cardList, int32_t section);
  void StoreWidths(const QTableView* list, TSectionList& sections, int32_t firstColumn, const std::u16string& format);

  TRTFtoHtml& markup_;
  std::unique_ptr<TfmSearch> search_;
  std::unique_ptr<TfmCardImage> cardImage_;
  std::unique_ptr<TListModel> cardModel_;
  std::unique_ptr<TListModel> deckModel_;
  QTableView* cardList_ = nullptr;
  QMenu* cardMenu_ = nullptr;
  QTableView* deckList_ = nullptr;
  QMenu* deckMenu_ = nullptr;
  int32_t currentLayer_ = 0;
};
