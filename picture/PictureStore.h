#pragma once
// The decoded pictures beside one open family tree: the cache of pictures by
// file and needed size, and the picture each file's boxes show.
//
// The tree itself holds only the picture file names; whoever shows or prints
// the tree (the window, a command, a print job) owns a store and hands it to
// the painting. A box looks up the picture its file shows first: while that
// picture was made for what the box needs, the file is not asked again. When
// the cache drops pictures to stay within its budget, the files showing them
// show nothing until they are read again. Used on one thread.
#include "picture/Picture.h"
#include "picture/PictureCache.h"

#include <QHash>
#include <QString>
#include <cstddef>

namespace lw {

class PictureStore {
  public:
    explicit PictureStore(std::size_t budget = PictureCache::kDefaultBudget) : cache_(budget) {}

    // The picture the boxes of file `path` show; null: none yet.
    PictureRef shown(const QString& path) const { return shown_.value(path); }
    // Lets the boxes of `path` show `picture` (null: nothing).
    void show(const QString& path, PictureRef picture);
    // Shows a record handed over as it is (no file was read for it); the
    // store owns it from then on.
    void showRecord(const QString& path, const TDibRecord& dib);
    // The boxes ask the disk again at their next drawing: after an edit of
    // a person, whose picture file may have changed.
    void forgetShown() { shown_.clear(); }

    // What the cache keeps for `request` read as `stamp` describes; a use.
    PictureCache::Found find(const PictureRequest& request, const FileStamp& stamp) {
        return cache_.find(request, stamp);
    }
    // Keeps the outcome of reading `request`; files showing pictures that
    // the budget drops show nothing.
    void keep(const PictureRequest& request, const FileStamp& stamp, PictureRef picture);
    void setBudget(std::size_t bytes);
    const PictureCache& cache() const { return cache_; }

    // Where screen pictures are kept on disk.
    const ThumbnailStore& thumbnails() const { return cache_.thumbnails(); }
    void setThumbnails(ThumbnailStore store) { cache_.setThumbnails(std::move(store)); }

    // Lets go of every picture (another tree, or none).
    void clear();

  private:
    void letGo(const std::vector<PictureRef>& dropped);

    PictureCache cache_;
    QHash<QString, PictureRef> shown_;
};

} // namespace lw
