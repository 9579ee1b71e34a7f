#include "app/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <optional>

#include "app/DeckCommands.h"
#include "app/ToolIcons.h"
#include "gamedef/IniFile.h"
#include "ui/CellDelegate.h"
#include "ui/ConfigDialog.h"
#include "ui/ListModel.h"
#include "ui/PluginDialog.h"
#include "ui/ModelTexts.h"
#include "ui/PluginGUI.h"
#include "ui/StatsPanel.h"

namespace {

const QString kTitle = QStringLiteral("Velqorandis");

// Toolbar buttons in order: command number, caption and tooltip; -1 is a separator.
struct ToolButtonInfo {
  int command;
  const char* caption;
  const char* tip;
};
constexpr ToolButtonInfo kToolButtons[] = {
    {0, QT_TRANSLATE_NOOP("TfmMain", "Close"), QT_TRANSLATE_NOOP("TfmMain", "終了")},
    {-1, nullptr, nullptr},
    {1, QT_TRANSLATE_NOOP("TfmMain", "New"), QT_TRANSLATE_NOOP("TfmMain", "新しいデッキ")},
    {2, QT_TRANSLATE_NOOP("TfmMain", "Open"), QT_TRANSLATE_NOOP("TfmMain", "デッキを開く")},
    {3, QT_TRANSLATE_NOOP("TfmMain", "Save"), QT_TRANSLATE_NOOP("TfmMain", "デッキを保存")},
    {7, QT_TRANSLATE_NOOP("TfmMain", "Clipboard"), QT_TRANSLATE_NOOP("TfmMain", "デッキをクリップボードにコピー")},
    {-1, nullptr, nullptr},
    {4, QT_TRANSLATE_NOOP("TfmMain", "Search"), QT_TRANSLATE_NOOP("TfmMain", "カードを検索")},
    {-1, nullptr, nullptr},
    {6, QT_TRANSLATE_NOOP("TfmMain", "Plugin"), QT_TRANSLATE_NOOP("TfmMain", "プラグイン（ゲーム）の切り替え")},
    {-1, nullptr, nullptr},
    {5, QT_TRANSLATE_NOOP("TfmMain", "Config"), QT_TRANSLATE_NOOP("TfmMain", "設定")},
    {-1, nullptr, nullptr},
    {12, QT_TRANSLATE_NOOP("TfmMain", "Image"), QT_TRANSLATE_NOOP("TfmMain", "クリックでカード画像を表示")},
    {-1, nullptr, nullptr},
    {13, QT_TRANSLATE_NOOP("TfmMain", "Undo"), QT_TRANSLATE_NOOP("TfmMain", "元に戻す")},
    {14, QT_TRANSLATE_NOOP("TfmMain", "Redo"), QT_TRANSLATE_NOOP("TfmMain", "やり直し")},
    {-1, nullptr, nullptr},
    {15, QT_TRANSLATE_NOOP("TfmMain", "Statistics"), QT_TRANSLATE_NOOP("TfmMain", "デッキの統計")},
};

QTableView* MakeList(QWidget* parent, QAbstractItemModel* model, bool headerClickable) {
  auto* list = new QTableView(parent);
  list->setModel(model);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setShowGrid(false);
  list->setWordWrap(false);
  list->setTabKeyNavigation(false);
  list->verticalHeader()->hide();
  list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list->horizontalHeader()->setSectionsClickable(headerClickable);
  list->horizontalHeader()->setHighlightSections(false);
  list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  list->horizontalHeader()->setStretchLastSection(false);
  list->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
  return list;
}

}  // namespace

EPathNotFound::EPathNotFound() : std::runtime_error(ToUtf8(kPathNotFound)) {}

