#include "picture/PictureDecode.h"

#include "picture/DibImage.h"
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

PictureRef readAtNeed(const PictureRequest& request, ProgressSink* progress) {
    QImageReader reader(request.path);
    prepareReader(reader);
    const QSize stored = reader.size();
    if (stored.isValid() && !pictureSizeAcceptable(stored)) return {};
    const bool turned = (reader.transformation() & QImageIOHandler::TransformationRotate90) != 0;
    QSize source = turned ? stored.transposed() : stored;
    QSize target = decodedSize(source, request.need);
    // The decoder scales in the picture's stored orientation, before it is
    // turned upright.
    if (stored.isValid() && target != source && reader.supportsOption(QImageIOHandler::ScaledSize))
        reader.setScaledSize(turned ? target.transposed() : target);

    const QImage image = reader.read();
    if (image.isNull()) return {};
    if (progress) progress->postProgress(50);
    if (!stored.isValid()) {
        source = image.size();
        target = decodedSize(source, request.need);
    }
    TDibRecord dib;
    if (!imageToDib(image.size() == target ? image : reduced(image, target), dib)) return {};
    return std::make_shared<const Picture>(dib, source, request);
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
                             ProgressSink* progress) {
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
            out.picture = readAtNeed(request, progress);
            if (out.picture && thumbnails && screen)
                thumbnails->write(request, out.stamp, *out.picture);
        }
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
