#include "chart/gui/ChartView.h"

#include "chart/ChartPainter.h"
#include "chart/FamilyLines.h"
#include "chart/ZoomedCanvas.h"
#include "chart/gui/ViewPictures.h"
#include "document/Document.h"
#include "document/Layout.h"
#include "platform/DocText.h"
#include "platform/LineSpan.h"
#include "platform/QPainterCanvas.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QFontMetricsF>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace lw {

namespace {

constexpr int kScrollStep = 20;
constexpr int kFallbackScreenDpi = 96;
constexpr int kMarkWidth = 3; // the frames around marked boxes, in view pixels
constexpr int kMarkGap = 2;   // between the box and its frame
constexpr int kFitSpace = 20; // chart pixels around the boxes that "Ganze Fläche" shows
const QColor kSelectedColor(0, 90, 200);
const QColor kFlashColor(255, 140, 0);

Rect64 united(const Rect64& a, const Rect64& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

// The width of one line of UTF-8 text in `metrics`' font, as the
// canvas measures it.
qreal textWidth(const QFontMetricsF& metrics, const std::string& text) {
    if (text.size() <= QPainterCanvas::kLongLine)
        return metrics.horizontalAdvance(fromDocText(text));
    const std::array<qreal, 256> advance = byteAdvances(metrics);
    qreal width = 0;
    for (const char c : text)
        width += advance[std::uint8_t(c)];
    return width;
}

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
    setFocusPolicy(Qt::StrongFocus); // a click on the chart takes the keys (arrow moves)
    horizontalScrollBar()->setSingleStep(kScrollStep);
    verticalScrollBar()->setSingleStep(kScrollStep);
    flashTimer_.setSingleShot(true);
    flashTimer_.setInterval(kFlashMs);
    connect(&flashTimer_, &QTimer::timeout, viewport(), qOverload<>(&QWidget::update));
    updateScrollRanges();
}

void ChartView::setSources(const Document* doc, const BoxLayout* box, ChartMargins* margins,
                           PictureStore* store) {
    doc_ = doc;
    store_ = store;
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
    const Point64 from = toViewport({r.left, r.top});
    const Point64 to = toViewport({r.right, r.bottom});
    // A pixel more on each side for the rounding of the zoom.
    const Rect64 shown = Rect64{from.x - 1, from.y - 1, to.x + 2, to.y + 2}.intersected(
        {0, 0, viewport()->width(), viewport()->height()});
    if (shown.empty()) return;
    viewport()->update(int(shown.left), int(shown.top), int(shown.right - shown.left),
                       int(shown.bottom - shown.top));
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
    return {zoom_.toChart(scrollX() + viewportPos.x()), zoom_.toChart(scrollY() + viewportPos.y())};
}

Point64 ChartView::toViewport(Point64 chart) const {
    return {zoom_.toView(chart.x) - scrollX(), zoom_.toView(chart.y) - scrollY()};
}

void ChartView::scrollTo(std::int64_t x, std::int64_t y) {
    auto clampTo = [](QScrollBar* bar, std::int64_t v) {
        bar->setValue(int(std::clamp<std::int64_t>(v, bar->minimum(), bar->maximum())));
    };
    clampTo(horizontalScrollBar(), x);
    clampTo(verticalScrollBar(), y);
}

void ChartView::setZoom(ChartZoom zoom, const QPoint& anchor) {
    if (zoom == zoom_) return;
    // The chart position under the anchor, to the fraction of a chart pixel.
    const double chartX = double(scrollX() + anchor.x()) * 100.0 / zoom_.percent();
    const double chartY = double(scrollY() + anchor.y()) * 100.0 / zoom_.percent();
    zoom_ = zoom;
    updateScrollRanges();
    scrollTo(std::llround(chartX * zoom_.percent() / 100.0) - anchor.x(),
             std::llround(chartY * zoom_.percent() / 100.0) - anchor.y());
    viewport()->update();
    emit zoomChanged(zoom_.percent());
}

void ChartView::setZoom(ChartZoom zoom) {
    setZoom(zoom, shownMiddle());
}

QPoint ChartView::shownMiddle() const {
    const Point64 size = chartSize();
    const QSize vp = viewport()->size();
    auto middle = [](std::int64_t extent, std::int64_t scroll, int shown) {
        const std::int64_t from = std::max<std::int64_t>(0, -scroll);
        const std::int64_t to = std::min<std::int64_t>(shown, extent - scroll);
        return int(to > from ? (from + to) / 2 : shown / 2);
    };
    return {middle(zoom_.viewExtent(size.x), scrollX(), vp.width()),
            middle(zoom_.viewExtent(size.y), scrollY(), vp.height())};
}

void ChartView::zoomReset() {
    const QPoint mouse = viewport()->mapFromGlobal(QCursor::pos());
    zoomResetAt(viewport()->isVisible() ? std::optional<QPoint>(mouse) : std::nullopt);
}

void ChartView::zoomResetAt(std::optional<QPoint> mouse) {
    const QRect shown = viewport()->rect();
    if (mouse && shown.contains(*mouse)) {
        setZoom(ChartZoom(), *mouse);
        return;
    }
    const std::optional<Rect64> box = boxOf(selected_);
    if (!box) {
        setZoom(ChartZoom());
        return;
    }
    // The selected box stays where it shows; one out of sight comes into
    // the middle.
    const Point64 middle{(box->left + box->right) / 2, (box->top + box->bottom) / 2};
    const Point64 at = toViewport(middle);
    if (shown.contains(QPoint(int(std::clamp<std::int64_t>(at.x, -1, shown.width())),
                              int(std::clamp<std::int64_t>(at.y, -1, shown.height()))))) {
        setZoom(ChartZoom(), QPoint(int(at.x), int(at.y)));
    } else {
        setZoom(ChartZoom());
        centreOn(middle);
    }
}

void ChartView::centreOn(Point64 chart) {
    scrollTo(zoom_.toView(chart.x) - viewport()->width() / 2,
             zoom_.toView(chart.y) - viewport()->height() / 2);
}

void ChartView::scrollHome() {
    scrollTo(0, 0);
    if (!doc_) return;
    const Rect64 shown{zoom_.toChart(0), zoom_.toChart(0), zoom_.toChart(viewport()->width()),
                       zoom_.toChart(viewport()->height())};
    std::optional<Rect64> first; // the topmost row's leftmost box
    for (int i = 0; i < doc_->PersonCount(); ++i) {
        const std::optional<Rect64> box = boxOf(i);
        if (!box) continue;
        if (!box->intersected(shown).empty()) return;
        if (!first || box->top < first->top || (box->top == first->top && box->left < first->left))
            first = box;
    }
    if (first)
        scrollTo(zoom_.toView(first->left - kFitSpace), zoom_.toView(first->top - kFitSpace));
}

std::optional<Rect64> ChartView::boxOf(int person) const {
    if (!doc_ || person < 0 || person >= doc_->PersonCount()) return std::nullopt;
    const TPerson& p = doc_->person(person);
    if (p.GridX < 0 || p.GridX >= doc_->AreaWidth || p.GridY < 0 || p.GridY >= doc_->AreaHeight)
        return std::nullopt;
    const ChartGrid g = grid();
    return Rect64{g.Left(p.GridX, p.GridY), g.Top(p.GridY), g.Right(p.GridX, p.GridY),
                  g.Bottom(p.GridY)};
}

std::optional<Rect64> ChartView::placedBoxes() const {
    if (!doc_) return std::nullopt;
    std::optional<Rect64> used;
    for (int i = 0; i < doc_->PersonCount(); ++i)
        if (const std::optional<Rect64> box = boxOf(i)) used = used ? united(*used, *box) : *box;
    return used;
}

Rect64 ChartView::headingInView(ChartZoom zoom) const {
    if (!doc_ || doc_->chart.Caption.empty()) return {};
    const int dpi = screenDpi();
    TFontInfo font = doc_->chart.headingFont;
    if (!zoom.identity()) {
        // As the zoomed painting sets it: scaled by its height, or left out.
        font.Height = ZoomedCanvas::scaledFontHeight(font.Height, zoom);
        if (font.Height == 0) return {};
    }
    const QFontMetricsF metrics(QPainterCanvas::toQFont(font), viewport());
    const ChartMargins margins = chartMargins(*doc_, dpi);
    const std::int64_t left = zoom.toView(margins.RandLPix);
    const std::int64_t top = zoom.toView(marginPixels(doc_->chart.RandOED2, dpi));
    return {left, top, left + std::int64_t(std::ceil(textWidth(metrics, doc_->chart.Caption))),
            top + std::int64_t(std::ceil(metrics.height()))};
}

void ChartView::zoomToFit() {
    if (!doc_) return;
    const Point64 size = chartSize();
    const Rect64 chart{0, 0, size.x, size.y};
    const std::optional<Rect64> boxes = placedBoxes();
    const QSize vp = viewport()->size();
    // What has to show at `zoom`, in view pixels: the boxes with some space
    // around them and the heading (as far as the chart reaches), or the
    // whole chart when no box is placed.
    auto wanted = [&](ChartZoom zoom) {
        const Rect64 inView{0, 0, zoom.viewExtent(size.x), zoom.viewExtent(size.y)};
        if (!boxes) return inView;
        const Rect64 b = boxes->grown(kFitSpace).intersected(chart);
        Rect64 r{zoom.toView(b.left), zoom.toView(b.top), zoom.viewExtent(b.right),
                 zoom.viewExtent(b.bottom)};
        const Rect64 heading = headingInView(zoom);
        if (!heading.empty())
            r = united(r, heading.grown(zoom.viewExtent(kFitSpace)).intersected(inView));
        return r;
    };
    auto fits = [&](const Rect64& r) {
        return r.right - r.left <= vp.width() && r.bottom - r.top <= vp.height();
    };
    const Rect64 atFull = wanted(ChartZoom());
    ChartZoom fit = ChartZoom::fitting({atFull.right - atFull.left, atFull.bottom - atFull.top},
                                       {vp.width(), vp.height()});
    // Letters do not shrink quite in step with the zoom: step down until
    // the heading fits as well.
    while (fit.percent() > ChartZoom::kMin && !fits(wanted(fit)))
        fit = ChartZoom(fit.percent() - 1);
    setZoom(fit);
    const Rect64 r = wanted(fit);
    scrollTo((r.left + r.right) / 2 - vp.width() / 2, (r.top + r.bottom) / 2 - vp.height() / 2);
}

void ChartView::setSelectedPerson(int person) {
    if (person == selected_) return;
    selected_ = person;
    viewport()->update();
}

bool ChartView::showPerson(int person) {
    const std::optional<Rect64> box = boxOf(person);
    if (!box) return false;
    centreOn({(box->left + box->right) / 2, (box->top + box->bottom) / 2});
    flashed_ = person;
    flashTimer_.start();
    viewport()->update();
    return true;
}

void ChartView::paintMarks(QPainter& painter) const {
    auto frame = [&](int person, const QColor& color) {
        const std::optional<Rect64> box = boxOf(person);
        if (!box) return;
        const Point64 a = toViewport({box->left, box->top});
        const Point64 b = toViewport({box->right, box->bottom});
        const int reach = std::max(viewport()->width(), viewport()->height()) + 16;
        auto held = [reach](std::int64_t v) {
            return int(std::clamp<std::int64_t>(v, -16, reach));
        };
        const int out = kMarkGap + kMarkWidth;
        const QRect r(QPoint(held(a.x) - out, held(a.y) - out),
                      QPoint(held(b.x) + out, held(b.y) + out));
        painter.setClipping(false);
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        const QRegion ring = QRegion(r).subtracted(
            QRegion(r.adjusted(kMarkWidth, kMarkWidth, -kMarkWidth, -kMarkWidth)));
        for (const QRect& part : ring)
            painter.drawRect(part);
    };
    if (selected_ >= 0) frame(selected_, kSelectedColor);
    if (flashTimer_.isActive() && flashed_ >= 0) frame(flashed_, kFlashColor);
}

ChartGrid ChartView::grid() const {
    // The margins follow from the document and the screen, whatever the
    // last painting was sized with.
    const ChartMargins margins = doc_       ? chartMargins(*doc_, screenDpi())
                                 : margins_ ? *margins_
                                            : ChartMargins{};
    return box_ && doc_ ? chartGridOf(*doc_, *box_, margins)
                        : ChartGrid(box_ ? box_->BreitEd : BoxLayout{}.BreitEd,
                                    box_ ? box_->HochEd : BoxLayout{}.HochEd, margins);
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
    horizontalScrollBar()->setRange(0, scrollMaximum(zoom_.viewExtent(size.x), vp.width()));
    verticalScrollBar()->setRange(0, scrollMaximum(zoom_.viewExtent(size.y), vp.height()));
    horizontalScrollBar()->setPageStep(std::max(1, vp.width()));
    verticalScrollBar()->setPageStep(std::max(1, vp.height()));
}

ChartPaintInput ChartView::paintInput() const {
    ChartPaintInput in;
    in.doc = doc_;
    in.store = store_;
    in.box = box_;
    in.screenDpi = screenDpi();
    in.printer = printer_;
    in.progress = progress_;
    in.dialogs = dialogs_;
    in.pictures = pictures_;
    in.pictureScale = pictureScaleFor(zoom_.percent());
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
    const Point64 scroll{scrollX(), scrollY()};
    const Point64 chartSizeNow = chartSize();
    const Point64 size{zoom_.viewExtent(chartSizeNow.x), zoom_.viewExtent(chartSizeNow.y)};
    // The chart in viewport pixels, held to just beyond the viewport.
    const int reach = std::max(viewport()->width(), viewport()->height()) + 1;
    auto toViewport = [reach](std::int64_t v) {
        return int(std::clamp<std::int64_t>(v, -1, reach));
    };
    const QRect chartRect(
        QPoint(toViewport(-scroll.x), toViewport(-scroll.y)),
        QPoint(toViewport(size.x - scroll.x) - 1, toViewport(size.y - scroll.y) - 1));
    for (const QRect& r : QRegion(exposedRect).subtracted(QRegion(chartRect)))
        painter.fillRect(r, outside);

    painter.setClipRect(exposedRect.intersected(chartRect));
    const int dpi = screenDpi();
    QPainterCanvas canvas(painter, DeviceCaps{dpi, dpi, false, true});
    canvas.setTextShapes(&textShapes_);
    const ChartMargins before = *margins_;
    const Rect64 exposedView{scroll.x + exposedRect.left(), scroll.y + exposedRect.top(),
                             scroll.x + exposedRect.right() + 1,
                             scroll.y + exposedRect.bottom() + 1};
    if (zoom_.identity()) {
        ChartPainter(paintInput(), mode_).paint(canvas, *margins_, exposedView, scroll);
    } else {
        const Point64 origin{zoom_.toChart(scroll.x), zoom_.toChart(scroll.y)};
        ZoomedCanvas zoomed(canvas, zoom_, origin, scroll);
        ChartPainter(paintInput(), mode_)
            .paint(zoomed, *margins_, zoom_.chartRect(exposedView), origin);
    }
    paintMarks(painter);
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
    // Shift and the right button alone (not during a move) open a box's menu.
    if (event->button() == Qt::RightButton && event->buttons() == Qt::RightButton &&
        (event->modifiers() & Qt::ShiftModifier) &&
        openBoxMenuAt(event->position().toPoint(), event->globalPosition().toPoint()))
        return;
    const Point64 p = toChart(event->position().toPoint());
    emit chartMousePressed(event, p.x, p.y);
}

bool ChartView::openBoxMenuAt(const QPoint& viewportPos, const QPoint& at) {
    if (boxMenu_.isEmpty() || !doc_) return false;
    const Point64 p = toChart(viewportPos);
    const int picked = grid().personAt(*doc_, p.x, p.y);
    if (picked < 0) return false;
    const TPerson& person = doc_->person(picked);
    const int first = doc_->GridNr(person.GridX, person.GridY);
    runBoxMenu(first >= 0 ? first : picked, at);
    return true;
}

void ChartView::contextMenuEvent(QContextMenuEvent* event) {
    // The mouse's menu comes with its press; the menu key opens the menu
    // of the selected box.
    const std::optional<Rect64> box = boxOf(selected_);
    if (event->reason() != QContextMenuEvent::Keyboard || boxMenu_.isEmpty() || !box) {
        event->ignore();
        return;
    }
    const Point64 middle = toViewport({(box->left + box->right) / 2, (box->top + box->bottom) / 2});
    const QPoint at(int(std::clamp<std::int64_t>(middle.x, 0, viewport()->width())),
                    int(std::clamp<std::int64_t>(middle.y, 0, viewport()->height())));
    runBoxMenu(selected_, viewport()->mapToGlobal(at));
}

void ChartView::runBoxMenu(int person, const QPoint& at) {
    setSelectedPerson(person);
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("BoxMenu"));
    menu.addActions(boxMenu_);
    if (QAction* chosen = menu.exec(at)) emit boxMenuChosen(chosen, person);
}

void ChartView::mouseMoveEvent(QMouseEvent* event) {
    const Point64 p = toChart(event->position().toPoint());
    emit chartMouseMoved(event, p.x, p.y);
}

void ChartView::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void ChartView::mouseReleaseEvent(QMouseEvent* event) {
    const Point64 p = toChart(event->position().toPoint());
    emit chartMouseReleased(event, p.x, p.y);
}

} // namespace lw
