#include "platform/TextShapes.h"

#include <QFontMetrics>
#include <QTextLayout>

namespace lw {

namespace {
constexpr std::size_t kMaxFonts = 8;
constexpr qsizetype kMaxTexts = 50000;
} // namespace

TextShapes::Shaped& TextShapes::entry(const QFont& font, int dpi, const QString& text) {
    ForFont* store = nullptr;
    for (ForFont& f : fonts_)
        if (f.dpi == dpi && f.font == font) {
            store = &f;
            break;
        }
    if (!store) {
        if (fonts_.size() == kMaxFonts) fonts_.clear();
        fonts_.push_back({font, dpi, {}});
        store = &fonts_.back();
    }
    const auto found = store->texts.find(text);
    if (found != store->texts.end()) return *found;
    if (store->texts.size() >= kMaxTexts) store->texts.clear();
    return *store->texts.insert(text, Shaped{});
}

int TextShapes::width(const QFont& font, int dpi, const QFontMetrics& metrics,
                      const QString& text) {
    Shaped& shaped = entry(font, dpi, text);
    if (shaped.width < 0) shaped.width = metrics.horizontalAdvance(text);
    return shaped.width;
}

const TextShapes::Glyphs& TextShapes::glyphs(const QFont& font, QPaintDevice* device, int dpi,
                                             const QString& text) {
    Shaped& shaped = entry(font, dpi, text);
    if (!shaped.laidOut) {
        QTextLayout layout(text, font, device);
        layout.beginLayout();
        const QTextLine line = layout.createLine();
        layout.endLayout();
        shaped.glyphs = {layout.glyphRuns(), line.isValid() ? line.ascent() : 0};
        shaped.laidOut = true;
    }
    return shaped.glyphs;
}

} // namespace lw
