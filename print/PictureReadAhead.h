#pragma once
// The pictures of a print job, read on worker threads (one per core) in the
// order the sheets need them while the first sheets are already drawn:
// asking for a picture waits only for that one.
#include "picture/PictureDecode.h"

#include <QThreadPool>
#include <atomic>
#include <future>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace lw {

class ProgressSink;

class PictureReadAhead {
  public:
    PictureReadAhead() = default;
    // What has not started yet is not read; what is being read is waited for.
    ~PictureReadAhead();
    PictureReadAhead(const PictureReadAhead&) = delete;
    PictureReadAhead& operator=(const PictureReadAhead&) = delete;

    // Starts reading `requests` (distinct) in this order. `progress` hears
    // the share of them handed over by take().
    void start(std::vector<PictureRequest> requests, ProgressSink* progress);
    // The picture read for `request`, once it is read; nothing when it is
    // not one of the requests or was handed over before.
    std::optional<DecodedPicture> take(const PictureRequest& request);

  private:
    struct Slot {
        PictureRequest request;
        std::promise<DecodedPicture> promise;
        std::future<DecodedPicture> result;
        bool taken = false;
    };
    std::vector<std::unique_ptr<Slot>> slots_;
    std::unordered_map<PictureRequest, std::size_t, PictureRequestHash> index_;
    std::size_t taken_ = 0;
    int shown_ = 0; // the share last told, in percent
    ProgressSink* progress_ = nullptr;
    std::atomic<bool> stop_{false};
    QThreadPool pool_; // last: its threads end before the slots go
};

} // namespace lw
