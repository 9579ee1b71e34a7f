// The windows in both languages: Japanese, the source texts, and English.
// The files, the clipboard and the game's own names never change with them.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <algorithm>

#include "WindowFixture.h"
#include "app/Application.h"
#include "app/DeckCommands.h"
#include "gamedef/Plugin.h"
#include "gamedef/PluginList.h"
#include "ui/ConfigDialog.h"
#include "ui/FontChooser.h"
#include "ui/ModelTexts.h"
#include "ui/PluginDialog.h"
#include "ui/PluginGUI.h"
#include "ui/SearchDialog.h"
#include "ui/StatsPanel.h"
#include "ui/Settings.h"

namespace {

// While alive, the windows speak the language; Japanese again afterwards.
class Speaking {
 public:
  explicit Speaking(TUiLanguage language) { SpeakLanguage(language); }
  ~Speaking() { SpeakLanguage(TUiLanguage::kJapanese); }
  Speaking(const Speaking&) = delete;
  Speaking& operator=(const Speaking&) = delete;
};

QStringList ButtonTexts(const QWidget& dialog) {
  QStringList texts;
  for (const QPushButton* button : dialog.findChildren<QPushButton*>()) texts << button->text();
  return texts;
}

struct DialogTexts {
  TUiLanguage language;
  QString settingsTitle, otherPage, statusHelp, automatic, languageNote;
  QString searchTitle, switchTitle, cancel, toolkitCancel, fontTitle;
  QString wrongGame, cannotWrite;
};

const DialogTexts kDialogs[] = {
    {TUiLanguage::kJapanese, QStringLiteral("設定ダイアログ"), QStringLiteral("その他"),
     QStringLiteral("マウスを載せた時、簡易ヘルプを表示しない"), QStringLiteral("自動"),
     QStringLiteral("言語の変更は次回の起動から有効になります。"), QStringLiteral("検索ウインドウ"),
     QStringLiteral("プラグイン切り替え"), QStringLiteral("キャンセル"), QStringLiteral("キャンセル"),
     QStringLiteral("フォント"), QStringLiteral("ＴＣＧが違います"), QStringLiteral("/d/deck.txt に書き込めません")},
    {TUiLanguage::kEnglish, QStringLiteral("Settings"), QStringLiteral("Other"),
     QStringLiteral("No short help when the pointer rests on a control"), QStringLiteral("Automatic"),
     QStringLiteral("A new language applies the next time the program starts."), QStringLiteral("Search window"),
     QStringLiteral("Switch game"), QStringLiteral("Cancel"), QStringLiteral("Cancel"), QStringLiteral("Font"),
     QStringLiteral("The deck is for another game."), QStringLiteral("Cannot write /d/deck.txt")},
};

TEST(Languages, EveryDialogSpeaksTheLanguage) {
  for (const DialogTexts& expected : kDialogs) {
    SCOPED_TRACE(static_cast<int>(expected.language));
    const Speaking speaking(expected.language);
    TfmConfig settings(nullptr);
    EXPECT_EQ(settings.windowTitle(), expected.settingsTitle);
    EXPECT_EQ(settings.findChild<QTabWidget*>()->tabText(1), expected.otherPage);
    EXPECT_EQ(settings.StatusHelp()->text(), expected.statusHelp);
    EXPECT_TRUE(ButtonTexts(settings).contains(expected.cancel));
    QComboBox* language = settings.LanguageBox();
    ASSERT_EQ(language->count(), 3);
    // Each language names itself in every language.
    EXPECT_EQ(language->itemText(0), expected.automatic);
    EXPECT_EQ(language->itemText(1), QStringLiteral("日本語"));
    EXPECT_EQ(language->itemText(2), QStringLiteral("English"));
    const QList<QLabel*> labels = settings.findChildren<QLabel*>();
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(),
                            [&](const QLabel* label) { return label->text() == expected.languageNote; }));

