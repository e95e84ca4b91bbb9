#include "chart/gui/ViewPictures.h"

#include "chart/PictureLoader.h"
#include "chart/gui/ChartView.h"

#include <algorithm>

namespace lw {

ViewPictures::ViewPictures(ChartView& view, PictureLoader& loader)
    : QObject(&view), view_(view), loader_(&loader) {
    connect(&loader, &PictureLoader::pictureReady, this, &ViewPictures::ready);
    connect(&loader, &PictureLoader::cancelled, this, [this] {
        waiting_.clear();
        toPaint_.clear();
    });
    painter_.setInterval(1);
    connect(&painter_, &QTimer::timeout, this, &ViewPictures::paintSome);
}

void ViewPictures::requestPicture(const PictureRequest& request, const Rect64& box) {
    if (!loader_) return;
    std::vector<Rect64>& boxes = waiting_[request];
    if (std::find(boxes.begin(), boxes.end(), box) == boxes.end()) boxes.push_back(box);
    loader_->request(request);
}

std::size_t ViewPictures::waitingBoxes() const {
    std::size_t n = 0;
    for (const auto& [request, boxes] : waiting_)
        n += boxes.size();
    return n + toPaint_.size();
}

void ViewPictures::ready(const PictureRequest& request) {
    const auto it = waiting_.find(request);
    if (it == waiting_.end()) return;
    toPaint_.insert(toPaint_.end(), it->second.begin(), it->second.end());
    waiting_.erase(it);
    if (!painter_.isActive()) painter_.start();
}

void ViewPictures::paintSome() {
    for (int i = 0; i < kBoxesAtOnce && !toPaint_.empty(); ++i) {
        view_.repaintChartRect(toPaint_.front());
        toPaint_.pop_front();
    }
    if (toPaint_.empty()) painter_.stop();
}

} // namespace lw
