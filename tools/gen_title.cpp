// The title picture: logo, graph-paper corner with a trace, a trail of stars
// and a credit line on pale marble.
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

#include "gen_pictures.h"
#include "picture_fx.h"

namespace kv::assetgen {
namespace {

constexpr int kW = 500, kH = 350;

// The answer cell colours, top to bottom.
const QColor kCells[4] = {QColor(232, 40, 40), QColor(30, 170, 60), QColor(40, 80, 230),
                          QColor(245, 200, 20)};

QPainterPath StarPath(QPointF c, double outer, double inner, double turn) {
  QPainterPath p;
  for (int i = 0; i < 10; ++i) {
    const double r = i % 2 ? inner : outer;
    const double a = turn - std::numbers::pi / 2 + i * std::numbers::pi / 5;
    const QPointF q(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    if (i == 0)
      p.moveTo(q);
    else
      p.lineTo(q);
  }
  p.closeSubpath();
  return p;
}

// A soft drop shadow of `path`, blurred on its own layer and laid under it.
void DrawShadow(QPainter& p, const QPainterPath& path, QPointF offset, int blur, int alpha) {
  QImage layer(kW, kH, QImage::Format_ARGB32_Premultiplied);
  layer.fill(Qt::transparent);
  {
    QPainter lp(&layer);
    lp.setRenderHint(QPainter::Antialiasing);
    lp.translate(offset);
    lp.fillPath(path, QColor(40, 20, 80, alpha));
  }
  Blur(layer, blur, 2);
  p.drawImage(0, 0, layer);
}

void DrawGraphCorner(QPainter& p) {
  p.save();
  p.translate(34, 196);
  p.rotate(-3.5);
  const QRectF plot(0, 0, 190, 112);
  const double cellW = 14;
  // Paper with a thin shadow.
  QPainterPath paper;
  paper.addRect(plot.adjusted(-6, -6, 6, 6));
  p.restore();
  {
    QTransform t;
    t.translate(34, 196);
    t.rotate(-3.5);
    DrawShadow(p, t.map(paper), QPointF(4, 5), 3, 110);
  }
  p.save();
  p.translate(34, 196);
  p.rotate(-3.5);
  p.fillPath(paper, QColor(255, 255, 255, 235));
  p.setPen(QPen(QColor(150, 140, 200), 1));
  p.drawPath(paper);

  // Grid: fine lines every 8 px, stronger every 40 px, like graph paper.
  const double gridRight = plot.right() - cellW;
  for (double x = plot.left(); x <= gridRight + 0.1; x += 8) {
    const bool major = static_cast<int>(x) % 40 == 0;
    p.setPen(QPen(major ? QColor(120, 160, 220) : QColor(190, 215, 240), major ? 1.0 : 0.6));
    p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
  }
  for (double y = plot.top(); y <= plot.bottom() + 0.1; y += 8) {
    const bool major = static_cast<int>(y) % 40 == 0;
    p.setPen(QPen(major ? QColor(120, 160, 220) : QColor(190, 215, 240), major ? 1.0 : 0.6));
    p.drawLine(QPointF(plot.left(), y), QPointF(gridRight, y));
  }
  // The answer cells on the right edge.
  const double cellH = plot.height() / 4;
  for (int i = 0; i < 4; ++i) {
    const QRectF cell(gridRight, plot.top() + i * cellH, cellW, cellH);
    QLinearGradient g(cell.topLeft(), cell.topRight());
    g.setColorAt(0, kCells[i].lighter(130));
    g.setColorAt(1, kCells[i]);
    p.fillRect(cell, g);
  }
  // The red answer line.
  p.setPen(QPen(QColor(230, 40, 40), 1.2, Qt::DashLine));
  p.drawLine(QPointF(128, plot.top()), QPointF(128, plot.bottom()));
  p.setPen(QPen(QColor(60, 60, 90), 1.2));
  p.drawRect(plot);

  // The trace: a swing that settles into the blue cell.
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath trace;
  QPointF last;
  for (double x = 0; x <= gridRight; x += 1) {
    const double u = x / gridRight;
    const double y = 18 + u * 52 + 26 * std::sin(u * 2.6 * std::numbers::pi) * (1 - 0.6 * u);
    last = QPointF(x, y);
    if (x == 0)
      trace.moveTo(last);
    else
      trace.lineTo(last);
  }
  p.setPen(QPen(QColor(20, 20, 30), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(trace);
  // The moving point where the trace ends.
  QRadialGradient dot(last, 6, last - QPointF(1.5, 1.5));
  dot.setColorAt(0, Qt::white);
  dot.setColorAt(0.4, QColor(255, 80, 80));
  dot.setColorAt(1, QColor(150, 0, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(dot);
  p.drawEllipse(last, 5, 5);
  p.restore();
}

// The trail leaves the end of the trace and sweeps up to the right.
double TrailX(double u) { return 248 + 216 * std::pow(u, 1.25); }
double TrailY(double u) { return 262 - 58 * std::sin(u * std::numbers::pi * 0.7) + u * 8; }

void DrawStarTrail(QPainter& p) {
  const QColor rainbow[] = {QColor(255, 70, 90),  QColor(255, 150, 40), QColor(250, 215, 30),
                            QColor(90, 205, 70),  QColor(40, 195, 210), QColor(70, 110, 245),
                            QColor(170, 80, 230), QColor(255, 90, 200)};
  const int n = 11;
  // Along a rising arc from the end of the trace to the upper right.
  for (int i = 0; i < n; ++i) {
    const double u = static_cast<double>(i) / (n - 1);
    const QPointF c(TrailX(u), TrailY(u));
    const double r = 4 + 10 * u;
    const QPainterPath star = StarPath(c, r, r * 0.45, u * 0.9);
    const QColor col = rainbow[i % 8];
    // Glow.
    QRadialGradient glow(c, r * 1.7);
    glow.setColorAt(0, QColor(255, 255, 255, 200));
    glow.setColorAt(0.5, QColor(col.red(), col.green(), col.blue(), 70));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(c, r * 1.7, r * 1.7);
    QRadialGradient fill(c - QPointF(r * 0.3, r * 0.3), r * 1.2);
    fill.setColorAt(0, col.lighter(160));
    fill.setColorAt(1, col);
    p.setBrush(fill);
    p.setPen(QPen(col.darker(160), 1.0));
    p.drawPath(star);
  }
  // Small sparkles between the stars.
  for (int i = 0; i < 9; ++i) {
    const double u = (i + 0.5) / 10.0;
    const QPointF c(TrailX(u) + 6 * std::sin(i * 2.1), TrailY(u) + 12 * std::cos(i));
    p.setPen(QPen(QColor(255, 255, 255, 230), 1.2));
    p.drawLine(c - QPointF(3, 0), c + QPointF(3, 0));
    p.drawLine(c - QPointF(0, 3), c + QPointF(0, 3));
  }
}

void DrawLogo(QPainter& p) {
  QFont font("DejaVu Sans");
  font.setFamilies({"DejaVu Sans", "IPAPGothic"});
  font.setBold(true);
  font.setPixelSize(78);
  font.setLetterSpacing(QFont::AbsoluteSpacing, -2);
  const QString word = "KORVANE";
  const QColor colors[] = {QColor(235, 45, 60), QColor(250, 140, 20), QColor(235, 200, 0),
                           QColor(40, 175, 70), QColor(20, 160, 220), QColor(50, 80, 225),
                           QColor(150, 60, 215)};
  // Lay the letters out one by one so each gets its own fill.
  QFontMetricsF fm(font);
  double width = 0;
  for (QChar ch : word) width += fm.horizontalAdvance(ch) - 2;
  const double baseline = 122;
  double x = (kW - width) / 2 + 8;
  QTransform slant;
  slant.translate(0, baseline);
  slant.shear(-0.18, 0);
  slant.translate(0, -baseline);

  QPainterPath all;
  QPainterPath letters[7];
  for (int i = 0; i < word.size(); ++i) {
    QPainterPath path;
    // Letters bob a little, alternating, for a livelier line.
    path.addText(x, baseline + (i % 2 ? 3 : -3), font, QString(word[i]));
    letters[i] = slant.map(path);
    all.addPath(letters[i]);
    x += fm.horizontalAdvance(word[i]) - 2;
  }

  DrawShadow(p, all, QPointF(6, 7), 4, 150);

  p.setRenderHint(QPainter::Antialiasing);
  // Outer white rim, then a dark outline.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Qt::white, 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(all);
  p.setPen(QPen(QColor(40, 30, 90), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(all);

  for (int i = 0; i < 7; ++i) {
    const QRectF b = letters[i].boundingRect();
    QLinearGradient g(b.topLeft(), b.bottomLeft());
    g.setColorAt(0, colors[i].lighter(175));
    g.setColorAt(0.48, colors[i].lighter(115));
    g.setColorAt(0.52, colors[i]);
    g.setColorAt(1, colors[i].darker(150));
    p.fillPath(letters[i], g);
    // A glossy highlight over the upper half.
    p.save();
    p.setClipPath(letters[i]);
    QLinearGradient gloss(b.topLeft(), QPointF(b.left(), b.center().y()));
    gloss.setColorAt(0, QColor(255, 255, 255, 150));
    gloss.setColorAt(1, QColor(255, 255, 255, 20));
    p.fillRect(QRectF(b.left(), b.top(), b.width(), b.height() * 0.45), gloss);
    p.restore();
  }
  p.setPen(QPen(QColor(40, 30, 90, 160), 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawPath(all);

  // "for Win" beneath, towards the right.
  QFont sub("DejaVu Serif");
  sub.setFamilies({"DejaVu Serif", "IPAPMincho"});
  sub.setBold(true);
  sub.setItalic(true);
  sub.setPixelSize(30);
  QPainterPath subPath;
  const QString subText = "for Win";
  const double subW = QFontMetricsF(sub).horizontalAdvance(subText);
  subPath.addText(kW - 70 - subW, 166, sub, subText);
  DrawShadow(p, subPath, QPointF(3, 3), 2, 120);
  p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(subPath);
  QLinearGradient sg(0, 140, 0, 170);
  sg.setColorAt(0, QColor(110, 90, 220));
  sg.setColorAt(1, QColor(50, 30, 130));
  p.fillPath(subPath, sg);
}

void DrawCredit(QPainter& p) {
  QFont f("IPAPGothic");
  f.setPixelSize(13);
  p.setFont(f);
  const QRectF band(0, kH - 26, kW, 20);
  p.setPen(QColor(255, 255, 255, 200));
  p.drawText(band.translated(1, 1), Qt::AlignCenter, "(C) 2002 KORVANE project");
  p.setPen(QColor(90, 75, 140));
  p.drawText(band, Qt::AlignCenter, "(C) 2002 KORVANE project");
}

}  // namespace

QImage MakeTitle() {
  QImage img(kW, kH, QImage::Format_ARGB32_Premultiplied);
  PaintMarble(img);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  // A soft double frame holds the picture together.
  p.setPen(QPen(QColor(170, 160, 220), 2));
  p.drawRect(QRectF(4, 4, kW - 8, kH - 8));
  p.setPen(QPen(QColor(255, 255, 255, 200), 1));
  p.drawRect(QRectF(7.5, 7.5, kW - 15, kH - 15));
  DrawGraphCorner(p);
  DrawStarTrail(p);
  DrawLogo(p);
  DrawCredit(p);
  p.end();
  return img.convertToFormat(QImage::Format_RGB32);
}

}  // namespace kv::assetgen
