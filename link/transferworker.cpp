#include "link/transferworker.h"

#include "app/globals.h"

namespace kdw {

TransferWorker::TransferWorker(TransferDirection direction, MemoryImage &image, QObject *parent)
    : QThread(parent)
    , m_direction(direction)
    , m_image(image)
{
}

void TransferWorker::run()
{
    TransferObserver observer;
    observer.portOpened = [this] { emit portOpened(); };
    observer.blockDone = [this](int) { emit blockDone(); };
    // The port is closed again when runTransfer returns, before any message.
    m_outcome = runTransfer(portName(), m_direction, m_image, observer);
    if (!m_outcome) {
        QString text = m_outcome.message()->text();
        // An open failure names the device and the system's reason below the
        // message; a line failure stays as the user knows it.
        if (m_outcome.status == TransferOutcome::Status::PortNotOpened && !m_outcome.detail.isEmpty())
            text += QStringLiteral("\n\n") + m_outcome.detail;
        emit failed(text);
    }
    busyFlag() = 0;
}

} // namespace kdw
