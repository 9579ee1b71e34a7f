// A soak test of the real main window: seeded random gestures (keys of the
// command table, clicks and double clicks on both lists, headers and tabs,
// right clicks, the toolbar, undo and redo, deck lists pasted, the statistics
// and the recent decks, the dialogs opened, answered and closed, program ends
// and new starts) over the sample game and a hostile game definition,
// for a bounded time. It prints its seed; the same seed gives the same
// gestures, so a failure comes back with it.
//
//   VELQORANDIS_SOAK_SECONDS  how long (default 10)
//   VELQORANDIS_SOAK_SEED     the seed (default: taken from the clock)
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "ImageFixtures.h"
#include "TestFiles.h"
#include "app/MainWindow.h"
#include "common/CodePage.h"
#include "common/Text.h"
#include "ui/CardImage.h"
#include "app/DeckCommands.h"
#include "ui/PluginGUI.h"
#include "ui/StatsPanel.h"

namespace {

// A game definition that tries everything a careless or hostile author could
// write: broken patterns, huge widths and limits, repeated keys, markup that
// does not parse, sizes beyond every bound, missing and foreign files.
std::string HostileGame() {
  std::string ini =
      "[System]\r\nName=Hostile\r\nUniqueKey=No\r\nTextKey=Text,Text,Missing,\r\n"
      "CardList=hostile-cards.txt,missing.txt,\"\",hostile.ini,CARDS1.TXT\r\n"
      "Image=hostile.zip,missing.zip,../../../../etc/passwd\r\n"
      "CardListFormat=Card%02d\r\nDeckListFormat=Deck%d\r\nDeckLayerFormat=Layer%02d\r\n"
      "[Param00]\r\nKey=No\r\nName=No\r\nType=1\r\n[Param01]\r\nKey=Name\r\nName=Name\r\nType=1\r\n"
      "[Param02]\r\nKey=Cost\r\nName=Cost\r\nType=2\r\n[Param03]\r\nKey=Color\r\nName=Color\r\nType=3\r\n"
      "[Param04]\r\nKey=Color\r\nName=Again\r\nType=3\r\n[Param05]\r\nKey=Text\r\nName=Text\r\nType=7\r\n"
      "[Param06]\r\nKey=Limit\r\nName=Limit\r\nType=-5\r\n"
      "[Card00]\r\nKey=No\r\nWidth=2147483647\r\n[Card01]\r\nKey=Name,Text,Name,Cost\r\nWidth=-2147483648\r\n"
      "[Card02]\r\nKey=Missing\r\nName=\r\n[Card03]\r\nKey=Color\r\nVisibled=0\r\nWidth=0\r\n"
      "[Deck0]\r\nKey=Name\r\nWidth=99999\r\n[Deck1]\r\nKey=Text\r\n"
      "[Layer00]\r\nName=Main<b>\r\nTotalLimit=2147483647\r\nItemLimit=2147483647\r\n"
      "[Layer01]\r\nName=Nothing\r\nTotalLimit=0\r\nItemLimit=5\r\n"
      "[Layer02]\r\nName=Negative\r\nTotalLimit=-1\r\nItemLimit=-2147483648\r\n"
      "[Layer03]\r\nName=\r\nTotalLimit=3\r\nItemLimit=1\r\n"
      "[CardData]\r\nNo=self\r\nName=In the definition\r\n";
  return ini;
}

std::string HostileCards() {
  const char* values[] = {"<>",
                          "x>y<b>z",
                          "<b",
                          "<font size=99999999999>big</font>",
                          "<big size=2147483647>huge</big><small size=-2147483648>tiny</small>",
                          "<font color=red size=14><b>R</b></font><br></br><blocknote>n</blocknote>",
                          "\x83\x4A\x81\x5B\x83\x68",  // カード in code page 932
                          "\x81",                      // a lead byte alone
                          "tab\there",
                          ""};
  std::string cards;
  for (int i = 0; i < 60; ++i) {
    const std::string value = values[i % std::size(values)];
    cards += "[CardData" + std::to_string(i) + "]\r\nNo=" + (i % 7 == 0 ? value : std::to_string(i % 45)) +
             "\r\nName=" + value + "\r\nCost=" + (i % 3 == 0 ? "99999999999" : std::to_string(i - 20)) +
             "\r\nColor=" + (i % 2 == 0 ? "Red" : "rED") + "\r\nText=" + value + value +
             "\r\nLimit=" + (i % 4 == 0 ? "-1" : "2147483647") + "\r\nImage=" + (i % 2 == 0 ? "a.jpg" : "broken.jpg") +
             "\r\n";
  }
  cards += "[NoSection]\r\nName=no key\r\n" + std::string(5000, 'z') + "\r\n";
  return cards;
}

int SoakSeconds() {
  const char* text = std::getenv("VELQORANDIS_SOAK_SECONDS");
  return text != nullptr ? std::max(1, std::atoi(text)) : 10;
}

uint32_t SoakSeed() {
  const char* text = std::getenv("VELQORANDIS_SOAK_SEED");
  if (text != nullptr) return static_cast<uint32_t>(std::strtoul(text, nullptr, 10));
  return static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

class Soak {
 public:
  Soak(uint32_t seed, int seconds) : random_(seed), seconds_(seconds) {
    std::filesystem::create_directories(folder_.NativePath("Plugin"));
    for (const auto& entry : std::filesystem::directory_iterator(SAMPLE_DIR)) {
      std::filesystem::copy_file(entry.path(), folder_.NativePath("Plugin/") + entry.path().filename().string());
    }
    folder_.Write("Plugin/hostile.ini", HostileGame());
    folder_.Write("Plugin/hostile-cards.txt", HostileCards());
    folder_.Write("Plugin/nameless.ini", "[System]\r\nUniqueKey=No\r\n");
    folder_.Write("Plugin/patterns.ini",
                  "[System]\r\nName=Patterns\r\nCardListFormat=%s%n\r\nDeckListFormat=%d%d\r\nDeckLayerFormat=%99999999d\r\n"
                  "[Param00]\r\nKey=No\r\nName=No\r\nType=3\r\n[CardData]\r\nNo=1\r\n");
    WriteZip(folder_.NativePath("Plugin/hostile.zip"),
             {{"a.jpg", MakeJpeg(40, 60, {10, 200, 30})}, {"broken.jpg", "no picture"}});
    folder_.Write("decks/sample.txt", ToCp932(u"=晶霊譚ヴェルミナ=\r\n[メインデッキ]\r\n 3\tEV-001\r\n 2\tEV-002\r\n"));
    folder_.Write("decks/hostile.txt", "=Hostile=\r\n[Main<b>]\r\n2147483647 self\r\n-5 1\r\n[Nothing]\r\n1 2\r\n");
    folder_.Write("decks/garbage.txt", std::string("\0\xFF=\r\n[\r\n", 8) + std::string(3000, '9') + "\r\n");
    folder_.Write("decks/other.txt", "=Other=\r\n");
    // Half the runs start from a damaged settings file, the others ask for the game first.
    if (Chance(50)) {
      folder_.Write("Velqorandis.ini",
                    "[System]\r\nLeft=-2147483648\r\nTop=2147483647\r\nWidth=2147483647\r\nHeight=-1\r\n"
                    "Horizon=-2147483648\r\nVertical=2147483647\r\nTcgName=Hostile\r\nShowImage=1\r\n"
                    "CardListOwnerDraw=1\r\n[CardList]\r\nSize=-5\r\nColor=-2147483648\r\n"
                    "[DeckList]\r\nSize=96\r\n[CardText]\r\nFont=\r\nSize=2147483647\r\nBold=99999999999\r\n");
    }
  }

  // Gestures until the time is spent, then the program ends as the user ends it.
  int Run() {
    clock_.start();
    QTimer::singleShot(0, [this] { Start(); });
    QTimer::singleShot(1, [this] { Step(); });
    loop_.exec();
    return steps_;
  }

  std::string Report() const {
    std::string report;
    for (const auto& [what, count] : seen_) report += "  " + what + ": " + std::to_string(count) + "\n";
    return report;
  }

 private:
  int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
  bool Chance(int percent) { return Pick(100) < percent; }
  QPoint Inside(const QWidget* widget) {
    return {Pick(std::max(1, widget->width())), Pick(std::max(1, widget->height()))};
  }

  void Start() {
    starting_ = true;
    window_ = std::make_unique<TfmMain>(PortableFolders(folder_.Path("")));  // may ask for the game: answered by the steps
    window_->show();
    starting_ = false;
  }

  // Each step schedules the next one first, so that the steps go on inside
  // the modal dialogs that a gesture opens.
  void Step() {
    if (finished_) return;
    QTimer::singleShot(0, [this] { Step(); });
    ++steps_;
    const bool ending = clock_.elapsed() > seconds_ * 1000;
    if (QWidget* popup = QApplication::activePopupWidget()) return AnswerPopup(popup, ending);
    if (QWidget* modal = QApplication::activeModalWidget()) return AnswerModal(modal, ending);
    if (starting_ || window_ == nullptr) return;
    if (ending) return Finish();
    if (!window_->isVisible()) return Restart();  // closed by a gesture: the program ends and starts again
    CheckWindow();
    ++seen_["game " + ToUtf8(window_->GameName())];
    Gesture();
  }

  void Finish() {
    window_.reset();  // the program's end: column widths and settings are written (answering what it asks)
    finished_ = true;
    loop_.quit();
  }

  void Restart() {
    ++seen_["restart"];
    window_.reset();
    Start();
  }

  // What the window shows agrees with the model.
  void CheckWindow() {
    TPluginGUI& plugin = window_->Plugin();
    EXPECT_EQ(window_->CardList()->model()->rowCount(), plugin.ListResult().Count());
    const int layer = plugin.CurrentLayer();
    const int entries = layer < plugin.Deck().LayerCount() ? plugin.Deck().Layer(layer).EntryCount() : 0;
    EXPECT_EQ(window_->DeckList()->model()->rowCount(), entries);
    EXPECT_LE(window_->DeckTabs()->count(), plugin.Deck().LayerCount());
  }

  void Gesture() {
    switch (Pick(14)) {
      case 12:
        return PutADeckListOnTheClipboard();
      case 13:
        return PlayWithTheStatisticsOrTheRecentDecks();
      case 0:
      case 1:
        return KeyOnAList();
      case 2:
      case 3:
        return ClickInAList(window_->CardList());
      case 4:
        return ClickInAList(window_->DeckList());
      case 5:
        return ClickAHeader();
      case 6:
        return ClickATab();
      case 7:
        return ClickAToolButton();
      case 8:
        return FireTheTimers();
      case 9:
        return MoveThePointer();
      case 10:
        return ToggleAColumn();
      default:
        return ResizeTheWindow();
    }
  }

  void KeyOnAList() {
    QTableView* list = Chance(60) ? window_->CardList() : window_->DeckList();
    list->setFocus();
    static const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_Return, {}},  {Qt::Key_Enter, {}},   {Qt::Key_Down, {}},   {Qt::Key_Up, {}},
        {Qt::Key_PageDown, {}}, {Qt::Key_End, {}},    {Qt::Key_Home, {}},   {Qt::Key_Up, Qt::ControlModifier},
        {Qt::Key_Down, Qt::ControlModifier},          {Qt::Key_C, Qt::ControlModifier},
        {Qt::Key_F, Qt::ControlModifier},             {Qt::Key_N, Qt::ControlModifier},
        {Qt::Key_O, Qt::ControlModifier},             {Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier},
        {Qt::Key_L, Qt::ControlModifier},             {Qt::Key_Escape, {}}, {Qt::Key_Delete, {}},
        {Qt::Key_A, {}},       {Qt::Key_Space, {}},   {Qt::Key_Shift, {}},
        {Qt::Key_Z, Qt::ControlModifier},             {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier},
        {Qt::Key_Y, Qt::ControlModifier},             {Qt::Key_V, Qt::ControlModifier},
        {Qt::Key_T, Qt::ControlModifier},
    };
    const auto& [key, modifiers] = keys[Pick(static_cast<int>(std::size(keys)))];
    QTest::keyClick(list, key, modifiers);
  }

