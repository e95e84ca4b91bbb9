#pragma once
// The choices of the printer set-up for posters: the scale, leaving out
// empty sheets, a glue margin, cut marks with labels and an assembly map.
// The printer set-up dialog and lindwerk-cli fill the same options, which
// the print command and the poster export read. No option set prints as it
// always did.
#include <QString>

namespace lw {

class ProfileFile;

enum class ScaleMode {
    Screen,     // "wie am Bildschirm"
    Percent,    // a percentage of the screen size
    SheetsWide, // "auf N Blätter Breite"
};

struct PrintOptions {
    static constexpr int kMinPercent = 10;
    static constexpr int kMaxPercent = 400;
    static constexpr int kMaxSheetsWide = 1000;
    static constexpr int kMaxGlueMm = 50;

    ScaleMode scaleMode = ScaleMode::Screen;
    int percent = 100;      // kMinPercent … kMaxPercent, for ScaleMode::Percent
    int sheetsWide = 1;     // 1 … kMaxSheetsWide, for ScaleMode::SheetsWide
    bool skipEmpty = false; // leave out sheets on which nothing is drawn
    int glueMm = 0;         // 0 … kMaxGlueMm: neighbouring sheets overlap by this
    bool marks = false;     // cut marks and a label on every sheet
    bool map = false;       // an assembly map as the first sheet

    bool operator==(const PrintOptions&) const = default;
};

// The settings file keeps the options in a section of their own; values
// that are missing or out of range leave the option as it is.
inline const char* const kPrintOptionsSection = "Druckoptionen";
void readPrintOptions(const ProfileFile& file, PrintOptions& options);
void writePrintOptions(ProfileFile& file, const PrintOptions& options);

} // namespace lw
