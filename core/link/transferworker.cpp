#include "core/link/transferworker.h"

#include "core/image/backups.h"
#include "core/image/identification.h"
#include "core/link/cabledoctor.h"
#include "core/link/serialport.h"
#include "core/link/transfermessages.h"

#include <QDir>

namespace kdw {

TransferWorker::TransferWorker(TransferLink link, TransferPlan plan, MemoryImage &image, QObject *parent)
    : QThread(parent)
    , m_link(std::move(link))
    , m_plan(std::move(plan))
    , m_image(image)
{
    if (m_plan.direction != TransferDirection::Write) {
        m_plan.backupFirst = false;
        m_plan.verify = false;
        m_plan.knownRadio.clear();
    }
}

TransferObserver TransferWorker::observer()
{
    TransferObserver observer;
    observer.blockDone = [this](int) { emit blockDone(); };
    observer.resuming = [this](int block, int total, int resume) {
        emit resuming(resumingNotice(block, total, resume, m_link.language));
    };
    observer.cancelRequested = [this] { return m_cancel.load(); };
    observer.identified = [this](const QByteArray &found) { return radioAccepted(found); };
    return observer;
}

bool TransferWorker::radioAccepted(const QByteArray &found)
{
    emit identified(found);
    if (!m_writing || !isOtherRadio(m_plan.knownRadio, found) || found == m_accepted)
        return true;
    m_writeOtherRadio = false;
    emit otherRadio(found, m_plan.knownRadio);
    if (m_writeOtherRadio)
        m_accepted = found;
    return m_writeOtherRadio;
}

QString TransferWorker::failureText(const TransferOutcome &outcome, TransferDirection direction) const
{
    QString message = failureMessage(outcome, direction, m_link.port, m_link.language);
    if (suggestsCableCheck(outcome))
        message += u'\n' + checkCableAdvice(m_link.language);
    return message;
}

TransferOutcome TransferWorker::watchedSession(const std::function<TransferOutcome(BytePort &)> &session)
{
    m_watch->restart();
    TransferOutcome outcome = session(*m_watch);
    outcome.device = m_device;
    if (!outcome)
        outcome.finding = failedStartFinding(outcome, m_watch, m_link.language);
    return outcome;
}

std::optional<WriteScope> TransferWorker::backUpRadio(QString *message)
{
    emit sessionStarted(TransferDirection::Read, true, ReadBlockCount);
    m_writing = true; // the radio is asked about before its backup is read
    MemoryImage radio = m_image;
    const TransferOutcome read = watchedSession([&](BytePort &watched) {
        return readFromPort(watched, TransferDirection::Read, radio, observer(), m_plan.maxResumes);
    });
    const Language language = m_link.language;
    if (read.status == TransferOutcome::Status::Cancelled)
        return std::nullopt;
    if (!read) {
        *message = failureText(read, TransferDirection::Read) + u'\n' + WriteNotStartedText.text(language);
        return std::nullopt;
    }
    const BackupResult saved
        = saveReadBackup(radio, BackupKind::BeforeWrite, m_link.programDirectory, read.protocol.identification);
    if (!saved) {
        const QString directory = QDir::toNativeSeparators(backupDirectory(m_link.programDirectory));
        *message
            = BackupFailedText.text(language).arg(directory, saved.reason) + u'\n' + WriteNotStartedText.text(language);
        return std::nullopt;
    }
    return scopeAfterRead(radio, read.protocol, m_image, m_plan.changedOnly);
}

QString TransferWorker::runPlan()
{
    const Language language = m_link.language;
    WriteScope scope;
    if (m_plan.backupFirst) {
        QString message;
        const std::optional<WriteScope> read = backUpRadio(&message);
        if (!read)
            return message;
        scope = *read;
        if (scope.blocks.isEmpty()) {
            m_nothingToWrite = true;
            m_succeeded = true;
            return {};
        }
    }
    const int blocks = m_plan.direction == TransferDirection::Read ? ReadBlockCount : int(scope.blocks.size());
    emit sessionStarted(m_plan.direction, false, blocks);
    m_writing = m_plan.direction == TransferDirection::Write;
    m_outcome = watchedSession([&](BytePort &watched) {
        return m_plan.direction == TransferDirection::Read
                   ? readFromPort(watched, TransferDirection::Read, m_image, observer(), m_plan.maxResumes)
                   : writeToPort(watched, m_image, observer(), m_plan.maxResumes, scope);
    });
    m_succeeded = bool(m_outcome);
    if (m_outcome.status == TransferOutcome::Status::Cancelled)
        return cancelledMessage(m_outcome, m_plan.direction, language);
    if (!m_outcome)
        return failureText(m_outcome, m_plan.direction);
    if (!m_plan.verify)
        return {};
    emit sessionStarted(TransferDirection::Verify, false, blocks);
    m_writing = false;
    m_readBack = m_image;
    m_verifyOutcome
        = readFromPort(*m_watch, TransferDirection::Verify, m_readBack, observer(), m_plan.maxResumes, scope);
    // The write itself went through: a check that fails never says otherwise,
    // and one the user stopped says nothing.
    if (m_verifyOutcome->status == TransferOutcome::Status::CommunicationError)
        return WriteUncheckedText.text(language);
    return {};
}

void TransferWorker::run()
{
    // One port for every session of the plan: between the backup read and
    // the write nothing else can reach the radio.
    SerialPort port;
    const TransferOutcome opened = openPort(port, m_link.port, m_link.programDirectory);
    m_device = opened.device;
    if (!opened) {
        m_outcome = opened;
        m_outcome.finding = failedStartFinding(opened, nullptr, m_link.language);
        QString message = failureText(m_outcome, m_plan.direction);
        if (m_plan.backupFirst)
            message += u'\n' + WriteNotStartedText.text(m_link.language);
        emit failed(message);
        return;
    }
    emit portOpened();
    AnswerWatch watch(port);
    m_watch = &watch;
    const QString message = runPlan();
    m_watch = nullptr;
    // The port is free again before any message is shown.
    port.close();
    if (!message.isEmpty())
        emit failed(message);
}

} // namespace kdw
