#pragma once
// A chart view's side of background picture reading: the boxes that wait
// for a picture, painted again (just those boxes) when it is ready.
#include "chart/PictureSource.h"

#include <QObject>
#include <QPointer>
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

    void requestPicture(const PictureRequest& request, const Rect64& box) override;
    std::size_t waitingBoxes() const;

  private:
    void ready(const PictureRequest& request);

    ChartView& view_;
    QPointer<PictureLoader> loader_;
    std::unordered_map<PictureRequest, std::vector<Rect64>, PictureRequestHash> waiting_;
};

} // namespace lw
