#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTabBar>
#include <QSplitter>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <filesystem>

#include "ImageFixtures.h"
#include "QtPrint.h"
#include "TestFiles.h"
#include "WindowFixture.h"
#include "app/MainWindow.h"
#include "common/Text.h"
#include "gamedef/IniFile.h"
#include "ui/CardImage.h"
#include "ui/ListModel.h"
#include "ui/PluginDialog.h"
#include "ui/PluginGUI.h"

TEST_F(WindowTest, FirstStartAsksForTheGameAndLoadsIt) {
  auto window = Start();
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Velqorandis - Mini -"));
  EXPECT_EQ(Captions(window->CardList()), (Cells{"Number", "Cost"}));
  EXPECT_EQ(window->CardList()->horizontalHeader()->sectionSize(0), 60);
  EXPECT_EQ(Column(window->CardList(), 0), (Cells{"001", "002", "003"}));
  EXPECT_EQ(Captions(window->DeckList()), (Cells{"", "Card name"}));
  ASSERT_EQ(window->DeckTabs()->count(), 2);
  EXPECT_EQ(window->DeckTabs()->tabText(0), QStringLiteral("Main 0/60"));
  window->show();
  QApplication::processEvents();
  EXPECT_GE(window->DeckTabs()->width(), window->DeckTabs()->sizeHint().width());  // beside the deck list, not pushed out
  EXPECT_EQ(window->StatusPanel(0)->text(), QStringLiteral("Result :     3 cards"));
  EXPECT_EQ(window->StatusPanel(1)->text(), QString());
}

TEST_F(WindowTest, CancellingAtStartLeavesTheWindowEmpty) {
  CancelDialog();
  TfmMain window(PortableFolders(folder_.Path("")));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Velqorandis -  -"));
  EXPECT_EQ(window.StatusPanel(0)->text(), QStringLiteral("result : 10000 cards"));
  EXPECT_EQ(window.StatusPanel(1)->text(), QStringLiteral("変更済み"));
  EXPECT_EQ(window.CardList()->model()->columnCount(), 0);
  EXPECT_EQ(window.CardList()->model()->rowCount(), 0);
  EXPECT_EQ(window.DeckTabs()->count(), 0);
}

// A deck named on the command line: its game is chosen when the catalogue
// lists it (without asking, also at a first start), and the deck is loaded;
// a deck of no listed game is told by the deck reader and the start goes on.
TEST_F(WindowTest, StartsWithADeckAndItsGame) {
  folder_.Write("Plugin/other.ini",
                "[System]\r\nName=Other\r\n[DeckLayer00]\r\nName=Main\r\nTotalLimit=9\r\nItemLimit=9\r\n"
                "[CardData]\r\nNo=X\r\n");
  const std::u16string otherDeck = folder_.Write("other.txt", "=Other=\r\n[Main]\r\n 2\tX\r\n");
  const std::u16string miniDeck = folder_.Write("mini.txt", "=Mini=\r\n[Main]\r\n 1\t002\r\n");
  const std::u16string strange = folder_.Write("strange.txt", "=Strange=\r\n[Main]\r\n 1\t002\r\n");
  struct Case {
    const char* settings;  // the remembered game, or no settings file (a first start)
    std::u16string deck;
    QString game;
    std::vector<std::string> entries;
    QString told;
  };
  const Case cases[] = {
      {nullptr, miniDeck, QStringLiteral("Mini"), {"1"}, QString()},
      {"Mini", otherDeck, QStringLiteral("Other"), {"2"}, QString()},
      {"Mini", strange, QStringLiteral("Mini"), {}, QStringLiteral("データロードエラー|ＴＣＧが違います")},
      {"Mini", folder_.Path("missing.txt"), QStringLiteral("Mini"), {}, QStringLiteral("データロードエラー|ファイルを開けませんでした")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.deck));
    std::filesystem::remove(folder_.NativePath("Velqorandis.ini"));
    if (c.settings != nullptr) folder_.Write("Velqorandis.ini", std::string("[System]\r\nTcgName=") + c.settings + "\r\n");
    QString told;
    if (!c.told.isEmpty()) AnswerMessage(QMessageBox::Ok, &told);
    TfmMain window(PortableFolders(folder_.Path("")), c.deck);
    EXPECT_EQ(QString::fromStdU16String(window.GameName()), c.game);
    EXPECT_EQ(Column(window.DeckList(), 0), c.entries);
    EXPECT_EQ(told, c.told);
    EXPECT_EQ(window.StatusPanel(1)->text(), QString());  // a loaded deck is unchanged
  }
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
  TfmMain window(PortableFolders(folder_.Path("")));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Velqorandis - Mini -"));
  EXPECT_EQ(window.size(), QSize(900, 640));
  EXPECT_EQ(window.pos(), QPoint(40, 30));
  EXPECT_TRUE(window.ToolButton(12)->isChecked());
  EXPECT_EQ(window.CardList()->model()->rowCount(), 3);
}

