#include "core/link/batchworker.h"

#include "core/link/portnames.h"
#include "core/link/serialport.h"
#include "core/link/transfermessages.h"
#include "core/text/localisedtext.h"

namespace kdw {

namespace {
constexpr LocalisedText LogNotMadeText{u"The log file could not be made; no radio was touched.\n%1",
                                       u"无法创建日志文件；没有写入任何对讲机。\n%1",
                                       u"無法建立記錄檔案；沒有寫入任何對講機。\n%1"};
} // namespace

BatchWorker::BatchWorker(TransferLink link, BatchPlan plan, QString logPath, QObject *parent)
    : QThread(parent)
    , m_link(std::move(link))
    , m_plan(std::move(plan))
    , m_logPath(std::move(logPath))
{
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

bool BatchWorker::awaitNext(int unit)
{
    // The first radio was connected when the run was started.
    if (unit == 1)
        return !m_stop;
    std::unique_lock lock(m_mutex);
    m_connected = false;
    emit waitingForNext(unit);
    m_wake.wait(lock, [this] { return m_connected || m_stop; });
    return !m_stop;
}

void BatchWorker::run()
{
    const Language language = m_link.language;
    SerialPort port;
    if (const TransferOutcome opened = openPort(port, m_link.port, m_link.programDirectory); !opened) {
        m_failure = failureMessage(opened, TransferDirection::Write, m_link.port, language) + u'\n'
                    + checkCableAdvice(language);
        return;
    }
    QString error;
    const auto log = BatchLog::create(m_logPath, &error, language);
    if (!log) {
        m_failure = LogNotMadeText.text(language).arg(error);
        return;
    }
    m_logMade = log->path();

    BatchObserver observer;
    observer.step = [this](int unit, BatchStep step) {
        m_unit = unit;
        m_step = step;
        emit stepStarted(unit, step);
    };
    observer.progress = [this](int done, int total) { emit progress(done, total); };
    observer.resuming = [this, language](int block, int blocks, int resume) {
        emit resuming(resumingNotice(block, blocks, resume, language));
    };
    observer.unitDone = [this](const UnitRecord &record) { emit unitDone(record); };
    observer.stopRequested = [this] { return m_stop.load(); };
    if (!m_plan.autoSwap)
        observer.nextConnected = [this](int unit) { return awaitNext(unit); };
    observer.writeMismatched = [this](const QByteArray &identification, const QByteArray &expected) {
        m_writeAnyway = false;
        emit mismatched(m_unit, identification, expected);
        return m_writeAnyway && !m_stop;
    };
    m_summary = BatchRun(port, m_plan, log.get(), observer).run();
}

} // namespace kdw
