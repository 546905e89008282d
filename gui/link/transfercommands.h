#pragma once

#include "core/image/backups.h"
#include "core/image/memoryimage.h"
#include "core/link/radiotransfer.h"
#include "core/link/transferoptions.h"

#include <QObject>

#include <optional>

class QWidget;

namespace kdw {

struct AppContext;
class CProgramDoc;
class DocumentCommands;

// The sessions with the radio: Read, Write (with its backup before and its
// verify after) and Compare with Radio. Each holds the busy flag from start
// to end, so no second one can begin from a menu, a key or the toolbar.
class TransferCommands : public QObject
{
    Q_OBJECT

public:
    // The port and Program.ini come from `context`, read at each session: the
    // Port menu may have changed the port since.
    TransferCommands(const AppContext &context, CProgramDoc &doc, DocumentCommands &documents, QWidget *window);

    void OnRead();
    void OnWrite();
    void OnCompareWithRadio();
    // The document written to one radio after another; it stays as it is.
    void OnProgramSeveral();

    // The Program menu's check items; a change is kept in Program.ini.
    const TransferOptions &options() const { return m_options; }
    void setVerifyAfterWrite(bool on);
    void setBackupBeforeWrite(bool on);
    void setWriteChangedOnly(bool on);
    void setResumeAfterFault(bool on);
    void setCheckBeforeWrite(bool on);

private:
    struct Session
    {
        bool succeeded = false;
        bool nothingToWrite = false;
        std::optional<TransferOutcome> verify;
        MemoryImage readBack;
        QByteArray identification; // the radio's answer, as the last session got it
    };
    // The transfer dialog for one direction on `image`; returns when it has
    // closed. A write is backed up first and verified after as the options say.
    Session runSession(TransferDirection direction, MemoryImage &image);
    void showVerifyResult(const MemoryImage &written, const MemoryImage &readBack);
    // Saves the read ranges of `read` as a backup of the radio that answered
    // `identification`; false, after saying why, when it could not be saved.
    bool backUp(const MemoryImage &read, BackupKind kind, const QByteArray &identification);
    // With Check Channels Before Write: the check of the document's channels,
    // and when it finds more than notes, the question whether to write anyway.
    // False when the user chose not to write.
    bool planAccepted();

    const AppContext &m_context;
    CProgramDoc &m_doc;
    DocumentCommands &m_documents;
    QWidget *m_window;
    TransferOptions m_options;
};

} // namespace kdw
