#include "picture/PictureProblems.h"

#include "picture/DibImage.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QtGlobal>
#include <atomic>
#include <cstdio>
#include <mutex>

namespace lw {

namespace {

std::mutex& guard() {
    static std::mutex m;
    return m;
}

struct Told {
    QSet<QString> keys;
    QStringList notices;
    PictureProblemSink sink;
};

Told& told() {
    static Told t;
    return t;
}

constexpr qsizetype kToldAtMost = 20;

thread_local int readingDepth = 0;
thread_local int pluginMessages = 0;
std::atomic<QtMessageHandler> previousHandler{nullptr};

// Notes that lose no pixel: colour profiles the PNG library corrects, and
// stray bytes between the parts of a JPEG file (many cameras write them).
bool harmless(const QString& message) {
    for (const char* note : {"iCCP", "sRGB", "cHRM", "gAMA", "profile", "extraneous bytes"})
        if (message.contains(QLatin1String(note), Qt::CaseInsensitive)) return true;
    return false;
}

void filterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    // Only while a picture is read on this thread: everything said then
    // comes from the picture plug-ins and their libraries.
    if (readingDepth > 0 && type != QtFatalMsg) {
        if (!harmless(message)) ++pluginMessages;
        return;
    }
    if (const QtMessageHandler previous = previousHandler.load())
        previous(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

// Put in front again whenever a picture is read: whoever installed a
// handler since then gets the other messages.
void installFilter() {
    static std::mutex installing;
    std::lock_guard lock(installing);
    const QtMessageHandler before = qInstallMessageHandler(filterMessages);
    if (before != filterMessages) previousHandler = before;
}

} // namespace

QString pictureProblemText(PictureProblem problem, const QString& path, QSize size) {
    const QString name = QDir::toNativeSeparators(path);
    switch (problem) {
    case PictureProblem::Missing:
        // A folder, a device or a pipe of that name is never read.
        if (QFileInfo::exists(path))
            return QStringLiteral("Das Bild „%1“ ist keine gewöhnliche Datei (Ordner, Gerät oder "
                                  "Pipe) und wird nicht gelesen; die Box wird ohne Bild "
                                  "gezeichnet.")
                .arg(name);
        return QStringLiteral("Das Bild „%1“ fehlt; die Box wird ohne Bild gezeichnet.").arg(name);
    case PictureProblem::Unreadable:
        return QStringLiteral("Das Bild „%1“ kann nicht gelesen werden (beschädigt oder kein "
                              "bekanntes Bildformat); die Box wird ohne Bild gezeichnet.")
            .arg(name);
    case PictureProblem::TooLarge:
        return QStringLiteral("Das Bild „%1“ ist mit %2 × %3 Pixeln zu groß; Bilder über %4 "
                              "Megapixel werden nur als JPEG verkleinert gelesen. Die Box wird "
                              "ohne Bild gezeichnet.")
            .arg(name)
            .arg(size.width())
            .arg(size.height())
            .arg(kMaxPixelBytes / 4 / 1000000);
    case PictureProblem::Damaged:
        return QStringLiteral("Das Bild „%1“ ist beschädigt; gezeigt wird, was davon lesbar ist.")
            .arg(name);
    }
    return {};
}

void reportPictureProblem(PictureProblem problem, const QString& path, QSize size) {
    const QString key = QString::number(int(problem)) + u'|' + path;
    QString notice;
    PictureProblemSink sink;
    {
        std::lock_guard lock(guard());
        Told& t = told();
        if (t.keys.contains(key)) return;
        t.keys.insert(key);
        notice = pictureProblemText(problem, path, size);
        t.notices << notice;
        // A tree whose pictures are all elsewhere names the first ones only.
        if (t.notices.size() == kToldAtMost + 1)
            notice = QStringLiteral("Weitere Bilder können nicht gezeigt werden; genannt wurden "
                                    "die ersten %1.")
                         .arg(kToldAtMost);
        if (t.notices.size() <= kToldAtMost + 1) sink = t.sink;
    }
    if (sink) sink(notice);
}

void setPictureProblemSink(PictureProblemSink sink) {
    std::lock_guard lock(guard());
    told().sink = std::move(sink);
}

void reportPictureProblemsOnStderr() {
    setPictureProblemSink([](const QString& notice) {
        static std::mutex lines;
        std::lock_guard lock(lines);
        std::fprintf(stderr, "Warnung: %s\n", notice.toUtf8().constData());
        std::fflush(stderr);
    });
}

QStringList pictureProblems() {
    std::lock_guard lock(guard());
    return told().notices;
}

void forgetPictureProblems() {
    std::lock_guard lock(guard());
    told().keys.clear();
    told().notices.clear();
}

PluginMessageGuard::PluginMessageGuard() : before_(pluginMessages) {
    installFilter();
    ++readingDepth;
}

PluginMessageGuard::~PluginMessageGuard() {
    --readingDepth;
}

int PluginMessageGuard::faults() const {
    return pluginMessages - before_;
}

} // namespace lw
