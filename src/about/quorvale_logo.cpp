#include "quorvale_logo.h"

#include <QColor>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace hm {

QPixmap quorvaleLogo(const QSize& size, qreal devicePixelRatio) {
  const qreal ratio = std::max<qreal>(devicePixelRatio, 1.0);
  QPixmap pixmap(size * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);

  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  const QRectF area(0.5, 0.5, size.width() - 1.0, size.height() - 1.0);

  // A walnut board.
  QLinearGradient wood(area.topLeft(), area.bottomLeft());
  wood.setColorAt(0.0, QColor(0x8a, 0x5a, 0x32));
  wood.setColorAt(1.0, QColor(0x5c, 0x37, 0x1c));
  p.setPen(QPen(QColor(0x3b, 0x22, 0x10), 1.0));
  p.setBrush(wood);
  p.drawRoundedRect(area, 6, 6);

  // Three rows of bins hanging on their batten, like the walls the program plans.
  const QColor cream(0xf4, 0xe6, 0xc8);
  const qreal left = 9, top = 9, binW = 11, binH = 10, gap = 2.5;
  const qreal wallW = 3 * binW + 2 * gap;
  p.setPen(QPen(cream, 1.2));
  p.setBrush(QColor(0xf4, 0xe6, 0xc8, 50));
  for (int row = 0; row < 3; ++row) {
    const qreal y = top + row * (binH + gap + 1);
    p.drawLine(QPointF(left - 2, y), QPointF(left + wallW + 2, y));
    const int bins = row == 1 ? 2 : 3;
    const qreal w = bins == 2 ? (wallW - gap) / 2 : binW;
    for (int b = 0; b < bins; ++b) {
      p.drawRect(QRectF(left + b * (w + gap), y + 1, w, binH - 1));
    }
  }

  // The name.
  const QRectF textArea(left + wallW + 10, 0, size.width() - (left + wallW + 10) - 6,
                        size.height());
  QFont font(QStringLiteral("DejaVu Serif"));
  font.setStyleHint(QFont::Serif);
  font.setBold(true);
  font.setPixelSize(std::max(10, size.height() * 2 / 5));
  p.setFont(font);
  p.setPen(cream);
  p.drawText(textArea, Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Quorvale"));
  return pixmap;
}

}  // namespace hm
