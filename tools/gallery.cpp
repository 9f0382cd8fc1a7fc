// Plays scripted moments of the game on the simulated backend (virtual time,
// no display) and writes each screen as a PNG: the pictures of the help.
// The same generator seed always gives the same pictures.
//
//   korvane_gallery OUTDIR [LANGUAGE]   (ja, the default, or en)
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "app/form.h"
#include "game/run_simulation.h"
#include "platform/sim_platform.h"
#include "platform/sim_program_dir.h"

namespace {

using kv::Form;

class Gallery {
 public:
  Gallery(kv::SimPlatform& sim, Form& form, QString out)
      : sim_(sim), f_(form), out_(std::move(out)) {}

  void shot(const char* name) {
    QCoreApplication::processEvents();
    const QString path = out_ + QStringLiteral("/") + QString::fromLatin1(name) + ".png";
    if (!f_.win->grab().save(path)) {
      std::fprintf(stderr, "korvane_gallery: cannot write %s\n", qPrintable(path));
      ok = false;
    }
  }

  // The row in which the rest of the run will end, forecast on copies of the
  // game state and of the generator.
  int finalRow() {
    kv::GameState probe = f_.st;
    kv::Random rnd = sim_.random();
    kv::SimulateRunFrames(probe, rnd, 1);
    return std::clamp(static_cast<int>(probe.m.PointY) / f_.st.geo.RowHeight, 0, 3);
  }

  // Presses "解答！" once the point has passed x (twips) and marks the right
  // row or a wrong one. `pressed` and `marked` run at those moments.
  void answerAt(double x, bool right, std::function<void()> pressed = {},
                std::function<void()> marked = {}) {
    sim_.when(
        [this, x] { return f_.st.GameMode == 2 && f_.CmdAns->Enabled() && f_.st.m.PointX > x; },
        [this, right, pressed, marked] {
          QTest::mouseClick(f_.CmdAns->button(), Qt::LeftButton);
          if (pressed) pressed();
          const int row = finalRow();
          f_.st.AnsRow = static_cast<int16_t>(right ? row : (row + 2) % 4);
          f_.PlaceMarker();
          QTest::mouseClick(f_.PicAns->widget(), Qt::LeftButton);
          if (marked) marked();
        });
  }

  void clickAns() { QTest::mouseClick(f_.CmdAns->button(), Qt::LeftButton); }

  bool ok = true;

 private:
  kv::SimPlatform& sim_;
  Form& f_;
  QString out_;
};

int run(const QString& out, const QString& language) {
  kv::SimProgramDir dir;
  kv::SimPlatform sim;
  sim.dir = dir.path();
  // The desktop's language decides, as for a player.
  sim.languages = {language};
  Form form(sim);
  form.Load();
  sim.random().seed(20021);
  kv::mod().opt.OptSoundEffect = 1;
  Gallery g(sim, form, out);
  kv::GameState& st = form.st;

  g.shot("title");

  // Stage 1 mid-run, the answer pressed, the cell marked, the verdict's sweep.
  sim.when([&] { return st.GameMode == 2 && form.CmdAns->Enabled() && st.m.PointX > 2400; },
           [&] { g.shot("stage"); });
  g.answerAt(
      2500, true, [&] { g.shot("answer"); }, [&] { g.shot("marked"); });
  sim.when(
      [&] { return form.Labelmsg->Caption() == QCoreApplication::translate("Form", "正解！"); },
      [&] { sim.after(500, [&] { g.shot("correct"); }); });
  g.clickAns();

  // The magnifier over a close call: the final height 20 twips above the
  // boundary below the marked row.
  st.m.PointY = 2 * st.geo.RowHeight - 20;
  st.AnsRow = 1;
  form.ShowZoom();
  g.shot("zoom");

  // Stage 2 answered in the wrong row; the click returns with the verdict.
  g.answerAt(3000, false);
  g.clickAns();
  g.shot("miss");

  // The pause during the retry, which is then answered right.
  sim.when([&] { return st.GameMode == 2 && form.CmdAns->Enabled() && st.m.PointX > 1500; },
           [&] {
             QTest::keyClick(form.win.get(), Qt::Key_Escape);
             sim.after(400, [&] {
               g.shot("pause");
               QTest::mouseClick(form.CmdPause->button(), Qt::LeftButton);
             });
           });
  g.answerAt(2000, true);
  g.clickAns();

  // Straight to stage 15 by the hidden stage menu, cleared: the ending.
  form.StageSelect[14]->click();
  g.answerAt(1000, true);
  g.clickAns();
  sim.runUntil([&] { return st.FryTicks >= 38; });
  g.shot("ending_letters");
  sim.runUntil([&] { return form.LabelEbye->Visible(); });
  g.shot("ending");
  sim.runUntil([&] { return st.GameMode == 5; });
  QTest::keyClicks(form.txtName->edit(), QStringLiteral("korvane"));
  sim.advance(1200);
  g.shot("nameentry");
  g.clickAns();
  g.shot("highscore");

  // A new game lost in stage 1: the plot shrinks away and uncovers GAME OVER.
  g.clickAns();
  sim.when([&] { return st.GameMode == 2; }, [&] { st.Score = 5; });
  sim.when([&] { return form.timGameover->enabled() && form.PicMain->Height() < 3000; },
           [&] { g.shot("gameover_shrink"); });
  sim.when([&] { return !form.PicMain->Visible(); },
           [&] { sim.after(500, [&] { g.shot("gameover"); }); });
  g.answerAt(2000, false);
  g.clickAns();
  sim.runUntil([&] { return st.GameMode == 5 || st.GameMode == 6; });
  return g.ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: korvane_gallery OUTDIR [LANGUAGE]\n");
    return 2;
  }
  // A scene that never comes would hang the build for ever: give up instead.
  ::alarm(300);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QString out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out);
  return run(out, argc == 3 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("ja"));
}
