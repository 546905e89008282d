#include "transferrun.h"

#include "app/programapp.h"
#include "gui/dialogs/controlids.h"
#include "gui/frame/mainframe.h"
#include "gui/link/transferdlg.h"

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace kdw::test {

void pressStart(CTransferDlg &dialog)
{
    QTest::mouseClick(dialog.item<QPushButton>(ctl::transfer::Start), Qt::LeftButton);
}

DialogRun runTransfer(Program &program, int command, const std::function<void(CTransferDlg &)> &whenShown)
{
    DialogRun run;
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        auto *dialog = program.app.mainFrame()->findChild<CTransferDlg *>();
        if (!dialog || !dialog->isVisible())
            return;
        poll.stop();
        run.caption = dialog->windowTitle();
        run.progressMaximum = dialog->item<QProgressBar>(ctl::transfer::Progress)->maximum();
        QObject::connect(dialog, &QDialog::finished, &poll, [&run, dialog] {
            run.finalPercentage = dialog->item<QLabel>(ctl::transfer::Percentage)->text();
        });
        whenShown(*dialog);
    });
    poll.start();
    program.action(command)->trigger();
    return run;
}

} // namespace kdw::test
