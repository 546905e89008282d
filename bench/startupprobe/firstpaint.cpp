// A Qt generic plugin that any Qt program loads when started with
//   QT_PLUGIN_PATH=<folder holding generic/> QT_QPA_GENERIC_PLUGINS=kdwfirstpaint
// It waits for the first paint of the program's main window, lets the paint
// reach the screen, prints the milliseconds since KDW_BENCH_T0 (the launcher's
// wall clock in seconds, as bash's EPOCHREALTIME gives it) and ends the
// process at once, without the program's exit steps. With KDW_BENCH_GRAB set
// it first saves the screen to that PNG file, to compare two builds' windows.
#include <QCoreApplication>
#include <QEvent>
#include <QGenericPlugin>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

double nowSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

class FirstPaintProbe : public QObject
{
public:
    explicit FirstPaintProbe(double start)
        : m_start(start)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_seen && event->type() == QEvent::Paint && watched->inherits("QMainWindow")) {
            m_seen = true;
            // The window's children paint and the frame is flushed to the
            // screen before the event loop runs a zero timer.
            QTimer::singleShot(0, [this] { report(); });
        }
        return false;
    }

private:
    void report() const
    {
        std::printf("%.3f\n", (nowSeconds() - m_start) * 1000.0);
        std::fflush(stdout);
        const QString grab = qEnvironmentVariable("KDW_BENCH_GRAB");
        if (!grab.isEmpty())
            QGuiApplication::primaryScreen()->grabWindow(0).save(grab);
        std::_Exit(0);
    }

    double m_start;
    bool m_seen = false;
};

class FirstPaintPlugin : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "firstpaint.json")

public:
    QObject *create(const QString &key, const QString &) override
    {
        if (key.compare(QLatin1String("kdwfirstpaint"), Qt::CaseInsensitive) != 0)
            return nullptr;
        const char *start = std::getenv("KDW_BENCH_T0");
        return new FirstPaintProbe(start ? std::atof(start) : nowSeconds());
    }
};

} // namespace

#include "firstpaint.moc"
