#pragma once
// Screen-size pictures kept on disk, so that a tree opened again shows its
// pictures without decoding the originals.
//
// One file per picture file and box area, named by a hash of both, holding
// the picture file's stamp (size and time of change): a picture file that
// changed no longer matches and is decoded anew, and its new picture takes
// the old one's place. A file that does not read back exactly (cut, foreign,
// from another version) counts as absent. Writing goes through a temporary
// file, so several threads and programs may share the folder. The folder is
// kept within a budget by prune().
#include "picture/Picture.h"

#include <QString>

namespace lw {

struct FileStamp;

// What the kept pictures may take on disk before the least recently used go.
constexpr qint64 kThumbnailBudget = 256 * 1024 * 1024;

class ThumbnailStore {
  public:
    // An empty folder keeps nothing.
    explicit ThumbnailStore(QString folder = defaultFolder()) : folder_(std::move(folder)) {}

    // "pictures" in the program's cache folder (QStandardPaths::CacheLocation);
    // empty when there is none.
    static QString defaultFolder();

    const QString& folder() const { return folder_; }
    // The file that keeps the picture for `request`.
    QString fileFor(const PictureRequest& request) const;

    // The kept picture for `request` when it was made from the file as
    // `stamp` describes it; null otherwise.
    PictureRef read(const PictureRequest& request, const FileStamp& stamp) const;
    // Keeps `picture`; false when it could not be written (nothing is kept).
    bool write(const PictureRequest& request, const FileStamp& stamp, const Picture& picture) const;
    // Removes the kept pictures used least recently (by their files' time of
    // change, which a read renews) until the rest take at most `budget`
    // bytes. Other programs may share the folder: a file gone meanwhile is no
    // fault.
    void prune(qint64 budget = kThumbnailBudget) const;

  private:
    QString folder_;
};

} // namespace lw
