#pragma once

#include "core/image/memoryimage.h"
#include "core/link/batchlog.h"
#include "core/link/protocol.h"
#include "core/link/radiotransfer.h"
#include "core/settings/unitvariations.h"
#include "core/text/language.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <utility>

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
    bool autoSwap
        = false; // wait for the radio to go and the next to answer, not for the caller; always with several lanes
    int maxResumes = ProgrammingProtocol::MaxResumes;
    QString backupDirectory;                          // where the backups of the radios go
    QString programDirectory;                         // its Default.sin fills a backup beyond the read ranges
    QDateTime started = QDateTime::currentDateTime(); // names the backups

    // True when the plan is done after `units` radios with `rowsUsed` rows taken.
    bool complete(int units, int rowsUsed) const;
};

// Where a unit is; each step is reported as it begins.
enum class BatchStep { WaitingForRadio, Identifying, BackingUp, Writing, Verifying, WaitingForSwap };

// A line of one lane of several: "COM2: Radio 3: writing".
inline constexpr LocalisedText BatchLaneText{u"%1: %2", u"%1：%2", u"%1：%2"};

// "waiting for a radio to answer", "identifying", ... in a language.
QString batchStepText(BatchStep step, Language language);
// The transfer a step runs: the backup a read, then the write and its
// verify (a read for the steps without a transfer).
TransferDirection batchStepDirection(BatchStep step);

// What the run reports and asks while it runs. Each lane calls it on its
// own thread, so with several lanes the members are called from several
// threads at once. Every member may be left empty. `lane` counts the ports
// of the run from 0.
struct BatchObserver
{
    // `unit` is 0 while a lane of several waits for a radio: its number is
    // given once one answers. A single lane names the unit it waits for.
    std::function<void(int lane, int unit, BatchStep step)> step;
    // Blocks done of the step's transfer, and its total.
    std::function<void(int lane, int done, int total)> progress;
    std::function<void(int lane, int failedBlock, int blocks, int resume)> resuming;
    // Called under the run's lock, in the order the rows go to the log.
    std::function<void(const UnitRecord &record)> unitDone;
    // Asked between probes and blocks: true stops the run there. It may
    // block, holding the lane at that block boundary while the user decides.
    std::function<bool()> stopRequested;
    // A single lane without automatic swap: returns once radio `unit` is
    // connected (true), or false to stop the run.
    std::function<bool(int unit)> nextConnected;
    // Radio `unit` answers another identification than the first radio's:
    // true writes it all the same. Empty: it is skipped.
    std::function<bool(int unit, const QByteArray &identification, const QByteArray &expected)> writeMismatched;
};

struct BatchSummary
{
    QList<UnitRecord> units; // in the order they finished
    bool stopped = false;    // the caller stopped the run
    QStringList lostPorts;   // the lanes whose port went away (adapter pulled), in the order they did
    int lanes = 1;
    QString logPath;  // the log a row could not be written to
    QString logError; // the system's reason for it; empty while every row was written

    bool lineLost() const { return !lostPorts.isEmpty(); }
    int count(UnitResult result) const;
    // Every unit verified (or written, with verify off), and at least one.
    bool allGood() const;
    // "18 verified, 1 failed, 1 skipped" ("written" with verify off).
    QString text(bool verify, Language language) const;
    // "cannot write LOG: reason".
    QString logErrorText(Language language) const;
    // What the run says of the ports that went away; empty when none did.
    QString lostPortsText(Language language) const;
};

// Radios programmed one after another on each of one or more ports (the
// lanes), all lanes at once: each lane waits until a radio answers the
// wake-up, takes its identification, reads a backup, writes the document
// with the unit's variations, verifies it, logs it, then waits for the next
// radio. The lanes share, under one lock, the unit numbers, the rows of
// variations (dealt in the order radios are identified), the first radio's
// identification, the count of units and the log, whose rows go in the
// order radios end.
class BatchRun
{
public:
    // The probe: one wake-up attempt about once a second; a radio has gone
    // once it has not answered for at least SwapSilenceMs.
    static constexpr int ProbeIntervalMs = 1000;
    static constexpr int SwapSilenceMs = 2000;

    // `ports` names the lanes, as the log will; one lane when empty.
    BatchRun(const BatchPlan &plan, BatchLog *log, BatchObserver observer, QStringList ports = {});
    ~BatchRun();
    BatchRun(const BatchRun &) = delete;
    BatchRun &operator=(const BatchRun &) = delete;

    int laneCount() const { return int(m_ports.size()); }
    // Runs lane `lane` over its open port until the run is complete or
    // stopped, or the port goes away. Each lane on a thread of its own.
    void runLane(int lane, BytePort &port);
    // Once every lane has returned.
    BatchSummary summary() const;

    // Every lane over its port (as many as the lanes), each on a thread of
    // its own, a single lane on the caller's; the summary.
    BatchSummary run(const QList<BytePort *> &ports);
    BatchSummary run(BytePort &port) { return run(QList<BytePort *>{&port}); }

private:
    class Lane;
    friend class Lane;
    enum class Claim { Granted, Wait, Done };

    // A radio answered on a lane: its unit number, or whether to wait for
    // the rows other lanes may yet give back, or that the run is complete.
    Claim claimUnit(int *unit);
    // True once no further radio is to be taken.
    bool exhausted() const;
    // The number the next radio will get with a single lane; 0 with several.
    int upcomingUnit() const;
    // Whether radio `unit` is the kind the run writes: the first radio
    // identified sets the reference.
    bool acceptIdentification(int unit, const QByteArray &identification, QByteArray *expected);
    // Gives the unit its row (when it is to be written and there are rows),
    // a row given back first, else the next in the order asked; either way
    // the claim's hold on a row ends. The row's index.
    std::optional<int> dealRow(bool written);
    // Row `row` goes to the next radio identified: its radio was not written.
    void giveBackRow(int row);
    // With rows of variations: the unit this run wrote whose bytes the radio
    // holds (`read`, in the write ranges) although they are not `own`'s,
    // that is, the same radio again or one already programmed; 0 when none.
    int writtenUnitHeld(const MemoryImage &read, const MemoryImage &own) const;
    void keepWritten(int unit, const MemoryImage &image);
    void finish(UnitRecord &record);
    void laneLost(int lane);
    void markStopped();
    // Asks the observer; a stop asked for is kept in the summary.
    bool userStop();

    const BatchPlan &m_plan;
    BatchLog *m_log;
    BatchObserver m_observer;
    QStringList m_ports;
    mutable std::mutex m_mutex;
    int m_claimed = 0;                                 // units numbered so far
    int m_rowsUsed = 0;                                // rows dealt and kept
    int m_nextRow = 0;                                 // the first row never dealt
    QList<int> m_returnedRows;                         // rows given back, lowest first
    QList<std::pair<int, MemoryImage>> m_writtenUnits; // unit, the image it was written (with rows only)
    int m_rowsHeld = 0;                                // units numbered that have neither taken nor given up a row
    QByteArray m_reference;                            // the first radio's identification
    BatchSummary m_summary;
    std::atomic<bool> m_logFailed = false;
};

} // namespace kdw
