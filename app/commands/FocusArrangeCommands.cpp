#include "app/commands/FocusArrangeCommands.h"

#include "app/pages/ArrangePage.h"
#include "chart/gui/ArrangeController.h"
#include "chart/gui/ChartView.h"
#include "document/Document.h"
#include "platform/Dialogs.h"
#include "platform/Win1252.h"
#include "session/DocumentHistory.h"
#include "session/Session.h"

#include <QAbstractButton>
#include <QAction>

namespace lw::app {
namespace {

struct FocusEntry {
    FocusChart chart;
    const char* text;       // on the button and in the menu
    const char* objectName; // of the menu's action
};

constexpr FocusEntry kFocusEntries[] = {
    {FocusChart::Ancestors, "Vorfahren anordnen...", "AncestorsAction"},
    {FocusChart::Descendants, "Nachkommen anordnen...", "DescendantsAction"},
    {FocusChart::Hourglass, "Sanduhr anordnen...", "HourglassAction"},
};

const FocusEntry& entryOf(FocusChart chart) {
    for (const FocusEntry& e : kFocusEntries)
        if (e.chart == chart) return e;
    return kFocusEntries[0];
}

// The entry's text without the dots: the caption of its questions and the
// name of its step in the history.
QString titleOf(FocusChart chart) {
    QString text = QString::fromUtf8(entryOf(chart).text);
    text.chop(3);
    return text;
}

QString nameOf(const TPerson& p) {
    const QString name =
        (fromAnsi(p.VorName) + QLatin1Char(' ') + fromAnsi(p.NachName)).simplified();
    return name.isEmpty() ? QStringLiteral("die Person") : name;
}

} // namespace

void focusArrangeCommand(Session& session, FocusChart chart, int person) {
    Document& doc = session.document();
    const QString title = titleOf(chart);
    if (person < 0 || person >= doc.PersonCount()) {
        session.dialogs().messageBox(QStringLiteral("Bitte zuerst eine Person auswählen: mit der "
                                                    "linken Maustaste auf ihr Kästchen klicken."),
                                     title, MB_OK | MB_ICONINFORMATION);
        return;
    }
    const std::optional<int> generations =
        session.dialogs().askNumber(title,
                                    QStringLiteral("Wie viele Generationen? (1: nur %1 selbst)")
                                        .arg(nameOf(doc.person(person))),
                                    kDefaultFocusGenerations, 1, kMaxFocusGenerations);
    if (!generations) return;
    const auto cellsBefore = cellSnapshot(doc);
    const AreaSize areaBefore{doc.AreaWidth, doc.AreaHeight};
    applyArrangement(doc, planFocusArrangement(doc, chart, person, *generations));
    // One step of the history, with the area made as large as the chart.
    session.history()->push(
        cellMovesSince(session.history()->context(), title, cellsBefore, areaBefore));
    // The list shows no cells; the person stays selected and comes into view.
    session.repaintViews();
    session.showPerson(person);
}

void installFocusArrangeEntries(Session& session, ArrangePage& page, ChartView& view,
                                const ArrangeController& arrange) {
    const std::pair<QAbstractButton*, FocusChart> buttons[] = {
        {page.AncestorsBtn(), FocusChart::Ancestors},
        {page.DescendantsBtn(), FocusChart::Descendants},
        {page.HourglassBtn(), FocusChart::Hourglass},
    };
    for (const auto& [button, chart] : buttons)
        QObject::connect(button, &QAbstractButton::clicked, &page,
                         [&session, &arrange, chart = chart] {
                             focusArrangeCommand(session, chart, arrange.selectedPerson());
                         });

    QList<QAction*> entries;
    for (const FocusEntry& e : kFocusEntries) {
        auto* action = new QAction(QString::fromUtf8(e.text), &view);
        action->setObjectName(QLatin1String(e.objectName));
        action->setData(int(e.chart));
        entries << action;
    }
    view.setBoxMenu(entries);
    QObject::connect(&view, &ChartView::boxMenuChosen, &view,
                     [&session](QAction* entry, int person) {
                         focusArrangeCommand(session, FocusChart(entry->data().toInt()), person);
                     });
}

} // namespace lw::app
