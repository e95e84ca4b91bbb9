#pragma once
// Device-independent bitmaps as QImages, for drawing them with Qt.
#include "platform/DibRecord.h"

#include <QImage>

namespace lw {

// The stored rows startLine ... startLine + lines - 1 of `dib` (as far as the
// picture has them) as a top-down image: the highest of these rows on top.
// 1, 4 and 8 bits become indexed images with the picture's colour table,
// 16 bits are read as 5-5-5, 24 bits as BGR, 32 bits as BGRX. A null image
// for an empty picture, an unknown bit count or no rows.
QImage dibRowsToImage(const TDibRecord& dib, int startLine, int lines);

// The whole picture as a top-down image.
QImage dibToImage(const TDibRecord& dib);

} // namespace lw
