#include "app/commands/GedcomCommands.h"
#include "app/window/FirstPaintReport.h"
#include "app/window/MainForm.h"
#include "app/window/ToolkitTexts.h"
#include "picture/ThumbnailStore.h"
#include "platform/FontSubstitutes.h"
#include "platform/WholeFile.h"
#include "platform/gui/QtDialogs.h"
#include "session/StartArguments.h"

#include <QApplication>
#include <QFileInfo>
#include <QThreadPool>
#include <QTranslator>
#include <cstdio>

using lw::app::StartRequest;

int main(int argc, char** argv) {
    // --help and --version answer without a window (and without a display).
    QStringList raw;
    for (int i = 1; i < argc; ++i)
        raw << QString::fromLocal8Bit(argv[i]);
    const StartRequest::Kind early = lw::app::parseStartArguments(raw).kind;
    if (early == StartRequest::Kind::Help) {
        std::fputs(lw::app::startHelpText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (early == StartRequest::Kind::Version) {
        std::fputs("lindwerk " LINDWERK_VERSION "\n", stdout);
        return 0;
    }

    lw::ignoreFileSizeSignal(); // a full disk is a message, not the end
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lindwerk"));
    QApplication::setApplicationVersion(QStringLiteral(LINDWERK_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("lindwerk")); // packaging/lindwerk.desktop
    // The toolkit's own options (-platform, -style ...) are gone by now.
    const StartRequest request = lw::app::parseStartArguments(QApplication::arguments().mid(1));
    if (request.kind == StartRequest::Kind::Wrong) {
        std::fputs((request.problem + QLatin1Char('\n') + lw::app::startHelpText())
                       .toLocal8Bit()
                       .constData(),
                   stderr);
        return 2;
    }
    lw::installFontSubstitutes();

    // The toolkit's own texts (file dialogs, colour and font dialogs) in German.
    QTranslator toolkitTexts;
    if (lw::app::loadGermanToolkitTexts(toolkitTexts))
        QApplication::installTranslator(&toolkitTexts);

    lw::QtDialogs dialogs;
    lw::TMainForm window(dialogs);
    dialogs.setParentWidget(&window);
    lw::app::reportFirstPaintIfAsked(window);
    window.show();
    // The screen-size copies of pictures are kept within their budget.
    QThreadPool::globalInstance()->start([] { lw::ThumbnailStore().prune(); });
    if (!request.file.isEmpty()) {
        const QString file = QFileInfo(request.file).absoluteFilePath();
        if (lw::app::isGedcomFileName(file))
            lw::app::importGedcomFile(window, file);
        else
            window.openFile(file);
    }
    return app.exec();
}
