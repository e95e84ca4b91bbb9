#pragma once
// A chart view's side of background picture reading: the boxes that wait
// for a picture, painted again (just those boxes) when it is ready.
//
// Pictures can come faster than boxes paint (from the disk cache, hundreds
// at once); the boxes are then painted a few at a time, so the window keeps
// answering between them.
#include "chart/PictureSource.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <unordered_map>
#include <vector>

namespace lw {

class ChartView;
class PictureLoader;

class ViewPictures : public QObject, public PictureSource {
    Q_OBJECT
  public:
    // Lives as a child of `view`.
    ViewPictures(ChartView& view, PictureLoader& loader);

    static constexpr int kBoxesAtOnce = 6;

    void requestPicture(const PictureRequest& request, const Rect64& box) override;
    // Boxes waiting for their picture or for being painted with it.
    std::size_t waitingBoxes() const;

  private:
    void ready(const PictureRequest& request);
    void paintSome();

    ChartView& view_;
    QPointer<PictureLoader> loader_;
    std::unordered_map<PictureRequest, std::vector<Rect64>, PictureRequestHash> waiting_;
    std::deque<Rect64> toPaint_;
    QTimer painter_;
};

} // namespace lw
