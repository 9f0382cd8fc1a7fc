#include "platform/fonts.h"

#include <cmath>

namespace kv {

QString substituteFace(const QString& face) {
  if (face == kGothic) return QStringLiteral("IPAGothic");
  if (face == kPGothic) return QStringLiteral("IPAPGothic");
  if (face == kMincho) return QStringLiteral("IPAMincho");
  if (face == kPMincho) return QStringLiteral("IPAPMincho");
  return face;
}

int pointsToPixels(double points) { return static_cast<int>(std::lround(points * 96.0 / 72.0)); }

QFont makeFont(const QString& face, double points, bool bold, bool italic) {
  QFont f(substituteFace(face));
  f.setPixelSize(std::max(1, pointsToPixels(points)));
  f.setBold(bold);
  f.setItalic(italic);
  f.setStyleStrategy(QFont::PreferDefault);
  return f;
}

}  // namespace kv
