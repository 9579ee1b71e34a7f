#include "ui/PluginGUI.h"

#include <QAction>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMessageBox>
#include <QPoint>
#include <QTabBar>
#include <QTableView>
#include <QTextEdit>
#include <algorithm>

#include "cards/Markup.h"
#include "common/Text.h"
#include "gamedef/IniFile.h"
#include "ui/CardImage.h"
#include "ui/ListModel.h"
#include "ui/SearchDialog.h"
#include "ui/MarkupRender.h"
#include "ui/ModelTexts.h"

namespace {

constexpr int kCountColumnWidth = 30;
// A width from the game definition is drawn within these bounds, so that the
// widths of all columns together stay far from the integer limits.
constexpr int kMaxColumnWidth = 10000;

std::u16string JoinedValues(const TCardItem* card, const TSectionItem* section) {
  std::u16string text;
  if (card == nullptr || section == nullptr) return text;
  for (const std::u16string& key : section->Keys()) text += card->Value(key);
  return text;
}

}  // namespace

TPluginGUI::TPluginGUI(std::u16string pluginFolder, TRTFtoHtml& markup)
    : TPlugin(std::move(pluginFolder)),
      markup_(markup),
      search_(std::make_unique<TfmSearch>()),
      cardImage_(std::make_unique<TfmCardImage>()) {
  cardModel_ = std::make_unique<TListModel>(
      TListModel::Source{
          [this] { return CardSections().VisibleCount(); },
          [this](int column) { return CardSections().VisibleItem(column)->Name(); },
          [this](int row, int column) { return CardCellText(row, column); },
      },
      nullptr);
  deckModel_ = std::make_unique<TListModel>(
      TListModel::Source{
          [this] { return Name().empty() ? 0 : 1 + DeckSections().VisibleCount(); },
          [this](int column) { return column == 0 ? std::u16string() : DeckSections().VisibleItem(column - 1)->Name(); },
          [this](int row, int column) { return DeckCellText(currentLayer_, row, column); },
      },
      nullptr);
}

TPluginGUI::~TPluginGUI() = default;

bool TPluginGUI::LoadGameDefinition(const std::u16string& fileName) {
  // The choice boxes read the parameters' values in place: they go before the values do.
  search_->ClearItems();
  const bool loaded = Load(fileName);
  cardImage_->SetArchives(ImageArchives());
  search_->Rebuild(Params(), Criteria());
  return loaded;
}

void TPluginGUI::CloseGameDefinition() {
  search_->ClearItems();
  Criteria().Clear();
  Clear();
}

bool TPluginGUI::ApplySearch() {
  if (search_->Execute()) TPlugin::ApplySearch();
  return true;
}

void TPluginGUI::PopupCardImage(int32_t layer, int32_t row, const QPoint& at) {
  const TCardItem* card = nullptr;
  if (layer < 0) {
    if (row >= 0 && row < ListResult().Count()) card = ListResult().CardAt(row);
  } else if (layer < Deck().LayerCount() && row >= 0 && row < Deck().Layer(layer).EntryCount()) {
    card = Cards().Find(Deck().Layer(layer).Entry(row).Key());
  }
  if (card != nullptr) cardImage_->ShowCardImage(at.x(), at.y(), card->PlainValue(u"Image"), true);
}

void TPluginGUI::HideCardImage() { cardImage_->ShowCardImage(0, 0, std::u16string(), false); }

void TPluginGUI::FillColumns(QTableView* list, TListModel* model, const TSectionList& sections, bool withCountColumn) {
  model->Reset(model->Rows());
  QHeaderView* header = list->horizontalHeader();
  int column = 0;
  if (withCountColumn) header->resizeSection(column++, kCountColumnWidth);
  for (int32_t i = 0; i < sections.VisibleCount(); ++i) {
    header->resizeSection(column++, std::clamp(sections.VisibleItem(i)->Width(), 0, kMaxColumnWidth));
  }
}

