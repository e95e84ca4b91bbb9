#include "chart/PersonBox.h"

#include "chart/FamilyBoxText.h"
#include "chart/PictureSource.h"
#include "chart/ZoomedCanvas.h"
#include "document/Document.h"
#include "document/Layout.h"
#include "picture/DrawDib.h"
#include "picture/PictureProblems.h"
#include "platform/Canvas.h"
#include "platform/DocText.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <limits>

namespace lw {

namespace {

constexpr size_t kMaxSurnameLength = 255;
constexpr char kLineEnd = '\r';

bool fitsInt(std::int64_t v) {
    return v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max();
}

} // namespace

std::string boxText(const TPerson& person, bool showBiography) {
    std::string text = person.NachName.substr(0, kMaxSurnameLength);
    text += kLineEnd;
    text += person.VorName;
    text += kLineEnd;
    if (!person.GebDate.empty()) {
        text += '*';
        text += person.GebDate;
        text += kLineEnd;
    }
    if (!person.StDate.empty()) {
        text += '+';
        text += person.StDate;
        text += kLineEnd;
    }
    if (showBiography) {
        for (const std::string& line : person.Leben) {
            text += line;
            text += kLineEnd;
        }
    }
    return text;
}

std::int64_t pictureShare(int cellWidth, int picturePercent) {
    return std::int64_t(std::trunc(double(cellWidth - 9) * picturePercent / 100.0));
}

Rect64 boxTextRect(const BoxLayout& box, const Rect64& frame, bool hasPicture) {
    const std::int64_t inset = hasPicture ? pictureShare(box.BreitEd, box.BildEd) + 4 : 4;
    return {frame.left + inset, frame.top + 2, frame.right - 2, frame.bottom - 2};
}

PictureNeed screenPictureNeed(int cellWidth, int cellHeight, int picturePercent) {
    PictureNeed need;
    need.areaWidth =
        std::int64_t(std::trunc(double(cellWidth - 9) * picturePercent / 100.0 - 2)) - 2;
    // TextBottom − TextTop − 2 = (H − 9 − 4) − 2
    need.areaHeight = std::int64_t(cellHeight) - 15;
    return need;
}

PictureFit fitPicture(int cellWidth, int cellHeight, int picturePercent, std::int64_t left,
                      std::int64_t top, std::int64_t pw, std::int64_t ph) {
    const PictureNeed area = screenPictureNeed(cellWidth, cellHeight, picturePercent);
    const std::int64_t areaW = area.areaWidth;
    const std::int64_t areaH = area.areaHeight;
    PictureFit fit;
    if (pw <= 0 || ph <= 0) return fit;
    fit.w = areaW;
    fit.h = ph * fit.w / pw;
    if (fit.h > areaH) {
        fit.h = areaH;
        fit.w = pw * fit.h / ph;
    }
    fit.x = left + 5 + (areaW - fit.w) / 2;
    fit.y = top + 3 + (areaH - fit.h) / 2;
    return fit;
}

QString pictureFileName(const std::string& bild, const QString& treeFile) {
    const QString stored = fromDocText(bild);
    if (bild.empty() || treeFile.isEmpty()) return stored;
    QString name = stored;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!QDir::isRelativePath(name)) return stored;
    const QString full = QFileInfo(treeFile).absoluteDir().filePath(name);
    return QFileInfo(full).isFile() ? full : stored;
}

std::optional<PictureRequest> PersonBoxPainter::missingPicture(int person) {
    const TPerson& p = doc_.person(person);
    // A person without a picture name has nothing to open.
    if (box_.BildEd <= 0 || p.Bild.empty()) return {};
    PictureNeed need = screenPictureNeed(box_.BreitEd, box_.HochEd, box_.BildEd);
    need.areaWidth *= pictureScale_;
    need.areaHeight *= pictureScale_;
    PictureRequest request{pictureFileName(p.Bild, doc_.FileName), need};
    // What the file shows already, or a record handed over as it is, stays.
    const PictureRef shown = store_.shown(request.path);
    if (shown && (shown->madeFor().path.isEmpty() || shown->madeFor() == request)) return {};
    const FileStamp stamp = stampOf(request.path);
    if (!stamp.exists()) { // tried again at the next drawing
        reportPictureProblem(PictureProblem::Missing, request.path);
        return {};
    }
    const PictureCache::Found found = store_.find(request, stamp);
    if (found.picture) store_.show(request.path, found.picture);
    if (found.known()) return {};
    return request;
}

