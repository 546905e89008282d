#include "core/link/batchrun.h"

#include "core/image/backups.h"
#include "core/image/blocklist.h"
#include "core/link/byteport.h"
#include "core/link/radiotransfer.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

#include <thread>
#include <vector>

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

constexpr LocalisedText LineLostText{u"the port went away; the run ends here", u"串口已断开；到此结束",
                                     u"連接埠已斷開；到此結束"};
constexpr LocalisedText LaneLostText{u"%1 went away; its radios ended there, the other ports went on",
                                     u"%1 已断开；该串口到此结束，其他串口继续",
                                     u"%1 已斷開；該連接埠到此結束，其他連接埠繼續"};

constexpr LocalisedText SummaryText{u"%1 verified, %2 failed, %3 skipped", u"%1 台已校验，%2 台失败，%3 台跳过",
                                    u"%1 台已校驗，%2 台失敗，%3 台跳過"};
constexpr LocalisedText UnverifiedSummaryText{
    u"%1 written, %2 failed, %3 skipped", u"%1 台已写入，%2 台失败，%3 台跳过", u"%1 台已寫入，%2 台失敗，%3 台跳過"};

// Why a radio ended other than verified; %1 is the line's or the system's account.
constexpr LocalisedText NotWrittenText{u"not written: %1", u"未写入：%1", u"未寫入：%1"};
constexpr LocalisedText StoppedBeforeWriteText{u"stopped before writing", u"在写入前停止", u"在寫入前停止"};
constexpr LocalisedText BackupReadFailedText{u"not written: the backup read failed: %1", u"未写入：备份读取失败：%1",
                                             u"未寫入：備份讀取失敗：%1"};
constexpr LocalisedText BackupNotSavedText{u"not written: the backup could not be saved: %1",
                                           u"未写入：无法保存备份：%1", u"未寫入：無法儲存備份：%1"};
constexpr LocalisedText HoldsOtherUnitText{u"not written: it holds radio %1's settings already (the same radio again?)",
                                           u"未写入：它已保存第 %1 台对讲机的设置（是否仍是同一台？）",
                                           u"未寫入：它已儲存第 %1 台對講機的設定（是否仍是同一台？）"};
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

