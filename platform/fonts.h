#pragma once
#include <QFont>
#include <QString>

namespace kv {

// The four Japanese faces of the design and the installed faces that stand in
// for them; sizes are points at 96 dots per inch, whatever the screen reports.
QFont makeFont(const QString& face, double points, bool bold = false, bool italic = false);
QString substituteFace(const QString& face);
int pointsToPixels(double points);
// The face of the toolkit's own texts (drop-down menus, tool tips, the help
// window) in language `code`, from the desktop's face: Japanese keeps it;
// other languages take the proportional Gothic at the same size, since a
// Japanese desktop's face spaces Latin letters as wide as its own.
QFont TextFontFor(const QString& code, const QFont& desktop);

inline const QString kGothic = QStringLiteral("ＭＳ ゴシック");
inline const QString kPGothic = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString kMincho = QStringLiteral("ＭＳ 明朝");
inline const QString kPMincho = QStringLiteral("ＭＳ Ｐ明朝");

// Each face of the design with the English name it may be installed under,
// the IPA face that stands in for it and that face's font file.
struct DesignedFace {
  const QString* face;
  const char* english;
  const char* standIn;
  const char* standInFile;
};
inline const DesignedFace kDesignedFaces[] = {{&kGothic, "MS Gothic", "IPAGothic", "ipag.ttf"},
                                              {&kPGothic, "MS PGothic", "IPAPGothic", "ipagp.ttf"},
                                              {&kMincho, "MS Mincho", "IPAMincho", "ipam.ttf"},
                                              {&kPMincho, "MS PMincho", "IPAPMincho", "ipamp.ttf"}};

}  // namespace kv