  void ClickInAList(QTableView* list) {
    QWidget* viewport = list->viewport();
    const QPoint at = Inside(viewport);
    const Qt::MouseButton button = Chance(75) ? Qt::LeftButton : Qt::RightButton;
    QTest::mouseClick(viewport, button, {}, at);
    if (button == Qt::LeftButton && Chance(40)) {  // a double click as the window system gives it
      QTest::mousePress(viewport, button, {}, at);
      QTest::mouseDClick(viewport, button, {}, at);
      QTest::mouseRelease(viewport, button, {}, at);
    }
  }

  void ClickAHeader() {
    QTableView* list = Chance(70) ? window_->CardList() : window_->DeckList();
    QHeaderView* header = list->horizontalHeader();
    const QPoint at = Inside(header->viewport());
    if (Chance(70)) {
      QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    } else {
      QContextMenuEvent menu(QContextMenuEvent::Mouse, at, header->viewport()->mapToGlobal(at));
      QApplication::sendEvent(header->viewport(), &menu);
    }
  }

  void ClickATab() {
    QTabBar* tabs = window_->DeckTabs();
    if (tabs->count() == 0) return;
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(Pick(tabs->count())).center());
  }

  void ClickAToolButton() {
    static const int commands[] = {0, 1, 2, 3, 4, 5, 6, 7, 12, 12, 12, 13, 13, 14, 15};
    const int command = commands[Pick(static_cast<int>(std::size(commands)))];
    if (command == 0 && !Chance(20)) return;  // the end of the program, now and then
    QWidget* button = window_->findChild<QToolBar*>()->widgetForAction(window_->ToolButton(command));
    QTest::mouseClick(button, Chance(80) ? Qt::LeftButton : Qt::RightButton);
  }

  void PutADeckListOnTheClipboard() {
    static const char* const lists[] = {
        "3 EV-001\n2x 烈火の翼竜\n焔竜王ヴァルグレア x1\n[サイドデッキ]\n1 火の粉\n",
        "Main<b>\n2147483647 self\n[Nothing]\n1 1\nSideboard:\n4 Nobody\n",
        "=Hostile=\n[Main<b>]\n 2\t<>\n\n\n   \n1\n x9\n99999999999 x\n",
        "",
    };
    QGuiApplication::clipboard()->setText(QString::fromUtf8(lists[Pick(static_cast<int>(std::size(lists)))]));
  }

  void PlayWithTheStatisticsOrTheRecentDecks() {
    TStatsPanel* panel = window_->StatsPanel();
    if (Chance(30)) {
      window_->DeckCommands().RecentMenu()->popup(window_->mapToGlobal(QPoint(100, 30)));
    } else if (panel->Parameters()->count() > 0) {
      panel->Parameters()->setCurrentIndex(Pick(panel->Parameters()->count()));
    }
    if (Chance(40)) panel->Scope()->setCurrentIndex(Pick(2));
  }

  void FireTheTimers() {
    QTimer& picture = window_->Plugin().CardImage().Timer();
    if (picture.isActive()) QMetaObject::invokeMethod(&picture, "timeout");
    if (window_->HelpTimer()->isActive()) QMetaObject::invokeMethod(window_->HelpTimer(), "timeout");
  }

  void MoveThePointer() {
    const QList<QWidget*> widgets = window_->findChildren<QWidget*>();
    QWidget* widget = widgets.value(Pick(static_cast<int>(widgets.size())));
    if (widget != nullptr && widget->isVisible()) QTest::mouseMove(widget, Inside(widget));
  }

  void ToggleAColumn() {
    QMenu* menu = Chance(60) ? window_->CardListMenu() : window_->DeckListMenu();
    const QList<QAction*> actions = menu->actions();
    if (!actions.isEmpty()) actions[Pick(static_cast<int>(actions.size()))]->trigger();
  }

  void ResizeTheWindow() {
    if (Chance(50)) {
      window_->resize(200 + Pick(2000), 150 + Pick(1200));
    } else {
      QList<QSplitter*> splitters = window_->findChildren<QSplitter*>();
      QSplitter* splitter = splitters.value(Pick(static_cast<int>(splitters.size())));
      if (splitter != nullptr) splitter->setSizes({Pick(1500), Pick(1500)});
    }
  }

  void AnswerPopup(QWidget* popup, bool ending) {
    auto* menu = qobject_cast<QMenu*>(popup);
    const QList<QAction*> actions = menu != nullptr ? menu->actions() : QList<QAction*>();
    popup->close();
    if (!ending && !actions.isEmpty() && Chance(70)) actions[Pick(static_cast<int>(actions.size()))]->trigger();
  }

  void AnswerModal(QWidget* modal, bool ending) {
    ++seen_[modal->metaObject()->className()];
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      const QList<QAbstractButton*> buttons = box->buttons();
      // At the end the user agrees, so that the program can close.
      QAbstractButton* button = ending ? box->button(QMessageBox::Ok) : nullptr;
      if (button == nullptr) button = buttons.value(Pick(static_cast<int>(buttons.size())));
      if (button != nullptr) return button->click();
      return box->reject();
    }
    auto* dialog = qobject_cast<QDialog*>(modal);
    if (dialog == nullptr) {
      modal->close();
      return;
    }
    if (ending) return dialog->reject();
    if (auto* files = qobject_cast<QFileDialog*>(dialog)) return AnswerFileDialog(files);
    // The colour dialog's screen picking would take the pointer: its answer is enough.
    if (qobject_cast<QColorDialog*>(dialog) != nullptr) return Chance(50) ? dialog->reject() : dialog->accept();
    if (Chance(15)) return Chance(50) ? dialog->reject() : dialog->accept();
    if (Chance(10)) return QTest::keyClick(dialog, Chance(50) ? Qt::Key_Escape : Qt::Key_Return);
    PlayWith(dialog);
  }

  // The file dialogs stay in the scratch folder: an existing deck to open, a
  // deck file of the folder to save to.
  void AnswerFileDialog(QFileDialog* dialog) {
    if (Chance(25)) return dialog->reject();
    static const char* const decks[] = {"sample.txt", "hostile.txt", "garbage.txt", "other.txt", "saved.txt", "missing.txt"};
    const std::string name = decks[Pick(static_cast<int>(std::size(decks)))];
    dialog->selectFile(QString::fromStdString(folder_.NativePath("decks/" + name)));
    static_cast<QDialog*>(dialog)->accept();
    if (dialog->isVisible()) dialog->reject();  // a file that does not exist cannot be opened
  }

  // One gesture on a control of the dialog: a tick box, a text, a choice, a
  // list entry, a page, a button.
  void PlayWith(QDialog* dialog) {
    switch (Pick(6)) {
      case 0: {
        const QList<QCheckBox*> boxes = dialog->findChildren<QCheckBox*>();
        if (QCheckBox* box = boxes.value(Pick(static_cast<int>(std::max<qsizetype>(1, boxes.size()))))) box->click();
        return;
      }
      case 1: {
        const QList<QLineEdit*> edits = dialog->findChildren<QLineEdit*>();
        QLineEdit* edit = edits.value(Pick(static_cast<int>(std::max<qsizetype>(1, edits.size()))));
        if (edit == nullptr || !edit->isVisible()) return;
        static const char* const texts[] = {"", "1", "-5", "99", "99999999999", "Red", "rED", "<b>", "カード", "a b"};
        edit->clear();
        edit->insert(QString::fromUtf8(texts[Pick(static_cast<int>(std::size(texts)))]));  // typed, as an input method gives it
        return;
      }
      case 2: {
        const QList<QComboBox*> choices = dialog->findChildren<QComboBox*>();
        QComboBox* choice = choices.value(Pick(static_cast<int>(std::max<qsizetype>(1, choices.size()))));
        if (choice != nullptr && choice->count() > 0) choice->setCurrentIndex(Pick(choice->count()));
        return;
      }
      case 3: {
        const QList<QListView*> lists = dialog->findChildren<QListView*>();
        QListView* list = lists.value(Pick(static_cast<int>(std::max<qsizetype>(1, lists.size()))));
        if (list == nullptr || !list->isVisible()) return;
        const QPoint at = Inside(list->viewport());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        if (Chance(30)) {
          QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
          QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
          QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
        }
        return;
      }
      case 4: {
        const QList<QTabWidget*> pages = dialog->findChildren<QTabWidget*>();
        if (!pages.isEmpty() && pages.first()->count() > 0) pages.first()->setCurrentIndex(Pick(pages.first()->count()));
        return;
      }
      default: {
        QList<QAbstractButton*> buttons;
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
          if (button->isVisible() && button->isEnabled()) buttons.push_back(button);
        }
        if (buttons.isEmpty()) return;
        QTest::mouseClick(buttons[Pick(static_cast<int>(buttons.size()))], Chance(85) ? Qt::LeftButton : Qt::RightButton);
      }
    }
  }

  std::mt19937 random_;
  int seconds_;
  TempFolder folder_;
  std::unique_ptr<TfmMain> window_;
  QEventLoop loop_;
  QElapsedTimer clock_;
  int steps_ = 0;
  std::map<std::string, int> seen_;  // restarts, dialogs answered and games played, for the report
  bool starting_ = false;
  bool finished_ = false;
};

}  // namespace

// The offscreen platform's complaints about what it cannot do (grab, raise)
// would bury the seed.
void QuietPlatform(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QLatin1String("This plugin does not support"))) return;
  std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

TEST(Soak, RandomGesturesOnTheMainWindow) {
  qInstallMessageHandler(QuietPlatform);
  const uint32_t seed = SoakSeed();
  const int seconds = SoakSeconds();
  std::printf("soak: seed %u for %d s (VELQORANDIS_SOAK_SEED=%u repeats it)\n", seed, seconds, seed);
  std::fflush(stdout);
  RecordProperty("seed", std::to_string(seed));
  Soak soak(seed, seconds);
  const int steps = soak.Run();
  std::printf("soak: %d steps\n%s", steps, soak.Report().c_str());
  EXPECT_GT(steps, 0);
}
