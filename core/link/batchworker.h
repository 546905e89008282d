#pragma once

#include "core/link/batchrun.h"
#include "core/link/transferworker.h"

#include <QThread>

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace kdw {

// The thread of a batch run in the window: opens the port, makes the log,
// runs the batch over the port and closes it again. It touches no window:
// what it has to say goes out as signals, and what it asks (the next radio,
// a radio of another identification) is answered from the window's thread.
class BatchWorker : public QThread
{
    Q_OBJECT

public:
    BatchWorker(TransferLink link, BatchPlan plan, QString logPath, QObject *parent = nullptr);

    // Any thread: the run stops at its next probe or block.
    void requestStop();
    // Any thread: the radio waitingForNext() asked for is connected.
    void radioConnected();
    // Called from the slot of mismatched(): true writes the radio all the same.
    void answerMismatch(bool writeAnyway) { m_writeAnyway = writeAnyway; }

    // Valid once the thread has finished.
    const BatchSummary &summary() const { return m_summary; }
    // Why the run never began (the port, the log); empty when it ran.
    const QString &failure() const { return m_failure; }
    // The log's path once it was made; empty otherwise.
    const QString &logPath() const { return m_logMade; }

signals:
    void stepStarted(int unit, kdw::BatchStep step);
    void progress(int done, int total);
    // A new session goes on with the block that failed; the status line.
    void resuming(const QString &notice);
    void unitDone(const kdw::UnitRecord &record);
    // Without automatic swap: radio `unit` is to be connected; the run waits
    // for radioConnected() or requestStop().
    void waitingForNext(int unit);
    // Connected blocking: returns once answerMismatch() has been called.
    void mismatched(int unit, const QByteArray &identification, const QByteArray &expected);

protected:
    void run() override;

private:
    bool awaitNext(int unit);

    const TransferLink m_link;
    const BatchPlan m_plan;
    const QString m_logPath;
    std::atomic<bool> m_stop = false;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_connected = false; // guarded by m_mutex
    bool m_writeAnyway = false;
    int m_unit = 0;
    BatchStep m_step = BatchStep::WaitingForRadio;
    BatchSummary m_summary;
    QString m_failure;
    QString m_logMade;
};

} // namespace kdw
