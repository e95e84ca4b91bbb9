#include "platform/TextWidths.h"

#include <QFontMetrics>

namespace lw {

namespace {
constexpr std::size_t kMaxFonts = 8;
constexpr qsizetype kMaxTexts = 50000;
} // namespace

int TextWidths::width(const QFont& font, int dpi, const QFontMetrics& metrics,
                      const QString& text) {
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
    const auto found = store->widths.constFind(text);
    if (found != store->widths.constEnd()) return *found;
    if (store->widths.size() >= kMaxTexts) store->widths.clear();
    const int w = metrics.horizontalAdvance(text);
    store->widths.insert(text, w);
    return w;
}

} // namespace lw
