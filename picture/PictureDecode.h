#pragma once
// Reading a picture file at the size it is needed.
//
// A box shows a camera photograph in a few dozen pixels, and paper needs no
// more than 300 pixels per inch of it. A large picture is therefore decoded
// reduced: JPEG files at 1/2 … 1/8 in the decoder itself, then smoothly to
// the size needed. A picture no larger than twice the size the box draws it
// at keeps every pixel, so the box draws it as it always has; paper gets a
// picture at its own size when that is below 300 pixels per inch.
//
// Everything here may run on any thread.
#include "picture/DibImage.h"
#include "picture/Picture.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace lw {

class ProgressSink;
class ThumbnailStore;

constexpr int kPaperPpi = 300;

// What identifies one state of a picture file: its size in bytes and the
// time of its last change (milliseconds). size −1: there is no such file.
struct FileStamp {
    std::int64_t size = -1;
    std::int64_t modified = 0;
    bool exists() const { return size >= 0; }
    bool operator==(const FileStamp&) const = default;
};

FileStamp stampOf(const QString& path);

// A picture of `source` fitted into an area as the boxes fit it: the full
// area width w, the height ph·w div pw, and when that is too high the full
// area height h and the width pw·h div ph. May be below 1 × 1.
QSize fittedSize(QSize source, std::int64_t areaWidth, std::int64_t areaHeight);

// The size a picture of `source` is decoded at for `need` (see above).
QSize decodedSize(QSize source, const PictureNeed& need);

struct DecodedPicture {
    PictureRef picture; // null when the file could not be read
    FileStamp stamp;    // of the file as it was read
    bool fromThumbnail = false;
};

// Reads the picture for `request`, upright, at decodedSize. Screen pictures
// are taken from and kept in `thumbnails` when given. Progress 0, 50, 100
// goes to `progress` when given. A picture whose pixels would take more than
// `pixelLimit` bytes is decoded reduced when it is a JPEG file (the decoder
// reads it at 1/2 ... 1/8 of its size) and refused otherwise. A missing,
// unreadable, refused or damaged file is told through reportPictureProblem.
DecodedPicture decodePicture(const PictureRequest& request, const ThumbnailStore* thumbnails,
                             ProgressSink* progress, std::int64_t pixelLimit = kMaxPixelBytes);

// decodePicture for every request, on one thread per core; the results in
// the order of the requests. The overall progress goes to `progress` from
// the calling thread.
std::vector<DecodedPicture> decodeAll(const std::vector<PictureRequest>& requests,
                                      const ThumbnailStore* thumbnails, ProgressSink* progress);

} // namespace lw
