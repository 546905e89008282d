#pragma once

#include "core/link/radiotransfer.h"
#include "core/text/language.h"

#include <QThread>

#include <atomic>
#include <functional>
#include <optional>

namespace kdw {

class AnswerWatch;
class MemoryImage;

// Where a transfer goes and in which language it reports a failure: the port
// as the Port menu names it, the program directory that maps such a name to
// a device, and that language.
struct TransferLink
{
    QString port;
    QString programDirectory;
    Language language = Language::Eng;
};

// What one Start runs: a read, or a write with the radio read and backed up
// before it and read back after it when asked; each session resumed after up
// to `maxResumes` faults on the line. A write after the backup read sends,
// with `changedOnly`, only the blocks that differ from what was read. A write
// (its backup read included) that finds a radio other than `knownRadio`, the
// one the document came from, asks first (otherRadio).
struct TransferPlan
{
    TransferDirection direction = TransferDirection::Read;
    bool backupFirst = false; // a write only
    bool verify = false;      // a write only
    int maxResumes = 0;
    bool changedOnly = true;
    QByteArray knownRadio; // a write only; empty: any radio, nothing asked
};

// The thread of one Read or Write: opens the port, runs every session of its
// plan over it, closes the port. It touches no window: everything
// it has to say goes out as a signal, and a message is shown by the thread
// of the dialog while the worker waits for it to be dismissed.
class TransferWorker : public QThread
{
    Q_OBJECT

public:
    TransferWorker(TransferLink link, TransferPlan plan, MemoryImage &image, QObject *parent = nullptr);

    // Asks the running session to stop before its next block; any thread.
    void requestCancel() { m_cancel = true; }
    // Called from the slot of otherRadio(): true writes that radio all the same.
    void answerOtherRadio(bool write) { m_writeOtherRadio = write; }

    // Valid once the thread has finished: true when the read or the write
    // itself moved every block.
    bool succeeded() const { return m_succeeded; }
    // The write found the radio holding the document already and sent nothing.
    bool nothingToWrite() const { return m_nothingToWrite; }
    const TransferOutcome &outcome() const { return m_outcome; }
    // The verify session's outcome and what it read; nothing when no verify ran.
    const std::optional<TransferOutcome> &verifyOutcome() const { return m_verifyOutcome; }
    const MemoryImage &readBack() const { return m_readBack; }

signals:
    void portOpened();
    void blockDone();
    // A session of the plan begins: the backup read, the read or write
    // itself, or the verify after a write; `blocks` it will move.
    void sessionStarted(kdw::TransferDirection direction, bool backup, int blocks);
    // A new session goes on with the block that failed; the status line.
    void resuming(const QString &notice);
    // A session got the radio's identification; the status line.
    void identified(const QByteArray &identification);
    // Connected blocking: the write found `found` where the document came
    // from `known`; returns once answerOtherRadio() has been called.
    void otherRadio(const QByteArray &found, const QByteArray &known);
    // Connected blocking: returns when the message has been dismissed.
    void failed(const QString &message);

protected:
    void run() override;

private:
    TransferObserver observer();
    // Each session's identification: told, and for a write to another radio
    // than the document's, asked about; false when the write must not go on.
    bool radioAccepted(const QByteArray &found);
    // The sessions over the open port; what to say afterwards (empty: nothing).
    QString runPlan();
    // Reads the radio and keeps what it holds as a backup, then says what the
    // write is to send; nothing, with *message set, when the write must not go on.
    std::optional<WriteScope> backUpRadio(QString *message);
    // A session over the watched port, with the cable check's finding when
    // it fails at its start.
    TransferOutcome watchedSession(const std::function<TransferOutcome(BytePort &)> &session);
    // The message of a failed session, with the pointer to the cable check
    // where that can tell more.
    QString failureText(const TransferOutcome &outcome, TransferDirection direction) const;

    const TransferLink m_link;
    TransferPlan m_plan;
    MemoryImage &m_image;
    std::atomic<bool> m_cancel = false;
    bool m_writing = false; // the session under way belongs to the write (its backup read too)
    bool m_writeOtherRadio = false;
    QByteArray m_accepted; // the other radio the user chose to write
    bool m_succeeded = false;
    bool m_nothingToWrite = false;
    QString m_device;
    AnswerWatch *m_watch = nullptr; // the open port, while the plan runs
    TransferOutcome m_outcome;
    std::optional<TransferOutcome> m_verifyOutcome;
    MemoryImage m_readBack;
};

} // namespace kdw
