#include "app/window/FormStorageWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace lw {
namespace {

WinRect toWinRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

QRect toQRect(const WinRect& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

bool onSomeScreen(const QRect& r) {
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(r)) return true;
    return false;
}

bool hasFixedSize(const QWidget& window) {
    return window.minimumSize() == window.maximumSize();
}

QRect normalGeometry(const QWidget& window) {
    QRect r = window.normalGeometry();
    return r.isValid() ? r : window.geometry();
}

} // namespace

WindowPlacement windowPlacement(const QWidget& window) {
    WindowPlacement p;
    if (window.isMinimized())
        p.showCmd = SW_SHOWMINIMIZED;
    else if (window.isMaximized())
        p.showCmd = SW_SHOWMAXIMIZED;
    p.normalPosition = toWinRect(normalGeometry(window));
    return p;
}

ScreenFacts screenFacts(const QWidget& window) {
    const QScreen* screen = window.screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return {};
    const QRect g = screen->geometry();
    return {g.width(), g.height(), int(std::lround(screen->logicalDotsPerInch()))};
}

void applyRestore(QWidget& window, const FormRestore& restore) {
    if (!restore.restored) return;
    if (restore.placement) {
        QRect r = toQRect(restore.placement->normalPosition);
        if (hasFixedSize(window)) r.setSize(window.size());
        if (!onSomeScreen(r)) r.moveTopLeft(window.geometry().topLeft());
        window.setGeometry(r);
    }
    Qt::WindowStates state = window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (restore.show == ShowState::Maximized) state |= Qt::WindowMaximized;
    if (restore.show == ShowState::Minimized) state |= Qt::WindowMinimized;
    window.setWindowState(state);
}

QRect firstWindowGeometry(const QRect& available) {
    if (available.isEmpty()) return QRect(0, 0, 1024, 720);
    const QSize size(std::min(1024, available.width() * 4 / 5),
                     std::min(720, available.height() * 4 / 5));
    QRect r(QPoint(), size);
    r.moveCenter(available.center());
    return r;
}

bool FormStorage::restore(QWidget& window, BoxLayout& box, Dialogs& dialogs,
                          PrintOptions* options) {
    ProfileFile file;
    QString error;
    if (!file.load(path_, &error)) {
        tell(dialogs, error);
        return false;
    }
    const FormRestore result =
        restoreFormSettings(file, screenFacts(window), toWinRect(normalGeometry(window)), box);
    applyRestore(window, result);
    if (options) readPrintOptions(file, *options);
    return true;
}

bool FormStorage::save(const QWidget& window, const BoxLayout& box, Dialogs& dialogs,
                       bool destroying, const PrintOptions* options) {
    saved_ = true;
    ProfileFile file;
    QString error;
    bool ok = file.load(path_, &error);
    if (ok) {
        saveFormSettings(file, windowPlacement(window), destroying, box, screenFacts(window));
        if (options) writePrintOptions(file, *options);
        QDir().mkpath(QFileInfo(path_).absolutePath());
        ok = file.save(path_, &error);
    }
    if (ok)
        lastError_.clear();
    else
        tell(dialogs, error);
    return ok;
}

void FormStorage::tell(Dialogs& dialogs, const QString& error) {
    if (error == lastError_) return;
    lastError_ = error;
    showError(dialogs, error);
}

} // namespace lw
