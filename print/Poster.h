#pragma once
// The whole chart as one large page for a print shop: a PDF page of the
// chart's size at the chosen scale, or an SVG drawing, vector throughout,
// each picture embedded once.
//
// The chart's size is what its boxes and heading cover from the top left
// corner, and 20 pixels more (as the view shows it), at the screen's size
// times the scale. A PDF page may not exceed 5.08 m (200 inches) on a
// side; a larger chart gets a smaller scale, and a notice says so. The
// drawing is that of a printed sheet: the same boxes, lines, fonts and
// pictures, here at 600 pixels per inch.
#include "chart/ChartGrid.h"
#include "chart/Rect64.h"

#include <QString>
#include <cstdint>

namespace lw {

class Dialogs;
class Document;
class PictureStore;
class ProgressSink;
struct BoxLayout;

enum class PosterFormat { Pdf, Svg };

// The format by the file's extension (".svg", anything else PDF).
PosterFormat posterFormatOf(const QString& fileName);

inline constexpr double kMaxPdfPageMm = 5080.0;
inline constexpr int kPosterDpi = 600;

// The chart's size in screen pixels (see above).
Point64 posterExtent(const Document& doc, const BoxLayout& box, const ChartMargins& margins,
                     int headingTop);

inline const QString kMsgPosterNoMemory = QStringLiteral(
    "Nicht genügend Arbeitsspeicher für dieses Poster – es wurde nichts geschrieben.");

// A percentage as the notice writes it: "37,5", "0,044".
QString percentText(double percent);

struct PosterRequest {
    // The scale on top of the screen size, as a fraction; or, when
    // `widthMm` is above 0, the scale that makes the poster that wide.
    std::int64_t num = 1;
    std::int64_t den = 1;
    double widthMm = 0;
};

struct PosterOutcome {
    bool written = false;
    QString error;      // German, when not written
    QString notice;     // German, when the scale had to be reduced
    double widthMm = 0; // the page
    double heightMm = 0;
    double scale = 1; // the scale used, on top of the screen size
};

// Writes the poster of `doc` into `fileName` (whole or not at all).
// `margins` are recomputed for `screenDpi`, as a painting does. The pictures
// are kept in `store` (null: only while the poster is drawn).
PosterOutcome exportPoster(const Document& doc, const BoxLayout& box, ChartMargins& margins,
                           int screenDpi, const PosterRequest& request, const QString& fileName,
                           Dialogs* dialogs = nullptr, ProgressSink* progress = nullptr,
                           PictureStore* store = nullptr);

} // namespace lw
