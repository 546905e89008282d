#include "core/link/batchrun.h"

#include "core/image/backups.h"
#include "core/link/byteport.h"
#include "core/link/radiotransfer.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QThread>

namespace kdw {

namespace {

constexpr int RestSliceMs = 50;

constexpr LocalisedList<6> StepTexts{{
    {u"waiting for a radio to answer", u"正在等待对讲机应答", u"正在等待對講機應答"},
    {u"identifying", u"正在识别", u"正在識別"},
    {u"reading a backup", u"正在读取对讲机以备份", u"正在讀取對講機以備份"},
    {u"writing", u"正在写入", u"正在寫入"},
    {u"verifying", u"正在校验", u"正在校驗"},
    {u"waiting for the next radio (take this one away)", u"正在等待下一台对讲机（请取下这一台）",
     u"正在等待下一台對講機（請取下這一台）"},
}};

constexpr LocalisedText SummaryText{u"%1 verified, %2 failed, %3 skipped", u"%1 台已校验，%2 台失败，%3 台跳过",
                                    u"%1 台已校驗，%2 台失敗，%3 台跳過"};
constexpr LocalisedText UnverifiedSummaryText{
    u"%1 written, %2 failed, %3 skipped", u"%1 台已写入，%2 台失败，%3 台跳过", u"%1 台已寫入，%2 台失敗，%3 台跳過"};

// Why a radio ended other than verified; %1 is the line's or the system's account.
constexpr LocalisedText NotWrittenText{u"not written: %1", u"未写入：%1", u"未寫入：%1"};
constexpr LocalisedText StoppedBeforeWriteText{u"stopped before the write", u"在写入前停止", u"在寫入前停止"};
constexpr LocalisedText BackupReadFailedText{u"not written: the backup read failed: %1", u"未写入：备份读取失败：%1",
                                             u"未寫入：備份讀取失敗：%1"};
constexpr LocalisedText BackupNotSavedText{u"not written: the backup could not be saved: %1",
                                           u"未写入：无法保存备份：%1", u"未寫入：無法儲存備份：%1"};
constexpr LocalisedText PartlyWrittenText{u"partly written", u"部分写入", u"部分寫入"};
constexpr LocalisedText PartlyWrittenBecauseText{u"partly written: %1", u"部分写入：%1", u"部分寫入：%1"};
constexpr LocalisedText VerifyStoppedText{u"written, the verify was stopped", u"已写入，校验被停止",
                                          u"已寫入，校驗被停止"};
constexpr LocalisedText VerifyFailedText{u"written, the verify failed: %1", u"已写入，校验失败：%1",
                                         u"已寫入，校驗失敗：%1"};
constexpr LocalisedText DiffersText{u"the radio differs from the image in %1 bytes after the write",
                                    u"写入后对讲机有 %1 个字节与写入的内容不同",
                                    u"寫入後對講機有 %1 個位元組與寫入的內容不同"};

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

QString BatchSummary::text(bool verify, Language language) const
{
    return (verify ? SummaryText : UnverifiedSummaryText)
        .text(language)
        .arg(count(verify ? UnitResult::Verified : UnitResult::Written))
        .arg(count(UnitResult::Failed))
        .arg(count(UnitResult::Skipped));
}

QString BatchSummary::logErrorText(Language language) const
{
    return LogNotWrittenText.text(language).arg(QDir::toNativeSeparators(logPath), logError);
}

QString batchStepText(BatchStep step, Language language)
{
    return StepTexts.at(std::size_t(step)).text(language);
}

TransferDirection batchStepDirection(BatchStep step)
{
    switch (step) {
    case BatchStep::Writing: return TransferDirection::Write;
    case BatchStep::Verifying: return TransferDirection::Verify;
    case BatchStep::WaitingForRadio:
    case BatchStep::Identifying:
    case BatchStep::BackingUp:
    case BatchStep::WaitingForSwap: break;
    }
    return TransferDirection::Read;
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
    if (m_log && !m_log->append(record)) {
        summary.logPath = m_log->path();
        summary.logError = m_log->errorString();
    }
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
        record.reason = {&NotWrittenText, identified.describe()};
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

    if (!m_plan.backup) {
        writeUnit(record, image, {});
    } else if (const std::optional<WriteScope> scope = backUpUnit(record, image)) {
        writeUnit(record, image, *scope);
    }
    return record;
}

std::optional<WriteScope> BatchRun::backUpUnit(UnitRecord &record, const MemoryImage &image)
{
    TransferObserver transfer;
    transfer.resuming = m_observer.resuming;
    transfer.cancelRequested = [this] { return stopRequested(); };
    report(record.unit, BatchStep::BackingUp);
    transfer.blockDone = [this](int done) {
        if (m_observer.progress)
            m_observer.progress(done, ReadBlockCount);
    };
    MemoryImage read;
    const TransferOutcome outcome = readFromPort(m_port, TransferDirection::Read, read, transfer, m_plan.maxResumes);
    if (outcome.status == TransferOutcome::Status::Cancelled) {
        record.reason = {&StoppedBeforeWriteText, {}};
        return std::nullopt;
    }
    if (!outcome) {
        record.reason = {&BackupReadFailedText, outcome.detail};
        return std::nullopt;
    }
    const BackupResult saved = saveUnitBackup(m_plan.backupDirectory, radioBytes(read, m_plan.programDirectory),
                                              m_plan.started, record.unit, record.identification);
    if (!saved) {
        record.reason = {&BackupNotSavedText, saved.reason};
        return std::nullopt;
    }
    record.backup = QFileInfo(saved.path).fileName();
    return scopeAfterRead(read, outcome.protocol, image, m_plan.changedOnly);
}

void BatchRun::writeUnit(UnitRecord &record, const MemoryImage &image, const WriteScope &scope)
{
    TransferObserver transfer;
    transfer.resuming = m_observer.resuming;
    transfer.cancelRequested = [this] { return stopRequested(); };
    const int total = int(scope.blocks.size());
    transfer.blockDone = [this, total](int done) {
        if (m_observer.progress)
            m_observer.progress(done, total);
    };

    record.sha256 = QCryptographicHash::hash(image.bytes(), QCryptographicHash::Sha256);
    if (scope.blocks.isEmpty()) {
        // The radio was just read holding every byte of the image.
        record.result = m_plan.verify ? UnitResult::Verified : UnitResult::Written;
        return;
    }
    report(record.unit, BatchStep::Writing);
    const TransferOutcome written = writeToPort(m_port, image, transfer, m_plan.maxResumes, scope);
    record.blocks = written.protocol.blocks;
    if (!written) {
        const bool partly = written.protocol.blocks > 0;
        if (written.status == TransferOutcome::Status::Cancelled)
            record.reason = {partly ? &PartlyWrittenText : &StoppedBeforeWriteText, {}};
        else
            record.reason = {partly ? &PartlyWrittenBecauseText : &NotWrittenText, written.detail};
        return;
    }
    if (!m_plan.verify) {
        record.result = UnitResult::Written;
        return;
    }

    report(record.unit, BatchStep::Verifying);
    MemoryImage readBack = image;
    const TransferOutcome verified
        = readFromPort(m_port, TransferDirection::Verify, readBack, transfer, m_plan.maxResumes, scope);
    if (verified.status == TransferOutcome::Status::Cancelled) {
        record.reason = {&VerifyStoppedText, {}};
        return;
    }
    if (!verified) {
        record.reason = {&VerifyFailedText, verified.detail};
        return;
    }
    const int differing = differingBytes(image, readBack);
    if (differing > 0) {
        record.reason = {&DiffersText, QString::number(differing)};
        return;
    }
    record.result = UnitResult::Verified;
}

} // namespace kdw
