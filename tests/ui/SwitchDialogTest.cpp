// The game definition switch dialog.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <string>

#include "ui/PluginDialog.h"

// A double click anywhere in the switch dialog's list closes it; an entry
// is picked when one is selected.
TEST(SwitchDialog, ADoubleClickAnywhereInTheListCloses) {
  struct Case {
    int selected;  // -1: none
    bool onEntry;
    bool picked;
  };
  // A press below the entries clears the list's selection, so the double click that follows picks nothing.
  const Case cases[] = {{-1, true, true}, {1, true, true}, {-1, false, false}, {1, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.selected) + (c.onEntry ? " on the entry" : " below the entries"));
    TfmPlugin dialog(nullptr);
    dialog.List()->addItems({QStringLiteral("Alpha"), QStringLiteral("Beta")});
    if (c.selected >= 0) dialog.List()->setCurrentRow(c.selected);
    bool closed = false;
    QTimer::singleShot(0, &dialog, [&] {
      QWidget* list = dialog.List()->viewport();
      const QPoint at = c.onEntry ? dialog.List()->visualItemRect(dialog.List()->item(1)).center()
                                  : QPoint(10, list->height() - 5);
      QTest::mousePress(list, Qt::LeftButton, {}, at);
      QTest::mouseRelease(list, Qt::LeftButton, {}, at);
      QTest::mousePress(list, Qt::LeftButton, {}, at);
      QTest::mouseDClick(list, Qt::LeftButton, {}, at);
      QTest::mouseRelease(list, Qt::LeftButton, {}, at);
      closed = !dialog.isVisible();
      if (dialog.isVisible()) dialog.reject();
    });
    EXPECT_EQ(dialog.Choose(), c.picked);
    EXPECT_TRUE(closed);
  }
}
