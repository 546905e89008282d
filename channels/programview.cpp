#include "channels/programview.h"

#include "image/programdoc.h"
#include "ui/documentcommands.h"

namespace kdw {

CProgramView::CProgramView(CProgramDoc &doc, DocumentCommands &commands, QWidget *parent)
    : QWidget(parent)
    , m_doc(doc)
    , m_commands(commands)
{
    setObjectName(QStringLiteral("CProgramView"));
    m_commands.setGridStore([this] { gridStore(); });
    connect(&m_doc, &CProgramDoc::contentReplaced, this, &CProgramView::gridLoad);
}

void CProgramView::gridLoad()
{
}

void CProgramView::gridStore()
{
}

void CProgramView::OnFileSave()
{
    m_commands.OnFileSave();
}

void CProgramView::OnFileSaveAs()
{
    m_commands.OnFileSaveAs();
}

} // namespace kdw
