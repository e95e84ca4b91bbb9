// export-bio: the biographies of a family tree as the text file that the
// button "Lebensläufe exportieren..." writes.
#include "cli/Commands.h"
#include "document/BioExport.h"
#include "document/StaFile.h"

namespace lw::cli {

int runExportBio(const QStringList& args) {
    if (args.size() != 2)
        return usageError(QStringLiteral("Aufruf: lindwerk-cli export-bio EIN.sta AUS.txt"));
    StaReadResult read = loadSta(args[0], BoxLayout{});
    if (!read.file) return failure(read.error);
    QString error;
    if (!exportBiographies(args[1], read.file->doc, &error)) return failure(error);
    return 0;
}

} // namespace lw::cli
