// Start-up: the load event of the window, the program's entry into the game.
#include <QDateTime>
#include <QDir>
#include <QScreen>
#include <tuple>

#include "app/form.h"
#include "app/locations.h"
#include "platform/twips.h"
#include "settings/settings_file.h"

namespace kv {

namespace {
const char* const kEffects[] = {"correct", "miss",   "count1",  "gameover", "ans_str",
                                "ans_end", "count2", "kakudai", "select",   "rankin"};
}

void Form::Load() {
  Module1& m = mod();
  // 1. A second copy refuses to run.
  if (!plat.acquireSingleInstanceLock()) {
    plat.messageBox(tr("複数起動は出来ません。"), MsgIcon::Exclamation, QStringLiteral("qelmira"));
    plat.endProgram();
  }
  // 2. The program's geometry needs 15 twips to the pixel.
  m.TwipsPerPixelX = plat.twipsPerPixelX();
  m.TwipsPerPixelY = plat.twipsPerPixelY();
  if (m.TwipsPerPixelX != 15 || m.TwipsPerPixelY != 15) {
    plat.messageBox(tr("｢小さいフォント｣でないと起動しません。｢画面のプロパティ｣メニュ"
                       "ーの「ディスプレイの詳細」で設定して下さい。"),
                    MsgIcon::None, QStringLiteral("KORVANE for Win"));
    plat.endProgram();
  }
  g_twipsPerPixel = m.TwipsPerPixelX;
  const int tpx = m.TwipsPerPixelX, tpy = m.TwipsPerPixelY;

  // 3. Help document.
  helpDir = dataDir + QStringLiteral("/help");

  // 4. Sound effects, numbered 1 to 10 in this order.
  Snd = std::make_unique<Sound>(plat.sound(), dataDir);
  for (const char* name : kEffects) Snd->Add(QString::fromLatin1(name));
  Snd->SoundOn = true;

  // 5. Colours of the rank letters.
  st.RankColors = {0,
                   0,
                   rgb(192, 0, 255),
                   0,
                   0,
                   rgb(0, 255, 0),
                   rgb(0, 0, 255),
                   rgb(255, 0, 0),
                   rgb(255, 255, 128)};

  // 6. The hidden stage menu's items.
  for (int n = 2; n <= 15; ++n) createStageSelectItem(n - 1, QStringLiteral("STAGE %1").arg(n));

  // 7. The flying letters, in front of the other labels (but, like every
  // label, behind the pictures and buttons).
  for (int i = 1; i <= 16; ++i) {
    LabFry.push_back(std::make_unique<Label>(client));
    LabFry.back()->copyLookFrom(*LabFry[0]);
    LabFry.back()->setVisible(false);
    LabFry.back()->widget()->stackUnder(PicMain->widget());
  }

  // 8. The answer prompt with its one-pixel dark outline.
  Label& a0 = *LabelAns[0];
  a0.setTop(LabelSt->Top() + 5 * tpy);
  const int off[5][2] = {{0, 0}, {-1, -1}, {1, 1}, {-1, 1}, {1, -1}};
  for (int i = 1; i <= 4; ++i) {
    LabelAns.push_back(std::make_unique<Label>(client));
    Label& l = *LabelAns.back();
    l.copyLookFrom(a0);
    l.setForeColor(rgb(0, 0, 128));
    l.MoveTo(a0.Left() + off[i][0] * tpx, a0.Top() + off[i][1] * tpy);
    l.setVisible(false);
    l.onClick = [this] { LabelAns_Click(); };
    // The bright caption lies in front of its outline.
    l.widget()->stackUnder(a0.widget());
  }

  // 9. Show the window.
  win->show();

  // 10. Seed the generator from the clock, once per run.
  plat.random().seed(plat.timeGetTime() ^ static_cast<uint32_t>(plat.secondsOfDay() * 1000));

  // 11. Geometry.
  PicMain->Move(0, 0, PicMain->Width(), PicMain->Height());
  st.geo = PlotGeometry::derive(tpx, tpy, static_cast<int32_t>(PicMain->Left()),
                                static_cast<int32_t>(PicMain->Top()), PicMain->Width(),
                                PicMain->Height(), static_cast<int32_t>(PicAns->Height()));

  // 12. Settings.
  m.opt = Options{};
  ClearRanking(m.hs);
  m.RecentName.clear();
  m.IniPath = plat.settingsFilePath(dataDir);
  {
    SettingsData d{m.opt, readTicks(), m.hs, m.RecentName};
    WindowPlacement wp;
    wp.left = formLeft();
    wp.top = formTop();
    wp.width = formWidth();
    wp.height = formHeight();
    if (QScreen* s = win->screen()) {
      wp.screenWidth = toTwips(s->geometry().width());
      wp.screenHeight = toTwips(s->geometry().height());
    }
    if (LoadSettings(m.IniPath, d, wp)) {
      m.opt = d.opt;
      ApplyLanguage();
      applyTicks(d.ticks);
      m.hs = d.ranking;
      m.RecentName = d.recentName;
      moveForm(wp.left, wp.top);
    }
  }

  // 13. The title screen.
  ShowTitle();
  // 14. What the title does not show, once the title is up.
  plat.afterFirstPaint(*PicMain->widget(), [this] {
    FinishStartUp();
    plat.sound().prepare();
  });
}

// Once, whichever comes first: the title's first paint, or the first stage
// or table that needs it: the window's icon and pointers, the answer
// marker, the name box, the blank board and the high-score background. The
// colour flags are scratch to the painting and left as they were.
void Form::FinishStartUp() {
  if (startUpFinished) return;
  startUpFinished = true;
  const auto flags = std::tuple(st.ColorR, st.ColorG, st.ColorB);
  dressWindow();
  loadAnswerMarker();
  buildNameBox();
  PaintBlankBoard();
  PaintHighScoreBackground();
  std::tie(st.ColorR, st.ColorG, st.ColorB) = flags;
}

}  // namespace kv
