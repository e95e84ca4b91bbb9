#pragma once
// The whole arrange view as one PNG picture, painted and encoded in
// horizontal bands so that memory stays bounded however large the chart is:
// each band is painted on its own and its rows go straight to the encoder.
#include "chart/ChartInputs.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace lw {

// Bytes one band may take (32-bit pixels); its rows follow from the width.
inline constexpr std::int64_t kRenderBandBytes = 32 * 1024 * 1024;

// Rows per band for a picture `width` pixels wide (at least 1).
int renderBandRows(std::int64_t width);

// Paints the chart pixels (0, 0, size) as the arrange view shows them, band
// by band (`bandRows` rows each, 0: renderBandRows), and returns the PNG
// file's bytes; nothing with a German `error` when memory for a band runs
// out. `margins` are those the painting starts from.
std::optional<QByteArray> renderChartPng(const ChartPaintInput& input, ChartMargins& margins,
                                         Point64 size, int bandRows, QString* error);

} // namespace lw
