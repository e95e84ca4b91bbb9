#pragma once
// The main window: the frame around the four pages (top bar with the
// document commands, bottom bar, status bar with the progress panel), the
// document commands with their unsaved-changes question, closing, and the
// owner of the one open document and of the box layout.
#include "app/window/FormStorageWindow.h"
#include "chart/ChartInputs.h"
#include "document/Document.h"
#include "document/Layout.h"
#include "picture/PictureStore.h"
#include "platform/Progress.h"
#include "print/gui/PrinterDialogs.h"
#include "session/Session.h"

#include <QMainWindow>
#include <QUrl>
#include <functional>
#include <memory>

class QAbstractButton;
class QDialog;
class QHBoxLayout;
class QMenu;
class QPrinter;
class QStatusBar;
class QTabWidget;
class QTimer;

namespace lw {
class ArrangeController;
class TAboutBox;
class ChartView;
class PictureLoader;
class Dialogs;
class TAreaForm;
class TEditPForm;
struct FileDialogRequest;
} // namespace lw

namespace lw::app {
class ArrangePage;
class DocumentHistory;
class ImageButton;
class PersonListController;
class PersonsPage;
class PrintPage;
class RecoveryKeeper;
class RecentFiles;
class SettingsPage;
class StatusProgress;
class WheelScroller;
} // namespace lw::app

namespace lw {

class TMainForm : public QMainWindow, public lw::ProgressSink, public lw::Session {
    Q_OBJECT
  public:
    static constexpr const char* kTitlePrefix = "Morvane Lindwerk 3.0 - ";

    explicit TMainForm(lw::Dialogs& dialogs, QWidget* parent = nullptr);
    ~TMainForm() override;

    // --- the document and the layout -----------------------------------
    lw::Document& document() override { return doc_; }
    const lw::Document& document() const override { return doc_; }
    lw::PictureStore& pictures() { return pictures_; }
    lw::BoxLayout& boxLayout() override { return box_; }
    // Replaces the layout and shows it on the settings page.
    void setBoxLayout(const lw::BoxLayout& box);
    // The heading, margins and line style of the document in the controls
    // of both pages that show them.
    void showChartLayout() override;
    lw::Dialogs& dialogs() override { return dialogs_; }
    // The settings file that keeps the box values and the window placement.
    lw::FormStorage& FormStorage1() { return formStorage_; }

    // --- parts of the window -------------------------------------------
    QTabWidget* PageControl1() const { return pageControl_; }
    lw::app::PersonsPage* personsPage() const { return personsPage_; }
    lw::app::ArrangePage* arrangePage() const { return arrangePage_; }
    lw::app::PrintPage* printPage() const { return printPage_; }
    lw::app::SettingsPage* settingsPage() const { return settingsPage_; }
    lw::app::StatusProgress* progressPanel() const { return progress_; }
    // The arrange view (PaintBox1 in ScrollBox1) and the print preview.
    lw::ChartView* arrangeView() const { return arrangeView_; }
    lw::ChartView* printView() const { return printView_; }
    // Reads the pictures of both views in the background.
    lw::PictureLoader& pictureLoader() { return *pictureLoader_; }
    // The chart margins in screen pixels, as the last painting computed them.
    lw::ChartMargins& margins() { return margins_; }
    // The printer that printing and the page guides use, for the whole run.
    QPrinter& printer() { return *printer_; }
    // After the printer or its page format changed: new page guides.
    void printerChanged();
    // The poster options of the printer set-up, kept in the settings file.
    lw::PrintOptions& printOptions() { return printOptions_; }
    // The print page's sheet count and the preview's guides, for the
    // current chart, printer and options.
    void updateSheetOverview();
    lw::app::ImageButton* ueberbtn() const { return ueberbtn_; }
    lw::app::ImageButton* EndeBtn() const { return endeBtn_; }
    QAbstractButton* wwwBtn() const { return wwwBtn_; }
    TAboutBox* aboutBox() const { return aboutBox_; }
    lw::TEditPForm* editPForm() const { return editPForm_; }
    lw::TAreaForm* areaForm() const { return areaForm_; }
    // The person list's operations, the arrange view's mouse and heading
    // timer, and the mouse wheel of the window.
    lw::app::PersonListController* personList() const { return personList_; }
    lw::ArrangeController* arrangeController() const { return arrange_; }
    lw::app::WheelScroller* wheelScroller() const { return wheel_; }
    // Undo and redo of every change of the document; it keeps Modified.
    lw::app::DocumentHistory* history() const override { return history_; }
    // The copies of unsaved changes against crashes.
    lw::app::RecoveryKeeper* recoveryKeeper() const { return recovery_; }

