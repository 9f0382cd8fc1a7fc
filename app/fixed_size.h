#pragma once
// The game's window has one size, as designed: no maximising, no full screen,
// no resizing, whatever the display server.
#include <QWidget>

namespace kv {

// Holds `window` (a top-level window with a layout) at the size its layout
// asks for.
void KeepFixedSize(QWidget* window);

}  // namespace kv
