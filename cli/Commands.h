#pragma once
// The commands of lindwerk-cli. Each takes the arguments after the command
// name and returns the exit code: 0 done, 1 failed (message on stderr),
// 2 wrong usage. The drawing commands (render, print, poster) live in a
// program of their own, lindwerk-draw, which lindwerk-cli hands them to: the
// file commands then start without the GUI module, in half the time.
#include <QStringList>

namespace lw {
struct StaFile;
}

namespace lw::cli {

int runDump(const QStringList& args);
int runConvert(const QStringList& args);
// export-bio IN.sta OUT.txt: the biographies as the export button writes them.
int runExportBio(const QStringList& args);
// render IN.sta OUT.png [--screen-dpi N] [--printer-dpi N] [--page WxH]: the
// arrange view of the whole chart as a PNG picture.
int runRender(const QStringList& args);
// print IN.sta OUT.pdf [--screen-dpi N] [--printer-dpi N] [--page WxH]
// [--paper WxH] and the poster options of the printer set-up: the chart
// printed into a PDF file as the print command prints it, one page per
// sheet; the sheet count message on stdout.
int runPrint(const QStringList& args);
// poster IN.sta OUT.pdf|OUT.svg [--scale P | --width-mm W]: the whole chart
// as one page.
int runPoster(const QStringList& args);

// import-gedcom IN.ged OUT.sta: a GEDCOM file as a family tree, arranged;
// the import report on stderr.
int runImportGedcom(const QStringList& args);
// export-gedcom IN.sta OUT.ged: the family tree as GEDCOM 5.5.1.
int runExportGedcom(const QStringList& args);
// arrange IN.sta OUT.sta [--only-unplaced]: the automatic arrangement;
// arrange IN.sta OUT.sta --ancestors-of N | --descendants-of N | --hourglass N
// [--generations G]: the chart of person N alone, the others without a cell.
int runArrange(const QStringList& args);

// Keeps a loaded tree until the process ends, which is right after the
// command: the system takes back a large tree's memory at once, where
// freeing it text by text takes a tenth of the whole command.
void keepUntilExit(StaFile&& file);

// The help text of lindwerk-cli.
extern const char* const kUsage;
// The arguments after the program name.
QStringList argumentsOf(int argc, char** argv);

// Prints `message` and returns 2.
int usageError(const QString& message);
// Prints `message` (the program's own German text) and returns 1.
int failure(const QString& message);

} // namespace lw::cli
