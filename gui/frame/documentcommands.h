#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace kdw {

class ChannelTableModel;
class CProgramDoc;
class DocumentHistory;
class MemoryImage;

// File New, Open, Save and Save As with their prompts: the save question when
// the document is modified, the file dialogs, and the messages of a failed
// open or save. The grid store runs before anything is written.
class DocumentCommands : public QObject
{
    Q_OBJECT

public:
    DocumentCommands(CProgramDoc &doc, QWidget *window);

    // The channel grid over the document's image: loaded whenever the image
    // is replaced or restored, stored before every save.
    ChannelTableModel &channelTable() const { return *m_table; }

    // Runs `change` on a copy of the image with an open edit finished, then
    // makes it the document's, reloads the channel table and records one
    // undo step when a byte changed; `change` returns false when it refused.
    bool changeImage(const std::function<bool(MemoryImage &)> &change);

    // The undo history of the document; its clean state is the saved one.
    DocumentHistory &history() const { return *m_history; }

    // Asks for a file name; tests replace it. Empty means the user cancelled.
    using FilePrompt = std::function<QString(bool forSave, const QString &current)>;
    void setFilePrompt(FilePrompt prompt) { m_filePrompt = std::move(prompt); }

    void OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    // A backup from the backup folder (chosen from its list, newest first, or
    // by the file dialog), opened as a new, untitled document so that Save
    // never overwrites the backup.
    void OnFileOpenBackup();
    // What differs between the document (as the grid shows it) and a file.
    void OnFileCompare();

    // `image` as a new, untitled document that stays modified until saved
    // (undo and redo included): no file holds it. `radio`: the identification
    // of the radio it came from, if known.
    void OpenAsNewDocument(const MemoryImage &image, const QByteArray &radio = {});

    enum class OpenResult { Opened, Declined, Failed };
    // Opens `path` as the document (command line, Open): Failed with a
    // message when it cannot, Declined when the user chose not to open an
    // overlong file; either way the current document is untouched.
    OpenResult OpenDocumentFile(const QString &path);

    // "Save changes?" when the document is modified: true to go on (saved or
    // discarded), false when the user cancelled or the save failed.
    bool SaveModified();

signals:
    // A channel file was opened as the document or the document saved to it.
    void fileUsed(const QString &path);

private:
    // An empty path asks for one, starting at `suggested` (default: the document's).
    bool DoSave(QString path, const QString &suggested = {});
    QString askFileName(bool forSave, const QString &start = {});
    // A file longer than 8192 bytes may be no channel data file: true when
    // it is not longer, or when the user still wants its first 8192 bytes.
    bool acceptFileSize(const QString &path);
    // The first 8192 bytes of a file the user chose; false after a message
    // or a No.
    bool readChosenFile(const QString &path, MemoryImage &image);

    CProgramDoc &m_doc;
    QWidget *m_window;
    DocumentHistory *m_history;
    ChannelTableModel *m_table;
    FilePrompt m_filePrompt;
};

} // namespace kdw