    // --- seams for tests ------------------------------------------------
    // What the About button does (normally: the About window, modally).
    void setAboutHandler(std::function<void()> handler) { aboutHandler_ = std::move(handler); }
    // How a web address is opened (normally: the desktop's web browser).
    void setUrlOpener(std::function<void(const QUrl&)> opener) { urlOpener_ = std::move(opener); }
    // The print dialog and the printer set-up (normally the real dialogs).
    void setPrinterDialogs(std::unique_ptr<lw::PrinterDialogs> dialogs) {
        printerDialogs_ = std::move(dialogs);
    }

    // --- document commands ----------------------------------------------
    void Neu1Click();
    void ffnen1Click();
    void Speichern1Click();
    void Speichernunter1Click();
    // The open dialog, then the file replaces the document; true when a file
    // was read. A failed read leaves everything as it was.
    bool OpenItNow();
    // Reads `path` in place of the document (no question asked); true when
    // read. A failed read is shown and leaves everything as it was.
    bool openFile(const QString& path);
    // A tree from outside (dropped on the window, or from the recent list):
    // the unsaved-changes question, then openFile.
    bool openFileAsked(const QString& path);
    // A tree of the recent list; one that is gone is said so and dropped.
    bool openRecentFile(const QString& path);
    lw::app::RecentFiles& recentFiles() { return *recent_; }
    // The menu of the open button with the recent trees.
    QMenu* recentMenu() const { return recentMenu_; }
    // Writes the document to `path`; true on success. On failure the error
    // has been shown and file name, modified flag and title are unchanged.
    bool SaveItNow(const QString& path);
    // The unsaved-changes question; true when the command may go on.
    bool askToSaveChanges(const QString& caption) override;
    // The one way the open document is replaced: the pictures still being
    // read for the old one are forgotten, the undo history starts anew, the
    // file name, the modified flag and the title follow `origin`, and the
    // pages and views show the new document from its top left corner. An
    // imported tree and recovered work stay unsaved until they are saved,
    // whatever is done and undone; the first save of an import proposes
    // its GEDCOM file's name with ".sta".
    void replaceDocument(lw::Document doc, Origin origin, const QString& source = {}) override;
    // The empty document in place of the open one (New, and closing).
    void ClearAll();
    // After every change of the persons: the list and both views.
    void UpdatePersonList() override;
    // Whether the window may close (the unsaved-changes question).
    bool FormCloseQuery();
    // The window closes.
    void FormClose();
    // Both views show the top left corner of the chart.
    void scrollViewsHome();
    // The arrange view brings person `index` into view.
    void showPerson(int index) override;
    // Offers the copies of unsaved changes that a program which did not end
    // normally left behind (once, after the window first shows); Ja opens
    // one as the modified document under its own file name.
    void offerRecovery();

    // --- the status bar and the settings file (MainFormStatus.cpp) --------
    static constexpr int kStatusMessageMs = 15000;
    // A message in the status bar, for kStatusMessageMs.
    void tellStatus(const QString& text);
    // After an export: "<what> gespeichert: <file>", or that it was not
    // (the error itself has been shown). Nothing when no file was chosen.
    void tellExport(const QString& what, bool written, const QString& path) override;
    // The settings file is written this long after the last change of the
    // box values or the printer set-up, and at exit.
    static constexpr int kSettingsDelayMs = 1000;
    void noteSettingsChanged();
    const QTimer& settingsTimer() const { return *settingsTimer_; }

    // --- progress ---------------------------------------------------------
    void SetProStatus(int percent);
    // Any code may report progress; it reaches the status bar through the
    // event queue.
    void postProgress(int percent) override;

    // --- repainting the chart views ---------------------------------------
    void repaintArrangeView();
    void repaintPrintPreview();
    void repaintViews() override;
    // The views and the title follow a change of the document.
    void followDocument(const lw::DocumentChange& change);

