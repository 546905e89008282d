#include "ui/documentcommands.h"

#include "app/localisedtext.h"
#include "image/programdoc.h"
#include "image/sinfile.h"
#include "ui/documenthistory.h"
#include "ui/messagebox.h"
#include "ui/stringtable.h"

#include <QFileDialog>
#include <QFileInfo>

namespace kdw {

namespace {

constexpr LocalisedText SaveChangesText{
    u"Save changes to %1?", u"是否保存对 %1 的更改？", u"是否儲存對 %1 的變更？"};
constexpr LocalisedText UntitledText{u"Untitled", u"无标题", u"未命名"};

} // namespace

DocumentCommands::DocumentCommands(CProgramDoc &doc, QWidget *window)
    : QObject(window)
    , m_doc(doc)
    , m_window(window)
    , m_history(new DocumentHistory(doc, this))
{
}

QString DocumentCommands::askFileName(bool forSave)
{
    const QString current = m_doc.GetPathName();
    if (m_filePrompt)
        return m_filePrompt(forSave, current);
    const QString filter = templateField(3).isEmpty() ? SinFilter.toString() : templateField(3);
    if (!forSave)
        return QFileDialog::getOpenFileName(m_window, {}, QFileInfo(current).path(), filter);
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
        OpenDocumentFile(path);
}

bool DocumentCommands::OpenDocumentFile(const QString &path)
{
    const DocumentResult result = m_doc.OnOpenDocument(path);
    if (!result)
        messageBox(m_window, result.message);
    return result.ok;
}

bool DocumentCommands::OnFileSave()
{
    return DoSave(m_doc.GetPathName());
}

bool DocumentCommands::OnFileSaveAs()
{
    return DoSave(QString());
}

bool DocumentCommands::DoSave(QString path)
{
    if (m_gridStore)
        m_gridStore();
    if (path.isEmpty()) {
        path = askFileName(true);
        if (path.isEmpty())
            return false;
        if (QFileInfo(path).suffix().isEmpty())
            path += SinExtension;
    }
    const DocumentResult result = m_doc.OnSaveDocument(path);
    if (!result)
        messageBox(m_window, result.message);
    else
        m_history->setSaved();
    return result.ok;
}

bool DocumentCommands::SaveModified()
{
    if (m_editorCommit)
        m_editorCommit();
    if (!m_doc.IsModified())
        return true;
    const QString name = m_doc.GetPathName().isEmpty() ? UntitledText.text()
                                                       : QFileInfo(m_doc.GetPathName()).fileName();
    switch (messageBox(m_window, SaveChangesText.text().arg(name), QMessageBox::Question,
                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return OnFileSave();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

} // namespace kdw
