#pragma once
// The person data dialog: names, sex, dates and places, father, mother,
// biography and picture file of one person on the page "Person", and the
// person's partnerships on the page "Familie". Created once and refilled for
// every opening.
//
// Showing the dialog goes through execDialog(). By default that runs the
// dialog modally; a test sets a runner instead, which plays the user: it
// fills the controls and presses OkBtn or CancelBtn while the dialog counts
// as open.
#include "document/PartnershipEdit.h"
#include "document/PersonEdit.h"
#include "platform/Dialogs.h"

#include <QDialog>
#include <functional>
#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace lw {

class PartnerSection;

class TEditPForm : public QDialog {
    Q_OBJECT
  public:
    using Runner = std::function<void(TEditPForm&)>;

    // Error messages and the picture file dialog go through `dialogs`.
    explicit TEditPForm(Dialogs& dialogs, QWidget* parent = nullptr);

    Dialogs& dialogs() const { return dialogs_; }

    // An empty runner restores the modal dialog.
    void setRunner(Runner runner) { runner_ = std::move(runner); }
    // Shows the dialog; true when it was closed with OK.
    bool execDialog();

    // Every opening starts from one of these; `parents` are the rows of both
    // parent lists and of the partner list; `partners` name their partner by
    // such a row.
    void fillEmpty(const QStringList& parents);
    void fillFrom(const TPerson& person, const QStringList& parents, int vaterRow, int mutterRow,
                  std::vector<PartnerEntry> partners = {});

    // The picture name is left empty (the stored one could not be shown).
    void clearPictureName();

    // The texts of the last confirmation, as UTF-8, with the
    // parent rows; set when the dialog closed with OK.
    struct Result {
        TPerson texts; // names, sex, dates, places, biography and picture name only
        int vaterRow = -1;
        int mutterRow = -1;
        std::vector<PartnerEntry> partners; // in the person's order, partners as rows
    };
    const std::optional<Result>& confirmed() const { return accepted_; }

    // The biography lines as the memo shows them: a paragraph wrapped at the
    // memo's width gives one line per screen line; an empty last line is
    // not taken.
    QStringList lebenLines() const;

    // Handlers.
    void FormShow();
    void DelIndex1Click();
    void DelIndex2Click();
    void BildBrowseClick();

    // The controls, for the windows and tests that drive the dialog.
    QLineEdit* NachNameED;
    QLineEdit* VorNameED;
    QLineEdit* GebDateED;
    QLineEdit* StDateED;
    QComboBox* SexED; // "unbekannt", "männlich", "weiblich", "divers" as Sex
    QLineEdit* BirthPlaceED;
    QLineEdit* DeathPlaceED;
    QLineEdit* BaptismDateED;
    QLineEdit* BaptismPlaceED;
    QLineEdit* BurialDateED;
    QLineEdit* BurialPlaceED;
    QComboBox* VaterED;
    QComboBox* MutterED;
    QPlainTextEdit* LebenED;
    QLineEdit* BildEd;
    QToolButton* BildBrowseBtn;
    QPushButton* DelIndex1;
    QPushButton* DelIndex2;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;
    QTabWidget* Pages; // "Person" and "Familie"
    PartnerSection* Partners;
    // The marks of a date text that is none, in its field and beside the
    // buttons, with what is wrong (the text is stored all the same).
    QAction* GebDateMark;
    QAction* StDateMark;
    QAction* BaptismDateMark;
    QAction* BurialDateMark;
    QAction* MarriageDateMark;
    QAction* DivorceDateMark;
    QLabel* DateHintLbl;

    // A parent list whose typed text names no row of it shows its chosen
    // row again; an emptied one chooses no row; a row's exact text chooses it.
    static void settleParentText(QComboBox& list);

    // Confirms the dialog unless a text cannot be stored; then the user is
    // told which field holds what, and the dialog stays open.
    void accept() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void buildControls();
    QWidget* buildPersonPage();
    void orderTabs();
    void fillParents(const QStringList& parents, int vaterRow, int mutterRow);
    void markDates();

    Dialogs& dialogs_;
    Runner runner_;
    std::optional<Result> accepted_;
    int plainHeight_ = 0; // without a date hint
};

} // namespace lw
