// Sound effects with the system's own player (PlaySound): it plays a wave
// file in the background, one at a time, a new sound cutting off the one
// playing, exactly what the game asks of its backend. It needs no module and
// no thread of ours: winmm is part of every Windows.
#include "sound/sound.h"

#include <windows.h>
// after windows.h, which declares their types

#include <mmsystem.h>

#include <QDir>
#include <QFileInfo>
#include <QThread>

#include "platform/platform.h"
#include "platform/system.h"

namespace kv::sys {
namespace {

class WinSoundBackend : public SoundBackend {
 public:
  void playAsync(const QString& path) override {
    const QString file = QDir::toNativeSeparators(path + QStringLiteral(".wav"));
    // A missing effect is silence, not an error, and not the system's
    // default sound either; it still cuts off the sound playing.
    if (!QFileInfo(path + QStringLiteral(".wav")).isFile()) {
      stop();
      return;
    }
    ::PlaySoundW(reinterpret_cast<const wchar_t*>(file.utf16()), nullptr,
                 SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
  }
  // Held for the file's length, heard or not (no audio device), so the game
  // keeps the same rhythm on every machine.
  void playSync(const QString& path) override {
    playAsync(path);
    QThread::msleep(WavDurationMs(path + QStringLiteral(".wav")));
  }
  void stop() override { ::PlaySoundW(nullptr, nullptr, 0); }
};

}  // namespace

std::unique_ptr<SoundBackend> MakeSoundBackend(const QString&) {
  return std::make_unique<WinSoundBackend>();
}

}  // namespace kv::sys