TfmMain::TfmMain(TProgramFolders folders, const std::u16string& startDeck) : folders_(std::move(folders)) {
  resize(681, 451);
  for (TFontSetting& font : fonts_) font = DesignFont();
  BuildToolBar();
  // The objects of the whole run, in their order.
  fmConfig_ = new TfmConfig(this);
  fmPlugin_ = new TfmPlugin(this);
  catalogue_ = std::make_unique<TPluginList>();
  plugin_ = std::make_unique<TPluginGUI>(folders_.plugin, markup_);
  BuildLists();
  BuildStatusBar();
  BuildFileDialogs();
  deckCommands_ = new TDeckCommands(*this);
  // The open button offers the recent decks beside it.
  auto* openButton = qobject_cast<QToolButton*>(toolBar_->widgetForAction(toolButtons_[2]));
  openButton->setMenu(deckCommands_->RecentMenu());
  openButton->setPopupMode(QToolButton::MenuButtonPopup);
  Connect();
  LoadSettings();
  if (!startDeck.empty()) ChooseGameOfDeck(startDeck);
  SelectGameDefinition(false);
  if (!startDeck.empty()) deckCommands_->LoadDeck(startDeck);
}

void TfmMain::ChooseGameOfDeck(const std::u16string& deckFile) {
  const std::optional<std::u16string> game = TPlugin::DeckGameName(deckFile);
  if (!game || !catalogue_->Scan(folders_.plugin)) return;  // the selection tells a missing folder
  if (catalogue_->FindByName(*game) != nullptr) SetGameName(*game);
}

void TfmMain::DeckChanged() {
  plugin_->RefreshDeckList(tabControl1_, lvDeckList_);
  ShowChangedMark();
  toolButtons_[kUndo]->setEnabled(plugin_->History().CanUndo());
  toolButtons_[kRedo]->setEnabled(plugin_->History().CanRedo());
  if (statsPanel_->isVisible()) statsPanel_->Refresh();
}

TfmMain::~TfmMain() {
  StoreColumnWidths();
  plugin_->CloseGameDefinition();
  SaveSettings();
  catalogue_.reset();
  plugin_.reset();
}

void TfmMain::BuildToolBar() {
  QToolBar* bar = addToolBar(QStringLiteral("ToolBar1"));
  toolBar_ = bar;
  bar->setProperty(kHintTag, -1);
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setIconSize(QSize(24, 24));
  bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  bar->setContextMenuPolicy(Qt::PreventContextMenu);
  for (const ToolButtonInfo& info : kToolButtons) {
    if (info.command < 0) {
      bar->addSeparator();
      continue;
    }
    QAction* action = bar->addAction(ToolIcon(info.command), tr(info.caption));
    action->setToolTip(tr(info.tip));
    action->setData(info.command);
    toolButtons_[info.command] = action;
    QWidget* button = bar->widgetForAction(action);
    button->setProperty(kHintTag, info.command);
  }
  toolButtons_[kImage]->setCheckable(true);
  toolButtons_[kStats]->setCheckable(true);
  toolButtons_[kUndo]->setEnabled(false);
  toolButtons_[kRedo]->setEnabled(false);
}

QAction* TfmMain::ToolButton(int command) const {
  return command >= 0 && command < static_cast<int>(std::size(toolButtons_)) ? toolButtons_[command] : nullptr;
}

