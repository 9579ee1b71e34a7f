// The deck commands of the main window: undo and redo, pasting a deck list,
// the statistics beside the deck, the recent decks.
#include <gtest/gtest.h>

#include <QAction>
#include <QBarCategoryAxis>
#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QTabBar>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

#include "QtPrint.h"
#include "WindowFixture.h"
#include "app/DeckCommands.h"
#include "gamedef/IniFile.h"
#include "ui/PluginGUI.h"
#include "ui/StatsPanel.h"

namespace {

// The bars of the chart as "value:copies".
Cells Bars(TStatsPanel* panel) {
  Cells bars;
  const QList<QAbstractSeries*> series = panel->Chart()->series();
  if (series.isEmpty()) return bars;
  const QBarSet* set = static_cast<QBarSeries*>(series.first())->barSets().first();
  const auto* axis = static_cast<QBarCategoryAxis*>(panel->Chart()->axes(Qt::Horizontal).first());
  for (int i = 0; i < set->count(); ++i) bars.push_back(axis->at(i).toStdString() + ":" + std::to_string(static_cast<int>(set->at(i))));
  return bars;
}

}  // namespace

TEST_F(WindowTest, UndoAndRedoFollowTheDeckAndItsChangedMark) {
  auto window = Start();
  QTableView* cards = window->CardList();
  QTableView* deck = window->DeckList();
  EXPECT_FALSE(window->ToolButton(TfmMain::kUndo)->isEnabled());
  TPluginGUI::SelectRow(cards, 0);
  Press(cards, Qt::Key_Return);
  Press(cards, Qt::Key_Return);
  TPluginGUI::SelectRow(cards, 2);
  Press(cards, Qt::Key_Return);
  EXPECT_EQ(DeckEntries(*window), (Cells{"001x2", "003x1"}));
  EXPECT_TRUE(window->ToolButton(TfmMain::kUndo)->isEnabled());
  EXPECT_FALSE(window->ToolButton(TfmMain::kRedo)->isEnabled());

  Press(deck, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(DeckEntries(*window), (Cells{"001x2"}));
  EXPECT_EQ(TPluginGUI::SelectedRow(deck), 0);  // the selection follows the change
  Press(cards, Qt::Key_Z, Qt::ControlModifier);
  Press(cards, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(DeckEntries(*window), Cells{});
  EXPECT_EQ(window->StatusPanel(1)->text(), QString());  // back to the deck as it was: unchanged
  EXPECT_FALSE(window->ToolButton(TfmMain::kUndo)->isEnabled());

  Press(cards, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  Press(cards, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(DeckEntries(*window), (Cells{"001x2"}));
  EXPECT_EQ(window->StatusPanel(1)->text(), QStringLiteral("変更あり"));
  window->ToolButton(TfmMain::kRedo)->trigger();
  EXPECT_EQ(DeckEntries(*window), (Cells{"001x2", "003x1"}));
  EXPECT_EQ(TPluginGUI::SelectedRow(deck), 1);

  // Another game starts without a history.
  AnswerMessage(QMessageBox::Ok);  // the unsaved deck
  ChooseInDialog(QStringLiteral("Mini"));
  window->RunCommand(6);
  EXPECT_FALSE(window->ToolButton(TfmMain::kUndo)->isEnabled());
  EXPECT_FALSE(window->Plugin().History().CanUndo());
}

TEST_F(WindowTest, PastingADeckListAddsItsCardsAndTellsWhatItCouldNotUse) {
  auto window = Start();
  window->DeckTabs()->setCurrentIndex(1);  // without a heading, the cards go to the layer shown
  QGuiApplication::clipboard()->setText(QStringLiteral("2 Alpha\n1x gamma\n\n[Main]\nBeta x3\n4 Nobody\n"));
  QString told;
  AnswerMessage(QMessageBox::Ok, &told);
  Press(window->CardList(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(told, QStringLiteral("貼り付け|次の行は使えませんでした。\n\n6 行目「4 Nobody」: カードが見つかりません"));
  EXPECT_EQ(DeckEntries(*window), (Cells{"001x2", "003x1"}));
  window->DeckTabs()->setCurrentIndex(0);
  EXPECT_EQ(DeckEntries(*window), (Cells{"002x3"}));
  EXPECT_EQ(window->StatusPanel(1)->text(), QStringLiteral("変更あり"));
  Press(window->CardList(), Qt::Key_Z, Qt::ControlModifier);  // one step
  EXPECT_EQ(DeckEntries(*window), Cells{});
  EXPECT_EQ(window->StatusPanel(1)->text(), QString());
}

TEST_F(WindowTest, TheStatisticsFollowTheDeck) {
  auto window = Start();
  TStatsPanel* panel = window->StatsPanel();
  EXPECT_FALSE(panel->isVisible());
  window->show();
  Press(window->CardList(), Qt::Key_T, Qt::ControlModifier);
  ASSERT_TRUE(panel->isVisible());
  EXPECT_TRUE(window->ToolButton(TfmMain::kStats)->isChecked());
  EXPECT_EQ(panel->Parameters()->count(), 4);  // every parameter of the game
  window->Plugin().ImportDeck(u"2 Alpha\n1 Beta\n[Side]\n3 Gamma", 0);
  window->DeckChanged();
  panel->Parameters()->setCurrentIndex(panel->Parameters()->findText(QStringLiteral("Cost")));
  EXPECT_EQ(Bars(panel), (Cells{"3:2", "9:3", "10:1"}));
  EXPECT_EQ(panel->Summary()->text(), QStringLiteral("6 枚　平均 7.17"));
  panel->Scope()->setCurrentIndex(1);  // the layer shown: Main
  EXPECT_EQ(Bars(panel), (Cells{"3:2", "10:1"}));
  window->DeckTabs()->setCurrentIndex(1);
  EXPECT_EQ(Bars(panel), (Cells{"9:3"}));
  panel->Parameters()->setCurrentIndex(panel->Parameters()->findText(QStringLiteral("Card name")));
  EXPECT_EQ(Bars(panel), (Cells{"Gamma:3"}));
  TPluginGUI::SelectRow(window->DeckList(), 0);
  window->RunCommand(TfmMain::kRemoveCard);  // at once
  EXPECT_EQ(Bars(panel), (Cells{"Gamma:2"}));
  window->ToolButton(TfmMain::kStats)->trigger();
  EXPECT_FALSE(panel->isVisible());
}

TEST_F(WindowTest, RecentDecksAreOfferedBesideTheOpenButton) {
  folder_.Write("one.txt", "=Mini=\r\n[Main]\r\n 1\t001\r\n");
  folder_.Write("two.txt", "=Mini=\r\n[Main]\r\n 2\t002\r\n");
  {
    auto window = Start();
    auto* open = qobject_cast<QToolButton*>(window->findChild<QToolBar*>()->widgetForAction(window->ToolButton(2)));
    ASSERT_EQ(open->menu(), window->DeckCommands().RecentMenu());
    ChooseFileInDialog(folder_.NativePath("one.txt"));
    window->RunCommand(2);
    window->DeckCommands().LoadDeck(folder_.Path("two.txt"));  // as the command line opens one
    emit window->DeckCommands().RecentMenu()->aboutToShow();
    const QList<QAction*> entries = window->DeckCommands().RecentMenu()->actions();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0]->text(), QString::fromStdString(folder_.NativePath("two.txt")));
    entries[1]->trigger();  // one.txt again
    EXPECT_EQ(DeckEntries(*window), (Cells{"001x1"}));
  }
  // Kept in a section of their own; the next start offers them again.
  EXPECT_EQ(TIniFile(folder_.Path("Velqorandis.ini")).ReadInteger(u"RecentDecks", u"Count", 0), 2);
  std::filesystem::remove(folder_.NativePath("two.txt"));
  auto window = Start();
  TDeckCommands& commands = window->DeckCommands();
  emit commands.RecentMenu()->aboutToShow();
  ASSERT_EQ(commands.RecentMenu()->actions().size(), 2);
  QString told;
  AnswerMessage(QMessageBox::Ok, &told);
  commands.RecentMenu()->actions()[1]->trigger();  // two.txt, which is gone
  EXPECT_TRUE(told.endsWith(QStringLiteral("two.txt が見つかりません。最近のデッキから外しました。")));
  EXPECT_EQ(commands.Recent().For(u"Mini"), std::vector<std::u16string>{folder_.Path("one.txt")});
}
