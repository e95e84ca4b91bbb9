// The main window's document history (undo and redo) and its keys.
#include "app/window/MainForm.h"

#include "app/pages/ArrangePage.h"
#include "app/pages/PersonListController.h"
#include "app/pages/SettingsPage.h"
#include "chart/gui/ArrangeController.h"
#include "session/DocumentHistory.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QToolButton>

using namespace lw;
using namespace lw::app;

void TMainForm::createHistory() {
    UndoContext context{doc_,
                        box_,
                        [this](int row) {
                            UpdatePersonList();
                            if (row >= 0) personList_->selectRow(row);
                        },
                        [this](int index) {
                            arrange_->cancelMove();
                            personList_->removeRow(index);
                            repaintViews();
                        },
                        [this](int index) {
                            arrange_->cancelMove();
                            personList_->insertRow(index);
                            personList_->selectRow(index);
                            repaintViews();
                        },
                        [this] { repaintViews(); },
                        [this] {
                            showChartLayout();
                            repaintViews();
                        },
                        [this] {
                            settingsPage_->showBoxLayout();
                            repaintViews();
                        }};
    history_ = new DocumentHistory(std::move(context), this);
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        connect(app, &QApplication::focusChanged, history_, &DocumentHistory::focusMoved);
    // A step is never undone under a person being dragged: the drag ends
    // (and becomes a step of its own) first.
    history_->setBeforeStep([this] { arrange_->PaintBox1MouseUp(); });
    connect(history_, &DocumentHistory::documentChanged, this, &TMainForm::documentChanged);
}

void TMainForm::installShortcuts() {
    struct Key {
        const char* name;
        QKeySequence keys;
        void (TMainForm::*command)();
    };
    const Key keys[] = {
        {"NewAction", QKeySequence(Qt::CTRL | Qt::Key_N), &TMainForm::Neu1Click},
        {"OpenAction", QKeySequence(Qt::CTRL | Qt::Key_O), &TMainForm::ffnen1Click},
        {"SaveAction", QKeySequence(Qt::CTRL | Qt::Key_S), &TMainForm::Speichern1Click},
        {"SaveAsAction", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
         &TMainForm::Speichernunter1Click},
        {"PrintAction", QKeySequence(Qt::CTRL | Qt::Key_P), &TMainForm::Drucken1Click},
        {"QuitAction", QKeySequence(Qt::CTRL | Qt::Key_Q), &TMainForm::EndeBtnClick},
    };
    for (const Key& key : keys) {
        auto* action = new QAction(this);
        action->setObjectName(QLatin1String(key.name));
        action->setShortcut(key.keys);
        connect(action, &QAction::triggered, this, key.command);
        addAction(action);
    }
    addAction(history_->undoAction());
    addAction(history_->redoAction());
}

void TMainForm::connectHistory() {
    connect(arrange_, &lw::ArrangeController::personMoved, history_, &DocumentHistory::personMoved);
    connect(settingsPage_, &SettingsPage::boxLayoutEdited, history_,
            [this](const lw::BoxLayout& before, int field) {
                const auto f = SettingsPage::Field(field);
                history_->boxLayoutChanged(
                    before, SettingsPage::fieldText(f),
                    SettingsPage::isTyped(f) ? DocumentHistory::FirstBoxField + field : -1);
                repaintViews();
            });
    for (QComboBox* box : {arrangePage_->LineStyleBox(), settingsPage_->LineStyleBox()})
        connect(box, &QComboBox::currentIndexChanged, this, &TMainForm::LineStyleChange);
}

void TMainForm::showChartLayout() {
    arrangePage_->showChartLayout(doc_.chart);
    settingsPage_->showLineStyle(doc_.chart.lineStyle);
}

void TMainForm::LineStyleChange(int index) {
    const lw::ChartLayout before = doc_.chart;
    doc_.chart.lineStyle = index == 1 ? lw::LineStyle::FamilyLines : lw::LineStyle::ParentLines;
    // The other page's choice follows.
    arrangePage_->showLineStyle(doc_.chart.lineStyle);
    settingsPage_->showLineStyle(doc_.chart.lineStyle);
    history_->chartLayoutChanged(before, QStringLiteral("Linienart ändern"));
    repaintViews();
}

void TMainForm::addHistoryButtons(QHBoxLayout& row, QWidget* bar) {
    row.addSpacing(6);
    for (QAction* action : {history_->undoAction(), history_->redoAction()}) {
        auto* b = new QToolButton(bar);
        b->setObjectName(action == history_->undoAction() ? QStringLiteral("UndoBtn")
                                                          : QStringLiteral("RedoBtn"));
        b->setDefaultAction(action); // picture, tooltip and enabled state
        b->setIconSize(QSize(16, 16));
        b->setAutoRaise(true);
        // The picture alone: the bar keeps the narrow window of old; the
        // tooltip names the step and the keys.
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        b->setFixedSize(25, 25);
        row.addWidget(b);
    }
}
