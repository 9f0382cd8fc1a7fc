// Random play: a seeded player clicks, moves, types and picks menu items at
// random through the real widgets, on virtual time, and now and then closes
// the window in the middle of anything. Each session runs in a child process
// (closing ends the program) and the next starts from the file it saved.
// After every step the rules that must always hold are checked.
//
// KORVANE_SOAK_HOURS (virtual hours, default 0.3) and KORVANE_SOAK_SEED set
// the length and the seed; scripts/soak.sh runs long soaks.
#include <QMenu>
#include <QProcess>
#include <cstdio>
#include <random>
#include <set>

#include "game/run_simulation.h"
#include "settings/settings_file.h"
#include "tests/sim_fixture.h"

namespace kv::test {

namespace {

double envNumber(const char* name, double fallback) {
  const char* v = std::getenv(name);
  return v && *v ? std::atof(v) : fallback;
}

// The table, options and name as the settings file must hold them.
QString describe(const RankingTable& t, const Options& o, const OptionTicks& k,
                 const QString& recent) {
  QString s;
  for (const RankingEntry& e : t.e)
    s += QString("%1|%2|%3|%4|%5\n").arg(e.Name, e.Date).arg(e.Score).arg(e.Stage).arg(e.Rank);
  s += QString::asprintf("opt %d %d %d %d\n", int{o.OptKakudai}, int{o.OptLineWidth},
                         int{o.OptCountDownSpeed}, int{o.OptSoundEffect});
  s += QString::asprintf("%d%d %d%d%d %d%d%d %d%d ", k.kakudai[0], k.kakudai[1], k.lineWidth[0],
                         k.lineWidth[1], k.lineWidth[2], k.countDown[0], k.countDown[1],
                         k.countDown[2], k.sound[0], k.sound[1]);
  return s + "\nrecent " + recent;
}

class Player {
 public:
  Player(SimPlatform& sim, Form& f, uint32_t seed, uint32_t budgetMs)
      : sim_(sim), f_(f), rng_(seed), budget_(budgetMs), start_(sim.now()) {}

