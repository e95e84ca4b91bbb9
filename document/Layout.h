#pragma once
// The layout values that the family tree file carries. BoxLayout holds the
// program settings of the settings page (kept by New); ChartLayout the
// heading and margins, which belong to the document.
//
// The setters behave like the controls that edit these values: whole-number
// fields are clamped to their range and rounded to the nearest whole number,
// millimetre fields are clamped to 0 ... 50.
#include "platform/Color.h"
#include "platform/FontInfo.h"

#include <cstdint>
#include <string>

namespace lw {

struct IntRange {
    int lo;
    int hi;
    // Clamped and rounded to nearest; not-a-number reads as the lower bound.
    int clamp(double v) const;
};

inline constexpr IntRange kBreitRange{10, 1000};
inline constexpr IntRange kHochRange{10, 1000};
inline constexpr IntRange kBildRange{0, 90};
inline constexpr IntRange kAusrichtRange{0, 2};
inline constexpr IntRange kAreaRange{1, 1000000};
inline constexpr double kMarginMax = 50.0;

// Clamped to 0 ... 50; not-a-number reads as 0.
double clampMargin(double mm);

constexpr TColor kDefaultBoxColor = 0x00E1FFFF; // #FFFFE1

struct BoxLayout {
    TColor bkColor = kDefaultBoxColor;
    TColor borderColor = clBlack;
    TFontInfo font = defaultBoxFont(); // box text font
    int BreitEd = 168;                 // cell width, screen pixels
    int HochEd = 96;                   // cell height, screen pixels
    int BildEd = 50;                   // picture share of the box width, percent
    int Textausricht = 1;              // 0 left, 1 centred, 2 right
    bool LeblaufCheck = true;          // biography shown in the box

    void setBreit(double v) { BreitEd = kBreitRange.clamp(v); }
    void setHoch(double v) { HochEd = kHochRange.clamp(v); }
    void setBild(double v) { BildEd = kBildRange.clamp(v); }
    void setAusricht(double v) { Textausricht = kAusrichtRange.clamp(v); }

    // "Zurücksetzen auf Standartwerte": like the defaults, but the
    // background becomes the system tooltip colour reference.
    void resetToStandard();

    bool operator==(const BoxLayout&) const = default;
};

// How the chart joins persons: a line from each child to its father and one
// to its mother, or family lines (partners joined, one line from the couple
// down to a bar over its children).
enum class LineStyle : std::uint8_t { ParentLines = 0, FamilyLines = 1 };

struct ChartLayout {
    LineStyle lineStyle = LineStyle::ParentLines;
    std::string Caption = "Stammbaum der Familie X"; // CaptionEd
    TFontInfo headingFont = defaultHeadingFont();    // FontDialog3
    double RandOED2 = 6;                             // top margin of the heading, mm
    double RandOEd = 18;                             // top margin of the boxes, mm
    double RandLEd = 12;                             // left margin, mm

    void setRandOED2(double mm) { RandOED2 = clampMargin(mm); }
    void setRandOEd(double mm) { RandOEd = clampMargin(mm); }
    void setRandLEd(double mm) { RandLEd = clampMargin(mm); }

    bool operator==(const ChartLayout&) const = default;
};

} // namespace lw
