#pragma once
// Family tree files dropped on a window: while a drag carries one local
// ".sta" or GEDCOM (".ged") file the window accepts it, wherever on the
// window it is (its text fields too), and a drop hands its path on.
#include <QObject>
#include <QString>
#include <functional>

class QMimeData;
class QWidget;

namespace lw::app {

// The one local .sta or .ged file `data` carries, or empty.
QString droppedTreeFile(const QMimeData* data);

class FileDrop : public QObject {
  public:
    FileDrop(QWidget& target, std::function<void(const QString&)> open);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget& target_;
    std::function<void(const QString&)> open_;
};

} // namespace lw::app
