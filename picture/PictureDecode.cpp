#include "picture/PictureDecode.h"

#include "picture/DibImage.h"
#include "picture/PictureProblems.h"
#include "picture/ThumbnailStore.h"
#include "platform/Progress.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImageIOHandler>
#include <QImageReader>
#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>

namespace lw {

namespace {

int clampToInt(std::int64_t v) {
    return int(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(),
                                        std::numeric_limits<int>::max()));
}

// Smooth scaling mixes colours; pictures with a colour table keep theirs
// and are thinned out instead.
QImage reduced(const QImage& image, QSize target) {
    const bool indexed = image.format() == QImage::Format_Indexed8 ||
                         image.format() == QImage::Format_Mono ||
                         image.format() == QImage::Format_MonoLSB;
    return image.scaled(target, Qt::IgnoreAspectRatio,
                        indexed ? Qt::FastTransformation : Qt::SmoothTransformation);
}

// `size` shrunk, keeping its proportions, until its pixels take no more
// than `limit` bytes at 32 bits a pixel.
QSize withinLimit(QSize size, std::int64_t limit) {
    const double pixels = double(size.width()) * double(size.height());
    const double allowed = double(limit / 4);
    if (pixels <= allowed) return size;
    const double f = std::sqrt(allowed / pixels) * 0.999;
    return QSize(std::max(1, int(size.width() * f)), std::max(1, int(size.height() * f)));
}

// The JPEG decoder reads a picture asked for at `target` at 1/1, 1/2, 1/4
// or 1/8 of its stored size (the largest of these that is not below the
// target), then scales it smoothly. That first picture must fit the limit
// as well: a target too close to it is lowered to the next step.
QSize withinDecoderLimit(QSize stored, QSize target, std::int64_t limit) {
    auto step = [&](QSize t) {
        const int s = std::min(stored.width() / std::max(1, t.width()),
                               stored.height() / std::max(1, t.height()));
        return s < 2 ? 1 : s < 4 ? 2 : s < 8 ? 4 : 8;
    };
    for (int s = step(target); s < 8; s = step(target)) {
        const QSize first((stored.width() + s - 1) / s, (stored.height() + s - 1) / s);
        if (pixelBytesAcceptable(first.width(), first.height(), 32, limit)) break;
        target =
            QSize(std::max(1, stored.width() / (2 * s)), std::max(1, stored.height() / (2 * s)));
    }
    return target;
}

struct ReadResult {
    PictureRef picture;
    bool damaged = false; // read, but the decoder met faults on the way
};

ReadResult readAtNeed(const PictureRequest& request, ProgressSink* progress,
                      std::int64_t pixelLimit) {
    PluginMessageGuard quiet; // the decoder's own English warnings
    QImageReader reader(request.path);
    prepareReader(reader, pixelLimit);
    const QSize stored = reader.size();
    const bool storedTooLarge =
        stored.isValid() && !pixelBytesAcceptable(stored.width(), stored.height(), 32, pixelLimit);
    // Only JPEG files are decoded reduced inside the decoder (1/2 ... 1/8);
    // every other kind needs the whole picture in memory first.
    const bool decoderScales = reader.format() == "jpeg";
    if (storedTooLarge && !decoderScales) {
        reportPictureProblem(PictureProblem::TooLarge, request.path, stored);
        return {};
    }
    const bool turned = (reader.transformation() & QImageIOHandler::TransformationRotate90) != 0;
    QSize source = turned ? stored.transposed() : stored;
    QSize target = decodedSize(source, request.need);
    if (stored.isValid()) {
        target = withinLimit(target, pixelLimit);
        if (decoderScales && target != source)
            target =
                (turned ? withinDecoderLimit(stored, target.transposed(), pixelLimit).transposed()
                        : withinDecoderLimit(stored, target, pixelLimit));
    }
    // The decoder scales in the picture's stored orientation, before it is
    // turned upright.
    if (stored.isValid() && target != source && reader.supportsOption(QImageIOHandler::ScaledSize))
        reader.setScaledSize(turned ? target.transposed() : target);

    const QImage image = reader.read();
    if (image.isNull()) {
        // A JPEG too large even at 1/8 is refused by the allocation limit.
        reportPictureProblem(storedTooLarge ? PictureProblem::TooLarge : PictureProblem::Unreadable,
                             request.path, stored);
        return {};
    }
    if (progress) progress->postProgress(50);
    if (!stored.isValid()) {
        source = image.size();
        target = decodedSize(source, request.need);
    }
    ReadResult out;
    out.damaged = quiet.faults() > 0;
    if (out.damaged) reportPictureProblem(PictureProblem::Damaged, request.path);
    TDibRecord dib;
    if (!imageToDib(image.size() == target ? image : reduced(image, target), dib)) return {};
    out.picture = std::make_shared<const Picture>(dib, source, request);
    return out;
}

} // namespace

