#include "app/window/FirstPaintReport.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>

namespace lw::app {

namespace {

class FirstPaintWatch : public QObject {
  public:
    explicit FirstPaintWatch(QWidget& window) : QObject(&window) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // The paint of the window and its children ends before the
            // next turn of the event loop.
            QTimer::singleShot(0, this, [] {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::printf("first paint %lld\n",
                            static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    bool seen_ = false;
};

} // namespace

void reportFirstPaintIfAsked(QWidget& window) {
    if (qEnvironmentVariableIsSet("LINDWERK_FIRST_PAINT_REPORT")) new FirstPaintWatch(window);
}

} // namespace lw::app