    TfmSearch search;
    EXPECT_EQ(search.windowTitle(), expected.searchTitle);
    EXPECT_EQ(ButtonTexts(search), (QStringList{QStringLiteral("OK"), QStringLiteral("Cancel")}));
    TfmPlugin games(nullptr);
    EXPECT_EQ(games.windowTitle(), expected.switchTitle);
    EXPECT_TRUE(ButtonTexts(games).contains(expected.cancel));
    // The toolkit's own buttons follow the same choice.
    QMessageBox box(QMessageBox::Warning, QString(), QString(), QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), expected.toolkitCancel);
    WhenModal([&](QWidget* modal) {
      EXPECT_EQ(modal->windowTitle(), expected.fontTitle);
      EXPECT_TRUE(ButtonTexts(*modal).contains(expected.cancel));
      static_cast<QDialog*>(modal)->reject();
    });
    EXPECT_FALSE(ChooseFont(nullptr, DesignFont()));
    EXPECT_TRUE(EveryAnswerUsed());
    // The model's messages.
    EXPECT_EQ(ModelText(kDeckWrongGame), expected.wrongGame);
    EXPECT_EQ(CannotWriteText(u"/d/deck.txt"), expected.cannotWrite);
  }
}

TEST_F(WindowTest, TheMainWindowSpeaksEnglishAndItsFilesDoNot) {
  const Speaking speaking(TUiLanguage::kEnglish);
  auto window = Start();
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Velqorandis - Mini -"));
  EXPECT_EQ(window->ToolButton(2)->toolTip(), QStringLiteral("Open deck"));
  EXPECT_EQ(TfmMain::StatusHelpText(8), QStringLiteral("Add a copy of the selected card (Enter or double-click)"));
  EXPECT_EQ(window->StatusPanel(0)->text(), QStringLiteral("Result :     3 cards"));
  window->Plugin().AddCardToDeck(0, 0);
  window->DeckChanged();
  EXPECT_EQ(window->StatusPanel(1)->text(), QStringLiteral("Changed"));
  window->ToolButton(TfmMain::kStats)->trigger();
  const QList<QComboBox*> boxes = window->StatsPanel()->findChildren<QComboBox*>();
  EXPECT_TRUE(std::any_of(boxes.begin(), boxes.end(), [](const QComboBox* box) {
    return box->itemText(0) == QStringLiteral("Whole deck") && box->itemText(1) == QStringLiteral("Shown layer");
  }));
  // The game's own names stay as the game definition writes them.
  EXPECT_EQ(window->DeckTabs()->tabText(0), QStringLiteral("Main 1/60"));
  EXPECT_EQ(Captions(window->CardList()), (Cells{"Number", "Cost"}));
  // A paste's report.
  TImportReport report;
  report.problems.push_back({3, u"9 Nothing", TImportProblem::Reason::kNoCard});
  EXPECT_EQ(TDeckCommands::ImportMessage(report),
            QStringLiteral("These lines could not be used:\n\nLine 3 \"9 Nothing\": no such card"));

  // The clipboard and the deck file are those of the Japanese program.
  window->DeckCommands().CopyDeck();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("\n[Main]\n  1  Alpha\n\n[Side]\n"));
  ChooseFileInDialog(folder_.NativePath("deck.txt"));
  window->DeckCommands().SaveDeck();
  EXPECT_EQ(folder_.Read("deck.txt"), "=Mini=\r\n\r\n[Main]\r\n 1\t001\r\n\r\n[Side]\r\n");
}

TEST_F(WindowTest, TheLanguageChosenIsKeptForTheNextStart) {
  {
    auto window = Start();
    WhenModal([](QWidget* modal) {
      auto* settings = qobject_cast<TfmConfig*>(modal);
      ASSERT_NE(settings, nullptr);
      settings->LanguageBox()->setCurrentIndex(2);
      settings->findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
    });
    window->EditSettings();
    // The window goes on in the language it started in.
    EXPECT_EQ(window->ToolButton(2)->toolTip(), QStringLiteral("デッキを開く"));
    window->close();
  }
  EXPECT_EQ(ReadSettings(folder_.Path("Velqorandis.ini"), {}).language, TUiLanguage::kEnglish);
  auto window = Start();
  WhenModal([](QWidget* modal) {
    auto* settings = qobject_cast<TfmConfig*>(modal);
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->Language(), TUiLanguage::kEnglish);
    settings->reject();
  });
  window->EditSettings();
}

}  // namespace
