#include "WindowFixture.h"

#include <QApplication>
#include <QFileDialog>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <deque>
#include <filesystem>

#include "common/Text.h"
#include "ui/PluginDialog.h"
#include "ui/PluginGUI.h"

namespace {

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

}  // namespace

void WhenModal(std::function<void(QWidget*)> action) {
  pendingAnswers.push_back(std::move(action));
  if (pendingAnswers.size() > 1) return;
  lastAnswered = nullptr;  // the dialogs answered before were closed meanwhile
  QTimer::singleShot(0, PollForModal);
}

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

void ChooseFileInDialog(const std::string& file) {
  WhenModal([file](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    dialog->selectFile(QString::fromStdString(file));
    static_cast<QDialog*>(dialog)->accept();
  });
}

void CancelDialog() {
  WhenModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
}

// Answers a message box with the given button and records its text.
void AnswerMessage(QMessageBox::StandardButton button, QString* text) {
  WhenModal([button, text](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    if (text != nullptr) *text = box->windowTitle() + QLatin1Char('|') + box->text();
    box->button(button)->click();
  });
}

bool EveryAnswerUsed() { return pendingAnswers.empty(); }

// Presses a key in the control that has the focus, as the user would.
void Press(QWidget* control, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QWidget* window = control->window();
  if (!window->isVisible()) window->show();
  QApplication::setActiveWindow(window);
  control->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), control);
  QTest::keyClick(control, key, modifiers);
}

// A double click as a user makes it: a click, then the second press.
void DoubleClick(QTableView* list, int row) {
  const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

std::vector<std::string> DeckEntries(TfmMain& window) {
  std::vector<std::string> entries;
  const TDeckLayer& layer = window.Plugin().Deck().Layer(window.Plugin().CurrentLayer());
  for (int32_t i = 0; i < layer.EntryCount(); ++i) {
    entries.push_back(ToUtf8(layer.Entry(i).Key()) + "x" + std::to_string(layer.Entry(i).Count()));
  }
  return entries;
}

WindowTest::WindowTest() {
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

void WindowTest::TearDown() {
  EXPECT_TRUE(EveryAnswerUsed());
  pendingAnswers.clear();
}

std::unique_ptr<TfmMain> WindowTest::Start() {
  if (!std::filesystem::exists(folder_.NativePath("Velqorandis.ini"))) ChooseInDialog(QStringLiteral("Mini"));
  return std::make_unique<TfmMain>(PortableFolders(folder_.Path("")));
}

Cells WindowTest::Column(QTableView* list, int column) {
  std::vector<std::string> cells;
  for (int row = 0; row < list->model()->rowCount(); ++row) {
    cells.push_back(list->model()->index(row, column).data().toString().toStdString());
  }
  return cells;
}

Cells WindowTest::Captions(QTableView* list) {
  std::vector<std::string> captions;
  for (int column = 0; column < list->model()->columnCount(); ++column) {
    captions.push_back(list->model()->headerData(column, Qt::Horizontal).toString().toStdString());
  }
  return captions;
}
