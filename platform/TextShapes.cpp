#include "platform/TextShapes.h"

#include <QFontMetrics>
#include <QTextLayout>

namespace lw {

namespace {
constexpr std::size_t kMaxFonts = 8;
constexpr qsizetype kMaxTexts = 50000;
} // namespace

const TextShapes::Line& TextShapes::line(const QFont& font, QPaintDevice* device,
                                         const QFontMetrics& metrics, const QString& text,
                                         bool withGlyphs) {
    const int dpi = device->logicalDpiY();
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
    auto found = store->lines.find(text);
    if (found == store->lines.end()) {
        if (store->lines.size() >= kMaxTexts) store->lines.clear();
        found = store->lines.insert(text, {metrics.horizontalAdvance(text), false, {}});
    }
    Line& kept = *found;
    if (withGlyphs && !kept.laidOut) {
        QTextLayout layout(text, font, device);
        layout.beginLayout();
        const QTextLine laid = layout.createLine();
        layout.endLayout();
        kept.glyphs = {layout.glyphRuns(), laid.isValid() ? laid.ascent() : 0};
        kept.laidOut = true;
    }
    return kept;
}

} // namespace lw
