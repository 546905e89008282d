#include "app/programapp.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    kdw::CProgramApp theApp;
    int exitCode = 0;
    if (theApp.InitInstance(QApplication::arguments()))
        exitCode = QApplication::exec();
    return theApp.ExitInstance(exitCode);
}
