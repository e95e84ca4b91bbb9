#include "app/window/MainForm.h"

#include "app/commands/ArrangeCommands.h"
#include "app/commands/BioExportCommand.h"
#include "app/commands/FileDrop.h"
#include "app/commands/FocusArrangeCommands.h"
#include "app/commands/GedcomCommands.h"
#include "app/pages/ArrangePage.h"
#include "app/pages/PersonListController.h"
#include "app/pages/PersonSearchController.h"
#include "app/pages/PersonsPage.h"
#include "app/pages/PrintPage.h"
#include "app/pages/SettingsPage.h"
#include "app/widgets/ImageButton.h"
#include "app/widgets/StatusProgress.h"
#include "app/widgets/ToolButtons.h"
#include "app/widgets/WheelScroller.h"
#include "app/widgets/ZoomBar.h"
#include "app/window/AboutBox.h"
#include "app/window/Maker.h"
#include "app/window/Resources.h"
#include "chart/PictureLoader.h"
#include "chart/gui/AreaForm.h"
#include "chart/gui/ArrangeController.h"
#include "chart/gui/ChartView.h"
#include "chart/gui/PrinterFactsQt.h"
#include "document/StaFile.h"
#include "document/gui/EditPForm.h"
#include "document/gui/PersonFlows.h"
#include "picture/PictureProblems.h"
#include "platform/Dialogs.h"
#include "platform/DocText.h"
#include "print/SheetPlan.h"
#include "print/gui/PosterExport.h"
#include "print/gui/PreviewPanning.h"
#include "print/gui/PrintCommands.h"
#include "print/gui/PrintProgressDialog.h"
#include "session/DocumentHistory.h"
#include "session/RecentFiles.h"
#include "session/RecoveryKeeper.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

using namespace lw;
using namespace lw::app;

namespace {

// A progress report on its way through the event queue.
class ProgressEvent : public QEvent {
  public:
    explicit ProgressEvent(int percent) : QEvent(eventType()), percent(percent) {}
    static QEvent::Type eventType() {
        static const auto type = QEvent::Type(QEvent::registerEventType());
        return type;
    }
    const int percent;
};

QToolButton* makeFlatButton(const QString& text, const QString& hint, const QString& glyph,
                            const char* name, QWidget* parent) {
    QToolButton* b = makeToolButton(text, hint, name, parent, true);
    b->setIcon(QIcon(glyph));
    b->setIconSize(QSize(16, 16));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setFixedSize(121, 25);
    return b;
}

} // namespace

TMainForm::TMainForm(Dialogs& dialogs, QWidget* parent) : QMainWindow(parent), dialogs_(dialogs) {
    initAppResources();
    setObjectName(QStringLiteral("MainForm"));
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"),
                      QStringLiteral("Liberation Sans")});
    font.setPointSize(8);
    setFont(font);
    setWindowIcon(QIcon(QStringLiteral(":/images/lindwerk.png")));

    aboutHandler_ = [this] { aboutBox_->exec(); };
    urlOpener_ = [](const QUrl& url) { QDesktopServices::openUrl(url); };

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    createHistory();
    layout->addWidget(buildTopBar());
    buildPages();
    buildViews();
    layout->addWidget(pageControl_, 1);
    layout->addWidget(buildBottomBar());
    setCentralWidget(central);
    buildStatusBar();

    // Without a settings file: a size that shows a useful part of the chart.
    setGeometry(firstWindowGeometry(screen() ? screen()->availableGeometry() : QRect()));
    updateTitle(); // FormCreate
    createDialogs();
    createControllers();
    createSettingsWriter();
    connectStatusMessages();
    installShortcuts();
    new FileDrop(*this, [this](const QString& path) {
        if (isGedcomFileName(path))
            importGedcomFile(*this, path);
        else
            openFileAsked(path);
    });
}

