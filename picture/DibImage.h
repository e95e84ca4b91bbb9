#pragma once
// Pictures of the picture library as QImages, for drawing them with Qt.
#include "picture/Dib.h"
#include "platform/DibToImage.h"

#include <QImage>
#include <cstdint>

class QImageReader;

namespace lw {

// Pictures whose pixel data would need more than this are refused.
constexpr std::int64_t kMaxPixelBytes = std::int64_t(256) * 1024 * 1024;

// Whether a w × h picture of `bitCount` bits a pixel has a positive size and
// stays within `limit` bytes.
bool pixelBytesAcceptable(int w, int h, int bitCount, std::int64_t limit = kMaxPixelBytes);
// Whether a picture of `size` stays within kMaxPixelBytes at 32 bits a pixel.
bool pictureSizeAcceptable(QSize size);

// How the picture library reads every file: the format from the content,
// upright as the camera meant it (EXIF orientation), and Qt's allocation
// limit set to the library's own (or to `pixelLimit` bytes, at least 1 MB).
void prepareReader(QImageReader& reader, std::int64_t pixelLimit = kMaxPixelBytes);

// The decoded image as a bottom-up picture: 1 bit for two-colour images,
// 8 bits with the colour table for indexed images, 24-bit BGR otherwise.
// Transparent pixels are laid over white. False and `dib` empty when the
// image is null or the memory cannot be had.
bool imageToDib(const QImage& source, TDibRecord& dib);

} // namespace lw