void TfmMain::BuildLists() {
  popCardList_ = new QMenu(this);
  popDeckList_ = new QMenu(this);
  lvCardList_ = MakeList(this, plugin_->CardModel(), true);
  lvCardList_->horizontalHeader()->setSortIndicatorShown(true);
  lvCardList_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  cardDelegate_ = new TCellDelegate(markup_, lvCardList_);
  lvCardList_->setItemDelegate(cardDelegate_);

  // The deck area: the deck list with the layer tabs on its right edge.
  auto* deckArea = new QWidget(this);
  lvDeckList_ = MakeList(deckArea, plugin_->DeckModel(), false);
  deckDelegate_ = new TCellDelegate(markup_, lvDeckList_);
  lvDeckList_->setItemDelegate(deckDelegate_);
  tabControl1_ = new QTabBar(deckArea);
  tabControl1_->setShape(QTabBar::RoundedEast);
  tabControl1_->setExpanding(false);
  tabControl1_->setDrawBase(false);
  tabControl1_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);  // the tabs keep their width beside a wide list
  auto* deckLayout = new QHBoxLayout(deckArea);
  deckLayout->setContentsMargins(0, 0, 0, 0);
  deckLayout->setSpacing(0);
  deckLayout->addWidget(lvDeckList_, 1);
  deckLayout->addWidget(tabControl1_, 0, Qt::AlignTop);

  richEdit1_ = new QTextEdit(this);
  richEdit1_->setReadOnly(true);
  richEdit1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  richEdit1_->setFocusPolicy(Qt::ClickFocus);

  splitter2_ = new QSplitter(Qt::Horizontal, this);
  splitter2_->addWidget(lvCardList_);
  splitter2_->addWidget(deckArea);
  // The statistics, shown beside the deck on demand.
  statsPanel_ = new TStatsPanel(*plugin_, this);
  statsPanel_->hide();
  splitter2_->addWidget(statsPanel_);
  splitter2_->setStretchFactor(0, 1);
  splitter2_->setStretchFactor(1, 0);
  splitter2_->setStretchFactor(2, 0);
  splitter2_->setChildrenCollapsible(false);
  splitter2_->setHandleWidth(5);
  splitter1_ = new QSplitter(Qt::Vertical, this);
  splitter1_->addWidget(splitter2_);
  splitter1_->addWidget(richEdit1_);
  splitter1_->setStretchFactor(0, 1);
  splitter1_->setStretchFactor(1, 0);
  splitter1_->setChildrenCollapsible(false);
  splitter1_->setHandleWidth(5);
  setCentralWidget(splitter1_);
  const std::pair<QWidget*, int> hints[] = {{lvCardList_, kAddCard}, {lvDeckList_, kRemoveCard}, {deckArea, 10}, {richEdit1_, 11}};
  for (const auto& [control, tag] : hints) control->setProperty(kHintTag, tag);
  for (QWidget* control : {static_cast<QWidget*>(lvCardList_), lvCardList_->viewport(), static_cast<QWidget*>(lvDeckList_),
                           lvDeckList_->viewport(), deckArea, static_cast<QWidget*>(tabControl1_),
                           static_cast<QWidget*>(richEdit1_), richEdit1_->viewport()}) {
    control->setMouseTracking(true);
  }
}

void TfmMain::BuildFileDialogs() {
  const QString filter = tr("テキストファイル (*.txt)");
  openDialog1_ = new QFileDialog(this, tr("デッキデータを開く"), QString(), filter);
  openDialog1_->setAcceptMode(QFileDialog::AcceptOpen);
  openDialog1_->setFileMode(QFileDialog::ExistingFile);
  openDialog1_->setDefaultSuffix(QStringLiteral("txt"));
  saveDialog1_ = new QFileDialog(this, QString(), QString(), filter);
  saveDialog1_->setAcceptMode(QFileDialog::AcceptSave);
  saveDialog1_->setFileMode(QFileDialog::AnyFile);
  saveDialog1_->setDefaultSuffix(QStringLiteral("txt"));
}

void TfmMain::BuildStatusBar() {
  const int widths[] = {150, 80, 0};
  const QString texts[] = {tr("result : 10000 cards"), tr("変更済み"), QString()};
  for (int i = 0; i < 3; ++i) {
    statusPanels_[i] = new QLabel(texts[i], this);
    if (widths[i] > 0) {
      statusPanels_[i]->setFixedWidth(widths[i]);
      statusPanels_[i]->setAlignment(Qt::AlignCenter);
    }
    statusBar()->addWidget(statusPanels_[i], widths[i] > 0 ? 0 : 1);
    statusPanels_[i]->setMouseTracking(true);
  }
  statusBar()->setProperty(kHintTag, -1);
  statusBar()->setMouseTracking(true);
  statusBar()->setSizeGripEnabled(true);
}

void TfmMain::Connect() {
  for (QAction* action : toolButtons_) {
    if (action != nullptr) connect(action, &QAction::triggered, this, [this, action] { RunCommand(action->data().toInt()); });
  }
  connect(lvCardList_->horizontalHeader(), &QHeaderView::sectionClicked, this, &TfmMain::SortByColumn);
  connect(lvCardList_->horizontalHeader(), &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    popCardList_->popup(lvCardList_->horizontalHeader()->mapToGlobal(at));
  });
  connect(lvDeckList_->horizontalHeader(), &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    popDeckList_->popup(lvDeckList_->horizontalHeader()->mapToGlobal(at));
  });
  for (QTableView* list : {lvCardList_, lvDeckList_}) {
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this, list] { ShowSelectedText(list); });
    // A reset of the rows drops the selection without telling.
    connect(list->model(), &QAbstractItemModel::modelReset, this, [this, list] { ShowSelectedText(list); });
  }
  connect(lvCardList_, &QAbstractItemView::doubleClicked, this, [this] { RunCommand(kAddCard); });
  connect(lvDeckList_, &QAbstractItemView::doubleClicked, this, [this] { RunCommand(kRemoveCard); });
  connect(tabControl1_, &QTabBar::currentChanged, this, &TfmMain::ChangeDeckTab);
  timer1_.setInterval(1500);
  connect(&timer1_, &QTimer::timeout, this, [this] {
    statusPanels_[2]->clear();
    timer1_.stop();
  });
  // One filter sees every event of the application once (a filter on a
  // control as well would see its events twice).
  qApp->installEventFilter(this);
}

