#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <utility>
#include <vector>

#include "sound/sound.h"

namespace kv {
namespace {

struct RecordingBackend : SoundBackend {
  std::vector<std::pair<QString, QString>> calls;  // (kind, path)
  void playAsync(const QString& path) override { calls.emplace_back("async", path); }
  void playSync(const QString& path) override { calls.emplace_back("sync", path); }
  void stop() override { calls.emplace_back("stop", QString()); }
};

TEST(SoundPlayer, AddJoinsDirectoryAndNameWithOneSeparator) {
  const struct {
    const char* dir;
    const char* expected;
  } cases[] = {{"/opt/korvane", "/opt/korvane/miss"},
               {"/opt/korvane/", "/opt/korvane/miss"},
               {"/", "/miss"}};
  for (const auto& c : cases) {
    RecordingBackend b;
    Sound s(b, c.dir);
    s.Add("miss");
    ASSERT_EQ(s.paths().size(), 1) << c.dir;
    EXPECT_EQ(s.paths()[0], c.expected) << c.dir;
    EXPECT_TRUE(b.calls.empty());
  }
}

class SoundPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* n : {"correct", "miss", "count1"}) snd.Add(n);
  }
  RecordingBackend backend;
  Sound snd{backend, "/g"};
};

TEST_F(SoundPlayerTest, SilentWhileSoundOff) {
  EXPECT_FALSE(snd.SoundOn);
  snd.PlayAsync(1, 0, 1, 0);
  snd.PlayAsync(2, 0, 0, 0);
  EXPECT_TRUE(backend.calls.empty());
}

TEST_F(SoundPlayerTest, RoutesByAsyncFlagToTheNumberedEntry) {
  snd.SoundOn = true;
  snd.PlayAsync(1, 0, 1, 0);
  snd.PlayAsync(2, 0, 0, 0);
  snd.PlayAsync(3, 1, 1, 1);  // loop and no-stop requests are ignored
  const std::vector<std::pair<QString, QString>> expected = {
      {"async", "/g/correct"}, {"sync", "/g/miss"}, {"async", "/g/count1"}};
  EXPECT_EQ(backend.calls, expected);
}

TEST_F(SoundPlayerTest, NumbersOutsideTheListPlayNothing) {
  snd.SoundOn = true;
  snd.PlayAsync(0, 0, 1, 0);
  snd.PlayAsync(4, 0, 1, 0);
  snd.PlayAsync(-1, 0, 0, 0);
  EXPECT_TRUE(backend.calls.empty());
}

// Builds a RIFF/WAVE file from chunks given as (id, body).
QByteArray Riff(const std::vector<std::pair<QByteArray, QByteArray>>& chunks) {
  auto le32 = [](uint32_t v) {
    QByteArray b(4, 0);
    for (int i = 0; i < 4; ++i) b[i] = static_cast<char>((v >> (8 * i)) & 0xff);
    return b;
  };
  QByteArray body = "WAVE";
  for (const auto& [id, data] : chunks) {
    body += id + le32(static_cast<uint32_t>(data.size())) + data;
    if (data.size() % 2) body += '\0';
  }
  return "RIFF" + le32(static_cast<uint32_t>(body.size())) + body;
}

QByteArray Fmt(uint16_t channels, uint32_t rate, uint16_t bits) {
  QByteArray f(16, 0);
  auto put = [&](int at, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) f[at + i] = static_cast<char>((v >> (8 * i)) & 0xff);
  };
  const uint16_t align = channels * bits / 8;
  put(0, 1, 2);
  put(2, channels, 2);
  put(4, rate, 4);
  put(8, rate * align, 4);
  put(12, align, 2);
  put(14, bits, 2);
  return f;
}

TEST(SoundWavDuration, ReadsHeadersAndSkipsOtherChunks) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const struct {
    const char* name;
    QByteArray bytes;
    uint32_t ms;
  } cases[] = {
      {"plain", Riff({{"fmt ", Fmt(1, 22050, 16)}, {"data", QByteArray(22050, 0)}}), 500},
      // An odd-sized chunk before the data is padded to an even length.
      {"extra",
       Riff({{"fmt ", Fmt(2, 44100, 16)},
             {"LIST", QByteArray(7, 'x')},
             {"data", QByteArray(44100 * 4 / 4, 0)}}),
       250},
      {"data-first", Riff({{"data", QByteArray(8000, 0)}, {"fmt ", Fmt(1, 8000, 8)}}), 1000},
      {"no-data", Riff({{"fmt ", Fmt(1, 22050, 16)}}), 0},
      {"no-fmt", Riff({{"data", QByteArray(100, 0)}}), 0},
      {"zero-rate", Riff({{"fmt ", Fmt(1, 0, 16)}, {"data", QByteArray(100, 0)}}), 0},
      {"garbage", QByteArray("this is not a sound file at all"), 0},
      {"empty", QByteArray(), 0},
  };
  for (const auto& c : cases) {
    const QString path = dir.filePath(QString(c.name) + ".wav");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(c.bytes);
    f.close();
    EXPECT_EQ(WavDurationMs(path), c.ms) << c.name;
  }
  EXPECT_EQ(WavDurationMs(dir.filePath("missing.wav")), 0u);
}

const char* const kEffects[] = {"correct", "miss",   "count1",  "gameover", "ans_str",
                                "ans_end", "count2", "kakudai", "select",   "rankin"};

TEST(SoundAssets, GeneratedFilesLieBesideTheProgram) {
  const QString dir = QCoreApplication::applicationDirPath();
  const struct {
    const char* name;
    int w, h;
  } pictures[] = {{"title.png", 500, 350},
                  {"ansmark.png", 76, 76},
                  {"cursor.png", 32, 32},
                  {"icon.png", 32, 32}};
  for (const auto& p : pictures) {
    QImage img(dir + "/" + p.name);
    ASSERT_FALSE(img.isNull()) << p.name;
    EXPECT_EQ(img.size(), QSize(p.w, p.h)) << p.name;
  }
  // The cursor is see-through around the reticle, with the hot spot drawn.
  const QImage cursor(dir + "/cursor.png");
  EXPECT_EQ(qAlpha(cursor.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(cursor.pixel(15, 15)), 255);
  EXPECT_LE(QImage(dir + "/icon.png").colorCount(), 16);

  for (const char* e : kEffects) {
    const QString path = dir + "/" + e + ".wav";
    ASSERT_TRUE(QFileInfo::exists(path)) << e;
    const uint32_t ms = WavDurationMs(path);
    EXPECT_GT(ms, 0u) << e;
    EXPECT_LE(ms, 1600u) << e;
  }
  // The game waits for the miss sound, so its length is its rhythm.
  const uint32_t miss = WavDurationMs(dir + "/miss.wav");
  EXPECT_GE(miss, 800u);
  EXPECT_LE(miss, 1000u);
}

}  // namespace
}  // namespace kv
