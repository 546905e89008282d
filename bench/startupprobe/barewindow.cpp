// The yardstick of bench/startup: a bare main window with a menu, shown the
// way the program shows its own, with nothing of the program in it.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    QMenu *file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&New"));
    file->addAction(QStringLiteral("&Open..."));
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"), &app, &QApplication::quit);
    window.menuBar()->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("&About"));
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}
