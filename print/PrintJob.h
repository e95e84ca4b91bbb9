#pragma once
// A printer document as the print command drives it: begin with a title,
// draw a page, start the next one, end. A printer, a PDF file and a test's
// fake all stand behind it.
#include "chart/ChartInputs.h"

#include <QRect>
#include <QString>

namespace lw {

class Canvas;

class PrintJob {
  public:
    virtual ~PrintJob() = default;

    // Starts the document named `title`; false when the printer refuses.
    virtual bool beginDocument(const QString& title) = 0;
    // Resolution and printable page size of the started document, in
    // printer pixels.
    virtual PrinterFacts facts() const = 0;
    // The current page, one unit a printer pixel, (0, 0) the top left corner
    // of the printable area; only between beginDocument and endDocument.
    virtual Canvas& canvas() = 0;
    // Limits the drawing on the current page to `area` (pixels of the
    // printable page); a null rectangle lifts the limit again.
    virtual void clipTo(const QRect& area) = 0;
    // Ends the current page and starts the next; false when that fails.
    virtual bool newPage() = 0;
    // Ends the document and hands it to the printer; false when that fails.
    virtual bool endDocument() = 0;
    // After a failure: throws the document away as far as the printer
    // allows and leaves the printer ready for the next job.
    virtual void abort() = 0;
};

} // namespace lw