FileStamp stampOf(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile()) return {};
    return {info.size(), info.lastModified().toMSecsSinceEpoch()};
}

QSize fittedSize(QSize source, std::int64_t areaWidth, std::int64_t areaHeight) {
    const std::int64_t pw = source.width(), ph = source.height();
    if (pw <= 0 || ph <= 0) return {0, 0};
    std::int64_t w = areaWidth;
    std::int64_t h = ph * w / pw;
    if (h > areaHeight) {
        h = areaHeight;
        w = pw * h / ph;
    }
    return {clampToInt(w), clampToInt(h)};
}

QSize decodedSize(QSize source, const PictureNeed& need) {
    if (source.isEmpty()) return source;
    QSize fit = fittedSize(source, need.areaWidth, need.areaHeight).expandedTo({1, 1});
    if (need.devicePpi == 0) {
        const bool large = std::int64_t(source.width()) > 2 * std::int64_t(fit.width()) &&
                           std::int64_t(source.height()) > 2 * std::int64_t(fit.height());
        return large ? fit : source;
    }
    if (need.devicePpi > kPaperPpi) {
        auto atPaperPpi = [&](int v) {
            return std::max(1, int(std::int64_t(v) * kPaperPpi / need.devicePpi));
        };
        fit = {atPaperPpi(fit.width()), atPaperPpi(fit.height())};
    }
    return source.width() > fit.width() && source.height() > fit.height() ? fit : source;
}

DecodedPicture decodePicture(const PictureRequest& request, const ThumbnailStore* thumbnails,
                             ProgressSink* progress, std::int64_t pixelLimit) {
    DecodedPicture out;
    if (progress) progress->postProgress(0);
    out.stamp = stampOf(request.path);
    const bool screen = request.need.devicePpi == 0;
    if (out.stamp.exists()) {
        if (thumbnails && screen) {
            out.picture = thumbnails->read(request, out.stamp);
            out.fromThumbnail = out.picture != nullptr;
        }
        if (!out.picture) {
            const ReadResult read = readAtNeed(request, progress, pixelLimit);
            out.picture = read.picture;
            // A damaged picture is read again (and told again) next time.
            if (out.picture && !read.damaged && thumbnails && screen)
                thumbnails->write(request, out.stamp, *out.picture);
        }
    } else if (!request.path.isEmpty()) {
        reportPictureProblem(PictureProblem::Missing, request.path);
    }
    if (progress) progress->postProgress(100);
    return out;
}

std::vector<DecodedPicture> decodeAll(const std::vector<PictureRequest>& requests,
                                      const ThumbnailStore* thumbnails, ProgressSink* progress) {
    std::vector<DecodedPicture> results(requests.size());
    if (requests.empty()) return results;
    if (progress) progress->postProgress(0);
    std::atomic<std::size_t> done{0};
    {
        QThreadPool pool;
        pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
        for (std::size_t i = 0; i < requests.size(); ++i)
            pool.start([&, i] {
                results[i] = decodePicture(requests[i], thumbnails, nullptr);
                ++done;
            });
        int shown = 0;
        while (!pool.waitForDone(100)) {
            const int percent = int(done.load() * 100 / requests.size());
            if (progress && percent != shown) progress->postProgress(shown = percent);
        }
    }
    if (progress) progress->postProgress(100);
    return results;
}

} // namespace lw