TMainForm::~TMainForm() {
    // A window destroyed without closing still leaves its settings behind.
    if (shownOnce_ &&
        (!formStorage_.hasSaved() || box_ != savedBox_ || printOptions_ != savedOptions_))
        formStorage_.save(*this, box_, dialogs_, true, &printOptions_);
    // The views outlive the members; they read no pictures from here on.
    arrangeView_->setPictureLoader(nullptr);
    printView_->setPictureLoader(nullptr);
    pictureLoader_.reset();
    lw::setPictureProblemSink(nullptr);
}

// ---------------------------------------------------------------- the frame

QWidget* TMainForm::buildTopBar() {
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("TopBar"));
    bar->setFixedHeight(27);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(1, 1, 1, 1);
    row->setSpacing(0);
    QToolButton* neu =
        makeFlatButton(QStringLiteral("&Neu"), QStringLiteral("Neuen Stammbaum erstellen (Strg+N)"),
                       QStringLiteral(":/images/glyph_new.png"), "SpeedButton1", bar);
    QToolButton* open =
        makeFlatButton(QStringLiteral("Ö&ffnen..."), QStringLiteral("Stammbaum öffnen... (Strg+O)"),
                       QStringLiteral(":/images/glyph_open.png"), "OpenBtn", bar);
    QToolButton* save =
        makeFlatButton(QStringLiteral("&Speichern"), QStringLiteral("Stammbaum speichern (Strg+S)"),
                       QStringLiteral(":/images/glyph_save.png"), "SaveBtn", bar);
    QToolButton* saveAs =
        makeFlatButton(QStringLiteral("Speichern &unter..."),
                       QStringLiteral("Stammbaum speichern unter... (Strg+Umschalt+S)"),
                       QStringLiteral(":/images/glyph_saveas.png"), "SaveAsBtn", bar);
    connect(neu, &QToolButton::clicked, this, &TMainForm::Neu1Click);
    connect(open, &QToolButton::clicked, this, &TMainForm::ffnen1Click);
    recent_ = std::make_unique<RecentFiles>([this] { return formStorage_.path(); });
    recentMenu_ = new QMenu(open);
    recentMenu_->setObjectName(QStringLiteral("RecentMenu"));
    connect(recentMenu_, &QMenu::aboutToShow, this, &TMainForm::fillRecentMenu);
    open->setMenu(recentMenu_);
    open->setPopupMode(QToolButton::MenuButtonPopup);
    open->setFixedWidth(open->width() + 14);
    connect(save, &QToolButton::clicked, this, &TMainForm::Speichern1Click);
    connect(saveAs, &QToolButton::clicked, this, &TMainForm::Speichernunter1Click);
    QToolButton* gedcom = makeGedcomButton(*this, bar);
    for (QToolButton* b : {neu, open, save, saveAs, gedcom})
        row->addWidget(b);
    addHistoryButtons(*row, bar);
    row->addStretch(1);
    return bar;
}

