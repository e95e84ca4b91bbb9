#include "app/pages/PersonSearchController.h"

#include "app/pages/PersonListController.h"
#include "app/widgets/FindBar.h"
#include "chart/gui/ArrangeController.h"
#include "chart/gui/ChartView.h"
#include "document/Document.h"
#include "document/PersonSearch.h"

#include <QLineEdit>
#include <QShortcut>
#include <QTabWidget>

namespace lw::app {

PersonSearchController::PersonSearchController(const Parts& parts, QObject* parent)
    : QObject(parent), parts_(parts) {
    auto shortcut = [this](const QKeySequence& keys, void (PersonSearchController::*slot)()) {
        auto* s = new QShortcut(keys, &parts_.window);
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence::Find, &PersonSearchController::openSearch);
    shortcut(QKeySequence(Qt::Key_F3), &PersonSearchController::findNext);
    shortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), &PersonSearchController::findPrevious);
    for (FindBar* bar : {parts_.persons.bar, parts_.arrange.bar}) {
        connect(bar, &FindBar::textChanged, this, [this, bar] { search(*bar, SearchFrom::Here); });
        connect(bar, &FindBar::nextRequested, this,
                [this, bar] { search(*bar, SearchFrom::After); });
        connect(bar, &FindBar::previousRequested, this,
                [this, bar] { search(*bar, SearchFrom::Before); });
    }
}

FindBar* PersonSearchController::currentBar() const {
    QWidget* page = parts_.pages.currentWidget();
    if (page == parts_.persons.page) return parts_.persons.bar;
    if (page == parts_.arrange.page) return parts_.arrange.bar;
    return nullptr;
}

bool PersonSearchController::onArrangePage() const {
    return parts_.pages.currentWidget() == parts_.arrange.page;
}

void PersonSearchController::openSearch() {
    if (FindBar* bar = currentBar()) bar->open();
}

void PersonSearchController::findNext() {
    findFrom(SearchFrom::After);
}

void PersonSearchController::findPrevious() {
    findFrom(SearchFrom::Before);
}

void PersonSearchController::findFrom(SearchFrom from) {
    FindBar* bar = currentBar();
    if (!bar) return;
    if (bar->field()->text().trimmed().isEmpty()) {
        bar->open();
        return;
    }
    bar->show();
    search(*bar, from);
}

bool PersonSearchController::search(FindBar& bar, SearchFrom from) {
    const PersonQuery query(bar.field()->text());
    if (query.empty()) {
        bar.showFound(true);
        return false;
    }
    const bool arrange = &bar == parts_.arrange.bar;
    int found = -1;
    if (arrange) {
        ChartView& view = parts_.arrangeView;
        found = findPerson(parts_.doc, query, parts_.arrangeController.selectedPerson(), from,
                           [&view](int i) { return view.boxOf(i).has_value(); });
        if (found >= 0) {
            parts_.arrangeController.selectPerson(found);
            view.showPerson(found);
        }
    } else {
        found = findPerson(parts_.doc, query, parts_.list.selectedRow(), from);
        if (found >= 0) parts_.list.selectRow(found);
    }
    bar.showFound(found >= 0);
    return found >= 0;
}

} // namespace lw::app
