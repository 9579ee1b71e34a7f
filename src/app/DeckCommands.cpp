#include "app/DeckCommands.h"

#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTabBar>
#include <QTableView>

#include "app/MainWindow.h"
#include "gamedef/IniFile.h"
#include "ui/ModelTexts.h"
#include "ui/PluginGUI.h"

namespace {

const QString kTitle = QStringLiteral("Velqorandis");
// A paste's message lists this many lines and counts the rest.
constexpr std::size_t kListedProblems = 20;

QString Text(std::u16string_view text) { return QString::fromStdU16String(std::u16string(text)); }

QString ProblemText(const TImportProblem& problem) {
  switch (problem.reason) {
    case TImportProblem::Reason::kNoCard:
      return QCoreApplication::translate("TDeckCommands", "カードが見つかりません");
    case TImportProblem::Reason::kNoLayer:
      return QCoreApplication::translate("TDeckCommands", "領域が見つかりません");
    case TImportProblem::Reason::kOverLimit:
      return QCoreApplication::translate("TDeckCommands", "上限のため %1 枚のうち %2 枚だけ追加しました")
          .arg(problem.asked)
          .arg(problem.added);
  }
  return {};
}

}  // namespace

TDeckCommands::TDeckCommands(TfmMain& window) : QObject(&window), window_(window), recentMenu_(new QMenu(&window)) {
  connect(recentMenu_, &QMenu::aboutToShow, this, &TDeckCommands::FillRecentMenu);
}

void TDeckCommands::NewDeck() {
  if (!window_.ConfirmDiscard()) return;
  window_.Plugin().NewDeck();
  window_.DeckChanged();
}

void TDeckCommands::OpenDeck() {
  if (!window_.ConfirmDiscard()) return;
  QFileDialog* dialog = window_.OpenDialog();
  if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty()) {
    LoadDeck(dialog->selectedFiles().first().toStdU16String());
  }
}

void TDeckCommands::LoadDeck(const std::u16string& fileName) {
  if (window_.Plugin().LoadDeck(fileName)) recent_.Add(window_.GameName(), fileName);
  window_.DeckChanged();
}

void TDeckCommands::SaveDeck() {
  QFileDialog* dialog = window_.SaveDialog();
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return;
  const std::u16string file = dialog->selectedFiles().first().toStdU16String();
  if (window_.Plugin().SaveDeck(file)) {
    recent_.Add(window_.GameName(), file);
  } else {
    // A deck that could not be written is told, not left for the user to find out later.
    QMessageBox::critical(&window_, kTitle, CannotWriteText(file));
  }
  window_.DeckChanged();
}

void TDeckCommands::CopyDeck() {
  QGuiApplication::clipboard()->setText(Text(window_.Plugin().DeckClipboardText()));
}

void TDeckCommands::PasteDeck() {
  const QString text = QGuiApplication::clipboard()->text();
  if (text.isEmpty()) return;
  const TImportReport report = window_.Plugin().ImportDeck(text.toStdU16String(), window_.Plugin().CurrentLayer());
  window_.DeckChanged();
  const QString message = ImportMessage(report);
  if (!message.isEmpty()) QMessageBox::warning(&window_, tr("貼り付け"), message);
}

QString TDeckCommands::ImportMessage(const TImportReport& report) {
  if (report.problems.empty()) return {};
  QString message = tr("次の行は使えませんでした。") + QLatin1Char('\n');
  for (std::size_t i = 0; i < report.problems.size() && i < kListedProblems; ++i) {
    const TImportProblem& problem = report.problems[i];
    message += QLatin1Char('\n') + tr("%1 行目「%2」: %3").arg(problem.line).arg(Text(problem.text), ProblemText(problem));
  }
  if (report.problems.size() > kListedProblems) {
    message += QLatin1Char('\n') + tr("ほか %1 行").arg(report.problems.size() - kListedProblems);
  }
  return message;
}

void TDeckCommands::AddSelectedCard() {
  TPluginGUI& plugin = window_.Plugin();
  const int32_t row = TPluginGUI::SelectedRow(window_.CardList());
  if (window_.DeckTabs()->currentIndex() < 0 || row < 0) return;
  const int32_t entry = plugin.AddCardToDeck(row, plugin.CurrentLayer());
  plugin.HideCardImage();
  if (entry < 0) return;  // a limit refused it: nothing to say
  window_.DeckChanged();
  ShowPlace({plugin.CurrentLayer(), entry});
}

void TDeckCommands::RemoveSelectedEntry() {
  TPluginGUI& plugin = window_.Plugin();
  const int32_t row = TPluginGUI::SelectedRow(window_.DeckList());
  if (window_.DeckTabs()->currentIndex() < 0 || row < 0) return;
  plugin.RemoveDeckEntry(plugin.CurrentLayer(), row);
  plugin.HideCardImage();
  window_.DeckChanged();
}

void TDeckCommands::MoveEntry(int step) {
  TPluginGUI& plugin = window_.Plugin();
  const int32_t row = TPluginGUI::SelectedRow(window_.DeckList());
  const bool moved = window_.DeckTabs()->currentIndex() >= 0 && row >= 0 &&
                     plugin.MoveDeckEntry(plugin.CurrentLayer(), row, row + step);
  window_.DeckChanged();
  if (moved) ShowPlace({plugin.CurrentLayer(), row + step});
}

void TDeckCommands::Undo() {
  if (const std::optional<TDeckPlace> place = window_.Plugin().UndoDeck()) {
    window_.DeckChanged();
    ShowPlace(*place);
  }
}

void TDeckCommands::Redo() {
  if (const std::optional<TDeckPlace> place = window_.Plugin().RedoDeck()) {
    window_.DeckChanged();
    ShowPlace(*place);
  }
}

// The layer's tab and the entry's row, selected and scrolled into view.
void TDeckCommands::ShowPlace(const TDeckPlace& place) {
  QTabBar* tabs = window_.DeckTabs();
  if (place.layer < 0 || place.layer >= tabs->count()) return;
  tabs->setCurrentIndex(place.layer);  // switches the deck list to the layer
  QTableView* list = window_.DeckList();
  TPluginGUI::SelectRow(list, place.row);
  if (place.row >= 0) list->scrollTo(list->model()->index(place.row, 0), QAbstractItemView::EnsureVisible);
}

void TDeckCommands::FillRecentMenu() {
  recentMenu_->clear();
  const std::vector<std::u16string> decks = recent_.For(window_.GameName());
  if (decks.empty()) recentMenu_->addAction(tr("（なし）"))->setEnabled(false);
  for (const std::u16string& deck : decks) {
    connect(recentMenu_->addAction(Text(deck)), &QAction::triggered, this, [this, deck] { OpenRecent(deck); });
  }
}

void TDeckCommands::OpenRecent(const std::u16string& fileName) {
  if (!QFileInfo::exists(Text(fileName))) {
    recent_.Remove(window_.GameName(), fileName);
    QMessageBox::warning(&window_, kTitle, tr("%1 が見つかりません。最近のデッキから外しました。").arg(Text(fileName)));
    return;
  }
  if (!window_.ConfirmDiscard()) return;
  LoadDeck(fileName);
}

void TDeckCommands::ReadRecent(const std::u16string& settingsFile) {
  TIniFile file(settingsFile);
  recent_.Read(file);
}

void TDeckCommands::WriteRecent(const std::u16string& settingsFile) const {
  TIniFile file(settingsFile, TIniFile::Encoding::kWidenWhenNeeded);
  recent_.Write(file);
}