// Stored bounds from another desktop or a damaged file: the window opens
// where it can be reached (the test screens: 1920 x 1080 on the left, the
// primary, and 1280 x 1024 on its right), and it closes.
TEST_F(WindowTest, HostileBoundsGiveAReachableWindowThatCloses) {
  struct Case {
    const char* keys;
    QRect expected;
  };
  const Case cases[] = {
      {"Left=-5000\r\nTop=100\r\n", QRect(0, 100, 800, 600)},  // an unplugged monitor
      {"Left=2500\r\nTop=300\r\nWidth=600\r\nHeight=400\r\n", QRect(2500, 300, 600, 400)},  // the second one
      {"Left=-2147483648\r\nTop=2147483647\r\n", QRect(0, 480, 800, 600)},
      {"Width=2147483647\r\nHeight=2147483647\r\nHorizon=-2147483648\r\nVertical=2147483647\r\n",
       QRect(0, 0, 3200, 1080)},
      {"Horizon=2147483647\r\nVertical=-2147483648\r\n", QRect(0, 0, 800, 600)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    folder_.Write("Velqorandis.ini", std::string("[System]\r\nTcgName=Mini\r\n") + c.keys +
                                         "[CardList]\r\nSize=2147483647\r\n");
    auto window = Start();
    window->show();
    QApplication::processEvents();
    EXPECT_EQ(QRect(window->pos(), window->size()), c.expected);
    for (QSplitter* splitter : window->findChildren<QSplitter*>()) {
      for (int size : splitter->sizes()) EXPECT_GE(size, 0);
    }
    EXPECT_EQ(window->CardList()->font().pointSize(), 1638);
    window.reset();  // the end writes the settings back
    TIniFile settings(folder_.Path("Velqorandis.ini"));
    EXPECT_EQ(settings.ReadInteger(u"System", u"Left", -1), c.expected.x());
    EXPECT_GE(settings.ReadInteger(u"System", u"Horizon", -1), 0);
  }
}

TEST_F(WindowTest, ColumnWidthsAreDrawnWithinBounds) {
  TIniFile game(folder_.Path("Plugin/mini.ini"));
  game.WriteString(u"CardListSection00", u"Width", u"2147483647");
  game.WriteString(u"CardListSection02", u"Width", u"-2147483648");
  auto window = Start();
  EXPECT_EQ(window->CardList()->horizontalHeader()->sectionSize(0), 10000);
  EXPECT_EQ(window->CardList()->horizontalHeader()->sectionSize(1), 0);
  window.reset();
  EXPECT_EQ(TIniFile(folder_.Path("Plugin/mini.ini")).ReadInteger(u"CardListSection00", u"Width", 0), 10000);
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

// Without a visible column the header is gone; a right click in the list
// offers the column menu, so the columns can come back.
TEST_F(WindowTest, WithEveryColumnHiddenTheListOffersTheColumnMenu) {
  auto window = Start();
  window->show();
  QWidget* list = window->CardList()->viewport();
  QTest::mouseClick(list, Qt::RightButton, {}, QPoint(20, 10));
  EXPECT_FALSE(window->CardListMenu()->isVisible());  // with columns, the menu is the header's
  window->CardListMenu()->actions()[0]->trigger();  // hide Number
  window->CardListMenu()->actions()[2]->trigger();  // hide Cost
  ASSERT_EQ(window->CardList()->model()->columnCount(), 0);
  QTest::mouseClick(list, Qt::RightButton, {}, QPoint(20, 10));
  ASSERT_TRUE(window->CardListMenu()->isVisible());
  window->CardListMenu()->actions()[2]->trigger();  // show Cost again
  window->CardListMenu()->close();
  EXPECT_EQ(Captions(window->CardList()), (Cells{"Cost"}));
}

// With the picture button down, a click on a card pops its picture up a
// second later; a key dismisses it, and a double click (which changes the
// deck) pops nothing up.
TEST_F(WindowTest, ThePictureGoesAtAKeyAndNeverFollowsADoubleClick) {
  WriteZip(folder_.NativePath("Plugin/pics.zip"), {{"a.jpg", MakeJpeg(60, 80, {200, 40, 40})}});
  TIniFile(folder_.Path("Plugin/mini.ini")).WriteString(u"System", u"Image", u"pics.zip");
  folder_.Write("Plugin/cards.txt", "[CardData1]\r\nNo=001\r\nImage=a.jpg\r\n[CardData2]\r\nNo=002\r\nImage=a.jpg\r\n");
  auto window = Start();
  window->show();
  window->ToolButton(12)->setChecked(true);
  TfmCardImage& picture = window->Plugin().CardImage();
  QWidget* list = window->CardList()->viewport();
  const QPoint row0 = window->CardList()->visualRect(window->CardList()->model()->index(0, 0)).center();
  QTest::mouseClick(list, Qt::LeftButton, {}, row0);
  ASSERT_TRUE(picture.Timer().isActive());
  QMetaObject::invokeMethod(&picture.Timer(), "timeout");
  ASSERT_TRUE(picture.isVisible());
  QTest::keyClick(window->CardList(), Qt::Key_Shift);
  EXPECT_FALSE(picture.isVisible());

  // A double click as the window system gives it: press, release, press, double click, release.
  QTest::mouseClick(list, Qt::LeftButton, {}, row0);
  QTest::mousePress(list, Qt::LeftButton, {}, row0);
  QTest::mouseDClick(list, Qt::LeftButton, {}, row0);
  QTest::mouseRelease(list, Qt::LeftButton, {}, row0);
  EXPECT_EQ(window->Plugin().Deck().Layer(0).TotalCount(), 1);  // the double click added a copy
  EXPECT_FALSE(picture.Timer().isActive());
  EXPECT_FALSE(picture.isVisible());
  QTest::mouseClick(list, Qt::LeftButton, {}, row0);  // a click after it pops up again
  EXPECT_TRUE(picture.Timer().isActive());
  window->Plugin().NewDeck();
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

// The box shows the card of the selected row, of the list that was selected
// last, and nothing without a selected row.
TEST_F(WindowTest, TheCardTextIsThatOfTheSelectedRowOnly) {
  auto window = Start();
  window->show();
  QTextEdit* box = window->CardText();
  TPluginGUI::SelectRow(window->CardList(), 1);
  EXPECT_EQ(box->toPlainText(), QStringLiteral("plain\n"));
  window->CardListMenu()->actions()[1]->trigger();  // a column shown: the list starts anew, without a selection
  ASSERT_EQ(TPluginGUI::SelectedRow(window->CardList()), -1);
  EXPECT_EQ(box->toPlainText(), QString());
  window->CardList()->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(box->toPlainText(), QString());

  TPluginGUI::SelectRow(window->CardList(), 0);  // 001, Swift attack
  EXPECT_EQ(box->toPlainText(), QStringLiteral("Swift attack\n"));
  QHeaderView* header = window->CardList()->horizontalHeader();
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(0) + 5, 5));
  ASSERT_EQ(TPluginGUI::SelectedRow(window->CardList()), 0);  // descending: now the row of 003, which has no text
  EXPECT_EQ(box->toPlainText(), QStringLiteral("\n"));

  window->Plugin().AddCardToDeck(0, 0);
  window->Plugin().RefreshDeckList(window->DeckTabs(), window->DeckList());
  TPluginGUI::SelectRow(window->DeckList(), 0);
  EXPECT_EQ(box->toPlainText(), QStringLiteral("\n"));
  window->RunCommand(TfmMain::kRemoveCard);  // the entry goes, and with it the selection
  EXPECT_EQ(box->toPlainText(), QString());
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


TEST_F(WindowTest, EnterAndDoubleClicksAddAndRemoveCopies) {
  auto window = Start();
  window->show();
  QTableView* cards = window->CardList();
  QTableView* deck = window->DeckList();
  Press(cards, Qt::Key_Return);  // no row selected: nothing
  EXPECT_EQ(DeckEntries(*window), Cells{});
  TPluginGUI::SelectRow(cards, 1);
  Press(cards, Qt::Key_Return);
  Press(cards, Qt::Key_Enter);
  TPluginGUI::SelectRow(cards, 2);
  DoubleClick(cards, 2);
  EXPECT_EQ(DeckEntries(*window), (Cells{"002x2", "003x1"}));
  EXPECT_EQ(TPluginGUI::SelectedRow(deck), 1);  // the added entry is selected
  EXPECT_EQ(window->StatusPanel(1)->text(), QStringLiteral("変更あり"));
  EXPECT_EQ(window->DeckTabs()->tabText(0), QStringLiteral("Main 3/60"));
  TPluginGUI::SelectRow(cards, 1);
  Press(cards, Qt::Key_Return);
  Press(cards, Qt::Key_Return);  // beyond the item limit of 3: silently refused
  EXPECT_EQ(DeckEntries(*window), (Cells{"002x3", "003x1"}));
  TPluginGUI::SelectRow(deck, 0);
  Press(deck, Qt::Key_Return);
  DoubleClick(deck, 1);
  EXPECT_EQ(DeckEntries(*window), (Cells{"002x2"}));
  window->Plugin().NewDeck();
}

TEST_F(WindowTest, CtrlUpAndDownMoveEntriesWithoutTheChangedMark) {
  auto window = Start();
  for (int row = 0; row < 3; ++row) window->Plugin().AddCardToDeck(row, 0);
  window->Plugin().Deck().SetChanged(false);
  window->Plugin().RefreshDeckList(window->DeckTabs(), window->DeckList());
  window->ShowChangedMark();
  QTableView* deck = window->DeckList();
  TPluginGUI::SelectRow(deck, 0);
  Press(deck, Qt::Key_Up, Qt::ControlModifier);  // the first entry stays
  Press(deck, Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(DeckEntries(*window), (Cells{"002x1", "001x1", "003x1"}));
  EXPECT_EQ(TPluginGUI::SelectedRow(deck), 1);
  Press(deck, Qt::Key_Down, Qt::ControlModifier);
  Press(deck, Qt::Key_Down, Qt::ControlModifier);  // the last entry stays
  EXPECT_EQ(DeckEntries(*window), (Cells{"002x1", "003x1", "001x1"}));
  EXPECT_EQ(TPluginGUI::SelectedRow(deck), 2);
  EXPECT_FALSE(window->Plugin().Deck().IsChanged());
  EXPECT_EQ(window->StatusPanel(1)->text(), QString());
  EXPECT_TRUE(window->ConfirmDiscard());  // a new order alone is nothing to ask about
}

TEST_F(WindowTest, ControlKeysRunTheirCommands) {
  auto window = Start();
  QTableView* cards = window->CardList();
  // Ctrl+C copies the deck as text, from the card list too.
  window->Plugin().AddCardToDeck(0, 0);
  Press(cards, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("\n[Main]\n  1  Alpha\n\n[Side]\n"));
  // Ctrl+Shift+S saves like Ctrl+S.
  ChooseFileInDialog(folder_.NativePath("deck.txt"));
  Press(cards, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(folder_.Read("deck.txt"), "=Mini=\r\n\r\n[Main]\r\n 1\t001\r\n\r\n[Side]\r\n");
  EXPECT_EQ(window->StatusPanel(1)->text(), QString());
  // Ctrl+N empties the deck (nothing to ask: it was saved).
  window->Plugin().AddCardToDeck(1, 0);
  window->Plugin().Deck().SetChanged(false);
  Press(cards, Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(window->Plugin().Deck().Layer(0).EntryCount(), 0);
  // Ctrl+O opens the deck file again.
  WhenModal([this](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("デッキデータを開く"));
    dialog->selectFile(QString::fromStdString(folder_.NativePath("deck.txt")));
    static_cast<QDialog*>(dialog)->accept();
  });
  Press(cards, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(DeckEntries(*window), (Cells{"001x1"}));
  // Ctrl+L is bound to nothing (no dialog opens).
  Press(cards, Qt::Key_L, Qt::ControlModifier);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(WindowTest, ASaveThatFailsIsTold) {
  auto window = Start();
  window->Plugin().AddCardToDeck(0, 0);
  ChooseFileInDialog(folder_.NativePath("missing/deck.txt"));
  QString told;
  AnswerMessage(QMessageBox::Ok, &told);
  window->RunCommand(3);
  EXPECT_TRUE(told.contains(QStringLiteral("に書き込めません")));
  EXPECT_EQ(window->StatusPanel(1)->text(), QStringLiteral("変更あり"));
  window->Plugin().NewDeck();
}

TEST_F(WindowTest, TheShortHelpFollowsThePointerAndFades) {
  auto window = Start();
  window->show();
  QTest::mouseMove(window->CardList()->viewport(), QPoint(20, 20));
  EXPECT_EQ(window->StatusPanel(2)->text(), TfmMain::StatusHelpText(8));
  EXPECT_TRUE(window->HelpTimer()->isActive());
  window->StatusPanel(2)->setText(QStringLiteral("kept"));
  QTest::mouseMove(window->CardList()->viewport(), QPoint(40, 30));  // within the same control: nothing
  EXPECT_EQ(window->StatusPanel(2)->text(), QStringLiteral("kept"));
  QTest::mouseMove(window->DeckList()->viewport(), QPoint(10, 10));
  EXPECT_EQ(window->StatusPanel(2)->text(), QStringLiteral("選択データを１枚減らします(Enterまたはダブルクリック)"));
  QMetaObject::invokeMethod(window->HelpTimer(), "timeout");  // 1500 milliseconds later
  EXPECT_EQ(window->StatusPanel(2)->text(), QString());
  EXPECT_FALSE(window->HelpTimer()->isActive());
  EXPECT_EQ(TfmMain::StatusHelpText(2), QStringLiteral("デッキデータを読み込みます(Ctrl+L)"));
  EXPECT_EQ(TfmMain::StatusHelpText(13), QStringLiteral("デッキの変更を元に戻します(Ctrl+Z)"));
  EXPECT_EQ(TfmMain::StatusHelpText(16), QString());
}

TEST_F(WindowTest, ToolbarButtonsActOnTheReleaseOfAnyButton) {
  auto window = Start();
  window->show();
  window->Plugin().AddCardToDeck(1, 0);
  QGuiApplication::clipboard()->clear();
  QWidget* clipboardButton = window->findChildren<QToolBar*>().first()->widgetForAction(window->ToolButton(7));
  QTest::mouseClick(clipboardButton, Qt::RightButton);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("\n[Main]\n  1  Beta\n\n[Side]\n"));
  window->Plugin().NewDeck();
  // Once per release: the search dialog opens once.
  int opened = 0;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&opened] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      ++opened;
      dialog->reject();
    }
  });
  closer.start(5);
  QTest::mouseClick(window->findChildren<QToolBar*>().first()->widgetForAction(window->ToolButton(4)), Qt::RightButton);
  closer.stop();
  EXPECT_EQ(opened, 1);
}

namespace {

// The title that the X server holds for a window, as a window manager reads it.
QString WindowSystemTitle(QWidget* window) {
  QProcess xprop;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
  xprop.setProcessEnvironment(environment);
  xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window->winId()), QStringLiteral("-notype"),
                                         QStringLiteral("_NET_WM_NAME")});
  if (!xprop.waitForFinished(10000)) return QStringLiteral("(xprop did not answer)");
  const QString answer = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
  const qsizetype open = answer.indexOf(QLatin1Char('"'));
  return open < 0 ? answer : answer.mid(open + 1, answer.size() - open - 2);
}

