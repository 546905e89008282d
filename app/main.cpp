#include "app/programapp.h"

#include <QApplication>

#include <dlfcn.h>
#include <system_error>
#include <thread>

namespace {

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

} // namespace

int main(int argc, char *argv[])
{
    std::thread fontConfiguration = loadFontConfigurationAhead();
    QApplication app(argc, argv);
    if (fontConfiguration.joinable())
        fontConfiguration.join(); // the font database must not read it a second time
    kdw::CProgramApp theApp;
    int exitCode = 0;
    if (theApp.InitInstance(QApplication::arguments()))
        exitCode = QApplication::exec();
    return theApp.ExitInstance(exitCode);
}
