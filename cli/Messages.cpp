// What every command of lindwerk-cli and its drawing program shares.
#include "cli/Commands.h"
#include "document/StaFile.h"
#include "platform/NativePath.h"

#include <QTextStream>

namespace lw::cli {

const char* const kUsage =
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
    "  export-gedcom EIN.sta|EIN.ged AUS.ged\n"
    "                                 Stammbaum als GEDCOM 5.5.1 exportieren\n"
    "  arrange EIN.sta AUS.sta [--only-unplaced]\n"
    "                                 Personen automatisch anordnen\n"
    "  arrange EIN.sta AUS.sta --ancestors-of N | --descendants-of N | --hourglass N\n"
    "        [--generations G]        nur Vorfahren, Nachkommen oder beide von Person N\n"
    "                                 (Nummer wie bei dump, ab 0; G Generationen, 4)\n"
    "  --help                         diese Hilfe ausgeben\n"
    "  --version                      die Version ausgeben\n";

QStringList argumentsOf(int argc, char** argv) {
    // File names are taken as the bytes given, even when they are not UTF-8.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << pathFromNative(QByteArray(argv[i]));
    return args;
}

int usageError(const QString& message) {
    QTextStream(stderr) << message << (message.endsWith(u'\n') ? "" : "\n");
    return 2;
}

int failure(const QString& message) {
    QTextStream(stderr) << message << "\n";
    return 1;
}

namespace {
// Held here, so that leak checkers count the kept tree as reachable.
StaFile* keptTree = nullptr;
} // namespace

void keepUntilExit(StaFile&& file) {
    delete keptTree; // never more than one: each command keeps its tree once
    keptTree = new StaFile(std::move(file));
}

} // namespace lw::cli
