#pragma once

#include "link/radiotransfer.h"

#include <QThread>

namespace kdw {

class MemoryImage;

// The thread of one Read or Write: opens the port, runs the protocol, closes
// the port. It touches no window: everything it has to say goes out as a
// signal, and a failure message is shown by the thread of the dialog while
// the worker waits for it to be dismissed.
class TransferWorker : public QThread
{
    Q_OBJECT

public:
    TransferWorker(TransferDirection direction, MemoryImage &image, QObject *parent = nullptr);

    // Valid once the thread has finished.
    const TransferOutcome &outcome() const { return m_outcome; }

signals:
    void portOpened();
    void blockDone();
    // Connected blocking: returns when the message has been dismissed.
    void failed(const QString &message);

protected:
    void run() override;

private:
    TransferDirection m_direction;
    MemoryImage &m_image;
    TransferOutcome m_outcome;
};

} // namespace kdw
