#include "platform/gui/QtDialogs.h"

#include "platform/DocText.h"
#include "platform/gui/FontColorDialog.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <cstdlib>
#include <vector>

namespace lw {
namespace {

QMessageBox::Icon iconOf(unsigned flags) {
    switch (flags & 0xF0) {
    case MB_ICONSTOP:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONWARNING:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

struct ButtonChoice {
    const char* text;
    QMessageBox::ButtonRole role;
    int result;
};

// The buttons of a box in their order on screen; the first is the default.
std::vector<ButtonChoice> buttonsOf(unsigned flags) {
    switch (flags & 0xF) {
    case MB_OKCANCEL:
        return {{"OK", QMessageBox::AcceptRole, IDOK},
                {"Abbrechen", QMessageBox::RejectRole, IDCANCEL}};
    case MB_YESNOCANCEL:
        return {{"&Ja", QMessageBox::YesRole, IDYES},
                {"&Nein", QMessageBox::NoRole, IDNO},
                {"Abbrechen", QMessageBox::RejectRole, IDCANCEL}};
    case MB_YESNO:
        return {{"&Ja", QMessageBox::YesRole, IDYES}, {"&Nein", QMessageBox::NoRole, IDNO}};
    default:
        return {{"OK", QMessageBox::AcceptRole, IDOK}};
    }
}

QFont toQFont(const TFontInfo& info) {
    QFont f(fromDocText(info.Name));
    int points = std::abs(info.Size());
    f.setPointSize(points > 0 ? points : 8);
    f.setBold(info.Style & fsBold);
    f.setItalic(info.Style & fsItalic);
    f.setUnderline(info.Style & fsUnderline);
    f.setStrikeOut(info.Style & fsStrikeOut);
    return f;
}

// Takes name, size and style from the chosen font; character set, pitch
// and the resolution the size refers to stay.
void takeFont(const QFont& f, TFontInfo& info) {
    info.Name = toDocText(f.family());
    int points = f.pointSize() > 0 ? f.pointSize() : qRound(f.pointSizeF());
    if (points > 0) info.setSize(points);
    std::uint8_t style = 0;
    if (f.bold()) style |= fsBold;
    if (f.italic()) style |= fsItalic;
    if (f.underline()) style |= fsUnderline;
    if (f.strikeOut()) style |= fsStrikeOut;
    info.Style = style;
}

} // namespace

QStringList toQtNameFilters(const QString& filter) {
    QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns)
            p = p.trimmed();
        QString joined = patterns.join(QLatin1Char(' '));
        static const QRegularExpression trailing(QStringLiteral("\\(([^()]*)\\)\\s*$"));
        QRegularExpressionMatch m = trailing.match(description);
        bool alreadyNamed =
            m.hasMatch() && m.captured(1).split(QRegularExpression(QStringLiteral("[ ;]+")),
                                                Qt::SkipEmptyParts) == patterns;
        if (alreadyNamed)
            result << description;
        else
            result << QStringLiteral("%1 (%2)").arg(description, joined);
    }
    return result;
}

int QtDialogs::messageBox(const QString& text, const QString& caption, unsigned flags) {
    QMessageBox box(iconOf(flags), caption, text, QMessageBox::NoButton, parent_);
    std::vector<ButtonChoice> choices = buttonsOf(flags);
    std::vector<QPushButton*> buttons;
    for (const ButtonChoice& c : choices) {
        QPushButton* b = box.addButton(QString::fromUtf8(c.text), c.role);
        buttons.push_back(b);
    }
    box.setDefaultButton(buttons.front());
    // Esc and the window frame answer like the last button (Cancel, No or OK).
    box.setEscapeButton(buttons.back());
    box.exec();
    for (size_t i = 0; i < buttons.size(); ++i)
        if (box.clickedButton() == buttons[i]) return choices[i].result;
    return choices.back().result;
}

QString QtDialogs::runFileDialog(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(parent_, request.title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(toQtNameFilters(request.filter));
    QString suffix = request.defaultSuffix;
    if (suffix.startsWith(QLatin1Char('.'))) suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(save && request.overwritePrompt));
    dialog.setSizeGripEnabled(true);
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted) return {};
    QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.front();
}

QString QtDialogs::openFileName(const FileDialogRequest& request) {
    return runFileDialog(request, false);
}

QString QtDialogs::saveFileName(const FileDialogRequest& request) {
    return runFileDialog(request, true);
}

bool QtDialogs::chooseFont(TFontInfo& font) {
    const QColor offered = toQColor(font.Color);
    FontColorDialog dialog(toQFont(font), offered, parent_);
    if (dialog.exec() != QDialog::Accepted) return false;
    takeFont(dialog.selectedFont(), font);
    // A system colour stays one unless another colour was chosen.
    if (dialog.color() != offered) font.Color = fromQColor(dialog.color());
    return true;
}

bool QtDialogs::chooseColor(TColor& color) {
    QColor chosen = QColorDialog::getColor(toQColor(color), parent_);
    if (!chosen.isValid()) return false;
    color = fromQColor(chosen);
    return true;
}

std::optional<int> QtDialogs::askNumber(const QString& title, const QString& label, int value,
                                        int min, int max) {
    bool ok = false;
    const int number = QInputDialog::getInt(parent_, title, label, value, min, max, 1, &ok);
    if (!ok) return std::nullopt;
    return number;
}

} // namespace lw
