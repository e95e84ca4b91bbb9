#pragma once
// Pictures read in the background for the window: at most one thread per
// core decodes them while the window goes on answering.
//
// A finished picture is kept in the window's picture store (on the
// window's thread, so the store is only ever touched there) and
// announced with pictureReady; the views then paint the boxes that waited
// for it. The progress of the pictures asked for since the last idle moment
// goes to the progress sink (0 … 100).
//
// cancel() forgets every picture asked for: queued ones are never read,
// ones being read are thrown away when they finish. Call it before the
// document's persons are replaced (New, Open, closing). The destructor
// cancels and waits for the pictures being read.
#include "picture/Picture.h"
#include "picture/PictureDecode.h"

#include <QObject>
#include <QThreadPool>
#include <atomic>
#include <memory>
#include <unordered_set>

namespace lw {

class PictureStore;
class ProgressSink;

class PictureLoader : public QObject {
    Q_OBJECT
  public:
    // `progress` may be null.
    PictureLoader(PictureStore& store, ProgressSink* progress, QObject* parent = nullptr);
    ~PictureLoader() override;

    // Reads the picture for `request` unless that is under way already.
    void request(const PictureRequest& request);
    void cancel();

    // Nothing queued or being read.
    bool idle() const { return underWay_.empty(); }
    int threads() const { return pool_.maxThreadCount(); }

  signals:
    // The outcome for `request` is in the picture store.
    void pictureReady(const lw::PictureRequest& request);
    // Everything asked for so far is forgotten.
    void cancelled();

  private:
    void finished(quint64 generation, const PictureRequest& request, const DecodedPicture& result);
    void report();

    PictureStore& store_;
    ProgressSink* progress_;
    QThreadPool pool_;
    // Raised by cancel(); a worker that finds its generation old stops.
    std::shared_ptr<std::atomic<quint64>> generation_;
    std::unordered_set<PictureRequest, PictureRequestHash> underWay_;
    int batchTotal_ = 0;
    int batchDone_ = 0;
};

} // namespace lw
