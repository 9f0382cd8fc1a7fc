// The stage board and the texts of the status row.
#include "game/stage_catalogue.h"
#include "tests/sim_fixture.h"

namespace kv::test {

using PlotBoard = SimGame;

TEST_F(PlotBoard, ScoreTextHasALeadingBlankUnlessNegative) {
  Form& f = start();
  const std::pair<int, const char*> cases[] = {
      {500, "SCORE  500"}, {0, "SCORE  0"}, {-1, "SCORE -1"}, {-20, "SCORE -20"}};
  for (auto [score, text] : cases) {
    st().Score = score;
    f.ShowScore();
    EXPECT_EQ(f.LabelScore->Caption(), text);
  }
}

TEST_F(PlotBoard, GridLinesFallEveryTenColumnsOnTheAnswerLine) {
  Form& f = start();
  struct Case {
    int ansColumn;
    std::vector<int> lines;
  };
  const Case cases[] = {
      {36, {6, 16, 26, 36, 46}}, {51, {1, 11, 21, 31, 41, 51}}, {5, {5, 15, 25, 35, 45}}};
  for (const Case& c : cases) {
    st().AnsColumn = static_cast<int16_t>(c.ansColumn);
    f.ClearBoard();
    f.DrawStageBoard();
    const QImage& img = f.PicMain->image();
    for (int col = 0; col <= 51; ++col) {
      const int x = toPx(col * 120 + 30);
      const Color at = fromQRgb(img.pixel(x, 100));
      const bool expected = std::find(c.lines.begin(), c.lines.end(), col) != c.lines.end();
      if (col == c.ansColumn)
        EXPECT_EQ(at, rgb(255, 96, 96)) << c.ansColumn;
      else
        EXPECT_EQ(at == rgb(184, 184, 184), expected) << c.ansColumn << " col " << col;
    }
    // The column labels stand at the bottom, right of their lines.
    int darker = 0;
    const int lx = toPx(c.lines.front() * 120 + 60);
    for (int y = toPx(5250 - 150); y < toPx(5250); ++y)
      for (int x = lx; x < lx + 16; ++x)
        if (qGray(img.pixel(x, y)) < 200) ++darker;
    EXPECT_GT(darker, 5) << "label of column " << c.lines.front();
  }
}

}  // namespace kv::test
