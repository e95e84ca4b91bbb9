#include "print/PaintDevicePrintJob.h"

#include "platform/QPainterCanvas.h"

#include <QFile>
#include <QPagedPaintDevice>
#include <QTransform>

namespace lw {

PaintDevicePrintJob::PaintDevicePrintJob(QPagedPaintDevice& device) : device_(device) {}

PaintDevicePrintJob::~PaintDevicePrintJob() {
    finish();
}

void PaintDevicePrintJob::finish() {
    canvas_.reset();
    if (painter_.isActive()) painter_.end();
}

bool PaintDevicePrintJob::beginDocument(const QString& title) {
    setTitle(title);
    if (!painter_.begin(&device_)) return false;
    begun_ = true;
    facts_ = readFacts();
    canvas_ = std::make_unique<QPainterCanvas>(
        painter_, DeviceCaps{facts_.dpiX, facts_.dpiY, /*rasterPrinter=*/true, true});
    canvas_->setTextShapes(&textShapes_);
    startPage();
    return !deviceFailed();
}

Canvas& PaintDevicePrintJob::canvas() {
    return *canvas_;
}

void PaintDevicePrintJob::startPage() {
    if (!pageOffset_.isNull())
        painter_.setTransform(QTransform::fromTranslate(pageOffset_.x(), pageOffset_.y()));
    if (pageClip_) painter_.setClipRect(*pageClip_);
}

void PaintDevicePrintJob::clipTo(const QRect& area) {
    if (area.isNull()) {
        if (pageClip_)
            painter_.setClipRect(*pageClip_);
        else
            painter_.setClipping(false);
        return;
    }
    painter_.setClipRect(pageClip_ ? pageClip_->intersected(area) : area);
}

bool PaintDevicePrintJob::newPage() {
    if (!device_.newPage() || deviceFailed()) return false;
    startPage();
    return true;
}

bool PaintDevicePrintJob::endDocument() {
    canvas_.reset();
    const bool ended = painter_.end();
    return ended && !deviceFailed();
}

void PaintDevicePrintJob::abort() {
    abortDevice();
    finish();
    if (begun_) {
        const QString file = outputFile();
        if (!file.isEmpty()) QFile::remove(file);
    }
    begun_ = false;
}

} // namespace lw
