#pragma once
// A print job on a Qt paged paint device (a printer or a PDF writer), drawn
// through a QPainter and the program's canvas on it.
//
// The device tells its own particulars through the hooks below. When a job
// that had begun is thrown away, the file it was writing (if any) is
// removed, so that no half-written document is left behind.
#include "platform/TextShapes.h"
#include "print/PrintJob.h"

#include <QPainter>
#include <QRect>
#include <memory>
#include <optional>

class QPagedPaintDevice;

namespace lw {

class QPainterCanvas;

class PaintDevicePrintJob : public PrintJob {
  public:
    explicit PaintDevicePrintJob(QPagedPaintDevice& device);
    ~PaintDevicePrintJob() override;

    bool beginDocument(const QString& title) override;
    PrinterFacts facts() const override { return facts_; }
    Canvas& canvas() override;
    void clipTo(const QRect& area) override;
    bool newPage() override;
    bool endDocument() override;
    void abort() override;

  protected:
    // Names the document before it begins.
    virtual void setTitle(const QString& title) = 0;
    // Resolution and printable page, read once the document has begun.
    virtual PrinterFacts readFacts() = 0;
    // Whether the device reports a failure of its own.
    virtual bool deviceFailed() const { return false; }
    // Asks the device to drop the document, before the painter is ended.
    virtual void abortDevice() {}
    // The file the document goes to, empty when it goes to no file.
    virtual QString outputFile() const { return {}; }

    // Limits the drawing on every page to `clip` (device pixels), for a
    // device page somewhat larger than the printable page.
    void setPageClip(const QRect& clip) { pageClip_ = clip; }
    // Moves the printable page's (0, 0) to `offset` on every device page,
    // for a device page that is the whole sheet of paper.
    void setPageOffset(const QPoint& offset) { pageOffset_ = offset; }
    // Ends an unfinished document; a device owned by a subclass calls this
    // in its destructor, before the device goes.
    void finish();

  private:
    void startPage();

    QPagedPaintDevice& device_;
    QPainter painter_;
    // The lines of the boxes, each laid out once for the whole job: sheets
    // and posters write the same names, dates and places again and again.
    TextShapes textShapes_;
    std::unique_ptr<QPainterCanvas> canvas_;
    PrinterFacts facts_;
    std::optional<QRect> pageClip_;
    QPoint pageOffset_;
    bool begun_ = false;
};

} // namespace lw
