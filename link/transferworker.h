#pragma once

#include "link/radiotransfer.h"

#include <QThread>

#include <optional>

namespace kdw {

class MemoryImage;

// Where a transfer goes and in which language it reports a failure: the port
// as the Port menu names it, the program directory that maps such a name to
// a device, and the language index.
struct TransferLink
{
    QString port;
    QString programDirectory;
    quint8 languageIndex = 0;
};

// The thread of one Read or Write: opens the port, runs the protocol, closes
// the port. A write with verify runs a second session that reads the written
// ranges back. It touches no window: everything it has to say goes out as a
// signal, and a message is shown by the thread of the dialog while the
// worker waits for it to be dismissed.
class TransferWorker : public QThread
{
    Q_OBJECT

public:
    TransferWorker(TransferLink link, TransferDirection direction, MemoryImage &image, bool verify,
                   QObject *parent = nullptr);

    // Valid once the thread has finished.
    const TransferOutcome &outcome() const { return m_outcome; }
    // The verify session's outcome and what it read; nothing when no verify ran.
    const std::optional<TransferOutcome> &verifyOutcome() const { return m_verifyOutcome; }
    const MemoryImage &readBack() const { return m_readBack; }

signals:
    void portOpened();
    void blockDone();
    // The verify session begins after a successful write.
    void verifyStarted();
    // Connected blocking: returns when the message has been dismissed.
    void failed(const QString &message);

protected:
    void run() override;

private:
    const TransferLink m_link;
    TransferDirection m_direction;
    MemoryImage &m_image;
    bool m_verify;
    TransferOutcome m_outcome;
    std::optional<TransferOutcome> m_verifyOutcome;
    MemoryImage m_readBack;
};

} // namespace kdw
