// The end of the program: the menu item "終了" and the window's close both run
// one shutdown routine.
#include "app/form.h"
#include "settings/settings_file.h"

namespace kv {

void Form::ShutDown() {
  Module1& m = mod();
  if (st.GameMode == 5 && st.RankPos >= 0 && st.RankPos < 10)
    m.hs.e[st.RankPos].Name = QStringLiteral("NoName");
  if (Snd) Snd->StopSound();
  // Nothing was loaded (a refused start) means nothing to save.
  if (!m.IniPath.isEmpty()) {
    SettingsData d{m.opt, readTicks(), m.hs, m.RecentName};
    SaveSettings(m.IniPath, d, formLeft(), formTop());
  }
  st.QuitRequested = -1;
}

}  // namespace kv
