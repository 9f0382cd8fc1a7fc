#pragma once
// The pictures the program loads from beside itself.
#include <QImage>

namespace kv::assetgen {

QImage MakeTitle();    // 500 x 350
QImage MakeAnsMark();  // 76 x 76
QImage MakeCursor();   // 32 x 32, hot spot (15, 15)
QImage MakeIcon();     // 32 x 32, 16 colours

}  // namespace kv::assetgen
