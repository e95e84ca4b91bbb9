#pragma once
// The real dialogs of the program: message boxes, file, font and colour
// dialogs and the number input of the widget toolkit behind the Dialogs seam.
#include "platform/Dialogs.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

namespace lw {

// "Stammbäume|*.sta|Alle Dateien|*.*" becomes {"Stammbäume (*.sta)",
// "Alle Dateien (*.*)"}. A description that already ends with its patterns in
// brackets ("Textdateien (*.txt)|*.txt") is kept as it is. A trailing
// description without patterns is dropped.
QStringList toQtNameFilters(const QString& filter);

class QtDialogs : public Dialogs {
  public:
    // The dialogs are modal to `parent` (the main window), which may be set
    // later, once it exists.
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParentWidget(QWidget* parent) { parent_ = parent; }

    int messageBox(const QString& text, const QString& caption, unsigned flags) override;
    QString openFileName(const FileDialogRequest& request) override;
    QString saveFileName(const FileDialogRequest& request) override;
    bool chooseFont(TFontInfo& font) override;
    bool chooseColor(TColor& color) override;
    std::optional<int> askNumber(const QString& title, const QString& label, int value, int min,
                                 int max) override;

  private:
    QString runFileDialog(const FileDialogRequest& request, bool save);

    QPointer<QWidget> parent_;
};

} // namespace lw
