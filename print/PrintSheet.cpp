#include "print/PrintSheet.h"

#include "chart/ClippedPen.h"
#include "chart/FamilyBoxText.h"
#include "document/Document.h"
#include "document/Layout.h"
#include "picture/DrawDib.h"
#include "picture/PictureDecode.h"
#include "picture/PictureProblems.h"
#include "platform/Canvas.h"
#include "platform/DocText.h"
#include "platform/QPainterCanvas.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace lw {

namespace {

constexpr TColor kFatherColor = rgb(0, 128, 0);
constexpr TColor kMotherColor = rgb(255, 0, 0);
// Pixels beyond the pen that an outline may reach (its round caps).
constexpr std::int64_t kPenSlack = 2;
// A bound on the width of one character of text in font heights, for
// leaving out a heading that lies far left of a sheet.
constexpr std::int64_t kMaxCharWidths = 4;
constexpr std::int64_t kMinFontPixels = 16;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

std::int64_t ceilDiv(std::int64_t a, std::int64_t b) {
    return -floorDiv(-a, b);
}

bool fitsInt(std::int64_t v) {
    return v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max();
}

// Takes the moveTo and lineTo of a pen that works in chart pixels relative
// to `origin` and draws them on the printer canvas with every point mapped
// and shifted to the sheet. The pen only uses moveTo and lineTo; the rest
// passes through unchanged.
class MappedLineCanvas : public Canvas {
  public:
    MappedLineCanvas(Canvas& target, const PrintScale& scale, Point64 origin, Point64 sheet)
        : target_(target), scale_(scale), origin_(origin), sheet_(sheet) {}

    void moveTo(int x, int y) override { target_.moveTo(mapX(x), mapY(y)); }
    void lineTo(int x, int y) override { target_.lineTo(mapX(x), mapY(y)); }

    DeviceCaps deviceCaps() const override { return target_.deviceCaps(); }
    void setPen(TColor color, PenStyle style, int width) override {
        target_.setPen(color, style, width);
    }
    void setBrush(TColor color) override { target_.setBrush(color); }
    void setFont(const TFontInfo& font) override { target_.setFont(font); }
    void setTextBackground(TColor color) override { target_.setTextBackground(color); }
    void rectangle(int left, int top, int right, int bottom) override {
        target_.rectangle(left, top, right, bottom);
    }
    void textOut(int x, int y, const std::string& text) override { target_.textOut(x, y, text); }
    void drawText(const std::string& text, const QRect& rect, TextAlign align) override {
        target_.drawText(text, rect, align);
    }
    void setStretchBltMode(int mode) override { target_.setStretchBltMode(mode); }
    int stretchDIBits(int x, int y, int w, int h, int srcX, int srcY, int srcW, int srcH,
                      const TDibRecord& dib) override {
        return target_.stretchDIBits(x, y, w, h, srcX, srcY, srcW, srcH, dib);
    }
    int setDIBitsToDevice(int x, int y, int w, int h, int startLine, int lines,
                          const TDibRecord& dib) override {
        return target_.setDIBitsToDevice(x, y, w, h, startLine, lines, dib);
    }
    std::unique_ptr<DeviceBitmap> createCompatibleBitmap(int w, int h) override {
        return target_.createCompatibleBitmap(w, h);
    }
    int setDIBits(DeviceBitmap& bitmap, int startLine, int lines, const TDibRecord& dib) override {
        return target_.setDIBits(bitmap, startLine, lines, dib);
    }
    bool stretchBlt(int x, int y, int w, int h, const DeviceBitmap& bitmap, int srcX, int srcY,
                    int srcW, int srcH) override {
        return target_.stretchBlt(x, y, w, h, bitmap, srcX, srcY, srcW, srcH);
    }

  private:
    // The pen keeps its points within reach of the sheet, so they fit.
    int mapX(int x) const { return int(scale_.x(origin_.x + x) - sheet_.x); }
    int mapY(int y) const { return int(scale_.y(origin_.y + y) - sheet_.y); }

