#include "link/transfercommands.h"

#include "channels/programview.h"
#include "image/programdoc.h"
#include "link/transferdlg.h"
#include "ui/documenthistory.h"

namespace kdw {

TransferCommands::TransferCommands(CProgramDoc &doc, CProgramView &view, QWidget *window)
    : QObject(window)
    , m_doc(doc)
    , m_view(view)
    , m_window(window)
{
}

bool TransferCommands::transfer(TransferDirection direction)
{
    // What the grid shows goes into the image before anything moves.
    m_view.gridStore();
    const MemoryImage before = m_doc.image();
    CTransferDlg dialog(m_window, m_doc.image());
    dialog.setDirection(direction);
    dialog.setTitle((direction == TransferDirection::Read ? ReadCaption : WriteCaption).text());
    dialog.exec();
    // After the dialog and its messages the keys reach the main window again.
    m_window->activateWindow();
    // A read is one undo step; a write changes no byte.
    if (dialog.succeeded())
        m_view.history().record(before);
    return dialog.succeeded();
}

void TransferCommands::OnRead()
{
    if (!transfer(TransferDirection::Read))
        return;
    m_view.gridLoad();
}

void TransferCommands::OnWrite()
{
    (void)transfer(TransferDirection::Write);
}

} // namespace kdw
