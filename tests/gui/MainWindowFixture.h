#pragma once
// The main window as the GUI tests use it: built with scripted dialogs,
// shown (it stays when closed), beside a folder of its own for the files a
// test writes.
#include "app/MainForm.h"
#include "document/StaFile.h"
#include "gui/ScriptedDialogs.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>

namespace lw::test {

// A window whose chart views show a good part of the chart.
inline constexpr QSize kLargeWindow{1100, 800};

// A new main window with `dialogs`, shown; `beforeShow` sets its seams. A
// window of a given size is shown only once it is exposed.
inline std::unique_ptr<TMainForm>
showMainWindow(Dialogs& dialogs, QSize size = {},
               const std::function<void(TMainForm&)>& beforeShow = {}) {
    QApplication::setQuitOnLastWindowClosed(false);
    auto form = std::make_unique<TMainForm>(dialogs);
    if (size.isValid()) form->resize(size);
    if (beforeShow) beforeShow(*form);
    form->show();
    if (size.isValid()) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    return form;
}

// A family tree with one person of each surname (no cells), and `heading`
// unless null.
inline QString writeTree(const QString& path, std::initializer_list<const char*> surnames,
                         const BoxLayout& box = {}, const char* heading = nullptr) {
    Document d;
    for (const char* name : surnames) {
        TPerson p;
        p.NachName = name;
        d.addPerson(std::move(p));
    }
    if (heading) d.chart.Caption = heading;
    QString error;
    EXPECT_TRUE(saveSta(path, d, box, &error)) << error.toStdString();
    return path;
}

// Its members are public: the cases of a table reach in.
class MainWindowTest : public ::testing::Test {
  public:
    explicit MainWindowTest(QSize size = {}) : size_(size) {}
    // The window of the test, unless a test opens it itself (openWindow).
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        openWindow();
    }
    void openWindow(const std::function<void(TMainForm&)>& beforeShow = {}) {
        form = showMainWindow(dialogs, size_, beforeShow);
    }

    QString path(const QString& name) const { return dir.filePath(name); }
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    Document& doc() { return form->document(); }
    // Lets the window handle what its last step queued (paintings, timers
    // due now).
    static void settle() {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }
    // Shows page `index` (1: the arrange page) and lets it paint.
    void showPage(int index) {
        form->PageControl1()->setCurrentIndex(index);
        settle();
    }

    // Shows the arrange page; true once its first painting has computed the
    // margins of 96 dpi (45 and 68).
    bool showArrangePage() {
        showPage(1);
        return QTest::qWaitFor([&] { return form->margins() == ChartMargins{45, 68}; });
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<TMainForm> form;

  private:
    QSize size_;
};

} // namespace lw::test
