#include "chart/FamilyLines.h"

#include "chart/MarriageText.h"

#include "document/Document.h"
#include "document/Layout.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <unordered_map>

namespace lw {

namespace {

// A finger on paper tells lines apart 5 pixels apart, and a line from a box
// when it keeps 4 pixels off the frame (whose last row is Bottom − 1).
constexpr std::int64_t kTrackPitch = 5; // between tracks of a gap between rows
constexpr std::int64_t kTrackFirst = 5; // from a box's bottom to the first track
constexpr std::int64_t kTrackLast = 4;  // from the last track to the next row's top
// The 9 pixels between the boxes of a row hold two vertical tracks, 4 and 6
// pixels off the frames on either side.
constexpr std::int64_t kColumnSlots = 2;
constexpr std::int64_t kPartnerSlot = 6; // between one person's several lines
constexpr int kSearchedGaps = 60;
// Siblings of one row with this many other boxes between them hang from bars
// of their own.
constexpr int kSplitBoxes = 3;

enum class Kind : std::uint8_t { Couple, Line };

// A height: a box edge or a family's track in a gap between rows (gap g
// lies below row g).
struct YRef {
    enum Type : std::uint8_t { BoxTop, BoxBottom, Track } type = Track;
    std::int64_t row = 0;
    int key = -1; // track key for Track
};

struct APoint {
    std::int64_t x;
    YRef y;
};

struct TrackKey {
    std::int64_t gap;
    std::int64_t lo, hi; // x extent of the family's pieces on it
    int track = 0;
    int above = -1; // a key whose track lies above this one (a split bar's line)
};

struct Family {
    int a = -1, b = -1;
    std::string date;
    std::vector<int> children;
};

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

class Planner {
  public:
    Planner(const Document& doc, const BoxLayout& box, ChartMargins margins)
        : doc_(doc), box_(box), grid_(box.BreitEd, box.HochEd, margins) {}

    FamilyLinePlan run() {
        collectFamilies();
        routeFamilies();
        assignTracks();
        return geometry();
    }

  private:
    // The person's cell when its box is drawn, else none.
    bool cellOf(int person, GridCell& cell) const {
        if (person < 0 || person >= doc_.PersonCount()) return false;
        const TPerson& p = doc_.person(person);
        if (p.GridX < 0 || p.GridX >= doc_.AreaWidth || p.GridY < 0 || p.GridY >= doc_.AreaHeight)
            return false;
        if (doc_.GridNr(p.GridX, p.GridY) != person) return false;
        cell = {p.GridX, p.GridY};
        return true;
    }
    std::int64_t centreX(GridCell c) const {
        return grid_.Left(c.col, c.row) + (grid_.W() - 9) / 2;
    }

    int familyOf(int a, int b) {
        const auto key = b < 0 ? std::pair(a, -1) : std::pair(std::min(a, b), std::max(a, b));
        auto found = byCouple_.find(key);
        if (found != byCouple_.end()) return found->second;
        families_.push_back({a, b, {}, {}});
        byCouple_.emplace(key, int(families_.size()) - 1);
        return int(families_.size()) - 1;
    }

    void collectFamilies() {
        for (const Partnership& p : doc_.Partnerships()) {
            const int a = doc_.validParent(-1, p.first), b = doc_.validParent(-1, p.second);
            if (a < 0 && b < 0) continue;
            const int f = a >= 0 && b >= 0 ? familyOf(a, b) : familyOf(a >= 0 ? a : b, -1);
            if (families_[size_t(f)].date.empty()) families_[size_t(f)].date = p.marriage.date;
        }
        for (int i = 0; i < doc_.PersonCount(); ++i) {
            const TPerson& p = doc_.person(i);
            const int v = doc_.validParent(i, p.Vater), m = doc_.validParent(i, p.Mutter);
            if (v < 0 && m < 0) continue;
            const int f =
                v >= 0 && m >= 0 && v != m ? familyOf(v, m) : familyOf(v >= 0 ? v : m, -1);
            families_[size_t(f)].children.push_back(i);
        }
        // A person's families, in the order met, give the person's slots.
        for (int f = 0; f < int(families_.size()); ++f)
            for (const int p : {families_[size_t(f)].a, families_[size_t(f)].b})
                if (p >= 0) slots_[p].push_back(f);
    }

    // How far from the middle of a box its several lines may stand.
    std::int64_t partnerRoom() const { return std::max<std::int64_t>(0, (grid_.W() - 9) / 2 - 3); }

