#include "ui/ListModel.h"

TListModel::TListModel(Source source, QObject* parent) : QAbstractTableModel(parent), source_(std::move(source)) {}

void TListModel::Reset(int rows) {
  beginResetModel();
  rows_ = rows;
  endResetModel();
}

int TListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int TListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : source_.columnCount(); }

QVariant TListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_ || index.column() >= columnCount()) {
    return {};
  }
  return QString::fromStdU16String(source_.cellText(index.row(), index.column()));
}

QVariant TListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount()) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  return QString::fromStdU16String(source_.caption(section));
}
