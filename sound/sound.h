#pragma once
// The sound-effect player: a numbered list of registered effect files, played
// in the background or to their end.
#include <cstdint>
#include <QString>
#include <QStringList>

#include "platform/platform.h"

namespace kv {

class Sound {
 public:
  Sound(SoundBackend& backend, QString programDir)
      : backend_(backend), dir_(std::move(programDir)) {}

  // Registers an effect by name (no directory, no extension).
  void Add(const QString& fileName);
  // Plays effect `soundNumber` (1-based): asynchronously when asyncFlg is 1,
  // else to its end. Does nothing while SoundOn is false. Looping and
  // no-stop requests are never made by the game and are ignored.
  void PlayAsync(int16_t soundNumber, int16_t loopFlg, int16_t asyncFlg, int16_t noStopFlg);
  void StopSound();

  const QStringList& paths() const { return paths_; }

  bool SoundOn = false;

 private:
  SoundBackend& backend_;
  QString dir_;
  QStringList paths_;
};

// Duration in milliseconds of a PCM ".wav" file; 0 when it cannot be read.
uint32_t WavDurationMs(const QString& wavPath);

}  // namespace kv
