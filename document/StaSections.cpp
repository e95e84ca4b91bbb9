#include "document/StaSections.h"

#include "platform/DocText.h"

namespace lw {
namespace {

constexpr qsizetype kSectionHead = 3 * 4;

qsizetype textSize(const std::string& s) {
    return 4 + qsizetype(s.size());
}
qsizetype eventSize(const LifeEvent& e) {
    return textSize(e.date) + textSize(e.place);
}

// ---- person details: i32 count, then per person with details
//      i32 index (ascending), u32 length of the rest, u8 sex,
//      u8 father relation, u8 mother relation, birth place, death place,
//      baptism date and place, burial date and place

qsizetype detailFields(const TPerson& p) {
    return 3 + textSize(p.birthPlace) + textSize(p.deathPlace) + eventSize(p.baptism) +
           eventSize(p.burial);
}
constexpr size_t kMinDetailRecord = 4 + 4;

// ---- partnerships: i32 count, then per partnership u32 length of the
//      rest, i32 first, i32 second, i32 first rank, i32 second rank,
//      marriage date and place, u8 divorced, divorce date and place;
//      then, only when it is set, u8 married without date and place (a
//      reader that stops before it skips it by the length, and the record
//      of a partnership without it keeps its bytes)

qsizetype partnershipFields(const Partnership& p) {
    return 4 * 4 + eventSize(p.marriage) + 1 + eventSize(p.divorce) + (p.married ? 1 : 0);
}
constexpr size_t kMinPartnershipRecord = 4;

// ---- chart: u8 line style
constexpr qsizetype kChartContent = 1;

void writeEvent(StaWriter& w, const LifeEvent& e) {
    WriteLenString(w, e.date);
    WriteLenString(w, e.place);
}

void readText(StaReader& r, std::string& text) {
    ReadLenString(r, text);
    repairUtf8(text);
}

void readEvent(StaReader& r, LifeEvent& e) {
    readText(r, e.date);
    readText(r, e.place);
}

qsizetype detailsContentSize(const Document& doc) {
    qsizetype n = 4;
    for (const TPerson& p : doc.Persons())
        if (hasStaDetails(p)) n += 4 + 4 + detailFields(p);
    return n;
}

qsizetype partnershipsContentSize(const Document& doc) {
    qsizetype n = 4;
    for (const Partnership& p : doc.Partnerships())
        n += 4 + partnershipFields(p);
    return n;
}

bool anyDetails(const Document& doc) {
    for (const TPerson& p : doc.Persons())
        if (hasStaDetails(p)) return true;
    return false;
}

// A record's fields end at most `length` bytes after `start` (the bytes
// left when they began); what a later version appended is skipped.
void endRecord(StaReader& r, size_t start, std::uint32_t length) {
    const size_t used = start - r.left();
    if (used > length) throw StaError{kMsgDamaged};
    r.skip(length - used);
}

Sex sexOf(std::uint8_t v) {
    return v <= std::uint8_t(Sex::Other) ? Sex(v) : Sex::Unknown;
}
ParentRelation relationOf(std::uint8_t v) {
    return v <= std::uint8_t(ParentRelation::Other) ? ParentRelation(v) : ParentRelation::Other;
}

void readDetails(StaReader& r, std::vector<TPerson>& persons) {
    const std::int32_t count = r.count(kMinDetailRecord);
    std::int32_t last = -1;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t index = r.i32();
        if (index <= last || index >= std::int32_t(persons.size())) throw StaError{kMsgDamaged};
        last = index;
        const std::uint32_t length = r.u32();
        const size_t start = r.left();
        TPerson& p = persons[size_t(index)];
        p.sex = sexOf(r.u8());
        p.fatherRelation = relationOf(r.u8());
        p.motherRelation = relationOf(r.u8());
        readText(r, p.birthPlace);
        readText(r, p.deathPlace);
        readEvent(r, p.baptism);
        readEvent(r, p.burial);
        endRecord(r, start, length);
    }
}

void readPartnerships(StaReader& r, std::int32_t persons, std::vector<Partnership>& out) {
    const std::int32_t count = r.count(kMinPartnershipRecord);
    out.reserve(size_t(count));
    const auto partner = [persons](std::int32_t v) { return v >= 0 && v < persons ? v : -1; };
    for (std::int32_t i = 0; i < count; ++i) {
        const std::uint32_t length = r.u32();
        const size_t start = r.left();
        Partnership& p = out.emplace_back();
        p.first = partner(r.i32());
        p.second = partner(r.i32());
        p.firstRank = r.i32();
        p.secondRank = r.i32();
        readEvent(r, p.marriage);
        p.divorced = r.u8() != 0;
        readEvent(r, p.divorce);
        if (start - r.left() < length) p.married = r.u8() != 0;
        endRecord(r, start, length);
    }
}

void readChart(StaReader& r, ChartLayout& chart) {
    const std::uint8_t style = r.u8();
    chart.lineStyle = style == std::uint8_t(LineStyle::FamilyLines) ? LineStyle::FamilyLines
                                                                    : LineStyle::ParentLines;
}

} // namespace

