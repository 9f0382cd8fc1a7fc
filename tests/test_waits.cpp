// The wait clock: marks, paused time that does not count, and a request to
// quit that ends the program from inside any wait or run.
#include <QApplication>
#include <QMenuBar>

#include "tests/stage_player.h"

namespace kv::test {

using Waits = StagePlayer;

// A wait of zero returns at once and paused time is not counted, also across
// the moments the 32-bit clock passes 2^31 and wraps to 0; a clock that moves
// on between reads neither shortens nor stretches a wait.
TEST_F(Waits, ZeroReturnsAtOncePausedTimeIsNotCountedAndAMovingClockStretchesNoWait) {
  for (uint32_t startMs : {1'000'000u, 0x7FFF'FE00u, 0xFFFF'FE00u}) {
    SCOPED_TRACE(startMs);
    restart(startMs);
    bool ran = false;
    sim->after(0, [&] { ran = true; });
    const uint32_t t0 = sim->now();
    form->MarkTime();
    form->WaitSince(0, true);  // after one pass of events
    EXPECT_EQ(std::tuple(sim->now(), ran), std::tuple(t0, true));

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

  // On a loaded machine the clock moves on between two reads. A wait then
  // still lasts its time and overshoots it by no more than the clock moved
  // during the wait's own last reads; in particular a wait without events
  // never sizes its sleep from a reading taken after the deadline.
  for (uint32_t startMs : {1'000'000u, 0xFFFF'FFF0u}) {
    for (uint32_t delay : {1u, 2u, 3u, 7u}) {
      restart(startMs);
      sim->readDelay = [delay](uint64_t) { return delay; };
      for (int32_t ms : {0, 1, 5, 13, 40, 500}) {
        for (bool withEvents : {false, true}) {
          form->MarkTime();
          const uint64_t mark = sim->elapsedMs() - delay;
          form->WaitSince(ms, withEvents);
          const uint64_t waited = sim->elapsedMs() - mark;
          EXPECT_GE(waited, static_cast<uint64_t>(ms));
          EXPECT_LE(waited, static_cast<uint64_t>(ms) + 3 * delay)
              << startMs << " delay " << delay << " ms " << ms << " events " << withEvents;
        }
      }
    }
  }
}

// A request to quit ends the program from inside each kind of hold and wait,
// before the wait's own time is up. (Inside a moving frame: the window closed
// during a run, with the end-of-game tests.)
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
          if (where == BareWait) {
            sim->after(100, quit);
            sim->after(499, [&] { sim->exitCode = 4; });
            form->MarkTime();
            form->WaitSince(500, true);
            std::_Exit(5);
          }
          if (where == CountDown) {
            sim->when([&] { return form->Labelmsg->Caption() == " 2 "; }, quit);
          } else {
            // In the run: paused by Escape, or held by the press for the marking.
            sim->when([&] { return form->CmdAns->Enabled() && st().m.PointX > 500; },
                      [&] { where == PausedRun ? key(Qt::Key_Escape) : clickAns(); });
            sim->when([&] { return where == PausedRun ? st().Paused != 0 : st().Frozen == 1; },
                      quit);
          }
          clickAns();
          std::_Exit(5);
        },
        ::testing::ExitedWithCode(3), "");
  }
}

// An open menu holds the game as a modal menu loop would: the frame (or wait)
// that is running goes on only once the menu has closed, window timers keep
// ticking, and the time in the menu is neither a pause nor caught up after.
// The game-over wait is held too: the ranking follows only once the menu has
// closed, however long it was open.
TEST_F(Waits, AnOpenMenuHoldsTheRunAndTheWaitsWhileTimersTick) {
  start();
  int ticks = 0, ticksInMenu = 0;
  Timer probe(*sim, 100, [&] { ++ticks; });
  std::vector<uint32_t> frames;
  form->onFrameStart = [&] { frames.push_back(sim->now()); };
  QMenuBar* bar = form->win->menuBar();
  auto openGameMenu = [&] {
    QTest::mousePress(bar, Qt::LeftButton, {},
                      bar->actionGeometry(form->mnuGame->menuAction()).center());
    ASSERT_TRUE(sim->menuOpen());
  };
  uint32_t closed = 0;
  double xOpen = 0, xHeld = 0;
  sim->when([&] { return form->CmdAns->Enabled() && st().m.PointX >= 10 * 72; },
            [&] {
              xOpen = st().m.PointX;
              probe.setEnabled(true);
              openGameMenu();
              sim->after(1500, [&] {
                xHeld = st().m.PointX;
                ticksInMenu = ticks;
                closed = sim->now();
                QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
              });
            });
  play(kNoPress);
  EXPECT_EQ(std::tuple(xHeld, ticksInMenu >= 14), std::tuple(xOpen, true));
  // The held frame ends when the menu closes; the next one is a full frame.
  auto at = std::find(frames.begin(), frames.end(), closed);
  ASSERT_TRUE(at != frames.end() && at + 1 != frames.end());
  EXPECT_EQ(*(at + 1) - closed, 40u);
  EXPECT_LT(closed - *(at - 1), 1500u + 40);

  // A wait between stages, held by the pop-up menu of the right button.
  probe.setEnabled(false);
  ticks = 0;
  const uint32_t t0 = sim->now();
  sim->after(100, [&] {
    probe.setEnabled(true);
    QTest::mouseClick(form->PicMain->widget(), Qt::RightButton);
    ASSERT_TRUE(sim->menuOpen());
  });
  sim->after(1600, [&] { form->mnuPopupMenu->close(); });
  form->MarkTime();
  form->WaitSince(500, true);
  // Neither a pause (the wait's start stays) nor a stop of the timers.
  EXPECT_EQ(std::tuple(sim->now() - t0, static_cast<uint32_t>(st().WaitStart), ticks),
            std::tuple(1600u, t0, 15));

  // The game-over wait after a lost retry, held by the game menu.
  onSetUp([&] { st().Score = 5; });
  closed = 0;
  sim->when([&] { return !form->PicMain->Visible() && !form->timGameover->enabled(); },
            [&] {
              openGameMenu();
              sim->after(6000, [&] {
                closed = sim->now();
                QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
              });
            });
  play({.offset = {}, .rightRow = false});
  sim->runUntil([&] { return st().GameMode >= 5; });
  EXPECT_EQ(std::tuple(closed != 0, sim->now() >= closed), std::tuple(true, true));
}

}  // namespace kv::test
