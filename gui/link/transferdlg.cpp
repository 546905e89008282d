#include "gui/link/transferdlg.h"

#include "core/image/identification.h"
#include "core/link/transfermessages.h"
#include "core/link/transferworker.h"
#include "gui/dialogs/controlids.h"
#include "gui/dialogs/messagebox.h"
#include "gui/link/writecheckdlg.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace kdw {

namespace {

// The status line for each session of a Start.
constexpr LocalisedText BackupStepText{u"Reading the radio for the backup…", u"正在读取对讲机以备份…",
                                       u"正在讀取對講機以備份…"};
constexpr LocalisedText ReadStepText{u"Reading…", u"正在读取…", u"正在讀取…"};
constexpr LocalisedText WriteStepText{u"Writing…", u"正在写入…", u"正在寫入…"};
constexpr LocalisedText VerifyStepText{u"Verifying…", u"正在校验…", u"正在校驗…"};
// The second line of the status: the radio's answer to the identification.
constexpr LocalisedText RadioLineText{u"Radio: %1", u"对讲机：%1", u"對講機：%1"};

const LocalisedText &stepText(TransferDirection direction, bool backup)
{
    if (backup)
        return BackupStepText;
    switch (direction) {
    case TransferDirection::Write: return WriteStepText;
    case TransferDirection::Verify: return VerifyStepText;
    case TransferDirection::Read: break;
    }
    return ReadStepText;
}

} // namespace

const LocalisedText &captionOf(TransferDirection direction)
{
    switch (direction) {
    case TransferDirection::Write: return WriteCaption;
    case TransferDirection::Verify: return VerifyCaption;
    case TransferDirection::Read: break;
    }
    return ReadCaption;
}

CTransferDlg::CTransferDlg(QWidget *parent, MemoryImage &image, TransferLink link)
    : CTemplateDialog(133, parent)
    , m_image(image)
    , m_link(std::move(link))
{
    setObjectName(QStringLiteral("CTransferDlg"));
    if (auto *start = item<QPushButton>(ctl::transfer::Start))
        connect(start, &QPushButton::clicked, this, &CTransferDlg::OnOK);
    // Cancel stops a running transfer, so Enter must never reach it: with
    // Start disabled, an auto-default Cancel would take the key.
    if (auto *cancel = item<QPushButton>(ctl::Cancel))
        cancel->setAutoDefault(false);
}

CTransferDlg::~CTransferDlg()
{
    // The dialog closes only after its worker has ended; this is the last
    // guard should it ever be destroyed otherwise.
    if (m_worker)
        m_worker->wait();
}

void CTransferDlg::showEvent(QShowEvent *event)
{
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
    CTemplateDialog::showEvent(event);
}

void CTransferDlg::OnInitDialog()
{
    if (auto *progress = item<QProgressBar>(ctl::transfer::Progress)) {
        const bool backup = m_plan.backupFirst && m_plan.direction == TransferDirection::Write;
        progress->setRange(0, blockCount(m_plan.direction) + (backup ? ReadBlockCount : 0));
        progress->setValue(0);
    }
    setWindowTitle(m_strTitle);
}

void CTransferDlg::accept()
{
    OnOK();
}

void CTransferDlg::OnOK()
{
    // One worker per dialog: a second press finds it running and starts
    // nothing. The command that shows the dialog holds the busy flag.
    if (m_worker)
        return;
    m_bSuccess = false;
    m_worker = new TransferWorker(m_link, m_plan, m_image, this);
    connect(m_worker, &TransferWorker::portOpened, this, &CTransferDlg::onPortOpened);
    connect(m_worker, &TransferWorker::blockDone, this, &CTransferDlg::onBlockDone);
    connect(m_worker, &TransferWorker::sessionStarted, this, &CTransferDlg::onSessionStarted);
    connect(m_worker, &TransferWorker::resuming, this, &CTransferDlg::onResuming);
    connect(m_worker, &TransferWorker::identified, this, &CTransferDlg::onIdentified);
    connect(m_worker, &TransferWorker::otherRadio, this, &CTransferDlg::onOtherRadio, Qt::BlockingQueuedConnection);
    connect(m_worker, &TransferWorker::failed, this, &CTransferDlg::onFailed, Qt::BlockingQueuedConnection);
    connect(m_worker, &QThread::finished, this, &CTransferDlg::onWorkerFinished);
    m_worker->start(QThread::NormalPriority);
}

