#pragma once
// The table model behind the card list and the deck list. Its only state is
// the row count: columns, captions and cell texts come from the game
// definition when the view asks for them, so a refresh costs the same for any
// number of cards.

#include <QAbstractTableModel>
#include <functional>
#include <string>

class TListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  struct Source {
    std::function<int()> columnCount;
    std::function<std::u16string(int column)> caption;
    std::function<std::u16string(int row, int column)> cellText;
  };
  TListModel(Source source, QObject* parent);

  // A new row count, or new columns: the view forgets its rows and asks again.
  void Reset(int rows);
  int Rows() const { return rows_; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  Source source_;
  int rows_ = 0;
};
