#pragma once
// Sound effects through Qt Multimedia. The effects live on a thread of their
// own, so a sound keeps playing while the game holds the user-interface
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
  void playSync(const QString& path) override;
  void stop() override;

 private:
  // Cuts off the playing effect and starts the one at `path` (no extension).
  // Returns false when there is no such file.
  bool start(const QString& path);

  QThread thread_;
  QObject* worker_ = nullptr;  // lives on thread_
  // Touched only on thread_.
  std::map<QString, std::unique_ptr<QSoundEffect>> effects_;
  QSoundEffect* playing_ = nullptr;
};

}  // namespace kv
