#pragma once
// Writing a file so that it is either complete or not there: the bytes go to
// a temporary file beside `path`, which replaces `path` only when every byte
// has reached the disk (a failing sync counts as a failed write). A failed
// write leaves an existing file as it was.
//
// The temporary file is named ".NAME.lwtmp-PID-XXXXXX". One that a killed
// process left behind is removed by the next save into the same folder.
//
// A file that the user may change in a folder where he may not create files
// (a shared folder) is written in place instead, still flushed and checked;
// only then can a failure in the middle of the write damage the old file.
// Refused: a folder name, a read-only file, a missing folder.
//
// A link is followed: the file it names gets the new contents and the link
// stays. A link to a file not yet there creates that file where it points
// (in the folder the link names); a loop of links is refused.
#include <QByteArray>
#include <QString>
#include <functional>

namespace lw {

struct WholeFileOptions {
    // How the written bytes are forced to the disk; replaceable so that tests
    // can make it fail. Returns 0 on success, as fdatasync does.
    int (*sync)(int fd) = nullptr; // nullptr: fdatasync
};

bool writeWholeFile(const QString& path, const QByteArray& bytes,
                    const WholeFileOptions& options = {});

// Takes the next piece of the file; false when it could not be written.
using WholeFileSink = std::function<bool(const char* data, size_t size)>;
// The same for a file produced in pieces, so that a large file needs no
// buffer of its size: `produce` hands every piece to the sink it is given and
// returns false when it failed (the write then fails as a whole). `size`
// tells the number of bytes it will hand over; it is asked only when the file
// is written in place, where that space is taken first.
bool writeWholeFile(const QString& path, const std::function<qint64()>& size,
                    const std::function<bool(const WholeFileSink&)>& produce,
                    const WholeFileOptions& options = {});

// A write beyond the file size limit then fails with an error instead of
// ending the process with SIGXFSZ. Called by writeWholeFile; the programs call
// it at start so that every other write fails the same way.
void ignoreFileSizeSignal();

// Whether `fileName` (no folder) is a temporary file of writeWholeFile, and
// the process it belongs to.
bool isWholeFileTemporary(const QString& fileName, long* pid = nullptr);

} // namespace lw
