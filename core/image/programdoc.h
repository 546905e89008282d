#pragma once

#include "core/image/memoryimage.h"
#include "core/text/language.h"

#include <QObject>
#include <QString>

namespace kdw {

// The outcome of a document operation; `message` is in the running language
// and names the file when the operation failed.
struct [[nodiscard]] DocumentResult
{
    bool ok = false;
    QString message;
    explicit operator bool() const { return ok; }
};

// Reads a channel data file's first 8192 bytes into `image`; on failure the
// message, in `language`, names the file and `image` is untouched.
[[nodiscard]] DocumentResult readDocumentFile(const QString &path, MemoryImage &image, Language language);

// The one document. Its content is the memory image; the document itself
// holds only the path and the modified mark. Opening or saving never leaves
// the image or the file half written. New reads Default.sin from
// `programDirectory`; messages are in `language`.
class CProgramDoc : public QObject
{
    Q_OBJECT

public:
    CProgramDoc(MemoryImage &image, QString programDirectory, Language language, QObject *parent = nullptr);

    MemoryImage &image() { return m_image; }
    const QString &programDirectory() const { return m_programDirectory; }
    Language language() const { return m_language; }

    // 0xFF, then Default.sin of the program directory or the built-in defaults.
    bool OnNewDocument();
    // Replaces the image with the file's first 8192 bytes; on any failure the
    // image, the path and the modified mark stay as they were. A longer file
    // is a foreign file (see IsForeignFile).
    DocumentResult OnOpenDocument(const QString &path);
    // A new document holding `image` (a backup, the radio's memory): no
    // path, so Save asks for a name, and modified, since no file holds it.
    // `radio` is the identification of the radio it came from (empty: unknown).
    void OnNewDocumentFrom(const MemoryImage &image, const QByteArray &radio = {});
    // Writes the image to `path` atomically; on success takes the path and
    // clears the modified mark.
    DocumentResult OnSaveDocument(const QString &path);

    QString GetPathName() const { return m_strPathName; }
    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true);

    // The radio's memory was read into the document since its file was last
    // opened or saved: a Save now puts that radio's channels into the file.
    bool IsReadFromRadio() const { return m_bReadFromRadio; }
    // Marks the read and keeps the identification of the radio it read.
    void SetReadFromRadio(const QByteArray &radio);

    // The identification of the radio the document came from: the radio of
    // the last Read, of an opened backup or of a Compare's memory opened as a
    // new document; empty for a new document or a file of unknown origin.
    // Kept over Save, replaced by New and Open.
    const QByteArray &RadioIdentification() const { return m_radio; }

    // Where the document's bytes came from, for undo and redo: the read mark
    // and the radio's identification.
    struct Origin
    {
        bool readFromRadio = false;
        QByteArray radio;
    };
    Origin origin() const { return {m_bReadFromRadio, m_radio}; }
    void restoreOrigin(const Origin &origin);

    // The file opened is longer than 8192 bytes, so it is likely no channel
    // file at all: Save must not write the document's 8192 bytes over it.
    bool IsForeignFile() const { return m_bForeignFile; }

signals:
    // The image was replaced by New or Open: views reload what they show.
    void contentReplaced();
    void modifiedChanged(bool modified);
    // The path or the read-from-radio mark changed.
    void pathNameChanged();

private:
    void setPathName(const QString &path);

    MemoryImage &m_image;
    const QString m_programDirectory;
    const Language m_language;
    QString m_strPathName;
    bool m_bModified = false;
    bool m_bReadFromRadio = false;
    bool m_bForeignFile = false;
    QByteArray m_radio;
};

} // namespace kdw
