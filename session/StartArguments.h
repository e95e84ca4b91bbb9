#pragma once
// What `lindwerk` was asked to do on its command line: show the window,
// perhaps with a family tree to open, or only answer --help or --version.
#include <QString>
#include <QStringList>

namespace lw::app {

struct StartRequest {
    enum class Kind { Window, Help, Version, Wrong };
    Kind kind = Kind::Window;
    QString file;    // the tree to open at start (Window), or empty
    QString problem; // what is wrong (Wrong)
};

// `args` without the program's name. --help and --version win over
// everything else; at most one file; "--" ends the options.
StartRequest parseStartArguments(const QStringList& args);

// The --help text.
QString startHelpText();

} // namespace lw::app
