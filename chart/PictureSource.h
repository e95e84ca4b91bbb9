#pragma once
// How a chart view has its pictures read in the background: a painting that
// finds a picture missing asks for it and goes on without it; the box is
// painted again once the picture is ready.
#include "chart/Rect64.h"
#include "picture/Picture.h"

namespace lw {

class PictureSource {
  public:
    virtual ~PictureSource() = default;
    // Reads the picture for `request` unless that is under way already; the
    // chart pixels `box` are painted again when it is ready.
    virtual void requestPicture(const PictureRequest& request, const Rect64& box) = 0;
};

} // namespace lw
