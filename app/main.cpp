#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lindwerk"));
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("Morvane Lindwerk 3.0 - Keine Datei"));
    w.resize(638, 512);
    w.show();
    return app.exec();
}