  void run() {
    sim_.when([this] { return observe(); }, [] {});
    next();
    sim_.runUntil([] { return false; }, budget_ + 600'000);
  }

 private:
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  void next() {
    // Mostly short gaps (the player is busy), sometimes long idle spells.
    const uint32_t delay = pick(10) == 0 ? 500 + pick(6000) : 10 + pick(400);
    sim_.after(delay, [this] { step(); });
  }

  // Every stage that starts is checked when its verdict is in: the score
  // moved by the sweep of a right answer or by the penalty of a miss. The
  // observer is a condition that never holds, so it looks at the game at
  // every event pump, before any other scheduled input can act.
  bool observe() {
    const GameState& s = f_.st;
    if (s.GameMode == 5 && lastMode_ != 5) ++entries_;
    lastMode_ = s.GameMode;
    if (!armed_) {
      // A stage has started when its count-down shows " 3 ".
      armed_ = s.GameMode == 2 && f_.Labelmsg->Caption() == " 3 ";
      before_ = s.Score;
      misses_ = s.MissCount;
      return false;
    }
    if (s.GameMode != 1 && !f_.timGameover->enabled() && !f_.timEnding->enabled() && s.GameMode < 5)
      return false;
    armed_ = false;
    const int32_t d = s.PressColumn - s.AnsColumn;
    const int32_t expected = s.MissCount != misses_
                                 ? before_ - s.MissPenalty
                                 : before_ + (d <= 0 ? -d * s.ScalePoints : -2 * d * s.ScalePoints);
    // Past the verdict the game had already ended and been ranked.
    EXPECT_EQ(s.Score, s.GameMode < 5 ? expected : s.Score)
        << "stage " << s.StageNo << " hit " << s.AnswerHit;
    endOnFailure();
    return false;
  }

  void step() {
    next();  // scheduled first: the action below may run a nested wait
    ++steps_;
    if (sim_.now() - start_ >= budget_ || pick(1500) == 0) return closeWindow();
    act();
    checkRules();
    endOnFailure();
  }

  // A failure in the child is reported by its exit status.
  static void endOnFailure() {
    if (!::testing::Test::HasFailure()) return;
    std::fflush(nullptr);
    std::_Exit(5);
  }

  // What a session reports to the parent before it closes the window.
  void closeWindow() {
    Module1& m = mod();
    RankingTable t = m.hs;
    if (f_.st.GameMode == 5 && f_.st.RankPos >= 0) t.e[f_.st.RankPos].Name = "NoName";
    writeFile(sim_.dir + "/session-report",
              (QString::asprintf("%d %d %u %d\n", games_, steps_, sim_.now() - start_, entries_) +
               describe(t, m.opt, f_.readTicks(), m.RecentName))
                  .toUtf8());
    endOnFailure();
    // From inside a wait the close ends the program at once; otherwise the
    // event loop would end with the last window.
    f_.win->close();
    std::_Exit(0);
  }

  void click(QWidget* w, QPoint at = {}) {
    if (w->isVisible())
      QTest::mouseClick(w, Qt::LeftButton, {}, at.isNull() ? w->rect().center() : at);
  }

  // A player who reads the graph well: the pointer goes to the cell in which
  // the rest of the run (forecast on copies of the state and the generator)
  // will end, and the marker is clicked.
  void markTheRightCell() {
    GameState probe = f_.st;
    Random rnd = sim_.random();
    SimulateRunFrames(probe, rnd, 1);
    const int row = std::clamp(static_cast<int>(probe.m.PointY) / f_.st.geo.RowHeight, 0, 3);
    sendMove(f_.PicMain->widget(), QPoint(460, row * 88 + 44));
    click(f_.PicAns->widget());
  }

  void act() {
    const int before = f_.st.GameMode;
    QWidget* plot = f_.PicMain->widget();
    QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : f_.win.get();
    if (f_.st.Frozen == 1 && pick(3) != 0) return markTheRightCell();
    static const Qt::Key keys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Return, Qt::Key_Escape,
                                   Qt::Key_Backspace};
    // Typed text, also what an input method would commit.
    static const QString texts[] = {"a", "Z", "7", " ", "ｶ", "漢", "?", "name"};
    const std::function<void()> actions[] = {
        // The main button, the most used control, has three chances in sixteen.
        [&] { click(f_.CmdAns->button()); },
        // Over the answer strip or anywhere on the plot.
        [&] {
          sendMove(plot,
                   pick(2) ? QPoint(420 + pick(80), pick(354)) : QPoint(pick(504), pick(354)));
        },
        [&] { click(f_.PicAns->widget()); }, [&] { QTest::keyClick(focus, keys[pick(5)]); },
        [&] {
          QKeyEvent ev(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, texts[pick(8)]);
          QCoreApplication::sendEvent(focus, &ev);
        },
        [&] {
          QWidget* letter = f_.labChr[pick(32)]->widget();
          sendMove(letter, QPoint(3, 3));
          click(letter, QPoint(3, 3));
        },
        [&] { sendMove(f_.picHS->widget(), QPoint(5, 300)); },
        [&] { click(f_.LabelAns[0]->widget()); }, [&] { f_.Pause->click(); },
        [&] { click(f_.CmdPause->button()); },
        [&] {
          MenuItem* items[] = {f_.Restart.get(), f_.HighScore.get(), f_.mnuClearHighScore.get(),
                               f_.mnuPopupPause.get()};
          sim_.answers = {pick(2) == 0};
          items[pick(4)]->click();
        },
        [&] {
          std::vector<std::unique_ptr<MenuItem>>* groups[] = {&f_.kakudaionoff, &f_.linewidth,
                                                              &f_.CountDownSpeed};
          auto& g = *groups[pick(3)];
          g[static_cast<size_t>(pick(static_cast<int>(g.size())))]->click();
        },
        [&] {
          if (f_.Stage_UrawazaTitle->Enabled() && f_.Stage_UrawazaTitle->Visible())
            f_.StageSelect[static_cast<size_t>(pick(15))]->click();
        },
        // The pop-up menu opens and is dismissed again.
        [&] {
          QTest::mouseClick(plot, Qt::RightButton, {}, QPoint(pick(504), pick(354)));
          if (QWidget* p = QApplication::activePopupWidget()) p->close();
        }};
    actions[std::max(0, pick(16) - 2)]();
    if (before != 0 && f_.st.GameMode == 0) ++games_;
  }

  void checkRules() {
    const GameState& s = f_.st;
    static const std::set<int32_t> modes = {0, 1, 2, 3, 5, 6};
    ASSERT_TRUE(modes.count(s.GameMode)) << s.GameMode;
    const RankingTable& t = mod().hs;
    for (int i = 0; i < 10; ++i) {
      const RankingEntry& e = t.e[i];
      const bool fixed = e.Name == "Empty" || e.Name == "NONAME" || e.Name == "?" ||
                         e.Name == "NoName" || (s.GameMode == 5 && i == s.RankPos);
      ASSERT_TRUE(fixed || AnsiByteLength(e.Name) <= 10) << e.Name.toStdString();
      ASSERT_TRUE(e.Date == "--/--/--" || AnsiByteLength(e.Date) == 8);
      ASSERT_GE(e.Rank, 1);
      if (i == 0) continue;
      const RankingEntry& a = t.e[i - 1];
      // By rank, then score, then stage.
      ASSERT_GE(std::tuple(a.Rank, a.Score, a.Stage), std::tuple(e.Rank, e.Score, e.Stage))
          << "entries " << i - 1 << " and " << i;
    }
  }

