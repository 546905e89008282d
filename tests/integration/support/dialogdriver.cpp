#include "dialogdriver.h"

#include "app/programapp.h"
#include "channels/msflexgrid.h"
#include "channels/programview.h"
#include "image/programdoc.h"
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

MemoryImage showImage(CProgramApp &app, const MemoryImage &image)
{
    app.document()->image() = image;
    app.view()->gridLoad();
    app.view()->gridStore();
    return app.document()->image();
}

ChannelTable gridTable(const CProgramView &view)
{
    ChannelTable table;
    for (int row = 1; row <= region::ChannelCount; ++row) {
        for (int field = 0; field < ChannelFieldCount; ++field)
            table[std::size_t(row - 1)][std::size_t(field)] = view.grid()->GetTextMatrix(row, field + 1);
    }
    return table;
}

} // namespace kdw::test
