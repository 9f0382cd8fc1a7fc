#include "settings/settings_file.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <limits>

#include "platform/vbnum.h"
#include "settings/language.h"
#include "settings/profile_file.h"

namespace kv {
namespace {

const QString kOption = QStringLiteral("Option");
const QString kRanking = QStringLiteral("Ranking");
const QString kForm = QStringLiteral("Form");
const QString kIniCheck = QStringLiteral("IniCheck");

// A stored number beyond the range of its field is clamped to that range:
// the file can be edited by hand, and the nearest value the field can hold
// is the least surprising reading of an oversized one.
template <typename T>
T toField(double v) {
  constexpr double lo = std::numeric_limits<T>::min();
  constexpr double hi = std::numeric_limits<T>::max();
  if (std::isnan(v)) return 0;
  if (v <= lo) return std::numeric_limits<T>::min();
  if (v >= hi) return std::numeric_limits<T>::max();
  return static_cast<T>(clng(v));
}

// Ticks the item whose index equals the stored number and unticks the
// others; a number matching no index unticks all and leaves the value alone.
template <std::size_t N, typename Set>
void loadChoice(double stored, std::array<bool, N>& ticks, Set set) {
  for (std::size_t i = 0; i < N; ++i) {
    ticks[i] = stored == static_cast<double>(i);
    if (ticks[i]) set(static_cast<int>(i));
  }
}

// Writes the index of each ticked item; an option without a tick writes
// nothing, so whatever the file holds for it stays.
template <std::size_t N>
void saveChoice(ProfileFile& ini, const QString& key, const std::array<bool, N>& ticks) {
  for (std::size_t i = 0; i < N; ++i)
    if (ticks[i]) ini.setValue(kOption, key, numText(static_cast<int64_t>(i)));
}

// Off the screen in one direction: centred in it.
double placeOnScreen(double pos, double size, double screenSize) {
  if (pos > screenSize || pos < 0) return static_cast<double>(idiv(clng(screenSize - size), 2));
  return pos;
}

QString indexed(const char* word, int n) { return QLatin1String(word) + QString::number(n); }

}  // namespace

QString MakeIniPath(const QString& programDir) {
  static const QString kFileName = QStringLiteral("qelmira.ini");
  if (programDir.isEmpty()) return kFileName;
  return programDir.endsWith(u'/') ? programDir + kFileName : programDir + u'/' + kFileName;
}

bool LoadSettings(const QString& iniPath, SettingsData& d, WindowPlacement& win) {
  ProfileFile ini;
  return ini.load(iniPath) && LoadSettings(ini, d, win);
}

bool LoadSettings(const ProfileFile& ini, SettingsData& d, WindowPlacement& win) {
  auto number = [&ini](const QString& section, const QString& key) {
    return LeadingNumber(ini.value(section, key));
  };

  // Only a file whose save reached its last step carries the marker.
  if (std::nearbyint(number(kIniCheck, QStringLiteral("Dummy"))) == 0) return false;

  Options& o = d.opt;
  loadChoice(number(kOption, QStringLiteral("Kakudai")), d.ticks.kakudai,
             [&o](int i) { o.OptKakudai = static_cast<int16_t>(i); });
  loadChoice(number(kOption, QStringLiteral("LineWidth")), d.ticks.lineWidth,
             [&o](int i) { o.OptLineWidth = i + 1; });
  loadChoice(number(kOption, QStringLiteral("CountDownSpeed")), d.ticks.countDown,
             [&o](int i) { o.OptCountDownSpeed = static_cast<int16_t>(i); });
  loadChoice(number(kOption, QStringLiteral("SoundEffectOnOff")), d.ticks.sound,
             [&o](int i) { o.OptSoundEffect = static_cast<int16_t>(i); });
  // A key of this program's own: missing or unknown means the desktop's.
  o.OptLanguage =
      static_cast<int16_t>(LanguageChoiceFrom(number(kOption, QStringLiteral("Language"))));

  for (int n = 0; n < static_cast<int>(d.ranking.e.size()); ++n) {
    RankingEntry& e = d.ranking.e[n];
    QString name = ini.value(kRanking, indexed("Name", n));
    e.Name = NormalizeName(name);
    e.Date = CheckDate(ini.value(kRanking, indexed("Date", n)));
    e.Score = toField<int32_t>(number(kRanking, indexed("Score", n)));
    e.Stage = toField<int32_t>(number(kRanking, indexed("Stage", n)));
    e.Rank = std::max<int16_t>(toField<int16_t>(number(kRanking, indexed("Rank", n))), 1);
  }
  d.recentName = ini.value(kRanking, QStringLiteral("RecentName"));

  win.left = placeOnScreen(number(kForm, QStringLiteral("Left")), win.width, win.screenWidth);
  win.top = placeOnScreen(number(kForm, QStringLiteral("Top")), win.height, win.screenHeight);
  return true;
}

SaveResult SaveSettings(const QString& iniPath, const SettingsData& d, double windowLeft,
                        double windowTop) {
  // The new file is built from the old one in memory; a file that exists
  // but cannot be read is left alone rather than replaced by a partial copy.
  ProfileFile ini;
  int err = 0;
  if (!ini.load(iniPath, &err)) return {SaveError::Other, err};

  StoreSettings(ini, d, windowLeft, windowTop);
  // A settings folder of its own is made on the first save.
  QDir().mkpath(QFileInfo(iniPath).absolutePath());
  return ini.save(iniPath);
}

void StoreSettings(ProfileFile& ini, const SettingsData& d, double windowLeft, double windowTop) {
  saveChoice(ini, QStringLiteral("Kakudai"), d.ticks.kakudai);
  saveChoice(ini, QStringLiteral("LineWidth"), d.ticks.lineWidth);
  saveChoice(ini, QStringLiteral("CountDownSpeed"), d.ticks.countDown);
  saveChoice(ini, QStringLiteral("SoundEffectOnOff"), d.ticks.sound);
  // The language is this program's own key: written once the player has
  // chosen one, so the file of a player who never did keeps its design.
  const QString language = QStringLiteral("Language");
  if (d.opt.OptLanguage != 0 || !ini.value(kOption, language).isEmpty())
    ini.setValue(kOption, language, numText(static_cast<int64_t>(d.opt.OptLanguage)));

  for (int n = 0; n < static_cast<int>(d.ranking.e.size()); ++n) {
    const RankingEntry& e = d.ranking.e[n];
    ini.setValue(kRanking, indexed("Name", n), e.Name);
    ini.setValue(kRanking, indexed("Date", n), e.Date);
    ini.setValue(kRanking, indexed("Score", n), numText(static_cast<int64_t>(e.Score)));
    ini.setValue(kRanking, indexed("Stage", n), numText(static_cast<int64_t>(e.Stage)));
    ini.setValue(kRanking, indexed("Rank", n), QString::number(e.Rank));
  }
  ini.setValue(kRanking, QStringLiteral("RecentName"), d.recentName);

  ini.setValue(kForm, QStringLiteral("Left"), numText(windowLeft));
  ini.setValue(kForm, QStringLiteral("Top"), numText(windowTop));

  // The marker goes last, as in a file saved key by key.
  ini.setValue(kIniCheck, QStringLiteral("Dummy"), QStringLiteral("1"));
}

}  // namespace kv
