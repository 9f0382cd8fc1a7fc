#include "sound/qt_sound_backend.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QThread>
#include <QUrl>

#include "sound/sound.h"

namespace kv {

QtSoundBackend::QtSoundBackend() = default;
QtSoundBackend::~QtSoundBackend() = default;

bool QtSoundBackend::start(const QString& path) {
  stop();
  const QString file = path + ".wav";
  // A missing effect is silence, not an error.
  if (!QFileInfo(file).isFile()) return false;
  auto& effect = effects_[file];
  if (!effect) {
    effect = std::make_unique<QSoundEffect>();
    effect->setSource(QUrl::fromLocalFile(file));
  }
  // Without an audio device the effect reports an error and stays silent.
  effect->play();
  playing_ = effect.get();
  return true;
}

void QtSoundBackend::playAsync(const QString& path) { start(path); }

void QtSoundBackend::playSync(const QString& path) {
  if (!start(path)) return;
  // Hold the program for the sound's length whether or not it is heard, so
  // the game keeps the same rhythm on every machine.
  QThread::msleep(WavDurationMs(path + ".wav"));
}

void QtSoundBackend::stop() {
  if (playing_) playing_->stop();
  playing_ = nullptr;
}

}  // namespace kv