void TfmMain::RunCommand(int command) {
  switch (command) {
    case 0:
      close();
      break;
    case 1:
      deckCommands_->NewDeck();
      break;
    case 2:
      deckCommands_->OpenDeck();
      break;
    case 3:
      deckCommands_->SaveDeck();
      break;
    case 4:
      plugin_->ApplySearch();
      plugin_->RefreshCardList(lvCardList_);
      plugin_->SortCardList(sortColumn_, sortDescending_);
      ShowResultCount(plugin_->ListResult().Count());
      if (textSource_ == lvCardList_) ShowSelectedText(lvCardList_);
      break;
    case 5:
      EditSettings();
      break;
    case 6:
      if (!ConfirmDiscard()) break;
      try {
        SelectGameDefinition(true);
      } catch (const EPathNotFound& error) {
        // The game in use stays loaded.
        QMessageBox::critical(this, kTitle, ModelText(kPathNotFound));
      }
      break;
    case 7:
      deckCommands_->CopyDeck();
      break;
    case kAddCard:
      deckCommands_->AddSelectedCard();
      break;
    case kRemoveCard:
      deckCommands_->RemoveSelectedEntry();
      break;
    case kUndo:
      deckCommands_->Undo();
      break;
    case kRedo:
      deckCommands_->Redo();
      break;
    case kStats:
      ShowStatistics(toolButtons_[kStats]->isChecked());
      break;
    case kPaste:
      deckCommands_->PasteDeck();
      break;
    default:
      break;  // the image button only changes its own pressed state
  }
}

void TfmMain::ShowStatistics(bool shown) {
  toolButtons_[kStats]->setChecked(shown);
  statsPanel_->setVisible(shown);
  if (!shown) return;
  // Room for the chart, taken from the card list.
  constexpr int kStatsWidth = 300;
  QList<int> sizes = splitter2_->sizes();
  if (sizes.size() == 3 && sizes[2] < kStatsWidth) {
    sizes[0] = std::max(0, sizes[0] - (kStatsWidth - sizes[2]));
    sizes[2] = kStatsWidth;
    splitter2_->setSizes(sizes);
  }
  statsPanel_->Refresh();
}

void TfmMain::ShowSelectedText(QTableView* list) {
  const int32_t row = TPluginGUI::SelectedRow(list);
  if (row >= 0) {
    textSource_ = list;
    if (list == lvCardList_) plugin_->ShowCardText(row, richEdit1_);
    if (list == lvDeckList_) plugin_->ShowDeckEntryText(plugin_->CurrentLayer(), row, richEdit1_);
  } else if (textSource_ == list) {
    // The row whose card the box showed is no longer selected.
    textSource_ = nullptr;
    richEdit1_->clear();
  }
}

void TfmMain::ChangeDeckTab() {
  plugin_->LeaveDeckLayer(lvDeckList_);
  plugin_->ShowDeckLayer(tabControl1_, lvDeckList_);
  if (statsPanel_->isVisible()) statsPanel_->Refresh();  // the layer shown may be what it counts
}

bool TfmMain::SelectGameDefinition(bool forceDialog) {
  StoreColumnWidths();
  RefreshCatalogue();
  if (forceDialog || fmPlugin_->List()->selectedItems().isEmpty()) {
    if (!fmPlugin_->Choose()) return true;
    SetGameName(catalogue_->Item(fmPlugin_->List()->currentRow()).Name);
  }
  if (const TPluginItem* item = catalogue_->FindByName(gameName_)) {
    if (plugin_->LoadGameDefinition(item->FileName)) {
      ShowLoadedGame();
    } else {
      // The cleared game must not be shown through the old rows.
      plugin_->EmptyLists(tabControl1_);
      richEdit1_->clear();
      textSource_ = nullptr;
    }
  }
  ShowResultCount(plugin_->ListResult().Count());
  DeckChanged();  // a new game starts a new history
  return true;
}

