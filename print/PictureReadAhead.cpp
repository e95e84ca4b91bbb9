#include "print/PictureReadAhead.h"

#include "platform/Progress.h"

#include <QThread>
#include <algorithm>

namespace lw {

PictureReadAhead::~PictureReadAhead() {
    stop_ = true;
    pool_.waitForDone();
}

void PictureReadAhead::start(std::vector<PictureRequest> requests, ProgressSink* progress) {
    progress_ = progress;
    pool_.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
    for (PictureRequest& request : requests) {
        auto slot = std::make_unique<Slot>();
        slot->request = std::move(request);
        slot->result = slot->promise.get_future();
        index_.emplace(slot->request, slots_.size());
        slots_.push_back(std::move(slot));
    }
    if (progress_ && !slots_.empty()) progress_->postProgress(0);
    // Queued in order: the pool starts them first come, first served.
    for (const std::unique_ptr<Slot>& slot : slots_) {
        Slot* s = slot.get();
        pool_.start([this, s] {
            s->promise.set_value(stop_ ? DecodedPicture{}
                                       : decodePicture(s->request, nullptr, nullptr));
        });
    }
}

std::optional<DecodedPicture> PictureReadAhead::take(const PictureRequest& request) {
    const auto found = index_.find(request);
    if (found == index_.end()) return std::nullopt;
    Slot& slot = *slots_[found->second];
    if (slot.taken) return std::nullopt;
    slot.taken = true;
    DecodedPicture picture = slot.result.get();
    ++taken_;
    const int percent = int(taken_ * 100 / slots_.size());
    if (progress_ && percent > shown_) progress_->postProgress(shown_ = percent);
    return picture;
}

} // namespace lw
