#pragma once

#include "core/image/memoryimage.h"
#include "core/link/batchrun.h"
#include "core/link/transferworker.h"
#include "gui/dialogs/dialogtemplate.h"

#include <QList>
#include <QRect>
#include <QStringList>

class QLabel;
class QProgressBar;

namespace kdw {

class BatchWorker;

// Program > Program Several Radios... (template 170): the setup (a variations
// file, verify, backups, how the next radio is awaited), then Start runs the
// batch in a worker thread. Each radio that ends adds a row to the table; the
// line and bar below it show the step under way. Next (Enter) says the next
// radio is connected; Stop, Escape and the close box stop the run (a write
// after asking). At the end the summary, the log's path and a button that
// opens its folder. The document is only read.
class CBatchDlg : public CTemplateDialog
{
    Q_OBJECT

public:
    CBatchDlg(QWidget *parent, const MemoryImage &document, TransferLink link, int maxResumes);
    ~CBatchDlg() override;

    // Program > Write Only Changed Blocks: each radio backed up gets only
    // the blocks that differ from its backup read. On by default.
    void setChangedOnly(bool on) { m_changedOnly = on; }

    // The program Open Folder hands the log's folder to, which says by its
    // exit code whether a file manager took it; empty: the system's own way.
    void setFileManager(const QString &program) { m_fileManager = program; }

    bool isRunning() const { return m_worker != nullptr; }
    // The last run's units and log; empty before one ran.
    const BatchSummary &summary() const { return m_summary; }
    const QString &logPath() const { return m_logPath; }

    void accept() override; // Start (Enter while setting up)
    void reject() override; // Close; while running it stops the run

private:
    void OnStart();
    void OnBrowse();
    void OnNext();
    void OnStop();
    void OnOpenFolder();
    void onStep(int lane, int unit, BatchStep step);
    void onProgress(int lane, int done, int total);
    void onWaitingForNext(int unit);
    void onUnitDone(const UnitRecord &record);
    void onMismatched(int unit, const QByteArray &identification, const QByteArray &expected);
    void onWorkerFinished();
    void setStatus(int lane, const QString &text);
    void showRunning(bool running);
    // A localised line for a step of lane `lane` and radio `unit` (0: not yet numbered).
    QString stepLine(int lane, int unit, BatchStep step) const;
    // The COM items, the adapters present and the current port, the current one checked.
    void fillPorts();
    // The dialog no taller than the screen's room: the table shrinks to it.
    void fitToScreen();
    QStringList checkedPorts() const;
    // A step line and bar a lane, the last at the single lane's place.
    void setUpLanes(int lanes);
    // The question before a stop, for the lanes' steps; none while all wait.
    const LocalisedText *stopQuestion() const;

    struct LaneLine
    {
        QLabel *line = nullptr;
        QProgressBar *bar = nullptr;
    };

    const MemoryImage m_document;
    const TransferLink m_link;
    const int m_maxResumes;
    bool m_verify = true;
    bool m_changedOnly = true;
    QStringList m_ports;           // the lanes of the run under way or last run
    QList<LaneLine> m_lanes;       // in the order of m_ports
    QList<QWidget *> m_extraLanes; // the lines and bars made for lanes after the first
    QList<BatchStep> m_steps;      // each lane's step
    QRect m_tableGeometry;         // the table's place before lanes took room from it
    bool m_asking = false;         // the question before stopping is up
    BatchWorker *m_worker = nullptr;
    BatchSummary m_summary;
    QString m_logPath;
#ifdef Q_OS_WIN
    QString m_fileManager;
#else
    QString m_fileManager = QStringLiteral("xdg-open");
#endif
};

} // namespace kdw
