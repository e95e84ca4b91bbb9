#include "app/commands/FileDrop.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace lw::app {

QString droppedTreeFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) return {};
    const QString path = urls.front().toLocalFile();
    return path.endsWith(QLatin1String(".sta"), Qt::CaseInsensitive) ||
                   path.endsWith(QLatin1String(".ged"), Qt::CaseInsensitive)
               ? path
               : QString();
}

FileDrop::FileDrop(QWidget& target, std::function<void(const QString&)> open)
    : QObject(&target), target_(target), open_(std::move(open)) {
    target.setAcceptDrops(true);
    // Seen before any widget of the window: a text field would otherwise take
    // a dropped tree for text and insert its path.
    QCoreApplication::instance()->installEventFilter(this);
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
    if (!watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != &target_)
        return false;
    switch (type) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (droppedTreeFile(drag->mimeData()).isEmpty()) return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = droppedTreeFile(drop->mimeData());
        if (path.isEmpty()) return false;
        drop->acceptProposedAction();
        // After the drop has ended: the unsaved-changes question must not
        // run inside the platform's drag and drop.
        QMetaObject::invokeMethod(
            this, [this, path] { open_(path); }, Qt::QueuedConnection);
        return true;
    }
    default:
        return false;
    }
}

} // namespace lw::app
