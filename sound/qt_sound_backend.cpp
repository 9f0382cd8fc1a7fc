#include "sound/qt_sound_backend.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace kv {

QtSoundBackend::QtSoundBackend() {
  worker_ = new QObject;
  worker_->moveToThread(&thread_);
  thread_.start();
}

QtSoundBackend::~QtSoundBackend() {
  QMetaObject::invokeMethod(
      worker_,
      [this] {
        playing_ = nullptr;
        effects_.clear();
      },
      Qt::BlockingQueuedConnection);
  worker_->deleteLater();
  thread_.quit();
  thread_.wait();
}

void QtSoundBackend::playAsync(const QString& path) {
  const QString file = path + ".wav";
  const bool exists = QFileInfo(file).isFile();
  QMetaObject::invokeMethod(worker_, [this, file, exists] {
    if (playing_) playing_->stop();
    playing_ = nullptr;
    // A missing effect is silence, not an error.
    if (!exists) return;
    auto& effect = effects_[file];
    if (!effect) {
      effect = std::make_unique<QSoundEffect>();
      effect->setSource(QUrl::fromLocalFile(file));
    }
    // Without an audio device the effect reports an error and stays silent.
    effect->play();
    playing_ = effect.get();
  });
}

void QtSoundBackend::playSync(const QString& path) { playAsync(path); }

void QtSoundBackend::stop() {
  QMetaObject::invokeMethod(worker_, [this] {
    if (playing_) playing_->stop();
    playing_ = nullptr;
  });
}

}  // namespace kv

kv::SoundBackend* korvane_new_sound_backend() { return new kv::QtSoundBackend; }
