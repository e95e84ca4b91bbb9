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
//
// The view zooms from 5 % to 400 % (ChartZoom): the scroll bars count view
// pixels, while every position the view hands out (mouse signals, toChart)
// is in chart pixels, so hit tests and moves work alike at every zoom. At
// 100 % the painting is the plain one. The view can also mark one person's
// box: the selected box with a steady frame, a found box with a bright
// frame for a moment.
//
// A box has a menu when the owner gives the view its entries: Shift with the
// right mouse button opens it on the box under the mouse, the menu key on
// the selected box. The right mouse button alone stays the owner's (the
// arrange view opens the person with it).
#include "chart/ChartInputs.h"
#include "chart/ChartZoom.h"
#include "chart/Rect64.h"
#include "platform/TextShapes.h"

#include <QAbstractScrollArea>
#include <QList>
#include <QTimer>
#include <memory>
#include <optional>

class QAction;
class QContextMenuEvent;
class QMouseEvent;
class QPainter;

namespace lw {

class PictureLoader;
class PictureStore;
class ViewPictures;

class ChartView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit ChartView(ChartMode mode, QWidget* parent = nullptr);

    ChartMode mode() const { return mode_; }

    // What to draw; the pointers must outlive the view (or be replaced).
    // The pictures the boxes show are kept in `store` (null: only while a
    // painting lasts).
    void setSources(const Document* doc, const BoxLayout* box, ChartMargins* margins,
                    PictureStore* store = nullptr);
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
    // The chart pixel under a point of the viewport, and the viewport point
    // where a chart pixel shows.
    Point64 toChart(const QPoint& viewportPos) const;
    Point64 toViewport(Point64 chart) const;
    // The grid with the margins of the last painting, for hit tests.
    ChartGrid grid() const;

    // Horizontal logical pixels per inch of the screen the view is on, 96
    // when it is on none.
    int screenDpi() const;

    // The scroll bar range for a chart extent shown in a viewport extent:
    // 0 … extent − viewport, clamped to what an int holds.
    static int scrollMaximum(std::int64_t chartExtent, int viewportExtent);

    // --- zoom ---------------------------------------------------------------
    ChartZoom zoom() const { return zoom_; }
    // Zooms so that the chart pixel under the viewport point `anchor` stays
    // there.
    void setZoom(ChartZoom zoom, const QPoint& anchor);
    // The same around the middle of the viewport.
    void setZoom(ChartZoom zoom);
    void zoomIn() { setZoom(zoom_.stepIn()); }
    void zoomOut() { setZoom(zoom_.stepOut()); }
    // Ctrl+0: back to 100 %, around the mouse when it is over the chart,
    // else around the selected box, else around the middle of what shows.
    void zoomReset();
    // The same with the mouse at `mouse` (viewport pixels; none: elsewhere).
    void zoomResetAt(std::optional<QPoint> mouse);
    // "Ganze Fläche": the heading and the boxes of all placed persons (the
    // whole chart when there are none) fill the viewport, at most at 100 %.
    void zoomToFit();
    // Where the heading shows at `zoom`, in view pixels (empty when its
    // letters are too small to be drawn).
    Rect64 headingInView(ChartZoom zoom) const;
    // Scrolls so that the chart pixel shows in the middle of the viewport.
    void centreOn(Point64 chart);
    // To the top left of the chart, or where no box shows there, to the
    // top row's first box, so that a chart does not open on empty cells.
    void scrollHome();

    // --- marks ----------------------------------------------------------------
    static constexpr int kFlashMs = 1500;
    // The person whose box carries the selection frame; −1 for none.
    void setSelectedPerson(int person);
    int selectedPerson() const { return selected_; }
    // Scrolls the person's box into the middle and flashes a frame around it
    // for kFlashMs; false when the person has no box on the chart.
    bool showPerson(int person);
    int flashedPerson() const { return flashTimer_.isActive() ? flashed_ : -1; }
    // The box of a person placed inside the area, in chart pixels.
    std::optional<Rect64> boxOf(int person) const;

    // --- the menu of a box ------------------------------------------------------
    // Its entries (not owned); none: no menu.
    void setBoxMenu(const QList<QAction*>& entries) { boxMenu_ = entries; }
    // Opens the menu of the box at the viewport point (global position
    // `at`); false when no box is there or there are no entries.
    bool openBoxMenuAt(const QPoint& viewportPos, const QPoint& at);

  signals:
    void zoomChanged(int percent);
    // An entry of the box menu was chosen for `person` (the first person on
    // the box's cell, selected when the menu opened).
    void boxMenuChosen(QAction* entry, int person);
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
    // A quick second press arrives as a double-click; it is a press all the same.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void updateScrollRanges();
    ChartPaintInput paintInput() const;
    void paintMarks(QPainter& painter) const;
    void scrollTo(std::int64_t x, std::int64_t y);
    // The boxes of all placed persons, in chart pixels; nothing without any.
    std::optional<Rect64> placedBoxes() const;
    // The middle of the part of the viewport that shows the chart.
    QPoint shownMiddle() const;
    void runBoxMenu(int person, const QPoint& at);

    ChartMode mode_;
    const Document* doc_ = nullptr;
    PictureStore* store_ = nullptr;
    const BoxLayout* box_ = nullptr;
    ChartMargins* margins_ = nullptr;
    PrinterFacts printer_;
    ProgressSink* progress_ = nullptr;
    Dialogs* dialogs_ = nullptr;
    ViewPictures* pictures_ = nullptr; // a child of the view
    ChartZoom zoom_;
    int selected_ = -1;
    int flashed_ = -1;
    QTimer flashTimer_;
    QList<QAction*> boxMenu_;
    TextShapes textShapes_; // the boxes' lines, laid out once for every painting
};

} // namespace lw
