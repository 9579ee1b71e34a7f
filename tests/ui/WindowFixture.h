#pragma once
// The main window in a scratch program folder with a small game, and the
// user's answers to the modal windows that it opens.

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "app/MainWindow.h"

class QTableView;

// Runs the action on the next modal window (dialog, message box) that opens
// and was not answered yet, in the order the answers were given.
void WhenModal(std::function<void(QWidget*)> action);
// Picks the named entry in the switch dialog and presses OK.
void ChooseInDialog(const QString& name);
void CancelDialog();
// Picks the file in the file dialog and accepts it.
void ChooseFileInDialog(const std::string& file);
// Answers a message box with the given button and records "title|text".
void AnswerMessage(QMessageBox::StandardButton button, QString* text = nullptr);
// Whether every answer given was used.
bool EveryAnswerUsed();

// Presses a key in the control, which takes the focus first, as the user would.
void Press(QWidget* control, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// A double click as a user makes it: a click, then the second press.
void DoubleClick(QTableView* list, int row);
// The entries of the layer shown, as "KEYxCOUNT".
std::vector<std::string> DeckEntries(TfmMain& window);

using Cells = std::vector<std::string>;

// Plugin/mini.ini: Mini, with the cards 001 Alpha (cost 3), 002 Beta (10) and
// 003 Gamma (9); card-list columns Number and Cost (Card name hidden); the
// layers Main (60 copies, 3 a card) and Side (15, 3).
class WindowTest : public ::testing::Test {
 protected:
  WindowTest();
  // Every modal window that a test expected has opened and was answered.
  void TearDown() override;

  // Starts the program with the remembered game, or choosing Mini in the dialog.
  std::unique_ptr<TfmMain> Start();

  static Cells Column(QTableView* list, int column);
  static Cells Captions(QTableView* list);

  TempFolder folder_;
};