    std::int64_t anchorX(int person, GridCell c, int family) {
        const std::vector<int>& mine = slots_[person];
        const std::int64_t n = std::int64_t(mine.size());
        const std::int64_t k = std::find(mine.begin(), mine.end(), family) - mine.begin();
        const std::int64_t room = partnerRoom();
        const std::int64_t offset = std::clamp((2 * k - (n - 1)) * kPartnerSlot / 2, -room, room);
        return centreX(c) + offset;
    }

    // Where a child's drop meets its box: the middle of its top edge; or,
    // rising into its bottom edge from a bar in its own row's gap, one slot
    // left of the person's own couple lines, which start there too.
    std::int64_t dropX(GridCell c, bool below) const {
        if (below) return centreX(c);
        const auto mine = slots_.find(doc_.GridNr(c.col, c.row));
        const std::int64_t n = mine == slots_.end() ? 0 : std::int64_t(mine->second.size());
        if (n == 0) return centreX(c);
        return centreX(c) - std::min(partnerRoom(), (n + 1) * kPartnerSlot / 2);
    }

    int trackKey(std::int64_t gap, int family, Kind kind) {
        const std::int64_t id = (gap * 2 + (kind == Kind::Line ? 1 : 0)) * 4'000'000'000LL + family;
        auto found = keyOf_.find(id);
        if (found != keyOf_.end()) return found->second;
        keys_.push_back({gap, INT64_MAX, INT64_MIN, 0});
        keyOf_.emplace(id, int(keys_.size()) - 1);
        return int(keys_.size()) - 1;
    }
    YRef track(std::int64_t gap, int family, Kind kind) {
        return {YRef::Track, gap, trackKey(gap, family, kind)};
    }

    // Whether a couple line of a box in the row above or below `row` leaves
    // that box's edge at x.
    bool startsCoupleLine(std::int64_t row, std::int64_t x) {
        for (const std::int64_t r : {row - 1, row + 1}) {
            if (r < 0 || r >= doc_.AreaHeight) continue;
            const std::int64_t col =
                floorDiv(x - centreX({0, std::int32_t(r)}) + grid_.W() / 2, grid_.W());
            if (col < 0 || col >= doc_.AreaWidth) continue;
            const GridCell cell{std::int32_t(col), std::int32_t(r)};
            const int person = doc_.GridNr(cell.col, cell.row);
            const auto mine = slots_.find(person);
            if (person < 0 || mine == slots_.end()) continue;
            for (const int f : mine->second)
                if (anchorX(person, cell, f) == x) return true;
        }
        return false;
    }