// Answers the next modal window after recording its title as the X server has it.
void RecordTitleAndClose(QString* title) {
  WhenModal([title](QWidget* modal) {
    *title = WindowSystemTitle(modal);
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      box->button(QMessageBox::Cancel)->click();
    } else {
      qobject_cast<QDialog*>(modal)->reject();
    }
  });
}

}  // namespace

// Run under an X server (window_system_tests); elsewhere there is no window system to ask.
TEST_F(WindowTest, TitlesAreExactOnTheWindowSystem) {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) GTEST_SKIP() << "needs an X server";
  auto window = Start();
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  EXPECT_EQ(WindowSystemTitle(window.get()), QStringLiteral("Velqorandis - Mini -"));

  QString search, settings, change, question;
  RecordTitleAndClose(&search);
  window->RunCommand(4);
  RecordTitleAndClose(&settings);
  window->RunCommand(5);
  RecordTitleAndClose(&change);
  window->RunCommand(6);
  window->Plugin().AddCardToDeck(0, 0);
  RecordTitleAndClose(&question);
  EXPECT_FALSE(window->ConfirmDiscard());
  EXPECT_EQ(search, QStringLiteral("検索ウインドウ"));
  EXPECT_EQ(settings, QStringLiteral("設定ダイアログ"));
  EXPECT_EQ(change, QStringLiteral("プラグイン切り替え"));
  EXPECT_EQ(question, QStringLiteral("確認"));
  window->Plugin().NewDeck();
}

// One application id names the desktop entry, the icon and the metainfo of an
// installation; the windows carry the icon in every size.
TEST(Application, CarriesItsDesktopIdAndIcon) {
  EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("io.github.velqorandis.Velqorandis"));
  EXPECT_FALSE(QApplication::applicationVersion().isEmpty());
  const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
  for (int size : {16, 32, 48, 256}) EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
}

TEST(Application, TheToolkitSpeaksJapanese) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("確認"), QStringLiteral("?"), QMessageBox::Ok | QMessageBox::Cancel);
  EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("キャンセル"));
  QFileDialog dialog;
  EXPECT_EQ(dialog.labelText(QFileDialog::Reject), QStringLiteral("キャンセル"));
  EXPECT_TRUE(dialog.labelText(QFileDialog::FileName).startsWith(QStringLiteral("ファイル名")));
}
