#pragma once
// Program-wide values: the screen's twips per pixel, the options, the
// ranking table with the last name typed, and the settings file's path.
#include <QString>

#include "scores/ranking.h"
#include "settings/options.h"

namespace kv {

struct Module1 {
  int32_t TwipsPerPixelX = 15;
  int32_t TwipsPerPixelY = 15;
  Options opt;
  RankingTable hs;
  QString RecentName;
  QString IniPath;
  bool SaveFailureReported = false;  // the player hears of a failed save once
};

// The one instance for the life of the process.
Module1& mod();

}  // namespace kv