  SimPlatform& sim_;
  Form& f_;
  std::mt19937 rng_;
  uint32_t budget_;
  uint32_t start_;
  int games_ = 0, steps_ = 0, entries_ = 0;
  bool armed_ = false;
  int32_t lastMode_ = 0, before_ = 0;
  int16_t misses_ = 0;
};

// Runs one session in a fresh process of this program (a forked copy would
// inherit the toolkit's worker threads as dead locks); returns its report and
// the expected settings, or "" when it failed.
QString runSession(const QString& dir, uint32_t seed, uint32_t budgetMs) {
  const QString report = dir + "/session-report";
  QFile::remove(report);
  QProcess child;
  child.setEnvironment(
      QProcess::systemEnvironment()
      << QString("KORVANE_SOAK_SESSION=%1 %2 %3").arg(dir).arg(seed).arg(budgetMs));
  child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  child.setStandardOutputFile(QProcess::nullDevice());
  child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=Soak.OneSession"});
  // A session plays minutes of virtual time in seconds; one that runs on
  // has hung, and must not outlive the soak: `child` kills it on the way out.
  if (!child.waitForFinished(300'000) || child.exitStatus() != QProcess::NormalExit ||
      child.exitCode() != 0)
    return {};
  return QString::fromUtf8(readFile(report));
}

}  // namespace

// One session, started by the soak below in a process of its own.
TEST(Soak, OneSession) {
  const QStringList session = qEnvironmentVariable("KORVANE_SOAK_SESSION").split(' ');
  if (session.size() != 3) GTEST_SKIP() << "run by the soak";
  const uint32_t seed = session[1].toUInt();
  mod() = Module1{};
  SimPlatform sim(seed * 7919u);
  sim.dir = session[0];
  // Every other session runs on a clock that moves on between some reads,
  // as on a loaded machine.
  if (seed % 2)
    sim.readDelay = [](uint64_t n) { return static_cast<uint32_t>(n % 11 == 0 ? n % 3 : 0); };
  Form form(sim);
  form.Load();
  sim.random().seed(seed);
  Player(sim, form, seed, session[2].toUInt()).run();
  FAIL() << "not reached: the session ends by closing the window";
}

TEST(Soak, RandomPlayKeepsTheRulesAndEverySaveReadsBack) {
  const double hours = envNumber("KORVANE_SOAK_HOURS", 0.3);
  const auto seed = static_cast<uint32_t>(envNumber("KORVANE_SOAK_SEED", 1));
  SimProgramDir dir;
  int sessions = 0;
  double totals[4] = {};  // games, steps, virtual ms, name entries, as a session reports them
  std::mt19937 rng(seed);
  while (totals[2] < hours * 3'600'000) {
    const auto budget = static_cast<uint32_t>(60'000 + rng() % 1'800'000);
    const uint32_t s = seed * 1'000'003u + static_cast<uint32_t>(sessions);
    const QString out = runSession(dir.path(), s, budget);
    ASSERT_FALSE(out.isEmpty()) << "session " << sessions << " (seed " << s << ") failed";
    const QString head = out.section('\n', 0, 0);
    for (int i = 0; i < 4; ++i) totals[i] += head.section(' ', i, i).toDouble();
    ++sessions;
    // The file the closed program saved holds what it had.
    SettingsData d;
    WindowPlacement wp;
    ASSERT_TRUE(LoadSettings(dir.path() + "/qelmira.ini", d, wp)) << "session " << sessions;
    EXPECT_EQ(describe(d.ranking, d.opt, d.ticks, d.recentName).toStdString(),
              out.section('\n', 1).toStdString())
        << "session " << sessions << " (seed " << s << ")";
  }
  std::printf("soak: sessions %d, name entries %.0f, seed %u\n", sessions, totals[3], seed);
  std::printf("soak: games %.0f, virtual hours %.2f, steps %.0f\n", totals[0],
              totals[2] / 3'600'000, totals[1]);
}

}  // namespace kv::test
