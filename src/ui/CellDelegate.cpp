#include "ui/CellDelegate.h"

#include <QApplication>
#include <QPainter>

#include "ui/MarkupRender.h"

TCellDelegate::TCellDelegate(TRTFtoHtml& markup, QObject* parent) : QStyledItemDelegate(parent), markup_(markup) {}

void TCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyleOptionViewItem cell(option);
  initStyleOption(&cell, index);
  const QStyle* style = cell.widget != nullptr ? cell.widget->style() : QApplication::style();
  if (!ownerDraw_) style->drawPrimitive(QStyle::PE_PanelItemViewItem, &cell, painter, cell.widget);
  const bool selected = cell.state.testFlag(QStyle::State_Selected);
  const QColor color = cell.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
  const QRect rect = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, cell.widget);
  painter->save();
  painter->setFont(cell.font);
  PaintCell(painter, rect, index.data(Qt::DisplayRole).toString().toStdU16String(), color, markup_);
  painter->restore();
}
