#include "chart/ChartPainter.h"

#include "chart/ClippedPen.h"
#include "chart/FamilyLines.h"
#include "chart/ParentLine.h"
#include "chart/PersonBox.h"
#include "document/Document.h"
#include "document/Layout.h"
#include "platform/Canvas.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace lw {

namespace {

constexpr std::int64_t kChartSpace = 20; // beyond the last cell, right and below
constexpr TColor kGuideColor = rgb(0, 0, 255);
constexpr TColor kFatherColor = rgb(0, 128, 0);
constexpr TColor kMotherColor = rgb(255, 0, 0);
// How far beyond the exposed pixels lines are kept, so that their left-out
// end points and cut starts never show.
constexpr std::int64_t kClipSlack = 2;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

bool reachable(std::int64_t v) {
    return v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max();
}

} // namespace

PrinterFacts PrinterFacts::a4(int dpi) {
    const int margin = dpi / 6;
    PrinterFacts f;
    f.dpiX = dpi;
    f.dpiY = dpi;
    f.pageWidth = int(std::trunc(210.0 * dpi / 25.4)) - 2 * margin;
    f.pageHeight = int(std::trunc(297.0 * dpi / 25.4)) - 2 * margin;
    return f;
}

Point64 chartExtent(const Document& doc, const BoxLayout& box, const ChartMargins& margins) {
    const std::int64_t pitchY = std::int64_t(box.HochEd) + familyRowSpacing(doc, box);
    return {std::int64_t(box.BreitEd) * doc.AreaWidth + margins.RandLPix + kChartSpace,
            pitchY * doc.AreaHeight + margins.RandOPix + kChartSpace};
}

int pictureScaleFor(int zoomPercent) {
    return zoomPercent <= 100 ? 1 : zoomPercent <= 200 ? 2 : 4;
}

ChartMargins chartMargins(const Document& doc, int screenDpi) {
    return {marginPixels(doc.chart.RandLEd, screenDpi), marginPixels(doc.chart.RandOEd, screenDpi)};
}

GridCell ChartPainter::FindGridPos(int person) const {
    const Document& doc = *in_.doc;
    std::int32_t x, y;
    doc.GetGridPos(person, x, y);
    if (x >= 0 && x < doc.AreaWidth && y >= 0 && y < doc.AreaHeight && doc.GridBesetzt(x, y) &&
        doc.GridNr(x, y) == person)
        return {x, y};
    return {-1, -1};
}

GridCell ChartPainter::lineCell(int person) const {
    if (mode_ == ChartMode::Preview) return FindGridPos(person);
    GridCell cell;
    in_.doc->GetGridPos(person, cell.col, cell.row);
    return cell;
}

std::vector<PlacedBox> ChartPainter::boxesIn(const ChartGrid& grid, const Rect64& area) const {
    const Document& doc = *in_.doc;
    std::vector<PlacedBox> boxes;
    for (int i = 0; i < doc.PersonCount(); ++i) {
        const TPerson& p = doc.person(i);
        if (p.GridX < 0 || p.GridX >= doc.AreaWidth || p.GridY < 0 || p.GridY >= doc.AreaHeight)
            continue;
        const Rect64 box{grid.Left(p.GridX, p.GridY), grid.Top(p.GridY),
                         grid.Right(p.GridX, p.GridY), grid.Bottom(p.GridY)};
        if (!box.intersects(area) || doc.GridNr(p.GridX, p.GridY) != i) continue;
        boxes.push_back({{p.GridX, p.GridY}, i});
    }
    std::sort(boxes.begin(), boxes.end(), [](const PlacedBox& a, const PlacedBox& b) {
        return a.cell.row != b.cell.row ? a.cell.row < b.cell.row : a.cell.col < b.cell.col;
    });
    return boxes;
}

void ChartPainter::DrawParentLine(ClippedPen& pen, const ChartGrid& grid, int child, int parent,
                                  bool father) const {
    const GridCell from = lineCell(child), to = lineCell(parent);
    // Most lines of a large chart lie wholly above or below the painted
    // rows; they are passed over before their route is worked out.
    const auto [top, bottom] = ParentLineRoute::heightBand(grid, from, to);
    if (bottom <= pen.clip().top || top >= pen.clip().bottom) return;
    const ParentLineRoute route(grid, from, to, father);
    if (!pen.sees(route.bounds())) return;
    pen.canvas().setPen(father ? kFatherColor : kMotherColor, PenStyle::Solid, 1);
    route.draw(pen);
}

