#include "core/link/batchworker.h"

#include "core/link/batchlanes.h"
#include "core/link/transfermessages.h"
#include "core/text/localisedtext.h"

namespace kdw {

namespace {
constexpr LocalisedText LogNotMadeText{u"The log file could not be made; no radio was touched.\n%1",
                                       u"无法创建日志文件；没有写入任何对讲机。\n%1",
                                       u"無法建立記錄檔案；沒有寫入任何對講機。\n%1"};
} // namespace

BatchWorker::BatchWorker(TransferLink link, QStringList ports, BatchPlan plan, QString logPath, QObject *parent)
    : QThread(parent)
    , m_link(std::move(link))
    , m_ports(std::move(ports))
    , m_plan(std::move(plan))
    , m_logPath(std::move(logPath))
{
}

void BatchWorker::requestPause()
{
    const std::lock_guard lock(m_mutex);
    m_paused = true;
}

void BatchWorker::resume()
{
    const std::lock_guard lock(m_mutex);
    m_paused = false;
    m_wake.notify_all();
}

void BatchWorker::requestStop()
{
    const std::lock_guard lock(m_mutex);
    m_stop = true;
    m_wake.notify_all();
}

void BatchWorker::radioConnected()
{
    const std::lock_guard lock(m_mutex);
    m_connected = true;
    m_wake.notify_all();
}

bool BatchWorker::stopRequested()
{
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return !m_paused || m_stop; });
    return m_stop;
}

bool BatchWorker::awaitNext(int unit)
{
    std::unique_lock lock(m_mutex);
    // The first radio was connected when the run was started.
    if (unit == 1)
        return !m_stop;
    m_connected = false;
    emit waitingForNext(unit);
    m_wake.wait(lock, [this] { return m_connected || m_stop; });
    return !m_stop;
}

void BatchWorker::run()
{
    const Language language = m_link.language;
    BatchObserver observer;
    observer.step = [this](int lane, int unit, BatchStep step) { emit stepStarted(lane, unit, step); };
    observer.progress = [this](int lane, int done, int total) { emit progress(lane, done, total); };
    observer.resuming = [this, language](int lane, int block, int blocks, int resume) {
        emit resuming(lane, resumingNotice(block, blocks, resume, language));
    };
    observer.unitDone = [this](const UnitRecord &record) { emit unitDone(record); };
    observer.stopRequested = [this] { return stopRequested(); };
    if (!m_plan.autoSwap && m_ports.size() == 1)
        observer.nextConnected = [this](int unit) { return awaitNext(unit); };
    observer.writeMismatched = [this](int unit, const QByteArray &identification, const QByteArray &expected) {
        const std::lock_guard ask(m_askMutex);
        m_writeAnyway = false;
        emit mismatched(unit, identification, expected);
        return m_writeAnyway && !stopRequested();
    };

    const BatchOutcome outcome
        = runBatchOnPorts(m_ports, m_link.programDirectory, m_plan, m_logPath, observer, language);
    switch (outcome.failure) {
    case BatchOutcome::Failure::Port:
        m_failure = failureMessage(outcome.opened, TransferDirection::Write, outcome.port, language) + u'\n'
                    + checkCableAdvice(language);
        return;
    case BatchOutcome::Failure::Log: m_failure = LogNotMadeText.text(language).arg(outcome.logError); return;
    case BatchOutcome::Failure::None: break;
    }
    m_logMade = outcome.logPath;
    m_summary = outcome.summary;
}

} // namespace kdw
