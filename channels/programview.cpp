#include "channels/programview.h"

#include "image/programdoc.h"
#include "ui/documentcommands.h"
#include "ui/helploader.h"
#include "ui/languagedlg.h"

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

void CProgramView::OnLanguage()
{
    runLanguageCommand(this, m_commands);
}

void CProgramView::OnHelp()
{
    // The main frame is the help's caller window.
    showHelp(quintptr(window()->winId()));
}

} // namespace kdw
