#pragma once
// lindwerk-cli run as a user runs it, for the tests of its commands.
#include <QProcess>
#include <QString>
#include <QStringList>

namespace lw::test {

struct CliResult {
    int exitCode = -1;
    QString out;
    QString err;
};

inline CliResult runCli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(LINDWERK_CLI), args);
    p.waitForFinished(120000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace lw::test
