#include <QElapsedTimer>

#include "sound/module_sound_backend.h"
#include "tests/sim_fixture.h"

namespace kv {
namespace {

struct RecordingBackend : SoundBackend {
  std::vector<std::pair<QString, QString>> calls;  // (kind, path)
  void playAsync(const QString& path) override { calls.emplace_back("async", path); }
  void playSync(const QString& path) override { calls.emplace_back("sync", path); }
  void stop() override { calls.emplace_back("stop", QString()); }
};

TEST(SoundPlayer, RoutesByAsyncFlagToTheNumberedEntryOnlyWhileOn) {
  RecordingBackend backend;
  Sound snd(backend, "/g/");  // a trailing separator is not doubled
  for (const char* n : {"correct", "miss", "count1"}) snd.Add(n);
  auto playAll = [&] {
    snd.PlayAsync(1, 0, 1, 0);
    snd.PlayAsync(2, 0, 0, 0);
    snd.PlayAsync(3, 1, 1, 1);  // loop and no-stop requests are ignored
    for (int16_t outside : {0, 4, -1}) snd.PlayAsync(outside, 0, 1, 0);
  };
  playAll();
  EXPECT_TRUE(backend.calls.empty());  // off by default
  snd.SoundOn = true;
  playAll();
  const std::vector<std::pair<QString, QString>> expected = {
      {"async", "/g/correct"}, {"sync", "/g/miss"}, {"async", "/g/count1"}};
  EXPECT_EQ(backend.calls, expected);
}

QByteArray le(uint32_t v, int n) {
  QByteArray b(n, 0);
  for (int i = 0; i < n; ++i) b[i] = static_cast<char>((v >> (8 * i)) & 0xff);
  return b;
}

// A RIFF/WAVE file from chunks given as (id, body).
QByteArray Riff(const std::vector<std::pair<QByteArray, QByteArray>>& chunks) {
  QByteArray body = "WAVE";
  for (const auto& [id, data] : chunks) {
    body += id + le(static_cast<uint32_t>(data.size()), 4) + data;
    if (data.size() % 2) body += '\0';
  }
  return "RIFF" + le(static_cast<uint32_t>(body.size()), 4) + body;
}

QByteArray Fmt(uint16_t channels, uint32_t rate, uint16_t bits) {
  const uint16_t align = channels * bits / 8;
  return le(1, 2) + le(channels, 2) + le(rate, 4) + le(rate * align, 4) + le(align, 2) +
         le(bits, 2);
}

TEST(SoundWavDuration, ReadsHeadersAndSkipsOtherChunks) {
  QTemporaryDir dir;
  // (name, file, length in ms)
  const std::tuple<const char*, QByteArray, uint32_t> cases[] = {
      {"plain", Riff({{"fmt ", Fmt(1, 22050, 16)}, {"data", QByteArray(22050, 0)}}), 500},
      // An odd-sized chunk before the data is padded to an even length.
      {"extra",
       Riff({{"fmt ", Fmt(2, 44100, 16)},
             {"LIST", QByteArray(7, 'x')},
             {"data", QByteArray(44100, 0)}}),
       250},
      {"data-first", Riff({{"data", QByteArray(8000, 0)}, {"fmt ", Fmt(1, 8000, 8)}}), 1000},
      {"zero-rate", Riff({{"fmt ", Fmt(1, 0, 16)}, {"data", QByteArray(100, 0)}}), 0},
      {"garbage", QByteArray("this is not a sound file at all"), 0},
  };
  for (const auto& [name, bytes, ms] : cases) {
    const QString path = dir.filePath(QString(name) + ".wav");
    test::writeFile(path, bytes);
    EXPECT_EQ(WavDurationMs(path), ms) << name;
  }
  EXPECT_EQ(WavDurationMs(dir.filePath("missing.wav")), 0u);
}

TEST(SoundAssets, GeneratedSoundsLieBesideTheProgram) {
  const QString dir = QCoreApplication::applicationDirPath();
  // The game waits for the miss sound, so its length is its rhythm.
  for (const QString e : {"correct", "miss", "count1", "gameover", "ans_str", "ans_end", "count2",
                          "kakudai", "select", "rankin"}) {
    const uint32_t ms = WavDurationMs(dir + "/" + e + ".wav");
    EXPECT_GE(ms, e == "miss" ? 800u : 1u) << e.toStdString();
    EXPECT_LE(ms, e == "miss" ? 1000u : 1600u) << e.toStdString();
  }
}

// Without the module nothing is heard, but a sound played to its end still
// holds the program for its length, so the game keeps its rhythm.
TEST(SoundModule, WithoutItASoundToItsEndStillTakesItsLength) {
  QTemporaryDir empty;
  ModuleSoundBackend sound(empty.path());
  const QString effect = QCoreApplication::applicationDirPath() + "/ans_end";
  const uint32_t ms = WavDurationMs(effect + ".wav");
  ASSERT_GT(ms, 0u);
  sound.playAsync(effect);
  QElapsedTimer clock;
  clock.start();
  sound.playSync(effect);
  EXPECT_GE(clock.elapsed(), ms);
  sound.stop();
  EXPECT_FALSE(sound.notice().isEmpty());
}

}  // namespace
}  // namespace kv
