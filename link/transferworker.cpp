#include "link/transferworker.h"

#include "app/globals.h"
#include "link/transfermessages.h"

namespace kdw {

TransferWorker::TransferWorker(TransferDirection direction, MemoryImage &image, bool verify, QObject *parent)
    : QThread(parent)
    , m_direction(direction)
    , m_image(image)
    , m_verify(verify && direction == TransferDirection::Write)
{
}

void TransferWorker::run()
{
    TransferObserver observer;
    observer.portOpened = [this] { emit portOpened(); };
    observer.blockDone = [this](int) { emit blockDone(); };
    const QString port = portName();
    const QString directory = programDirectory();
    // The port is closed again when runTransfer returns, before any message.
    m_outcome = runTransfer(port, directory, m_direction, m_image, observer);
    if (!m_outcome) {
        emit failed(failureMessage(m_outcome, m_direction, port, languageIndex()));
        return;
    }
    if (!m_verify)
        return;
    emit verifyStarted();
    m_readBack = m_image;
    m_verifyOutcome = runTransfer(port, directory, TransferDirection::Verify, m_readBack, observer);
    // The write itself went through: a check that fails never says otherwise.
    if (!*m_verifyOutcome)
        emit failed(WriteUncheckedText.text());
}

} // namespace kdw
