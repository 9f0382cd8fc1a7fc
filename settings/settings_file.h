#pragma once
// The settings file "qelmira.ini" (where it lives: app/locations.h): options,
// the ranking table, the last name typed and the window position.
#include <QString>

#include "scores/ranking.h"
#include "settings/options.h"
#include "settings/profile_file.h"

namespace kv {

// Program's directory + "/" (unless it already ends in one) + "qelmira.ini".
QString MakeIniPath(const QString& programDir);

// The leading-number rule for stored numbers: blanks, tabs and line feeds are
// ignored wherever they stand, then the longest decimal prefix is taken; no
// prefix gives 0.
double LeadingNumber(const QString& text);

// Window placement in twips, for the off-screen rule.
struct WindowPlacement {
  double left = 0, top = 0;
  double width = 0, height = 0;
  double screenWidth = 0, screenHeight = 0;
};

// Everything that is read from or written to the file.
struct SettingsData {
  Options opt;
  OptionTicks ticks;
  RankingTable ranking;
  QString recentName;
};

// Reads the file. Returns false (touching nothing) when the marker
// IniCheck/Dummy is missing or zero. Otherwise updates `d` and moves `win`
// (left/top) by the stored position and the off-screen rule.
bool LoadSettings(const QString& iniPath, SettingsData& d, WindowPlacement& win);
// The same, from a file already read.
bool LoadSettings(const ProfileFile& ini, SettingsData& d, WindowPlacement& win);

// Writes the whole file, in the encoding it was read in. The new file is
// composed in memory and written as ProfileFile::save does, so a failed save
// leaves the previous file whole. Keys and lines the program does not own
// are kept. A file that exists but cannot be read is not replaced.
SaveResult SaveSettings(const QString& iniPath, const SettingsData& d, double windowLeft,
                        double windowTop);
// Writes every key of the settings into `ini`, in the order of a save.
void StoreSettings(ProfileFile& ini, const SettingsData& d, double windowLeft, double windowTop);

}  // namespace kv
