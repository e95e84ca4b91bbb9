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

    // The width of `text` in `font` on a device of `dpi`, measured by
    // `metrics` (made for that font and device) the first time.
    int width(const QFont& font, int dpi, const QFontMetrics& metrics, const QString& text);
    // The glyphs of `text` in `font` on `device` (of `dpi`), laid out the
    // first time.
    const Glyphs& glyphs(const QFont& font, QPaintDevice* device, int dpi, const QString& text);

  private:
    struct Shaped {
        int width = -1; // -1: not measured yet
        bool laidOut = false;
        Glyphs glyphs;
    };
    struct ForFont {
        QFont font;
        int dpi = 0;
        QHash<QString, Shaped> texts;
    };
    Shaped& entry(const QFont& font, int dpi, const QString& text);
    std::vector<ForFont> fonts_;
};

} // namespace lw
