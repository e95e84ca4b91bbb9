#include "app/commands/ArrangeCommands.h"

#include "chart/AutoArrange.h"
#include "document/Layout.h"
#include "platform/Dialogs.h"
#include "session/DocumentHistory.h"
#include "session/Session.h"

namespace lw::app {

void autoArrangeCommand(Session& session) {
    const int answer = session.dialogs().messageBox(
        QStringLiteral("Sollen alle Personen neu angeordnet werden?\n\n"
                       "Ja: alle Personen\n"
                       "Nein: nur Personen, die noch keinen Platz haben"),
        QStringLiteral("Automatisch anordnen"), MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer != IDYES && answer != IDNO) return;
    Document& doc = session.document();
    const auto cellsBefore = cellSnapshot(doc);
    const AreaSize areaBefore{doc.AreaWidth, doc.AreaHeight};
    const ChartLayout chartBefore = doc.chart;
    arrangeDocument(doc, answer == IDYES ? ArrangeScope::All : ArrangeScope::OnlyUnplaced);
    // The arrangement sets partners side by side: family lines show them.
    doc.chart.lineStyle = LineStyle::FamilyLines;
    // One step of the history, with the area it may have grown and the line
    // style it chose.
    const QString text = QStringLiteral("Automatisch anordnen");
    DocumentHistory& history = *session.history();
    UndoContext& context = history.context();
    std::unique_ptr<QUndoCommand> moves = cellMovesSince(context, text, cellsBefore, areaBefore);
    std::unique_ptr<QUndoCommand> style;
    if (!(doc.chart == chartBefore)) style = chartLayoutStep(context, text, chartBefore);
    if (moves && style) {
        history.stack().beginMacro(text);
        history.push(std::move(moves));
        history.push(std::move(style));
        history.stack().endMacro();
    } else {
        history.push(moves ? std::move(moves) : std::move(style));
    }
    session.showChartLayout();
    session.UpdatePersonList();
}

} // namespace lw::app
