#include "dialogdriver.h"

#include "link/transferdlg.h"
#include "ui/mainframe.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace kdw::test {

void pressStart(CTransferDlg &dialog)
{
    QTest::mouseClick(dialog.item<QPushButton>(1), Qt::LeftButton);
}

DialogRun runTransferCommand(CMainFrame &frame, int id, const std::function<void(CTransferDlg &)> &whenShown)
{
    DialogRun run;
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, &frame, [&] {
        auto *dialog = frame.findChild<CTransferDlg *>();
        if (!dialog || !dialog->isVisible())
            return;
        poll.stop();
        run.shown = true;
        run.caption = dialog->windowTitle();
        run.progressMaximum = dialog->item<QProgressBar>(1003)->maximum();
        QObject::connect(dialog, &QDialog::finished, &frame,
                         [&run, dialog] { run.finalPercentage = dialog->item<QLabel>(1005)->text(); });
        whenShown(*dialog);
    });
    poll.start();
    QElapsedTimer clock;
    clock.start();
    frame.action(id)->trigger();
    run.elapsedMs = clock.elapsed();
    return run;
}

} // namespace kdw::test
