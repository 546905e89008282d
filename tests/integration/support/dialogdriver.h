#pragma once

#include "channels/channeltable.h"
#include "image/memoryimage.h"

#include <QString>

#include <functional>

namespace kdw {
class CMainFrame;
class CProgramApp;
class CProgramView;
class CTransferDlg;
} // namespace kdw

namespace kdw::test {

struct DialogRun
{
    bool shown = false;
    QString caption;
    int progressMaximum = -1;
    QString finalPercentage; // the percentage text when the dialog closed
    qint64 elapsedMs = 0;     // from the command until the dialog closed
};

// Presses the dialog's Start button.
void pressStart(CTransferDlg &dialog);

// Triggers command `id` (Read or Write) of the frame and, once its transfer
// dialog is up, hands the dialog to `whenShown`. Returns when the command
// has returned, that is after the dialog has closed.
DialogRun runTransferCommand(CMainFrame &frame, int id,
                             const std::function<void(CTransferDlg &)> &whenShown = pressStart);

// Puts `image` into the document and the grid, then runs the grid store as
// Read and Write do first; returns the image as the grid store leaves it.
MemoryImage showImage(CProgramApp &app, const MemoryImage &image);

// The 99 channel rows as the grid shows them.
ChannelTable gridTable(const CProgramView &view);

} // namespace kdw::test
