#include "sound/sound.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <cstring>

namespace kv {

void Sound::Add(const QString& fileName) {
  // A drive or file-system root already ends with the separator.
  paths_.append(dir_.endsWith('/') ? dir_ + fileName : dir_ + '/' + fileName);
}

void Sound::PlayAsync(int16_t soundNumber, int16_t /*loopFlg*/, int16_t asyncFlg,
                      int16_t /*noStopFlg*/) {
  if (!SoundOn) return;
  // The game only passes registered numbers; anything else must not crash.
  if (soundNumber < 1 || soundNumber > paths_.size()) return;
  const QString& path = paths_.at(soundNumber - 1);
  if (asyncFlg == 1)
    backend_.playAsync(path);
  else
    backend_.playSync(path);
}

void Sound::StopSound() { backend_.stop(); }

namespace {

uint32_t Le32(const char* p) {
  const auto* u = reinterpret_cast<const unsigned char*>(p);
  return u[0] | (u[1] << 8) | (u[2] << 16) | (static_cast<uint32_t>(u[3]) << 24);
}

}  // namespace

uint32_t WavDurationMs(const QString& wavPath) {
  QFile f(wavPath);
  if (!f.open(QIODevice::ReadOnly)) return 0;
  std::array<char, 12> riff{};
  if (f.read(riff.data(), 12) != 12 || std::memcmp(riff.data(), "RIFF", 4) != 0 ||
      std::memcmp(riff.data() + 8, "WAVE", 4) != 0)
    return 0;

  uint32_t byteRate = 0;
  bool haveFmt = false, haveData = false;
  uint64_t dataBytes = 0;
  while (!(haveFmt && haveData)) {
    std::array<char, 8> head{};
    if (f.read(head.data(), 8) != 8) break;
    const uint32_t size = Le32(head.data() + 4);
    const qint64 body = f.pos();
    if (std::memcmp(head.data(), "fmt ", 4) == 0) {
      std::array<char, 16> fmt{};
      if (size < 16 || f.read(fmt.data(), 16) != 16) return 0;
      byteRate = Le32(fmt.data() + 8);
      haveFmt = true;
    } else if (std::memcmp(head.data(), "data", 4) == 0) {
      // A truncated file plays only what it holds.
      dataBytes = std::min<uint64_t>(size, static_cast<uint64_t>(f.size() - body));
      haveData = true;
    }
    // Chunks are padded to an even length.
    const qint64 next = body + static_cast<qint64>(size) + (size & 1);
    if (next > f.size() || !f.seek(next)) break;
  }
  if (!haveFmt || !haveData || byteRate == 0) return 0;
  return static_cast<uint32_t>(dataBytes * 1000 / byteRate);
}

}  // namespace kv
