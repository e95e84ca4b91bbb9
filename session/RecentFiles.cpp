#include "session/RecentFiles.h"

#include "platform/ProfileFile.h"

#include <QDir>
#include <QFileInfo>
#include <string>

namespace lw::app {
namespace {

std::string keyOf(int i) {
    return "File" + std::to_string(i + 1);
}

} // namespace

QStringList readRecentFiles(const ProfileFile& file) {
    QStringList files;
    for (int i = 0; i < kMaxRecentFiles; ++i) {
        std::optional<std::string> v = file.value(kRecentSection, keyOf(i));
        if (!v || v->empty()) continue;
        const QString path = QString::fromStdString(*v);
        if (!files.contains(path)) files << path;
    }
    return files;
}

void writeRecentFiles(ProfileFile& file, const QStringList& files) {
    for (int i = 0; i < kMaxRecentFiles; ++i) {
        const bool used = i < files.size();
        if (!used && !file.value(kRecentSection, keyOf(i))) continue;
        file.setValue(kRecentSection, keyOf(i),
                      used ? profileQuoted(files[i].toStdString()) : std::string());
    }
}

QStringList withRecentFile(QStringList files, const QString& path) {
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kMaxRecentFiles)
        files.removeLast();
    return files;
}

QStringList RecentFiles::files() const {
    ProfileFile file;
    if (!file.load(settingsPath_(), nullptr)) return {};
    return readRecentFiles(file);
}

bool RecentFiles::add(const QString& path) {
    return change([&](QStringList files) { return withRecentFile(std::move(files), path); });
}

bool RecentFiles::remove(const QString& path) {
    return change([&](QStringList files) {
        files.removeAll(path);
        return files;
    });
}

bool RecentFiles::change(const std::function<QStringList(QStringList)>& edit) {
    const QString path = settingsPath_();
    ProfileFile file;
    if (!file.load(path, nullptr)) return false; // unreadable: leave it alone
    const QStringList before = readRecentFiles(file);
    const QStringList after = edit(before);
    if (after == before) return true;
    writeRecentFiles(file, after);
    QDir().mkpath(QFileInfo(path).absolutePath());
    return file.save(path, nullptr);
}

} // namespace lw::app
