#pragma once
// A decoded picture that several persons may show at once, and what it was
// decoded for.
//
// Pictures are decoded at the size they are needed (see PictureDecode.h); a
// Picture owns its record and frees it with deldib when the last holder lets
// it go. Persons see its record as their `Dib`; whoever holds a PictureRef
// keeps the pixels alive, on any thread.
#include "picture/Dib.h"

#include <QHashFunctions>
#include <QSize>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

namespace lw {

// What a picture is decoded for: the area a box gives it (its picture is
// fitted into it keeping its proportions), in device pixels, and the kind of
// device. On a screen (devicePpi 0) the picture is drawn pixel for pixel as
// the box shows it; on paper of devicePpi pixels per inch it never needs
// more than 300 pixels per inch.
struct PictureNeed {
    std::int64_t areaWidth = 0;
    std::int64_t areaHeight = 0;
    int devicePpi = 0;
    bool operator==(const PictureNeed&) const = default;
};

// A picture file and what it is needed for: the key of a decoded picture.
struct PictureRequest {
    QString path;
    PictureNeed need;
    bool operator==(const PictureRequest&) const = default;
};

struct PictureRequestHash {
    std::size_t operator()(const PictureRequest& r) const {
        return qHashMulti(0, r.path, r.need.areaWidth, r.need.areaHeight, r.need.devicePpi);
    }
};

class Picture {
  public:
    // Takes over `dib`. `source` is the size of the file's own picture,
    // upright; an invalid size stands for the record's own size. `madeFor`
    // is empty for a picture handed over without a request.
    explicit Picture(TDibRecord dib, QSize source = {}, PictureRequest madeFor = {});
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    const TDibRecord& dib() const { return dib_; }
    // The size the box fits: the original's, whatever size was decoded.
    QSize sourceSize() const { return source_; }
    const PictureRequest& madeFor() const { return madeFor_; }
    // Memory the pixels and header take.
    std::size_t bytes() const;

  private:
    TDibRecord dib_;
    QSize source_;
    PictureRequest madeFor_;
};

using PictureRef = std::shared_ptr<const Picture>;

} // namespace lw
