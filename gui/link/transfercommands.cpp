#include "gui/link/transfercommands.h"

#include "core/channels/channeltablemodel.h"
#include "core/image/programdoc.h"
#include "core/link/transfermessages.h"
#include "core/program/appcontext.h"
#include "core/program/globals.h"
#include "core/text/inifile.h"
#include "core/text/programini.h"
#include "gui/dialogs/diffdlg.h"
#include "gui/dialogs/messagebox.h"
#include "gui/frame/documentcommands.h"
#include "gui/frame/documenthistory.h"
#include "gui/grid/findingslist.h"
#include "gui/link/batchdlg.h"
#include "gui/link/transferdlg.h"
#include "gui/link/writecheckdlg.h"

#include <QDir>

namespace kdw {

namespace {

constexpr LocalisedText VerifyResultCaption{u"Verify Result", u"校验结果", u"校驗結果"};
constexpr LocalisedText CompareCaption{u"Compare with Radio", u"与对讲机比较", u"與對講機比較"};
constexpr LocalisedText RadioDiffersFromDocument{u"The radio does not hold the document: these differ.",
                                                 u"对讲机中的内容与文档不符：以下各项不同。",
                                                 u"對講機中的內容與文件不符：以下各項不同。"};
constexpr LocalisedText RadioHoldsDocument{u"The radio holds what the document holds.", u"对讲机中的内容与文档相同。",
                                           u"對講機中的內容與文件相同。"};
constexpr LocalisedText WriteNowText{u"Write the document now", u"立即写入文档", u"立即寫入文件"};
constexpr LocalisedText OpenRadioText{u"Open the radio's memory as a new document", u"将对讲机的内容作为新文档打开",
                                      u"將對講機的內容作為新文件開啟"};

enum CompareChoice : int { WriteNow = 100, OpenRadio = 101 };

} // namespace

TransferCommands::TransferCommands(const AppContext &context, CProgramDoc &doc, DocumentCommands &documents,
                                   QWidget *window)
    : QObject(window)
    , m_context(context)
    , m_doc(doc)
    , m_documents(documents)
    , m_window(window)
    , m_options(readTransferOptions(context.config))
{
}

void TransferCommands::setVerifyAfterWrite(bool on)
{
    m_options.verifyAfterWrite = on;
    (void)writeTransferOption(m_context.config, programini::VerifyAfterWrite, on);
}

void TransferCommands::setBackupBeforeWrite(bool on)
{
    m_options.backupBeforeWrite = on;
    (void)writeTransferOption(m_context.config, programini::BackupBeforeWrite, on);
}

void TransferCommands::setWriteChangedOnly(bool on)
{
    m_options.writeChangedOnly = on;
    (void)writeTransferOption(m_context.config, programini::WriteChangedOnly, on);
}

void TransferCommands::setResumeAfterFault(bool on)
{
    m_options.resumeAfterFault = on;
    (void)writeTransferOption(m_context.config, programini::ResumeAfterFault, on);
}

void TransferCommands::setCheckBeforeWrite(bool on)
{
    m_options.checkBeforeWrite = on;
    (void)writeTransferOption(m_context.config, programini::CheckBeforeWrite, on);
}

bool TransferCommands::planAccepted()
{
    if (!m_options.checkBeforeWrite)
        return true;
    const CheckedChannels checked = checkShownChannels(m_documents.channelTable());
    return askWriteAnyway(m_window, checked.findings, m_doc.language());
}

TransferCommands::Session TransferCommands::runSession(TransferDirection direction, MemoryImage &image)
{
    CTransferDlg dialog(m_window, image, {m_context.port, m_doc.programDirectory(), m_doc.language()});
    const bool write = direction == TransferDirection::Write;
    dialog.setPlan({.direction = direction,
                    .backupFirst = write && m_options.backupBeforeWrite,
                    .verify = write && m_options.verifyAfterWrite,
                    .maxResumes = m_options.maxResumes(),
                    .changedOnly = m_options.writeChangedOnly,
                    .knownRadio = write ? m_doc.RadioIdentification() : QByteArray()});
    dialog.setTitle(captionOf(direction).text(m_doc.language()));
    dialog.exec();
    // After the dialog and its messages the keys reach the main window again.
    m_window->activateWindow();
    return {dialog.succeeded(), dialog.nothingToWrite(), dialog.verifyOutcome(), dialog.readBack(),
            dialog.identification()};
}

bool TransferCommands::backUp(const MemoryImage &read, BackupKind kind, const QByteArray &identification)
{
    const BackupResult saved = saveReadBackup(read, kind, m_doc.programDirectory(), identification);
    if (!saved) {
        const QString directory = QDir::toNativeSeparators(backupDirectory(m_doc.programDirectory()));
        messageBox(m_window, BackupFailedText.text(m_doc.language()).arg(directory, saved.reason));
    }
    return saved.ok;
}

void TransferCommands::OnRead()
{
    const BusyGuard busy;
    if (!busy)
        return;
    // What the grid shows goes into the image before anything moves.
    ChannelTableModel &table = m_documents.channelTable();
    table.store();
    const MemoryImage before = m_doc.image();
    const Session read = runSession(TransferDirection::Read, m_doc.image());
    if (!read.succeeded)
        return;
    // A read is one undo step, and marks the document modified; the
    // document now comes from this radio.
    m_documents.history().record(before);
    m_doc.SetReadFromRadio(read.identification);
    table.load();
    (void)backUp(m_doc.image(), BackupKind::Read, read.identification);
}

void TransferCommands::OnWrite()
{
    const BusyGuard busy;
    if (!busy)
        return;
    m_documents.channelTable().store();
    if (!planAccepted())
        return;
    // One Start: with Back Up Before Write the dialog first reads and keeps
    // what the radio holds, and writes nothing without that copy.
    const Session write = runSession(TransferDirection::Write, m_doc.image());
    if (write.nothingToWrite) {
        messageBox(m_window, NothingToWriteText.text(m_doc.language()), QMessageBox::Information);
        return;
    }
    // A check that could not run has said so already.
    if (write.succeeded && write.verify && *write.verify)
        showVerifyResult(m_doc.image(), write.readBack);
}

void TransferCommands::showVerifyResult(const MemoryImage &written, const MemoryImage &readBack)
{
    const ImageDiff diff = diffImages(written, readBack, m_doc.language());
    if (diff.isEmpty()) {
        messageBox(m_window, WriteVerifiedText.text(m_doc.language()), QMessageBox::Information);
        return;
    }
    CDiffDlg dialog(m_window, m_doc.language(), VerifyResultCaption.text(m_doc.language()),
                    RadioDiffersText.text(m_doc.language()) + u'\n' + WriteAgainText.text(m_doc.language()),
                    diffRows(diff, written, readBack, m_doc.language()), diffheading::Written.text(m_doc.language()),
                    diffheading::Radio.text(m_doc.language()));
    dialog.exec();
}

void TransferCommands::OnCompareWithRadio()
{
    MemoryImage radio;
    QByteArray identification;
    int choice = 0;
    {
        const BusyGuard busy;
        if (!busy)
            return;
        m_documents.channelTable().store();
        // The radio's memory goes into a copy: the document stays as it is.
        radio = m_doc.image();
        const Session read = runSession(TransferDirection::Read, radio);
        if (!read.succeeded)
            return;
        identification = read.identification;
        (void)backUp(radio, BackupKind::Read, identification);
        const ImageDiff diff = diffImages(m_doc.image(), radio, m_doc.language());
        if (diff.isEmpty()) {
            messageBox(m_window, CompareCaption.text(m_doc.language()), RadioHoldsDocument.text(m_doc.language()),
                       QMessageBox::Information);
            return;
        }
        CDiffDlg dialog(m_window, m_doc.language(), CompareCaption.text(m_doc.language()),
                        RadioDiffersFromDocument.text(m_doc.language()),
                        diffRows(diff, m_doc.image(), radio, m_doc.language()),
                        diffheading::Document.text(m_doc.language()), diffheading::Radio.text(m_doc.language()));
        dialog.addChoice(WriteNowText.text(m_doc.language()), WriteNow);
        dialog.addChoice(OpenRadioText.text(m_doc.language()), OpenRadio);
        choice = dialog.exec();
    }
    // The session has ended and given the busy flag back.
    if (choice == WriteNow)
        OnWrite();
    else if (choice == OpenRadio && m_documents.SaveModified())
        m_documents.OpenAsNewDocument(radio, identification);
}

void TransferCommands::OnProgramSeveral()
{
    const BusyGuard busy;
    if (!busy)
        return;
    m_documents.channelTable().store();
    // Asked once for the whole run: every radio gets the same channels.
    if (!planAccepted())
        return;
    // The dialog writes a copy: variations never reach the document.
    CBatchDlg dialog(m_window, m_doc.image(), {m_context.port, m_doc.programDirectory(), m_doc.language()},
                     m_options.maxResumes());
    dialog.setChangedOnly(m_options.writeChangedOnly);
    dialog.exec();
    m_window->activateWindow();
}

} // namespace kdw
