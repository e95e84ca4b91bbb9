// lindwerk-cli: family trees without the window.
#include "cli/Commands.h"
#include "platform/WholeFile.h"

#include <QCoreApplication>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

// The drawing program: beside this one (a build folder), or in
// libexec/lindwerk beside bin (an installation).
std::string drawProgram() {
    char self[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return "lindwerk-draw";
    const std::string path(self, size_t(n));
    const std::string dir = path.substr(0, path.rfind('/') + 1);
    const std::string beside = dir + "lindwerk-draw";
    if (::access(beside.c_str(), X_OK) == 0) return beside;
    return dir + "../libexec/lindwerk/lindwerk-draw";
}

int runDrawProgram(char** argv) {
    const std::string program = drawProgram();
    argv[0] = const_cast<char*>(program.c_str());
    ::execv(program.c_str(), argv);
    std::fprintf(stderr, "Das Zeichenprogramm %s fehlt (%s).\n", program.c_str(),
                 std::strerror(errno));
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    // These two answer at once, before anything of the toolkit starts.
    const std::string first = argc > 1 ? argv[1] : "";
    if (first == "--help" || first == "-h") {
        std::fputs(lw::cli::kUsage, stdout);
        return 0;
    }
    if (first == "--version") {
        std::fputs("lindwerk-cli " LINDWERK_VERSION "\n", stdout);
        return 0;
    }
    if (first == "render" || first == "print" || first == "poster") return runDrawProgram(argv);
    lw::ignoreFileSizeSignal(); // a full disk is a message, not the end
    QCoreApplication app(argc, argv);
    QStringList args = lw::cli::argumentsOf(argc, argv);
    if (args.isEmpty()) return lw::cli::usageError(QString::fromUtf8(lw::cli::kUsage));
    const QString command = args.takeFirst();
    if (command == QLatin1String("dump")) return lw::cli::runDump(args);
    if (command == QLatin1String("convert")) return lw::cli::runConvert(args);
    if (command == QLatin1String("export-bio")) return lw::cli::runExportBio(args);
    if (command == QLatin1String("import-gedcom")) return lw::cli::runImportGedcom(args);
    if (command == QLatin1String("export-gedcom")) return lw::cli::runExportGedcom(args);
    if (command == QLatin1String("arrange")) return lw::cli::runArrange(args);
    return lw::cli::usageError(QString::fromUtf8(lw::cli::kUsage));
}
