#pragma once
// The main window as the GUI tests use it: built with scripted dialogs,
// shown (it stays when closed), beside a folder of its own for the files a
// test writes.
#include "app/window/MainForm.h"
#include "chart/gui/ChartView.h"
#include "document/StaFile.h"
#include "gui/ScriptedDialogs.h"
#include "platform/DocText.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <optional>

namespace lw::test {

// A window whose chart views show a good part of the chart.
inline constexpr QSize kLargeWindow{1100, 800};

// Box centres at the default settings (W 168, H 96, margins 45 and 68).
inline QPoint centreOf(int col, int row) {
    const int shift = row % 2 != 0 ? 82 : 0;
    return {col * 168 + 45 + shift + 80, row * 96 + 68 + 44};
}

// Counts the paint events of a widget.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

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

// What the file holds; nothing when it cannot be read (not yet there).
inline QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A family tree with one person of each surname (no cells), and `heading`
// and the left margin unless not given.
inline QString writeTree(const QString& path, std::initializer_list<const char*> surnames,
                         const BoxLayout& box = {}, const char* heading = nullptr,
                         std::optional<double> leftMarginMm = {}) {
    Document d;
    for (const char* name : surnames) {
        TPerson p;
        p.NachName = name;
        d.addPerson(std::move(p));
    }
    if (heading) d.chart.Caption = heading;
    if (leftMarginMm) d.chart.setRandLEd(*leftMarginMm);
    QString error;
    EXPECT_TRUE(saveSta(path, d, box, &error)) << error.toStdString();
    return path;
}

// A tree "fotos.sta" in `dir` of `count` persons in rows of four, each with a
// large photograph of its own (slow to decode).
inline QString writePhotoTree(const QTemporaryDir& dir, int count) {
    Document doc;
    for (int i = 0; i < count; ++i) {
        QImage photo(1600, 1200, QImage::Format_RGB32);
        photo.fill(qRgb(20 * i, 100, 200 - 10 * i));
        QRandomGenerator random{quint32(i)};
        for (int y = 0; y < photo.height(); y += 7)
            for (int x = 0; x < photo.width(); x += 5)
                photo.setPixel(x, y, random.generate());
        const QString path = dir.filePath(QStringLiteral("foto%1.jpg").arg(i));
        EXPECT_TRUE(photo.save(path, "JPEG", 90));
        TPerson p;
        p.NachName = "Lind";
        p.Bild = toDocText(path);
        p.GridX = i % 4;
        p.GridY = i / 4;
        doc.addPerson(p);
    }
    const QString tree = dir.filePath(QStringLiteral("fotos.sta"));
    QString error;
    EXPECT_TRUE(saveSta(tree, doc, BoxLayout{}, &error)) << error.toStdString();
    return tree;
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
    ChartView* view() { return form->arrangeView(); }
    QWidget* paintBox() { return view()->viewport(); }
    template <typename T = QWidget> T* child(const char* name) {
        T* w = form->findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString writeFile(const char* name, const QByteArray& bytes) {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }

    // A person on a cell, shown in the list and the views.
    int add(const char* surname, int col, int row, const char* firstName = "") {
        TPerson p;
        p.NachName = surname;
        p.VorName = firstName;
        p.GridX = col;
        p.GridY = row;
        const int index = doc().addPerson(p);
        form->UpdatePersonList();
        settle();
        return index;
    }
    GridCell cellOf(int index) { return {doc().person(index).GridX, doc().person(index).GridY}; }
    // A document with unsaved changes: one person added.
    void makeModified(const char* surname = "Bauer") {
        TPerson p;
        p.NachName = surname;
        doc().addPerson(p);
        doc().Modified = true;
    }
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
