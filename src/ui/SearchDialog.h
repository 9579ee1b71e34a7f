#pragma once
// The search dialog "検索ウインドウ": one criterion panel per searchable card
// parameter, bound to the search criteria of the loaded game definition. The
// matching itself belongs to the criteria; the dialog only fills them.

#include <QAbstractListModel>
#include <QDialog>
#include <QWidget>
#include <string_view>
#include <vector>

#include "search/Search.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QVBoxLayout;
class TCardParamItem;
class TCardParams;

// A parameter's values as the list of a choice box, read in place: a game
// may hold 100,000 of them, too many to copy into the box's own items.
class TChoiceListModel : public QAbstractListModel {
  Q_OBJECT
 public:
  // The values must outlive the model (they live until the schema is cleared).
  TChoiceListModel(const std::vector<std::u16string_view>& values, QObject* parent);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  const std::vector<std::u16string_view>& values_;
};

// The panel of one parameter: its tick box and the input of its kind (text,
// number range or choice).
class TfmSearchItem : public QWidget {
  Q_OBJECT
 public:
  TfmSearchItem(const TCardParamItem& param, TSearchCriterion& criterion, QWidget* parent);

  // The criterion into the tick box, the search text and the bounds. The
  // choice box keeps its text from one opening to the next.
  void ShowCriterion();
  void StoreCriterion();

  QCheckBox* CheckBox() const { return checkBox_; }
  QLineEdit* TextEdit() const { return text_; }
  QLineEdit* LowerEdit() const { return lower_; }
  QLineEdit* UpperEdit() const { return upper_; }
  QComboBox* ChoiceBox() const { return choice_; }

 private:
  QWidget* MakeRange();
  QWidget* MakeChoice(const TCardParamItem& param);

  TSearchCriterion& criterion_;
  QCheckBox* checkBox_;
  // Only the input of the parameter's kind exists; the others stay null.
  QLineEdit* text_ = nullptr;
  QLineEdit* lower_ = nullptr;
  QLineEdit* upper_ = nullptr;
  QComboBox* choice_ = nullptr;
};

class TfmSearch : public QDialog {
  Q_OBJECT
 public:
  TfmSearch();

  // Replaces the panels with those of the schema, the last parameter's at the
  // top. The criteria must have been rebuilt from the same schema; a
  // parameter of no searchable kind gets no panel.
  void Rebuild(const TCardParams& params, TSearchCriteria& criteria);
  void ClearItems();
  // Resets the criteria, runs the dialog modally and, on OK, puts the inputs
  // into the criteria: true when confirmed.
  bool Execute();

  // The panels from the top down.
  const std::vector<TfmSearchItem*>& Items() const { return items_; }

 private:
  QVBoxLayout* itemsLayout_;
  std::vector<TfmSearchItem*> items_;  // owned by the scroll box's content
  TSearchCriteria* criteria_ = nullptr;
};
