#pragma once
// Pictures that cannot be shown as their files are: missing, unreadable,
// too large, or damaged. Each is told to the user once per file and kind,
// in German, through the sink the program sets (the window's status bar,
// the command line's stderr); without a sink the notices are only kept.
//
// Reading a picture also keeps the picture plug-ins' own English warnings
// ("Corrupt JPEG data ...") away from the user: while a file is read on a
// thread, whatever the plug-ins say marks it damaged instead of reaching
// stderr.
//
// Everything here may be used on any thread; the sink is called on the
// thread that found the problem.
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>

namespace lw {

// Missing also stands for a name that is no regular file (a folder, a
// device, a pipe): those are never read.
enum class PictureProblem { Missing, Unreadable, TooLarge, Damaged };

// The German notice for `path`; `size` (the stored size) only for TooLarge.
QString pictureProblemText(PictureProblem problem, const QString& path, QSize size = {});

// Tells the notice for `path` unless it was told already; after the first
// 20 notices the sink hears once that there are more, then nothing.
void reportPictureProblem(PictureProblem problem, const QString& path, QSize size = {});

using PictureProblemSink = std::function<void(const QString& notice)>;
void setPictureProblemSink(PictureProblemSink sink);
// A sink that writes each notice as one line to stderr.
void reportPictureProblemsOnStderr();

// Every notice so far, in order, also those past the first 20;
// forgetPictureProblems starts anew
// (every file is then told again).
QStringList pictureProblems();
void forgetPictureProblems();

// While one lives, the picture plug-ins' messages on this thread are
// counted instead of shown; notes that lose no pixel (colour profiles,
// stray bytes between the parts of a JPEG file) are not counted.
class PluginMessageGuard {
  public:
    PluginMessageGuard();
    ~PluginMessageGuard();
    PluginMessageGuard(const PluginMessageGuard&) = delete;
    PluginMessageGuard& operator=(const PluginMessageGuard&) = delete;
    // How many messages of faults arrived since this guard began.
    int faults() const;

  private:
    int before_;
};

} // namespace lw
