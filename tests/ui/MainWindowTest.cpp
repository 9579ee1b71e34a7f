#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <filesystem>
#include <deque>
#include <functional>
#include <QPointer>

#include "TestFiles.h"
#include "app/MainWindow.h"
#include "common/Text.h"
#include "gamedef/IniFile.h"
#include "ui/ListModel.h"
#include "ui/PluginDialog.h"
#include "ui/PluginGUI.h"

namespace {

// Modal windows (dialogs, message boxes) to answer as the user would, in the
// order they open: each action is run on the next modal window that was not
// answered yet.
std::deque<std::function<void(QWidget*)>> pendingAnswers;
QPointer<QWidget> lastAnswered;

void PollForModal() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr) lastAnswered = nullptr;  // a dialog that closed may open again
  if (modal != nullptr && modal != lastAnswered && !pendingAnswers.empty()) {
    lastAnswered = modal;
    auto action = std::move(pendingAnswers.front());
    pendingAnswers.pop_front();
    action(modal);
  }
  if (!pendingAnswers.empty()) QTimer::singleShot(10, PollForModal);
}

void WhenModal(std::function<void(QWidget*)> action) {
  pendingAnswers.push_back(std::move(action));
  if (pendingAnswers.size() > 1) return;
  lastAnswered = nullptr;  // the dialogs answered before were closed meanwhile
  QTimer::singleShot(0, PollForModal);
}

// Picks the named entry in the switch dialog and presses OK.
void ChooseInDialog(const QString& name) {
  WhenModal([name](QWidget* modal) {
    auto* dialog = qobject_cast<TfmPlugin*>(modal);
    ASSERT_NE(dialog, nullptr);
    const QList<QListWidgetItem*> items = dialog->List()->findItems(name, Qt::MatchExactly);
    ASSERT_FALSE(items.isEmpty());
    dialog->List()->setCurrentItem(items.first());
    dialog->findChildren<QPushButton*>().first()->click();  // OK
  });
}

void CancelDialog() {
  WhenModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
}

// Answers a message box with the given button and records its text.
void AnswerMessage(QMessageBox::StandardButton button, QString* text = nullptr) {
  WhenModal([button, text](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    if (text != nullptr) *text = box->windowTitle() + QLatin1Char('|') + box->text();
    box->button(button)->click();
  });
}

// A program folder with the Plugin folder of a small game.
class WindowTest : public ::testing::Test {
 protected:
  WindowTest() {
    folder_.Write("Plugin/mini.ini",
                  "[System]\r\nName=Mini\r\nTextKey=Text\r\nCardList=cards.txt\r\n"
                  "[Param00]\r\nKey=No\r\nName=Number\r\nType=1\r\n[Param01]\r\nKey=Name\r\nName=Card name\r\nType=1\r\n"
                  "[Param02]\r\nKey=Cost\r\nName=Cost\r\nType=2\r\n[Param03]\r\nKey=Text\r\nName=Text\r\n"
                  "[CardListSection00]\r\nKey=No\r\nWidth=60\r\n[CardListSection01]\r\nKey=Name\r\nVisibled=0\r\n"
                  "[CardListSection02]\r\nKey=Cost\r\nWidth=50\r\n"
                  "[DeckListSection00]\r\nKey=Name\r\n"
                  "[DeckLayer00]\r\nName=Main\r\nTotalLimit=60\r\nItemLimit=3\r\n"
                  "[DeckLayer01]\r\nName=Side\r\nTotalLimit=15\r\nItemLimit=3\r\n");
    folder_.Write("Plugin/cards.txt",
                  "[CardData1]\r\nNo=001\r\nName=Alpha\r\nCost=3\r\nText=<b>Swift</b> attack\r\n"
                  "[CardData2]\r\nNo=002\r\nName=Beta\r\nCost=10\r\nText=plain\r\n"
                  "[CardData3]\r\nNo=003\r\nName=Gamma\r\nCost=9\r\n");
  }

