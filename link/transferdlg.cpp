#include "link/transferdlg.h"

#include "link/transferworker.h"
#include "ui/controlids.h"
#include "ui/messagebox.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace kdw {

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
    if (auto *cancel = item<QPushButton>(ctl::Cancel))
        connect(cancel, &QPushButton::clicked, this, &CTransferDlg::reject);
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
        progress->setRange(0, blockCount(m_direction));
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
    m_worker = new TransferWorker(m_link, m_direction, m_image, m_verify, this);
    connect(m_worker, &TransferWorker::portOpened, this, &CTransferDlg::onPortOpened);
    connect(m_worker, &TransferWorker::blockDone, this, &CTransferDlg::onBlockDone);
    connect(m_worker, &TransferWorker::verifyStarted, this, &CTransferDlg::onVerifyStarted);
    connect(m_worker, &TransferWorker::failed, this, &CTransferDlg::onFailed, Qt::BlockingQueuedConnection);
    connect(m_worker, &QThread::finished, this, &CTransferDlg::onWorkerFinished);
    m_worker->start(QThread::NormalPriority);
}

void CTransferDlg::reject()
{
    // Nothing closes the dialog while a transfer runs.
    if (m_worker)
        return;
    CTemplateDialog::reject();
}

void CTransferDlg::onPortOpened()
{
    for (int id : {ctl::transfer::Start, ctl::Cancel}) {
        if (auto *button = item<QPushButton>(id))
            button->setEnabled(false);
    }
}

void CTransferDlg::onBlockDone()
{
    auto *progress = item<QProgressBar>(ctl::transfer::Progress);
    auto *percentage = item<QLabel>(ctl::transfer::Percentage);
    if (!progress || !percentage)
        return;
    progress->setValue(progress->value() + 1);
    const int n = progress->maximum();
    if (n > 0)
        percentage->setText(QStringLiteral("%1%").arg(progress->value() * 100 / n));
}

void CTransferDlg::onVerifyStarted()
{
    setWindowTitle(VerifyCaption.text());
    if (auto *progress = item<QProgressBar>(ctl::transfer::Progress)) {
        progress->setRange(0, blockCount(TransferDirection::Verify));
        progress->setValue(0);
    }
    if (auto *percentage = item<QLabel>(ctl::transfer::Percentage))
        percentage->setText(QStringLiteral("0%"));
}

void CTransferDlg::onFailed(const QString &message)
{
    messageBox(this, message, QMessageBox::NoIcon, QMessageBox::Ok);
}

void CTransferDlg::onWorkerFinished()
{
    m_worker->wait();
    m_bSuccess = bool(m_worker->outcome());
    m_verifyOutcome = m_worker->verifyOutcome();
    m_readBack = m_worker->readBack();
    delete m_worker;
    m_worker = nullptr;
    CTemplateDialog::reject();
}

} // namespace kdw
