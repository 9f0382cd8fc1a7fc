// The four designed faces come with every Japanese Windows. Elsewhere (an
// English Windows without the Japanese fonts, Wine) the IPA faces shipped in
// the game's "fonts" folder stand in, each loaded only where its designed
// face is missing: a font file is several megabytes.
#include "platform/fonts.h"

#include <QDir>
#include <QFontDatabase>

#include "platform/system.h"

namespace kv::sys {

void AddShippedFonts(const QString& dataDir) {
  const QStringList installed = QFontDatabase::families();
  const QDir fonts(dataDir + QStringLiteral("/fonts"));
  for (const DesignedFace& s : kDesignedFaces) {
    if (installed.contains(*s.face, Qt::CaseInsensitive) ||
        installed.contains(QLatin1String(s.english), Qt::CaseInsensitive))
      continue;
    QFontDatabase::addApplicationFont(fonts.filePath(QLatin1String(s.standInFile)));
  }
}

}  // namespace kv::sys
