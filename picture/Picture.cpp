#include "picture/Picture.h"

namespace lw {

Picture::Picture(TDibRecord dib, QSize source, PictureRequest madeFor)
    : dib_(dib), source_(source.isValid() ? source : QSize(dib.width(), dib.height())),
      madeFor_(std::move(madeFor)) {}

Picture::~Picture() {
    deldib(dib_);
}

std::size_t Picture::bytes() const {
    if (dib_.empty()) return 0;
    return sizeof(BITMAPINFO) + std::size_t(dib_.stride) * std::size_t(dib_.height());
}

} // namespace lw