void TMainForm::buildPages() {
    pageControl_ = new QTabWidget(this);
    pageControl_->setObjectName(QStringLiteral("PageControl1"));
    pageControl_->setIconSize(QSize(16, 16));
    pageControl_->setDocumentMode(false);

    personsPage_ = new PersonsPage(pageControl_);
    arrangePage_ = new ArrangePage(pageControl_);
    printPage_ = new PrintPage(pageControl_);
    settingsPage_ = new SettingsPage(box_, dialogs_, pageControl_);
    pageControl_->addTab(personsPage_, QIcon(QStringLiteral(":/images/tab_persons.png")),
                         QStringLiteral("Personen verwalten"));
    pageControl_->addTab(arrangePage_, QIcon(QStringLiteral(":/images/tab_arrange.png")),
                         QStringLiteral("Personen anordnen"));
    pageControl_->addTab(printPage_, QIcon(QStringLiteral(":/images/tab_print.png")),
                         QStringLiteral("Drucken"));
    pageControl_->addTab(settingsPage_, QIcon(QStringLiteral(":/images/tab_settings.png")),
                         QStringLiteral("Einstellungen"));

    connect(personsPage_->NewBtn(), &QAbstractButton::clicked, this, &TMainForm::NewBtnClick);
    connect(personsPage_->EditBtn(), &QAbstractButton::clicked, this, &TMainForm::EditBtnClick);
    connect(personsPage_->DelBtn(), &QAbstractButton::clicked, this, &TMainForm::DelBtnClick);
    connect(personsPage_->MoveUpToBtn(), &QAbstractButton::clicked, this,
            &TMainForm::MoveUpToBtnClick);
    connect(personsPage_->MoveDownToBtn(), &QAbstractButton::clicked, this,
            &TMainForm::MoveDownToBtnClick);
    connect(personsPage_->ListBox1(), &QListWidget::itemDoubleClicked, this,
            &TMainForm::EditBtnClick);

    connect(arrangePage_->AreaBtn(), &QAbstractButton::clicked, this, &TMainForm::AreaBtnClick);
    connect(arrangePage_->AutoArrangeBtn(), &QAbstractButton::clicked, this,
            [this] { autoArrangeCommand(*this); });
    connect(arrangePage_->Font2Btn(), &QAbstractButton::clicked, this, &TMainForm::Font2BtnClick);
    connect(arrangePage_->CaptionEd(), &QLineEdit::textChanged, this, &TMainForm::CaptionEdChange);
    connect(arrangePage_->RandLEd(), &QDoubleSpinBox::valueChanged, this,
            &TMainForm::RandLEdChange);
    connect(arrangePage_->RandOEd(), &QDoubleSpinBox::valueChanged, this,
            &TMainForm::RandOEdChange);
    connect(arrangePage_->RandOED2(), &QDoubleSpinBox::valueChanged, this,
            &TMainForm::RandOED2Change);

    connect(printPage_->GoBtn1(), &ImageButton::clicked, this, &TMainForm::GoBtn1Click);
    connect(printPage_->SetupBtn(), &ImageButton::clicked, this, &TMainForm::SetupBtnClick);
    connect(printPage_->LeblaufBtn(), &QAbstractButton::clicked, this, &TMainForm::LeblaufBtnClick);
    connect(printPage_->PosterBtn(), &QAbstractButton::clicked, this, &TMainForm::PosterBtnClick);
    // Settings changed elsewhere show in the sheet count when the page shows.
    connect(pageControl_, &QTabWidget::currentChanged, this, [this](int index) {
        if (pageControl_->widget(index) == printPage_) updateSheetOverview();
    });

    connect(settingsPage_, &SettingsPage::repaintViewsRequested, this, &TMainForm::repaintViews);
}

void TMainForm::buildViews() {
    printer_ = lw::makeDefaultPrinter();
    pictureLoader_ = std::make_unique<lw::PictureLoader>(pictures_, this);
    doc_.addListener([this](const lw::DocumentChange& change) { followDocument(change); });
    // A picture that cannot be shown is told in the status bar, once per
    // file; the notice may come from a reading thread.
    lw::setPictureProblemSink([bar = QPointer<QStatusBar>(statusBar())](const QString& notice) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [bar, notice] {
                if (bar) bar->showMessage(notice, 15000);
            },
            Qt::QueuedConnection);
    });
    auto makeView = [this](lw::ChartMode mode) {
        auto* view = new lw::ChartView(mode);
        view->setSources(&doc_, &box_, &margins_, &pictures_);
        view->setPictureLoader(pictureLoader_.get());
        view->setPrinterFacts(lw::printerFactsOf(*printer_));
        view->setProgressSink(this);
        view->setDialogs(&dialogs_);
        return view;
    };
    arrangeView_ = makeView(lw::ChartMode::Arrange);
    printView_ = makeView(lw::ChartMode::Preview);
    new lw::PreviewPanning(*printView_); // dragging the preview; a child of it
    arrangePage_->setChartView(arrangeView_);
    printPage_->setPreviewView(printView_);
}

void TMainForm::printerChanged() {
    const lw::PrinterFacts facts = lw::printerFactsOf(*printer_);
    arrangeView_->setPrinterFacts(facts);
    printView_->setPrinterFacts(facts);
    updateSheetOverview();
}

