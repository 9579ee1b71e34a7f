#include "app/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>
#include <QTextEdit>
#include <QToolBar>
#include <optional>

#include "app/ToolIcons.h"
#include "common/WindowPlacement.h"
#include "gamedef/IniFile.h"
#include "ui/CellDelegate.h"
#include "ui/ConfigDialog.h"
#include "ui/ListModel.h"
#include "ui/PluginDialog.h"
#include "ui/PluginGUI.h"

namespace {

const QString kTitle = QStringLiteral("Velqorandis");

// The property that gives a control its short help number.
constexpr char kHintTag[] = "hintTag";

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
  Connect();
  LoadSettings();
  if (!startDeck.empty()) ChooseGameOfDeck(startDeck);
  SelectGameDefinition(false);
  if (!startDeck.empty()) LoadDeck(startDeck);
}

void TfmMain::ChooseGameOfDeck(const std::u16string& deckFile) {
  const std::optional<std::u16string> game = TPlugin::DeckGameName(deckFile);
  if (!game || !catalogue_->Scan(folders_.plugin)) return;  // the selection tells a missing folder
  if (catalogue_->FindByName(*game) != nullptr) SetGameName(*game);
}

void TfmMain::LoadDeck(const std::u16string& deckFile) {
  plugin_->LoadDeck(deckFile);
  plugin_->RefreshDeckList(tabControl1_, lvDeckList_);
  ShowChangedMark();
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
    QAction* action = bar->addAction(ToolIcon(info.command), QString::fromUtf8(info.caption));
    action->setToolTip(QString::fromUtf8(info.tip));
    action->setData(info.command);
    toolButtons_[info.command] = action;
    QWidget* button = bar->widgetForAction(action);
    button->setProperty(kHintTag, info.command);
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
  const std::pair<QWidget*, int> hints[] = {{lvCardList_, kAddCard}, {lvDeckList_, kRemoveCard}, {deckArea, 10}, {richEdit1_, 11}};
  for (const auto& [control, tag] : hints) control->setProperty(kHintTag, tag);
  for (QWidget* control : {static_cast<QWidget*>(lvCardList_), lvCardList_->viewport(), static_cast<QWidget*>(lvDeckList_),
                           lvDeckList_->viewport(), deckArea, static_cast<QWidget*>(tabControl1_),
                           static_cast<QWidget*>(richEdit1_), richEdit1_->viewport()}) {
    control->setMouseTracking(true);
  }
}

void TfmMain::BuildFileDialogs() {
  const QString filter = QStringLiteral("テキストファイル (*.txt)");
  openDialog1_ = new QFileDialog(this, QStringLiteral("デッキデータを開く"), QString(), filter);
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
  const char* const texts[] = {"result : 10000 cards", "変更済み", ""};
  for (int i = 0; i < 3; ++i) {
    statusPanels_[i] = new QLabel(QString::fromUtf8(texts[i]), this);
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
      if (!ConfirmDiscard()) break;
      plugin_->NewDeck();
      plugin_->RefreshDeckList(tabControl1_, lvDeckList_);
      ShowChangedMark();
      break;
    case 2:
      if (!ConfirmDiscard()) break;
      if (openDialog1_->exec() == QDialog::Accepted && !openDialog1_->selectedFiles().isEmpty()) {
        LoadDeck(openDialog1_->selectedFiles().first().toStdU16String());
      }
      break;
    case 3:
      if (saveDialog1_->exec() == QDialog::Accepted && !saveDialog1_->selectedFiles().isEmpty()) {
        const std::u16string file = saveDialog1_->selectedFiles().first().toStdU16String();
        // A deck that could not be written is told, not left for the user to find out later.
        if (!plugin_->SaveDeck(file)) {
          QMessageBox::critical(this, kTitle, QString::fromStdU16String(file + u" に書き込めません"));
        }
        ShowChangedMark();
      }
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
        QMessageBox::critical(this, kTitle, QString::fromUtf8(error.what()));
      }
      break;
    case 7:
      QGuiApplication::clipboard()->setText(QString::fromStdU16String(plugin_->DeckClipboardText()));
      break;
    case kAddCard:
      if (tabControl1_->currentIndex() < 0 || TPluginGUI::SelectedRow(lvCardList_) < 0) break;
      AddSelectedCard();
      plugin_->HideCardImage();
      ShowChangedMark();
      break;
    case kRemoveCard: {
      const int32_t row = TPluginGUI::SelectedRow(lvDeckList_);
      if (tabControl1_->currentIndex() < 0 || row < 0) break;
      plugin_->RemoveDeckEntry(plugin_->CurrentLayer(), row);
      plugin_->RefreshDeckList(tabControl1_, lvDeckList_);
      plugin_->HideCardImage();
      ShowChangedMark();
      break;
    }
    default:
      break;  // the image button only changes its own pressed state
  }
}

