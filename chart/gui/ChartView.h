#pragma once
// A view of the chart that scrolls: the arrange view or the print preview.
//
// The chart can be far larger than a widget (a million cells of a thousand
// pixels), so the view is not a widget of the chart's size inside a scroll
// area: it is the scroll area and paints the part of the chart that its
// viewport shows, from the chart pixel (scrollX, scrollY) on. The chart's
// size is kept in 64 bits; where it exceeds what a scroll bar can hold
// (2^31 − 1 pixels beyond the viewport), the scrolling stops there while
// the chart itself is drawn in full wherever the view can reach.
//
// The view reads the document, the box layout and the margins that its
// owner keeps; each painting recomputes the margins (shared by both views,
// the mouse handling and printing) and, when they change the chart's size,
// resizes the scroll range and paints again.
#include "chart/ChartInputs.h"
#include "chart/Rect64.h"

#include <QAbstractScrollArea>
#include <memory>

class QMouseEvent;

namespace lw {

class PictureLoader;
class ViewPictures;

class ChartView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit ChartView(ChartMode mode, QWidget* parent = nullptr);

    ChartMode mode() const { return mode_; }

    // What to draw; the pointers must outlive the view (or be replaced).
    void setSources(Document* doc, const BoxLayout* box, ChartMargins* margins);
    void setPrinterFacts(const PrinterFacts& facts);
    const PrinterFacts& printerFacts() const { return printer_; }
    // For picture loading and picture output messages; may be null.
    void setProgressSink(ProgressSink* progress) { progress_ = progress; }
    void setDialogs(Dialogs* dialogs) { dialogs_ = dialogs; }

    // Missing pictures are read by `loader` in the background and their
    // boxes painted when ready; null: the painting reads them itself.
    void setPictureLoader(PictureLoader* loader);
    ViewPictures* pictureSource() const { return pictures_; }

    // Draws the chart anew after a change of the document or the layout.
    void repaintChart();
    // Paints the chart pixels `chartRect` again (a box whose picture came).
    void repaintChartRect(const Rect64& chartRect);

    // The chart's size with the current margins, in pixels.
    Point64 chartSize() const;
    // The chart pixel at the viewport's top left corner.
    std::int64_t scrollX() const;
    std::int64_t scrollY() const;
    // The chart pixel under a point of the viewport.
    Point64 toChart(const QPoint& viewportPos) const;
    // The grid with the margins of the last painting, for hit tests.
    ChartGrid grid() const;

    // Horizontal logical pixels per inch of the screen the view is on, 96
    // when it is on none.
    int screenDpi() const;

    // The scroll bar range for a chart extent shown in a viewport extent:
    // 0 … extent − viewport, clamped to what an int holds.
    static int scrollMaximum(std::int64_t chartExtent, int viewportExtent);

  signals:
    // Mouse events on the viewport, with the chart pixel they happened at.
    void chartMousePressed(QMouseEvent* event, qint64 x, qint64 y);
    void chartMouseMoved(QMouseEvent* event, qint64 x, qint64 y);
    void chartMouseReleased(QMouseEvent* event, qint64 x, qint64 y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    void updateScrollRanges();
    ChartPaintInput paintInput() const;

    ChartMode mode_;
    Document* doc_ = nullptr;
    const BoxLayout* box_ = nullptr;
    ChartMargins* margins_ = nullptr;
    PrinterFacts printer_;
    ProgressSink* progress_ = nullptr;
    Dialogs* dialogs_ = nullptr;
    ViewPictures* pictures_ = nullptr; // a child of the view
};

} // namespace lw
