#pragma once
// Windows icon files (.ico) for the program's icon resource: one file holding
// the icon in several sizes, each entry a PNG image, as Windows reads them
// since Vista.
#include <QByteArray>
#include <QImage>
#include <vector>

namespace kv::assetgen {

// The .ico file holding `images` (square, at most 256 pixels a side) in the
// order given; empty when an image cannot be encoded.
QByteArray MakeIco(const std::vector<QImage>& images);

}  // namespace kv::assetgen
