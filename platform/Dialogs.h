#pragma once
// Every modal question the program asks goes through this seam: the window
// answers with real dialogs, tests with scripted answers.
#include "platform/Color.h"
#include "platform/FontInfo.h"

#include <QString>
#include <optional>

namespace lw {

// Buttons and icons of a message box, and its answers.
enum MessageBoxFlags : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_ICONSTOP = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40,
};
enum MessageBoxResult : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// A file dialog filter is "description|patterns|description|patterns...",
// patterns separated by ';' ("Stammbäume|*.sta").
struct FileDialogRequest {
    QString title; // empty: the platform's default title
    QString filter;
    QString defaultSuffix; // added when the user types a name without one
    QString fileName;      // preset name or folder
    bool overwritePrompt = false;
};

class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // Caption empty: the platform's default caption.
    virtual int messageBox(const QString& text, const QString& caption, unsigned flags) = 0;

    // The chosen path, or empty when the user cancelled.
    virtual QString openFileName(const FileDialogRequest& request) = 0;
    virtual QString saveFileName(const FileDialogRequest& request) = 0;

    // True and `font`/`color` changed when the user confirmed.
    virtual bool chooseFont(TFontInfo& font) = 0;
    virtual bool chooseColor(TColor& color) = 0;

    // A whole number from `min` to `max`, offered as `value`; nothing when
    // the user cancelled. Dialogs that do not ask it answer Cancel.
    virtual std::optional<int> askNumber(const QString& title, const QString& label, int value,
                                         int min, int max) {
        (void)title, (void)label, (void)value, (void)min, (void)max;
        return std::nullopt;
    }
};

// Dialogs where nobody sits at the screen: every question is answered OK
// (a number with the value offered), and no file, font or colour is chosen. Headless callers derive
// from it to answer otherwise.
class AnsweringDialogs : public Dialogs {
  public:
    int messageBox(const QString&, const QString&, unsigned) override { return IDOK; }
    QString openFileName(const FileDialogRequest&) override { return {}; }
    QString saveFileName(const FileDialogRequest&) override { return {}; }
    bool chooseFont(TFontInfo&) override { return false; }
    bool chooseColor(TColor&) override { return false; }
    std::optional<int> askNumber(const QString&, const QString&, int value, int, int) override {
        return value;
    }
};

// The error box of the program: caption "Fehler", stop icon, OK.
inline void showError(Dialogs& dialogs, const QString& text) {
    dialogs.messageBox(text, QStringLiteral("Fehler"), MB_OK | MB_ICONSTOP);
}

} // namespace lw
