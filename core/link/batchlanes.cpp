#include "core/link/batchlanes.h"

#include "core/link/cabledoctor.h"
#include "core/link/serialport.h"

#include <QThread>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

namespace kdw {

namespace {

// The start of a run: the lanes open their ports, the caller waits for all
// of them, then says go (the run) or not (a port or the log failed).
class StartGate
{
public:
    explicit StartGate(qsizetype lanes)
        : m_waiting(lanes)
    {
    }

    // A lane's port opened (or not); returns the run to go on with, or
    // nothing when the run is called off.
    BatchRun *opened(bool ok, int lane, const TransferOutcome &outcome)
    {
        std::unique_lock lock(m_mutex);
        if (!ok && m_failedLane < 0) {
            m_failedLane = lane;
            m_failure = outcome;
        }
        --m_waiting;
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return m_decided; });
        return ok ? m_run : nullptr;
    }

    // The caller: the first lane whose port failed once every lane has
    // tried, or -1.
    int awaitOpened(TransferOutcome *failure)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_waiting == 0; });
        *failure = m_failure;
        return m_failedLane;
    }

    void decide(BatchRun *run)
    {
        const std::lock_guard lock(m_mutex);
        m_run = run;
        m_decided = true;
        m_changed.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    qsizetype m_waiting;
    int m_failedLane = -1;
    TransferOutcome m_failure;
    bool m_decided = false;
    BatchRun *m_run = nullptr;
};

} // namespace

BatchOutcome runBatchOnPorts(const QStringList &ports, const QString &programDirectory, const BatchPlan &plan,
                             const QString &logPath, const BatchObserver &observer, Language language)
{
    StartGate gate(ports.size());
    // Qt threads: a serial port watches its line with Qt's notifiers.
    std::vector<std::unique_ptr<QThread>> lanes;
    for (int lane = 0; lane < ports.size(); ++lane) {
        lanes.emplace_back(QThread::create([&, lane] {
            SerialPort port;
            const TransferOutcome opened = refusedWhenHeld(openPort(port, ports.at(lane), programDirectory), language);
            if (BatchRun *run = gate.opened(bool(opened), lane, opened))
                run->runLane(lane, port);
        }));
        lanes.back()->start();
    }

    BatchOutcome outcome;
    std::unique_ptr<BatchLog> log;
    std::unique_ptr<BatchRun> run;
    if (const int failed = gate.awaitOpened(&outcome.opened); failed >= 0) {
        outcome.failure = BatchOutcome::Failure::Port;
        outcome.port = ports.at(failed);
    } else if (log = BatchLog::create(logPath, &outcome.logError, language); !log) {
        outcome.failure = BatchOutcome::Failure::Log;
    } else {
        outcome.logPath = log->path();
        run = std::make_unique<BatchRun>(plan, log.get(), observer, ports);
    }
    gate.decide(run.get());
    for (const auto &lane : lanes)
        lane->wait();
    if (run)
        outcome.summary = run->summary();
    return outcome;
}

} // namespace kdw
