#pragma once
// For measuring how long the window takes to appear: with the environment
// variable LINDWERK_FIRST_PAINT_REPORT set, the program writes
// "first paint NS" (the system's monotonic clock in nanoseconds, as
// CLOCK_MONOTONIC counts it) to standard output as soon as the main window
// has been painted the first time, and ends. The benchmark starts the real
// program this way; without the variable nothing changes.
class QWidget;

namespace lw::app {

void reportFirstPaintIfAsked(QWidget& window);

} // namespace lw::app
