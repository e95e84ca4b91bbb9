#include "print/PrintSheet.h"

#include "chart/ClippedPen.h"
#include "document/Document.h"
#include "document/Layout.h"
#include "picture/DrawDib.h"
#include "picture/PictureDecode.h"
#include "platform/Canvas.h"
#include "platform/Win1252.h"

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

// The chart pixels whose mapped values can fall into the printer pixels
// lo … hi − 1 (a little more), for `perInch` printer pixels per inch.
void chartSpan(std::int64_t lo, std::int64_t hi, int screenDpi, int perInch, std::int64_t& from,
               std::int64_t& to) {
    from = floorDiv((lo - 1) * screenDpi, perInch) - 1;
    to = ceilDiv(hi * screenDpi, perInch) + 1;
}

} // namespace

PictureFit printedPictureFit(const PrintScale& scale, int cellWidth, int picturePercent,
                             std::int64_t textLeft, std::int64_t textTop, std::int64_t textBottom,
                             std::int64_t pw, std::int64_t ph) {
    PictureFit fit;
    if (pw <= 0 || ph <= 0) return fit;
    const double Q = double(cellWidth - 9) * scale.Px / scale.S;
    const double A = picturePercent * Q / 100.0;
    const std::int64_t areaW =
        std::int64_t(std::trunc(A - 2)) - (2 * std::int64_t(scale.Px)) / scale.S;
    const std::int64_t areaH = (textBottom - textTop) - (2 * std::int64_t(scale.Py)) / scale.S;
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
    : setup_(setup), grid_(setup.box->BreitEd, setup.box->HochEd, setup.margins),
      penWidth_(setup.scale.penWidth()) {
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

    for (int i = 0; i < doc.PersonCount(); ++i) {
        const TPerson& p = doc.person(i);
        for (const bool father : {true, false}) {
            const int parent = doc.validParent(i, father ? p.Vater : p.Mutter);
            if (parent < 0) continue;
            ParentLineRoute route(grid_, preview.FindGridPos(i), preview.FindGridPos(parent),
                                  father);
            const Rect64 reach = reachOf(route.bounds());
            lines_.push_back({route, father, reach});
        }
    }
}

Rect64 SheetPrinter::reachOf(const Rect64& r) const {
    const std::int64_t g = penWidth_ + kPenSlack;
    const PrintScale& s = setup_.scale;
    return {s.x(r.left) - g, s.y(r.top) - g, s.x(r.right) + g, s.y(r.bottom) + g};
}

void SheetPrinter::selectBand(std::int64_t OY) {
    if (haveBand_ && bandTop_ == OY) return;
    haveBand_ = true;
    bandTop_ = OY;
    const std::int64_t bottom = OY + setup_.pageHeight;
    bandBoxes_.clear();
    bandLines_.clear();
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        if (boxes_[i].reach.top < bottom && boxes_[i].reach.bottom > OY) bandBoxes_.push_back(i);
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].reach.top < bottom && lines_[i].reach.bottom > OY) bandLines_.push_back(i);
}

void SheetPrinter::PrintSheet(Canvas& canvas, std::int64_t OX, std::int64_t OY) {
    const Rect64 sheet{OX, OY, OX + setup_.pageWidth, OY + setup_.pageHeight};
    selectBand(OY);

    canvas.setBrush(clWhite);
    canvas.setPen(clWhite, PenStyle::Solid, penWidth_);
    printHeading(canvas, sheet);

    TFontInfo boxFont = setup_.box->font;
    boxFont.Height = setup_.scale.fontHeight(boxFont.Height);
    canvas.setFont(boxFont);
    for (const std::size_t i : bandBoxes_)
        if (boxes_[i].reach.intersects(sheet)) printBox(canvas, boxes_[i].placed, sheet);

    for (const std::size_t i : bandLines_)
        if (lines_[i].reach.intersects(sheet)) printLine(canvas, lines_[i], sheet);
}

void SheetPrinter::printHeading(Canvas& canvas, const Rect64& sheet) {
    const Document& doc = *setup_.doc;
    const PrintScale& s = setup_.scale;
    TFontInfo font = doc.chart.headingFont;
    font.Height = s.fontHeight(font.Height);
    canvas.setFont(font);

    // The heading's top is scaled with the horizontal resolution, like the
    // font heights.
    const std::int64_t x = s.x(setup_.margins.RandLPix) - sheet.left;
    const std::int64_t y = s.x(setup_.headingTop) - sheet.top;
    const std::int64_t em = std::max<std::int64_t>(std::llabs(font.Height), kMinFontPixels);
    const std::int64_t reachX = (std::int64_t(doc.chart.Caption.size()) + 1) * kMaxCharWidths * em;
    const std::int64_t reachY = kMaxCharWidths * em;
    if (x >= sheet.right - sheet.left || y >= sheet.bottom - sheet.top || x + reachX < 0 ||
        y + reachY < 0 || !fitsInt(x) || !fitsInt(y))
        return;
    canvas.setTextBackground(clWhite);
    canvas.textOut(int(x), int(y), doc.chart.Caption);
}