    Canvas& target_;
    PrintScale scale_;
    Point64 origin_;
    Point64 sheet_;
};

} // namespace

PictureFit printedPictureFit(const PrintScale& scale, int cellWidth, int picturePercent,
                             std::int64_t textLeft, std::int64_t textTop, std::int64_t textBottom,
                             std::int64_t pw, std::int64_t ph) {
    PictureFit fit;
    if (pw <= 0 || ph <= 0) return fit;
    double Q = double(cellWidth - 9) * scale.Px / scale.S;
    if (scale.num != scale.den) Q = Q * double(scale.num) / double(scale.den);
    const double A = picturePercent * Q / 100.0;
    const std::int64_t areaW = std::int64_t(std::trunc(A - 2)) - scale.map(2, scale.Px);
    const std::int64_t areaH = (textBottom - textTop) - scale.map(2, scale.Py);
    fit.w = areaW;
    fit.h = ph * fit.w / pw;
    if (fit.h > areaH) {
        fit.h = areaH;
        fit.w = pw * fit.h / ph;
    }
    fit.x = textLeft + 1 - std::int64_t(std::trunc(A)) + (areaW - fit.w) / 2;
    fit.y = textTop + 1 + (areaH - fit.h) / 2;
    return fit;
}

SheetPrinter::SheetPrinter(const SheetSetup& setup)
    : setup_(setup), grid_(chartGridOf(*setup.doc, *setup.box, setup.margins)),
      penWidth_(setup.scale.penWidth()), store_(setup.store ? *setup.store : ownStore_) {
    const Document& doc = *setup_.doc;
    ChartPaintInput input;
    input.doc = setup_.doc;
    input.box = setup_.box;
    input.screenDpi = setup_.scale.S;
    const ChartPainter preview(input, ChartMode::Preview);

    const std::int64_t far = std::numeric_limits<std::int64_t>::max() / 4;
    for (const PlacedBox& placed : preview.boxesIn(grid_, {-far, -far, far, far})) {
        const GridCell c = placed.cell;
        const Rect64 box{grid_.Left(c.col, c.row), grid_.Top(c.row), grid_.Right(c.col, c.row),
                         grid_.Bottom(c.row)};
        boxes_.push_back({placed, reachOf({box.left, box.top, box.right + 1, box.bottom + 1})});
    }

    families_ = usesFamilyLines(doc);
    if (families_) familyPlan_ = planFamilyLines(doc, *setup_.box, setup_.margins);
    for (int i = 0; i < doc.PersonCount() && !families_; ++i) {
        const TPerson& p = doc.person(i);
        for (const bool father : {true, false}) {
            const int parent = doc.drawnParent(i, father ? p.Vater : p.Mutter);
            if (parent < 0) continue;
            ParentLineRoute route(grid_, preview.FindGridPos(i), preview.FindGridPos(parent),
                                  father);
            const Rect64 reach = reachOf(route.bounds());
            const PrintScale& s = setup_.scale;
            lines_.push_back({route,
                              father,
                              reach,
                              {s.y(route.childEdge().y), s.y(route.S().y),
                               s.y(route.parentEdge().y), s.y(route.T().y), s.y(route.routeEnd().y),
                               s.y(route.yAfter(route.verticalSteps()))}});
        }
    }
}

Rect64 SheetPrinter::reachOf(const Rect64& r) const {
    const std::int64_t g = penWidth_ + kPenSlack;
    const PrintScale& s = setup_.scale;
    return {s.x(r.left) - g, s.y(r.top) - g, s.x(r.right) + g, s.y(r.bottom) + g};
}

SheetPrinter::Placement SheetPrinter::placementOf(std::int64_t OX, std::int64_t OY) const {
    return {{OX, OY, OX + setup_.pageWidth, OY + setup_.pageHeight},
            {OX - setup_.origin.x, OY - setup_.origin.y}};
}