  // Every modal window that a test expected has opened and was answered.
  void TearDown() override {
    EXPECT_TRUE(pendingAnswers.empty());
    pendingAnswers.clear();
  }

  // Starts the program with the remembered game, or choosing Mini in the dialog.
  std::unique_ptr<TfmMain> Start() {
    if (!std::filesystem::exists(folder_.NativePath("Velqorandis.ini"))) ChooseInDialog(QStringLiteral("Mini"));
    return std::make_unique<TfmMain>(folder_.Path(""));
  }

  static std::vector<std::string> Column(QTableView* list, int column) {
    std::vector<std::string> cells;
    for (int row = 0; row < list->model()->rowCount(); ++row) {
      cells.push_back(list->model()->index(row, column).data().toString().toStdString());
    }
    return cells;
  }

  static std::vector<std::string> Captions(QTableView* list) {
    std::vector<std::string> captions;
    for (int column = 0; column < list->model()->columnCount(); ++column) {
      captions.push_back(list->model()->headerData(column, Qt::Horizontal).toString().toStdString());
    }
    return captions;
  }

  TempFolder folder_;
};

using Cells = std::vector<std::string>;

}  // namespace

TEST_F(WindowTest, FirstStartAsksForTheGameAndLoadsIt) {
  auto window = Start();
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Velqorandis - Mini -"));
  EXPECT_EQ(Captions(window->CardList()), (Cells{"Number", "Cost"}));
  EXPECT_EQ(window->CardList()->horizontalHeader()->sectionSize(0), 60);
  EXPECT_EQ(Column(window->CardList(), 0), (Cells{"001", "002", "003"}));
  EXPECT_EQ(Captions(window->DeckList()), (Cells{"", "Card name"}));
  ASSERT_EQ(window->DeckTabs()->count(), 2);
  EXPECT_EQ(window->DeckTabs()->tabText(0), QStringLiteral("Main 0/60"));
  EXPECT_EQ(window->StatusPanel(0)->text(), QStringLiteral("Result :     3 cards"));
  EXPECT_EQ(window->StatusPanel(1)->text(), QString());
}

TEST_F(WindowTest, CancellingAtStartLeavesTheWindowEmpty) {
  CancelDialog();
  TfmMain window(folder_.Path(""));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Velqorandis -  -"));
  EXPECT_EQ(window.StatusPanel(0)->text(), QStringLiteral("result : 10000 cards"));
  EXPECT_EQ(window.StatusPanel(1)->text(), QStringLiteral("変更済み"));
  EXPECT_EQ(window.CardList()->model()->columnCount(), 0);
  EXPECT_EQ(window.CardList()->model()->rowCount(), 0);
  EXPECT_EQ(window.DeckTabs()->count(), 0);
}

TEST_F(WindowTest, RemembersTheGameAndTheSettingsAcrossStarts) {
  {
    auto window = Start();
    window->move(40, 30);
    window->resize(900, 640);
    window->ToolButton(12)->setChecked(true);
  }
  TIniFile settings(folder_.Path("Velqorandis.ini"));
  EXPECT_EQ(settings.ReadString(u"System", u"TcgName", u""), u"Mini");
  EXPECT_EQ(settings.ReadInteger(u"System", u"Width", 0), 900);
  // The second start loads the remembered game without asking.
  TfmMain window(folder_.Path(""));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Velqorandis - Mini -"));
  EXPECT_EQ(window.size(), QSize(900, 640));
  EXPECT_EQ(window.pos(), QPoint(40, 30));
  EXPECT_TRUE(window.ToolButton(12)->isChecked());
  EXPECT_EQ(window.CardList()->model()->rowCount(), 3);
}

