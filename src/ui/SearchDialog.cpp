#include "ui/SearchDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "cards/CardParams.h"

namespace {

constexpr int kItemHeight = 30;
constexpr int kCheckBoxWidth = 113;
constexpr int kBoundWidth = 49;
constexpr int kButtonBarHeight = 41;

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// Inputs are reached by the mouse only: Tab goes between OK and Cancel.
QLineEdit* MakeEdit(QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setFocusPolicy(Qt::ClickFocus);
  return edit;
}

QPushButton* MakeButton(const QString& caption, int left, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setAutoDefault(false);  // Enter closes nothing
  button->setGeometry(left, 6, 75, 25);
  return button;
}

}  // namespace

TChoiceListModel::TChoiceListModel(const std::vector<std::u16string_view>& values, QObject* parent)
    : QAbstractListModel(parent), values_(values) {}

int TChoiceListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(values_.size());
}

QVariant TChoiceListModel::data(const QModelIndex& index, int role) const {
  if ((role != Qt::DisplayRole && role != Qt::EditRole) || !checkIndex(index, CheckIndexOption::IndexIsValid)) {
    return {};
  }
  return ToQString(values_[static_cast<std::size_t>(index.row())]);
}

TfmSearchItem::TfmSearchItem(const TCardParamItem& param, TSearchCriterion& criterion, QWidget* parent)
    : QWidget(parent), criterion_(criterion), checkBox_(new QCheckBox(ToQString(param.Name()), this)) {
  setFixedHeight(kItemHeight);
  checkBox_->setFixedWidth(kCheckBoxWidth);
  checkBox_->setFocusPolicy(Qt::ClickFocus);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(checkBox_);
  switch (param.Type()) {
    case TCardParamItem::kText:
      text_ = MakeEdit(this);
      layout->addWidget(text_);
      break;
    case TCardParamItem::kRange:
      layout->addWidget(MakeRange());
      break;
    case TCardParamItem::kChoice:
      layout->addWidget(MakeChoice(param));
      break;
  }
}

QWidget* TfmSearchItem::MakeRange() {
  auto* range = new QWidget(this);
  lower_ = MakeEdit(range);
  upper_ = MakeEdit(range);
  auto* label = new QLabel(QStringLiteral("～"), range);
  for (QLineEdit* bound : {lower_, upper_}) bound->setAlignment(Qt::AlignRight);
  lower_->setGeometry(0, 2, kBoundWidth, lower_->sizeHint().height());
  upper_->setGeometry(78, 2, kBoundWidth, upper_->sizeHint().height());
  label->move(57, 5);
  label->adjustSize();
  return range;
}

QWidget* TfmSearchItem::MakeChoice(const TCardParamItem& param) {
  choice_ = new QComboBox(this);
  choice_->setEditable(true);
  choice_->setFocusPolicy(Qt::ClickFocus);
  // Typed text is searched for as typed, never added to the list; the
  // completer would finish it with an entry that differs in letter case.
  choice_->setInsertPolicy(QComboBox::NoInsert);
  choice_->setCompleter(nullptr);
  // The other policies measure every entry of the list to size the box.
  choice_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  // The list then opens without measuring every row.
  qobject_cast<QListView*>(choice_->view())->setUniformItemSizes(true);
  // Selects the first value, which is also where the criterion's choice starts.
  choice_->setModel(new TChoiceListModel(param.Values(), choice_));
  return choice_;
}

void TfmSearchItem::ShowCriterion() {
  checkBox_->setChecked(criterion_.ticked);
  if (text_ != nullptr) text_->setText(ToQString(criterion_.text));
  if (lower_ != nullptr) {
    lower_->setText(ToQString(criterion_.lower));
    upper_->setText(ToQString(criterion_.upper));
  }
}

void TfmSearchItem::StoreCriterion() {
  criterion_.ticked = checkBox_->isChecked();
  if (text_ != nullptr) criterion_.text = text_->text().toStdU16String();
  if (lower_ != nullptr) {
    criterion_.lower = lower_->text().toStdU16String();
    criterion_.upper = upper_->text().toStdU16String();
  }
  if (choice_ != nullptr) criterion_.choice = choice_->currentText().toStdU16String();
}

TfmSearch::TfmSearch() : QDialog(nullptr, Qt::Tool) {
  setWindowTitle(tr("検索ウインドウ"));

  auto* content = new QWidget;
  itemsLayout_ = new QVBoxLayout(content);
  itemsLayout_->setContentsMargins(0, 0, 0, 0);
  itemsLayout_->setSpacing(0);
  itemsLayout_->addStretch();
  auto* scrollBox = new QScrollArea(this);
  scrollBox->setFocusPolicy(Qt::NoFocus);
  scrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scrollBox->setWidgetResizable(true);
  scrollBox->setWidget(content);

  auto* buttonBar = new QWidget(this);
  buttonBar->setFixedHeight(kButtonBarHeight);
  QPushButton* ok = MakeButton(tr("OK"), 48, buttonBar);
  QPushButton* cancel = MakeButton(tr("Cancel"), 216, buttonBar);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(scrollBox);
  layout->addWidget(buttonBar);
  resize(334, 319);
}

void TfmSearch::Rebuild(const TCardParams& params, TSearchCriteria& criteria) {
  ClearItems();
  criteria_ = &criteria;
  for (int32_t i = params.Count() - 1; i >= 0; --i) {
    const TCardParamItem& param = *params.Item(i);
    const int32_t type = param.Type();
    if (type != TCardParamItem::kText && type != TCardParamItem::kRange && type != TCardParamItem::kChoice) continue;
    auto* item = new TfmSearchItem(param, *criteria.Find(param.Key()), itemsLayout_->parentWidget());
    itemsLayout_->insertWidget(itemsLayout_->count() - 1, item);  // above the closing stretch
    items_.push_back(item);
  }
}

void TfmSearch::ClearItems() {
  qDeleteAll(items_);
  items_.clear();
  criteria_ = nullptr;
}

bool TfmSearch::Execute() {
  if (criteria_ != nullptr) criteria_->ResetAll();
  for (TfmSearchItem* item : items_) item->ShowCriterion();
  if (exec() != QDialog::Accepted) return false;
  // Top down: with a repeated key the first parameter's panel, the lowest, has the last word.
  for (TfmSearchItem* item : items_) item->StoreCriterion();
  return true;
}
