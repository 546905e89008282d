#pragma once

#include <QString>

#include <functional>

namespace kdw {
class CMainFrame;
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

} // namespace kdw::test