TEST_F(WindowTest, AColumnMenuHidesAndShowsColumnsAndWritesTheWidths) {
  auto window = Start();
  QMenu* menu = window->CardListMenu();
  ASSERT_EQ(menu->actions().size(), 3);
  EXPECT_TRUE(menu->actions()[0]->isChecked());
  EXPECT_FALSE(menu->actions()[1]->isChecked());
  window->CardList()->horizontalHeader()->resizeSection(1, 77);  // the Cost column
  menu->actions()[1]->trigger();                                  // show Card name
  EXPECT_EQ(Captions(window->CardList()), (Cells{"Number", "Card name", "Cost"}));
  EXPECT_EQ(window->CardList()->horizontalHeader()->sectionSize(2), 77);
  TIniFile file(folder_.Path("Plugin/mini.ini"));
  EXPECT_EQ(file.ReadInteger(u"CardListSection02", u"Width", 0), 77);
  EXPECT_EQ(file.ReadString(u"CardListSection01", u"Visibled", u""), u"0");  // reaches the file at the next store
  window->CardList()->horizontalHeader()->resizeSection(0, 45);
  window->CardListMenu()->actions()[0]->trigger();  // hide Number
  EXPECT_EQ(Captions(window->CardList()), (Cells{"Card name", "Cost"}));
  EXPECT_EQ(TIniFile(folder_.Path("Plugin/mini.ini")).ReadInteger(u"CardListSection00", u"Width", 0), 45);
  EXPECT_EQ(TIniFile(folder_.Path("Plugin/mini.ini")).ReadString(u"CardListSection01", u"Visibled", u""), u"1");
}

TEST_F(WindowTest, HeaderClicksSortAndMoveTheArrow) {
  auto window = Start();
  QHeaderView* header = window->CardList()->horizontalHeader();
  EXPECT_EQ(header->sortIndicatorSection(), 0);
  EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);  // drawn as the down arrow
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(1) + 5, 5));
  EXPECT_EQ(window->SortColumn(), 1);
  EXPECT_FALSE(window->SortDescending());
  EXPECT_EQ(Column(window->CardList(), 1), (Cells{"10", "3", "9"}));  // as text, not as numbers
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(1) + 5, 5));
  EXPECT_TRUE(window->SortDescending());
  EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);  // drawn as the up arrow
  EXPECT_EQ(Column(window->CardList(), 1), (Cells{"9", "3", "10"}));
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(0) + 5, 5));
  EXPECT_EQ(header->sortIndicatorSection(), 0);
  EXPECT_TRUE(window->SortDescending());  // another column keeps the direction
  EXPECT_EQ(Column(window->CardList(), 0), (Cells{"003", "002", "001"}));
}

TEST_F(WindowTest, EachLayerRemembersItsRow) {
  auto window = Start();
  TPluginGUI& plugin = window->Plugin();
  for (int row = 0; row < 3; ++row) plugin.AddCardToDeck(row, 0);
  plugin.AddCardToDeck(0, 1);
  plugin.RefreshDeckList(window->DeckTabs(), window->DeckList());
  EXPECT_EQ(window->DeckTabs()->tabText(0), QStringLiteral("Main 3/60"));
  TPluginGUI::SelectRow(window->DeckList(), 2);
  window->DeckTabs()->setCurrentIndex(1);
  EXPECT_EQ(window->DeckList()->model()->rowCount(), 1);
  EXPECT_EQ(TPluginGUI::SelectedRow(window->DeckList()), -1);  // never left: no selection
  window->DeckTabs()->setCurrentIndex(0);
  EXPECT_EQ(TPluginGUI::SelectedRow(window->DeckList()), 2);
  EXPECT_EQ(Column(window->DeckList(), 1), (Cells{"Alpha", "Beta", "Gamma"}));
}

TEST_F(WindowTest, TheCardTextShowsItsFormatting) {
  auto window = Start();
  TPluginGUI::SelectRow(window->CardList(), 0);
  QTextEdit* box = window->CardText();
  EXPECT_EQ(box->toPlainText(), QStringLiteral("Swift attack\n"));
  QTextCursor cursor(box->document());
  cursor.setPosition(2);
  EXPECT_EQ(cursor.charFormat().fontWeight(), QFont::Bold);
  cursor.setPosition(9);
  EXPECT_NE(cursor.charFormat().fontWeight(), QFont::Bold);
}

