// Loading the settings from arbitrary file bytes: whatever the file holds,
// the game's state afterwards obeys the table's and the options' rules, and
// a save of it reads back to the same table and options.
#include <QStringList>
#include <algorithm>

#include "settings/profile_file.h"
#include "settings/settings_file.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using namespace kv;

bool validName(const QString& n) {
  static const QStringList kFixed = {"Empty", "NONAME", "?"};
  return AnsiByteLength(n) <= 10 || kFixed.contains(n);
}

bool validDate(const QString& d) { return AnsiByteLength(d) == 8 || d == "--/--/--"; }

// How many items of an option are ticked.
template <std::size_t N>
long ticked(const std::array<bool, N>& t) {
  return std::count(t.begin(), t.end(), true);
}

// Text that a save writes and a load reads back unchanged: no blanks at its
// ends and nothing the code page lacks. Quotes around it are kept.
bool carriedUnchanged(const QString& s) {
  return !s.contains(QChar::ReplacementCharacter) && s.trimmed() == s;
}

void checkRules(const SettingsData& d, const WindowPlacement& w) {
  for (const RankingEntry& e : d.ranking.e) {
    KV_CHECK(validName(e.Name));
    KV_CHECK(validDate(e.Date));
    KV_CHECK(e.Rank >= 1);
  }
  const Options& o = d.opt;
  KV_CHECK(o.OptKakudai >= 0 && o.OptKakudai <= 1);
  KV_CHECK(o.OptLineWidth >= 1 && o.OptLineWidth <= 3);
  KV_CHECK(o.OptCountDownSpeed >= 0 && o.OptCountDownSpeed <= 2);
  KV_CHECK(o.OptSoundEffect >= 0 && o.OptSoundEffect <= 1);
  KV_CHECK(ticked(d.ticks.kakudai) <= 1 && ticked(d.ticks.lineWidth) <= 1);
  KV_CHECK(ticked(d.ticks.countDown) <= 1 && ticked(d.ticks.sound) <= 1);
  // On the screen, or centred in the direction it was off.
  KV_CHECK((w.left >= 0 && w.left <= w.screenWidth) || w.left == 5100);
  KV_CHECK((w.top >= 0 && w.top <= w.screenHeight) || w.top == 4200);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const ProfileFile file(
      QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  SettingsData d;
  ClearRanking(d.ranking);
  // A 600 x 400 pixel window on a 1280 x 960 screen, in twips.
  WindowPlacement win{0, 0, 9000, 6000, 19200, 14400};
  if (!LoadSettings(file, d, win)) return 0;
  checkRules(d, win);

  ProfileFile saved(file.bytes());
  StoreSettings(saved, d, win.left, win.top);
  SettingsData back;
  WindowPlacement win2 = win;
  KV_CHECK(LoadSettings(ProfileFile(saved.bytes()), back, win2));
  checkRules(back, win2);
  KV_CHECK(back.opt.OptKakudai == d.opt.OptKakudai && back.opt.OptLineWidth == d.opt.OptLineWidth);
  KV_CHECK(back.opt.OptCountDownSpeed == d.opt.OptCountDownSpeed);
  KV_CHECK(back.opt.OptSoundEffect == d.opt.OptSoundEffect);
  for (std::size_t i = 0; i < d.ranking.e.size(); ++i) {
    const RankingEntry &a = d.ranking.e[i], &b = back.ranking.e[i];
    KV_CHECK(a.Score == b.Score && a.Stage == b.Stage && a.Rank == b.Rank);
    if (carriedUnchanged(a.Name)) KV_CHECK(a.Name == b.Name);
    if (carriedUnchanged(a.Date)) KV_CHECK(a.Date == b.Date);
  }
  if (carriedUnchanged(d.recentName)) KV_CHECK(d.recentName == back.recentName);
  return 0;
}
