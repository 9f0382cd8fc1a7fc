// The answer marker, the mouse cursor and the window icon.
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "gen_pictures.h"
#include "picture_fx.h"

namespace kv::assetgen {

QImage MakeAnsMark(const QString& top, const QString& bottom) {
  constexpr int kS = 76;
  QImage img(kS, kS, QImage::Format_ARGB32_Premultiplied);
  // The marker sits on a white picture box, so the corners outside the tile
  // are white rather than transparent.
  img.fill(Qt::white);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF tile(1, 1, kS - 2, kS - 2);
  QPainterPath shape;
  shape.addRoundedRect(tile, 9, 9);
  // Bevel: light upper-left rim, dark lower-right rim, then the face.
  QLinearGradient rim(tile.topLeft(), tile.bottomRight());
  rim.setColorAt(0, QColor(215, 170, 255));
  rim.setColorAt(0.5, QColor(140, 60, 200));
  rim.setColorAt(1, QColor(60, 10, 100));
  p.fillPath(shape, rim);
  QPainterPath face;
  face.addRoundedRect(tile.adjusted(4, 4, -4, -4), 6, 6);
  QLinearGradient fg(0, 5, 0, kS - 5);
  fg.setColorAt(0, QColor(168, 84, 222));
  fg.setColorAt(1, QColor(112, 36, 168));
  p.fillPath(face, fg);
  p.setPen(QPen(QColor(50, 0, 80), 1));
  p.drawPath(shape);

  QFont f("IPAGothic");
  f.setBold(true);
  f.setPixelSize(21);
  p.setFont(f);
  auto line = [&](const QRectF& r, const QString& text) {
    p.setPen(QColor(60, 0, 90));
    p.drawText(r.translated(1.5, 1.5), Qt::AlignCenter, text);
    p.setPen(Qt::white);
    p.drawText(r, Qt::AlignCenter, text);
  };
  line(QRectF(0, 8, kS, 28), top);
  line(QRectF(0, 38, kS, 28), bottom);
  p.end();
  return img.convertToFormat(QImage::Format_RGB32);
}

QImage MakeAnsMark() {
  return MakeAnsMark(QString::fromUtf8("ここに"), QString::fromUtf8("来る？"));
}
QImage MakeAnsMarkEnglish() {
  return MakeAnsMark(QStringLiteral("Lands"), QStringLiteral("here?"));
}

QImage MakeCursor() {
  constexpr int kS = 32;
  QImage img(kS, kS, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  // Centre of pixel (15, 15): the hot spot.
  const QPointF c(15.5, 15.5);
  // A dark outline under every stroke keeps the reticle visible on any ground.
  auto reticle = [&](const QColor& ring, const QColor& hair, double extra) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ring, 2 + extra));
    p.drawEllipse(c, 9.0, 9.0);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(hair);
    const int e = static_cast<int>(extra / 2);
    // Four hairs with a gap around the centre.
    p.drawRect(QRect(15 - e, 1 - e, 1 + 2 * e, 10 + 2 * e));
    p.drawRect(QRect(15 - e, 20 - e, 1 + 2 * e, 10 + 2 * e));
    p.drawRect(QRect(1 - e, 15 - e, 10 + 2 * e, 1 + 2 * e));
    p.drawRect(QRect(20 - e, 15 - e, 10 + 2 * e, 1 + 2 * e));
  };
  reticle(QColor(0, 0, 0, 220), QColor(0, 0, 0, 220), 2);
  reticle(QColor(255, 255, 255), QColor(255, 255, 255), 0);
  // The red centre dot marks the hot spot exactly.
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0));
  p.drawRect(QRect(14, 14, 3, 3));
  p.setBrush(QColor(255, 30, 30));
  p.drawRect(QRect(15, 15, 1, 1));
  p.end();
  return img;
}

QImage MakeIcon() {
  constexpr int kS = 32;
  // The classic 16-colour palette.
  const QList<QRgb> palette = {
      qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
      qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
      qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
      qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
  QImage img(kS, kS, QImage::Format_RGB32);
  img.fill(QColor(128, 128, 255).rgb());
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, false);
  // Window-blue frame, white plot with a grey grid.
  p.fillRect(0, 0, kS, kS, QColor(0, 0, 128));
  p.fillRect(2, 2, 28, 28, Qt::white);
  p.setPen(QColor(192, 192, 192));
  for (int x = 6; x < 23; x += 5) p.drawLine(x, 3, x, 28);
  for (int y = 7; y < 29; y += 6) p.drawLine(3, y, 22, y);
  // The four answer cells.
  const QColor cells[] = {QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255),
                          QColor(255, 255, 0)};
  for (int i = 0; i < 4; ++i) p.fillRect(23, 2 + i * 7, 7, 7, cells[i]);
  p.setPen(QColor(0, 0, 0));
  p.drawLine(22, 2, 22, 29);
  // The trace: a hop that lands in the blue cell, then the point.
  const QPoint trace[] = {{3, 24}, {6, 16}, {9, 10}, {12, 8}, {15, 10}, {18, 15}, {21, 18}};
  p.setPen(QPen(QColor(0, 0, 0), 1));
  for (size_t i = 1; i < std::size(trace); ++i) p.drawLine(trace[i - 1], trace[i]);
  p.fillRect(20, 17, 3, 3, QColor(255, 0, 0));
  p.end();
  return img.convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither);
}

QImage MakeIconSized(int size) {
  const QImage base = MakeIcon().convertToFormat(QImage::Format_ARGB32);
  const int whole = (size + 31) / 32 * 32;
  const QImage big = base.scaled(whole, whole, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  if (whole == size) return big;
  return big.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace kv::assetgen
