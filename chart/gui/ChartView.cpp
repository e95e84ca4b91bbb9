#include "chart/gui/ChartView.h"

#include "chart/ChartPainter.h"
#include "chart/gui/ViewPictures.h"
#include "document/Layout.h"
#include "platform/QPainterCanvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>
#include <limits>

namespace lw {

namespace {

constexpr int kScrollStep = 20;
constexpr int kFallbackScreenDpi = 96;

} // namespace

ChartView::ChartView(ChartMode mode, QWidget* parent) : QAbstractScrollArea(parent), mode_(mode) {
    qRegisterMetaType<QMouseEvent*>(); // for queued connections and signal spies
    setObjectName(mode == ChartMode::Arrange ? QStringLiteral("PaintBox1")
                                             : QStringLiteral("PrintPaintBox"));
    setFrameShape(QFrame::NoFrame); // the page around it draws the frame
    setBackgroundRole(QPalette::Dark);
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(false);
    viewport()->setMouseTracking(true);
    horizontalScrollBar()->setSingleStep(kScrollStep);
    verticalScrollBar()->setSingleStep(kScrollStep);
    updateScrollRanges();
}

void ChartView::setSources(Document* doc, const BoxLayout* box, ChartMargins* margins) {
    doc_ = doc;
    box_ = box;
    margins_ = margins;
    repaintChart();
}

void ChartView::setPrinterFacts(const PrinterFacts& facts) {
    printer_ = facts;
    viewport()->update();
}

void ChartView::setPictureLoader(PictureLoader* loader) {
    delete pictures_;
    pictures_ = loader ? new ViewPictures(*this, *loader) : nullptr;
    viewport()->update();
}

void ChartView::repaintChartRect(const Rect64& r) {
    const Rect64 shown = r.intersected(
        {scrollX(), scrollY(), scrollX() + viewport()->width(), scrollY() + viewport()->height()});
    if (shown.left >= shown.right || shown.top >= shown.bottom) return;
    viewport()->update(int(shown.left - scrollX()), int(shown.top - scrollY()),
                       int(shown.right - shown.left) + 1, int(shown.bottom - shown.top) + 1);
}

void ChartView::repaintChart() {
    updateScrollRanges();
    viewport()->update();
}

Point64 ChartView::chartSize() const {
    if (!doc_ || !box_ || !margins_) return {};
    return chartExtent(*doc_, *box_, *margins_);
}

std::int64_t ChartView::scrollX() const {
    return horizontalScrollBar()->value();
}
std::int64_t ChartView::scrollY() const {
    return verticalScrollBar()->value();
}

Point64 ChartView::toChart(const QPoint& viewportPos) const {
    return {scrollX() + viewportPos.x(), scrollY() + viewportPos.y()};
}

ChartGrid ChartView::grid() const {
    const ChartMargins margins = margins_ ? *margins_ : ChartMargins{};
    return box_ ? ChartGrid(box_->BreitEd, box_->HochEd, margins)
                : ChartGrid(BoxLayout{}.BreitEd, BoxLayout{}.HochEd, margins);
}

int ChartView::screenDpi() const {
    const QScreen* s = screen();
    if (!s) return kFallbackScreenDpi;
    const int dpi = int(s->logicalDotsPerInchX());
    return dpi > 0 ? dpi : kFallbackScreenDpi;
}

int ChartView::scrollMaximum(std::int64_t chartExtent, int viewportExtent) {
    const std::int64_t range = chartExtent - viewportExtent;
    return int(std::clamp<std::int64_t>(range, 0, std::numeric_limits<int>::max()));
}

void ChartView::updateScrollRanges() {
    const Point64 size = chartSize();
    const QSize vp = viewport()->size();
    horizontalScrollBar()->setRange(0, scrollMaximum(size.x, vp.width()));
    verticalScrollBar()->setRange(0, scrollMaximum(size.y, vp.height()));
    horizontalScrollBar()->setPageStep(std::max(1, vp.width()));
    verticalScrollBar()->setPageStep(std::max(1, vp.height()));
}

ChartPaintInput ChartView::paintInput() const {
    ChartPaintInput in;
    in.doc = doc_;
    in.box = box_;
    in.screenDpi = screenDpi();
    in.printer = printer_;
    in.progress = progress_;
    in.dialogs = dialogs_;
    in.pictures = pictures_;
    return in;
}

void ChartView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect exposedRect = event->rect();
    const QBrush outside = palette().brush(QPalette::Dark);
    if (!doc_ || !box_ || !margins_) {
        painter.fillRect(exposedRect, outside);
        return;
    }
    const Point64 origin{scrollX(), scrollY()};
    const Point64 size = chartSize();
    // The chart in viewport pixels, held to just beyond the viewport.
    const int reach = std::max(viewport()->width(), viewport()->height()) + 1;
    auto toViewport = [reach](std::int64_t v) {
        return int(std::clamp<std::int64_t>(v, -1, reach));
    };
    const QRect chartRect(
        QPoint(toViewport(-origin.x), toViewport(-origin.y)),
        QPoint(toViewport(size.x - origin.x) - 1, toViewport(size.y - origin.y) - 1));
    for (const QRect& r : QRegion(exposedRect).subtracted(QRegion(chartRect)))
        painter.fillRect(r, outside);

    painter.setClipRect(exposedRect.intersected(chartRect));
    const int dpi = screenDpi();
    QPainterCanvas canvas(painter, DeviceCaps{dpi, dpi, false, true});
    const ChartMargins before = *margins_;
    const Rect64 exposed{origin.x + exposedRect.left(), origin.y + exposedRect.top(),
                         origin.x + exposedRect.right() + 1, origin.y + exposedRect.bottom() + 1};
    ChartPainter(paintInput(), mode_).paint(canvas, *margins_, exposed, origin);
    if (!(before == *margins_)) {
        // The chart was sized with the margins of the previous painting;
        // resize and paint again once this painting is done.
        QMetaObject::invokeMethod(this, &ChartView::repaintChart, Qt::QueuedConnection);
    }
}

void ChartView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRanges();
}

void ChartView::scrollContentsBy(int dx, int dy) {
    viewport()->scroll(dx, dy);
}

void ChartView::mousePressEvent(QMouseEvent* event) {
    const Point64 p = toChart(event->position().toPoint());
    emit chartMousePressed(event, p.x, p.y);
}

void ChartView::mouseMoveEvent(QMouseEvent* event) {
    const Point64 p = toChart(event->position().toPoint());
    emit chartMouseMoved(event, p.x, p.y);
}

void ChartView::mouseReleaseEvent(QMouseEvent* event) {
    const Point64 p = toChart(event->position().toPoint());
    emit chartMouseReleased(event, p.x, p.y);
}

} // namespace lw