void SheetPrinter::PrintSheet(Canvas& canvas, std::int64_t OX, std::int64_t OY) {
    struct All {
        std::size_t n;
        struct It {
            std::size_t i;
            std::size_t operator*() const { return i; }
            It& operator++() { return ++i, *this; }
            bool operator!=(const It& o) const { return i != o.i; }
        };
        It begin() const { return {0}; }
        It end() const { return {n}; }
    };
    draw(canvas, placementOf(OX, OY), All{boxes_.size()}, All{lines_.size()});
}

template <class Boxes, class Lines>
void SheetPrinter::draw(Canvas& canvas, const Placement& at, const Boxes& boxes,
                        const Lines& lines) {
    canvas.setBrush(clWhite);
    canvas.setPen(clWhite, PenStyle::Solid, penWidth_);
    printHeading(canvas, at);

    TFontInfo boxFont = setup_.box->font;
    boxFont.Height = setup_.scale.fontHeight(boxFont.Height);
    canvas.setFont(boxFont);
    for (const std::size_t i : boxes) {
        if (!boxes_[i].reach.intersects(at.sheet)) continue;
        if (families_) canvas.beginGroup("person");
        printBox(canvas, boxes_[i].placed, at);
        if (families_) canvas.endGroup();
    }

    for (const std::size_t i : lines)
        if (lines_[i].reach.intersects(at.sheet)) printLine(canvas, lines_[i], at);
    if (families_) printFamilies(canvas, at);
}

void SheetPrinter::PrintIndexedSheet(Canvas& canvas, SheetKey key) {
    std::vector<std::size_t> boxes, lines;
    for (const SheetIndex::Item& item : index_.itemsAt(key.row, key.col)) {
        if (item.kind == std::uint8_t(Kind::Box)) boxes.push_back(item.index);
        if (item.kind == std::uint8_t(Kind::Line)) lines.push_back(item.index);
    }
    draw(canvas, placementOf(key.col * sheets_.stepX, key.row * sheets_.stepY), boxes, lines);
}

std::pair<std::int64_t, std::int64_t> SheetPrinter::sheetRowsOf(std::int64_t top,
                                                                std::int64_t bottom) const {
    // Sheet r covers r·step … r·step + page − 1.
    return {floorDiv(top - setup_.pageHeight, sheets_.stepY) + 1,
            ceilDiv(bottom, sheets_.stepY) - 1};
}

std::pair<std::int64_t, std::int64_t> SheetPrinter::sheetColsOf(std::int64_t left,
                                                                std::int64_t right) const {
    return {floorDiv(left - setup_.pageWidth, sheets_.stepX) + 1,
            ceilDiv(right, sheets_.stepX) - 1};
}

void SheetPrinter::rectColumns(const Rect64& reach, std::int64_t row, SheetIndex::Item item,
                               std::vector<SheetIndex::Piece>& out) const {
    const auto [r0, r1] = sheetRowsOf(reach.top, reach.bottom);
    if (row < r0 || row > r1) return;
    const auto [c0, c1] = sheetColsOf(reach.left, reach.right);
    out.push_back({c0, c1, item});
}

