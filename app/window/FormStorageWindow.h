#pragma once
// FormStorage1 of the main window: restores the box values and the window's
// placement from the settings file when the window is first shown, and
// writes them back when it closes. Trouble with the file is shown in the
// error box; it never stops the program nor keeps the window from closing.
#include "document/Layout.h"
#include "platform/Dialogs.h"
#include "print/PrintOptions.h"
#include "session/FormStorage.h"

#include <QRect>
#include <QString>

class QWidget;

namespace lw {

// The placement of `window` as the settings file keeps it; flags 0, no
// minimised or maximised position.
WindowPlacement windowPlacement(const QWidget& window);
// Size and logical pixels per inch of the screen `window` is on.
ScreenFacts screenFacts(const QWidget& window);
// Moves and sizes `window`, then sets its show state. A window of fixed size
// is only moved; a rectangle that lies on no screen keeps the current position.
void applyRestore(QWidget& window, const FormRestore& restore);

// Where the main window opens when no settings file places it: 1024 × 720
// pixels, or 80 % of the screen's free area where that is smaller, centred
// on it. An empty `available` area (no screen) gives the size at (0, 0).
QRect firstWindowGeometry(const QRect& available);

class FormStorage {
  public:
    explicit FormStorage(QString path = defaultFormSettingsPath()) : path_(std::move(path)) {}

    const QString& path() const { return path_; }
    // Another file, e.g. for tests of the window.
    void setPath(QString path) { path_ = std::move(path); }
    bool hasSaved() const { return saved_; }

    // Reads the file into `box`, `window` and, when given, the print
    // options. False (error shown) when the file exists but cannot be read;
    // the values then stay as they are.
    bool restore(QWidget& window, BoxLayout& box, Dialogs& dialogs,
                 PrintOptions* options = nullptr);
    // Writes the file, keeping whatever else it holds. `destroying`: the
    // window is being destroyed without having closed. False (error shown)
    // on failure. The settings are written while the program runs too: the
    // same trouble as the last one (a file that cannot be read) is not
    // shown again.
    bool save(const QWidget& window, const BoxLayout& box, Dialogs& dialogs,
              bool destroying = false, const PrintOptions* options = nullptr);

  private:
    void tell(Dialogs& dialogs, const QString& error);

    QString path_;
    bool saved_ = false;
    QString lastError_;
};

} // namespace lw