void ChartPainter::paintPageGuides(ClippedPen& pen, Point64 size) const {
    const std::int64_t s = in_.screenDpi;
    const std::int64_t p = in_.printer.dpiX;
    if (p <= 0) return;
    const std::int64_t pageW = s * in_.printer.pageWidth / p;
    const std::int64_t pageH = s * in_.printer.pageHeight / p;
    const Rect64& clip = pen.clip();
    if (pageW > 0) {
        const std::int64_t first = std::max<std::int64_t>(1, floorDiv(clip.left - 1, pageW) + 1);
        const std::int64_t last = std::min(size.x / pageW, floorDiv(clip.right - 1, pageW));
        for (std::int64_t k = first; k <= last; ++k)
            pen.line({k * pageW, 0}, {k * pageW, size.y});
    }
    if (pageH > 0) {
        const std::int64_t first = std::max<std::int64_t>(1, floorDiv(clip.top - 1, pageH) + 1);
        const std::int64_t last = std::min(size.y / pageH, floorDiv(clip.bottom - 1, pageH));
        for (std::int64_t k = first; k <= last; ++k)
            pen.line({0, k * pageH}, {size.x, k * pageH});
    }
}

Point64 ChartPainter::paint(Canvas& canvas, ChartMargins& margins, const Rect64& exposed,
                            Point64 origin) {
    const Document& doc = *in_.doc;
    const BoxLayout& box = *in_.box;

    // The paint box is sized with the margins of the previous painting;
    // nothing is drawn beyond it.
    const Point64 size = chartExtent(doc, box, margins);
    const Rect64 paintBox{0, 0, size.x, size.y};
    margins = chartMargins(doc, in_.screenDpi);
    if (!exposed.intersects(paintBox)) return size;
    const Rect64 clip = exposed.intersected(paintBox).grown(kClipSlack);
    ClippedPen pen(canvas, origin, clip);

    canvas.setPen(clWhite);
    canvas.setBrush(clWhite);
    const Rect64 background = paintBox.intersected(clip);
    canvas.rectangle(int(background.left - origin.x), int(background.top - origin.y),
                     int(background.right - origin.x), int(background.bottom - origin.y));

    const int headingTop = marginPixels(doc.chart.RandOED2, in_.screenDpi);
    const bool families = usesFamilyLines(doc);
    FamilyLinePlan plan;
    if (families) plan = planFamilyLines(doc, box, margins);
    const ChartGrid grid(box.BreitEd, box.HochEd, margins, plan.rowSpacing);

    canvas.setPen(kGuideColor, PenStyle::Dot);
    paintPageGuides(pen, size);
    canvas.setPen(kGuideColor, PenStyle::Solid);

    canvas.setFont(doc.chart.headingFont);
    canvas.setTextBackground(clWhite);
    const std::int64_t headingX = std::int64_t(margins.RandLPix) - origin.x;
    const std::int64_t headingY = std::int64_t(headingTop) - origin.y;
    if (margins.RandLPix < clip.right && headingTop < clip.bottom && reachable(headingX) &&
        reachable(headingY))
        canvas.textOut(int(headingX), int(headingY), doc.chart.Caption);

    canvas.setFont(box.font);
    PictureStore ownStore; // for a painting without a store of its own
    PersonBoxPainter boxes(doc, in_.store ? *in_.store : ownStore, box, grid, in_.progress,
                           in_.dialogs, in_.pictures, in_.pictureScale);
    const std::vector<PlacedBox> placed = boxesIn(grid, clip);
    std::vector<int> persons;
    for (const PlacedBox& b : placed)
        persons.push_back(b.person);
    boxes.preparePictures(persons);
    for (const PlacedBox& b : placed)
        boxes.DrawPersonBox(canvas, b.cell.col, b.cell.row, b.person, origin);

    if (families) {
        paintFamilyLines(pen, plan, box);
        return size;
    }
    for (int i = 0; i < doc.PersonCount(); ++i) {
        const TPerson& p = doc.person(i);
        const int father = doc.drawnParent(i, p.Vater);
        if (father >= 0) DrawParentLine(pen, grid, i, father, true);
        const int mother = doc.drawnParent(i, p.Mutter);
        if (mother >= 0) DrawParentLine(pen, grid, i, mother, false);
    }
    return size;
}

Point64 PaintBox1Paint(Canvas& canvas, const ChartPaintInput& input, ChartMargins& margins,
                       const Rect64& exposed, Point64 origin) {
    return ChartPainter(input, ChartMode::Arrange).paint(canvas, margins, exposed, origin);
}

Point64 PrintPaintBoxPaint(Canvas& canvas, const ChartPaintInput& input, ChartMargins& margins,
                           const Rect64& exposed, Point64 origin) {
    return ChartPainter(input, ChartMode::Preview).paint(canvas, margins, exposed, origin);
}

} // namespace lw
