#include "session/StartArguments.h"

namespace lw::app {

StartRequest parseStartArguments(const QStringList& args) {
    StartRequest request;
    bool options = true;
    QStringList files;
    for (const QString& arg : args) {
        if (options && arg == QLatin1String("--")) {
            options = false;
        } else if (options && (arg == QLatin1String("--help") || arg == QLatin1String("-h"))) {
            return {StartRequest::Kind::Help, {}, {}};
        } else if (options && arg == QLatin1String("--version")) {
            return {StartRequest::Kind::Version, {}, {}};
        } else if (options && arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            request.kind = StartRequest::Kind::Wrong;
            request.problem = QStringLiteral("Unbekannte Option: %1").arg(arg);
        } else {
            files << arg;
        }
    }
    if (request.kind == StartRequest::Kind::Wrong) return request;
    if (files.size() > 1)
        return {StartRequest::Kind::Wrong,
                {},
                QStringLiteral("Es kann nur ein Stammbaum geöffnet werden.")};
    if (!files.isEmpty()) request.file = files.front();
    return request;
}

QString startHelpText() {
    return QStringLiteral("Aufruf: lindwerk [DATEI.sta | DATEI.ged]\n"
                          "Zeichnet und druckt Stammbäume; öffnet DATEI.sta beim Start\n"
                          "oder importiert die GEDCOM-Datei DATEI.ged.\n"
                          "  --help     diese Hilfe ausgeben\n"
                          "  --version  die Version ausgeben\n");
}

} // namespace lw::app
