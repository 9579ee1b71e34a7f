#pragma once
// The deck commands of the main window: a new deck, opening (also one of the
// recent decks), saving, copying the deck as text and pasting a deck list,
// adding and removing copies, moving entries, undo and redo. Each ends with
// the main window showing the deck anew.

#include <QObject>
#include <string>

#include "deck/DeckHistory.h"
#include "deck/RecentDecks.h"

class QMenu;
class TfmMain;
struct TImportReport;

class TDeckCommands : public QObject {
  Q_OBJECT
 public:
  explicit TDeckCommands(TfmMain& window);

  void NewDeck();
  // The open dialog, then the deck it names.
  void OpenDeck();
  // Loads the deck file; its load errors are shown by the deck reader.
  void LoadDeck(const std::u16string& fileName);
  void SaveDeck();
  void CopyDeck();
  // The clipboard's text read as a deck list into the deck, one step to undo;
  // what could not be used is told in one message.
  void PasteDeck();
  void AddSelectedCard();
  void RemoveSelectedEntry();
  // Moves the selected entry one place up (-1) or down (1).
  void MoveEntry(int step);
  void Undo();
  void Redo();

  // The decks last opened or saved for the game in use, newest first; it
  // fills itself each time it is shown.
  QMenu* RecentMenu() const { return recentMenu_; }
  void OpenRecent(const std::u16string& fileName);
  // The recent decks of every game, in the settings file's section of their own.
  void ReadRecent(const std::u16string& settingsFile);
  void WriteRecent(const std::u16string& settingsFile) const;
  const TRecentDecks& Recent() const { return recent_; }

  // The message that a paste shows, or empty when every line was used.
  static QString ImportMessage(const TImportReport& report);

 private:
  void FillRecentMenu();
  void ShowPlace(const TDeckPlace& place);

  TfmMain& window_;
  TRecentDecks recent_;
  QMenu* recentMenu_;
};