void SheetPrinter::lineColumns(const LineItem& line, std::int64_t row, SheetIndex::Item item,
                               std::vector<SheetIndex::Piece>& out) const {
    const ParentLineRoute& route = line.route;
    const SheetGrid& g = sheets_;
    const Rect64& reach = line.reach;
    // A line over a few sheets is listed under all that its extent reaches.
    const std::int64_t spanCols = reach.right / g.stepX - reach.left / g.stepX + 2;
    const std::int64_t spanRows = reach.bottom / g.stepY - reach.top / g.stepY + 2;
    constexpr std::int64_t kFewSheets = 16;
    if (spanCols * spanRows <= kFewSheets || route.verticalSteps() < 1) {
        rectColumns(reach, row, item, out);
        return;
    }
    // A long one by its pieces: the stubs and the last piece have small
    // extents; the steps are followed row of sheets by row of sheets.
    const PrintScale& s = setup_.scale;
    const std::int64_t pen = penWidth_ + kPenSlack;
    // A pixel's height on paper, and one more: what a piece's bottom adds.
    const std::int64_t onePixel = s.y(1) + 1;
    auto piece = [&](Point64 a, Point64 b, std::int64_t mappedA, std::int64_t mappedB) {
        // Most rows are far from the ends: told from the mapped heights.
        const auto [near0, near1] = sheetRowsOf(std::min(mappedA, mappedB) - pen,
                                                std::max(mappedA, mappedB) + onePixel + pen);
        if (row < near0 || row > near1) return;
        rectColumns(reachOf({std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1,
                             std::max(a.y, b.y) + 1}),
                    row, item, out);
    };
    const auto& y = line.mappedY;
    piece(route.childEdge(), route.S(), y[0], y[1]);
    piece(route.parentEdge(), route.T(), y[2], y[3]);
    piece(route.routeEnd(), route.T(), y[4], y[3]);

    const std::int64_t steps = route.verticalSteps();
    const Point64 start = route.S();
    const std::int64_t stepY = route.yAfter(1) - start.y; // signed
    const auto [r0, r1] = sheetRowsOf(std::min(y[1], y[5]) - pen, std::max(y[1], y[5]) + pen + 1);
    if (row < r0 || row > r1) return;
    // The chart rows that can show on this row of sheets.
    if (row != bandRow_) {
        bandRow_ = row;
        bandTop_ = s.chartBefore(row * g.stepY - pen, s.Py);
        bandBottom_ = s.chartAfter(row * g.stepY + setup_.pageHeight + pen, s.Py);
    }
    const std::int64_t top = bandTop_;
    const std::int64_t bottom = bandBottom_;
    // Steps k = 1 … steps cover the heights between yAfter(k − 1) and
    // yAfter(k); those meeting top … bottom − 1.
    const std::int64_t a = stepY > 0 ? top - start.y : start.y - (bottom - 1);
    const std::int64_t b = stepY > 0 ? bottom - 1 - start.y : start.y - top;
    const std::int64_t dy = std::llabs(stepY);
    const std::int64_t first = std::max<std::int64_t>(1, ceilDiv(a, dy));
    const std::int64_t last = std::min(steps, floorDiv(b, dy) + 1);
    if (first > last) return;
    // The x of the steps first … last: monotone up to the turn, then
    // swinging between two values.
    const std::int64_t j0 = first - 1, j1 = std::min(last, steps - 1);
    std::int64_t lo = route.xAfter(j0), hi = lo;
    for (const std::int64_t j :
         {j1, std::clamp(route.turnStep(), j0, j1), std::clamp(route.turnStep() + 1, j0, j1)}) {
        lo = std::min(lo, route.xAfter(j));
        hi = std::max(hi, route.xAfter(j));
    }
    const auto [c0, c1] = sheetColsOf(s.x(lo) - pen, s.x(hi + 1) + pen);
    out.push_back({c0, c1, item});
}

Rect64 SheetPrinter::headingReach() const {
    // Measured in the printed font, and an em more on every side: where the
    // heading can put ink, for telling empty sheets.
    const Document& doc = *setup_.doc;
    const PrintScale& s = setup_.scale;
    TFontInfo font = doc.chart.headingFont;
    font.Height = s.fontHeight(font.Height);
    const QFontMetrics metrics(QPainterCanvas::toQFont(font));
    const std::int64_t em = std::max<std::int64_t>(std::llabs(font.Height), kMinFontPixels);
    const std::int64_t x = s.x(setup_.margins.RandLPix);
    const std::int64_t y = s.x(setup_.headingTop);
    return {x - em, y - em, x + metrics.horizontalAdvance(fromDocText(doc.chart.Caption)) + em,
            y + metrics.height() + em};
}

