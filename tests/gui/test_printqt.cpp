// Printing on the program's QPrinter: the print dialog seam, the job on a
// PDF printer, the printer set-up, and the print page of the main window.
#include "app/pages/PrintPage.h"
#include "app/window/MainForm.h"
#include "chart/gui/ChartView.h"
#include "chart/gui/PrinterFactsQt.h"
#include "gui/ScriptedDialogs.h"
#include "print/gui/PrintCommands.h"
#include "print/gui/PrintProgressDialog.h"
#include "print/gui/PrinterDialogs.h"
#include "print/gui/PrinterSetupDialog.h"
#include "tests/PdfPages.h"
#include "tests/TestPersons.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPageLayout>
#include <QPrinter>
#include <QProgressDialog>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

using lw::test::ScriptedDialogs;
using namespace lw;
using lw::test::pdfPageCount;
using lw::test::personAt;

namespace {

// Answers the print dialog from a queue (a file name prints to that PDF
// file, an empty one cancels) and the set-up with a paper format.
class ScriptedPrinterDialogs : public PrinterDialogs {
  public:
    std::deque<QString> printAnswers;
    QPageSize setupPaper{QPageSize::A5};
    PrintOptions setupOptions;
    int printDialogs = 0;
    int setupDialogs = 0;

    QString suggested;                // the PDF file the printer proposed to the last dialog
    std::function<void()> whileAsked; // runs while the print dialog is up
    bool printDialog(QPrinter& printer) override {
        ++printDialogs;
        if (whileAsked) whileAsked();
        suggested = printer.outputFileName();
        if (printAnswers.empty()) {
            ADD_FAILURE() << "unexpected print dialog";
            return false;
        }
        const QString file = printAnswers.front();
        printAnswers.pop_front();
        if (file.isEmpty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        return true;
    }
    void setupDialog(QPrinter& printer, PrintOptions& options) override {
        ++setupDialogs;
        options = setupOptions;
        printer.setPageSize(setupPaper);
        printer.setPageOrientation(QPageLayout::Landscape);
    }
};

std::unique_ptr<QPrinter> pdfPrinter() {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setResolution(600);
    printer->setPageSize(QPageSize(QPageSize::A4));
    return printer;
}

class PrintQtTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        doc.addPerson(personAt(30, 0)); // wider than a sheet
        doc.addPerson(personAt(0, 4));
    }
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    PrintOutcome print() {
        return printWithDialog(*printer, printerDialogs,
                               PrintContext{doc, box, margins, 96, dialogs, nullptr});
    }

    QTemporaryDir dir;
    Document doc;
    BoxLayout box;
    ChartMargins margins;
    ScriptedDialogs dialogs;
    ScriptedPrinterDialogs printerDialogs;
    std::unique_ptr<QPrinter> printer = pdfPrinter();
};

} // namespace

TEST_F(PrintQtTest, CancelledPrintDialogPrintsAndChangesNothing) {
    printerDialogs.printAnswers = {QString()};
    EXPECT_EQ(print().status, PrintStatus::Cancelled);
    EXPECT_EQ(dialogs.questionCount(), 0);
    EXPECT_EQ(margins, ChartMargins{});
    EXPECT_TRUE(printer->outputFileName().isEmpty());
}

TEST_F(PrintQtTest, PrinterThatCannotBeginIsReportedAndTheNextPrintWorks) {
    printerDialogs.printAnswers = {path("no/such/folder/chart.pdf"), path("chart.pdf")};
    dialogs.answerMessage(IDOK).answerMessage(IDOK).answerMessage(IDOK);
    EXPECT_EQ(print().status, PrintStatus::Failed);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text,
              QStringLiteral("Der Druck konnte nicht begonnen werden."));
    EXPECT_EQ(dialogs.messages()[0].caption, QStringLiteral("Fehler"));

    EXPECT_EQ(print().status, PrintStatus::Printed);
    EXPECT_GE(pdfPageCount(path("chart.pdf")), 2);
}

