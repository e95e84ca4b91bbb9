// lindwerk-draw: the drawing commands of lindwerk-cli, which hands them here
// with its own arguments.
#include "cli/Commands.h"
#include "picture/PictureProblems.h"
#include "platform/FontSubstitutes.h"
#include "platform/WholeFile.h"

#include <QGuiApplication>

#include <new>

int main(int argc, char** argv) {
    // Text and pictures need the GUI module, but never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    lw::ignoreFileSizeSignal(); // a full disk is a message, not the end
    lw::reportPictureProblemsOnStderr();
    QGuiApplication app(argc, argv);
    // The name users know, also for the picture cache folder.
    QCoreApplication::setApplicationName(QStringLiteral("lindwerk-cli"));
    lw::installFontSubstitutes();
    QStringList args = lw::cli::argumentsOf(argc, argv);
    const QString command = args.isEmpty() ? QString() : args.takeFirst();
    try {
        if (command == QLatin1String("render")) return lw::cli::runRender(args);
        if (command == QLatin1String("print")) return lw::cli::runPrint(args);
        if (command == QLatin1String("poster")) return lw::cli::runPoster(args);
    } catch (const std::bad_alloc&) {
        // Whatever ran out gave its memory back on the way here; the output
        // files are written whole or not at all.
        return lw::cli::failure(
            QStringLiteral("Nicht genügend Arbeitsspeicher – der Befehl wurde abgebrochen."));
    }
    return lw::cli::usageError(QString::fromUtf8(lw::cli::kUsage));
}
