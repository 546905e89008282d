#pragma once

#include "core/image/memoryimage.h"

#include <QObject>
#include <QString>

class QUndoStack;

namespace kdw {

class CProgramDoc;

// Undo and redo of the document's changes. Each change is one step holding
// the image before and after it; undo and redo write back only the bytes the
// change altered, so bytes changed since by something else (the fixed bytes of
// a grid store) stay. The stack's clean state is the state last saved: the
// document's modified mark follows it. New and Open start an empty history.
class DocumentHistory : public QObject
{
    Q_OBJECT

public:
    DocumentHistory(CProgramDoc &doc, QObject *parent = nullptr);
    ~DocumentHistory() override;

    // Records a change already made to the document's image; `before` is the
    // image as it was. A change that altered no byte records nothing.
    void record(const MemoryImage &before);

    void undo();
    void redo();
    bool canUndo() const;
    bool canRedo() const;
    int count() const;

    // The document as it is now is the saved one.
    void setSaved();

    QUndoStack *stack() const { return m_stack; }

signals:
    // Undo or redo changed the image: views reload what they show.
    void imageRestored();
    void canUndoChanged(bool canUndo);
    void canRedoChanged(bool canRedo);

private:
    class Change;

    CProgramDoc &m_doc;
    QUndoStack *m_stack;
};

} // namespace kdw
