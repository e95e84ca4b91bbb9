#include "picture/PictureStore.h"

#include "picture/Dib.h"

#include <algorithm>

namespace lw {

void PictureStore::show(const QString& path, PictureRef picture) {
    if (picture)
        shown_.insert(path, std::move(picture));
    else
        shown_.remove(path);
}

void PictureStore::showRecord(const QString& path, const TDibRecord& dib) {
    show(path, dib.empty() ? nullptr : std::make_shared<const Picture>(dib));
}

void PictureStore::letGo(const std::vector<PictureRef>& dropped) {
    if (dropped.empty()) return;
    for (auto it = shown_.begin(); it != shown_.end();) {
        if (std::find(dropped.begin(), dropped.end(), it.value()) != dropped.end())
            it = shown_.erase(it);
        else
            ++it;
    }
}

void PictureStore::keep(const PictureRequest& request, const FileStamp& stamp, PictureRef picture) {
    letGo(cache_.keep(request, stamp, std::move(picture)));
}

void PictureStore::setBudget(std::size_t bytes) {
    letGo(cache_.setBudget(bytes));
}

void PictureStore::clear() {
    shown_.clear();
    cache_.clear();
}

} // namespace lw