void SheetPrinter::indexSheets(const SheetGrid& grid, std::int64_t stopAbove) {
    sheets_ = grid;
    bandRow_ = -1;
    const bool heading = !setup_.doc->chart.Caption.empty();
    if (heading) headingReach_ = headingReach();
    index_ = SheetIndex(
        grid.rows, grid.cols,
        [this](SheetIndex::Item item, std::int64_t row, std::vector<SheetIndex::Piece>& out) {
            switch (Kind(item.kind)) {
            case Kind::Heading:
                rectColumns(headingReach_, row, item, out);
                break;
            case Kind::Box:
                rectColumns(boxes_[item.index].reach, row, item, out);
                break;
            case Kind::Line:
                lineColumns(lines_[item.index], row, item, out);
                break;
            }
        });
    auto add = [&](Kind kind, std::uint32_t i, const Rect64& reach) {
        const auto [r0, r1] = sheetRowsOf(reach.top, reach.bottom);
        index_.add({std::uint8_t(kind), i}, r0, r1);
    };
    if (heading) add(Kind::Heading, 0, headingReach_);
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        add(Kind::Box, std::uint32_t(i), boxes_[i].reach);
    for (std::size_t i = 0; i < lines_.size(); ++i)
        add(Kind::Line, std::uint32_t(i), lines_[i].reach);
    index_.finish(stopAbove);
}

void SheetPrinter::printHeading(Canvas& canvas, const Placement& at) {
    const Document& doc = *setup_.doc;
    const PrintScale& s = setup_.scale;
    TFontInfo font = doc.chart.headingFont;
    font.Height = s.fontHeight(font.Height);
    canvas.setFont(font);

    // The heading's top is scaled with the horizontal resolution, like the
    // font heights.
    const std::int64_t x = s.x(setup_.margins.RandLPix);
    const std::int64_t y = s.x(setup_.headingTop);
    const std::int64_t em = std::max<std::int64_t>(std::llabs(font.Height), kMinFontPixels);
    const std::int64_t reachX = (std::int64_t(doc.chart.Caption.size()) + 1) * kMaxCharWidths * em;
    const std::int64_t reachY = kMaxCharWidths * em;
    const Rect64& sheet = at.sheet;
    if (x >= sheet.right || y >= sheet.bottom || x + reachX < sheet.left ||
        y + reachY < sheet.top || !fitsInt(x - at.shift.x) || !fitsInt(y - at.shift.y))
        return;
    canvas.setTextBackground(clWhite);
    canvas.textOut(int(x - at.shift.x), int(y - at.shift.y), doc.chart.Caption);
}

PictureNeed printedPictureNeed(const PrintScale& scale, int cellWidth, int cellHeight,
                               int picturePercent) {
    double Q = double(cellWidth - 9) * scale.Px / scale.S;
    if (scale.num != scale.den) Q = Q * double(scale.num) / double(scale.den);
    const double A = picturePercent * Q / 100.0;
    PictureNeed need;
    need.areaWidth = std::int64_t(std::trunc(A - 2)) - scale.map(2, scale.Px);
    // The text rectangle is H − 13 screen pixels high.
    need.areaHeight = scale.map(std::int64_t(cellHeight) - 13, scale.Py) - scale.map(2, scale.Py);
    need.devicePpi = std::max(scale.Px, scale.Py);
    return need;
}

std::optional<PictureRequest> SheetPrinter::pictureRequest(int person) const {
    const Document& doc = *setup_.doc;
    const TPerson& p = doc.person(person);
    const BoxLayout& box = *setup_.box;
    if (box.BildEd <= 0 || p.Bild.empty() || failedPictures_.count(person) != 0 ||
        jobPictures_.count(person) != 0)
        return {};
    return PictureRequest{pictureFileName(p.Bild, doc.FileName),
                          printedPictureNeed(setup_.scale, box.BreitEd, box.HochEd, box.BildEd)};
}

