#pragma once

#include "core/link/batchrun.h"
#include "core/link/transferworker.h"

#include <QStringList>
#include <QThread>

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace kdw {

// The thread of a batch run in the window: runs the lanes over their ports
// (each port opened, used and closed on a thread of its own) and the log.
// It touches no window: what it has to say goes out as signals, and what it
// asks (the next radio, a radio of another identification) is answered from
// the window's thread. `link.port` is unused: the ports are the lanes.
class BatchWorker : public QThread
{
    Q_OBJECT

public:
    BatchWorker(TransferLink link, QStringList ports, BatchPlan plan, QString logPath, QObject *parent = nullptr);

    // Any thread: every lane holds at its next probe or block until
    // resume() or requestStop().
    void requestPause();
    void resume();
    // Any thread: every lane stops at its next probe or block.
    void requestStop();
    // Any thread: the radio waitingForNext() asked for is connected.
    void radioConnected();
    // Called from the slot of mismatched(): true writes the radio all the same.
    void answerMismatch(bool writeAnyway) { m_writeAnyway = writeAnyway; }

    const QStringList &ports() const { return m_ports; }
    // Valid once the thread has finished.
    const BatchSummary &summary() const { return m_summary; }
    // Why the run never began (a port, the log); empty when it ran.
    const QString &failure() const { return m_failure; }
    // The log's path once it was made; empty otherwise.
    const QString &logPath() const { return m_logMade; }

signals:
    void stepStarted(int lane, int unit, kdw::BatchStep step);
    void progress(int lane, int done, int total);
    // A new session of lane `lane` goes on with the block that failed; the status line.
    void resuming(int lane, const QString &notice);
    void unitDone(const kdw::UnitRecord &record);
    // A single lane without automatic swap: radio `unit` is to be connected;
    // the run waits for radioConnected() or requestStop().
    void waitingForNext(int unit);
    // Connected blocking: returns once answerMismatch() has been called.
    void mismatched(int unit, const QByteArray &identification, const QByteArray &expected);

protected:
    void run() override;

private:
    bool awaitNext(int unit);
    // The lanes' stop check: holds while paused.
    bool stopRequested();

    const TransferLink m_link;
    const QStringList m_ports;
    const BatchPlan m_plan;
    const QString m_logPath;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;      // guarded by m_mutex
    bool m_paused = false;    // guarded by m_mutex
    bool m_connected = false; // guarded by m_mutex
    std::mutex m_askMutex;    // one mismatch question at a time
    bool m_writeAnyway = false;
    BatchSummary m_summary;
    QString m_failure;
    QString m_logMade;
};

} // namespace kdw