void TfmMain::ShowLoadedGame() {
  plugin_->EmptyLists(tabControl1_);
  richEdit1_->clear();
  textSource_ = nullptr;
  plugin_->FillAllCards();
  plugin_->BuildCardColumns(lvCardList_, popCardList_);
  plugin_->BuildDeckColumns(lvDeckList_, popDeckList_);
  plugin_->RefreshCardList(lvCardList_);
  plugin_->RefreshDeckList(tabControl1_, lvDeckList_);
  sortColumn_ = 0;
  sortDescending_ = false;
  ApplySortMarks();
  plugin_->SortCardList(sortColumn_, sortDescending_);
  statsPanel_->ShowParameters();
}

void TfmMain::RefreshCatalogue() {
  if (!catalogue_->Scan(folders_.plugin)) throw EPathNotFound();
  QListWidget* list = fmPlugin_->List();
  list->setUpdatesEnabled(false);
  list->clear();
  for (int32_t i = 0; i < catalogue_->Count(); ++i) list->addItem(QString::fromStdU16String(catalogue_->Item(i).Name));
  const QList<QListWidgetItem*> found =
      list->findItems(QString::fromStdU16String(gameName_), Qt::MatchFixedString);  // ignores letter case
  if (!found.isEmpty()) list->setCurrentItem(found.first());
  list->setUpdatesEnabled(true);
}

void TfmMain::SetGameName(const std::u16string& name) {
  gameName_ = name;
  setWindowTitle(QStringLiteral("%1 - %2 -").arg(kTitle, QString::fromStdU16String(name)));
}

bool TfmMain::ConfirmDiscard() {
  if (!plugin_->Deck().IsChanged() || !confirmUnsaved_) return true;
  return QMessageBox::warning(this, tr("確認"), tr("デッキの保存をしていません"),
                              QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) == QMessageBox::Ok;
}

QString TfmMain::ResultCountText(int32_t count) {
  return tr("Result : %1 cards").arg(count, 5);
}

void TfmMain::ShowResultCount(int32_t count) { statusPanels_[0]->setText(ResultCountText(count)); }

void TfmMain::ShowChangedMark() {
  statusPanels_[1]->setText(plugin_->Deck().IsChanged() ? tr("変更あり") : QString());
}

void TfmMain::ShowWriteError(const std::exception& error) {
  const auto* iniError = dynamic_cast<const EIniFileException*>(&error);
  QMessageBox::critical(this, kTitle, iniError != nullptr ? CannotWriteText(*iniError) : QString::fromUtf8(error.what()));
}

void TfmMain::StoreColumnWidths() {
  // A game definition that cannot be written (read-only, say) is told about,
  // and the work goes on.
  try {
    plugin_->StoreCardColumnWidths();
  } catch (const EIniFileException& error) {
    ShowWriteError(error);
  }
  try {
    plugin_->StoreDeckColumnWidths();
  } catch (const EIniFileException& error) {
    ShowWriteError(error);
  }
}

void TfmMain::SortByColumn(int32_t column) {
  if (column == sortColumn_) {
    sortDescending_ = !sortDescending_;
  } else {
    sortColumn_ = column;
  }
  ApplySortMarks();
  plugin_->SortCardList(sortColumn_, sortDescending_);
  lvCardList_->viewport()->update();
  // The selected row stays where it is and now holds another card.
  if (textSource_ == lvCardList_) ShowSelectedText(lvCardList_);
}

void TfmMain::ApplySortMarks() {
  // The header shows the up arrow for a descending sort and the down arrow for an ascending one.
  lvCardList_->horizontalHeader()->setSortIndicator(sortColumn_, sortDescending_ ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void TfmMain::closeEvent(QCloseEvent* event) {
  if (ConfirmDiscard()) {
    event->accept();
  } else {
    event->ignore();
  }
}