void TfmMain::AddSelectedCard() {
  const int32_t entry = plugin_->AddCardToDeck(TPluginGUI::SelectedRow(lvCardList_), plugin_->CurrentLayer());
  if (entry < 0) return;  // a limit refused it: nothing to say
  plugin_->RefreshDeckList(tabControl1_, lvDeckList_);
  TPluginGUI::SelectRow(lvDeckList_, entry);
  lvDeckList_->scrollTo(lvDeckList_->model()->index(entry, 0), QAbstractItemView::EnsureVisible);
}

void TfmMain::MoveDeckEntry(int step) {
  const int32_t row = TPluginGUI::SelectedRow(lvDeckList_);
  if (tabControl1_->currentIndex() >= 0 && row >= 0 && plugin_->MoveDeckEntry(plugin_->CurrentLayer(), row, row + step)) {
    TPluginGUI::SelectRow(lvDeckList_, row + step);
  }
  plugin_->RefreshDeckList(tabControl1_, lvDeckList_);
}

bool TfmMain::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
      // Any key dismisses the card picture; the picture window never takes the focus.
      plugin_->HideCardImage();
      return KeyPressed(watched, static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonDblClick:
      // The release that ends this double click pops no picture up: the double click changed the deck.
      if (watched == lvCardList_->viewport() || watched == lvDeckList_->viewport()) doubleClickRelease_ = true;
      break;
    case QEvent::MouseButtonPress: {
      const QPoint at = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
      if (watched == lvCardList_->viewport()) cardListDownPoint_ = at;
      if (watched == lvDeckList_->viewport()) deckListDownPoint_ = at;
      break;
    }
    case QEvent::MouseButtonRelease:
      MouseReleased(watched, static_cast<QMouseEvent*>(event));
      break;
    case QEvent::MouseMove:
      if (auto* widget = qobject_cast<QWidget*>(watched); widget != nullptr && widget->window() == this) PointerOver(widget);
      break;
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
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
}