    // --- commands of the pages --------------------------------------------
    void NewBtnClick();
    void EditBtnClick();
    // The edit dialog for person `index`; on OK the list selects its row.
    void EditItem(int index);
    void DelBtnClick();
    void MoveUpToBtnClick();
    void MoveDownToBtnClick();
    void AreaBtnClick();
    void Font2BtnClick();
    void CaptionEdChange(const QString& text);
    void RandLEdChange(double mm);
    void RandOEdChange(double mm);
    void RandOED2Change(double mm);
    void LineStyleChange(int index);
    void GoBtn1Click();
    void Drucken1Click();
    void SetupBtnClick();
    void LeblaufBtnClick();
    void PosterBtnClick();
    void ueberbtnClick();
    void EndeBtnClick();
    void wwwBtnClick();

  signals:
    // After every change of the document (done, undone, redone, or a new
    // document); the recovery copies follow it.
    void documentChanged();

  protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    QWidget* buildTopBar();
    QWidget* buildBottomBar();
    void buildStatusBar();
    void buildPages();
    void buildViews();
    void createDialogs();
    void createControllers();
    // The document history, its buttons and keys (MainFormHistory.cpp).
    void createHistory();
    void connectHistory();
    void addHistoryButtons(QHBoxLayout& row, QWidget* bar);
    void installShortcuts();
    void updateTitle();

    // Save under the document's name, or ask for one; true when saved.
    bool saveDocument();
    // Ask for a name and save; true when saved.
    bool saveDocumentAs();
    lw::FileDialogRequest staFileRequest(bool save) const;

    void restoreSettings();
    void saveSettings();
    void createSettingsWriter();
    // Messages of the arrange view (a refused drop) in the status bar.
    void connectStatusMessages();
    // Writes the settings file when the box values or the print options are
    // no longer those it holds.
    void writeChangedSettings();
    void rememberSavedSettings();
    void fillRecentMenu();

    lw::Dialogs& dialogs_;
    lw::Document doc_;
    // The decoded pictures the views and the print jobs show beside doc_.
    lw::PictureStore pictures_;
    bool followPending_ = false; // a title update is queued
    lw::BoxLayout box_;
    lw::FormStorage formStorage_;
    lw::ChartMargins margins_;
    std::unique_ptr<QPrinter> printer_;
    lw::PrintOptions printOptions_;
    // Declared after the document: it ends first and never outlives it.
    std::unique_ptr<lw::PictureLoader> pictureLoader_;
    lw::ChartView* arrangeView_ = nullptr;
    lw::ChartView* printView_ = nullptr;

    QTabWidget* pageControl_ = nullptr;
    lw::app::PersonsPage* personsPage_ = nullptr;
    lw::app::ArrangePage* arrangePage_ = nullptr;
    lw::app::PrintPage* printPage_ = nullptr;
    lw::app::SettingsPage* settingsPage_ = nullptr;
    lw::app::StatusProgress* progress_ = nullptr;
    lw::app::ImageButton* ueberbtn_ = nullptr;
    lw::app::ImageButton* endeBtn_ = nullptr;
    QAbstractButton* wwwBtn_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    std::unique_ptr<lw::app::RecentFiles> recent_;

    lw::TEditPForm* editPForm_ = nullptr;
    TAboutBox* aboutBox_ = nullptr;
    lw::TAreaForm* areaForm_ = nullptr;
    lw::app::PersonListController* personList_ = nullptr;
    lw::ArrangeController* arrange_ = nullptr;
    lw::app::WheelScroller* wheel_ = nullptr;
    lw::app::DocumentHistory* history_ = nullptr;
    lw::app::RecoveryKeeper* recovery_ = nullptr;

    std::function<void()> aboutHandler_;
    std::function<void(const QUrl&)> urlOpener_;
    std::unique_ptr<lw::PrinterDialogs> printerDialogs_ =
        std::make_unique<lw::QtPrinterDialogs>(this);
    bool shownOnce_ = false;
    QTimer* settingsTimer_ = nullptr;
    lw::BoxLayout savedBox_;
    lw::PrintOptions savedOptions_;
    // Proposed by the first save of an imported tree.
    QString proposedSaveName_;
};

} // namespace lw
