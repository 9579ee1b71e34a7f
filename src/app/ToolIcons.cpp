#include "app/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <tuple>

namespace {

const char* ThemeName(int command) {
  switch (command) {
    case 0: return "application-exit";
    case 1: return "document-new";
    case 2: return "document-open";
    case 3: return "document-save";
    case 4: return "edit-find";
    case 5: return "preferences-system";
    case 6: return "view-refresh";
    case 7: return "edit-copy";
    case 12: return "image-x-generic";
    case 13: return "edit-undo";
    case 14: return "edit-redo";
    default: return "";
  }
}

QPen Outline(const QColor& color, qreal width = 1.2) { return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

void DrawPage(QPainter& p, const QRectF& r, const QColor& fill) {
  QPainterPath page;
  page.moveTo(r.left(), r.top());
  page.lineTo(r.right() - 5, r.top());
  page.lineTo(r.right(), r.top() + 5);
  page.lineTo(r.right(), r.bottom());
  page.lineTo(r.left(), r.bottom());
  page.closeSubpath();
  p.setPen(Outline(QColor(90, 90, 100)));
  p.setBrush(fill);
  p.drawPath(page);
  p.drawLine(QPointF(r.right() - 5, r.top()), QPointF(r.right() - 5, r.top() + 5));
  p.drawLine(QPointF(r.right() - 5, r.top() + 5), QPointF(r.right(), r.top() + 5));
}

void DrawLines(QPainter& p, qreal left, qreal right, qreal top, int count) {
  p.setPen(Outline(QColor(150, 160, 175), 1.0));
  for (int i = 0; i < count; ++i) p.drawLine(QPointF(left, top + 3 * i), QPointF(right, top + 3 * i));
}

// Each picture is drawn on a 24 × 24 grid.
void Draw(QPainter& p, int command) {
  switch (command) {
    case 0: {  // close: a door and an arrow leaving it
      p.setPen(Outline(QColor(90, 70, 50)));
      p.setBrush(QColor(196, 150, 100));
      p.drawRect(QRectF(4, 3, 10, 18));
      p.setBrush(QColor(90, 70, 50));
      p.drawEllipse(QPointF(11.5, 12.5), 0.9, 0.9);
      p.setPen(Outline(QColor(200, 40, 40), 2.2));
      p.drawLine(QPointF(13, 12), QPointF(21, 12));
      p.drawLine(QPointF(18, 9), QPointF(21, 12));
      p.drawLine(QPointF(18, 15), QPointF(21, 12));
      break;
    }
    case 1:  // new: a blank page with a star
      DrawPage(p, QRectF(5, 2.5, 14, 19), Qt::white);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(240, 180, 20));
      p.drawEllipse(QPointF(17.5, 18), 4, 4);
      p.setPen(Outline(Qt::white, 1.6));
      p.drawLine(QPointF(17.5, 15.8), QPointF(17.5, 20.2));
      p.drawLine(QPointF(15.3, 18), QPointF(19.7, 18));
      break;
    case 2: {  // open: a folder
      p.setPen(Outline(QColor(150, 110, 20)));
      p.setBrush(QColor(240, 200, 90));
      QPainterPath back;
      back.moveTo(2.5, 5);
      back.lineTo(9, 5);
      back.lineTo(11, 7.5);
      back.lineTo(20.5, 7.5);
      back.lineTo(20.5, 19.5);
      back.lineTo(2.5, 19.5);
      back.closeSubpath();
      p.drawPath(back);
      p.setBrush(QColor(250, 220, 120));
      QPainterPath front;
      front.moveTo(2.5, 19.5);
      front.lineTo(6, 10.5);
      front.lineTo(22.5, 10.5);
      front.lineTo(20.5, 19.5);
      front.closeSubpath();
      p.drawPath(front);
      break;
    }
    case 3:  // save: a disk
      p.setPen(Outline(QColor(30, 60, 120)));
      p.setBrush(QColor(60, 110, 190));
      p.drawRoundedRect(QRectF(3, 3, 18, 18), 1.5, 1.5);
      p.setBrush(Qt::white);
      p.drawRect(QRectF(6.5, 3, 11, 7));
      p.setBrush(QColor(200, 210, 225));
      p.drawRect(QRectF(6, 13.5, 12, 7.5));
      p.setPen(Outline(QColor(30, 60, 120), 1.0));
      p.drawLine(QPointF(14.5, 4.5), QPointF(14.5, 8.5));
      break;
    case 4:  // search: a magnifying glass
      p.setPen(Outline(QColor(60, 60, 70), 3.0));
      p.drawLine(QPointF(15, 15), QPointF(20.5, 20.5));
      p.setPen(Outline(QColor(60, 60, 70), 2.0));
      p.setBrush(QColor(190, 225, 250));
      p.drawEllipse(QPointF(10, 10), 6.5, 6.5);
      break;
    case 5: {  // config: a gear
      QPainterPath gear;
      for (int i = 0; i < 16; ++i) {
        const qreal angle = i * M_PI / 8;
        const qreal radius = i % 2 == 0 ? 9.5 : 7;
        const QPointF point(12 + radius * std::cos(angle), 12 + radius * std::sin(angle));
        i == 0 ? gear.moveTo(point) : gear.lineTo(point);
      }
      gear.closeSubpath();
      gear.addEllipse(QPointF(12, 12), 3, 3);
      gear.setFillRule(Qt::OddEvenFill);
      p.setPen(Outline(QColor(70, 70, 80)));
      p.setBrush(QColor(150, 155, 165));
      p.drawPath(gear);
      break;
    }
    case 6:  // plugin: two cards of different games, with an arrow between them
      p.setPen(Outline(QColor(60, 60, 90)));
      p.setBrush(QColor(120, 90, 200));
      p.drawRoundedRect(QRectF(2.5, 3, 10, 14), 1.5, 1.5);
      p.setBrush(QColor(60, 170, 120));
      p.drawRoundedRect(QRectF(11.5, 7, 10, 14), 1.5, 1.5);
      p.setPen(Outline(Qt::white, 1.6));
      p.drawLine(QPointF(5, 10), QPointF(10, 10));
      p.drawLine(QPointF(8, 8), QPointF(10, 10));
      p.drawLine(QPointF(8, 12), QPointF(10, 10));
      break;
    case 7:  // clipboard: a board with a sheet
      p.setPen(Outline(QColor(110, 70, 30)));
      p.setBrush(QColor(180, 120, 60));
      p.drawRoundedRect(QRectF(4, 3.5, 16, 18.5), 1.5, 1.5);
      p.setBrush(Qt::white);
      p.drawRect(QRectF(6.5, 6.5, 11, 13));
      p.setBrush(QColor(150, 150, 160));
      p.drawRoundedRect(QRectF(8.5, 2, 7, 3.5), 1, 1);
      DrawLines(p, 8.5, 15.5, 10, 3);
      break;
    case 12:  // image: a picture of a mountain under the sun
      p.setPen(Outline(QColor(70, 80, 100)));
      p.setBrush(QColor(200, 230, 250));
      p.drawRect(QRectF(2.5, 4.5, 19, 15));
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(250, 190, 40));
      p.drawEllipse(QPointF(16.5, 9), 2.2, 2.2);
      p.setBrush(QColor(70, 150, 80));
      p.drawPolygon(QPolygonF({QPointF(3, 19), QPointF(9, 10), QPointF(13, 15), QPointF(15, 13), QPointF(21, 19)}));
      break;
    case 13:  // undo: an arrow that turns back to the left
    case 14: {  // redo: the same, to the right
      if (command == 14) {
        p.translate(24, 0);
        p.scale(-1, 1);
      }
      p.setPen(Outline(QColor(40, 90, 170), 2.6));
      p.setBrush(Qt::NoBrush);
      QPainterPath turn;
      turn.moveTo(7, 9);
      turn.lineTo(14, 9);
      turn.cubicTo(22, 9, 22, 20, 14, 20);
      turn.lineTo(9, 20);
      p.drawPath(turn);
      p.setBrush(QColor(40, 90, 170));
      p.setPen(Outline(QColor(40, 90, 170), 1.2));
      p.drawPolygon(QPolygonF({QPointF(2.5, 9), QPointF(8.5, 4), QPointF(8.5, 14)}));
      break;
    }
    case 15:  // statistics: a bar chart
      p.setPen(Outline(QColor(70, 70, 80), 1.4));
      p.drawLine(QPointF(3, 3), QPointF(3, 21));
      p.drawLine(QPointF(3, 21), QPointF(21, 21));
      p.setPen(Outline(QColor(60, 90, 60)));
      for (const auto& [left, height, color] : {std::tuple{5.5, 8.0, QColor(90, 170, 90)}, std::tuple{10.5, 15.0, QColor(230, 150, 50)},
                                                 std::tuple{15.5, 11.0, QColor(70, 130, 200)}}) {
        p.setBrush(color);
        p.drawRect(QRectF(left, 20 - height, 4, height));
      }
      break;
    default:
      break;
  }
}

QPixmap Picture(int command, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 24.0, size / 24.0);
  Draw(painter, command);
  return pixmap;
}

}  // namespace

QIcon ToolIcon(int command) {
  const QIcon themed = QIcon::fromTheme(QString::fromLatin1(ThemeName(command)));
  if (!themed.isNull()) return themed;
  QIcon drawn;
  for (int size : {24, 48}) drawn.addPixmap(Picture(command, size));
  return drawn;
}