void TMainForm::updateSheetOverview() {
    const lw::PrinterFacts facts = lw::printerFactsOf(*printer_);
    QString error;
    const std::optional<lw::SheetOverview> overview =
        lw::overviewSheets(doc_, box_, printView_->screenDpi(), facts, printOptions_, &error);
    printPage_->SheetInfo()->setText(overview ? lw::sheetOverviewText(*overview) : error);
    printView_->setPrinterFacts(overview ? overview->guides : facts);
}

QWidget* TMainForm::buildBottomBar() {
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("BottomBar"));
    bar->setFixedHeight(41);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 4, 4, 4);
    row->setSpacing(0);

    auto* www = new QToolButton(bar);
    www->setObjectName(QStringLiteral("wwwBtn"));
    www->setText(makerWebAddress());
    www->setToolTip(QStringLiteral("Auf zur Morvane Homepage..."));
    www->setIcon(QIcon(QStringLiteral(":/images/glyph_www.png")));
    www->setIconSize(QSize(24, 24));
    www->setAutoRaise(true);
    www->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    www->setFixedSize(137, 33);
    connect(www, &QToolButton::clicked, this, &TMainForm::wwwBtnClick);
    wwwBtn_ = www;
    row->addWidget(www);
    row->addStretch(1);

    auto* group = new QWidget(bar);
    group->setFixedWidth(214);
    auto* buttons = new QHBoxLayout(group);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(4);
    ueberbtn_ = new ImageButton(QPixmap(QStringLiteral(":/images/about_up.png")),
                                QPixmap(QStringLiteral(":/images/about_down.png")), group);
    ueberbtn_->setObjectName(QStringLiteral("ueberbtn"));
    ueberbtn_->setToolTip(QStringLiteral("Informationen über das Programm"));
    endeBtn_ = new ImageButton(QPixmap(QStringLiteral(":/images/exit_up.png")),
                               QPixmap(QStringLiteral(":/images/exit_down.png")), group);
    endeBtn_->setObjectName(QStringLiteral("EndeBtn"));
    endeBtn_->setToolTip(QStringLiteral("Hiermit verlassen Sie das Programm (Strg+Q)"));
    connect(ueberbtn_, &ImageButton::clicked, this, &TMainForm::ueberbtnClick);
    connect(endeBtn_, &ImageButton::clicked, this, &TMainForm::EndeBtnClick);
    buttons->addWidget(ueberbtn_);
    buttons->addWidget(endeBtn_);
    row->addWidget(group);
    return bar;
}

void TMainForm::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setFixedHeight(19);
    auto* first = new QLabel(bar); // never written
    first->setObjectName(QStringLiteral("StatusPanel0"));
    first->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    first->setFixedSize(250, 15);
    bar->addWidget(first);
    progress_ = new StatusProgress(bar);
    bar->addWidget(progress_);
}

void TMainForm::createDialogs() {
    // Created once and reused for the whole run.
    editPForm_ = new lw::TEditPForm(dialogs_, this);
    aboutBox_ = new TAboutBox([this] { wwwBtnClick(); }, this);
    areaForm_ = new lw::TAreaForm(this);
}

void TMainForm::createControllers() {
    personList_ = new PersonListController(
        *personsPage_->ListBox1(), doc_, dialogs_,
        {[this] { UpdatePersonList(); }, [this](int index) { EditItem(index); },
         [this] { NewBtnClick(); }, [this](int index) { history_->deletePerson(index); },
         [this](int i, int j) { history_->exchangePersons(i, j); }},
        this);
    arrange_ = new lw::ArrangeController(*arrangeView_, doc_,
                                         {[this](int index) {
                                              personList_->selectRow(index);
                                              EditItem(index);
                                          },
                                          [this] { repaintViews(); }},
                                         this);
    connectHistory();
    auto currentView = [this]() -> lw::ChartView* {
        switch (pageControl_->currentIndex()) {
        case 1:
            return arrangeView_;
        case 2:
            return printView_;
        default:
            return nullptr;
        }
    };
    wheel_ = new WheelScroller(*this, currentView);
    installZoomShortcuts(*this, currentView);
    new PersonSearchController({*this,
                                *pageControl_,
                                doc_,
                                {personsPage_, personsPage_->findBar()},
                                *personList_,
                                {arrangePage_, arrangePage_->findBar()},
                                *arrangeView_,
                                *arrange_},
                               this);
    recovery_ = new RecoveryKeeper(RecoveryKeeper::defaultFolder(),
                                   {[this] { return doc_.Modified; },
                                    [this] { return serializeSta(doc_, box_); },
                                    [this] { return doc_.FileName; }},
                                   this);
    connect(this, &TMainForm::documentChanged, recovery_, &RecoveryKeeper::noteChange);
    connect(this, &TMainForm::documentChanged, this, &TMainForm::updateTitle);
    installFocusArrangeEntries(*this, *arrangePage_, *arrangeView_, *arrange_);
}

