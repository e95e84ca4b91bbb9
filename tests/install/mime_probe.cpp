// Prints the file type the desktop's type database gives each file named on
// the command line: by its first bytes ("content") or as a file manager
// does, name first ("default"). The install check runs it on a database made
// from the installed type only.
#include <QCoreApplication>
#include <QMimeDatabase>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) return 2;
    const auto mode = args[0] == QLatin1String("content") ? QMimeDatabase::MatchContent
                                                          : QMimeDatabase::MatchDefault;
    QMimeDatabase db;
    for (const QString& file : args.mid(1))
        std::printf("%s\n", qPrintable(db.mimeTypeForFile(file, mode).name()));
    return 0;
}
