#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace kdw {

class CProgramDoc;
class DocumentHistory;

// File New, Open, Save and Save As with their prompts: the save question when
// the document is modified, the file dialogs, and the messages of a failed
// open or save. The grid store runs before anything is written.
class DocumentCommands : public QObject
{
    Q_OBJECT

public:
    DocumentCommands(CProgramDoc &doc, QWidget *window);

    // Runs before every save so the file holds what the grid shows.
    void setGridStore(std::function<void()> store) { m_gridStore = std::move(store); }
    // Commits an open cell editor, so the save question knows of its change.
    void setEditorCommit(std::function<void()> commit) { m_editorCommit = std::move(commit); }

    // The undo history of the document; its clean state is the saved one.
    DocumentHistory &history() const { return *m_history; }

    // Asks for a file name; tests replace it. Empty means the user cancelled.
    using FilePrompt = std::function<QString(bool forSave, const QString &current)>;
    void setFilePrompt(FilePrompt prompt) { m_filePrompt = std::move(prompt); }

    void OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();

    // Opens `path` as the document (command line, Open); false with a message
    // when it cannot, the current document untouched.
    bool OpenDocumentFile(const QString &path);

    // "Save changes?" when the document is modified: true to go on (saved or
    // discarded), false when the user cancelled or the save failed.
    bool SaveModified();

private:
    bool DoSave(QString path);
    QString askFileName(bool forSave);

    CProgramDoc &m_doc;
    QWidget *m_window;
    DocumentHistory *m_history;
    std::function<void()> m_gridStore;
    std::function<void()> m_editorCommit;
    FilePrompt m_filePrompt;
};

} // namespace kdw
