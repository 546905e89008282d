#include "link/transferworker.h"

#include "link/transfermessages.h"

namespace kdw {

TransferWorker::TransferWorker(TransferLink link, TransferDirection direction, MemoryImage &image, bool verify,
                               QObject *parent)
    : QThread(parent)
    , m_link(std::move(link))
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
    // The port is closed again when runTransfer returns, before any message.
    m_outcome = runTransfer(m_link.port, m_link.programDirectory, m_direction, m_image, observer);
    if (!m_outcome) {
        QString message = failureMessage(m_outcome, m_direction, m_link.port, m_link.languageIndex);
        if (suggestsCableCheck(m_outcome))
            message += u'\n' + checkCableAdvice(m_link.languageIndex);
        emit failed(message);
        return;
    }
    if (!m_verify)
        return;
    emit verifyStarted();
    m_readBack = m_image;
    m_verifyOutcome
        = runTransfer(m_link.port, m_link.programDirectory, TransferDirection::Verify, m_readBack, observer);
    // The write itself went through: a check that fails never says otherwise.
    if (!*m_verifyOutcome)
        emit failed(WriteUncheckedText.text(m_link.languageIndex));
}

} // namespace kdw
