#pragma once
// The trees opened or saved last, newest first, kept in section
// "RecentFiles" of the window's settings file (File1 ... File8, UTF-8 file
// names). Every change is read from and written to the file at once, so
// that two windows never throw away each other's entries and other sections
// stay as they are.
#include <QString>
#include <QStringList>
#include <functional>

namespace lw {
class ProfileFile;
}

namespace lw::app {

inline constexpr const char* kRecentSection = "RecentFiles";
inline constexpr int kMaxRecentFiles = 8;

// The list as section `kRecentSection` of `file` holds it (empty keys and
// repeats skipped, at most kMaxRecentFiles).
QStringList readRecentFiles(const ProfileFile& file);
// Writes `files` into the section, clearing keys that are no longer used.
void writeRecentFiles(ProfileFile& file, const QStringList& files);
// `files` with `path` in front, without an earlier entry of it, cut to
// kMaxRecentFiles.
QStringList withRecentFile(QStringList files, const QString& path);

class RecentFiles {
  public:
    // `settingsPath` names the settings file when it is needed.
    explicit RecentFiles(std::function<QString()> settingsPath)
        : settingsPath_(std::move(settingsPath)) {}

    QStringList files() const;
    // Puts `path` in front. False when the settings file cannot be written.
    bool add(const QString& path);
    bool remove(const QString& path);

  private:
    bool change(const std::function<QStringList(QStringList)>& edit);

    std::function<QString()> settingsPath_;
};

} // namespace lw::app
