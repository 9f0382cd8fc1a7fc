// Build-time generator of the pictures and sound effects the program ships.
// The pictures are built into the program; the sounds lie beside it.
// Usage: korvane_assetgen <pictures directory> <sounds directory>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "gen_pictures.h"
#include "gen_sounds.h"
#include "ico_writer.h"

int main(int argc, char** argv) {
  // Fonts need a GUI application; the build runs us on the offscreen platform.
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: korvane_assetgen <pictures directory> <sounds directory>\n");
    return 2;
  }
  const QString dir = QString::fromLocal8Bit(argv[1]);
  const QString soundDir = QString::fromLocal8Bit(argv[2]);
  for (const char* d : {argv[1], argv[2]}) {
    if (!QDir().mkpath(QString::fromLocal8Bit(d))) {
      std::fprintf(stderr, "korvane_assetgen: cannot create %s\n", d);
      return 1;
    }
  }
  bool ok = true;
  const struct {
    const char* name;
    QImage (*make)();
  } pictures[] = {{"ansmark.png", kv::assetgen::MakeAnsMark},
                  {"ansmark_en.png", kv::assetgen::MakeAnsMarkEnglish},
                  {"cursor.png", kv::assetgen::MakeCursor},
                  {"icon.png", kv::assetgen::MakeIcon}};
  for (const auto& pic : pictures) {
    const QString path = dir + "/" + pic.name;
    if (!pic.make().save(path, "PNG")) {
      std::fprintf(stderr, "korvane_assetgen: cannot write %s\n", qPrintable(path));
      ok = false;
    }
  }
  // The title as the program shows it: bare 32-bit pixels (see the window's
  // layout), on the machine it is built for.
  {
    const QImage title = kv::assetgen::MakeTitle().convertToFormat(QImage::Format_RGB32);
    QFile raw(dir + "/title.rgb32");
    if (!raw.open(QIODevice::WriteOnly) ||
        raw.write(reinterpret_cast<const char*>(title.constBits()), title.sizeInBytes()) !=
            title.sizeInBytes()) {
      std::fprintf(stderr, "korvane_assetgen: cannot write %s\n", qPrintable(raw.fileName()));
      ok = false;
    }
  }
  for (int size : {16, 24, 48, 64, 128, 256}) {
    const QString path = dir + QStringLiteral("/icon-%1.png").arg(size);
    if (!kv::assetgen::MakeIconSized(size).save(path, "PNG")) {
      std::fprintf(stderr, "korvane_assetgen: cannot write %s\n", qPrintable(path));
      ok = false;
    }
  }
  // The Windows program's icon resource: every size in one file.
  {
    std::vector<QImage> sizes;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
      sizes.push_back(size == 32 ? kv::assetgen::MakeIcon() : kv::assetgen::MakeIconSized(size));
    const QByteArray ico = kv::assetgen::MakeIco(sizes);
    QFile f(dir + QStringLiteral("/icon.ico"));
    if (ico.isEmpty() || !f.open(QIODevice::WriteOnly) || f.write(ico) != ico.size()) {
      std::fprintf(stderr, "korvane_assetgen: cannot write %s\n", qPrintable(f.fileName()));
      ok = false;
    }
  }
  ok = kv::assetgen::GenerateSounds(soundDir.toStdString()) && ok;
  return ok ? 0 : 1;
}
