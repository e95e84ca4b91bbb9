#pragma once
// The chart's printer facts from a QPrinter.
#include "chart/ChartInputs.h"

#include <memory>

class QPrinter;

namespace lw {

// Resolution and printable page of `printer`, in its device pixels.
PrinterFacts printerFactsOf(QPrinter& printer);

// The system's default printer, or, when none is installed, a PDF printer
// for A4 at 600 dpi, so that the page guides always have a page to show.
std::unique_ptr<QPrinter> makeDefaultPrinter();

} // namespace lw