void TPluginGUI::FillMenu(QMenu* menu, const TSectionList& sections, bool cardList) {
  menu->clear();
  for (int32_t i = 0; i < sections.Count(); ++i) {
    QAction* action = menu->addAction(QString::fromStdU16String(sections.Item(i)->Name()));
    action->setCheckable(true);
    action->setChecked(sections.Item(i)->Visible());
    action->setData(i);
    QObject::connect(action, &QAction::triggered, menu, [this, cardList, i] { ToggleColumn(cardList, i); });
  }
}

void TPluginGUI::BuildCardColumns(QTableView* list, QMenu* menu) {
  cardList_ = list;
  cardMenu_ = menu;
  FillColumns(list, cardModel_.get(), CardSections(), false);
  FillMenu(menu, CardSections(), true);
}

void TPluginGUI::BuildDeckColumns(QTableView* list, QMenu* menu) {
  deckList_ = list;
  deckMenu_ = menu;
  FillMenu(menu, DeckSections(), false);
  FillColumns(list, deckModel_.get(), DeckSections(), true);
}

void TPluginGUI::ToggleColumn(bool cardList, int32_t section) {
  // The widths reach the file first; a write that fails is told, and the
  // column changes all the same.
  try {
    cardList ? StoreCardColumnWidths() : StoreDeckColumnWidths();
  } catch (const EIniFileException& error) {
    QMessageBox::critical(cardList ? cardList_ : deckList_, QString(), CannotWriteText(error));
  }
  TSectionList& sections = cardList ? CardSections() : DeckSections();
  if (section < 0 || section >= sections.Count()) return;
  sections.Item(section)->SetVisible(!sections.Item(section)->Visible());
  cardList ? BuildCardColumns(cardList_, cardMenu_) : BuildDeckColumns(deckList_, deckMenu_);
}

void TPluginGUI::StoreWidths(const QTableView* list, TSectionList& sections, int32_t firstColumn,
                             const std::u16string& format) {
  if (list == nullptr || FileName().empty()) return;
  const QHeaderView* header = list->horizontalHeader();
  for (int32_t n = 0; n < sections.VisibleCount() && firstColumn + n < header->count(); ++n) {
    sections.VisibleItem(n)->SetWidth(header->sectionSize(firstColumn + n));
  }
  if (sections.Count() > 0) sections.Save(FileName(), format);
}

void TPluginGUI::StoreCardColumnWidths() { StoreWidths(cardList_, CardSections(), 0, CardListFormat()); }

void TPluginGUI::StoreDeckColumnWidths() { StoreWidths(deckList_, DeckSections(), 1, DeckListFormat()); }

int32_t TPluginGUI::SelectedRow(const QTableView* list) {
  const QModelIndexList rows = list->selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.first().row();
}