bool TfmMain::KeyPressed(QObject* watched, QKeyEvent* key) {
  auto* widget = qobject_cast<QWidget*>(watched);
  // The key goes first to the control that has the focus in this window; parents see it after.
  if (widget == nullptr || widget->window() != this || watched != focusWidget()) return false;
  // The window sees every key first: Ctrl (with Shift or Alt or not) and C, F, N, O or S run their command.
  if (key->modifiers() & Qt::ControlModifier) {
    static const std::pair<int, int> shortcuts[] = {{Qt::Key_C, 7}, {Qt::Key_F, 4}, {Qt::Key_N, 1}, {Qt::Key_O, 2}, {Qt::Key_S, 3}};
    for (const auto& [keyCode, command] : shortcuts) {
      if (key->key() != keyCode) continue;
      RunCommand(command);
      // The lists would put their own cell on the clipboard over the deck.
      return keyCode == Qt::Key_C && (watched == lvCardList_ || watched == lvDeckList_);
    }
  }
  const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
  if (watched == lvCardList_ && enter) {
    RunCommand(kAddCard);
    return true;
  }
  if (watched == lvDeckList_ && enter) {
    RunCommand(kRemoveCard);
    return true;
  }
  if (watched == lvDeckList_ && (key->modifiers() & Qt::ControlModifier) &&
      (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
    MoveDeckEntry(key->key() == Qt::Key_Up ? -1 : 1);
    return true;
  }
  return false;
}

void TfmMain::MouseReleased(QObject* watched, QMouseEvent* mouse) {
  if (watched == lvCardList_->viewport() && mouse->button() == Qt::RightButton &&
      lvCardList_->model()->columnCount() == 0) {
    // Every column hidden leaves no header to right-click: the list offers the column menu instead.
    popCardList_->popup(mouse->globalPosition().toPoint());
  }
  if (watched == lvDeckList_->viewport() && mouse->button() == Qt::RightButton) {
    // The right button released over a deck entry shows its card in the card list.
    const QModelIndex entry = lvDeckList_->indexAt(mouse->position().toPoint());
    if (entry.isValid()) plugin_->LocateInCardList(plugin_->CurrentLayer(), entry.row(), lvCardList_);
  }
  const bool endsDoubleClick = doubleClickRelease_ && (watched == lvCardList_->viewport() || watched == lvDeckList_->viewport());
  if (endsDoubleClick) doubleClickRelease_ = false;
  if (mouse->button() == Qt::LeftButton && toolButtons_[12]->isChecked() && !endsDoubleClick) {
    // With the image button down, a click on a list row pops its card's picture up.
    if (watched == lvCardList_->viewport() && lvCardList_->indexAt(mouse->position().toPoint()).isValid()) {
      const int32_t row = TPluginGUI::SelectedRow(lvCardList_);
      if (row >= 0) plugin_->PopupCardImage(-1, row, cardListDownPoint_);
    }
    if (watched == lvDeckList_->viewport() && lvDeckList_->indexAt(mouse->position().toPoint()).isValid()) {
      const int32_t row = TPluginGUI::SelectedRow(lvDeckList_);
      if (row >= 0) plugin_->PopupCardImage(plugin_->CurrentLayer(), row, deckListDownPoint_);
    }
  }
  // Toolbar buttons act on the release of any mouse button; the left one triggers them already.
  if (mouse->button() != Qt::LeftButton) {
    for (QAction* action : toolButtons_) {
      if (action != nullptr && watched == toolBar_->widgetForAction(action) &&
          static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint())) {
        RunCommand(action->data().toInt());
      }
    }
  }
}

void TfmMain::PointerOver(QWidget* widget) {
  // The control is the nearest one that has a short help number.
  while (widget != nullptr && !widget->property(kHintTag).isValid()) widget = widget->parentWidget();
  if (widget == nullptr || widget == lastHintControl_) return;
  lastHintControl_ = widget;
  ShowStatusHelp(widget->property(kHintTag).toInt());
  plugin_->HideCardImage();
}

QString TfmMain::StatusHelpText(int tag) {
  static const char* const texts[] = {
      "アプリケーションを終了します (Alt+F4)",
      "デッキデータを初期化します(Ctrl+N)",
      "デッキデータを読み込みます(Ctrl+L)",
      "デッキデータを保存します(Ctrl+S)",
      "検索ダイアログを開きます(Ctrl+F)",
      "設定ダイアログを開きます",
      "プラグインを切り替えます",
      "デッキデータをクリップボードにコピーします(Ctrl+C)",
      "選択データを１枚追加します(Enterまたはダブルクリック)",
      "選択データを１枚減らします(Enterまたはダブルクリック)",
      "デッキ領域を変更します(タブを選択)",
      "選択しているデータのテキストを表示",
      "選択しているデータの画像を表示",
  };
  return tag >= 0 && tag < 13 ? QString::fromUtf8(texts[tag]) : QString();
}

void TfmMain::ShowStatusHelp(int tag) {
  if (noStatusHelp_) return;
  statusPanels_[2]->setText(StatusHelpText(tag));
  timer1_.start();  // restarted: the help goes 1500 milliseconds after it was shown
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
  ShowChangedMark();
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
    WriteSettings(folders_.settings, CurrentSettings());
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
