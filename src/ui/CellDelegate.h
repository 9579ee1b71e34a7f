#pragma once
// Paints the cells of the card list and the deck list: the style's panel for a
// selected row, then the cell's marked-up text (the model's display text).

#include <QStyledItemDelegate>

class TRTFtoHtml;

class TCellDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  TCellDelegate(TRTFtoHtml& markup, QObject* parent);

  // In owner-draw mode the list's own drawing (the selected row's panel) is left out.
  void SetOwnerDraw(bool ownerDraw) { ownerDraw_ = ownerDraw; }
  bool OwnerDraw() const { return ownerDraw_; }

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  TRTFtoHtml& markup_;
  bool ownerDraw_ = false;
};
