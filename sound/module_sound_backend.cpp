#include "sound/module_sound_backend.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QThread>
#include <cstdio>

#include "sound/sound.h"

namespace kv {

namespace {
constexpr char kModuleFile[] = "/korvane-sound.so";
constexpr char kFactory[] = "korvane_new_sound_backend";
using Factory = SoundBackend* (*)();
}  // namespace

QStringList SoundModuleCandidates(const QString& programDir) {
  QStringList files;
  for (const char* rel : {"", "/../lib/games/korvane", "/../lib/korvane"})
    files << QDir::cleanPath(programDir + QLatin1String(rel) + QLatin1String(kModuleFile));
  return files;
}

ModuleSoundBackend::~ModuleSoundBackend() = default;

void ModuleSoundBackend::prepare() {
  if (tried_) return;
  tried_ = true;
  const QStringList files = SoundModuleCandidates(programDir_);
  QString failure;
  for (const QString& file : files) {
    if (!QFileInfo(file).isFile()) continue;
    // Never unloaded: the backend's code runs until the process ends.
    QLibrary lib(file);
    const auto make = reinterpret_cast<Factory>(lib.resolve(kFactory));
    if (!make) {
      // A broken copy (a library it needs is missing) gives way to the next.
      if (failure.isEmpty()) failure = lib.errorString().simplified();
      continue;
    }
    module_.reset(make());
    modulePath_ = file;
    return;
  }
  notice_ = QStringLiteral("korvane: no sound, the sound module did not load; looked in ") +
            files.join(QStringLiteral(", "));
  if (!failure.isEmpty()) notice_ += QStringLiteral(" (") + failure + ')';
  std::fprintf(stderr, "%s\n", qPrintable(notice_));
}

void ModuleSoundBackend::playAsync(const QString& path) {
  prepare();
  if (module_) module_->playAsync(path);
}

void ModuleSoundBackend::playSync(const QString& path) {
  prepare();
  if (module_) module_->playSync(path);
  QThread::msleep(WavDurationMs(path + ".wav"));
}

void ModuleSoundBackend::stop() {
  // Nothing plays before the module is loaded.
  if (module_) module_->stop();
}

}  // namespace kv
