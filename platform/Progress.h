#pragma once
// Receiver of progress reports (a percentage) while a picture loads; the main
// window turns them into an event for its status bar.

namespace lw {

class ProgressSink {
  public:
    virtual ~ProgressSink() = default;
    virtual void postProgress(int percent) = 0;
};

} // namespace lw
