#pragma once
// Widths of short lines of text, kept between paintings by whoever paints
// the same texts again and again (a view that scrolls, repaints a box whose
// picture arrived): each line is then shaped once for drawing only, not a
// second time for its place. The widths are exactly what QFontMetrics
// measures; the store holds a few fonts and forgets when it grows large.
#include <QFont>
#include <QHash>
#include <QString>
#include <vector>

class QFontMetrics;

namespace lw {

class TextWidths {
  public:
    // The width of `text` in `font` on a device of `dpi`, measured by
    // `metrics` (made for that font and device) the first time.
    int width(const QFont& font, int dpi, const QFontMetrics& metrics, const QString& text);

  private:
    struct ForFont {
        QFont font;
        int dpi = 0;
        QHash<QString, int> widths;
    };
    std::vector<ForFont> fonts_;
};

} // namespace lw
