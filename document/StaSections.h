#pragma once
// The sections of revision 0xCAFB that follow the body it shares with 0xCAFC.
//
// After the body comes a list of sections, each a tag (4 bytes), flags
// (4 bytes: bit 0 set = a reader that does not know the tag must refuse the
// file; clear = it may skip the section) and the length of its content
// (4 bytes), then the content. Tag 0 with length 0 ends the list. Inside a
// section, every record carries its own length, so that later versions can
// append fields that a reader skips.
#include "document/Document.h"
#include "document/Layout.h"
#include "document/StaFile.h"

#include <string>
#include <vector>

namespace lw {

// Tags of the sections this version knows.
enum StaSectionTag : std::uint32_t {
    kStaSectionEnd = 0,
    kStaSectionPersonDetails = 1, // sex, places, baptism, burial, parent relations
    kStaSectionPartnerships = 2,
    kStaSectionChart = 3, // the line style; may be skipped, the chart then has parent lines
};
constexpr std::uint32_t kStaSectionRequired = 1;

// Whether the person holds anything beyond the fields of 0xCAFC.
bool hasStaDetails(const TPerson& p);
// Whether the chart holds anything beyond the fields of 0xCAFC.
bool hasStaChartOptions(const ChartLayout& chart);

// The bytes writeStaSections gives for `doc`.
qsizetype staSectionsSize(const Document& doc);
void writeStaSections(StaWriter& w, const Document& doc);
// Reads the section list into the persons read before, the partnerships and
// the chart. Throws StaError; partner indices outside the persons become -1.
void readStaSections(StaReader& r, std::vector<TPerson>& persons,
                     std::vector<Partnership>& partnerships, ChartLayout& chart);

// Calls `fn` on every text of the persons.
template <class Persons, class Fn> void forEachPersonText(Persons& persons, Fn fn) {
    for (auto& p : persons) {
        fn(p.Bild);
        fn(p.NachName);
        fn(p.VorName);
        fn(p.StDate);
        fn(p.GebDate);
        for (auto& line : p.Leben)
            fn(line);
        fn(p.birthPlace);
        fn(p.deathPlace);
        fn(p.baptism.date);
        fn(p.baptism.place);
        fn(p.burial.date);
        fn(p.burial.place);
    }
}

// Calls `fn` on the heading and the two font names the file holds.
template <class Chart, class Font, class Fn>
void forEachLayoutText(Chart& chart, Font& boxFont, Fn fn) {
    fn(chart.Caption);
    fn(chart.headingFont.Name);
    fn(boxFont.Name);
}

} // namespace lw
