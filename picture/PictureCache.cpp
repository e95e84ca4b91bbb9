#include "picture/PictureCache.h"

namespace lw {

PictureCache::Found PictureCache::find(const PictureRequest& request, const FileStamp& stamp) {
    const auto it = entries_.find(request);
    if (it == entries_.end() || !(it->second.stamp == stamp)) return {};
    uses_.splice(uses_.begin(), uses_, it->second.use);
    return {it->second.picture, it->second.picture == nullptr};
}

void PictureCache::erase(
    std::unordered_map<PictureRequest, Entry, PictureRequestHash>::iterator it) {
    if (it->second.picture) bytes_ -= it->second.picture->bytes();
    uses_.erase(it->second.use);
    entries_.erase(it);
}

std::vector<PictureRef> PictureCache::keep(const PictureRequest& request, const FileStamp& stamp,
                                           PictureRef picture) {
    const auto old = entries_.find(request);
    if (old != entries_.end()) erase(old);
    uses_.push_front(request);
    if (picture) bytes_ += picture->bytes();
    entries_.emplace(request, Entry{stamp, std::move(picture), uses_.begin()});
    return evict(&request);
}

std::vector<PictureRef> PictureCache::setBudget(std::size_t bytes) {
    budget_ = bytes;
    return evict(nullptr);
}

std::vector<PictureRef> PictureCache::evict(const PictureRequest* keepThis) {
    std::vector<PictureRef> dropped;
    auto candidate = uses_.end();
    while (bytes_ > budget_ && candidate != uses_.begin()) {
        --candidate;
        if (keepThis && *candidate == *keepThis) continue;
        const auto it = entries_.find(*candidate);
        if (!it->second.picture) continue; // failures take no memory
        dropped.push_back(it->second.picture);
        const auto next = std::next(candidate);
        erase(it);
        candidate = next;
    }
    return dropped;
}

void PictureCache::clear() {
    entries_.clear();
    uses_.clear();
    bytes_ = 0;
}

} // namespace lw
