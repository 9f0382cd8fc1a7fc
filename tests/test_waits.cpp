// The wait clock: marks, paused time that does not count, and a request to
// quit that ends the program from inside any wait or run.
#include "tests/stage_player.h"

namespace kv::test {

using Waits = StagePlayer;

TEST_F(Waits, ZeroReturnsAtOnceAndPausedTimeIsNotCounted) {
  start();
  bool ran = false;
  sim->after(0, [&] { ran = true; });
  const uint32_t t0 = sim->now();
  form->MarkTime();
  form->WaitSince(0, true);  // after one pass of events
  EXPECT_EQ(sim->now(), t0);
  EXPECT_TRUE(ran);

  st().GameMode = 1;  // between stages, where the pause is allowed
  sim->at(t0 + 400, [&] { key(Qt::Key_Escape); });
  sim->at(t0 + 2400, [&] { QTest::mouseClick(form->CmdPause->button(), Qt::LeftButton); });
  form->MarkTime();
  form->WaitSince(500, true);
  EXPECT_EQ(sim->now() - t0, 2500u);  // the 100 ms left run after the pause
  // A later wait after the same mark measures from the mark as shifted.
  form->WaitSince(600, true);
  EXPECT_EQ(sim->now() - t0, 2600u);
}

// A request to quit ends the program from inside each kind of hold and wait,
// before the wait's own time is up. (Inside a moving frame: the window closed
// during a run, with the settings window's tests.)
TEST_F(Waits, AQuitRequestedByAHandlerEndsTheProgramWhereverTheGameWaits) {
  enum Where { BareWait, CountDown, PausedRun, Marking };
  for (Where where : {BareWait, CountDown, PausedRun, Marking}) {
    SCOPED_TRACE(where);
    EXPECT_EXIT(
        {
          start();
          sim->exitCode = 4;                           // the program ran on past the request
          sim->after(600'000, [] { std::_Exit(6); });  // or hung in a hold
          auto quit = [&] {
            st().QuitRequested = 1;
            sim->exitCode = 3;
          };
          auto inRun = [&](double x) { return form->CmdAns->Enabled() && st().m.PointX > x; };
          switch (where) {
            case BareWait:
              sim->after(100, quit);
              sim->after(499, [&] { sim->exitCode = 4; });
              form->MarkTime();
              form->WaitSince(500, true);
              break;
            case CountDown:
              sim->when([&] { return form->Labelmsg->Caption() == " 2 "; }, quit);
              clickAns();
              break;
            case PausedRun:
              sim->when([&] { return inRun(500); }, [&] { key(Qt::Key_Escape); });
              sim->when([&] { return st().Paused != 0; }, quit);
              clickAns();
              break;
            case Marking:
              sim->when([&] { return inRun(500); }, [&] { clickAns(); });
              sim->when([&] { return st().Frozen == 1; }, quit);
              clickAns();
              break;
          }
          std::_Exit(5);
        },
        ::testing::ExitedWithCode(3), "");
  }
}

}  // namespace kv::test
