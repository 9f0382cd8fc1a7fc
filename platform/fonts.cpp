#include "platform/fonts.h"

#include <QFontDatabase>
#include <QHash>
#include <cmath>

namespace kv {

// The real face where it is installed, the IPA face otherwise. Asked once
// per face: the installed fonts do not change while the game runs. The list
// of installed families is read once; asking the font database family by
// family would run the font configuration's substitution rules each time,
// which cost more than the rest of the start-up's text.
QString substituteFace(const QString& face) {
  static QHash<QString, QString> chosen;
  if (auto it = chosen.constFind(face); it != chosen.cend()) return *it;
  static const QStringList installed = QFontDatabase::families();
  auto has = [](const QString& family) { return installed.contains(family, Qt::CaseInsensitive); };
  QString result = face;
  for (const DesignedFace& c : kDesignedFaces) {
    if (face != *c.face) continue;
    const QString english = QString::fromLatin1(c.english);
    result = has(face) ? face : has(english) ? english : QString::fromLatin1(c.standIn);
  }
  chosen.insert(face, result);
  return result;
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

QFont TextFontFor(const QString& code, const QFont& desktop) {
  if (code == QStringLiteral("ja")) return desktop;
  QFont f = desktop;
  f.setFamilies({substituteFace(kPGothic)});
  return f;
}

}  // namespace kv
