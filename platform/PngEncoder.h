#pragma once
// A PNG file written row by row: the picture need never be in memory whole.
// Rows come in bands of any height, top to bottom; each row is stored with
// the "up" filter and deflated at the given level (1 = fastest), which suits
// charts, whose rows mostly repeat the row above.
#include <QByteArray>
#include <QImage>
#include <memory>

namespace lw {

class PngEncoder {
  public:
    // An 8-bit RGB picture of `width` × `height` pixels (both ≥ 1).
    PngEncoder(int width, int height, int level = 1);
    ~PngEncoder();
    PngEncoder(const PngEncoder&) = delete;
    PngEncoder& operator=(const PngEncoder&) = delete;

    // Appends the first `rows` rows of `band` (its width is the picture's;
    // any format, alpha is dropped). False when the picture has no room left
    // for them or the band is unusable.
    bool addRows(const QImage& band, int rows);
    // After the last row: the bytes of the PNG file. Empty when fewer rows
    // than the height were given or compression failed.
    QByteArray finish();

  private:
    struct State;
    std::unique_ptr<State> s_;
};

} // namespace lw