PictureNeed printedPictureNeed(const PrintScale& scale, int cellWidth, int cellHeight,
                               int picturePercent) {
    const double Q = double(cellWidth - 9) * scale.Px / scale.S;
    const double A = picturePercent * Q / 100.0;
    PictureNeed need;
    need.areaWidth = std::int64_t(std::trunc(A - 2)) - (2 * std::int64_t(scale.Px)) / scale.S;
    // The text rectangle is H − 13 screen pixels high.
    need.areaHeight = (std::int64_t(cellHeight) - 13) * scale.Py / scale.S -
                      (2 * std::int64_t(scale.Py)) / scale.S;
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
    Document& doc = *setup_.doc;
    std::vector<PictureRequest> toRead;
    for (const BoxItem& item : boxes_) {
        const std::optional<PictureRequest> request = pictureRequest(item.placed.person);
        if (request && !doc.pictures().find(*request, stampOf(request->path)).known() &&
            std::find(toRead.begin(), toRead.end(), *request) == toRead.end())
            toRead.push_back(*request);
    }
    const std::vector<DecodedPicture> decoded = decodeAll(toRead, nullptr, setup_.progress);
    for (std::size_t i = 0; i < toRead.size(); ++i)
        doc.keepPicture(toRead[i], decoded[i].stamp, decoded[i].picture);
    for (const BoxItem& item : boxes_) ensurePicture(item.placed.person);
}

PictureRef SheetPrinter::ensurePicture(int person) {
    Document& doc = *setup_.doc;
    const auto held = jobPictures_.find(person);
    if (held != jobPictures_.end()) return held->second;
    const std::optional<PictureRequest> request = pictureRequest(person);
    if (!request) return doc.person(person).picture;

    const FileStamp stamp = stampOf(request->path);
    PictureCache::Found found = doc.pictures().find(*request, stamp);
    if (!found.known() && stamp.exists()) {
        const DecodedPicture decoded = decodePicture(*request, nullptr, setup_.progress);
        doc.keepPicture(*request, decoded.stamp, decoded.picture);
        found.picture = decoded.picture;
    }
    if (!found.picture) {
        failedPictures_.insert(person);
        return doc.person(person).picture;
    }
    jobPictures_.emplace(person, found.picture);
    if (doc.person(person).Dib.empty()) doc.storePicture(person, found.picture);
    return found.picture;
}

void SheetPrinter::printBox(Canvas& canvas, const PlacedBox& placed, const Rect64& sheet) {
    const BoxLayout& box = *setup_.box;
    const PrintScale& s = setup_.scale;
    const GridCell c = placed.cell;
    const std::int64_t left = grid_.Left(c.col, c.row);
    const std::int64_t top = grid_.Top(c.row);
    const std::int64_t right = grid_.Right(c.col, c.row);
    const std::int64_t bottom = grid_.Bottom(c.row);
    // Sheet pixels of a chart pixel value.
    auto sx = [&](std::int64_t v) { return s.x(v) - sheet.left; };
    auto sy = [&](std::int64_t v) { return s.y(v) - sheet.top; };
    if (!fitsInt(sx(left)) || !fitsInt(sx(right)) || !fitsInt(sy(top)) || !fitsInt(sy(bottom)))
        return;

    canvas.setBrush(box.bkColor);
    canvas.setPen(box.borderColor, PenStyle::Solid, penWidth_);
    canvas.rectangle(int(sx(left)), int(sy(top)), int(sx(right)), int(sy(bottom)));

    const PictureRef picture = ensurePicture(placed.person);
    const TPerson& p = setup_.doc->person(placed.person);
    const TDibRecord dib = picture ? picture->dib() : p.Dib;
    const QSize source = picture ? picture->sourceSize() : QSize(dib.width(), dib.height());
    const bool hasPicture = !dib.empty();

    const Rect64 text = boxTextRect(box, {left, top, right, bottom}, hasPicture);
    const int align = box.Textausricht;
    if (align >= 0 && align <= 2 && fitsInt(sx(text.left))) {
        canvas.setTextBackground(box.bkColor);
        const QRect rect(int(sx(text.left)), int(sy(text.top)), int(sx(text.right) - sx(text.left)),
                         int(sy(text.bottom) - sy(text.top)));
        canvas.drawText(boxText(p, box.LeblaufCheck), rect, TextAlign(align));
    }

    if (!hasPicture) return;
    PictureFit fit = printedPictureFit(s, box.BreitEd, box.BildEd, s.x(text.left), s.y(text.top),
                                       s.y(text.bottom), source.width(), source.height());
    const Rect64 placedPicture{fit.x, fit.y, fit.x + fit.w, fit.y + fit.h};
    if (!fit.drawable() || !placedPicture.intersects(sheet)) return;
    fit.x -= sheet.left;
    fit.y -= sheet.top;
    if (!fitsInt(fit.x) || !fitsInt(fit.y) || !fitsInt(fit.x + fit.w) || !fitsInt(fit.y + fit.h))
        return;
    DrawDib(canvas, int(fit.x), int(fit.y), int(fit.w), int(fit.h), dib, setup_.dialogs);
}

void SheetPrinter::printLine(Canvas& canvas, const LineItem& line, const Rect64& sheet) {
    const PrintScale& s = setup_.scale;
    // The chart pixels that can land on the sheet or within a pen's width of
    // it: the line is cut there, and the cut ends stay off the sheet.
    const Rect64 reach = sheet.grown(penWidth_ + kPenSlack);
    Rect64 clip;
    chartSpan(reach.left, reach.right, s.S, s.Px, clip.left, clip.right);
    chartSpan(reach.top, reach.bottom, s.S, s.Py, clip.top, clip.bottom);
    const Point64 origin{clip.left, clip.top};

    canvas.setPen(line.father ? kFatherColor : kMotherColor, PenStyle::Solid, penWidth_);
    MappedLineCanvas mapped(canvas, s, origin, {sheet.left, sheet.top});
    ClippedPen pen(mapped, origin, clip);
    line.route.draw(pen);
}

} // namespace lw