QString BatchSummary::lostPortsText(Language language) const
{
    if (lostPorts.isEmpty())
        return {};
    if (lanes == 1)
        return LineLostText.text(language);
    QStringList lines;
    for (const QString &port : lostPorts)
        lines.append(LaneLostText.text(language).arg(port));
    return lines.join(u'\n');
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

// One lane of a run: the radios that come to one port, one after another.
class BatchRun::Lane
{
public:
    Lane(BatchRun &run, int lane, BytePort &port)
        : m_run(run)
        , m_plan(run.m_plan)
        , m_observer(run.m_observer)
        , m_lane(lane)
        , m_port(port)
    {
        m_clock.start();
    }

    void run();

private:
    enum class Probe { Answered, Silent, Stopped, LineLost, Done };

    // Waits, probing, for a radio that answers.
    Probe awaitRadio();
    // Waits until the radio has gone for SwapSilenceMs and a radio answers.
    Probe awaitSwap();
    Probe probe();
    // Rests between probes in short slices, so a stop is seen at once;
    // false once the run is to end.
    bool rest(int milliseconds);

    UnitRecord programUnit(int unit);
    // Reads and keeps the radio's memory, then says what the write is to
    // send; nothing, with the reason in `record`, when it must not go on.
    // `ownRow`: the image has the unit's row of variations.
    std::optional<WriteScope> backUpUnit(UnitRecord &record, const MemoryImage &image, bool ownRow);
    void writeUnit(UnitRecord &record, const MemoryImage &image, const WriteScope &scope);
    TransferObserver transferObserver(int total) const;

    void report(int unit, BatchStep step) const;
    bool stopRequested() const;

    BatchRun &m_run;
    const BatchPlan &m_plan;
    const BatchObserver &m_observer;
    const int m_lane;
    BytePort &m_port;
    QElapsedTimer m_clock;
};

BatchRun::BatchRun(const BatchPlan &plan, BatchLog *log, BatchObserver observer, QStringList ports)
    : m_plan(plan)
    , m_log(log)
    , m_observer(std::move(observer))
    , m_ports(ports.isEmpty() ? QStringList{QString()} : std::move(ports))
{
    m_summary.lanes = int(m_ports.size());
}

BatchRun::~BatchRun() = default;

void BatchRun::runLane(int lane, BytePort &port)
{
    Lane(*this, lane, port).run();
}

BatchSummary BatchRun::summary() const
{
    const std::lock_guard lock(m_mutex);
    return m_summary;
}

BatchSummary BatchRun::run(const QList<BytePort *> &ports)
{
    Q_ASSERT(ports.size() == m_ports.size());
    if (ports.size() == 1) {
        runLane(0, *ports.first());
    } else {
        std::vector<std::thread> lanes;
        lanes.reserve(std::size_t(ports.size()));
        for (int lane = 0; lane < ports.size(); ++lane)
            lanes.emplace_back([this, lane, port = ports.at(lane)] { runLane(lane, *port); });
        for (std::thread &lane : lanes)
            lane.join();
    }
    return summary();
}

BatchRun::Claim BatchRun::claimUnit(int *unit)
{
    const std::lock_guard lock(m_mutex);
    if (m_plan.complete(m_claimed, m_rowsUsed))
        return Claim::Done;
    // Every row left is promised to a radio still being identified: one that
    // turns out to be skipped gives its row back.
    if (!m_plan.variations.isEmpty() && m_rowsUsed + m_rowsHeld >= m_plan.variations.size())
        return Claim::Wait;
    *unit = ++m_claimed;
    ++m_rowsHeld;
    return Claim::Granted;
}

bool BatchRun::exhausted() const
{
    const std::lock_guard lock(m_mutex);
    return m_plan.complete(m_claimed, m_rowsUsed);
}

int BatchRun::upcomingUnit() const
{
    const std::lock_guard lock(m_mutex);
    return m_ports.size() == 1 ? m_claimed + 1 : 0;
}

bool BatchRun::acceptIdentification(int unit, const QByteArray &identification, QByteArray *expected)
{
    {
        const std::lock_guard lock(m_mutex);
        if (m_reference.isEmpty())
            m_reference = identification;
        *expected = m_reference;
    }
    // Asked without the lock: the other lanes go on while the user decides.
    return identification == *expected
           || (m_observer.writeMismatched && m_observer.writeMismatched(unit, identification, *expected));
}

std::optional<int> BatchRun::dealRow(bool written)
{
    const std::lock_guard lock(m_mutex);
    --m_rowsHeld;
    if (!written || m_rowsUsed >= m_plan.variations.size())
        return std::nullopt;
    ++m_rowsUsed;
    return m_returnedRows.isEmpty() ? m_nextRow++ : m_returnedRows.takeFirst();
}

void BatchRun::giveBackRow(int row)
{
    const std::lock_guard lock(m_mutex);
    --m_rowsUsed;
    m_returnedRows.insert(std::upper_bound(m_returnedRows.begin(), m_returnedRows.end(), row), row);
}

int BatchRun::writtenUnitHeld(const MemoryImage &read, const MemoryImage &own) const
{
    if (changedBlocks(read, own).isEmpty())
        return 0;
    const std::lock_guard lock(m_mutex);
    for (const auto &[unit, image] : m_writtenUnits) {
        if (changedBlocks(read, image).isEmpty())
            return unit;
    }
    return 0;
}

void BatchRun::keepWritten(int unit, const MemoryImage &image)
{
    const std::lock_guard lock(m_mutex);
    m_writtenUnits.append({unit, image});
}

void BatchRun::finish(UnitRecord &record)
{
    const std::lock_guard lock(m_mutex);
    record.finished = QDateTime::currentDateTime();
    if (m_log && !m_log->append(record)) {
        m_summary.logPath = m_log->path();
        m_summary.logError = m_log->errorString();
        m_logFailed = true;
    }
    m_summary.units.append(record);
    if (m_observer.unitDone)
        m_observer.unitDone(record);
}

void BatchRun::laneLost(int lane)
{
    const std::lock_guard lock(m_mutex);
    m_summary.lostPorts.append(m_ports.at(lane));
}

void BatchRun::markStopped()
{
    const std::lock_guard lock(m_mutex);
    m_summary.stopped = true;
}

bool BatchRun::userStop()
{
    const bool stop = m_observer.stopRequested && m_observer.stopRequested();
    if (stop)
        markStopped();
    return stop;
}

void BatchRun::Lane::report(int unit, BatchStep step) const
{
    if (m_observer.step)
        m_observer.step(m_lane, unit, step);
}

bool BatchRun::Lane::stopRequested() const
{
    return m_run.m_logFailed || m_run.userStop();
}

bool BatchRun::Lane::rest(int milliseconds)
{
    const qint64 until = m_clock.elapsed() + milliseconds;
    while (m_clock.elapsed() < until) {
        if (stopRequested())
            return false;
        QThread::msleep(ulong(std::min<qint64>(RestSliceMs, until - m_clock.elapsed())));
    }
    return !stopRequested();
}

BatchRun::Lane::Probe BatchRun::Lane::probe()
{
    if (stopRequested())
        return Probe::Stopped;
    // Another lane may have taken the last radio meanwhile.
    if (m_run.exhausted())
        return Probe::Done;
    ProgrammingProtocol protocol(m_port);
    const ProtocolResult woken = protocol.wakeUp(1);
    if (woken)
        return Probe::Answered;
    return m_port.lineLost() ? Probe::LineLost : Probe::Silent;
}

BatchRun::Lane::Probe BatchRun::Lane::awaitRadio()
{
    report(m_run.upcomingUnit(), BatchStep::WaitingForRadio);
    for (;;) {
        const qint64 begun = m_clock.elapsed();
        const Probe answer = probe();
        if (answer != Probe::Silent)
            return answer;
        if (!rest(int(ProbeIntervalMs - (m_clock.elapsed() - begun))))
            return Probe::Stopped;
    }
}

BatchRun::Lane::Probe BatchRun::Lane::awaitSwap()
{
    report(m_run.upcomingUnit(), BatchStep::WaitingForSwap);
    qint64 silentSince = -1;
    for (;;) {
        const qint64 begun = m_clock.elapsed();
        const Probe answer = probe();
        if (answer == Probe::Stopped || answer == Probe::LineLost || answer == Probe::Done)
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

void BatchRun::Lane::run()
{
    const bool autoSwap = m_plan.autoSwap || m_run.laneCount() > 1;
    for (bool first = true;; first = false) {
        if (m_run.exhausted())
            return;
        if (!autoSwap && m_observer.nextConnected && !m_observer.nextConnected(m_run.upcomingUnit())) {
            m_run.markStopped();
            return;
        }
        const Probe found = first || !autoSwap ? awaitRadio() : awaitSwap();
        if (found == Probe::LineLost)
            m_run.laneLost(m_lane);
        if (found != Probe::Answered)
            return;
        int unit = 0;
        Claim claim = Claim::Wait;
        while ((claim = m_run.claimUnit(&unit)) == Claim::Wait) {
            if (!rest(RestSliceMs))
                return;
        }
        if (claim == Claim::Done)
            return;
        UnitRecord record = programUnit(unit);
        m_run.finish(record);
        if (m_port.lineLost()) {
            m_run.laneLost(m_lane);
            return;
        }
        if (stopRequested())
            return;
    }
}

UnitRecord BatchRun::Lane::programUnit(int unit)
{
    UnitRecord record;
    record.unit = unit;
    record.port = m_run.m_ports.at(m_lane);
    record.started = QDateTime::currentDateTime();
    report(unit, BatchStep::Identifying);
    ProgrammingProtocol protocol(m_port);
    const ProtocolResult identified = protocol.identify();
    record.identification = identified.identification;
    QByteArray expected;
    const bool accepted = identified && m_run.acceptIdentification(unit, record.identification, &expected);
    // A radio not written gives its row to the next radio identified.
    const std::optional<int> row = m_run.dealRow(accepted);
    if (!identified) {
        record.reason = {&NotWrittenText, identified.describe()};
        return record;
    }
    if (!accepted) {
        // Another model or firmware: left as it is.
        record.result = UnitResult::Skipped;
        record.changes = {QStringLiteral("expected=") + QString::fromLatin1(expected.toHex())};
        return record;
    }

    MemoryImage image = m_plan.document;
    if (row) {
        const UnitVariation &variation = m_plan.variations.at(*row);
        image = variation.applied(m_plan.document);
        record.changes = variation.assignments;
    }
    std::optional<WriteScope> scope = WriteScope{};
    if (m_plan.backup)
        scope = backUpUnit(record, image, row.has_value());
    if (scope)
        writeUnit(record, image, *scope);
    if (row && record.result == UnitResult::Skipped)
        m_run.giveBackRow(*row);
    else if (row && (record.result == UnitResult::Verified || record.result == UnitResult::Written))
        m_run.keepWritten(record.unit, image);
    return record;
}

TransferObserver BatchRun::Lane::transferObserver(int total) const
{
    TransferObserver transfer;
    transfer.resuming = [this](int block, int blocks, int resume) {
        if (m_observer.resuming)
            m_observer.resuming(m_lane, block, blocks, resume);
    };
    transfer.cancelRequested = [this] { return stopRequested(); };
    transfer.blockDone = [this, total](int done) {
        if (m_observer.progress)
            m_observer.progress(m_lane, done, total);
    };
    return transfer;
}

std::optional<WriteScope> BatchRun::Lane::backUpUnit(UnitRecord &record, const MemoryImage &image, bool ownRow)
{
    report(record.unit, BatchStep::BackingUp);
    MemoryImage read;
    const TransferOutcome outcome
        = readFromPort(m_port, TransferDirection::Read, read, transferObserver(ReadBlockCount), m_plan.maxResumes);
    if (outcome.status == TransferOutcome::Status::Cancelled) {
        record.result = UnitResult::Skipped;
        record.reason = {&StoppedBeforeWriteText, {}};
        return std::nullopt;
    }
    if (!outcome) {
        record.reason = {&BackupReadFailedText, outcome.detail};
        return std::nullopt;
    }
    // Each radio of a run with rows gets bytes of its own, so one that holds
    // another radio's is most likely that radio still on the cable (Next
    // pressed without a swap): writing it would give it a second row.
    if (const int held = ownRow ? m_run.writtenUnitHeld(read, image) : 0; held > 0) {
        record.result = UnitResult::Skipped;
        record.reason = {&HoldsOtherUnitText, QString::number(held)};
        record.changes.clear(); // its row goes to the next radio
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

void BatchRun::Lane::writeUnit(UnitRecord &record, const MemoryImage &image, const WriteScope &scope)
{
    record.sha256 = QCryptographicHash::hash(image.bytes(), QCryptographicHash::Sha256);
    if (scope.blocks.isEmpty()) {
        // The radio was just read holding every byte of the image.
        record.result = m_plan.verify ? UnitResult::Verified : UnitResult::Written;
        return;
    }
    const TransferObserver transfer = transferObserver(int(scope.blocks.size()));
    report(record.unit, BatchStep::Writing);
    const TransferOutcome written = writeToPort(m_port, image, transfer, m_plan.maxResumes, scope);
    record.blocks = written.protocol.blocks;
    if (!written) {
        const bool partly = written.protocol.blocks > 0;
        if (written.status == TransferOutcome::Status::Cancelled) {
            // Nothing sent: the radio holds what it held, as a skipped one does.
            record.result = partly ? UnitResult::Failed : UnitResult::Skipped;
            record.reason = {partly ? &PartlyWrittenText : &StoppedBeforeWriteText, {}};
        } else {
            record.reason = {partly ? &PartlyWrittenBecauseText : &NotWrittenText, written.detail};
        }
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
