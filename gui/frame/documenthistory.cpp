#include "gui/frame/documenthistory.h"

#include "core/image/programdoc.h"

#include <QUndoStack>

namespace kdw {

class DocumentHistory::Change : public QUndoCommand
{
public:
    Change(DocumentHistory &history, const MemoryImage &before, const MemoryImage &after)
        : m_history(history)
        , m_before(before)
        , m_after(after)
        , m_originBefore(history.m_doc.origin())
    {
    }

    // A change is recorded before the document is marked with where its
    // bytes came from (a Read): what it was then comes back with undo, what
    // it was when undone comes back with redo.
    void undo() override
    {
        m_originAfter = m_history.m_doc.origin();
        m_history.m_doc.restoreOrigin(m_originBefore);
        apply(m_before, m_after);
    }
    void redo() override
    {
        // The change is already in the image when it is pushed.
        if (m_pushed) {
            m_history.m_doc.restoreOrigin(m_originAfter);
            apply(m_after, m_before);
        }
        m_pushed = true;
    }

private:
    // Writes the bytes in which `to` differs from `from`, and only those.
    void apply(const MemoryImage &to, const MemoryImage &from)
    {
        MemoryImage &image = m_history.m_doc.image();
        for (int offset = 0; offset < MemoryImage::Size; ++offset) {
            if (to.byte(offset) != from.byte(offset))
                image.setByte(offset, to.byte(offset));
        }
        emit m_history.imageRestored();
    }

    DocumentHistory &m_history;
    MemoryImage m_before;
    MemoryImage m_after;
    CProgramDoc::Origin m_originBefore;
    CProgramDoc::Origin m_originAfter;
    bool m_pushed = false;
};

DocumentHistory::DocumentHistory(CProgramDoc &doc, QObject *parent)
    : QObject(parent)
    , m_doc(doc)
    , m_stack(new QUndoStack(this))
{
    connect(m_stack, &QUndoStack::cleanChanged, this, [this](bool clean) { m_doc.SetModifiedFlag(!clean); });
    connect(m_stack, &QUndoStack::canUndoChanged, this, &DocumentHistory::canUndoChanged);
    connect(m_stack, &QUndoStack::canRedoChanged, this, &DocumentHistory::canRedoChanged);
    // New and Open replace the content the steps were made on.
    connect(&m_doc, &CProgramDoc::contentReplaced, m_stack, &QUndoStack::clear);
}

DocumentHistory::~DocumentHistory() = default;

void DocumentHistory::record(const MemoryImage &before)
{
    if (before == m_doc.image())
        return;
    m_stack->push(new Change(*this, before, m_doc.image()));
    // A step away from the saved state, also when the saved state was undone
    // and is no longer reachable.
    if (!m_stack->isClean())
        m_doc.SetModifiedFlag(true);
}

void DocumentHistory::undo()
{
    m_stack->undo();
}

void DocumentHistory::redo()
{
    m_stack->redo();
}

bool DocumentHistory::canUndo() const
{
    return m_stack->canUndo();
}

bool DocumentHistory::canRedo() const
{
    return m_stack->canRedo();
}

int DocumentHistory::count() const
{
    return m_stack->count();
}

void DocumentHistory::setSaved()
{
    m_stack->setClean();
    m_doc.SetModifiedFlag(false);
}

} // namespace kdw
