// The end of a finished game: its result is placed in the ranking table.
#include "app/form.h"

namespace kv {

void Form::EnterRanking() {
  GameResult r{st.FinalRank, st.Score, st.StageNo};
  const int pos = PlaceResult(mod().hs, r, plat.today());
  st.Score = r.Score;
  st.RankPos = static_cast<int16_t>(pos);
  // A placed result goes on to the name entry, any other to the high-score
  // screen; both screens are shown from here once they exist.
}

}  // namespace kv