bool hasStaChartOptions(const ChartLayout& chart) {
    return chart.lineStyle != LineStyle::ParentLines;
}

bool hasStaDetails(const TPerson& p) {
    return p.sex != Sex::Unknown || !p.birthPlace.empty() || !p.deathPlace.empty() ||
           !p.baptism.empty() || !p.burial.empty() || p.fatherRelation != ParentRelation::Birth ||
           p.motherRelation != ParentRelation::Birth;
}

qsizetype staSectionsSize(const Document& doc) {
    qsizetype n = kSectionHead; // the end
    if (anyDetails(doc)) n += kSectionHead + detailsContentSize(doc);
    if (!doc.Partnerships().empty()) n += kSectionHead + partnershipsContentSize(doc);
    if (hasStaChartOptions(doc.chart)) n += kSectionHead + kChartContent;
    return n;
}

void writeStaSections(StaWriter& w, const Document& doc) {
    if (anyDetails(doc)) {
        w.u32(kStaSectionPersonDetails);
        w.u32(kStaSectionRequired);
        w.u32(std::uint32_t(detailsContentSize(doc)));
        std::int32_t count = 0;
        for (const TPerson& p : doc.Persons())
            count += hasStaDetails(p) ? 1 : 0;
        w.i32(count);
        for (int i = 0; i < doc.PersonCount(); ++i) {
            const TPerson& p = doc.person(i);
            if (!hasStaDetails(p)) continue;
            w.i32(i);
            w.u32(std::uint32_t(detailFields(p)));
            w.u8(std::uint8_t(p.sex));
            w.u8(std::uint8_t(p.fatherRelation));
            w.u8(std::uint8_t(p.motherRelation));
            WriteLenString(w, p.birthPlace);
            WriteLenString(w, p.deathPlace);
            writeEvent(w, p.baptism);
            writeEvent(w, p.burial);
        }
    }
    if (!doc.Partnerships().empty()) {
        w.u32(kStaSectionPartnerships);
        w.u32(kStaSectionRequired);
        w.u32(std::uint32_t(partnershipsContentSize(doc)));
        w.i32(std::int32_t(doc.Partnerships().size()));
        for (const Partnership& p : doc.Partnerships()) {
            w.u32(std::uint32_t(partnershipFields(p)));
            w.i32(p.first);
            w.i32(p.second);
            w.i32(p.firstRank);
            w.i32(p.secondRank);
            writeEvent(w, p.marriage);
            w.u8(p.divorced ? 1 : 0);
            writeEvent(w, p.divorce);
            if (p.married) w.u8(1);
        }
    }
    if (hasStaChartOptions(doc.chart)) {
        w.u32(kStaSectionChart);
        w.u32(0);
        w.u32(std::uint32_t(kChartContent));
        w.u8(std::uint8_t(doc.chart.lineStyle));
    }
    w.u32(kStaSectionEnd);
    w.u32(0);
    w.u32(0);
}

void readStaSections(StaReader& r, std::vector<TPerson>& persons,
                     std::vector<Partnership>& partnerships, ChartLayout& chart) {
    bool seenDetails = false, seenPartnerships = false, seenChart = false;
    for (;;) {
        const std::uint32_t tag = r.u32();
        const std::uint32_t flags = r.u32();
        const std::uint32_t length = r.u32();
        if (tag == kStaSectionEnd) {
            if (length != 0) throw StaError{kMsgDamaged};
            return;
        }
        if (length > r.left()) throw StaError{kMsgDamaged};
        const size_t start = r.left();
        if (tag == kStaSectionPersonDetails && !seenDetails) {
            seenDetails = true;
            readDetails(r, persons);
        } else if (tag == kStaSectionPartnerships && !seenPartnerships) {
            seenPartnerships = true;
            readPartnerships(r, std::int32_t(persons.size()), partnerships);
        } else if (tag == kStaSectionChart && !seenChart) {
            seenChart = true;
            readChart(r, chart);
        } else if (tag == kStaSectionPersonDetails || tag == kStaSectionPartnerships ||
                   tag == kStaSectionChart) {
            throw StaError{kMsgDamaged}; // twice
        } else if (flags & kStaSectionRequired) {
            throw StaError{kMsgNewerRevision};
        }
        endRecord(r, start, length);
    }
}

} // namespace lw
