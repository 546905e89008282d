#pragma once

#include "core/image/memoryimage.h"
#include "core/link/radiotransfer.h"
#include "core/link/transferworker.h"
#include "core/text/localisedtext.h"
#include "gui/dialogs/dialogtemplate.h"

#include <optional>

namespace kdw {

// The dialog's caption for each direction.
inline constexpr LocalisedText ReadCaption{u"Read Data", u"读数据", u"讀數據"};
inline constexpr LocalisedText WriteCaption{u"Write Data", u"写数据", u"寫數據"};
inline constexpr LocalisedText VerifyCaption{u"Verify Data", u"校验数据", u"校驗數據"};

const LocalisedText &captionOf(TransferDirection direction);

// The transfer dialog (template 133): Start runs one Read or Write in a
// worker thread; the progress bar counts blocks, the text beside it shows
// the percentage and the line below what is being done. Cancel, Escape and
// the close box stop a running read at once and a running write after
// asking; the dialog closes itself when the worker ends.
class CTransferDlg : public CTemplateDialog
{
    Q_OBJECT

public:
    CTransferDlg(QWidget *parent, MemoryImage &image, TransferLink link);
    ~CTransferDlg() override;

    // What Start runs. A write backed up first counts the blocks of both
    // sessions on one bar; a verify after it has its own caption and bar.
    void setPlan(const TransferPlan &plan) { m_plan = plan; }
    void setTitle(const QString &title) { m_strTitle = title; }

    // True when the worker moved every block.
    bool succeeded() const { return m_bSuccess; }
    // The identification the last session got (empty before one did).
    const QByteArray &identification() const { return m_identification; }
    // The write found the radio holding the document already and sent nothing.
    bool nothingToWrite() const { return m_nothingToWrite; }
    // After a write with verify: the outcome of the check and what it read.
    const std::optional<TransferOutcome> &verifyOutcome() const { return m_verifyOutcome; }
    const MemoryImage &readBack() const { return m_readBack; }

    void accept() override; // Start (the default button, Enter)
    void reject() override; // Cancel, Escape, the close box

protected:
    void showEvent(QShowEvent *event) override;

private:
    void OnInitDialog();
    void OnOK();
    void onPortOpened();
    void onBlockDone();
    void onSessionStarted(TransferDirection direction, bool backup, int blocks);
    void onResuming(const QString &notice);
    void onIdentified(const QByteArray &identification);
    void onOtherRadio(const QByteArray &found, const QByteArray &known);
    // The step under way, and below it the radio once it has answered.
    QString stepLine() const;
    void onFailed(const QString &message);
    void onWorkerFinished();
    void setStatus(const QString &text);
    void finish();

    MemoryImage &m_image;
    const TransferLink m_link;
    TransferPlan m_plan;
    QString m_strTitle;
    QString m_stepText;
    QByteArray m_identification;
    TransferDirection m_session = TransferDirection::Read;
    bool m_bSuccess = false;
    bool m_nothingToWrite = false;
    bool m_asking = false; // the question before stopping a write is up
    bool m_closeAfterAsking = false;
    std::optional<TransferOutcome> m_verifyOutcome;
    MemoryImage m_readBack;
    bool m_initialised = false;
    TransferWorker *m_worker = nullptr;
};

} // namespace kdw
