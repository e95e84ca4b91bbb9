#include "chart/PictureLoader.h"

#include "picture/PictureStore.h"
#include "platform/Progress.h"

#include <QThread>

namespace lw {

PictureLoader::PictureLoader(PictureStore& store, ProgressSink* progress, QObject* parent)
    : QObject(parent), store_(store), progress_(progress),
      generation_(std::make_shared<std::atomic<quint64>>(0)) {
    pool_.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
}

PictureLoader::~PictureLoader() {
    cancel();
    pool_.waitForDone();
}

void PictureLoader::request(const PictureRequest& request) {
    if (!underWay_.insert(request).second) return;
    if (batchTotal_ == 0 && progress_) progress_->postProgress(0);
    ++batchTotal_;
    const quint64 generation = generation_->load();
    // The worker touches nothing but its own copies and the shared
    // generation; its result reaches the loader through the event queue,
    // which drops it when the loader is gone.
    pool_.start([this, generation, current = generation_, request,
                 thumbnails = store_.thumbnails()] {
        if (current->load() != generation) return;
        DecodedPicture result = decodePicture(request, &thumbnails, nullptr);
        if (current->load() != generation) return;
        QMetaObject::invokeMethod(
            this, [this, generation, request, result] { finished(generation, request, result); },
            Qt::QueuedConnection);
    });
}

void PictureLoader::cancel() {
    ++*generation_;
    pool_.clear();
    const bool wasBusy = !underWay_.empty();
    underWay_.clear();
    batchTotal_ = batchDone_ = 0;
    if (wasBusy && progress_) progress_->postProgress(100);
    emit cancelled();
}

void PictureLoader::finished(quint64 generation, const PictureRequest& request,
                             const DecodedPicture& result) {
    if (generation != generation_->load() || underWay_.erase(request) == 0) return;
    store_.keep(request, result.stamp, result.picture);
    ++batchDone_;
    report();
    emit pictureReady(request);
}

void PictureLoader::report() {
    if (underWay_.empty()) {
        batchTotal_ = batchDone_ = 0;
        if (progress_) progress_->postProgress(100);
    } else if (progress_ && batchTotal_ > 0) {
        progress_->postProgress(batchDone_ * 100 / batchTotal_);
    }
}

} // namespace lw