void TPluginGUI::SelectRow(QTableView* list, int32_t row) {
  if (row < 0 || row >= list->model()->rowCount()) {
    list->clearSelection();
    return;
  }
  list->selectionModel()->setCurrentIndex(list->model()->index(row, 0),
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TPluginGUI::RefreshCardList(QTableView* list) {
  const int32_t selected = SelectedRow(list);
  cardModel_->Reset(ListResult().Count());
  SelectRow(list, std::min(selected, ListResult().Count() - 1));
  list->viewport()->update();
}

void TPluginGUI::FillDeckTabs(QTabBar* tabs) {
  const QSignalBlocker blocker(tabs);
  const int remembered = tabs->currentIndex();
  while (tabs->count() > 0) tabs->removeTab(0);
  for (int32_t i = 0; i < Deck().LayerCount(); ++i) {
    const TDeckLayer& layer = Deck().Layer(i);
    tabs->addTab(QStringLiteral("%1 %2/%3")
                     .arg(QString::fromStdU16String(layer.Name()))
                     .arg(layer.TotalCount())
                     .arg(layer.TotalLimit()));
  }
  tabs->setCurrentIndex(remembered < 0 ? 0 : std::min(remembered, tabs->count() - 1));
  tabs->updateGeometry();  // a hidden tab bar does not tell its layout that it grew
}

void TPluginGUI::RefreshDeckList(QTabBar* tabs, QTableView* list) {
  const int32_t selected = SelectedRow(list);
  FillDeckTabs(tabs);
  currentLayer_ = std::max(0, tabs->currentIndex());
  const int32_t rows = currentLayer_ < Deck().LayerCount() ? Deck().Layer(currentLayer_).EntryCount() : 0;
  deckModel_->Reset(rows);
  SelectRow(list, std::min(selected, rows - 1));
  list->viewport()->update();
}

void TPluginGUI::LeaveDeckLayer(QTableView* list) {
  if (currentLayer_ < Deck().LayerCount()) Deck().Layer(currentLayer_).SetSelectedRow(SelectedRow(list));
}

void TPluginGUI::ShowDeckLayer(QTabBar* tabs, QTableView* list) {
  list->clearSelection();
  RefreshDeckList(tabs, list);
  if (currentLayer_ < Deck().LayerCount()) SelectRow(list, Deck().Layer(currentLayer_).SelectedRow());
  tabs->update();
  list->viewport()->update();
}

void TPluginGUI::EmptyLists(QTabBar* tabs) {
  const QSignalBlocker blocker(tabs);
  while (tabs->count() > 0) tabs->removeTab(0);
  currentLayer_ = 0;
  cardModel_->Reset(0);
  deckModel_->Reset(0);
}

std::u16string TPluginGUI::CardCellText(int32_t row, int32_t column) const {
  if (row < 0 || row >= ListResult().Count()) return {};
  return JoinedValues(ListResult().CardAt(row), CardSections().VisibleItem(column));
}

std::u16string TPluginGUI::DeckCellText(int32_t layer, int32_t row, int32_t column) const {
  if (layer < 0 || layer >= Deck().LayerCount() || row < 0 || row >= Deck().Layer(layer).EntryCount()) return {};
  const TDeckItem& entry = Deck().Layer(layer).Entry(row);
  if (column == 0) return IntToText(entry.Count());
  return JoinedValues(Cards().Find(entry.Key()), DeckSections().VisibleItem(column - 1));
}

void TPluginGUI::ShowCardText(int32_t row, QTextEdit* box) {
  HideCardImage();
  if (row < 0 || row >= ListResult().Count()) return;
  RenderTo(box, CardText(*ListResult().CardAt(row)), markup_);
}

void TPluginGUI::ShowDeckEntryText(int32_t layer, int32_t row, QTextEdit* box) {
  HideCardImage();
  if (layer < 0 || layer >= Deck().LayerCount() || row < 0 || row >= Deck().Layer(layer).EntryCount()) return;
  const TCardItem* card = Cards().Find(Deck().Layer(layer).Entry(row).Key());
  RenderTo(box, card != nullptr ? CardText(*card) : std::u16string(TextKey().size(), u'\n'), markup_);
}

void TPluginGUI::LocateInCardList(int32_t layer, int32_t deckRow, QTableView* cardList) {
  if (layer < 0 || layer >= Deck().LayerCount() || deckRow < 0 || deckRow >= Deck().Layer(layer).EntryCount()) return;
  const std::u16string& key = Deck().Layer(layer).Entry(deckRow).Key();
  for (int32_t row = 0; row < ListResult().Count(); ++row) {
    if (ListResult().CardAt(row)->Value(UniqueKey()) == key) {
      SelectRow(cardList, row);
      cardList->scrollTo(cardList->model()->index(row, 0), QAbstractItemView::EnsureVisible);
      return;
    }
  }
}

void TPluginGUI::ReportDeckLoadError(std::u16string_view message) {
  QMessageBox box(QMessageBox::Critical, ModelText(kDeckLoadErrorTitle), ModelText(message), QMessageBox::Ok);
  box.exec();
}
