// The search dialog: panels built from the schema, bound to the search criteria.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "QtPrint.h"
#include "TestFiles.h"
#include "cards/CardParams.h"
#include "search/Search.h"
#include "ui/SearchDialog.h"

namespace {

struct Param {
  const char* key;
  const char* name;
  int type;
  std::vector<std::u16string_view> values = {};
};

QString Q(std::u16string_view text) { return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())); }

QPushButton* Button(const QDialog& dialog, const char* caption) {
  for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
    if (button->text() == QLatin1String(caption)) return button;
  }
  return nullptr;
}

// The panels as they stand, from the top down.
std::vector<TfmSearchItem*> PanelsFromTop(const QDialog& dialog) {
  QList<TfmSearchItem*> panels = dialog.findChildren<TfmSearchItem*>();
  std::sort(panels.begin(), panels.end(), [](QWidget* a, QWidget* b) { return a->y() < b->y(); });
  return {panels.begin(), panels.end()};
}

// Runs the action on the dialog once it runs modally; a dialog that the
// action left open is cancelled, so that no test blocks.
void WhenShown(QDialog& dialog, std::function<void()> action) {
  QTimer::singleShot(0, &dialog, [&dialog, action] {
    if (QApplication::activeModalWidget() != &dialog) return WhenShown(dialog, action);
    action();
    if (dialog.isVisible()) dialog.reject();
  });
}

class SearchDialog : public ::testing::Test {
 protected:
  // The parameters as a game definition declares them, with the values that
  // cards gave them; then the criteria and the panels, as after a load.
  void Build(const std::vector<Param>& schema) {
    std::string ini;
    for (std::size_t i = 0; i < schema.size(); ++i) {
      ini += std::string("[Param") + (i < 10 ? "0" : "") + std::to_string(i) + "]\nKey=" + schema[i].key + "\nName=" + schema[i].name +
             "\nType=" + std::to_string(schema[i].type) + "\n";
    }
    params.Clear();
    params.Load(folder.Write("game.ini", ini));
    for (std::size_t i = 0; i < schema.size(); ++i) {
      for (std::u16string_view value : schema[i].values) params.Item(static_cast<int32_t>(i))->AddValue(value);
    }
    criteria.Rebuild(params);
    dialog.Rebuild(params, criteria);
  }
  // A text, a range and a choice parameter, shown from the top as choice, range, text.
  void BuildThreeKinds() {
    Build({{"Name", "Name", 1}, {"Cost", "Cost", 2}, {"Color", "Color", 3, {u"Red", u"Blue", u"Green"}}});
  }
  TfmSearchItem* Panel(int fromTop) const { return dialog.Items().at(static_cast<std::size_t>(fromTop)); }

  TempFolder folder;
  TCardParams params;
  TSearchCriteria criteria;
  TfmSearch dialog;
};

TEST_F(SearchDialog, ShowsThePanelsOfSearchableParametersLastOnTopWithoutGaps) {
  Build({{"A", "Text", 1}, {"B", "None", 0}, {"C", "Range", 2}, {"D", "Choice", 3, {u"x"}}, {"E", "Other", 7}});
  WhenShown(dialog, [this] {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("検索ウインドウ"));
    EXPECT_EQ(dialog.windowType(), Qt::Tool);
    EXPECT_EQ(dialog.size(), QSize(334, 319));
    const QPoint offCentre = dialog.frameGeometry().center() - dialog.screen()->availableGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 1);  // rounding of odd sizes

    const std::vector<TfmSearchItem*> panels = PanelsFromTop(dialog);
    ASSERT_EQ(panels.size(), 3u);
    const char* captions[] = {"Choice", "Range", "Text"};
    for (int i = 0; i < 3; ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(panels[i]->CheckBox()->text(), QLatin1String(captions[i]));
      EXPECT_EQ(panels[i]->geometry(), QRect(0, 30 * i, panels[i]->parentWidget()->width(), 30));
      EXPECT_EQ(panels[i]->CheckBox()->width(), 113);
      EXPECT_TRUE(panels[i]->isVisible());
    }
    EXPECT_NE(panels[0]->ChoiceBox(), nullptr);
    EXPECT_EQ(panels[0]->TextEdit(), nullptr);
    ASSERT_NE(panels[1]->LowerEdit(), nullptr);
    EXPECT_EQ(panels[1]->LowerEdit()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(panels[1]->UpperEdit()->width(), 49);
    EXPECT_NE(panels[1]->findChild<QLabel*>(), nullptr);
    EXPECT_EQ(panels[1]->ChoiceBox(), nullptr);
    EXPECT_NE(panels[2]->TextEdit(), nullptr);
    EXPECT_EQ(panels[2]->LowerEdit(), nullptr);
  });
  EXPECT_FALSE(dialog.Execute());
}

