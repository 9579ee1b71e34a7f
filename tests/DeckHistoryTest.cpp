// Undo and redo of deck edits through the game definition object: every
// command is one step, and the changed mark follows the saved deck.
#include <gtest/gtest.h>

#include <sstream>

#include "PluginFixture.h"
#include "common/Text.h"

namespace {

// Runs a script of deck commands, one per word group, separated by ";":
// "add ROW LAYER", "remove LAYER ROW", "move LAYER FROM TO", "new", "save",
// "load", "undo", "redo". After it: the deck ("Main:001x2,003x1 Side:") and
// whether it is marked changed.
class DeckHistoryTest : public ::testing::Test {
 protected:
  DeckHistoryTest() : plugin_(game_.PluginFolder()) {
    plugin_.Load(game_.Definition());
    plugin_.FillAllCards();  // rows: 001, 002, 003, 004, 005
    game_.folder.Write("deck.txt", "=Mini=\r\n[Main]\r\n 1\t002\r\n");
  }

  std::string Run(const std::string& script) {
    std::istringstream commands(script);
    std::string command;
    while (std::getline(commands, command, ';')) {
      std::istringstream words(command);
      std::string verb;
      int a = 0, b = 0, c = 0;
      words >> verb >> a >> b >> c;
      if (verb == "add") plugin_.AddCardToDeck(a, b);
      if (verb == "remove") plugin_.RemoveDeckEntry(a, b);
      if (verb == "move") plugin_.MoveDeckEntry(a, b, c);
      if (verb == "new") plugin_.NewDeck();
      if (verb == "save") plugin_.SaveDeck(game_.folder.Path("saved.txt"));
      if (verb == "load") plugin_.LoadDeck(game_.folder.Path("deck.txt"));
      if (verb == "undo") places_.push_back(plugin_.UndoDeck());
      if (verb == "redo") places_.push_back(plugin_.RedoDeck());
    }
    return DeckSummary(plugin_.Deck()) + (plugin_.Deck().IsChanged() ? " changed" : "");
  }

  MiniGame game_;
  RecordingPlugin plugin_;
  std::vector<std::optional<TDeckPlace>> places_;
};

}  // namespace

TEST_F(DeckHistoryTest, EveryCommandIsOneStepAndTheChangedMarkFollowsTheSavedDeck) {
  struct Case {
    const char* script;
    const char* deck;
  };
  const Case cases[] = {
      {"add 0 0; add 0 0; undo", "Main:001x1 Side: changed"},
      {"add 0 0; undo", "Main: Side:"},                             // back to the deck as loaded: unchanged
      {"add 0 0; undo; undo", "Main: Side:"},                       // nothing further back
      {"add 0 0; add 2 1; undo; redo", "Main:001x1 Side:003x1 changed"},
      {"add 0 0; add 2 0; undo; add 4 0", "Main:001x1,005x1 Side: changed"},  // a new step drops what was undone
      {"add 0 0; add 2 0; undo; add 4 0; redo", "Main:001x1,005x1 Side: changed"},
      {"add 0 0; save; add 2 0; undo", "Main:001x1 Side:"},         // the saved deck
      {"add 0 0; save; undo", "Main: Side: changed"},               // before the save: differs from the file
      {"add 0 0; save; undo; redo", "Main:001x1 Side:"},
      {"add 0 0; add 2 0; move 0 0 1", "Main:003x1,001x1 Side: changed"},
      {"add 0 0; add 2 0; save; move 0 0 1; undo", "Main:001x1,003x1 Side:"},
      {"add 0 0; add 2 0; save; move 0 0 1; undo; redo", "Main:003x1,001x1 Side:"},  // a move marks nothing
      {"add 0 0; remove 0 0; undo", "Main:001x1 Side: changed"},
      {"add 0 0; add 0 0; remove 0 0; remove 0 0; undo; undo; undo", "Main:001x1 Side: changed"},
      {"add 0 0; new", "Main: Side:"},
      {"add 0 0; new; undo", "Main:001x1 Side: changed"},
      {"add 0 0; load", "Main:002x1 Side:"},
      {"add 0 0; load; undo", "Main:001x1 Side: changed"},
      {"add 0 0; load; undo; redo", "Main:002x1 Side:"},
      {"redo; undo", "Main: Side:"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    plugin_.Load(game_.Definition());  // a game load starts the history anew
    plugin_.FillAllCards();
    EXPECT_EQ(Run(c.script), c.deck);
  }
}

TEST_F(DeckHistoryTest, AnswersWhereTheDeckChanged) {
  Run("add 0 0; add 2 0; add 4 1; add 2 0; move 0 0 1");
  places_.clear();
  Run("undo; undo; undo; undo; undo; redo");
  const std::vector<std::optional<TDeckPlace>> expected = {
      TDeckPlace{0, 0},  // the move undone: the first of the two entries
      TDeckPlace{0, 1},  // the second copy of 003 taken back
      TDeckPlace{1, -1},  // 005 gone from Side, which is empty
      TDeckPlace{0, 0},  // 003 gone from Main: the row before it
      TDeckPlace{0, -1},  // 001 gone
      TDeckPlace{0, 0},  // 001 back
  };
  EXPECT_EQ(places_, expected);
  EXPECT_TRUE(plugin_.UndoDeck().has_value());
  EXPECT_FALSE(plugin_.UndoDeck().has_value());
}
