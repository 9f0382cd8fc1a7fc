#pragma once
// Sound effects through Qt Multimedia, built as a module of its own
// ("korvane-sound.so") that the program loads once its first screen is up
// (sound/module_sound_backend.h), so that starting does not wait for Qt
// Multimedia and the libraries it draws in. The effects live on a thread of
// their own, so a sound keeps playing while the game holds the user-interface
// thread (the blocking "miss"). One effect sounds at a time.
#include <QString>
#include <QThread>
#include <map>
#include <memory>

#include "platform/platform.h"

class QSoundEffect;

namespace kv {

class QtSoundBackend : public SoundBackend {
 public:
  QtSoundBackend();
  ~QtSoundBackend() override;

  void playAsync(const QString& path) override;
  // Only starts the sound: the program that loaded the module holds itself
  // for the sound's length, heard or not.
  void playSync(const QString& path) override;
  void stop() override;

 private:
  QThread thread_;
  QObject* worker_ = nullptr;  // lives on thread_
  // Touched only on thread_.
  std::map<QString, std::unique_ptr<QSoundEffect>> effects_;
  QSoundEffect* playing_ = nullptr;
};

}  // namespace kv

// The module's one entry: a new backend, owned by the caller.
extern "C" __attribute__((visibility("default"))) kv::SoundBackend* korvane_new_sound_backend();
