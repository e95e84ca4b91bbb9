// lindwerk-cli: family trees without the window.
#include "cli/Commands.h"
#include "platform/NativePath.h"
#include "platform/WholeFile.h"
#include "platform/FontSubstitutes.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

const char* kUsage =
    "Aufruf: lindwerk-cli BEFEHL ...\n"
    "  dump DATEI.sta                 Stammbaum als JSON ausgeben\n"
    "  convert EIN.sta AUS.sta        in die aktuelle Dateiversion umschreiben\n"
    "  export-bio EIN.sta AUS.txt     Lebensläufe als Text exportieren\n"
    "  render EIN.sta AUS.png [--screen-dpi N] [--printer-dpi N] [--page BxH]\n"
    "                                 Anordnungsansicht als PNG-Bild\n"
    "  print EIN.sta AUS.pdf [--screen-dpi N] [--printer-dpi N] [--page BxH] [--paper BxH]\n"
    "        [--scale P | --sheets-wide N] [--skip-empty] [--glue-mm G] [--marks] [--map]\n"
    "        [--max-sheets N]         Stammbaum als PDF drucken, eine Seite je Blatt\n"
    "  poster EIN.sta AUS.pdf|AUS.svg [--scale P | --width-mm W]\n"
    "                                 ganzer Stammbaum als eine große Seite\n"
    "  import-gedcom EIN.ged AUS.sta  GEDCOM-Datei importieren und anordnen\n"
    "  export-gedcom EIN.sta AUS.ged  Stammbaum als GEDCOM 5.5.1 exportieren\n"
    "  arrange EIN.sta AUS.sta [--only-unplaced]\n"
    "                                 Personen automatisch anordnen\n"
    "  --help                         diese Hilfe ausgeben\n"
    "  --version                      die Version ausgeben\n";

} // namespace

int main(int argc, char** argv) {
    // These two answer at once, before anything of the toolkit starts.
    const std::string first = argc > 1 ? argv[1] : "";
    if (first == "--help" || first == "-h") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (first == "--version") {
        std::fputs("lindwerk-cli " LINDWERK_VERSION "\n", stdout);
        return 0;
    }
    // Text and pictures need the GUI module, but never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    lw::ignoreFileSizeSignal(); // a full disk is a message, not the end
    // Only drawing needs the GUI module; the file commands start faster
    // without its platform plugin.
    const bool draws = argc > 1 && (std::strcmp(argv[1], "render") == 0 ||
                                    std::strcmp(argv[1], "print") == 0 ||
                                    std::strcmp(argv[1], "poster") == 0);
    std::unique_ptr<QCoreApplication> app(draws ? new QGuiApplication(argc, argv)
                                                : new QCoreApplication(argc, argv));
    if (draws) lw::installFontSubstitutes();
    // File names are taken as the bytes given, even when they are not UTF-8.
    QStringList args;
    for (int i = 1; i < argc; ++i) args << lw::pathFromNative(QByteArray(argv[i]));
    if (args.isEmpty()) return lw::cli::usageError(QString::fromUtf8(kUsage));
    const QString command = args.takeFirst();
    if (command == QLatin1String("dump")) return lw::cli::runDump(args);
    if (command == QLatin1String("convert")) return lw::cli::runConvert(args);
    if (command == QLatin1String("export-bio")) return lw::cli::runExportBio(args);
    if (command == QLatin1String("render")) return lw::cli::runRender(args);
    if (command == QLatin1String("print")) return lw::cli::runPrint(args);
    if (command == QLatin1String("poster")) return lw::cli::runPoster(args);
    if (command == QLatin1String("import-gedcom")) return lw::cli::runImportGedcom(args);
    if (command == QLatin1String("export-gedcom")) return lw::cli::runExportGedcom(args);
    if (command == QLatin1String("arrange")) return lw::cli::runArrange(args);
    return lw::cli::usageError(QString::fromUtf8(kUsage));
}