void TMainForm::followDocument(const lw::DocumentChange& change) {
    using Kind = lw::DocumentChange::Kind;
    // Another tree shows none of the old pictures; an edited person's file
    // may hold another picture now, so the boxes ask the disk again.
    if (change.kind == Kind::Replaced)
        pictures_.clear();
    else if (change.kind == Kind::PersonReplaced)
        pictures_.forgetShown();
    for (lw::ChartView* view : {arrangeView_, printView_})
        if (view) view->viewport()->update();
    // The title once the command that made the change is done (it marks
    // the document modified after changing it).
    if (followPending_) return;
    followPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            followPending_ = false;
            updateTitle();
        },
        Qt::QueuedConnection);
}

void TMainForm::updateTitle() {
    QString name = doc_.FileName.isEmpty() ? QStringLiteral("Keine Datei")
                                           : QFileInfo(doc_.FileName).fileName();
    // "[*]" becomes the star of unsaved changes while the window is modified.
    setWindowTitle(QLatin1String(kTitlePrefix) + name + QStringLiteral("[*]"));
    setWindowModified(doc_.Modified);
}

void TMainForm::setBoxLayout(const BoxLayout& box) {
    box_ = box;
    settingsPage_->showBoxLayout();
    noteSettingsChanged();
}

// ------------------------------------------------------------------ progress

void TMainForm::SetProStatus(int percent) {
    progress_->SetProStatus(percent);
}

void TMainForm::postProgress(int percent) {
    QCoreApplication::postEvent(this, new ProgressEvent(percent));
}

bool TMainForm::event(QEvent* event) {
    if (event->type() == ProgressEvent::eventType()) {
        SetProStatus(static_cast<ProgressEvent*>(event)->percent);
        return true;
    }
    return QMainWindow::event(event);
}

// -------------------------------------------------------------- the views

void TMainForm::repaintArrangeView() {
    arrangeView_->repaintChart();
}

void TMainForm::repaintPrintPreview() {
    updateSheetOverview();
    printView_->repaintChart();
}

void TMainForm::repaintViews() {
    repaintArrangeView();
    repaintPrintPreview();
}

// ------------------------------------------------------ commands of the pages

void TMainForm::NewBtnClick() {
    lw::PartnershipChange partnerships;
    if (std::optional<int> row = lw::addPersonThroughDialog(*editPForm_, doc_, &partnerships)) {
        history_->personAdded(*row, std::move(partnerships));
        UpdatePersonList();
        personList_->selectRow(*row);
    }
}

void TMainForm::EditItem(int index) {
    const lw::TPerson before = doc_.person(index);
    lw::PartnershipChange partnerships;
    if (std::optional<int> row =
            lw::editPersonThroughDialog(*editPForm_, doc_, index, &partnerships)) {
        history_->personEdited(index, before, std::move(partnerships));
        UpdatePersonList();
        personList_->selectRow(*row);
    }
}

void TMainForm::EditBtnClick() {
    personList_->EditBtnClick();
}

void TMainForm::DelBtnClick() {
    personList_->DelBtnClick();
}

void TMainForm::MoveUpToBtnClick() {
    personList_->MoveUpToBtnClick();
}

