#pragma once
// Short lines of text as laid out once, kept between paintings by whoever
// paints the same texts again and again (a view that scrolls, repaints a box
// whose picture arrived): each line is then shaped once, not at every
// painting for its place and again for its glyphs. The widths are exactly
// what QFontMetrics measures, and the glyphs draw the pixels that drawing the
// text would; the store holds a few fonts and forgets when it grows large.
#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QString>
#include <vector>

class QFontMetrics;
class QPaintDevice;

namespace lw {

class TextShapes {
  public:
    // The glyphs of a line laid out with its top left at (0, 0): the first
    // glyph's baseline lies `ascent` below.
    struct Glyphs {
        QList<QGlyphRun> runs;
        qreal ascent = 0;
    };
    struct Line {
        int width = 0;
        bool laidOut = false; // whether `glyphs` holds the line
        Glyphs glyphs;
    };

    // `text` in `font` on `device`: its width as `metrics` (made for that
    // font and device) measures it and, `withGlyphs`, its glyphs, each worked
    // out the first time they are asked for.
    const Line& line(const QFont& font, QPaintDevice* device, const QFontMetrics& metrics,
                     const QString& text, bool withGlyphs);

  private:
    struct ForFont {
        QFont font;
        int dpi = 0;
        QHash<QString, Line> lines;
    };
    std::vector<ForFont> fonts_;
};

} // namespace lw
