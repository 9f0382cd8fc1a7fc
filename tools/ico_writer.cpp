#include "ico_writer.h"

#include <QBuffer>

namespace kv::assetgen {
namespace {

void put16(QByteArray& out, int v) {
  out.append(static_cast<char>(v & 0xFF));
  out.append(static_cast<char>((v >> 8) & 0xFF));
}
void put32(QByteArray& out, qint64 v) {
  put16(out, static_cast<int>(v & 0xFFFF));
  put16(out, static_cast<int>((v >> 16) & 0xFFFF));
}

}  // namespace

QByteArray MakeIco(const std::vector<QImage>& images) {
  std::vector<QByteArray> pngs;
  for (const QImage& img : images) {
    QByteArray png;
    QBuffer buf(&png);
    buf.open(QIODevice::WriteOnly);
    if (img.width() > 256 || img.height() > 256 || !img.save(&buf, "PNG")) return {};
    pngs.push_back(png);
  }
  QByteArray out;
  put16(out, 0);  // reserved
  put16(out, 1);  // an icon, not a cursor
  put16(out, static_cast<int>(images.size()));
  qint64 offset = 6 + 16 * static_cast<qint64>(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    // A side of 256 is written as 0.
    out.append(static_cast<char>(images[i].width() & 0xFF));
    out.append(static_cast<char>(images[i].height() & 0xFF));
    out.append('\0');  // no palette
    out.append('\0');  // reserved
    put16(out, 1);     // colour planes
    put16(out, 32);    // bits per pixel
    put32(out, pngs[i].size());
    put32(out, offset);
    offset += pngs[i].size();
  }
  for (const QByteArray& png : pngs) out.append(png);
  return out;
}

}  // namespace kv::assetgen
