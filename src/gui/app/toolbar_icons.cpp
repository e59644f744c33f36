#include "app/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "app/command_ids.h"

namespace {

void Page(QPainter& p, const QRectF& r) {
  QPainterPath path;
  path.moveTo(r.left(), r.top());
  path.lineTo(r.right() - 3, r.top());
  path.lineTo(r.right(), r.top() + 3);
  path.lineTo(r.right(), r.bottom());
  path.lineTo(r.left(), r.bottom());
  path.closeSubpath();
  p.setBrush(Qt::white);
  p.setPen(QPen(QColor(60, 60, 60), 0.8));
  p.drawPath(path);
  p.drawLine(QPointF(r.right() - 3, r.top()), QPointF(r.right() - 3, r.top() + 3));
  p.drawLine(QPointF(r.right() - 3, r.top() + 3), QPointF(r.right(), r.top() + 3));
}

void Lines(QPainter& p, const QRectF& r) {
  p.setPen(QPen(QColor(120, 120, 120), 0.7));
  for (double y = r.top() + 5; y < r.bottom() - 1; y += 2) p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}

void Radio(QPainter& p, double x) {
  p.setPen(QPen(QColor(30, 30, 30), 0.8));
  p.setBrush(QColor(50, 55, 65));
  p.drawRoundedRect(QRectF(x, 4.5, 5, 9.5), 1, 1);
  p.drawLine(QPointF(x + 1.2, 4.5), QPointF(x + 1.2, 0.8));
  p.setBrush(QColor(150, 200, 150));
  p.setPen(Qt::NoPen);
  p.drawRect(QRectF(x + 1, 6, 3, 2));
}

void Arrow(QPainter& p, double x0, double x1, double y, const QColor& c) {
  p.setPen(QPen(c, 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(x0, y), QPointF(x1, y));
  const double dir = x1 > x0 ? -1 : 1;
  QPainterPath head;
  head.moveTo(x1 + dir * 0.5, y);
  head.lineTo(x1 + dir * 3.5, y - 3);
  head.lineTo(x1 + dir * 3.5, y + 3);
  head.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  p.drawPath(head);
}

void Draw(QPainter& p, int id) {
  switch (id) {
    case cmd::kNew:
      Page(p, QRectF(3.5, 1.5, 10, 12.5));
      break;
    case cmd::kOpen: {
      p.setPen(QPen(QColor(120, 90, 20), 0.8));
      p.setBrush(QColor(240, 200, 80));
      p.drawRect(QRectF(1.5, 4.5, 12, 9));
      p.drawRect(QRectF(1.5, 3, 5, 1.5));
      QPainterPath lid;
      lid.moveTo(3.5, 7.5);
      lid.lineTo(16.5, 7.5);
      lid.lineTo(13.5, 13.5);
      lid.lineTo(1.5, 13.5);
      lid.closeSubpath();
      p.setBrush(QColor(250, 220, 120));
      p.drawPath(lid);
      break;
    }
    case cmd::kSave:
      p.setPen(QPen(QColor(20, 40, 90), 0.8));
      p.setBrush(QColor(60, 100, 180));
      p.drawRect(QRectF(2.5, 1.5, 13, 12.5));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(5, 1.5, 8, 5));
      p.setBrush(QColor(200, 200, 200));
      p.drawRect(QRectF(5.5, 9, 7, 5));
      break;
    case cmd::kCopy:
      Page(p, QRectF(1.5, 1.5, 8, 9.5));
      Page(p, QRectF(7.5, 4.5, 8, 9.5));
      Lines(p, QRectF(7.5, 4.5, 8, 9.5));
      break;
    case cmd::kPaste:
      p.setPen(QPen(QColor(90, 60, 20), 0.8));
      p.setBrush(QColor(180, 130, 60));
      p.drawRoundedRect(QRectF(2, 2.5, 10, 11.5), 1, 1);
      p.setBrush(QColor(200, 200, 200));
      p.drawRect(QRectF(4.5, 1.5, 5, 2.5));
      Page(p, QRectF(8, 5.5, 8, 9));
      Lines(p, QRectF(8, 5.5, 8, 9));
      break;
    case cmd::kPrint:
      p.setPen(QPen(QColor(50, 50, 50), 0.8));
      p.setBrush(Qt::white);
      p.drawRect(QRectF(5, 1.5, 8, 5));
      p.setBrush(QColor(170, 170, 175));
      p.drawRoundedRect(QRectF(1.5, 6, 15, 6), 1, 1);
      p.setBrush(Qt::white);
      p.drawRect(QRectF(5, 10, 8, 4));
      p.setBrush(QColor(60, 180, 60));
      p.setPen(Qt::NoPen);
      p.drawEllipse(QRectF(13, 7.3, 1.6, 1.6));
      break;
    case cmd::kToolUpload:  // radio to PC
      Radio(p, 12);
      Arrow(p, 10.5, 1.5, 9.5, QColor(30, 140, 50));
      break;
    case cmd::kToolDownload:  // PC to radio
      Radio(p, 12);
      Arrow(p, 1.5, 10.5, 9.5, QColor(200, 90, 20));
      break;
    case cmd::kToolHelpTopics: {
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(40, 90, 190));
      p.drawEllipse(QRectF(2.5, 0.5, 13.5, 13.5));
      QFont f;
      f.setBold(true);
      f.setPixelSize(11);
      p.setFont(f);
      p.setPen(Qt::white);
      p.drawText(QRectF(2.5, 0.5, 13.5, 13.5), Qt::AlignCenter, QStringLiteral("?"));
      break;
    }
    default:
      break;
  }
}

}  // namespace

QIcon ToolbarIcon(int commandId) {
  QPixmap pm(36, 30);
  pm.setDevicePixelRatio(2.0);
  pm.fill(Qt::transparent);
  {
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    Draw(p, commandId);
  }
  return QIcon(pm);
}