TEST_F(PrintQtTest, SetupDialogPresetsAndAppliesPrinterAndPaper) {
    PrintOptions options;
    PrinterSetupDialog setup(*printer, options);
    EXPECT_EQ(setup.windowTitle(), QStringLiteral("Druckereinrichtung"));
    EXPECT_EQ(setup.printerBox()->currentText(), PrinterSetupDialog::pdfEntry());
    EXPECT_EQ(setup.paperBox()->currentText(), QPageSize(QPageSize::A4).name());
    EXPECT_TRUE(setup.portraitButton()->isChecked());

    const int a5 = setup.paperBox()->findText(QPageSize(QPageSize::A5).name());
    ASSERT_GE(a5, 0);
    setup.paperBox()->setCurrentIndex(a5);
    setup.landscapeButton()->setChecked(true);
    setup.apply();
    EXPECT_EQ(printer->pageLayout().pageSize().id(), QPageSize::A5);
    EXPECT_EQ(printer->pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(printer->outputFormat(), QPrinter::PdfFormat);
}

TEST_F(PrintQtTest, SetupDialogCancelledLeavesThePrinter) {
    QtPrinterDialogs real(nullptr);
    QTimer::singleShot(0, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            static_cast<QDialog*>(modal)->reject();
    });
    PrintOptions options;
    options.glueMm = 7;
    real.setupDialog(*printer, options);
    EXPECT_EQ(options.glueMm, 7);
    EXPECT_EQ(printer->pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(printer->pageLayout().orientation(), QPageLayout::Portrait);
}

TEST_F(PrintQtTest, RealPrintDialogSuggestsAPdfFileAndCancelLeavesThePrinter) {
    QtPrinterDialogs real(nullptr);
    QString suggested;
    QTimer::singleShot(0, [&] {
        suggested = printer->outputFileName();
        if (QWidget* modal = QApplication::activeModalWidget())
            static_cast<QDialog*>(modal)->reject();
    });
    EXPECT_FALSE(real.printDialog(*printer));
    EXPECT_TRUE(suggested.endsWith(QStringLiteral("/Stammbaum.pdf"))) << suggested.toStdString();
    EXPECT_TRUE(printer->outputFileName().isEmpty());
}

TEST_F(PrintQtTest, MainWindowPrintsAndSetsUpThroughTheSeam) {
    QApplication::setQuitOnLastWindowClosed(false);
    auto scripted = std::make_unique<ScriptedPrinterDialogs>();
    ScriptedPrinterDialogs& seam = *scripted;
    TMainForm form(dialogs);
    form.setPrinterDialogs(std::move(scripted));
    form.document().addPerson(personAt(30, 0));
    form.document().FileName = path("Familie.sta");

    seam.printAnswers = {QString(), path("window.pdf")};
    form.Drucken1Click(); // cancelled
    EXPECT_FALSE(QFile::exists(path("window.pdf")));
    // A PDF is proposed next to the tree, with its name.
    EXPECT_EQ(seam.suggested, path("Familie.pdf"));
    EXPECT_EQ(dialogs.questionCount(), 0);

    dialogs.answerMessage(IDOK);
    form.GoBtn1Click();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    const ScriptedDialogs::Message& told = dialogs.messages()[0];
    const QRegularExpressionMatch count =
        QRegularExpression(QStringLiteral("^Es werden bis zu (\\d+) Blätter benötigt$"))
            .match(told.text);
    ASSERT_TRUE(count.hasMatch()) << told.text.toStdString();
    EXPECT_EQ(told.caption, QStringLiteral("Information"));
    EXPECT_EQ(told.flags, unsigned(MB_OKCANCEL | MB_ICONINFORMATION));
    EXPECT_GE(count.captured(1).toInt(), 2);
    EXPECT_EQ(pdfPageCount(path("window.pdf")), count.captured(1).toInt());
    EXPECT_EQ(form.printer().docName(), QStringLiteral("Stammbaum"));
    // The print recomputed the margins for the screen.
    EXPECT_EQ(form.margins(), chartMargins(form.document(), form.printView()->screenDpi()));

    // Set-up: the page guides of both views follow the new paper.
    form.SetupBtnClick();
    EXPECT_EQ(seam.setupDialogs, 1);
    const PrinterFacts facts = printerFactsOf(form.printer());
    EXPECT_GT(facts.pageWidth, facts.pageHeight); // A5 landscape
    EXPECT_EQ(form.printView()->printerFacts(), facts);
    EXPECT_EQ(form.arrangeView()->printerFacts(), facts);
}

namespace {

int progressWindows() {
    int count = 0;
    for (QWidget* w : QApplication::allWidgets())
        if (qobject_cast<QProgressDialog*>(w)) ++count;
    return count;
}

// Answers the sheet-count question with OK, noting whether a progress
// window stood already, and then presses the progress window's "Abbrechen"
// as soon as it comes up.
class CancellingDialogs : public ScriptedDialogs {
  public:
    int progressWhileAsked = -1;
    int messageBox(const QString& text, const QString& caption, unsigned flags) override {
        progressWhileAsked = progressWindows();
        QTimer::singleShot(0, [] {
            for (QWidget* w : QApplication::allWidgets())
                if (auto* progress = qobject_cast<QProgressDialog*>(w)) progress->cancel();
        });
        return ScriptedDialogs::messageBox(text, caption, flags);
    }
};

} // namespace

// The progress window is modal to the main window: one that stood while the
// print dialog or the sheet-count question was up would take their input.
TEST_F(PrintQtTest, ProgressWindowComesOnlyWithTheSheetsAndItsCancelIsTold) {
    QApplication::setQuitOnLastWindowClosed(false);
    CancellingDialogs watching;
    auto scripted = std::make_unique<ScriptedPrinterDialogs>();
    ScriptedPrinterDialogs& seam = *scripted;
    TMainForm form(watching);
    form.show();
    form.setPrinterDialogs(std::move(scripted));
    form.document().addPerson(personAt(30, 0));
    form.document().FileName = path("Familie.sta");

    int progressWhilePrintDialog = -1;
    seam.whileAsked = [&] { progressWhilePrintDialog = progressWindows(); };
    seam.printAnswers = {path("Familie.pdf")};
    watching.answerMessage(IDOK);
    form.GoBtn1Click();
    EXPECT_EQ(progressWhilePrintDialog, 0);
    EXPECT_EQ(watching.progressWhileAsked, 0);
    ASSERT_EQ(watching.messages().size(), 1u); // the sheet count, no error
    // Cancelled at the first sheet: no file, and the status bar says so.
    EXPECT_FALSE(QFile::exists(path("Familie.pdf")));
    EXPECT_EQ(form.statusBar()->currentMessage(), printCancelledMessage(true));
    EXPECT_EQ(progressWindows(), 0);
}

TEST_F(PrintQtTest, PosterOptionsGoFromTheSetupToThePrintPageAndTheSettingsFile) {
    QApplication::setQuitOnLastWindowClosed(false);
    PrintOptions chosen;
    chosen.scaleMode = ScaleMode::Percent;
    chosen.percent = 50;
    chosen.skipEmpty = true;
    chosen.glueMm = 3;
    {
        // The real dialog: preset from the options, written back on apply.
        PrintOptions options = chosen;
        PrinterSetupDialog setup(*printer, options);
        EXPECT_TRUE(setup.percentButton()->isChecked());
        EXPECT_FALSE(setup.sheetsWideBox()->isEnabled());
        EXPECT_EQ(setup.percentBox()->value(), 50);
        EXPECT_EQ(setup.glueBox()->value(), 3);
        setup.sheetsWideButton()->setChecked(true);
        // The choice names the number of sheets chosen, not a letter.
        setup.sheetsWideBox()->setValue(1);
        EXPECT_EQ(setup.sheetsWideButton()->text(), QStringLiteral("auf 1 Blatt Breite:"));
        setup.sheetsWideBox()->setValue(4);
        EXPECT_EQ(setup.sheetsWideButton()->text(), QStringLiteral("auf 4 Blätter Breite:"));
        setup.marksCheck()->setChecked(true);
        setup.apply();
        EXPECT_EQ(options.scaleMode, ScaleMode::SheetsWide);
        EXPECT_EQ(options.sheetsWide, 4);
        EXPECT_TRUE(options.marks && options.skipEmpty && !options.map);
    }

    auto scripted = std::make_unique<ScriptedPrinterDialogs>();
    scripted->setupPaper = QPageSize(QPageSize::A4);
    scripted->setupOptions = chosen;
    {
        TMainForm form(dialogs);
        form.show();
        form.setPrinterDialogs(std::move(scripted));
        form.document().addPerson(personAt(0, 0));
        form.document().addPerson(personAt(50, 0));
        form.SetupBtnClick();
        EXPECT_EQ(form.printOptions(), chosen);
        // At half the size the preview's sheets are twice as wide.
        const PrinterFacts printerFacts = printerFactsOf(form.printer());
        EXPECT_NEAR(form.printView()->printerFacts().pageWidth,
                    2 * (printerFacts.pageWidth - 3 * printerFacts.dpiX * 10 / 254), 2);
        const QString info = form.printPage()->SheetInfo()->text();
        EXPECT_TRUE(info.startsWith(QStringLiteral("Blätter: "))) << info.toStdString();
        EXPECT_TRUE(info.contains(QStringLiteral("leer ausgelassen"))) << info.toStdString();
        EXPECT_TRUE(form.close());
    }
    TMainForm next(dialogs);
    next.show();
    EXPECT_EQ(next.printOptions(), chosen);
}

TEST(PrintProgress, TellsTheSheetAndCancels) {
    PrintProgressDialog progress(nullptr);
    EXPECT_TRUE(progress.sheetStarting(1, 138));
    EXPECT_EQ(progress.dialog()->labelText(), QStringLiteral("Blatt 1 von 138"));
    EXPECT_TRUE(progress.sheetStarting(2, 138));
    progress.dialog()->cancel();
    EXPECT_FALSE(progress.sheetStarting(3, 138));
}
