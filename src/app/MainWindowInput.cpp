// The main window's keys, mouse gestures and short help.
#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTabBar>
#include <QTableView>
#include <QToolBar>

#include "app/DeckCommands.h"
#include "app/MainWindow.h"
#include "ui/PluginGUI.h"

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
    // Undo with Ctrl+Z; redo with Ctrl+Shift+Z or Ctrl+Y; paste a deck list; the statistics.
    const bool shift = key->modifiers() & Qt::ShiftModifier;
    const int command = key->key() == Qt::Key_Z ? (shift ? kRedo : kUndo)
                        : key->key() == Qt::Key_Y ? kRedo
                        : key->key() == Qt::Key_V ? kPaste
                        : key->key() == Qt::Key_T ? kStats
                                                  : -1;
    if (command == kStats) toolButtons_[kStats]->toggle();
    if (command >= 0) {
      RunCommand(command);
      return true;
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
    deckCommands_->MoveEntry(key->key() == Qt::Key_Up ? -1 : 1);
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
  if (mouse->button() == Qt::LeftButton && toolButtons_[kImage]->isChecked() && !endsDoubleClick) {
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
      QT_TR_NOOP("アプリケーションを終了します (Alt+F4)"),
      QT_TR_NOOP("デッキデータを初期化します(Ctrl+N)"),
      QT_TR_NOOP("デッキデータを読み込みます(Ctrl+L)"),
      QT_TR_NOOP("デッキデータを保存します(Ctrl+S)"),
      QT_TR_NOOP("検索ダイアログを開きます(Ctrl+F)"),
      QT_TR_NOOP("設定ダイアログを開きます"),
      QT_TR_NOOP("プラグインを切り替えます"),
      QT_TR_NOOP("デッキデータをクリップボードにコピーします(Ctrl+C)"),
      QT_TR_NOOP("選択データを１枚追加します(Enterまたはダブルクリック)"),
      QT_TR_NOOP("選択データを１枚減らします(Enterまたはダブルクリック)"),
      QT_TR_NOOP("デッキ領域を変更します(タブを選択)"),
      QT_TR_NOOP("選択しているデータのテキストを表示"),
      QT_TR_NOOP("選択しているデータの画像を表示"),
      QT_TR_NOOP("デッキの変更を元に戻します(Ctrl+Z)"),
      QT_TR_NOOP("元に戻した変更をやり直します(Ctrl+Shift+Z)"),
      QT_TR_NOOP("デッキの統計を表示します(Ctrl+T)"),
  };
  return tag >= 0 && tag < static_cast<int>(std::size(texts)) ? tr(texts[tag]) : QString();
}

void TfmMain::ShowStatusHelp(int tag) {
  if (noStatusHelp_) return;
  statusPanels_[2]->setText(StatusHelpText(tag));
  timer1_.start();  // restarted: the help goes 1500 milliseconds after it was shown
}