void SheetPrinter::preparePictures() {
    // The boxes in the order the sheets draw them: by the first sheet each
    // reaches (without an index, row by row).
    struct First {
        SheetKey key;
        bool reaches;
        std::uint32_t index;
    };
    std::vector<First> firsts;
    firsts.reserve(boxes_.size());
    const SheetGrid& g = sheets_;
    for (std::uint32_t i = 0; i < boxes_.size(); ++i) {
        const Rect64& reach = boxes_[i].reach;
        auto [r0, r1] = sheetRowsOf(reach.top, reach.bottom);
        auto [c0, c1] = sheetColsOf(reach.left, reach.right);
        r0 = std::max<std::int64_t>(r0, 0);
        c0 = std::max<std::int64_t>(c0, 0);
        const bool reaches = r0 <= std::min(r1, g.rows - 1) && c0 <= std::min(c1, g.cols - 1);
        firsts.push_back({reaches ? SheetKey{r0, c0} : SheetKey{}, reaches, i});
    }
    std::stable_sort(firsts.begin(), firsts.end(), [](const First& a, const First& b) {
        if (a.reaches != b.reaches) return a.reaches;
        return a.reaches && a.key < b.key;
    });
    std::vector<std::uint32_t> order;
    order.reserve(firsts.size());
    for (const First& f : firsts)
        order.push_back(f.index);
    std::vector<PictureRequest> toRead;
    std::unordered_set<PictureRequest, PictureRequestHash> asked;
    for (const std::uint32_t i : order) {
        std::optional<PictureRequest> request = pictureRequest(boxes_[i].placed.person);
        if (request && !store_.find(*request, stampOf(request->path)).known() &&
            asked.insert(*request).second)
            toRead.push_back(std::move(*request));
    }
    readAhead_.start(std::move(toRead), setup_.progress);
}

PictureRef SheetPrinter::ensurePicture(int person) {
    const Document& doc = *setup_.doc;
    const auto held = jobPictures_.find(person);
    if (held != jobPictures_.end()) return held->second;
    const TPerson& p = doc.person(person);
    const QString path = p.Bild.empty() ? QString() : pictureFileName(p.Bild, doc.FileName);
    const std::optional<PictureRequest> request = pictureRequest(person);
    if (!request) return path.isEmpty() ? nullptr : store_.shown(path);
    if (std::optional<DecodedPicture> read = readAhead_.take(*request))
        store_.keep(*request, read->stamp, read->picture);

    const FileStamp stamp = stampOf(request->path);
    if (!stamp.exists()) reportPictureProblem(PictureProblem::Missing, request->path);
    PictureCache::Found found = store_.find(*request, stamp);
    if (!found.known() && stamp.exists()) {
        const DecodedPicture decoded = decodePicture(*request, nullptr, setup_.progress);
        store_.keep(*request, decoded.stamp, decoded.picture);
        found.picture = decoded.picture;
    }
    if (!found.picture) {
        failedPictures_.insert(person);
        return store_.shown(path);
    }
    jobPictures_.emplace(person, found.picture);
    if (!store_.shown(path)) store_.show(path, found.picture);
    return found.picture;
}

void SheetPrinter::printBox(Canvas& canvas, const PlacedBox& placed, const Placement& at) {
    const Rect64& sheet = at.sheet;
    const BoxLayout& box = *setup_.box;
    const PrintScale& s = setup_.scale;
    const GridCell c = placed.cell;
    const std::int64_t left = grid_.Left(c.col, c.row);
    const std::int64_t top = grid_.Top(c.row);
    const std::int64_t right = grid_.Right(c.col, c.row);
    const std::int64_t bottom = grid_.Bottom(c.row);
    // Sheet pixels of a chart pixel value.
    auto sx = [&](std::int64_t v) { return s.x(v) - at.shift.x; };
    auto sy = [&](std::int64_t v) { return s.y(v) - at.shift.y; };
    if (!fitsInt(sx(left)) || !fitsInt(sx(right)) || !fitsInt(sy(top)) || !fitsInt(sy(bottom)))
        return;

    canvas.setBrush(box.bkColor);
    canvas.setPen(box.borderColor, PenStyle::Solid, penWidth_);
    canvas.rectangle(int(sx(left)), int(sy(top)), int(sx(right)), int(sy(bottom)));

    const PictureRef picture = ensurePicture(placed.person);
    const TPerson& p = setup_.doc->person(placed.person);
    const TDibRecord dib = picture ? picture->dib() : TDibRecord{};
    const QSize source = picture ? picture->sourceSize() : QSize();
    const bool hasPicture = !dib.empty();

    const Rect64 text = boxTextRect(box, {left, top, right, bottom}, hasPicture);
    const int align = box.Textausricht;
    if (align >= 0 && align <= 2 && fitsInt(sx(text.left))) {
        canvas.setTextBackground(box.bkColor);
        const QRect rect(int(sx(text.left)), int(sy(text.top)), int(sx(text.right) - sx(text.left)),
                         int(sy(text.bottom) - sy(text.top)));
        TFontInfo font = box.font;
        font.Height = s.fontHeight(font.Height);
        drawBoxText(canvas, p, box, font, rect,
                    setup_.doc->chart.lineStyle == LineStyle::FamilyLines, align);
    }

    if (!hasPicture) return;
    PictureFit fit = printedPictureFit(s, box.BreitEd, box.BildEd, s.x(text.left), s.y(text.top),
                                       s.y(text.bottom), source.width(), source.height());
    const Rect64 placedPicture{fit.x, fit.y, fit.x + fit.w, fit.y + fit.h};
    if (!fit.drawable() || !placedPicture.intersects(sheet)) return;
    fit.x -= at.shift.x;
    fit.y -= at.shift.y;
    if (!fitsInt(fit.x) || !fitsInt(fit.y) || !fitsInt(fit.x + fit.w) || !fitsInt(fit.y + fit.h))
        return;
    DrawDib(canvas, int(fit.x), int(fit.y), int(fit.w), int(fit.h), dib, setup_.dialogs);
}