void CTransferDlg::reject()
{
    if (!m_worker) {
        CTemplateDialog::reject();
        return;
    }
    if (m_asking)
        return;
    // A write stopped half-way leaves the radio unusable until written
    // again: that is asked first. The worker goes on meanwhile.
    if (m_session == TransferDirection::Write) {
        m_asking = true;
        const bool stop = messageBox(this, StopWriteQuestion.text(m_link.language), QMessageBox::Question,
                                     QMessageBox::Yes | QMessageBox::No)
                          == QMessageBox::Yes;
        m_asking = false;
        if (m_closeAfterAsking) {
            finish();
            return;
        }
        if (!stop)
            return;
    }
    m_worker->requestCancel();
}

void CTransferDlg::onPortOpened()
{
    // Start stays disabled until the dialog closes; Cancel stays to stop.
    if (auto *start = item<QPushButton>(ctl::transfer::Start))
        start->setEnabled(false);
}

void CTransferDlg::setStatus(const QString &text)
{
    if (auto *status = item<QLabel>(ctl::transfer::Status))
        status->setText(text);
}

void CTransferDlg::onSessionStarted(TransferDirection direction, bool backup, int blocks)
{
    m_session = backup ? TransferDirection::Read : direction;
    m_stepText = stepText(direction, backup).text(m_link.language);
    setStatus(stepLine());
    auto *progress = item<QProgressBar>(ctl::transfer::Progress);
    // The write after a backup read sends only what it must: the bar counts
    // the blocks that will be sent.
    if (progress && direction == TransferDirection::Write && !backup)
        progress->setMaximum(progress->value() + blocks);
    if (direction == TransferDirection::Verify) {
        setWindowTitle(VerifyCaption.text(m_link.language));
        if (progress) {
            progress->setRange(0, blocks);
            progress->setValue(0);
        }
        if (auto *percentage = item<QLabel>(ctl::transfer::Percentage))
            percentage->setText(QStringLiteral("0%"));
    }
}

void CTransferDlg::onResuming(const QString &notice)
{
    // The bar keeps its place: the new session goes on with the failed block.
    setStatus(notice);
}

QString CTransferDlg::stepLine() const
{
    if (m_identification.isEmpty())
        return m_stepText;
    return m_stepText + u'\n' + RadioLineText.text(m_link.language).arg(identificationText(m_identification));
}

void CTransferDlg::onIdentified(const QByteArray &identification)
{
    m_identification = identification;
    setStatus(stepLine());
}

void CTransferDlg::onOtherRadio(const QByteArray &found, const QByteArray &known)
{
    m_worker->answerOtherRadio(askWriteOtherRadio(this, found, known, m_link.language));
}

void CTransferDlg::onBlockDone()
{
    auto *progress = item<QProgressBar>(ctl::transfer::Progress);
    auto *percentage = item<QLabel>(ctl::transfer::Percentage);
    if (!progress || !percentage)
        return;
    progress->setValue(progress->value() + 1);
    setStatus(stepLine());
    const int n = progress->maximum();
    if (n > 0)
        percentage->setText(QStringLiteral("%1%").arg(progress->value() * 100 / n));
}

void CTransferDlg::onFailed(const QString &message)
{
    messageBox(this, message, QMessageBox::NoIcon, QMessageBox::Ok);
}

void CTransferDlg::onWorkerFinished()
{
    m_worker->wait();
    m_bSuccess = m_worker->succeeded();
    m_nothingToWrite = m_worker->nothingToWrite();
    if (auto *progress = item<QProgressBar>(ctl::transfer::Progress); progress && m_nothingToWrite) {
        progress->setMaximum(progress->value());
        if (auto *percentage = item<QLabel>(ctl::transfer::Percentage))
            percentage->setText(QStringLiteral("100%"));
    }
    m_verifyOutcome = m_worker->verifyOutcome();
    m_readBack = m_worker->readBack();
    delete m_worker;
    m_worker = nullptr;
    // The question before a stop is answered first; the write ended anyway.
    if (m_asking)
        m_closeAfterAsking = true;
    else
        finish();
}

void CTransferDlg::finish()
{
    CTemplateDialog::reject();
}

} // namespace kdw
