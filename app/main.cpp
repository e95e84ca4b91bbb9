#include "app/MainForm.h"
#include "platform/WholeFile.h"
#include "platform/gui/QtDialogs.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char** argv) {
    lw::ignoreFileSizeSignal(); // a full disk is a message, not the end
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lindwerk"));

    // The toolkit's own texts (file dialogs, colour and font dialogs) in German.
    QTranslator toolkitTexts;
    if (toolkitTexts.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&toolkitTexts);

    lw::QtDialogs dialogs;
    TMainForm window(dialogs);
    dialogs.setParentWidget(&window);
    window.show();
    return app.exec();
}
