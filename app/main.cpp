#include "app/programapp.h"

#include <QApplication>
#include <QImage>

#include <system_error>
#include <thread>

#ifndef Q_OS_WIN
#include <dlfcn.h>
#endif

namespace {

#ifndef Q_OS_WIN
// Reading fontconfig's configuration and font caches takes about a fifth of
// start-up, and connecting to the display is mostly waiting: the first runs
// on another thread while the application is made. fontconfig is loaded with
// the GUI library and made to be called from any thread; where it is absent
// nothing is done, and the font database reads it later as it always does.
std::thread loadFontConfigurationAhead()
{
    try {
        return std::thread([] {
            using InitFunction = int (*)();
            if (auto init = reinterpret_cast<InitFunction>(dlsym(RTLD_DEFAULT, "FcInit")))
                init();
        });
    } catch (const std::system_error &) {
        return {};
    }
}
#endif

// Qt's image reader loads every image format plugin the first time it reads
// an image (the menu bar's first style icon) to ask each whether it knows the
// data. Loading them is mostly the dynamic linker's work, done once for the
// process, so another thread does it while the window is built.
std::thread loadImagePluginsAhead()
{
    try {
        return std::thread([] {
            QImage pixel;
            (void)pixel.loadFromData(
                QByteArrayLiteral("/* XPM */\n"
                                  "static const char *pixel[] = {\"1 1 1 1\", \". c None\", \".\"};\n"),
                "XPM");
        });
    } catch (const std::system_error &) {
        return {};
    }
}

} // namespace

int main(int argc, char *argv[])
{
#ifdef Q_OS_WIN
    QApplication app(argc, argv);
#else
    std::thread fontConfiguration = loadFontConfigurationAhead();
    QApplication app(argc, argv);
    if (fontConfiguration.joinable())
        fontConfiguration.join(); // the font database must not read it a second time
#endif
    std::thread imagePlugins = loadImagePluginsAhead();
    kdw::CProgramApp theApp;
    const bool started = theApp.InitInstance(QApplication::arguments());
    if (imagePlugins.joinable())
        imagePlugins.join();
    int exitCode = 0;
    if (started)
        exitCode = QApplication::exec();
    return theApp.ExitInstance(exitCode);
}
