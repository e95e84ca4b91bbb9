#include "app/BioExportCommand.h"

#include "document/BioExport.h"

namespace lw {

FileDialogRequest bioExportRequest() {
    FileDialogRequest request;
    request.title = QStringLiteral("Lebensläufe exportieren");
    request.filter = QStringLiteral("Textdateien (*.txt)|*.txt");
    request.defaultSuffix = QStringLiteral("txt");
    request.overwritePrompt = true;
    return request;
}

bool runBioExport(Dialogs& dialogs, const Document& doc) {
    const QString path = dialogs.saveFileName(bioExportRequest());
    if (path.isEmpty()) return false;
    QString error;
    if (exportBiographies(path, doc, &error)) return true;
    showError(dialogs, error);
    return false;
}

} // namespace lw