    // The x of a free vertical track through row `row` near `x`.
    std::int64_t columnGap(std::int64_t row, std::int64_t x, int family) {
        const std::int64_t W = grid_.W();
        const std::int64_t base = grid_.Left(0, row) + (W - 9) + 3; // slot 0 right of column 0
        const std::int64_t c0 = floorDiv(x - base + W / 2, W);
        for (int step = 0; step < kSearchedGaps; ++step) {
            const std::int64_t c = c0 + (step % 2 == 0 ? step / 2 : -(step + 1) / 2);
            std::vector<int>& users = columns_[row * 4'294'967'296LL + (c & 0xFFFFFFFFLL)];
            auto mine = std::find(users.begin(), users.end(), family);
            if (mine == users.end() && std::int64_t(users.size()) >= kColumnSlots) continue;
            if (mine == users.end()) {
                // A slot on which a couple line of the rows above or below
                // starts stays free.
                if (startsCoupleLine(row, base + c * W + 2 * std::int64_t(users.size()))) continue;
                mine = users.insert(users.end(), family);
            }
            return base + c * W + 2 * (mine - users.begin());
        }
        return base + c0 * W; // crowded beyond belief: share a track
    }

    // An x near `x` where no stub, drop or vertical track of gap `gap`
    // can stand: off the box middles (and a person's several lines beside
    // them) of the rows above and below, and off the gaps between boxes.
    std::int64_t clearX(std::int64_t gap, std::int64_t x) const {
        const std::int64_t W = grid_.W();
        auto taken = [&](std::int64_t v) {
            for (const std::int64_t row : {gap, gap + 1}) {
                const std::int64_t c = v - centreX({0, std::int32_t(row & 1)});
                const std::int64_t m = ((c % W) + W) % W;
                for (std::int64_t j = -4; j <= 4; ++j)
                    if (m == ((j * kPartnerSlot / 2) % W + W) % W) return true;
                const std::int64_t g = ((v - grid_.Left(0, row) - (W - 9) - 3) % W + W) % W;
                if (g <= 2 * (kColumnSlots - 1) && g % 2 == 0) return true;
            }
            return false;
        };
        for (std::int64_t d = 0; d < W; ++d) {
            if (!taken(x + d)) return x + d;
            if (!taken(x - d)) return x - d;
        }
        return x;
    }

    void add(int family, const APoint& p, const APoint& q) { lines_.push_back({family, p, q}); }

    // From x1 on the family's line track of gap g1 to x2 on that of gap g2,
    // crossing the rows between in their gaps between boxes. Returns the x
    // at which the route arrives in gap g2.
    std::int64_t route(int family, std::int64_t x1, std::int64_t g1, std::int64_t x2,
                       std::int64_t g2) {
        APoint cur{x1, track(g1, family, Kind::Line)};
        const std::int64_t dir = g2 > g1 ? 1 : -1;
        for (std::int64_t g = g1; g != g2; g += dir) {
            const std::int64_t row = dir > 0 ? g + 1 : g;
            const std::int64_t x = columnGap(row, x2, family);
            const APoint jog{x, cur.y};
            add(family, cur, jog);
            cur = {x, track(g + dir, family, Kind::Line)};
            add(family, jog, cur);
        }
        return cur.x;
    }

    // Whether the columns [from, to) of the row hold kSplitBoxes boxes.
    bool crowded(std::int64_t row, std::int64_t from, std::int64_t to) const {
        int boxes = 0;
        for (std::int64_t c = std::max<std::int64_t>(from, 0);
             c < std::min<std::int64_t>(to, doc_.AreaWidth) && boxes < kSplitBoxes; ++c)
            boxes += doc_.GridBesetzt(std::int32_t(c), std::int32_t(row)) ? 1 : 0;
        return boxes >= kSplitBoxes;
    }

    // Children of one row below the line `line`, which arrives at x `arrive`.
    // A bar spans its children only: where they stand in groups apart, or
    // apart from the arrival, with kSplitBoxes other boxes between, each
    // group hangs from a bar of its own on a lower track, which the line
    // reaches along its track at the group's end nearest the arrival (or at
    // the arrival over the group). Returns false where one bar serves.
    bool hangGroups(int f, const YRef& line, std::int64_t arrive, std::vector<GridCell>& cells) {
        if (cells.size() < 2) return false;
        std::sort(cells.begin(), cells.end(),
                  [](const GridCell& a, const GridCell& b) { return a.col < b.col; });
        const std::int64_t row = cells[0].row;
        std::vector<std::size_t> starts{0};
        for (std::size_t i = 1; i < cells.size(); ++i)
            if (crowded(row, cells[i - 1].col + 1, cells[i].col)) starts.push_back(i);
        if (starts.size() < 2) {
            const std::int64_t at = floorDiv(arrive - grid_.Left(0, row), grid_.W());
            const bool far =
                crowded(row, at, cells.front().col) || crowded(row, cells.back().col + 1, at + 1);
            if (!far) return false;
        }
        starts.push_back(cells.size());
        std::int64_t lo = arrive, hi = arrive;
        for (std::size_t k = 0; k + 1 < starts.size(); ++k) {
            const GridCell first = cells[starts[k]], last = cells[starts[k + 1] - 1];
            const std::int64_t left = centreX(first), right = centreX(last);
            const std::int64_t x = right < arrive ? right : left > arrive ? left : arrive;
            lo = std::min(lo, x);
            hi = std::max(hi, x);
            const YRef top{YRef::BoxTop, first.row};
            if (first == last) {
                add(f, {x, line}, {x, top}); // a lone child hangs from the line
                continue;
            }
            keys_.push_back({line.row, INT64_MAX, INT64_MIN, 0, line.key});
            const YRef bar{YRef::Track, line.row, int(keys_.size()) - 1};
            add(f, {x, line}, {x, bar});
            add(f, {std::min(left, x), bar}, {std::max(right, x), bar});
            bars_.push_back({f, bar, std::min(left, x), std::max(right, x), first.row,
                             int(starts[k + 1] - starts[k])});
            for (std::size_t i = starts[k]; i < starts[k + 1]; ++i)
                add(f, {centreX(cells[i]), bar}, {centreX(cells[i]), top});
        }
        if (lo != hi) add(f, {lo, line}, {hi, line});
        return true;
    }

    void routeFamilies() {
        for (int f = 0; f < int(families_.size()); ++f) {
            const Family& fam = families_[size_t(f)];
            GridCell ca, cb;
            const bool hasA = cellOf(fam.a, ca), hasB = cellOf(fam.b, cb);
            std::map<std::int64_t, std::vector<GridCell>> rows;
            for (const int child : fam.children) {
                GridCell c;
                if (cellOf(child, c)) rows[c.row].push_back(c);
            }
            if (!hasA && !hasB) continue;
            std::int64_t gap, mid;
            APoint descent;
            if (hasA && hasB) {
                // The lower partner's gap holds the couple line.
                const bool aUpper = ca.row < cb.row;
                const GridCell up = aUpper ? ca : cb, low = aUpper ? cb : ca;
                const std::int64_t xu = anchorX(aUpper ? fam.a : fam.b, up, f);
                const std::int64_t xl = anchorX(aUpper ? fam.b : fam.a, low, f);
                gap = low.row;
                const YRef couple = track(gap, f, Kind::Couple);
                std::int64_t xs = xu;
                if (up.row == low.row) {
                    add(f, {xu, {YRef::BoxBottom, up.row}}, {xu, couple});
                } else {
                    const APoint start{xu, track(up.row, f, Kind::Line)};
                    add(f, {xu, {YRef::BoxBottom, up.row}}, start);
                    xs = route(f, xu, up.row, xl, gap - 1);
                    const std::int64_t into = columnGap(gap, xl, f);
                    add(f, {xs, track(gap - 1, f, Kind::Line)},
                        {into, track(gap - 1, f, Kind::Line)});
                    add(f, {into, track(gap - 1, f, Kind::Line)}, {into, couple});
                    xs = into;
                }
                add(f, {xl, {YRef::BoxBottom, low.row}}, {xl, couple});
                add(f, {xs, couple}, {xl, couple});
                mid = clearX(gap, (xs + xl) / 2);
                if (!fam.date.empty())
                    dates_.push_back({f, gap, std::min(xs, xl), std::max(xs, xl), fam.date});
                descent = {mid, couple};
            } else {
                const GridCell c = hasA ? ca : cb;
                const int p = hasA ? fam.a : fam.b;
                gap = c.row;
                mid = anchorX(p, c, f);
                descent = {mid, {YRef::BoxBottom, c.row}};
            }
            bool first = true;
            for (auto& [row, cells] : rows) {
                const bool below = row > gap;
                const std::int64_t barGap = below ? row - 1 : row;
                std::int64_t lo = INT64_MAX, hi = INT64_MIN;
                for (const GridCell& c : cells) {
                    lo = std::min(lo, dropX(c, below));
                    hi = std::max(hi, dropX(c, below));
                }
                const YRef home = track(gap, f, Kind::Line);
                if (first) add(f, descent, {mid, home});
                first = false;
                const std::int64_t arrive = route(f, mid, gap, std::clamp(mid, lo, hi), barGap);
                const YRef bar = track(barGap, f, Kind::Line);
                if (below && hangGroups(f, bar, arrive, cells)) continue;
                // The bar reaches the line that comes down to it.
                lo = std::min(lo, arrive);
                hi = std::max(hi, arrive);
                if (lo != hi) {
                    add(f, {lo, bar}, {hi, bar});
                    bars_.push_back({f, bar, lo, hi, row, int(cells.size())});
                }
                for (const GridCell& c : cells)
                    add(f, {dropX(c, below), bar},
                        {dropX(c, below), {below ? YRef::BoxTop : YRef::BoxBottom, c.row}});
            }
        }
    }

    void assignTracks() {
        for (const Line& l : lines_)
            for (const APoint* p : {&l.p, &l.q})
                if (p->y.type == YRef::Track) {
                    TrackKey& k = keys_[size_t(p->y.key)];
                    k.lo = std::min(k.lo, p->x);
                    k.hi = std::max(k.hi, p->x);
                }
        // Per gap, lowest free track by interval: pieces on one track keep
        // 4 pixels apart.
        std::vector<int> order, late;
        for (std::size_t i = 0; i < keys_.size(); ++i)
            (keys_[i].above < 0 ? order : late).push_back(int(i));
        std::sort(order.begin(), order.end(), [&](int a, int b) {
            const TrackKey &ka = keys_[size_t(a)], &kb = keys_[size_t(b)];
            return ka.gap != kb.gap ? ka.gap < kb.gap : ka.lo < kb.lo;
        });
        std::vector<std::int64_t> ends;
        std::int64_t gap = INT64_MIN;
        for (const int i : order) {
            TrackKey& k = keys_[size_t(i)];
            if (k.gap != gap) {
                ends.clear();
                gap = k.gap;
            }
            std::size_t t = 0;
            while (t < ends.size() && ends[t] + 4 > k.lo)
                ++t;
            if (t == ends.size())
                ends.push_back(k.hi);
            else
                ends[t] = k.hi;
            k.track = int(t);
            maxTracks_ = std::max(maxTracks_, int(ends.size()));
        }
        if (!late.empty()) placeBelow(late);
    }

    // The split bars, each on the first track below its line where it keeps
    // 4 pixels off the pieces there.
    void placeBelow(std::vector<int>& late) {
        std::map<std::int64_t, std::vector<std::map<std::int64_t, std::int64_t>>> used;
        for (const int i : late)
            used[keys_[size_t(i)].gap];
        for (const TrackKey& k : keys_) {
            auto gap = used.find(k.gap);
            if (k.above >= 0 || gap == used.end()) continue;
            if (gap->second.size() <= size_t(k.track)) gap->second.resize(size_t(k.track) + 1);
            gap->second[size_t(k.track)].emplace(k.lo, k.hi);
        }
        std::sort(late.begin(), late.end(), [&](int a, int b) {
            const TrackKey &ka = keys_[size_t(a)], &kb = keys_[size_t(b)];
            return ka.gap != kb.gap ? ka.gap < kb.gap : ka.lo < kb.lo;
        });
        for (const int i : late) {
            TrackKey& k = keys_[size_t(i)];
            auto& tracks = used[k.gap];
            std::size_t t = size_t(keys_[size_t(k.above)].track) + 1;
            for (;; ++t) {
                if (tracks.size() <= t) tracks.resize(t + 1);
                const auto next = tracks[t].lower_bound(k.lo);
                if (next != tracks[t].end() && next->first < k.hi + 4) continue;
                if (next != tracks[t].begin() && std::prev(next)->second + 4 > k.lo) continue;
                break;
            }
            tracks[t].emplace(k.lo, k.hi);
            k.track = int(t);
            maxTracks_ = std::max(maxTracks_, int(t) + 1);
        }
    }

    FamilyLinePlan geometry() {
        FamilyLinePlan plan;
        const std::int64_t band = dates_.empty() ? 0 : familyDateHeight(box_) + 1;
        plan.rowSpacing = int(std::max<std::int64_t>(
            0, kTrackFirst + band + kTrackPitch * (maxTracks_ - 1) + kTrackLast - 9));
        const ChartGrid grid(box_.BreitEd, box_.HochEd, {grid_.RandLPix(), grid_.RandOPix()},
                             plan.rowSpacing);
        auto y = [&](const YRef& r) -> std::int64_t {
            switch (r.type) {
            case YRef::BoxTop:
                return grid.Top(r.row);
            case YRef::BoxBottom:
                return grid.Bottom(r.row);
            default:
                break;
            }
            const TrackKey& k = keys_[size_t(r.key)];
            return grid.Bottom(k.gap) + kTrackFirst + band + kTrackPitch * k.track;
        };
        for (const BarWish& b : bars_)
            plan.bars.push_back({y(b.y), b.lo, b.hi, std::int32_t(b.row), b.children, b.family});
        int current = -1;
        for (const Line& l : lines_) {
            const Point64 a{l.p.x, y(l.p.y)}, b{l.q.x, y(l.q.y)};
            if (a == b) continue;
            if (l.family != current) {
                current = l.family;
                plan.firstSegment.push_back(plan.segments.size());
                plan.bounds.push_back({a.x, a.y, a.x + 1, a.y + 1});
            }
            Rect64& r = plan.bounds.back();
            r = {std::min({r.left, a.x, b.x}), std::min({r.top, a.y, b.y}),
                 std::max({r.right, a.x + 1, b.x + 1}), std::max({r.bottom, a.y + 1, b.y + 1})};
            plan.segments.push_back({a, b, l.family});
        }
        // The marriage dates under the boxes, each where it fits: within its
        // couple line and clear of its neighbours in the gap.
        std::map<std::int64_t, std::vector<std::pair<std::int64_t, std::int64_t>>> taken;
        for (const DateWish& d : dates_) {
            const std::string text = marriageText(d.date);
            const std::int64_t w = marriageTextWidth(box_, text);
            if (w > d.hi - d.lo - 4) continue;
            const std::int64_t left = (d.lo + d.hi - w) / 2;
            auto& used = taken[d.gap];
            const bool clear = std::none_of(used.begin(), used.end(), [&](const auto& u) {
                return left < u.second + 4 && u.first < left + w + 4;
            });
            if (!clear) continue;
            used.emplace_back(left, left + w);
            plan.dates.push_back({{left, grid.Bottom(d.gap) + 2}, w, text, d.family});
        }
        return plan;
    }

    struct Line {
        int family;
        APoint p, q;
    };
    struct BarWish {
        int family;
        YRef y;
        std::int64_t lo, hi, row;
        int children;
    };
    struct DateWish {
        int family;
        std::int64_t gap, lo, hi;
        std::string date;
    };

    const Document& doc_;
    const BoxLayout& box_;
    ChartGrid grid_;
    std::vector<Family> families_;
    std::map<std::pair<int, int>, int> byCouple_;
    std::unordered_map<int, std::vector<int>> slots_;
    std::vector<TrackKey> keys_;
    std::unordered_map<std::int64_t, int> keyOf_;
    std::unordered_map<std::int64_t, std::vector<int>> columns_;
    std::vector<Line> lines_;
    std::vector<DateWish> dates_;
    std::vector<BarWish> bars_;
    int maxTracks_ = 0;
};

} // namespace

std::int64_t familyDateHeight(const BoxLayout& box) {
    return std::abs(box.font.Height) * 4 / 3 + 1;
}

bool usesFamilyLines(const Document& doc) {
    return doc.chart.lineStyle == LineStyle::FamilyLines;
}

int familyRowSpacing(const Document& doc, const BoxLayout& box) {
    if (!usesFamilyLines(doc)) return 0;
    return planFamilyLines(doc, box, {0, 0}).rowSpacing;
}

ChartGrid chartGridOf(const Document& doc, const BoxLayout& box, ChartMargins margins) {
    return ChartGrid(box.BreitEd, box.HochEd, margins, familyRowSpacing(doc, box));
}

namespace {

// What the plan depends on, folded into one number.
std::uint64_t fingerprint(const Document& doc, const BoxLayout& box) {
    std::uint64_t h = 1469598103934665603ULL;
    auto mix = [&h](std::uint64_t v) { h = (h ^ v) * 1099511628211ULL; };
    mix(std::uint64_t(box.BreitEd) << 32 | std::uint32_t(box.HochEd));
    mix(std::uint64_t(std::int64_t(box.font.Height)));
    mix(std::uint64_t(doc.AreaWidth) << 32 | std::uint32_t(doc.AreaHeight));
    for (const TPerson& p : doc.Persons()) {
        mix(std::uint64_t(std::uint32_t(p.GridX)) << 32 | std::uint32_t(p.GridY));
        mix(std::uint64_t(std::uint32_t(p.Vater)) << 32 | std::uint32_t(p.Mutter));
    }
    for (const Partnership& p : doc.Partnerships()) {
        mix(std::uint64_t(std::uint32_t(p.first)) << 32 | std::uint32_t(p.second));
        for (const char c : p.marriage.date)
            mix(std::uint8_t(c));
    }
    return h;
}

} // namespace

FamilyLinePlan planFamilyLines(const Document& doc, const BoxLayout& box, ChartMargins margins) {
    // A painting asks several times (size, grid, lines): the plan at zero
    // margins is kept for the last tree and shifted.
    thread_local std::uint64_t lastKey = 0;
    thread_local FamilyLinePlan last;
    const std::uint64_t key = fingerprint(doc, box);
    if (key != lastKey || last.bounds.empty()) {
        last = Planner(doc, box, {0, 0}).run();
        lastKey = key;
    }
    FamilyLinePlan plan = last;
    const Point64 d{margins.RandLPix, margins.RandOPix};
    for (FamilySegment& s : plan.segments) {
        s.a = {s.a.x + d.x, s.a.y + d.y};
        s.b = {s.b.x + d.x, s.b.y + d.y};
    }
    for (FamilyDate& t : plan.dates)
        t.at = {t.at.x + d.x, t.at.y + d.y};
    for (FamilyBar& b : plan.bars) {
        b.lo += d.x;
        b.hi += d.x;
        b.y += d.y;
    }
    for (Rect64& r : plan.bounds)
        r = {r.left + d.x, r.top + d.y, r.right + d.x, r.bottom + d.y};
    return plan;
}

} // namespace lw
