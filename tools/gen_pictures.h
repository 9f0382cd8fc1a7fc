#pragma once
// The pictures the program loads from beside itself.
#include <QImage>

namespace kv::assetgen {

QImage MakeTitle();           // 500 x 350
QImage MakeAnsMark();         // 76 x 76, asking in Japanese whether the point lands here
QImage MakeAnsMarkEnglish();  // the same in English
QImage MakeCursor();          // 32 x 32, hot spot (15, 15)
QImage MakeIcon();            // 32 x 32, 16 colours
// The icon at another size for the desktop's icon theme: blown up by whole
// pixels so its pixel-art edges stay sharp, then smoothed down where the
// size is no multiple of 32.
QImage MakeIconSized(int size);

}  // namespace kv::assetgen
