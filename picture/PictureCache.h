#pragma once
// The decoded pictures of one family tree: one copy per picture file and
// needed size, shared by every person who names the file, within a memory
// budget.
//
// A picture is found again only while its file keeps the stamp it was read
// with; a file that could not be read is remembered too (as a failure), so
// that it is not read again and again until it changes. When the pictures
// take more than the budget, the least recently used ones are dropped and
// handed back to the caller, who lets go of them as well. Used on one thread.
#include "picture/Picture.h"
#include "picture/PictureDecode.h"
#include "picture/ThumbnailStore.h"

#include <cstddef>
#include <list>
#include <unordered_map>
#include <vector>

namespace lw {

class PictureCache {
  public:
    static constexpr std::size_t kDefaultBudget = std::size_t(256) * 1024 * 1024;

    explicit PictureCache(std::size_t budget = kDefaultBudget) : budget_(budget) {}

    struct Found {
        PictureRef picture;
        bool failed = false; // the file with this stamp could not be read
        bool known() const { return picture || failed; }
    };
    // What is kept for `request` read from the file as `stamp` describes it;
    // counts as a use.
    Found find(const PictureRequest& request, const FileStamp& stamp);

    // Keeps the outcome of reading `request` (`picture` null: a failure) and
    // returns the pictures dropped to stay within the budget; the picture
    // just kept is never among them.
    std::vector<PictureRef> keep(const PictureRequest& request, const FileStamp& stamp,
                                 PictureRef picture);

    // A new budget; returns the pictures dropped to keep it.
    std::vector<PictureRef> setBudget(std::size_t bytes);
    std::size_t budget() const { return budget_; }
    // The bytes the kept pictures take.
    std::size_t bytes() const { return bytes_; }
    std::size_t size() const { return entries_.size(); }
    void clear();

    // Where screen pictures are kept on disk.
    const ThumbnailStore& thumbnails() const { return thumbnails_; }
    void setThumbnails(ThumbnailStore store) { thumbnails_ = std::move(store); }

  private:
    struct Entry {
        FileStamp stamp;
        PictureRef picture;
        std::list<PictureRequest>::iterator use;
    };
    std::vector<PictureRef> evict(const PictureRequest* keepThis);
    void erase(std::unordered_map<PictureRequest, Entry, PictureRequestHash>::iterator it);

    std::size_t budget_;
    std::size_t bytes_ = 0;
    std::list<PictureRequest> uses_; // most recent first
    std::unordered_map<PictureRequest, Entry, PictureRequestHash> entries_;
    ThumbnailStore thumbnails_;
};

} // namespace lw
