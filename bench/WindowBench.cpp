// Times the main window on a synthetic game of 100,000 cards: from the start
// to the first rows on screen, and what one page of scrolling repaints.
#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTableView>
#include <cstdio>

#include "SyntheticGame.h"
#include "app/MainWindow.h"
#include "gamedef/IniFile.h"
#include "ui/CellDelegate.h"
#include "ui/PluginGUI.h"

namespace {

// Counts the cells that the card list paints.
class CountingDelegate : public TCellDelegate {
 public:
  using TCellDelegate::TCellDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    ++painted;
    TCellDelegate::paint(painter, option, index);
  }
  mutable int painted = 0;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const SyntheticGame game = MakeSyntheticGame(100000);
  const std::u16string programFolder = game.folder.substr(0, game.folder.size() - std::u16string(u"Plugin/").size());
  TIniFile settings(programFolder + u"Velqorandis.ini");
  settings.WriteString(u"System", u"TcgName", u"シンセティック");
  settings.WriteInteger(u"System", u"Width", 1100);
  settings.WriteInteger(u"System", u"Height", 700);

  QElapsedTimer clock;
  clock.start();
  TfmMain window(PortableFolders(programFolder));
  const qint64 constructed = clock.elapsed();
  window.show();
  window.CardList()->viewport()->repaint();  // the first rows, painted
  const qint64 firstRows = clock.elapsed();

  TRTFtoHtml markup;
  auto* counter = new CountingDelegate(markup, window.CardList());
  window.CardList()->setItemDelegate(counter);
  QApplication::processEvents();
  counter->painted = 0;
  QScrollBar* scroll = window.CardList()->verticalScrollBar();
  clock.restart();
  scroll->setValue(scroll->value() + scroll->pageStep());
  window.CardList()->viewport()->repaint();
  const qint64 scrolled = clock.elapsed();
  const int visibleRows = window.CardList()->viewport()->height() / window.CardList()->rowHeight(0) + 1;

  // The load alone, and the load with the search dialog's panels rebuilt after it.
  clock.restart();
  window.Plugin().Load(game.definition);
  const qint64 loadAlone = clock.elapsed();
  clock.restart();
  window.Plugin().LoadGameDefinition(game.definition);
  const qint64 loadWithPanels = clock.elapsed();

  std::printf("cards                         %zu\n", window.Plugin().Cards().Count());
  std::printf("start to window built (ms)    %lld\n", static_cast<long long>(constructed));
  std::printf("start to first rows (ms)      %lld\n", static_cast<long long>(firstRows));
  std::printf("page scroll and repaint (ms)  %lld\n", static_cast<long long>(scrolled));
  std::printf("cells painted by the scroll   %d (%d visible rows x %d columns)\n", counter->painted, visibleRows,
              window.CardList()->model()->columnCount());
  std::printf("load alone (ms)               %lld\n", static_cast<long long>(loadAlone));
  std::printf("load and search panels (ms)   %lld\n", static_cast<long long>(loadWithPanels));
  window.Plugin().NewDeck();
  return 0;
}
