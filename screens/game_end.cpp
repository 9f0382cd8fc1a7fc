// The sequences after the last verdict of a game.
#include "app/form.h"

namespace kv {

// The sixteen letters of the ending are set flying here.
void Form::StartFlyingLetters() { st.FryTicks = 0; }

}  // namespace kv
