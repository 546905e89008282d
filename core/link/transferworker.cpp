#include "core/link/transferworker.h"

#include "core/image/backups.h"
#include "core/link/transfermessages.h"

#include <QDir>

namespace kdw {

TransferWorker::TransferWorker(TransferLink link, TransferPlan plan, MemoryImage &image, QObject *parent)
    : QThread(parent)
    , m_link(std::move(link))
    , m_plan(plan)
    , m_image(image)
{
    if (m_plan.direction != TransferDirection::Write) {
        m_plan.backupFirst = false;
        m_plan.verify = false;
    }
}

TransferOutcome TransferWorker::runSession(TransferDirection direction, MemoryImage &image)
{
    TransferObserver observer;
    observer.portOpened = [this] { emit portOpened(); };
    observer.blockDone = [this](int) { emit blockDone(); };
    observer.resuming = [this, direction](int block, int resume) {
        emit resuming(resumingNotice(direction, block, resume, m_link.language));
    };
    observer.cancelRequested = [this] { return m_cancel.load(); };
    // The port is closed again when runTransfer returns, before any message.
    return runTransfer(m_link.port, m_link.programDirectory, direction, image, observer, m_plan.maxResumes);
}

QString TransferWorker::failureText(const TransferOutcome &outcome, TransferDirection direction) const
{
    QString message = failureMessage(outcome, direction, m_link.port, m_link.language);
    if (suggestsCableCheck(outcome))
        message += u'\n' + checkCableAdvice(m_link.language);
    return message;
}

// Reads the radio and keeps what it holds as a backup; false, having said
// why nothing will be written, when either fails.
bool TransferWorker::backUpRadio()
{
    emit sessionStarted(TransferDirection::Read, true);
    MemoryImage radio = m_image;
    const TransferOutcome read = runSession(TransferDirection::Read, radio);
    const Language language = m_link.language;
    if (read.status == TransferOutcome::Status::Cancelled)
        return false;
    if (!read) {
        emit failed(failureText(read, TransferDirection::Read) + u'\n' + WriteNotStartedText.text(language));
        return false;
    }
    const BackupResult saved = saveReadBackup(radio, BackupKind::BeforeWrite, m_link.programDirectory);
    if (!saved) {
        const QString directory = QDir::toNativeSeparators(backupDirectory(m_link.programDirectory));
        emit failed(BackupFailedText.text(language).arg(directory, saved.reason) + u'\n'
                    + WriteNotStartedText.text(language));
    }
    return saved.ok;
}

void TransferWorker::run()
{
    const Language language = m_link.language;
    if (m_plan.backupFirst && !backUpRadio())
        return;
    emit sessionStarted(m_plan.direction, false);
    m_outcome = runSession(m_plan.direction, m_image);
    m_succeeded = bool(m_outcome);
    if (m_outcome.status == TransferOutcome::Status::Cancelled) {
        const QString warning = cancelledMessage(m_outcome, m_plan.direction, language);
        if (!warning.isEmpty())
            emit failed(warning);
        return;
    }
    if (!m_outcome) {
        emit failed(failureText(m_outcome, m_plan.direction));
        return;
    }
    if (!m_plan.verify)
        return;
    emit sessionStarted(TransferDirection::Verify, false);
    m_readBack = m_image;
    m_verifyOutcome = runSession(TransferDirection::Verify, m_readBack);
    // The write itself went through: a check that fails never says otherwise,
    // and one the user stopped says nothing.
    if (m_verifyOutcome->status == TransferOutcome::Status::CommunicationError
        || m_verifyOutcome->status == TransferOutcome::Status::PortNotOpened)
        emit failed(WriteUncheckedText.text(language));
}

} // namespace kdw