bool PersonBoxPainter::ensurePicture(int person, const Rect64& box) {
    const std::optional<PictureRequest> request = missingPicture(person);
    if (!request) return false;
    if (pictures_) {
        pictures_->requestPicture(*request, box);
        return true;
    }
    const DecodedPicture decoded = decodePicture(*request, &store_.thumbnails(), progress_);
    store_.keep(*request, decoded.stamp, decoded.picture);
    if (decoded.picture) store_.show(request->path, decoded.picture);
    return false;
}

void PersonBoxPainter::preparePictures(const std::vector<int>& persons) {
    if (pictures_) return;
    std::vector<PictureRequest> requests;
    for (const int person : persons) {
        std::optional<PictureRequest> request = missingPicture(person);
        if (request && std::find(requests.begin(), requests.end(), *request) == requests.end())
            requests.push_back(std::move(*request));
    }
    if (requests.size() < 2) return; // one is read as its box is drawn
    const std::vector<DecodedPicture> decoded =
        decodeAll(requests, &store_.thumbnails(), progress_);
    for (std::size_t i = 0; i < requests.size(); ++i)
        store_.keep(requests[i], decoded[i].stamp, decoded[i].picture);
    for (const int person : persons)
        missingPicture(person); // takes them from the store
}

void PersonBoxPainter::DrawPersonBox(Canvas& canvas, std::int32_t col, std::int32_t row, int person,
                                     Point64 origin) {
    const std::int64_t left = grid_.Left(col, row);
    const std::int64_t top = grid_.Top(row);
    const std::int64_t right = grid_.Right(col, row);
    const std::int64_t bottom = grid_.Bottom(row);
    if (!fitsInt(left - origin.x) || !fitsInt(right - origin.x) || !fitsInt(top - origin.y) ||
        !fitsInt(bottom - origin.y))
        return;
    auto cx = [&](std::int64_t x) { return int(x - origin.x); };
    auto cy = [&](std::int64_t y) { return int(y - origin.y); };

    canvas.setBrush(box_.bkColor);
    canvas.setPen(box_.borderColor, PenStyle::Solid, 1);
    canvas.rectangle(cx(left), cy(top), cx(right), cy(bottom));

    const bool pending = ensurePicture(person, {left, top, right, bottom});
    const TPerson& p = doc_.person(person);
    const PictureRef picture =
        p.Bild.empty() ? nullptr : store_.shown(pictureFileName(p.Bild, doc_.FileName));
    const TDibRecord dib = picture ? picture->dib() : TDibRecord{};
    // A picture still being read keeps its place, so the text does not move
    // when it arrives.
    const bool hasPicture = !dib.empty() || pending;

    const Rect64 text = boxTextRect(box_, {left, top, right, bottom}, hasPicture);
    const int align = box_.Textausricht;
    if (align >= 0 && align <= 2 && fitsInt(text.left - origin.x)) {
        canvas.setTextBackground(box_.bkColor);
        const QRect rect(cx(text.left), cy(text.top), int(text.right - text.left),
                         int(text.bottom - text.top));
        // Zoomed out below readable text, the surname alone is shown as
        // large as the box takes it.
        const auto* zoomed = dynamic_cast<const ZoomedCanvas*>(&canvas);
        const int percent = zoomed ? zoomed->zoom().percent() : 100;
        if (zoomed && ZoomedCanvas::scaledFontHeight(box_.font.Height, zoomed->zoom()) == 0)
            drawBoxLines(canvas,
                         overviewSurname(p, box_.font, rect, percent, ChartZoom::kLegiblePixels),
                         box_.font, align);
        else
            drawBoxText(canvas, p, box_, box_.font, rect,
                        doc_.chart.lineStyle == LineStyle::FamilyLines, align, percent);
    }

    if (dib.empty()) return;
    const QSize source = picture->sourceSize();
    const PictureFit fit = fitPicture(box_.BreitEd, box_.HochEd, box_.BildEd, left, top,
                                      source.width(), source.height());
    if (!fit.drawable() || !fitsInt(fit.x - origin.x) || !fitsInt(fit.y - origin.y)) return;
    // Zoomed in, the larger picture goes to the canvas whole, which scales it
    // once to the zoomed box: reduced to the box's own size first, it would
    // lose what it was read larger for.
    if (pictureScale_ > 1) {
        canvas.setStretchBltMode(COLORONCOLOR);
        if (canvas.stretchDIBits(cx(fit.x), cy(fit.y), int(fit.w), int(fit.h), 0, 0, dib.width(),
                                 dib.height(), dib) != GDI_ERROR)
            return;
    }
    DrawDib(canvas, cx(fit.x), cy(fit.y), int(fit.w), int(fit.h), dib, dialogs_);
}

} // namespace lw
