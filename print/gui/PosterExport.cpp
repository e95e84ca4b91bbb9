#include "print/gui/PosterExport.h"

#include "chart/FamilyLines.h"
#include "document/Document.h"
#include "document/Layout.h"
#include "platform/Dialogs.h"
#include "print/Poster.h"
#include "print/SheetPlan.h"
#include "print/gui/PrintCommands.h"

#include <QFileInfo>

namespace lw {

bool exportPosterWithDialog(Dialogs& dialogs, const Document& doc, const BoxLayout& box,
                            ChartMargins& margins, int S, const PrinterFacts& printer,
                            const PrintOptions& options, ProgressSink* progress, QString* chosen,
                            PictureStore* store) {
    if (chosen) chosen->clear();
    PosterRequest request;
    QString error;
    const std::optional<SheetPlan> plan =
        planSheets(options,
                   countedExtent(box.BreitEd, box.HochEd + familyRowSpacing(doc, box),
                                 occupiedCorner(doc), chartMargins(doc, S)),
                   S, printer, &error);
    if (!plan) {
        showError(dialogs, error);
        return false;
    }
    request.num = plan->scale.num;
    request.den = plan->scale.den;

    FileDialogRequest file;
    file.title = QStringLiteral("Als Poster exportieren");
    file.filter = QStringLiteral("PDF-Dateien|*.pdf|SVG-Grafiken|*.svg");
    file.defaultSuffix = QStringLiteral("pdf");
    file.fileName = suggestedPdfFile(doc.FileName, QString());
    file.overwritePrompt = true;
    const QString path = dialogs.saveFileName(file);
    if (path.isEmpty()) return false;
    if (chosen) *chosen = path;

    const PosterOutcome outcome =
        exportPoster(doc, box, margins, S, request, path, &dialogs, progress, store);
    if (!outcome.written) {
        showError(dialogs, outcome.error);
        return false;
    }
    if (!outcome.notice.isEmpty())
        dialogs.messageBox(outcome.notice, QStringLiteral("Information"),
                           MB_OK | MB_ICONINFORMATION);
    return true;
}

} // namespace lw
