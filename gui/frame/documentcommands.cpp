#include "gui/frame/documentcommands.h"

#include "core/channels/channeltablemodel.h"
#include "core/channels/imagediff.h"
#include "core/image/backups.h"
#include "core/image/programdoc.h"
#include "core/image/sinfile.h"
#include "core/text/localisedtext.h"
#include "gui/dialogs/backuplistdlg.h"
#include "gui/dialogs/diffdlg.h"
#include "gui/dialogs/messagebox.h"
#include "gui/frame/documenthistory.h"
#include "gui/frame/documenttitle.h"
#include "gui/frame/stringtable.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QUndoStack>

namespace kdw {

namespace {

constexpr LocalisedText SaveChangesText{u"Save changes to %1?", u"是否保存对 %1 的更改？", u"是否儲存對 %1 的變更？"};
constexpr LocalisedText LongFileText{
    u"This file is %1 bytes, not 8192; it may not be a channel data file. Open its first 8192 bytes?",
    u"此文件有 %1 字节，而不是 8192 字节；它可能不是信道数据文件。是否打开它的前 8192 字节？",
    u"此檔案有 %1 位元組，而不是 8192 位元組；它可能不是頻道資料檔。是否開啟它的前 8192 位元組？"};
constexpr LocalisedText CompareFileCaption{u"Compare with File", u"与文件比较", u"與檔案比較"};
constexpr LocalisedText FileDiffersText{u"These differ between the document and \"%1\".", u"文档与“%1”以下各项不同。",
                                        u"文件與「%1」以下各項不同。"};
constexpr LocalisedText FileSameText{u"The document and \"%1\" hold the same.", u"文档与“%1”的内容相同。",
                                     u"文件與「%1」的內容相同。"};

// A name beside a file that is not a channel file, ending in .sin, that is
// not that file itself: "picture-2.sin" for "picture.sin".
QString foreignSaveName(const QString &path)
{
    const QFileInfo file(path);
    const QString stem = file.completeBaseName().isEmpty() ? file.fileName() : file.completeBaseName();
    const QString extension = SinExtension.toString();
    QString name = file.dir().filePath(stem + extension);
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = file.dir().filePath(stem + QStringLiteral("-%1").arg(n) + extension);
    return name;
}

} // namespace

DocumentCommands::DocumentCommands(CProgramDoc &doc, QWidget *window)
    : QObject(window)
    , m_doc(doc)
    , m_window(window)
    , m_history(new DocumentHistory(doc, this))
    , m_table(new ChannelTableModel(doc.image(), doc.language(), this))
{
    connect(&m_doc, &CProgramDoc::contentReplaced, m_table, &ChannelTableModel::load);
    connect(m_history, &DocumentHistory::imageRestored, m_table, &ChannelTableModel::load);
    connect(m_table, &ChannelTableModel::imageEdited, m_history, &DocumentHistory::record);
}

bool DocumentCommands::changeImage(const std::function<bool(MemoryImage &)> &change)
{
    m_table->finishEditing();
    const MemoryImage before = m_doc.image();
    MemoryImage after = before;
    if (!change(after))
        return false;
    m_doc.image() = after;
    m_table->channelsChanged();
    m_history->record(before);
    return true;
}

QString DocumentCommands::askFileName(bool forSave, const QString &start)
{
    const QString current = start.isEmpty() ? m_doc.GetPathName() : start;
    if (m_filePrompt)
        return m_filePrompt(forSave, current);
    const QString filter = templateField(3).isEmpty() ? SinFilter.toString() : templateField(3);
    if (!forSave)
        return QFileDialog::getOpenFileName(m_window, {}, start.isEmpty() ? QFileInfo(current).path() : start, filter);
    QFileDialog dialog(m_window, {}, current, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(SinExtension.mid(1).toString());
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

void DocumentCommands::OnFileNew()
{
    if (SaveModified())
        m_doc.OnNewDocument();
}

void DocumentCommands::OnFileOpen()
{
    if (!SaveModified())
        return;
    const QString path = askFileName(false);
    if (!path.isEmpty())
        (void)OpenDocumentFile(path);
}

bool DocumentCommands::acceptFileSize(const QString &path)
{
    const qint64 size = QFileInfo(path).size();
    if (size <= MemoryImage::Size)
        return true;
    // Enter keeps such a file closed: it is more likely a stranger than a channel file.
    return messageBox(m_window, LongFileText.text(m_doc.language()).arg(size), QMessageBox::Question,
                      QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}

DocumentCommands::OpenResult DocumentCommands::OpenDocumentFile(const QString &path)
{
    if (!acceptFileSize(path))
        return OpenResult::Declined;
    const DocumentResult result = m_doc.OnOpenDocument(path);
    if (!result) {
        messageBox(m_window, result.message);
        return OpenResult::Failed;
    }
    emit fileUsed(path);
    return OpenResult::Opened;
}

bool DocumentCommands::readChosenFile(const QString &path, MemoryImage &image)
{
    if (!acceptFileSize(path))
        return false;
    const DocumentResult read = readDocumentFile(path, image, m_doc.language());
    if (!read)
        messageBox(m_window, read.message);
    return read.ok;
}

void DocumentCommands::OpenAsNewDocument(const MemoryImage &image, const QByteArray &radio)
{
    m_doc.OnNewDocumentFrom(image, radio);
    // The new history's first state is no saved state.
    m_history->stack()->resetClean();
}

void DocumentCommands::OnFileOpenBackup()
{
    if (!SaveModified())
        return;
    const QString directory = backupDirectory(m_doc.programDirectory());
    (void)QDir().mkpath(directory);
    QString path;
    {
        CBackupListDlg list(backupEntries(directory), m_doc.language(), m_window);
        if (list.exec() != QDialog::Accepted)
            return;
        path = list.otherFile() ? askFileName(false, directory) : list.chosenPath();
    }
    MemoryImage image;
    if (!path.isEmpty() && readChosenFile(path, image))
        OpenAsNewDocument(image, recordedIdentification(path));
}

void DocumentCommands::OnFileCompare()
{
    m_table->store();
    const QString path = askFileName(false);
    MemoryImage file;
    if (path.isEmpty() || !readChosenFile(path, file))
        return;
    const QString name = QFileInfo(path).fileName();
    const ImageDiff diff = diffImages(m_doc.image(), file, m_doc.language());
    if (diff.isEmpty()) {
        messageBox(m_window, CompareFileCaption.text(m_doc.language()), FileSameText.text(m_doc.language()).arg(name),
                   QMessageBox::Information);
        return;
    }
    CDiffDlg dialog(m_window, m_doc.language(), CompareFileCaption.text(m_doc.language()),
                    FileDiffersText.text(m_doc.language()).arg(name),
                    diffRows(diff, m_doc.image(), file, m_doc.language()), diffheading::Document.text(m_doc.language()),
                    diffheading::File.text(m_doc.language()));
    dialog.exec();
}

bool DocumentCommands::OnFileSave()
{
    // A file that is not a channel file is never written over by Save: its
    // channels go to a new file the user names.
    if (m_doc.IsForeignFile())
        return DoSave(QString(), foreignSaveName(m_doc.GetPathName()));
    return DoSave(m_doc.GetPathName());
}

bool DocumentCommands::OnFileSaveAs()
{
    return DoSave(QString(), m_doc.IsForeignFile() ? foreignSaveName(m_doc.GetPathName()) : QString());
}

bool DocumentCommands::DoSave(QString path, const QString &suggested)
{
    m_table->store();
    if (path.isEmpty()) {
        path = askFileName(true, suggested);
        if (path.isEmpty())
            return false;
        if (QFileInfo(path).suffix().isEmpty())
            path += SinExtension;
    }
    const DocumentResult result = m_doc.OnSaveDocument(path);
    if (!result) {
        messageBox(m_window, result.message);
        return false;
    }
    m_history->setSaved();
    emit fileUsed(path);
    return true;
}

bool DocumentCommands::SaveModified()
{
    m_table->finishEditing();
    if (!m_doc.IsModified())
        return true;
    const QString name = documentDisplayName(m_doc.GetPathName(), m_doc.language());
    switch (messageBox(m_window, SaveChangesText.text(m_doc.language()).arg(name), QMessageBox::Question,
                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes: return OnFileSave();
    case QMessageBox::No: return true;
    default: return false;
    }
}

} // namespace kdw
