#pragma once

#include "core/image/memoryimage.h"
#include "core/link/batchlog.h"
#include "core/link/protocol.h"
#include "core/link/radiotransfer.h"
#include "core/settings/unitvariations.h"
#include "core/text/language.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace kdw {

class BytePort;

// What a batch run is asked to do: one document written to radio after
// radio, each with its own row of variations.
struct BatchPlan
{
    MemoryImage document;
    QList<UnitVariation> variations; // a row a unit, in order; none: the document as it is
    int units = 0;                   // stop after this many radios; 0: when the rows are used up, else never
    bool verify = true;
    bool backup = true;
    bool changedOnly = true; // after the backup read, write only the blocks that differ
    bool autoSwap = false;   // wait for the radio to go and the next to answer, not for the caller
    int maxResumes = ProgrammingProtocol::MaxResumes;
    QString backupDirectory;                          // where the backups of the radios go
    QString programDirectory;                         // its Default.sin fills a backup beyond the read ranges
    QDateTime started = QDateTime::currentDateTime(); // names the backups

    // True when the plan is done after `units` radios with `rowsUsed` rows taken.
    bool complete(int units, int rowsUsed) const;
};

// Where a unit is; each step is reported as it begins.
enum class BatchStep { WaitingForRadio, Identifying, BackingUp, Writing, Verifying, WaitingForSwap };

// Said when the port went away during a run.
inline constexpr LocalisedText BatchLineLostText{u"the port went away; the run ends here", u"串口已断开；到此结束",
                                                 u"連接埠已斷開；到此結束"};

// "waiting for a radio to answer", "identifying", ... in a language.
QString batchStepText(BatchStep step, Language language);
// The transfer a step runs: the backup a read, then the write and its
// verify (a read for the steps without a transfer).
TransferDirection batchStepDirection(BatchStep step);

// What the run reports and asks while it runs; called on the thread that
// runs it. Every member may be left empty.
struct BatchObserver
{
    std::function<void(int unit, BatchStep step)> step;
    // Blocks done of the step's transfer, and its total.
    std::function<void(int done, int total)> progress;
    std::function<void(int failedBlock, int blocks, int resume)> resuming;
    std::function<void(const UnitRecord &record)> unitDone;
    // Asked between probes and blocks: true stops the run there.
    std::function<bool()> stopRequested;
    // Without automatic swap: returns once radio `unit` is connected (true),
    // or false to stop the run.
    std::function<bool(int unit)> nextConnected;
    // A radio whose identification is not the first radio's: true writes it
    // all the same. Empty: it is skipped.
    std::function<bool(const QByteArray &identification, const QByteArray &expected)> writeMismatched;
};

struct BatchSummary
{
    QList<UnitRecord> units;
    bool stopped = false;  // the caller stopped the run
    bool lineLost = false; // the port went away (adapter pulled)
    QString logPath;       // the log a row could not be written to
    QString logError;      // the system's reason for it; empty while every row was written

    int count(UnitResult result) const;
    // Every unit verified (or written, with verify off), and at least one.
    bool allGood() const;
    // "18 verified, 1 failed, 1 skipped" ("written" with verify off).
    QString text(bool verify, Language language) const;
    // "cannot write LOG: reason".
    QString logErrorText(Language language) const;
};

// One radio after another over an open port: for each, wait until a radio
// answers the wake-up, take its identification, read a backup, write the
// document with the unit's variations, verify it, log it, then wait for the
// next radio. Rows go to `log` (if any) as each radio ends.
class BatchRun
{
public:
    // The probe: one wake-up attempt about once a second; a radio has gone
    // once it has not answered for at least SwapSilenceMs.
    static constexpr int ProbeIntervalMs = 1000;
    static constexpr int SwapSilenceMs = 2000;

    BatchRun(BytePort &port, const BatchPlan &plan, BatchLog *log, BatchObserver observer);

    BatchSummary run();

private:
    enum class Probe { Answered, Silent, Stopped, LineLost };

    // Waits, probing, for a radio that answers; false when stopped.
    Probe awaitRadio(int unit);
    // Waits until the radio has gone for SwapSilenceMs and a radio answers.
    Probe awaitSwap(int unit);
    Probe probe();
    // Rests between probes in short slices, so a stop is seen at once.
    bool rest(int milliseconds);

    UnitRecord programUnit(int unit, int *rowsUsed);
    // Reads and keeps the radio's memory, then says what the write is to
    // send; nothing, with the reason in `record`, when it must not go on.
    std::optional<WriteScope> backUpUnit(UnitRecord &record, const MemoryImage &image);
    void writeUnit(UnitRecord &record, const MemoryImage &image, const WriteScope &scope);
    void finish(UnitRecord &record, BatchSummary &summary);

    void report(int unit, BatchStep step) const;
    bool stopRequested() const;

    BytePort &m_port;
    const BatchPlan &m_plan;
    BatchLog *m_log;
    BatchObserver m_observer;
    QElapsedTimer m_clock;
    QByteArray m_reference; // the first radio's identification
};

} // namespace kdw
