#include "app/MainWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>
#include <QTextEdit>
#include <QToolBar>

#include "app/ToolIcons.h"
#include "gamedef/IniFile.h"
#include "ui/CellDelegate.h"
#include "ui/ConfigDialog.h"
#include "ui/ListModel.h"
#include "ui/PluginDialog.h"
#include "ui/PluginGUI.h"

namespace {

const QString kTitle = QStringLiteral("Velqorandis");

// Toolbar buttons in order: command number, caption and tooltip; -1 is a separator.
struct ToolButtonInfo {
  int command;
  const char* caption;
  const char* tip;
};
constexpr ToolButtonInfo kToolButtons[] = {
    {0, "Close", "終了"},
    {-1, nullptr, nullptr},
    {1, "New", "新しいデッキ"},
    {2, "Open", "デッキを開く"},
    {3, "Save", "デッキを保存"},
    {7, "Clipboard", "デッキをクリップボードにコピー"},
    {-1, nullptr, nullptr},
    {4, "Search", "カードを検索"},
    {-1, nullptr, nullptr},
    {6, "Plugin", "プラグイン（ゲーム）の切り替え"},
    {-1, nullptr, nullptr},
    {5, "Config", "設定"},
    {-1, nullptr, nullptr},
    {12, "Image", "クリックでカード画像を表示"},
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

TfmMain::TfmMain(std::u16string programFolder) : programFolder_(std::move(programFolder)) {
  resize(681, 451);
  for (TFontSetting& font : fonts_) font = DesignFont();
  BuildToolBar();
  // The objects of the whole run, in their order.
  fmConfig_ = new TfmConfig(this);
  fmPlugin_ = new TfmPlugin(this);
  catalogue_ = std::make_unique<TPluginList>();
  plugin_ = std::make_unique<TPluginGUI>(programFolder_, markup_);
  BuildLists();
  BuildStatusBar();
  Connect();
  LoadSettings();
  SelectGameDefinition(false);
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
    QAction* action = bar->addAction(ToolIcon(info.command), QString::fromUtf8(info.caption));
    action->setToolTip(QString::fromUtf8(info.tip));
    action->setData(info.command);
    toolButtons_[info.command] = action;
  }
  toolButtons_[12]->setCheckable(true);
}

QAction* TfmMain::ToolButton(int command) const {
  return command >= 0 && command < 13 ? toolButtons_[command] : nullptr;
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
  splitter2_->setStretchFactor(0, 1);
  splitter2_->setStretchFactor(1, 0);
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
}

void TfmMain::BuildStatusBar() {
  const int widths[] = {150, 80, 0};
  const char* const texts[] = {"result : 10000 cards", "変更済み", ""};
  for (int i = 0; i < 3; ++i) {
    statusPanels_[i] = new QLabel(QString::fromUtf8(texts[i]), this);
    if (widths[i] > 0) {
      statusPanels_[i]->setFixedWidth(widths[i]);
      statusPanels_[i]->setAlignment(Qt::AlignCenter);
    }
    statusBar()->addWidget(statusPanels_[i], widths[i] > 0 ? 0 : 1);
  }
  statusBar()->setSizeGripEnabled(true);
}

void TfmMain::Connect() {
  connect(toolButtons_[0], &QAction::triggered, this, &QWidget::close);
  connect(toolButtons_[6], &QAction::triggered, this, [this] {
    if (!ConfirmDiscard()) return;
    try {
      SelectGameDefinition(true);
    } catch (const EPathNotFound& error) {
      // The game in use stays loaded.
      QMessageBox::critical(this, kTitle, QString::fromUtf8(error.what()));
    }
  });
  connect(toolButtons_[5], &QAction::triggered, this, &TfmMain::EditSettings);

  connect(lvCardList_->horizontalHeader(), &QHeaderView::sectionClicked, this, &TfmMain::SortByColumn);
  connect(lvCardList_->horizontalHeader(), &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    popCardList_->popup(lvCardList_->horizontalHeader()->mapToGlobal(at));
  });
  connect(lvDeckList_->horizontalHeader(), &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    popDeckList_->popup(lvDeckList_->horizontalHeader()->mapToGlobal(at));
  });
  connect(lvCardList_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) { plugin_->ShowCardText(current.row(), richEdit1_); });
  connect(lvDeckList_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            plugin_->ShowDeckEntryText(plugin_->CurrentLayer(), current.row(), richEdit1_);
          });
  connect(tabControl1_, &QTabBar::currentChanged, this, &TfmMain::ChangeDeckTab);
  lvDeckList_->viewport()->installEventFilter(this);
}

