// A whole game played with the keys alone. Every key goes where the toolkit
// sends it, to the widget that holds the keyboard focus (or the window), so
// the test sees what a player without a mouse sees.
#include <QApplication>

#include "tests/stage_player.h"

namespace kv::test {

class KeyboardPlay : public StagePlayer {
 protected:
  QWidget* focused() const { return QApplication::focusWidget(); }
  void press(Qt::Key k) {
    QWidget* to = focused();
    QTest::keyClick(to ? to : form->win.get(), k);
  }
  bool ansHasFocus() const { return focused() == form->CmdAns->button(); }

  // The next stage, answered with keys: `go` presses the main button, Space
  // presses "Answer!" at the earliest column the run passes through, Down
  // walks the marker to the right row (or to a wrong one) and Enter marks it.
  void playByKeys(Qt::Key go, bool rightRow, bool pauseFirst = false) {
    onSetUp([this, rightRow, pauseFirst] {
      const RunForecast f = forecast();
      const int32_t target = f.earliestColumn();
      const int row = rightRow ? rowOf(f.finalY) : (rowOf(f.finalY) + 2) % 4;
      if (pauseFirst) {
        // Escape pauses during the count-down; Space on the resume button
        // ends the pause.
        sim->after(100, [this] {
          press(Qt::Key_Escape);
          EXPECT_EQ(focused(), form->CmdPause->button());
          press(Qt::Key_Space);
          EXPECT_FALSE(st().Paused);
        });
      }
      sim->when(
          [this, target] {
            return st().GameMode == 2 && form->CmdAns->Enabled() &&
                   columnAt(st().m.PointX) == target;
          },
          [this] {
            EXPECT_TRUE(ansHasFocus());
            press(Qt::Key_Space);
          });
      onMarking([this, row] {
        for (int r = -1; r < row; ++r) press(Qt::Key_Down);
        press(Qt::Key_Return);
      });
    });
    press(go);
  }
};

TEST_F(KeyboardPlay, SpaceAndEnterPressTheMainButtonFromStartToANameInTheTable) {
  start();
  form->win->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form->win.get()));
  ASSERT_TRUE(ansHasFocus());

  // Stage 1 from the title with Space, answered right.
  playByKeys(Qt::Key_Space, true);
  ASSERT_EQ(std::pair(st().GameMode, st().StageNo), std::pair(1, int16_t{2}));
  EXPECT_EQ(ansButton(), std::pair(QString("NEXT STAGE"), true));
  EXPECT_TRUE(ansHasFocus());

  // Enter goes on to stage 2, paused and resumed on the way; it is then
  // missed ("RETRY!", pressed with Space and Enter in turn) until the game is
  // over.
  playByKeys(Qt::Key_Return, false, true);
  for (int i = 0; i < 20 && !form->timGameover->enabled(); ++i) {
    ASSERT_EQ(ansButton(), std::pair(QString("RETRY!"), true));
    EXPECT_TRUE(ansHasFocus());
    playByKeys(i % 2 ? Qt::Key_Return : Qt::Key_Space, false);
  }
  ASSERT_TRUE(form->timGameover->enabled());

  // The name is typed into the box, which keeps the keys meanwhile: Space
  // is a blank of the name, and Enter presses "OK".
  sim->runUntil([this] { return st().GameMode == 5; });
  ASSERT_EQ(focused(), form->txtName->edit());
  form->txtName->setText("");
  for (Qt::Key k : {Qt::Key_K, Qt::Key_Space, Qt::Key_V}) press(k);
  press(Qt::Key_Return);
  ASSERT_EQ(st().GameMode, 6);
  EXPECT_EQ(mod().hs.e[st().RankPos].Name, "K V");

  // Back to the title with Space, and a new game can start at once.
  EXPECT_TRUE(ansHasFocus());
  press(Qt::Key_Space);
  EXPECT_EQ(std::pair(st().GameMode, ansHasFocus()), std::pair(0, true));
}

}  // namespace kv::test
