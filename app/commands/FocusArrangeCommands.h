#pragma once
// The charts of one person in the window: "Vorfahren anordnen...",
// "Nachkommen anordnen..." and "Sanduhr anordnen..." on the arrange page,
// for the selected person, and in the menu of a box, for that box's person.
// Each asks how many generations, arranges the chart as lindwerk-cli arrange
// does and makes that one step of the history; the persons outside the
// chart lose their cell.
#include "chart/FocusArrange.h"

namespace lw {
class ArrangeController;
class ChartView;
class Session;
} // namespace lw

namespace lw::app {

class ArrangePage;

// The generations the question offers first.
inline constexpr int kDefaultFocusGenerations = 4;

// The chart of `person`; without a person (-1) the window says to select one.
void focusArrangeCommand(Session& session, FocusChart chart, int person);

// The page's three buttons (for the person selected in the arrange view)
// and the box menu of the arrange view.
void installFocusArrangeEntries(Session& session, ArrangePage& page, ChartView& view,
                                const ArrangeController& arrange);

} // namespace lw::app
