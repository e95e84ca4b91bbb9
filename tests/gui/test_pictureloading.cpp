// Pictures read in the background while the window goes on answering: the
// boxes come at once and each picture when it is ready; New, Open and
// closing forget the pictures still being read, without a crash or a leak.
#include "app/widgets/StatusProgress.h"
#include "app/window/MainForm.h"
#include "chart/PictureLoader.h"
#include "chart/gui/ChartView.h"
#include "chart/gui/ViewPictures.h"
#include "document/StaFile.h"
#include "gui/MainWindowFixture.h"
#include "gui/ScriptedDialogs.h"
#include "picture/PictureProblems.h"
#include "platform/DocText.h"
#include "tests/TestPictures.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using lw::TMainForm;
using lw::test::ScriptedDialogs;

namespace {

constexpr int kPersons = 12;

// Keeps the event loop going until `done` holds or 30 s have passed.
template <class F> bool waitFor(F done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

bool allShown(TMainForm& form) {
    const lw::Document& doc = form.document();
    if (doc.PersonCount() == 0) return false;
    for (int i = 0; i < doc.PersonCount(); ++i)
        if (lw::test::shownDib(form.pictures(), doc, i).empty()) return false;
    return true;
}

} // namespace

TEST(PictureLoading, TreeOpenedClosedAndReopenedWhilePicturesLoad) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString tree = lw::test::writePhotoTree(dir, kPersons);
    QApplication::setQuitOnLastWindowClosed(false);
    const long before = lw::liveDibCount();
    ScriptedDialogs dialogs;
    {
        auto form = std::make_unique<TMainForm>(dialogs);
        form->resize(1000, 700);
        form->show();
        form->PageControl1()->setCurrentIndex(1);
        QCoreApplication::processEvents();
        lw::ChartView* view = form->arrangeView();
        ASSERT_TRUE(view->isVisible());

        // The boxes are painted at once; their pictures are being read.
        dialogs.answerOpen(tree);
        ASSERT_TRUE(form->OpenItNow());
        view->viewport()->repaint();
        EXPECT_FALSE(form->pictureLoader().idle());
        EXPECT_FALSE(allShown(*form));
        EXPECT_EQ(view->pictureSource()->waitingBoxes(), std::size_t(kPersons));

        // New while they load: nothing read for the old tree lands anywhere.
        form->Neu1Click();
        EXPECT_TRUE(form->pictureLoader().idle());
        EXPECT_EQ(view->pictureSource()->waitingBoxes(), 0u);
        EXPECT_TRUE(waitFor([&] { return lw::liveDibCount() == before; }));
        EXPECT_EQ(form->document().PersonCount(), 0);

        // Opened again: every box gets its picture, painted when it came.
        dialogs.answerOpen(tree);
        ASSERT_TRUE(form->OpenItNow());
        EXPECT_TRUE(waitFor([&] { return allShown(*form); }));
        EXPECT_TRUE(form->pictureLoader().idle());
        EXPECT_EQ(view->pictureSource()->waitingBoxes(), 0u);
        EXPECT_TRUE(waitFor([&] { return form->progressPanel()->percent() == 100; }));
        // Each photograph is decoded once at the box's size.
        EXPECT_EQ(lw::liveDibCount(), before + kPersons);
        EXPECT_EQ(lw::test::shownDib(form->pictures(), form->document(), 0).width(), 75);

        // Opened once more and the window closed while the pictures load.
        dialogs.answerOpen(tree);
        ASSERT_TRUE(form->OpenItNow());
        view->viewport()->repaint();
        EXPECT_FALSE(form->pictureLoader().idle());
        EXPECT_TRUE(form->close());
    }
    EXPECT_EQ(lw::liveDibCount(), before);
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

TEST(PictureLoading, APictureThatCannotBeReadIsNamedInTheStatusBar) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString letter = dir.filePath(QStringLiteral("brief.jpg"));
    {
        QFile f(letter);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("kein Bild");
    }
    lw::Document doc;
    lw::TPerson p;
    p.NachName = "Lind";
    p.Bild = lw::toDocText(letter);
    p.GridX = p.GridY = 0;
    doc.addPerson(p);
    const QString tree = dir.filePath(QStringLiteral("brief.sta"));
    QString error;
    ASSERT_TRUE(lw::saveSta(tree, doc, lw::BoxLayout{}, &error));

    QApplication::setQuitOnLastWindowClosed(false);
    lw::forgetPictureProblems();
    ScriptedDialogs dialogs;
    TMainForm form(dialogs);
    form.resize(1000, 700);
    form.show();
    form.PageControl1()->setCurrentIndex(1);
    dialogs.answerOpen(tree);
    ASSERT_TRUE(form.OpenItNow());
    form.arrangeView()->viewport()->repaint();
    EXPECT_TRUE(waitFor([&] {
        return form.statusBar()->currentMessage().contains(QStringLiteral("kann nicht gelesen"));
    })) << form.statusBar()->currentMessage().toStdString();
    EXPECT_TRUE(form.statusBar()->currentMessage().contains(QDir::toNativeSeparators(letter)));
    EXPECT_TRUE(form.close());
}