TEST_F(WindowTest, ARightClickInTheDeckFindsTheCard) {
  auto window = Start();
  window->show();
  window->Plugin().AddCardToDeck(2, 0);
  window->Plugin().RefreshDeckList(window->DeckTabs(), window->DeckList());
  QTableView* deck = window->DeckList();
  const QRect entry = deck->visualRect(deck->model()->index(0, 1));
  QTest::mouseClick(deck->viewport(), Qt::RightButton, {}, entry.center());
  EXPECT_EQ(TPluginGUI::SelectedRow(window->CardList()), 2);
  TPluginGUI::SelectRow(window->CardList(), 0);
  QTest::mouseClick(deck->viewport(), Qt::RightButton, {}, QPoint(entry.center().x(), entry.bottom() + 40));
  EXPECT_EQ(TPluginGUI::SelectedRow(window->CardList()), 0);  // empty space: nothing happens
}

TEST_F(WindowTest, AnUnsavedDeckIsNotThrownAwayUnasked) {
  auto window = Start();
  window->Plugin().AddCardToDeck(0, 0);
  QString asked;
  AnswerMessage(QMessageBox::Cancel, &asked);
  EXPECT_FALSE(window->close());
  EXPECT_EQ(asked, QStringLiteral("確認|デッキの保存をしていません"));
  AnswerMessage(QMessageBox::Ok);
  EXPECT_TRUE(window->ConfirmDiscard());
  window->Plugin().NewDeck();
  EXPECT_TRUE(window->ConfirmDiscard());  // nothing to lose: no question
}

TEST_F(WindowTest, AReadOnlyGameDefinitionDoesNotStopTheEnd) {
  auto window = Start();
  window->CardList()->horizontalHeader()->resizeSection(0, 99);
  chmod(folder_.NativePath("Plugin").c_str(), 0555);
  chmod(folder_.NativePath("Plugin/mini.ini").c_str(), 0444);
  QString told;
  {
    HonourFilePermissions honour;
    AnswerMessage(QMessageBox::Ok, &told);
    AnswerMessage(QMessageBox::Ok);
    window.reset();
  }
  EXPECT_TRUE(told.contains(QStringLiteral("に書き込めません")));
  // The settings were written all the same.
  EXPECT_EQ(TIniFile(folder_.Path("Velqorandis.ini")).ReadString(u"System", u"TcgName", u""), u"Mini");
}

TEST_F(WindowTest, AGameThatFailsToLoadLeavesNoRowsBehind) {
  folder_.Write("Plugin/broken.ini", "[System]\nName=Broken\nUniqueKey=\n");
  auto window = Start();
  ASSERT_EQ(window->CardList()->model()->rowCount(), 3);
  ChooseInDialog(QStringLiteral("Broken"));
  window->ToolButton(6)->trigger();
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Velqorandis - Broken -"));
  EXPECT_EQ(window->CardList()->model()->rowCount(), 0);
  EXPECT_EQ(window->CardList()->model()->columnCount(), 0);
  EXPECT_EQ(window->DeckList()->model()->rowCount(), 0);
  EXPECT_EQ(window->DeckTabs()->count(), 0);
  EXPECT_EQ(window->StatusPanel(0)->text(), QStringLiteral("Result :     0 cards"));
}

TEST_F(WindowTest, SwitchingAndCancellingKeepsTheGameAndItsDeck) {
  auto window = Start();
  window->Plugin().AddCardToDeck(0, 0);
  AnswerMessage(QMessageBox::Ok);  // the deck is not saved: go on
  CancelDialog();
  window->ToolButton(6)->trigger();
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Velqorandis - Mini -"));
  EXPECT_EQ(window->Plugin().Deck().Layer(0).EntryCount(), 1);
  EXPECT_EQ(window->CardList()->model()->rowCount(), 3);
  window->Plugin().NewDeck();
}
