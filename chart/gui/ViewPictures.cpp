#include "chart/gui/ViewPictures.h"

#include "chart/PictureLoader.h"
#include "chart/gui/ChartView.h"

#include <algorithm>

namespace lw {

ViewPictures::ViewPictures(ChartView& view, PictureLoader& loader)
    : QObject(&view), view_(view), loader_(&loader) {
    connect(&loader, &PictureLoader::pictureReady, this, &ViewPictures::ready);
    connect(&loader, &PictureLoader::cancelled, this, [this] { waiting_.clear(); });
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
    return n;
}

void ViewPictures::ready(const PictureRequest& request) {
    const auto it = waiting_.find(request);
    if (it == waiting_.end()) return;
    for (const Rect64& box : it->second)
        view_.repaintChartRect(box);
    waiting_.erase(it);
}

} // namespace lw