void SheetPrinter::printLine(Canvas& canvas, const LineItem& line, const Placement& at) {
    const PrintScale& s = setup_.scale;
    const Rect64& sheet = at.sheet;
    // The chart pixels that can land on the sheet or within a pen's width of
    // it: the line is cut there, and the cut ends stay off the sheet.
    const Rect64 reach = sheet.grown(penWidth_ + kPenSlack);
    Rect64 clip;
    // The chart pixels whose mapped values can fall into the reach (a
    // little more).
    clip = {s.chartBefore(reach.left, s.Px), s.chartBefore(reach.top, s.Py),
            s.chartAfter(reach.right, s.Px), s.chartAfter(reach.bottom, s.Py)};
    const Point64 origin{clip.left, clip.top};

    canvas.setPen(line.father ? kFatherColor : kMotherColor, PenStyle::Solid, penWidth_);
    MappedLineCanvas mapped(canvas, s, origin, at.shift);
    ClippedPen pen(mapped, origin, clip);
    line.route.draw(pen);
}

void SheetPrinter::printFamilies(Canvas& canvas, const Placement& at) {
    const PrintScale& s = setup_.scale;
    const Rect64 reach = at.sheet.grown(penWidth_ + kPenSlack);
    const Rect64 clip{s.chartBefore(reach.left, s.Px), s.chartBefore(reach.top, s.Py),
                      s.chartAfter(reach.right, s.Px), s.chartAfter(reach.bottom, s.Py)};
    const Point64 origin{clip.left, clip.top};
    const FamilyLinePlan& plan = familyPlan_;
    for (std::size_t f = 0; f < plan.bounds.size(); ++f) {
        if (!plan.bounds[f].grown(40).intersects(clip)) continue;
        const int family = plan.segments[plan.firstSegment[f]].family;
        canvas.beginGroup("family");
        // The dates come family by family.
        auto d = std::lower_bound(plan.dates.begin(), plan.dates.end(), family,
                                  [](const FamilyDate& a, int f) { return a.family < f; });
        for (; d != plan.dates.end() && d->family == family; ++d) {
            const std::int64_t x = s.x(d->at.x) - at.shift.x, y = s.y(d->at.y) - at.shift.y;
            if (fitsInt(x) && fitsInt(y) &&
                clip.intersects({d->at.x, d->at.y, d->at.x + d->width, d->at.y + 20}))
                canvas.textOut(int(x), int(y), d->text);
        }
        canvas.setPen(rgb(0, 0, 0), PenStyle::Solid, penWidth_);
        MappedLineCanvas mapped(canvas, s, origin, at.shift);
        ClippedPen pen(mapped, origin, clip);
        drawFamilySegments(pen, plan, f);
        canvas.endGroup();
    }
}

} // namespace lw
