#include "core/link/batchrun.h"

#include "core/image/backups.h"
#include "core/link/byteport.h"
#include "core/link/radiotransfer.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QThread>

namespace kdw {

namespace {

constexpr int RestSliceMs = 50;

// Bytes of the written ranges that the radio holds otherwise.
int differingBytes(const MemoryImage &written, const MemoryImage &readBack)
{
    int differing = 0;
    for (const TransferRange &range : WriteRanges) {
        for (int address = range.start; address < range.end; ++address)
            differing += written.byte(address) != readBack.byte(address) ? 1 : 0;
    }
    return differing;
}

} // namespace

bool BatchPlan::complete(int done, int rowsUsed) const
{
    // Without a row left the next radio would get another radio's settings.
    return (units > 0 && done >= units) || (!variations.isEmpty() && rowsUsed >= variations.size());
}

int BatchSummary::count(UnitResult result) const
{
    return int(std::count_if(units.begin(), units.end(), [result](const UnitRecord &u) { return u.result == result; }));
}

bool BatchSummary::allGood() const
{
    return !units.isEmpty() && logError.isEmpty()
           && count(UnitResult::Verified) + count(UnitResult::Written) == units.size();
}

BatchRun::BatchRun(BytePort &port, const BatchPlan &plan, BatchLog *log, BatchObserver observer)
    : m_port(port)
    , m_plan(plan)
    , m_log(log)
    , m_observer(std::move(observer))
{
    m_clock.start();
}

void BatchRun::report(int unit, BatchStep step) const
{
    if (m_observer.step)
        m_observer.step(unit, step);
}

bool BatchRun::stopRequested() const
{
    return m_observer.stopRequested && m_observer.stopRequested();
}

bool BatchRun::rest(int milliseconds)
{
    const qint64 until = m_clock.elapsed() + milliseconds;
    while (m_clock.elapsed() < until) {
        if (stopRequested())
            return false;
        QThread::msleep(ulong(std::min<qint64>(RestSliceMs, until - m_clock.elapsed())));
    }
    return !stopRequested();
}

BatchRun::Probe BatchRun::probe()
{
    if (stopRequested())
        return Probe::Stopped;
    ProgrammingProtocol protocol(m_port);
    const ProtocolResult woken = protocol.wakeUp(1);
    if (woken)
        return Probe::Answered;
    return m_port.lineLost() ? Probe::LineLost : Probe::Silent;
}

BatchRun::Probe BatchRun::awaitRadio(int unit)
{
    report(unit, BatchStep::WaitingForRadio);
    for (;;) {
        const qint64 begun = m_clock.elapsed();
        const Probe answer = probe();
        if (answer != Probe::Silent)
            return answer;
        if (!rest(int(ProbeIntervalMs - (m_clock.elapsed() - begun))))
            return Probe::Stopped;
    }
}

BatchRun::Probe BatchRun::awaitSwap(int unit)
{
    report(unit, BatchStep::WaitingForSwap);
    qint64 silentSince = -1;
    for (;;) {
        const qint64 begun = m_clock.elapsed();
        const Probe answer = probe();
        if (answer == Probe::Stopped || answer == Probe::LineLost)
            return answer;
        if (answer == Probe::Silent && silentSince < 0)
            silentSince = begun;
        if (answer == Probe::Answered) {
            if (silentSince >= 0 && begun - silentSince >= SwapSilenceMs)
                return Probe::Answered;
            silentSince = -1; // the same radio, or a loose plug: not a swap
        }
        if (!rest(int(ProbeIntervalMs - (m_clock.elapsed() - begun))))
            return Probe::Stopped;
    }
}

BatchSummary BatchRun::run()
{
    BatchSummary summary;
    int rowsUsed = 0;
    for (int unit = 1; !m_plan.complete(unit - 1, rowsUsed); ++unit) {
        if (!m_plan.autoSwap && m_observer.nextConnected && !m_observer.nextConnected(unit)) {
            summary.stopped = true;
            break;
        }
        const Probe found = unit == 1 || !m_plan.autoSwap ? awaitRadio(unit) : awaitSwap(unit);
        if (found != Probe::Answered) {
            summary.stopped = found == Probe::Stopped;
            summary.lineLost = found == Probe::LineLost;
            break;
        }
        UnitRecord record = programUnit(unit, &rowsUsed);
        finish(record, summary);
        if (!summary.logError.isEmpty() || stopRequested()) {
            summary.stopped = stopRequested();
            break;
        }
    }
    return summary;
}

void BatchRun::finish(UnitRecord &record, BatchSummary &summary)
{
    record.finished = QDateTime::currentDateTime();
    if (m_log && !m_log->append(record))
        summary.logError = QStringLiteral("cannot write %1: %2").arg(m_log->path(), m_log->errorString());
    summary.units.append(record);
    if (m_observer.unitDone)
        m_observer.unitDone(record);
}

UnitRecord BatchRun::programUnit(int unit, int *rowsUsed)
{
    UnitRecord record;
    record.unit = unit;
    record.started = QDateTime::currentDateTime();
    report(unit, BatchStep::Identifying);
    ProgrammingProtocol protocol(m_port);
    const ProtocolResult identified = protocol.identify();
    record.identification = identified.identification;
    if (!identified) {
        record.reason = QStringLiteral("not written: %1").arg(identified.describe());
        return record;
    }
    if (m_reference.isEmpty()) {
        m_reference = identified.identification;
    } else if (identified.identification != m_reference
               && !(m_observer.writeMismatched && m_observer.writeMismatched(record.identification, m_reference))) {
        // Another model or firmware: left as it is, and its row goes to the next radio.
        record.result = UnitResult::Skipped;
        record.changes = {QStringLiteral("expected=") + QString::fromLatin1(m_reference.toHex())};
        return record;
    }

    MemoryImage image = m_plan.document;
    if (*rowsUsed < m_plan.variations.size()) {
        const UnitVariation &variation = m_plan.variations.at((*rowsUsed)++);
        image = variation.applied(m_plan.document);
        record.changes = variation.assignments;
    }

    TransferObserver transfer;
    transfer.resuming = m_observer.resuming;
    transfer.cancelRequested = [this] { return stopRequested(); };
    if (m_plan.backup) {
        report(unit, BatchStep::BackingUp);
        transfer.blockDone = [this](int done) {
            if (m_observer.progress)
                m_observer.progress(done, ReadBlockCount);
        };
        MemoryImage read;
        const TransferOutcome outcome
            = readFromPort(m_port, TransferDirection::Read, read, transfer, m_plan.maxResumes);
        if (outcome.status == TransferOutcome::Status::Cancelled) {
            record.reason = QStringLiteral("stopped before the write");
            return record;
        }
        if (!outcome) {
            record.reason = QStringLiteral("not written: the backup read failed: %1").arg(outcome.detail);
            return record;
        }
        const BackupResult saved
            = saveUnitBackup(m_plan.backupDirectory, radioBytes(read, m_plan.programDirectory), m_plan.started, unit);
        if (!saved) {
            record.reason = QStringLiteral("not written: the backup could not be saved: %1").arg(saved.reason);
            return record;
        }
        record.backup = QFileInfo(saved.path).fileName();
    }
    writeUnit(record, image);
    return record;
}

void BatchRun::writeUnit(UnitRecord &record, const MemoryImage &image)
{
    TransferObserver transfer;
    transfer.resuming = m_observer.resuming;
    transfer.cancelRequested = [this] { return stopRequested(); };
    int total = WriteBlockCount;
    transfer.blockDone = [this, &total](int done) {
        if (m_observer.progress)
            m_observer.progress(done, total);
    };

    report(record.unit, BatchStep::Writing);
    record.sha256 = QCryptographicHash::hash(image.bytes(), QCryptographicHash::Sha256);
    const TransferOutcome written = writeToPort(m_port, image, transfer, m_plan.maxResumes);
    if (!written) {
        const bool partly = written.protocol.blocks > 0;
        if (written.status == TransferOutcome::Status::Cancelled)
            record.reason = partly ? QStringLiteral("partly written") : QStringLiteral("stopped before the write");
        else
            record.reason
                = (partly ? QStringLiteral("partly written: ") : QStringLiteral("not written: ")) + written.detail;
        return;
    }
    if (!m_plan.verify) {
        record.result = UnitResult::Written;
        return;
    }

    report(record.unit, BatchStep::Verifying);
    MemoryImage readBack = image;
    const TransferOutcome verified
        = readFromPort(m_port, TransferDirection::Verify, readBack, transfer, m_plan.maxResumes);
    if (verified.status == TransferOutcome::Status::Cancelled) {
        record.reason = QStringLiteral("written, the verify was stopped");
        return;
    }
    if (!verified) {
        record.reason = QStringLiteral("written, the verify failed: %1").arg(verified.detail);
        return;
    }
    const int differing = differingBytes(image, readBack);
    if (differing > 0) {
        record.reason = QStringLiteral("the radio differs from the image in %1 bytes after the write").arg(differing);
        return;
    }
    record.result = UnitResult::Verified;
}

} // namespace kdw
