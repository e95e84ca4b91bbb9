#include "app/commands/BioExportCommand.h"

#include "document/BioExport.h"

#include <QDir>
#include <QFileInfo>

namespace lw {

FileDialogRequest bioExportRequest(const Document& doc) {
    FileDialogRequest request;
    request.title = QStringLiteral("Lebensläufe exportieren");
    request.filter = QStringLiteral("Textdateien (*.txt)|*.txt");
    request.defaultSuffix = QStringLiteral("txt");
    request.overwritePrompt = true;
    if (doc.FileName.isEmpty()) {
        request.fileName = QDir::home().filePath(QStringLiteral("Lebensläufe.txt"));
    } else {
        const QFileInfo tree(doc.FileName);
        request.fileName = tree.absoluteDir().filePath(tree.completeBaseName() + ".txt");
    }
    return request;
}

bool runBioExport(Dialogs& dialogs, const Document& doc, QString* chosen) {
    const QString path = dialogs.saveFileName(bioExportRequest(doc));
    if (chosen) *chosen = path;
    if (path.isEmpty()) return false;
    QString error;
    if (exportBiographies(path, doc, &error)) return true;
    showError(dialogs, error);
    return false;
}

} // namespace lw
