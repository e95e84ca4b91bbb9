#pragma once
// Rewriting a family tree file as the current revision without building its
// document. A 0xCAFC tree whose texts all come back as they were read keeps
// its person records byte for byte, so only the layout after them is read and
// written again; the result is the file that loadSta and saveSta would give.
// Every other file (older revisions, 0xCAFB, texts that change on the way, a
// tree that would need 0xCAFB) is left to reading the whole tree.
#include "document/Layout.h"

#include <QString>

namespace lw {

struct StaRewriteResult {
    // False: the file needs the whole tree read; nothing was written.
    bool handled = false;
    QString error; // German message when handled and failed
};

// Writes `in` to `out` (through writeWholeFile) as it stands after
// loadSta(in, current) and saveSta(out, ...); the errors are theirs too.
StaRewriteResult rewriteSta(const QString& in, const QString& out, const BoxLayout& current);

} // namespace lw
