// The end of a finished game: its result is placed in the ranking table and
// the player goes on to the name entry or straight to the table.
#include "app/form.h"

namespace kv {

void Form::EnterRanking() {
  GameResult r{st.FinalRank, st.Score, st.StageNo};
  const int pos = PlaceResult(mod().hs, r, plat.today());
  st.Score = r.Score;
  if (pos >= 0) {
    st.RankPos = static_cast<int16_t>(pos);
    StartNameEntry();
    return;
  }
  st.RankPos = -1;
  ShowHighScores();
}

}  // namespace kv
