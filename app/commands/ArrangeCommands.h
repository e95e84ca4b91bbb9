#pragma once
// "Automatisch anordnen" on the arrange page: every person, or only those
// without a cell, on the chart as the arrangement places them, in one step
// of the history.
namespace lw {
class Session;
} // namespace lw

namespace lw::app {

// Asks whether all persons or only those without a cell are arranged, then
// arranges them in one change.
void autoArrangeCommand(Session& session);

} // namespace lw::app