bool TfmMain::eventFilter(QObject* watched, QEvent* event) {
  // The right button released over a deck entry shows its card in the card list.
  if (watched == lvDeckList_->viewport() && event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::RightButton) {
      const QModelIndex entry = lvDeckList_->indexAt(mouse->position().toPoint());
      if (entry.isValid()) plugin_->LocateInCardList(plugin_->CurrentLayer(), entry.row(), lvCardList_);
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TfmMain::ChangeDeckTab() {
  plugin_->LeaveDeckLayer(lvDeckList_);
  plugin_->ShowDeckLayer(tabControl1_, lvDeckList_);
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
    }
  }
  ShowResultCount(plugin_->ListResult().Count());
  ShowChangedMark();
  return true;
}

void TfmMain::ShowLoadedGame() {
  plugin_->EmptyLists(tabControl1_);
  richEdit1_->clear();
  plugin_->FillAllCards();
  plugin_->BuildCardColumns(lvCardList_, popCardList_);
  plugin_->BuildDeckColumns(lvDeckList_, popDeckList_);
  plugin_->RefreshCardList(lvCardList_);
  plugin_->RefreshDeckList(tabControl1_, lvDeckList_);
  sortColumn_ = 0;
  sortDescending_ = false;
  ApplySortMarks();
  plugin_->SortCardList(sortColumn_, sortDescending_);
}

void TfmMain::RefreshCatalogue() {
  if (!catalogue_->Scan(programFolder_ + u"Plugin/")) throw EPathNotFound();
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
  return QMessageBox::warning(this, QStringLiteral("確認"), QStringLiteral("デッキの保存をしていません"),
                              QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) == QMessageBox::Ok;
}

QString TfmMain::ResultCountText(int32_t count) {
  return QStringLiteral("Result : %1 cards").arg(count, 5);
}

void TfmMain::ShowResultCount(int32_t count) { statusPanels_[0]->setText(ResultCountText(count)); }

void TfmMain::ShowChangedMark() {
  statusPanels_[1]->setText(plugin_->Deck().IsChanged() ? QStringLiteral("変更あり") : QString());
}

void TfmMain::ShowWriteError(const std::exception& error) {
  const auto* iniError = dynamic_cast<const EIniFileException*>(&error);
  QMessageBox::critical(this, kTitle,
                        iniError != nullptr ? QString::fromStdU16String(iniError->Message()) : QString::fromUtf8(error.what()));
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

void TfmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (splittersPlaced_) return;
  splittersPlaced_ = true;
  // The card text panel's height and the deck area's width, as the settings hold them.
  const int height = splitter1_->height();
  splitter1_->setSizes({std::max(0, height - horizon_), horizon_});
  const int width = splitter2_->width();
  splitter2_->setSizes({std::max(0, width - vertical_), vertical_});
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
  const TWindowSettings settings = ReadSettings(programFolder_ + u"Velqorandis.ini", defaults);
  move(settings.left, settings.top);
  resize(settings.width, settings.height);
  horizon_ = settings.horizon;
  vertical_ = settings.vertical;
  splittersPlaced_ = false;
  SetGameName(settings.tcgName);
  confirmUnsaved_ = settings.noSaveCheck;
  cardDelegate_->SetOwnerDraw(settings.cardListOwnerDraw);
  deckDelegate_->SetOwnerDraw(settings.deckListOwnerDraw);
  toolButtons_[12]->setChecked(settings.showImage);
  fonts_[0] = settings.cardList;
  fonts_[1] = settings.deckList;
  fonts_[2] = settings.cardText;
  ApplyFont(lvCardList_, fonts_[0]);
  ApplyFont(lvDeckList_, fonts_[1]);
  ApplyFont(richEdit1_, fonts_[2]);
  cardListDoubleBuffered_ = settings.cardListDoubleBuffered;
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
  settings.showImage = toolButtons_[12]->isChecked();
  settings.cardList = fonts_[0];
  settings.deckList = fonts_[1];
  settings.cardText = fonts_[2];
  return settings;
}

void TfmMain::SaveSettings() {
  try {
    WriteSettings(programFolder_ + u"Velqorandis.ini", CurrentSettings());
  } catch (const EIniFileException& error) {
    ShowWriteError(error);
  }
}

void TfmMain::EditSettings() {
  fmConfig_->SetFonts(fonts_[0], fonts_[1], fonts_[2]);
  fmConfig_->NoSaveCheck()->setChecked(confirmUnsaved_);
  fmConfig_->StatusHelp()->setChecked(noStatusHelp_);
  if (!fmConfig_->Execute()) return;
  fonts_[0] = fmConfig_->CardListFont();
  fonts_[1] = fmConfig_->DeckListFont();
  fonts_[2] = fmConfig_->CardTextFont();
  ApplyFont(lvCardList_, fonts_[0]);
  ApplyFont(lvDeckList_, fonts_[1]);
  ApplyFont(richEdit1_, fonts_[2]);
  confirmUnsaved_ = fmConfig_->NoSaveCheck()->isChecked();
  noStatusHelp_ = fmConfig_->StatusHelp()->isChecked();
}
