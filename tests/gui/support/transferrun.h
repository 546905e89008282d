#pragma once

#include "guitest.h"

#include <QString>

#include <functional>

namespace kdw {
class CTransferDlg;
}

namespace kdw::test {

// What a transfer dialog showed.
struct DialogRun
{
    QString caption;
    int progressMaximum = -1; // -1: the dialog never showed
    QString finalPercentage;  // the percentage text when the dialog closed
};

// Start pressed, as the user does to begin the transfer.
void pressStart(CTransferDlg &dialog);

// Triggers the command and, once its transfer dialog is up, hands the
// dialog to `whenShown`; returns after the dialog has closed.
DialogRun runTransfer(Program &program, int command, const std::function<void(CTransferDlg &)> &whenShown = pressStart);

} // namespace kdw::test