TEST_F(SearchDialog, OkPutsTheInputsIntoTheCriteria) {
  BuildThreeKinds();
  WhenShown(dialog, [this] {
    for (TfmSearchItem* panel : dialog.Items()) panel->CheckBox()->click();
    Panel(0)->ChoiceBox()->setCurrentIndex(2);
    QTest::keyClicks(Panel(1)->LowerEdit(), QStringLiteral("5"));
    QTest::keyClicks(Panel(1)->UpperEdit(), QStringLiteral("x"));
    QTest::keyClicks(Panel(2)->TextEdit(), QStringLiteral("Dra"));
    Button(dialog, "OK")->click();
  });
  ASSERT_TRUE(dialog.Execute());
  const TSearchCriterion& choice = *criteria.Find(u"Color");
  const TSearchCriterion& range = *criteria.Find(u"Cost");
  const TSearchCriterion& text = *criteria.Find(u"Name");
  EXPECT_TRUE(choice.ticked && range.ticked && text.ticked);
  EXPECT_EQ(choice.choice, u"Red");
  EXPECT_EQ(range.lower, u"05");
  EXPECT_EQ(range.upper, u"99x");
  EXPECT_EQ(text.text, u"Dra");
}

// However the dialog closes, the next opening starts with nothing ticked, no
// search text and the bounds 0 and 99; only OK confirms.
TEST_F(SearchDialog, EveryOpeningStartsAfreshAndOnlyOkConfirms) {
  const struct {
    const char* name;
    std::function<void(QDialog&, TfmSearchItem* choice, TfmSearchItem* range, TfmSearchItem* text)> close;
    bool confirmed;
  } cases[] = {
      {"OK", [](QDialog& d, auto*, auto*, auto*) { Button(d, "OK")->click(); }, true},
      {"Cancel", [](QDialog& d, auto*, auto*, auto*) { Button(d, "Cancel")->click(); }, false},
      {"close box", [](QDialog& d, auto*, auto*, auto*) { d.close(); }, false},
      {"Escape in text", [](QDialog&, auto*, auto*, auto* t) { QTest::keyClick(t->TextEdit(), Qt::Key_Escape); }, false},
      {"Escape in bound", [](QDialog&, auto*, auto* r, auto*) { QTest::keyClick(r->UpperEdit(), Qt::Key_Escape); }, false},
      {"Escape in choice",
       [](QDialog&, auto* c, auto*, auto*) { QTest::keyClick(c->ChoiceBox()->lineEdit(), Qt::Key_Escape); }, false},
      {"Escape on tick box", [](QDialog&, auto* c, auto*, auto*) { QTest::keyClick(c->CheckBox(), Qt::Key_Escape); }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    BuildThreeKinds();
    bool closed = false;
    WhenShown(dialog, [&] {
      for (TfmSearchItem* panel : dialog.Items()) panel->CheckBox()->click();
      QTest::keyClicks(Panel(2)->TextEdit(), QStringLiteral("Dra"));
      Panel(1)->LowerEdit()->setText(QStringLiteral("3"));
      c.close(dialog, Panel(0), Panel(1), Panel(2));
      closed = !dialog.isVisible();
      EXPECT_TRUE(closed);
    });
    EXPECT_EQ(dialog.Execute(), c.confirmed);
    EXPECT_TRUE(closed);
    if (!c.confirmed) {
      EXPECT_FALSE(criteria.Find(u"Name")->ticked);
      EXPECT_EQ(criteria.Find(u"Name")->text, u"");
      EXPECT_EQ(criteria.Find(u"Cost")->lower, u"0");
    }

    WhenShown(dialog, [&] {
      for (TfmSearchItem* panel : dialog.Items()) EXPECT_FALSE(panel->CheckBox()->isChecked());
      EXPECT_EQ(Panel(2)->TextEdit()->text(), QString());
      EXPECT_EQ(Panel(1)->LowerEdit()->text(), QStringLiteral("0"));
      EXPECT_EQ(Panel(1)->UpperEdit()->text(), QStringLiteral("99"));
      for (const char16_t* key : {u"Name", u"Cost", u"Color"}) EXPECT_FALSE(criteria.Find(key)->ticked);
      EXPECT_EQ(criteria.Find(u"Name")->text, u"");
      EXPECT_EQ(criteria.Find(u"Cost")->lower, u"0");
    });
    EXPECT_FALSE(dialog.Execute());
  }
}

// The choice box keeps the text it had when the dialog closed; the criterion
// takes it on OK only.
TEST_F(SearchDialog, ChoiceIsKeptBetweenOpenings) {
  BuildThreeKinds();
  QComboBox* box = Panel(0)->ChoiceBox();
  const TSearchCriterion& criterion = *criteria.Find(u"Color");
  WhenShown(dialog, [&] {
    box->setCurrentIndex(2);
    Button(dialog, "OK")->click();
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(criterion.choice, u"Red");

  WhenShown(dialog, [&] {
    EXPECT_EQ(box->currentText(), QStringLiteral("Red"));
    EXPECT_EQ(criterion.choice, u"Red");
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), QStringLiteral("Purple"));
  });
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(criterion.choice, u"Red");

  WhenShown(dialog, [&] {
    EXPECT_EQ(box->currentText(), QStringLiteral("Purple"));
    Button(dialog, "OK")->click();
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(criterion.choice, u"Purple");
  EXPECT_FALSE(criterion.ticked);
}

TEST_F(SearchDialog, ChoiceStartsWithTheFirstValue) {
  const struct {
    std::vector<std::u16string_view> values;
    QString first;
    int index;
  } cases[] = {
      {{u"b", u"A", u"c"}, QStringLiteral("A"), 0},
      {{u"x", u""}, QString(), 0},  // a card without a value: the empty entry comes first
      {{}, QString(), -1},
  };
  for (const auto& c : cases) {
    Build({{"Color", "Color", 3, c.values}});
    QComboBox* box = Panel(0)->ChoiceBox();
    EXPECT_EQ(box->currentText(), c.first);
    EXPECT_EQ(box->currentIndex(), c.index);
    EXPECT_EQ(Q(criteria.Find(u"Color")->choice), c.first);
  }
}

// What the user types is searched for as typed: no completion, no change of
// letter case, whether the box loses the focus or Enter is pressed.
TEST_F(SearchDialog, ATypedChoiceStaysAsTyped) {
  const struct {
    QString typed;
    bool enter;
  } cases[] = {
      {QStringLiteral("fire"), false}, {QStringLiteral("fire"), true}, {QStringLiteral("Wa"), false},
      {QStringLiteral("Wa"), true},    {QStringLiteral("WATER"), true}, {QStringLiteral("Water"), true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed.toStdString() + (c.enter ? " Enter" : ""));
    Build({{"Name", "Name", 1}, {"Element", "Element", 3, {u"Fire", u"Water", u"Wind"}}});
    WhenShown(dialog, [&] {
      QLineEdit* typing = Panel(0)->ChoiceBox()->lineEdit();
      typing->setFocus();
      typing->clear();
      QTest::keyClicks(typing, c.typed);
      if (c.enter) QTest::keyClick(typing, Qt::Key_Return);
      Panel(1)->TextEdit()->setFocus();  // the box loses the focus
      EXPECT_EQ(typing->text(), c.typed);
      Button(dialog, "OK")->click();
    });
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(Q(criteria.Find(u"Element")->choice), c.typed);
  }
  // Picking from the list still works.
  WhenShown(dialog, [&] {
    Panel(0)->ChoiceBox()->setCurrentIndex(2);
    Button(dialog, "OK")->click();
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(criteria.Find(u"Element")->choice, u"Wind");
}

TEST_F(SearchDialog, EnterInAnInputLeavesTheDialogOpen) {
  BuildThreeKinds();
  WhenShown(dialog, [this] {
    QComboBox* box = Panel(0)->ChoiceBox();
    box->lineEdit()->clear();
    QTest::keyClicks(box->lineEdit(), QStringLiteral("Purple"));
    QWidget* inputs[] = {box->lineEdit(), Panel(0)->CheckBox(), Panel(1)->LowerEdit(), Panel(2)->TextEdit()};
    for (QWidget* input : inputs) {
      for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        QTest::keyClick(input, key);
        EXPECT_TRUE(dialog.isVisible()) << input->metaObject()->className();
      }
    }
    EXPECT_EQ(box->count(), 3);  // typed text does not join the list
    EXPECT_EQ(box->currentText(), QStringLiteral("Purple"));
  });
  EXPECT_FALSE(dialog.Execute());
}

TEST_F(SearchDialog, OnlyTheButtonsTakeTabFocus) {
  BuildThreeKinds();
  WhenShown(dialog, [this] {
    QPushButton* ok = Button(dialog, "OK");
    QPushButton* cancel = Button(dialog, "Cancel");
    EXPECT_FALSE(ok->isDefault() || ok->autoDefault() || cancel->isDefault() || cancel->autoDefault());
    Panel(2)->TextEdit()->setFocus();
    std::vector<QWidget*> reached;
    for (int i = 0; i < 4; ++i) {
      QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
      reached.push_back(dialog.focusWidget());
    }
    EXPECT_EQ(reached, (std::vector<QWidget*>{ok, cancel, ok, cancel}));
  });
  EXPECT_FALSE(dialog.Execute());
}

TEST_F(SearchDialog, RebuildAndClearItemsDestroyEveryPanel) {
  // A repeated key: both panels are shown and both must go.
  Build({{"A", "A", 1}, {"Cost", "Cost", 2}, {"Cost", "Cost again", 3, {u"1"}}});
  std::vector<QPointer<TfmSearchItem>> old;
  for (TfmSearchItem* panel : dialog.findChildren<TfmSearchItem*>()) old.emplace_back(panel);
  ASSERT_EQ(old.size(), 3u);

  Build({{"X", "X", 3, {u"y"}}});
  for (const auto& panel : old) EXPECT_TRUE(panel.isNull());
  const QList<TfmSearchItem*> panels = dialog.findChildren<TfmSearchItem*>();
  ASSERT_EQ(panels.size(), 1);
  EXPECT_EQ(panels[0]->CheckBox()->text(), QStringLiteral("X"));

  dialog.ClearItems();
  EXPECT_TRUE(dialog.findChildren<TfmSearchItem*>().isEmpty());
  EXPECT_TRUE(dialog.Items().empty());
}

TEST_F(SearchDialog, ChoiceListReadsTheParametersValuesInPlace) {
  Build({{"Color", "Color", 3, {u"red", u"Blue", u"", u"green", u"RED"}}});
  const std::vector<std::u16string_view>& values = params.Item(0)->Values();
  QComboBox* box = Panel(0)->ChoiceBox();
  auto* model = qobject_cast<TChoiceListModel*>(box->model());
  ASSERT_NE(model, nullptr);
  QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  ASSERT_EQ(static_cast<std::size_t>(model->rowCount()), values.size());
  for (int i = 0; i < box->count(); ++i) EXPECT_EQ(box->itemText(i), Q(values[static_cast<std::size_t>(i)]));
}

}  // namespace