void TMainForm::MoveDownToBtnClick() {
    personList_->MoveDownToBtnClick();
}

void TMainForm::AreaBtnClick() {
    const AreaSize before{doc_.AreaWidth, doc_.AreaHeight};
    if (!lw::askAndApplyArea(*areaForm_, doc_)) return;
    history_->areaChanged(before);
    repaintArrangeView();
}

void TMainForm::Font2BtnClick() {
    const lw::ChartLayout before = doc_.chart;
    dialogs_.chooseFont(doc_.chart.headingFont);
    history_->chartLayoutChanged(before, QStringLiteral("Schriftart der Überschrift ändern"));
    repaintViews();
}

void TMainForm::CaptionEdChange(const QString& text) {
    const lw::ChartLayout before = doc_.chart;
    doc_.chart.Caption = toDocText(text);
    history_->chartLayoutChanged(before, QStringLiteral("Überschrift ändern"),
                                 DocumentHistory::CaptionField);
    arrange_->CaptionEdChange(); // repaints once, after the last keystroke
}

void TMainForm::RandLEdChange(double mm) {
    const lw::ChartLayout before = doc_.chart;
    doc_.chart.setRandLEd(mm);
    history_->chartLayoutChanged(before, QStringLiteral("Linken Rand ändern"),
                                 DocumentHistory::RandLField);
    repaintArrangeView();
}

void TMainForm::RandOEdChange(double mm) {
    const lw::ChartLayout before = doc_.chart;
    doc_.chart.setRandOEd(mm);
    history_->chartLayoutChanged(before, QStringLiteral("Oberen Rand ändern"),
                                 DocumentHistory::RandOField);
    repaintArrangeView();
}

void TMainForm::RandOED2Change(double mm) {
    const lw::ChartLayout before = doc_.chart;
    doc_.chart.setRandOED2(mm);
    history_->chartLayoutChanged(before, QStringLiteral("Oberen Rand für Überschrift ändern"),
                                 DocumentHistory::RandOED2Field);
    repaintArrangeView();
}

void TMainForm::GoBtn1Click() {
    Drucken1Click();
}

void TMainForm::Drucken1Click() {
    lw::PrintProgressDialog progress(this);
    lw::PrintContext context{doc_, box_, margins_, printView_->screenDpi(), dialogs_, this};
    context.store = &pictures_;
    context.options = printOptions_;
    context.sheetProgress = &progress;
    const lw::PrintOutcome outcome = lw::printWithDialog(*printer_, *printerDialogs_, context);
    // Ended from the progress window: said in the status bar for a while
    // (the progress panel comes back after it).
    if (progress.cancelled())
        statusBar()->showMessage(
            lw::printCancelledMessage(printer_->outputFormat() == QPrinter::PdfFormat), 20000);
    // The print dialog may have chosen another printer or paper.
    if (outcome.status != lw::PrintStatus::Cancelled || progress.cancelled()) printerChanged();
}

void TMainForm::SetupBtnClick() {
    printerDialogs_->setupDialog(*printer_, printOptions_);
    noteSettingsChanged();
    printerChanged();
    repaintPrintPreview();
}

void TMainForm::LeblaufBtnClick() {
    QString chosen;
    const bool written = lw::runBioExport(dialogs_, doc_, &chosen);
    tellExport(QStringLiteral("Lebensläufe"), written, chosen);
}

void TMainForm::PosterBtnClick() {
    QString chosen;
    const bool written = lw::exportPosterWithDialog(
        dialogs_, doc_, box_, margins_, printView_->screenDpi(), lw::printerFactsOf(*printer_),
        printOptions_, this, &chosen, &pictures_);
    tellExport(QStringLiteral("Poster"), written, chosen);
}

void TMainForm::ueberbtnClick() {
    if (aboutHandler_) aboutHandler_();
}

void TMainForm::EndeBtnClick() {
    close();
}

void TMainForm::wwwBtnClick() {
    if (urlOpener_) urlOpener_(makerUrl());
}
